#pragma once

#include <cstdint>
#include <exception>
#include <functional>

#include "framework/runtime/ExceptionHelper.h"

// The application's life: start of the framework, initialisation with the program's start-up
// routine, the event loop, quitting and the exit code. A process runs them in this order:
//
//   RuntimeInit();                                   // framework started
//   ... register classes ...
//   RuntimeSetExceptionHelper(helper);               // then, in the program's _Main:
//   RunFrameworkInitialization(startup);             //   start-up routine runs once
//   RuntimeRun();                                    //   event loop until Quit or end of input
//   ... (an exception escaping these: UnhandledException(e)) ...
//   ... release globals (RuntimeReleaseFrameworkGlobals first) ...
//   return RuntimeExit();
namespace fw {

// Resets the framework to its state at process start: no windows, no application object, no quit
// asked, the framework's own exception helper, no registered file types. Class tables stay.
void RuntimeInit();

// Runs the program's start-up routine once, directly: an exception it raises comes out of this
// call.
void RunFrameworkInitialization(void (*startup)());

// The event loop: raises pending Open events, then lets the display carry out one input at a
// time, until Quit is asked, the last window closes or the display's input ends.
void RuntimeRun();

// Asks the application to quit with the code; returns at once. The loop (and a modal showing)
// ends when control comes back to it.
void Quit(std::int32_t code = 0);
// Ends the application with the code already asked for (0 unless Quit said otherwise); what
// closing the last window does.
void EndApplication();
bool QuitRequested();
// True once the loop should stop: quit asked or the display's input has ended.
bool LoopShouldEnd();

// One turn of a loop: raises pending Open events and, when `stillWanted` still holds and the
// loop is not to end, has the display carry out the next input (noting when input has ended).
void PumpEvents(const std::function<bool()>& stillWanted);

// `_UnhandledException`: the framework's default report of an exception that escaped start-up
// or the event loop; the run then counts as failed (RuntimeExit returns 1).
void UnhandledException(const std::exception_ptr& exception);

// Releases the framework's own globals at shut-down: its windows and the application object.
void RuntimeReleaseFrameworkGlobals();

// The process's exit code: 1 when an exception ended start-up or the loop, else the code given
// to Quit.
std::int32_t RuntimeExit();

}  // namespace fw
