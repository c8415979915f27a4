#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/display/terminal/KeyParser.h"

namespace fw::terminal {
namespace {

using Keys = std::vector<Key>;

constexpr Key K(KeyCode code) { return Key::Of(code); }
constexpr Key C(char32_t code) { return Key::Char(code); }

std::string Names(const Keys& keys) {
  std::string names;
  for (const Key& key : keys) names += KeyName(key) + " ";
  return names;
}

// All bytes at once, then the pause that ends a pending key.
Keys ParseAll(const std::string& bytes) {
  KeyParser parser;
  Keys keys = parser.Feed(bytes);
  for (const Key& key : parser.Flush()) keys.push_back(key);
  return keys;
}

// One byte a call, as a slow pipe would deliver them; no pause in between.
Keys ParseBytewise(const std::string& bytes) {
  KeyParser parser;
  Keys keys;
  for (const char byte : bytes) {
    for (const Key& key : parser.Feed(std::string(1, byte))) keys.push_back(key);
  }
  for (const Key& key : parser.Flush()) keys.push_back(key);
  return keys;
}

struct Case {
  const char* name;
  std::string bytes;
  Keys keys;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class KeyParserCases : public ::testing::TestWithParam<Case> {};

TEST_P(KeyParserCases, GivesTheKeysWhateverTheSplit) {
  const Case& c = GetParam();
  EXPECT_EQ(Names(ParseAll(c.bytes)), Names(c.keys));
  EXPECT_EQ(Names(ParseBytewise(c.bytes)), Names(c.keys));
}

const Case kCases[] = {
    {"tabs", "\t\x1b[Z", {K(KeyCode::Tab), K(KeyCode::BackTab)}},
    {"enter_cr_lf_crlf", "\r\n\r\n\r\r", Keys(4, K(KeyCode::Enter))},
    {"lf_then_cr", "\n\r", Keys(2, K(KeyCode::Enter))},
    {"space_and_letters", " a~", {K(KeyCode::Space), C(U'a'), C(U'~')}},
    {"csi_arrows",
     "\x1b[A\x1b[B\x1b[C\x1b[D",
     {K(KeyCode::Up), K(KeyCode::Down), K(KeyCode::Right), K(KeyCode::Left)}},
    {"ss3_arrows",
     "\x1bOA\x1bOB\x1bOC\x1bOD",
     {K(KeyCode::Up), K(KeyCode::Down), K(KeyCode::Right), K(KeyCode::Left)}},
    {"arrow_with_modifier", "\x1b[1;2A", {K(KeyCode::Up)}},
    {"f10_and_shift_f10", "\x1b[21~\x1b[21;2~", {K(KeyCode::F10), K(KeyCode::F10)}},
    {"ctrl_q_and_backspaces",
     "\x11\x7f\x08",
     {K(KeyCode::CtrlQ), K(KeyCode::Backspace), K(KeyCode::Backspace)}},
    {"lone_esc_at_end", "\x1b", {K(KeyCode::Escape)}},
    {"esc_before_a_key",
     "\x1b\r\x1b"
     "a",
     {K(KeyCode::Escape), K(KeyCode::Enter), K(KeyCode::Escape), C(U'a')}},
    {"double_esc", "\x1b\x1b", {K(KeyCode::Escape), K(KeyCode::Escape)}},
    {"umlauts_and_euro",
     "\xc3\xa4\xc3\x9f\xe2\x82\xac\xf0\x9f\x98\x80",
     {C(U'ä'), C(U'ß'), C(U'€'), C(U'\U0001F600')}},
    {"unknown_sequences_consumed", "\x1b[15~\x1b[?1;2c\x1b[200~x\x1bOP\x1b[1;5H", {C(U'x')}},
    {"broken_sequence_restarts", "\x1b[1\r", {K(KeyCode::Enter)}},
    {"intermediate_bytes_ignored", "\x1b[ A", {}},
    {"long_parameters_consumed", "\x1b[" + std::string(100, '1') + "~b", {C(U'b')}},
    {"other_controls_dropped", std::string("\x01\x02\x03\x1a\x7e\x00", 6), {C(U'~')}},
    {"invalid_utf8_dropped",
     "\x80\xbf\xc0\xaf\xc1\xbf\xf5\xff"
     "z",
     {C(U'z')}},
    {"overlong_and_surrogate",
     "\xe0\x80\xaf\xed\xa0\x80\xf4\x90\x80\x80"
     "y",
     {C(U'y')}},
    {"broken_utf8_then_key",
     "\xc3\t\xe2\x82"
     "a",
     {K(KeyCode::Tab), C(U'a')}},
    {"c1_controls_dropped",
     "\xc2\x85\xc2\x9b"
     "q",
     {C(U'q')}},
    {"incomplete_sequence_at_end", "a\x1b[", {C(U'a')}},
    {"incomplete_utf8_at_end", "a\xe2\x82", {C(U'a')}},
};

INSTANTIATE_TEST_SUITE_P(Bytes, KeyParserCases, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(KeyParser, HoldsALoneEscUntilThePause) {
  KeyParser parser;
  EXPECT_TRUE(parser.Feed("\x1b").empty());
  EXPECT_TRUE(parser.HasPending());
  EXPECT_EQ(parser.Flush(), Keys{K(KeyCode::Escape)});
  EXPECT_FALSE(parser.HasPending());
  EXPECT_TRUE(parser.Flush().empty());
}

TEST(KeyParser, ASequenceSplitAcrossReadsIsOneKey) {
  KeyParser parser;
  EXPECT_TRUE(parser.Feed("\x1b[2").empty());
  EXPECT_TRUE(parser.HasPending());
  EXPECT_EQ(parser.Feed("1~"), Keys{K(KeyCode::F10)});
  EXPECT_FALSE(parser.HasPending());
}

TEST(KeyParser, CrAndLfAcrossAPauseStillCountOnce) {
  KeyParser parser;
  EXPECT_EQ(parser.Feed("\r"), Keys{K(KeyCode::Enter)});
  EXPECT_TRUE(parser.Flush().empty());
  EXPECT_TRUE(parser.Feed("\n").empty());
  EXPECT_EQ(parser.Feed("\n"), Keys{K(KeyCode::Enter)});
}

TEST(KeyParser, SpaceTypesABlank) {
  EXPECT_TRUE(K(KeyCode::Space).TypesCharacter());
  EXPECT_EQ(K(KeyCode::Space).character, U' ');
  EXPECT_TRUE(C(U'ö').TypesCharacter());
  EXPECT_FALSE(K(KeyCode::Enter).TypesCharacter());
}

}  // namespace
}  // namespace fw::terminal
