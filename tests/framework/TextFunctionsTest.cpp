#include <gtest/gtest.h>

#include <set>

#include "framework/text/CharacterSet.h"
#include "framework/text/TextFunctions.h"

namespace fw {
namespace {

Text Latin1(const std::string& bytes) { return Text::FromBytes(bytes, Encodings::ISOLatin1()); }
Text MacRoman(const std::string& bytes) { return Text::FromBytes(bytes, Encodings::MacRoman()); }

TEST(TextEquality, ComparesCharactersAcrossEncodingsAndIgnoresCase) {
  EXPECT_EQ(Text("Begünstigter"), Latin1("Beg\xFCnstigter"));
  EXPECT_EQ(Text("Begünstigter"), MacRoman("Beg\x9Fnstigter"));
  EXPECT_EQ(Latin1("\xFC"), MacRoman("\x9F"));
  EXPECT_EQ(Text("BETRAG"), Text("betrag"));
  EXPECT_EQ(Text("ÄÖÜ"), MacRoman("\x8A\x9A\x9F"));  // capitals against small letters
  EXPECT_FALSE(Text("Betrag") == Text("Betrag "));
  EXPECT_FALSE(Text(" Betrag") == Text("Betrag"));
  EXPECT_FALSE(Text("ß") == Text("ss"));
  EXPECT_EQ(Text(), Text::FromBytes("", Encodings::MacRoman()));
}

TEST(TextConcatenation, KeepsEncodingOrFallsBackToUTF8) {
  const Text joined = MacRoman("K\x9F") + Text("\n");
  EXPECT_EQ(joined.Encoding(), Encodings::MacRoman());
  EXPECT_EQ(joined.Bytes(), "K\x9F\n");
  const Text mixed = MacRoman("\x9F") + Latin1("\xE4");
  EXPECT_EQ(mixed.Encoding(), Encodings::UTF8());
  EXPECT_EQ(mixed.Bytes(), "üä");
  EXPECT_EQ((Text() + MacRoman("\x9F")).Encoding(), Encodings::MacRoman());
}

TEST(MacRomanTable, IsABijectionOntoDistinctCharacters) {
  std::set<char32_t> seen;
  for (unsigned byte = 0; byte < 256; ++byte) {
    const char32_t code = MacRomanToUnicode()[byte];
    EXPECT_TRUE(seen.insert(code).second) << "byte " << byte;
    EXPECT_EQ(EncodeSingleByte(code, Encodings::MacRoman()), static_cast<unsigned char>(byte));
  }
  EXPECT_EQ(MacRomanToUnicode()[0x8A], U'ä');
  EXPECT_EQ(MacRomanToUnicode()[0xA7], U'ß');
  EXPECT_EQ(MacRomanToUnicode()[0xDB], U'€');
  EXPECT_EQ(MacRomanToUnicode()[0xFF], U'ˇ');
}

TEST(ConvertEncoding, KeepsCharactersAndMarksMissingOnes) {
  const Text header =
      ConvertEncoding(Latin1("Beg\xFCnstigter/Absender - Name"), Encodings::MacRoman());
  EXPECT_EQ(header.Bytes(), "Beg\x9Fnstigter/Absender - Name");
  EXPECT_EQ(header, Text("Begünstigter/Absender - Name"));
  // ¤ ¦ ² ³ ¹ ¼ ½ ¾ Ð × Ý Þ ð ý þ and the soft hyphen are not in Mac Roman, nor are C1 controls.
  EXPECT_EQ(
      ConvertEncoding(Latin1("\xA4\xA6\xB2\xD0\xD7\xFE\xAD\x85"), Encodings::MacRoman()).Bytes(),
      "????????");
  EXPECT_EQ(ConvertEncoding(Text("a€b"), Encodings::ISOLatin1()).Bytes(), "a?b");
  EXPECT_EQ(ConvertEncoding(MacRoman("\xDB"), Encodings::UTF8()).Bytes(), "€");
}

TEST(Fields, CountAndTakeFieldsWithTheSpecifiedRules) {
  struct Case {
    Text text;
    Text separator;
    std::int32_t count;
    std::vector<Text> fields;
  };
  const std::vector<Case> cases = {
      {"a;b;c", ";", 3, {"a", "b", "c"}},
      {"", ";", 1, {""}},
      {"Betrag", ";", 1, {"Betrag"}},
      {";a;", ";", 3, {"", "a", ""}},
      {"Giro, Spar", ", ", 2, {"Giro", "Spar"}},
      {"Giro,Spar", ", ", 1, {"Giro,Spar"}},
      {"Giro,  Spar", ", ", 2, {"Giro", " Spar"}},
      {", Giro, ", ", ", 3, {"", "Giro", ""}},
      {"aXbxc", "x", 3, {"a", "b", "c"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CountFields(c.text, c.separator), c.count) << c.text.Bytes();
    const std::vector<Text> split = SplitFields(c.text, c.separator);
    ASSERT_EQ(split.size(), c.fields.size()) << c.text.Bytes();
    for (std::size_t i = 0; i < split.size(); ++i) {
      EXPECT_EQ(split[i].Bytes(), c.fields[i].Bytes()) << c.text.Bytes() << " field " << i + 1;
      EXPECT_EQ(NthField(c.text, c.separator, static_cast<std::int32_t>(i) + 1).Bytes(),
                c.fields[i].Bytes());
    }
    EXPECT_EQ(NthField(c.text, c.separator, c.count + 1), Text());
    EXPECT_EQ(NthField(c.text, c.separator, 0), Text());
  }
  EXPECT_EQ(NthField(MacRoman("x;\x9F"), ";", 2).Encoding(), Encodings::MacRoman());
}

TEST(Positions, CountCharactersNotBytes) {
  EXPECT_EQ(InStr(0, "äb,c", ","), 3);
  EXPECT_EQ(InStr(0,
                  MacRoman("\x8A"
                           "b,c"),
                  ","),
            3);
  EXPECT_EQ(InStr(0, "abc", "d"), 0);
  EXPECT_EQ(InStr(0, "abc", ""), 0);
  EXPECT_EQ(InStr(0, "xÄy", "ä"), 2);
  EXPECT_EQ(InStr(0, MacRoman("x\x80y"), "ä"), 2);  // Ä in Mac Roman found by a UTF-8 ä
  EXPECT_EQ(InStr(3, "a,b,c", ","), 4);
  EXPECT_EQ(Len("Bestätigung"), 11);
  EXPECT_EQ(Len(MacRoman("Best\x8Atigung")), 11);
  EXPECT_EQ(Left("äöü", 2).Bytes(), "äö");
  EXPECT_EQ(Right("äöü", 2).Bytes(), "öü");
  EXPECT_EQ(Right("ab", 5).Bytes(), "ab");
  EXPECT_EQ(Left("ab", -1).Bytes(), "");
  EXPECT_EQ(Chr(10).Bytes(), "\n");
  EXPECT_EQ(Chr(34).Bytes(), "\"");
}

TEST(Replacing, FirstOrEveryOccurrence) {
  EXPECT_EQ(Replace("1,2,3", ",", "").Bytes(), "12,3");
  EXPECT_EQ(ReplaceAll("\"a\";\"b\"", "\"", "").Bytes(), "a;b");
  EXPECT_EQ(ReplaceAll("none", "\"", "").Bytes(), "none");
  EXPECT_EQ(ReplaceAll(MacRoman("\"\x9F\""), "\"", "").Encoding(), Encodings::MacRoman());
  EXPECT_EQ(RTrim(" a \t\r\n\v\f").Bytes(), " a");
  EXPECT_EQ(RTrim("   ").Bytes(), "");
}

TEST(Numbers, ValStrAndFormat) {
  EXPECT_EQ(Val(""), 0.0);
  EXPECT_EQ(Val(" 42abc"), 42.0);
  EXPECT_EQ(Val("-1.5"), -1.5);
  EXPECT_EQ(Str(2008, "").Bytes(), "2008");
  EXPECT_EQ(Str(-7, "").Bytes(), "-7");
  EXPECT_EQ(Format(5, "00").Bytes(), "05");
  EXPECT_EQ(Format(12, "00").Bytes(), "12");
  EXPECT_EQ(Format(123, "00").Bytes(), "123");
  EXPECT_EQ(Format(0, "00").Bytes(), "00");
  EXPECT_EQ(Format(3.14159, "0.00").Bytes(), "3.14");
  EXPECT_EQ(Format(1234567, "#,##0").Bytes(), "1,234,567");
  EXPECT_EQ(Format(-5, "00").Bytes(), "-05");
}

}  // namespace
}  // namespace fw
