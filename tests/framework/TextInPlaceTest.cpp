#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/text/TextFunctions.h"

namespace fw {
namespace {

// The forms that change a text in place must give what the copying forms give.
void ExpectSame(const Text& copied, const Text& inPlace, const Text& input) {
  EXPECT_EQ(inPlace.Bytes(), copied.Bytes()) << testing::PrintToString(input.Bytes());
  EXPECT_EQ(inPlace.Encoding(), copied.Encoding()) << testing::PrintToString(input.Bytes());
}

// Texts of every length up to 70 with quotes, blanks and umlauts in shifting places, so that
// the word-wise and block-wise paths meet every position.
std::vector<Text> MixedTexts() {
  std::vector<Text> texts;
  const std::string pieces[] = {"\"", "a", ";", " ", "\xFC", "\"\"", "Buchungstag"};
  for (std::size_t length = 0; length <= 70; ++length) {
    std::string bytes;
    for (std::size_t i = 0; bytes.size() < length; ++i) bytes += pieces[(i * 3 + length) % 7];
    bytes.resize(length);
    texts.push_back(Text::FromBytes(bytes, Encodings::ISOLatin1()));
  }
  std::string every(256, '\0');
  for (std::size_t i = 0; i < every.size(); ++i) every[i] = static_cast<char>(i);
  texts.push_back(Text::FromBytes(every, Encodings::ISOLatin1()));
  texts.push_back(Text::FromBytes(every, Encodings::MacRoman()));
  return texts;
}

TEST(TextInPlace, GivesTheSameResultsAsTheCopyingForms) {
  std::vector<Text> inputs = {
      Text(""),
      Text("plain ascii text, longer than eight bytes"),
      Text("\"a\";\"b c \" \t\r\n"),
      Text("\"\"\"\""),
      Text("Begünstigter/Absender - Name; Ärger €"),
      Text::FromBytes("\"Gr\xFC\xDF"
                      "e\" \xA4\x80\xFF ",
                      Encodings::ISOLatin1()),
      Text::FromBytes("\x8A\xDB\"x\" ", Encodings::MacRoman()),
      Text::FromBytes("bad utf-8 \xC3 \"\xFF\"", Encodings::UTF8()),
  };
  for (Text& text : MixedTexts()) inputs.push_back(std::move(text));
  const std::vector<TextEncoding> encodings = {Encodings::UTF8(), Encodings::ISOLatin1(),
                                               Encodings::MacRoman()};
  const std::vector<std::pair<Text, Text>> replacements = {
      {Chr(34), Text("")},   {Text(";"), Text("")}, {Text(","), Text("")},
      {Text("a"), Text("")}, {Chr(34), Text("'")},  {Text("ä"), Text("")}};
  for (const Text& input : inputs) {
    ExpectSame(RTrim(input), RTrim(Text(input)), input);
    for (const TextEncoding encoding : encodings)
      ExpectSame(ConvertEncoding(input, encoding), ConvertEncoding(Text(input), encoding), input);
    for (const auto& [old, replacement] : replacements) {
      ExpectSame(ReplaceAll(input, old, replacement), ReplaceAll(Text(input), old, replacement),
                 input);
      ExpectSame(Replace(input, old, replacement), Replace(Text(input), old, replacement), input);
    }
  }
}

}  // namespace
}  // namespace fw
