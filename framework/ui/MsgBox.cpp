#include "framework/ui/MsgBox.h"

#include "framework/display/Display.h"
#include "framework/files/FolderItem.h"

namespace fw {

void MsgBox(const Text& message) { CurrentDisplay().ShowMessage(message); }

std::shared_ptr<FolderItem> GetOpenFolderItem(const Text& fileTypes) {
  return CurrentDisplay().ChooseFile(fileTypes);
}

}  // namespace fw
