#include "framework/display/RecordingDisplay.h"

#include "framework/core/Exceptions.h"

namespace fw {

namespace {
Display* InstalledDisplayOrNone() {
  try {
    return &CurrentDisplay();
  } catch (const RuntimeException&) {
    return nullptr;
  }
}
}  // namespace

RecordingDisplay::RecordingDisplay() : previous_(InstalledDisplayOrNone()) {
  SetCurrentDisplay(this);
}

RecordingDisplay::~RecordingDisplay() { SetCurrentDisplay(previous_); }

void RecordingDisplay::QueueFile(const std::string& path) {
  answers_.push_back(std::make_shared<FolderItem>(path));
}

void RecordingDisplay::QueueCancel() { answers_.push_back(nullptr); }

void RecordingDisplay::ShowMessage(const Text& message) { messages_.push_back(message.ToUTF8()); }

std::shared_ptr<FolderItem> RecordingDisplay::ChooseFile(const Text& fileTypes) {
  fileTypeRequests_.push_back(fileTypes.ToUTF8());
  if (answers_.empty()) return nullptr;
  std::shared_ptr<FolderItem> answer = answers_.front();
  answers_.pop_front();
  return answer;
}

}  // namespace fw
