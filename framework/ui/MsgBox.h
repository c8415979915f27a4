#pragma once

#include <memory>

#include "framework/text/Text.h"

namespace fw {

class FolderItem;

// A modal alert through the current display; returns when dismissed.
void MsgBox(const Text& message);

// The open dialog, starting in the working directory; none when cancelled.
std::shared_ptr<FolderItem> GetOpenFolderItem(const Text& fileTypes);

}  // namespace fw
