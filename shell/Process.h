#pragma once

#include <cstdint>
#include <exception>

#include "framework/display/Display.h"

// The program's life from its entry to its exit: the framework is started and every class
// registered, the start-up routine creates the file type, the application object with its menu
// bar and the main window, the event loop runs until the program is asked to quit, and the
// globals are released.
namespace valtaro {

// The whole process on the given display (installed for the run, the one before put back
// afterwards); returns the exit status, the value of the framework's exit call.
std::int32_t RunProcess(fw::Display& display);

// `% initialize`: registers every class, the framework's first, then FileType, then Fenster1,
// Menü, App and wBestaetigung.
void initialize();

// `_Main`: installs the exception helper, has the framework initialise with the start-up routine
// and runs the event loop. Whatever escapes goes to the framework's report of unhandled
// exceptions; then it returns, so that shut-down runs as after a quit.
void Main();

// `_CallFunctionWithExceptionHandling`: the exception helper. Calls the routine with the argument
// and returns none when it returns normally, the very runtime exception that escaped it, and lets
// any other raised object go on.
std::exception_ptr CallFunctionWithExceptionHandling(void (*routine)(void* argument),
                                                     void* argument);

// `_Startup`, the start-up routine, and its steps in their order.
void Startup();
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
void MakeDefaultView();

// `% finalize`: releases the framework's globals, then the file type, then the menu bar.
void finalize();

}  // namespace valtaro
