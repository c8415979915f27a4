#include "framework/runtime/PropertyListReader.h"

#include <cstdint>
#include <cstdio>

namespace fw {

namespace {

std::uint32_t BigEndian32(std::string_view four) {
  std::uint32_t value = 0;
  for (char c : four) value = (value << 8) | static_cast<std::uint8_t>(c);
  return value;
}

std::size_t SizeOf(ValueKind kind) {
  switch (kind) {
    case ValueKind::kInt32:
    case ValueKind::kString:
      return 4;
    case ValueKind::kBoolean:
      return 1;
    case ValueKind::kColor:
      return 3;
    case ValueKind::kNone:
      break;
  }
  return 0;
}

}  // namespace

PropertyListException::PropertyListException(std::size_t offset, const std::string& cause)
    : RuntimeException(
          Text("Fehlerhafte Eigenschaftsliste bei Byte " + std::to_string(offset) + ": " + cause)),
      offset_(offset) {}

std::string PrintableName(std::string_view name) {
  std::string printable;
  for (char c : name) {
    auto byte = static_cast<std::uint8_t>(c);
    if (byte >= 0x21 && byte < 0x7F) {
      printable += c;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      printable += escaped;
    }
  }
  return printable;
}

PropertyListReader::PropertyListReader(std::string_view bytes, PropertyKindResolver resolver)
    : bytes_(bytes), resolver_(std::move(resolver)) {}

PropertyListEntry PropertyListReader::Next() {
  PropertyListEntry entry;
  entry.offset = position_;
  entry.name = ReadName();
  std::optional<ValueKind> kind = resolver_(entry.name);
  if (!kind) {
    throw PropertyListException(
        entry.offset, "die Klasse kennt keine Eigenschaft \"" + PrintableName(entry.name) + "\"");
  }
  if (*kind == ValueKind::kNone) {
    throw PropertyListException(entry.offset, "die Eigenschaft \"" + PrintableName(entry.name) +
                                                  "\" kann nicht aus einer Liste gesetzt werden");
  }
  entry.value = ReadValue(*kind, entry.name);
  entry.length = position_ - entry.offset;
  return entry;
}

std::string PropertyListReader::ReadName() {
  std::size_t blank = bytes_.find(' ', position_);
  if (blank == std::string_view::npos) {
    throw PropertyListException(position_, "der Name endet nicht mit einem Leerzeichen");
  }
  if (blank == position_) throw PropertyListException(position_, "der Name ist leer");
  std::string name(bytes_.substr(position_, blank - position_));
  position_ = blank + 1;
  return name;
}

std::string_view PropertyListReader::Take(std::size_t count, const std::string& name) {
  std::size_t left = bytes_.size() - position_;
  if (count > left) {
    throw PropertyListException(position_, "der Wert von \"" + PrintableName(name) +
                                               "\" ist abgeschnitten (" + std::to_string(count) +
                                               " Bytes erwartet, " + std::to_string(left) +
                                               " vorhanden)");
  }
  std::string_view taken = bytes_.substr(position_, count);
  position_ += count;
  return taken;
}

PropertyValue PropertyListReader::ReadValue(ValueKind kind, const std::string& name) {
  std::size_t start = position_;
  std::string_view fixed = Take(SizeOf(kind), name);
  switch (kind) {
    case ValueKind::kInt32:
      return static_cast<std::int32_t>(BigEndian32(fixed));
    case ValueKind::kBoolean: {
      auto byte = static_cast<std::uint8_t>(fixed[0]);
      if (byte > 1) {
        throw PropertyListException(
            start, "der Wahrheitswert von \"" + PrintableName(name) + "\" ist weder 0 noch 1");
      }
      return byte == 1;
    }
    case ValueKind::kColor:
      return Color{static_cast<std::uint8_t>(fixed[0]), static_cast<std::uint8_t>(fixed[1]),
                   static_cast<std::uint8_t>(fixed[2])};
    case ValueKind::kString:
      return Text(std::string(Take(BigEndian32(fixed), name)));
    case ValueKind::kNone:
      break;
  }
  return {};
}

}  // namespace fw
