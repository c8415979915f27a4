#include "framework/text/TextFunctions.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "framework/text/ByteOperations.h"
#include "framework/text/CharacterSet.h"
#include "framework/text/TextSearch.h"

namespace fw {

namespace {

std::size_t ToSize(std::int32_t value) { return value < 0 ? 0 : static_cast<std::size_t>(value); }

std::int32_t ToInt32(std::size_t value) { return static_cast<std::int32_t>(value); }

bool IsTrailingWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

Text ReplaceOccurrences(const Text& text, const Text& old, const Text& replacement, bool all) {
  const TextSearch search(text, old);
  std::size_t found = search.Find(0);
  if (found == std::string::npos) return text;
  Text result = Text::FromBytes(std::string(), text.Encoding());
  std::size_t copied = 0;
  while (found != std::string::npos) {
    result += Slice(text, copied, found);
    result += replacement;
    copied = found + search.PartSize();
    found = all ? search.Find(copied) : std::string::npos;
  }
  result += Slice(text, copied, text.Bytes().size());
  return result;
}

// The byte tables between the single-byte encodings, built once: [from][to], by EncodingId.
using ByteTable = std::array<char, 256>;
const ByteTable& SingleByteTable(TextEncoding from, TextEncoding to) {
  static const auto tables = [] {
    std::array<std::array<ByteTable, 3>, 3> all{};
    for (const TextEncoding source : {Encodings::ISOLatin1(), Encodings::MacRoman()}) {
      for (const TextEncoding target : {Encodings::ISOLatin1(), Encodings::MacRoman()}) {
        ByteTable& table =
            all[static_cast<std::size_t>(source.Id())][static_cast<std::size_t>(target.Id())];
        for (unsigned byte = 0; byte < 256; ++byte) {
          const auto encoded =
              EncodeSingleByte(DecodeSingleByte(static_cast<unsigned char>(byte), source), target);
          table[byte] = encoded ? static_cast<char>(*encoded) : '?';
        }
      }
    }
    return all;
  }();
  return tables[static_cast<std::size_t>(from.Id())][static_cast<std::size_t>(to.Id())];
}

// True for a byte that means the same in all three encodings and has no other letter case: a
// search for it is a plain byte search.
bool IsCaselessASCII(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x80 && !((byte | 0x20) >= 'a' && (byte | 0x20) <= 'z');
}

std::string GroupThousands(const std::string& digits) {
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped.push_back(',');
    grouped.push_back(digits[i]);
  }
  return grouped;
}

}  // namespace

std::int32_t InStr(std::int32_t start, const Text& text, const Text& part) {
  const TextSearch search(text, part);
  const std::size_t from = ByteOffsetOfCharacter(text, start > 1 ? ToSize(start - 1) : 0);
  const std::size_t found = search.Find(from);
  if (found == std::string::npos) return 0;
  return ToInt32(CharacterCount(text, found)) + 1;
}

std::int32_t CountFields(const Text& text, const Text& separator) {
  const TextSearch search(text, separator);
  std::int32_t count = 1;
  for (std::size_t found = search.Find(0); found != std::string::npos;
       found = search.Find(found + search.PartSize())) {
    ++count;
  }
  return count;
}

Text NthField(const Text& text, const Text& separator, std::int32_t n) {
  if (n < 1) return Text::FromBytes(std::string(), text.Encoding());
  const TextSearch search(text, separator);
  if (search.PartIsEmpty()) return n == 1 ? text : Text::FromBytes(std::string(), text.Encoding());
  std::size_t begin = 0;
  for (std::int32_t field = 1; field < n; ++field) {
    const std::size_t found = search.Find(begin);
    if (found == std::string::npos) return Text::FromBytes(std::string(), text.Encoding());
    begin = found + search.PartSize();
  }
  const std::size_t end = search.Find(begin);
  return Slice(text, begin, end == std::string::npos ? text.Bytes().size() : end);
}

std::vector<Text> SplitFields(const Text& text, const Text& separator) {
  const TextSearch search(text, separator);
  std::vector<Text> fields;
  std::size_t begin = 0;
  for (std::size_t found = search.Find(0); found != std::string::npos; found = search.Find(begin)) {
    fields.push_back(Slice(text, begin, found));
    begin = found + search.PartSize();
  }
  fields.push_back(Slice(text, begin, text.Bytes().size()));
  return fields;
}

Text Chr(std::int32_t code) {
  std::string bytes;
  AppendUTF8(bytes, code < 0 ? 0xFFFD : static_cast<char32_t>(code));
  return Text(std::move(bytes));
}

std::int32_t Len(const Text& text) { return ToInt32(CharacterCount(text, text.Bytes().size())); }

Text Left(const Text& text, std::int32_t count) {
  return Slice(text, 0, ByteOffsetOfCharacter(text, ToSize(count)));
}

Text Right(const Text& text, std::int32_t count) {
  const std::size_t length = CharacterCount(text, text.Bytes().size());
  const std::size_t keep = std::min(ToSize(count), length);
  return Slice(text, ByteOffsetOfCharacter(text, length - keep), text.Bytes().size());
}

Text RTrim(const Text& text) {
  const std::string& bytes = text.Bytes();
  std::size_t end = bytes.size();
  while (end > 0 && IsTrailingWhiteSpace(bytes[end - 1])) --end;
  if (end == bytes.size()) return text;
  return Slice(text, 0, end);
}

Text RTrim(Text&& text) {
  std::string& bytes = text.MutableBytes();
  std::size_t end = bytes.size();
  while (end > 0 && IsTrailingWhiteSpace(bytes[end - 1])) --end;
  bytes.resize(end);
  return std::move(text);
}

Text Replace(const Text& text, const Text& old, const Text& replacement) {
  return ReplaceOccurrences(text, old, replacement, false);
}

Text Replace(Text&& text, const Text& old, const Text& replacement) {
  // Deleting the first of one caseless ASCII character is done on the bytes in place.
  if (old.Bytes().size() == 1 && IsCaselessASCII(old.Bytes()[0]) && replacement.IsEmpty()) {
    std::string& bytes = text.MutableBytes();
    const std::size_t found = bytes.find(old.Bytes()[0]);
    if (found != std::string::npos) bytes.erase(found, 1);
    return std::move(text);
  }
  return ReplaceOccurrences(text, old, replacement, false);
}

Text ReplaceAll(const Text& text, const Text& old, const Text& replacement) {
  return ReplaceOccurrences(text, old, replacement, true);
}

Text ReplaceAll(Text&& text, const Text& old, const Text& replacement) {
  // Deleting one caseless ASCII character, the common case, is done on the bytes in place.
  if (old.Bytes().size() == 1 && IsCaselessASCII(old.Bytes()[0]) && replacement.IsEmpty()) {
    DeleteEvery(text.MutableBytes(), old.Bytes()[0]);
    return std::move(text);
  }
  return ReplaceOccurrences(text, old, replacement, true);
}

Text ConvertEncoding(const Text& text, TextEncoding encoding) {
  if (text.Encoding() == encoding) return text;
  if (text.IsASCII()) return Text::FromBytes(text.Bytes(), encoding);
  if (encoding == Encodings::UTF8()) return Text::FromBytes(text.ToUTF8(), encoding);
  std::string bytes;
  bytes.reserve(text.Bytes().size());
  if (text.Encoding().IsSingleByte()) {
    const ByteTable& table = SingleByteTable(text.Encoding(), encoding);
    for (char c : text.Bytes()) bytes.push_back(table[static_cast<unsigned char>(c)]);
  } else {
    for (char32_t code : text.CodePoints()) {
      const auto encoded = EncodeSingleByte(code, encoding);
      bytes.push_back(encoded ? static_cast<char>(*encoded) : '?');
    }
  }
  return Text::FromBytes(std::move(bytes), encoding);
}

Text ConvertEncoding(Text&& text, TextEncoding encoding) {
  if (text.Encoding() == encoding) return std::move(text);
  std::string& bytes = text.MutableBytes();
  if (text.Encoding().IsSingleByte() && encoding.IsSingleByte()) {
    // ASCII bytes stay as they are; the table starts at the first byte that may change.
    MapNonASCIIBytes(bytes, SingleByteTable(text.Encoding(), encoding));
    return Text::FromBytes(std::move(bytes), encoding);
  }
  if (FirstNonASCII(bytes) == bytes.size()) return Text::FromBytes(std::move(bytes), encoding);
  return ConvertEncoding(static_cast<const Text&>(text), encoding);
}

double Val(const Text& text) {
  const std::string bytes = text.ToUTF8();
  std::size_t pos = 0;
  while (pos < bytes.size() && (bytes[pos] == ' ' || bytes[pos] == '\t')) ++pos;
  std::size_t end = pos;
  if (end < bytes.size() && (bytes[end] == '+' || bytes[end] == '-')) ++end;
  const auto isDigit = [&](std::size_t i) {
    return i < bytes.size() && bytes[i] >= '0' && bytes[i] <= '9';
  };
  while (isDigit(end)) ++end;
  if (end < bytes.size() && bytes[end] == '.') {
    ++end;
    while (isDigit(end)) ++end;
  }
  if (end < bytes.size() && (bytes[end] == 'e' || bytes[end] == 'E')) {
    std::size_t exponent = end + 1;
    if (exponent < bytes.size() && (bytes[exponent] == '+' || bytes[exponent] == '-')) ++exponent;
    if (isDigit(exponent)) {
      end = exponent;
      while (isDigit(end)) ++end;
    }
  }
  const std::string number = bytes.substr(pos, end - pos);
  if (number.empty()) return 0.0;
  return std::strtod(number.c_str(), nullptr);
}

Text Str(std::int32_t value, const Text& /*format*/) { return Text(std::to_string(value)); }

Text Format(double number, const Text& mask) {
  const std::string pattern = mask.ToUTF8();
  const std::size_t point = pattern.find('.');
  const std::string integerMask = pattern.substr(0, point);
  const std::string fractionMask = point == std::string::npos ? "" : pattern.substr(point + 1);

  std::size_t fractionDigits = 0;
  for (char c : fractionMask) fractionDigits += (c == '0' || c == '#') ? 1 : 0;
  const double scale = std::pow(10.0, static_cast<double>(fractionDigits));
  const double rounded = std::round(std::fabs(number) * scale);

  std::string digits = std::to_string(static_cast<unsigned long long>(rounded));
  if (digits.size() <= fractionDigits) digits.insert(0, fractionDigits - digits.size() + 1, '0');
  std::string integerDigits = digits.substr(0, digits.size() - fractionDigits);
  std::string fraction = digits.substr(digits.size() - fractionDigits);

  std::size_t required = 0;
  for (char c : integerMask) required += c == '0' ? 1 : 0;
  if (integerDigits == "0" && required == 0) integerDigits.clear();
  if (integerDigits.size() < required)
    integerDigits.insert(0, required - integerDigits.size(), '0');
  if (integerMask.find(',') != std::string::npos) integerDigits = GroupThousands(integerDigits);
  // Optional trailing decimals ("#") are dropped when they are zero.
  std::size_t keepFraction = fraction.size();
  for (std::size_t i = fractionMask.size(); i > 0 && keepFraction > 0; --i) {
    if (fractionMask[i - 1] != '#' || fraction[keepFraction - 1] != '0') break;
    --keepFraction;
  }
  fraction.resize(keepFraction);

  std::string out;
  if (number < 0 && rounded != 0) out.push_back('-');
  out += integerDigits;
  if (!fractionMask.empty() && !fraction.empty()) out += "." + fraction;
  return Text(std::move(out));
}

}  // namespace fw
