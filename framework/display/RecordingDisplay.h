#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "framework/display/Display.h"
#include "framework/files/FolderItem.h"

namespace fw {

// A display for tests: installs itself while it lives, records every message shown and answers
// the open dialog from a queue of paths (an empty queue, or a queued cancel, answers none).
class RecordingDisplay : public Display {
 public:
  RecordingDisplay();
  ~RecordingDisplay() override;
  RecordingDisplay(const RecordingDisplay&) = delete;
  RecordingDisplay& operator=(const RecordingDisplay&) = delete;

  void QueueFile(const std::string& path);
  void QueueCancel();

  void ShowMessage(const Text& message) override;
  std::shared_ptr<FolderItem> ChooseFile(const Text& fileTypes) override;

  // The messages in UTF-8, in the order shown.
  const std::vector<std::string>& Messages() const { return messages_; }
  // The file types that each open dialog was shown with.
  const std::vector<std::string>& FileTypeRequests() const { return fileTypeRequests_; }

 private:
  Display* previous_;
  std::vector<std::string> messages_;
  std::vector<std::string> fileTypeRequests_;
  std::deque<std::shared_ptr<FolderItem>> answers_;
};

}  // namespace fw
