#pragma once

#include <vector>

#include "framework/runtime/Object.h"
#include "framework/runtime/Registration.h"

namespace fw {

// A file type for the open dialog. Setting any of its four properties first withdraws its
// registration; converting it to text registers it once; releasing the last reference withdraws
// it.
class FileType : public Object {
 public:
  static const ClassTable& Lookup();
  ~FileType() override;

  fw::Text Name() const { return name_; }
  void Name(fw::Text value);
  fw::Text Extensions() const { return extensions_; }
  void Extensions(fw::Text value);
  fw::Text MacType() const { return macType_; }
  void MacType(fw::Text value);
  fw::Text MacCreator() const { return macCreator_; }
  void MacCreator(fw::Text value);

  // Registers the type when it is not registered; returns Name.
  fw::Text Operator_Convert();
  bool IsRegistered() const { return registered_; }

 private:
  void Withdraw();

  fw::Text name_;
  fw::Text extensions_;
  fw::Text macType_;
  fw::Text macCreator_;
  bool registered_ = false;
};

struct FileTypeRegistration {
  Text name;
  Text macCreator;
  Text macType;
  Text extensions;
};

void RuntimeRegisterFileType(const Text& name, const Text& macCreator, const Text& macType,
                             const Text& extensions);
// Withdraws the registration of that name, if any.
void RuntimeDeregisterFileType(const Text& name);
// The file types registered now, in the order of registration.
const std::vector<FileTypeRegistration>& RegisteredFileTypes();
// How many registrations have been made since the framework started.
std::int32_t FileTypeRegistrationCount();
// Forgets every registration (at framework start).
void ResetFileTypeRegistry();

}  // namespace fw
