#include <cstdio>

#include "framework/display/Display.h"
#include "shell/Process.h"

namespace {

// Shows no window and ends input at once; a message goes to standard error so that none is lost.
class QuietDisplay : public fw::Display {
 public:
  void ShowMessage(const fw::Text& message) override {
    std::fprintf(stderr, "%s\n", message.ToUTF8().c_str());
  }
  std::shared_ptr<fw::FolderItem> ChooseFile(const fw::Text& /*fileTypes*/) override {
    return nullptr;
  }
};

}  // namespace

int main() {
  QuietDisplay display;
  return valtaro::RunProcess(display);
}
