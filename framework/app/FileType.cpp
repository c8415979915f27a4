#include "framework/app/FileType.h"

#include <algorithm>

namespace fw {

namespace {

struct FileTypeRegistry {
  std::vector<FileTypeRegistration> registered;
  std::int32_t registrations = 0;
};

FileTypeRegistry& Registry() {
  static FileTypeRegistry registry;
  return registry;
}

}  // namespace

const ClassTable& FileType::Lookup() {
  static const ClassTable& table = []() -> ClassTable& {
    ClassTable& t = RuntimeNewClass("FileType", nullptr, {}, {}, [] { return new FileType(); });
    RuntimeNewVtable(t, {Method<&FileType::Operator_Convert>("Operator_Convert", "%s%")});
    t.properties = {FW_ACCESSOR(FileType, fw::Text, Name, "String"),
                    FW_ACCESSOR(FileType, fw::Text, Extensions, "String"),
                    FW_ACCESSOR(FileType, fw::Text, MacType, "String"),
                    FW_ACCESSOR(FileType, fw::Text, MacCreator, "String")};
    return t;
  }();
  return table;
}

FileType::~FileType() { Withdraw(); }

void FileType::Withdraw() {
  if (!registered_) return;
  RuntimeDeregisterFileType(name_);
  registered_ = false;
}

void FileType::Name(fw::Text value) {
  Withdraw();
  name_ = std::move(value);
}
void FileType::Extensions(fw::Text value) {
  Withdraw();
  extensions_ = std::move(value);
}
void FileType::MacType(fw::Text value) {
  Withdraw();
  macType_ = std::move(value);
}
void FileType::MacCreator(fw::Text value) {
  Withdraw();
  macCreator_ = std::move(value);
}

fw::Text FileType::Operator_Convert() {
  if (!registered_) {
    RuntimeRegisterFileType(name_, macCreator_, macType_, extensions_);
    registered_ = true;
  }
  return name_;
}

void RuntimeRegisterFileType(const Text& name, const Text& macCreator, const Text& macType,
                             const Text& extensions) {
  Registry().registered.push_back({name, macCreator, macType, extensions});
  ++Registry().registrations;
}

void RuntimeDeregisterFileType(const Text& name) {
  auto& registered = Registry().registered;
  auto it = std::find_if(registered.begin(), registered.end(),
                         [&](const FileTypeRegistration& r) { return r.name == name; });
  if (it != registered.end()) registered.erase(it);
}

const std::vector<FileTypeRegistration>& RegisteredFileTypes() { return Registry().registered; }

std::int32_t FileTypeRegistrationCount() { return Registry().registrations; }

void ResetFileTypeRegistry() { Registry() = FileTypeRegistry(); }

}  // namespace fw
