// Fuzzes property lists: the first byte picks the class of the object (window, push button, label
// or popup menu), the rest is the list. Reading and applying must either go through to the last
// byte or stop with a PropertyListException: reading at an offset inside the list, applying at
// the same offset or at the start of an entry whose value the property refused; nothing else may
// escape, and nothing may be read past the end.

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>

#include "framework/runtime/MassPropertySetter.h"
#include "framework/runtime/PropertyListReader.h"
#include "framework/ui/Label.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/Window.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

const fw::ClassTable& ClassFor(std::uint8_t choice) {
  switch (choice % 4) {
    case 0:
      return fw::Window::Lookup();
    case 1:
      return fw::PushButton::Lookup();
    case 2:
      return fw::Label::Lookup();
    default:
      return fw::PopupMenu::Lookup();
  }
}

struct ReadResult {
  std::size_t end = 0;                 // the whole size, or the fault's offset
  std::set<std::size_t> entryOffsets;  // of the entries read whole
};

// Reads the list on its own, without applying it.
ReadResult ReadThrough(std::string_view list, const fw::ClassTable& table) {
  fw::PropertyListReader reader(list, [&table](std::string_view name) {
    const fw::PropertyEntry* property = table.FindProperty(name);
    return property ? std::optional<fw::ValueKind>(property->Kind()) : std::nullopt;
  });
  ReadResult result;
  try {
    while (!reader.AtEnd()) {
      fw::PropertyListEntry entry = reader.Next();
      Require(entry.offset == result.end && entry.length > 0);
      result.entryOffsets.insert(entry.offset);
      result.end += entry.length;
    }
  } catch (const fw::PropertyListException& e) {
    Require(e.Offset() >= result.end && e.Offset() <= list.size());
    result.end = e.Offset();
    return result;
  }
  Require(result.end == list.size());
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const fw::ClassTable& table = ClassFor(data[0]);
  std::string_view list(reinterpret_cast<const char*>(data + 1), size - 1);
  const ReadResult read = ReadThrough(list, table);

  fw::ObjectRef object = fw::RuntimeNewObject(table);
  try {
    fw::RuntimeMassPropertySetter(*object, list);
    Require(read.end == list.size());
  } catch (const fw::PropertyListException& e) {
    Require(e.Offset() == read.end || read.entryOffsets.count(e.Offset()) != 0);
  }
  return 0;
}
