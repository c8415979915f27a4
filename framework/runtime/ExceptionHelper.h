#pragma once

#include <exception>
#include <functional>

#include "framework/text/Text.h"

namespace fw {

// The routine through which the framework runs the program's code: it calls `routine` with
// `argument` and returns the runtime exception that escaped it, or none. Any other raised object
// it lets go on.
using ExceptionHelper = std::exception_ptr (*)(void (*routine)(void* argument), void* argument);

// Installs the helper (none: the framework's own, which behaves the same).
void RuntimeSetExceptionHelper(ExceptionHelper helper);

// Runs a piece of the program's code through the installed helper. A runtime exception it
// returns is reported (ReportUnhandledException) and the caller goes on; returns false then.
bool CallProgramCode(const std::function<void()>& code);

// The framework's report of an exception nobody handled: a message box that names the
// exception's class and its message. Does not mark the run as failed.
void ReportUnhandledException(const std::exception_ptr& exception);

// The German text of that report.
Text UnhandledExceptionMessage(const std::exception_ptr& exception);

}  // namespace fw
