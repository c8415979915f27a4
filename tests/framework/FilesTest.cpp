#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/files/FolderItem.h"
#include "framework/files/LineReader.h"
#include "framework/files/TextInputStream.h"
#include "support/TempFolder.h"

namespace fw {
namespace {

using namespace std::string_literals;

// The lines as a reader of the file delivers them: read, then test for the end.
std::vector<std::string> StreamLines(TextInputStream& stream) {
  std::vector<std::string> lines;
  do {
    lines.push_back(stream.ReadLine().Bytes());
  } while (!stream.IsEOF());
  return lines;
}

std::vector<std::string> ReaderLines(const std::string& bytes, std::size_t pieceSize) {
  LineReader reader;
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t at = 0; at < bytes.size(); at += pieceSize) {
    reader.Append(std::string_view(bytes).substr(at, pieceSize));
    while (reader.Next(line)) lines.push_back(line);
  }
  reader.Finish();
  while (reader.Next(line)) lines.push_back(line);
  EXPECT_TRUE(reader.Empty());
  return lines;
}

struct LineCase {
  std::string bytes;
  std::vector<std::string> lines;
};

const std::vector<LineCase>& LineCases() {
  static const std::vector<LineCase> cases = {
      {"", {""}},
      {"a", {"a"}},
      {"a\n", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r", {"a"}},
      {"\r\n", {""}},
      {"a\n\n", {"a", ""}},
      {"a\r\rb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},
      {"\n\r\n\r", {"", "", ""}},
      {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
      {" x ;\"y\" \r\n", {" x ;\"y\" "}},
      {"n\0l\n\0"s, {"n\0l"s, "\0"s}},
  };
  return cases;
}

TEST(LineReader, CutsAtEveryKindOfLineEndWhateverThePieces) {
  for (const LineCase& c : LineCases()) {
    if (c.bytes.empty()) continue;  // the one empty line of an empty file is the stream's
    for (std::size_t pieceSize : {std::size_t{1}, std::size_t{2}, std::size_t{3}, c.bytes.size()}) {
      EXPECT_EQ(ReaderLines(c.bytes, pieceSize), c.lines)
          << "bytes " << testing::PrintToString(c.bytes) << " in pieces of " << pieceSize;
    }
  }
}

TEST(LineReader, HoldsBackALineUntilItsEndIsKnown) {
  LineReader reader;
  std::string line;
  reader.Append("a\r");
  EXPECT_FALSE(reader.Next(line));  // an LF may still follow the CR
  reader.Append("\nb");
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "a");
  EXPECT_FALSE(reader.Next(line));
  reader.Finish();
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "b");
  EXPECT_FALSE(reader.Next(line));
}

class TextFiles : public testing::Test {
 protected:
  std::shared_ptr<TextInputStream> Open(const std::string& bytes) {
    return FolderItem(folder_.Write("file.txt", bytes)).OpenAsTextFile();
  }
  testsupport::TempFolder folder_;
};

TEST_F(TextFiles, StreamDeliversTheLinesAndReportsItsEnd) {
  for (const LineCase& c : LineCases()) {
    const auto stream = Open(c.bytes);
    ASSERT_TRUE(stream);
    EXPECT_EQ(StreamLines(*stream), c.lines) << testing::PrintToString(c.bytes);
    EXPECT_TRUE(stream->IsEOF());
    EXPECT_EQ(stream->ReadLine().Bytes(), "");
    EXPECT_FALSE(stream->ReadFailed());
  }
}

TEST_F(TextFiles, LinesCarryTheStreamsEncodingUnlessOneIsGiven) {
  const auto stream = Open("\xFC\n\xFC\n\xFC");
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->Encoding(), Encodings::UTF8());
  EXPECT_EQ(stream->ReadLine().Encoding(), Encodings::UTF8());
  stream->SetEncoding(Encodings::ISOLatin1());
  EXPECT_EQ(stream->Encoding(), Encodings::ISOLatin1());
  const Text latin1 = stream->ReadLine();
  EXPECT_EQ(latin1.Encoding(), Encodings::ISOLatin1());
  EXPECT_EQ(latin1.ToUTF8(), "ü");
  EXPECT_EQ(stream->ReadLine(Encodings::MacRoman()).Encoding(), Encodings::MacRoman());
}

TEST_F(TextFiles, LongLinesAndLoneCarriageReturnsAcrossManyReads) {
  const std::string longLine(10 * 1024 * 1024, 'x');
  auto stream = Open(longLine + "\r\nend");
  ASSERT_TRUE(stream);
  EXPECT_EQ(StreamLines(*stream), (std::vector<std::string>{longLine, "end"}));

  std::string crOnly;
  for (int i = 0; i < 200000; ++i) crOnly += std::to_string(i) + "\r";
  stream = Open(crOnly);
  ASSERT_TRUE(stream);
  const std::vector<std::string> lines = StreamLines(*stream);
  ASSERT_EQ(lines.size(), 200000u);
  EXPECT_EQ(lines.front(), "0");
  EXPECT_EQ(lines.back(), "199999");
}

TEST_F(TextFiles, AFailedReadEndsTheStreamAndSaysSo) {
  // Reading a folder's descriptor fails (EISDIR), as a damaged medium would.
  const int fd = ::open(folder_.PathOf("").c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  TextInputStream stream(fd);
  EXPECT_EQ(stream.ReadLine().Bytes(), "");
  EXPECT_TRUE(stream.IsEOF());
  EXPECT_TRUE(stream.ReadFailed());
}

TEST_F(TextFiles, OpensOnlyRegularFilesThatCanBeRead) {
  EXPECT_FALSE(FolderItem(folder_.PathOf("")).OpenAsTextFile()) << "a folder";
  EXPECT_FALSE(FolderItem(folder_.PathOf("missing")).OpenAsTextFile());
  ASSERT_EQ(::mkfifo(folder_.PathOf("pipe").c_str(), 0600), 0);
  EXPECT_FALSE(FolderItem(folder_.PathOf("pipe")).OpenAsTextFile()) << "must not wait for a writer";
  if (::geteuid() != 0) {  // root reads whatever the permissions say
    const std::string locked = folder_.Write("locked", "x");
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    EXPECT_FALSE(FolderItem(locked).OpenAsTextFile());
  }
}

TEST_F(TextFiles, ExistsIsAskedAnew) {
  const FolderItem item(folder_.PathOf("later.csv"));
  EXPECT_FALSE(item.Exists());
  folder_.Write("later.csv", "");
  EXPECT_TRUE(item.Exists());
  std::filesystem::remove(item.Path());
  EXPECT_FALSE(item.Exists());
  EXPECT_TRUE(FolderItem(folder_.PathOf("")).Exists());
}

TEST(FolderItem, PathIsMadeAbsoluteAndNameIsItsLastComponent) {
  const std::string cwd = std::filesystem::current_path().string();
  const std::string base = cwd == "/" ? "" : cwd;
  struct Case {
    std::string given, absolute, name;
  };
  const std::vector<Case> cases = {
      {"/tmp/Umsätze.csv", "/tmp/Umsätze.csv", "Umsätze.csv"},
      {"/tmp//x/./y.csv/", "/tmp/x/y.csv", "y.csv"},
      {"/", "/", "/"},
      {"export.csv", base + "/export.csv", "export.csv"},
      {"./a/../b.csv", base + "/a/../b.csv", "b.csv"},
  };
  for (const Case& c : cases) {
    const FolderItem item(c.given);
    EXPECT_EQ(item.AbsolutePath().Bytes(), c.absolute) << c.given;
    EXPECT_EQ(item.AbsolutePath().Encoding(), Encodings::UTF8());
    EXPECT_EQ(item.Name().Bytes(), c.name) << c.given;
  }
}

}  // namespace
}  // namespace fw
