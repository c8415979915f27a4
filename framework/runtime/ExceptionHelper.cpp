#include "framework/runtime/ExceptionHelper.h"

#include <cstdio>

#include "framework/core/Exceptions.h"
#include "framework/display/Display.h"

namespace fw {

namespace {

std::exception_ptr FrameworkHelper(void (*routine)(void*), void* argument) {
  try {
    routine(argument);
  } catch (const RuntimeException&) {
    return std::current_exception();
  }
  return nullptr;
}

ExceptionHelper installedHelper = nullptr;

void RunStoredCode(void* code) { (*static_cast<const std::function<void()>*>(code))(); }

}  // namespace

void RuntimeSetExceptionHelper(ExceptionHelper helper) { installedHelper = helper; }

bool CallProgramCode(const std::function<void()>& code) {
  ExceptionHelper helper = installedHelper != nullptr ? installedHelper : FrameworkHelper;
  // The helper takes a plain pointer; the routine only reads the code through it.
  std::exception_ptr escaped = helper(RunStoredCode, const_cast<std::function<void()>*>(&code));
  if (!escaped) return true;
  ReportUnhandledException(escaped);
  return false;
}

Text UnhandledExceptionMessage(const std::exception_ptr& exception) {
  try {
    std::rethrow_exception(exception);
  } catch (const RuntimeException& e) {
    return Text(std::string("Unbehandelte Ausnahme ") + e.ClassName() + ": ") + e.Message();
  } catch (const std::exception& e) {
    return Text(std::string("Unbehandelte Ausnahme: ") + e.what());
  } catch (...) {
    return Text("Unbehandelte Ausnahme unbekannter Art");
  }
}

void ReportUnhandledException(const std::exception_ptr& exception) {
  if (!exception) return;
  Text message = UnhandledExceptionMessage(exception);
  Display* display = InstalledDisplay();
  if (display == nullptr) {
    std::fprintf(stderr, "%s\n", message.ToUTF8().c_str());
    return;
  }
  display->ShowMessage(message);
}

}  // namespace fw
