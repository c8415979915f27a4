#include "framework/app/EventLoop.h"

#include "framework/app/Application.h"
#include "framework/app/FileType.h"
#include "framework/display/Display.h"
#include "framework/ui/Window.h"

namespace fw {

namespace {

struct LoopState {
  bool quitRequested = false;
  bool inputEnded = false;
  bool endedByException = false;
  std::int32_t quitCode = 0;
};

LoopState& State() {
  static LoopState state;
  return state;
}

}  // namespace

void RuntimeInit() {
  ReleaseAllWindows();
  RuntimeRegisterAppObject(nullptr);
  State() = LoopState();
  RuntimeSetExceptionHelper(nullptr);
  ResetFileTypeRegistry();
}

void RunFrameworkInitialization(void (*startup)()) {
  if (startup != nullptr) startup();
}

void Quit(std::int32_t code) {
  State().quitRequested = true;
  State().quitCode = code;
}

void EndApplication() { State().quitRequested = true; }

bool QuitRequested() { return State().quitRequested; }

bool LoopShouldEnd() { return State().quitRequested || State().inputEnded; }

void PumpEvents(const std::function<bool()>& stillWanted) {
  RaisePendingOpenEvents();
  if (LoopShouldEnd() || !stillWanted()) return;
  if (!CurrentDisplay().HandleNextInput()) State().inputEnded = true;
}

void RuntimeRun() {
  while (!LoopShouldEnd()) PumpEvents([] { return true; });
}

void UnhandledException(const std::exception_ptr& exception) {
  State().endedByException = true;
  ReportUnhandledException(exception);
}

void RuntimeReleaseFrameworkGlobals() {
  ReleaseAllWindows();
  RuntimeRegisterAppObject(nullptr);
}

std::int32_t RuntimeExit() { return State().endedByException ? 1 : State().quitCode; }

}  // namespace fw
