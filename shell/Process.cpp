#include "shell/Process.h"

#include "framework/app/Application.h"
#include "framework/app/EventLoop.h"
#include "framework/app/FileType.h"
#include "framework/app/FrameworkStartup.h"
#include "framework/core/Deref.h"
#include "framework/core/Exceptions.h"
#include "framework/runtime/Delegate.h"
#include "shell/App.h"
#include "shell/Fenster1.h"
#include "shell/FileTypes.h"
#include "shell/Menue.h"
#include "shell/wBestaetigung.h"

namespace valtaro {

namespace {

using Routine = void (*)(void*);
using StartupRoutine = void (*)();

// The invokers of the three delegate signatures that start-up uses.
void InvokePtr(fw::Delegate& delegate, void* argument) { delegate.FunctionAs<Routine>()(argument); }
std::exception_ptr InvokePtrPtrAsObject(fw::Delegate& delegate, Routine routine, void* argument) {
  return delegate.FunctionAs<fw::ExceptionHelper>()(routine, argument);
}
void InvokeNoArguments(fw::Delegate& delegate) { delegate.FunctionAs<StartupRoutine>()(); }

// Puts the display before the run back however the run ends.
class DisplayForRun {
 public:
  explicit DisplayForRun(fw::Display& display) : previous_(fw::InstalledDisplay()) {
    fw::SetCurrentDisplay(&display);
  }
  ~DisplayForRun() { fw::SetCurrentDisplay(previous_); }
  DisplayForRun(const DisplayForRun&) = delete;
  DisplayForRun& operator=(const DisplayForRun&) = delete;

 private:
  fw::Display* previous_;
};

}  // namespace

std::int32_t RunProcess(fw::Display& display) {
  DisplayForRun installed(display);
  fw::RuntimeInit();
  initialize();
  Main();
  finalize();
  return fw::RuntimeExit();
}

void initialize() {
  fw::RuntimeRegisterFrameworkClasses();
  fw::FileType::Lookup();
  Fenster1::Fenster1Class::ctblinit();
  Menü::MenüClass::ctblinit();
  App::ctblinit();
  wBestaetigung::wBestaetigungClass::ctblinit();
}

void Main() {
  try {
    auto helper =
        fw::RuntimeCreateDelegate(&InvokePtrPtrAsObject, &CallFunctionWithExceptionHandling,
                                  nullptr, fw::Text("( Ptr, Ptr ) as Object"), 0);
    fw::RuntimeSetExceptionHelper(helper->FunctionAs<fw::ExceptionHelper>());
    auto startup =
        fw::RuntimeCreateDelegate(&InvokeNoArguments, &Startup, nullptr, fw::Text("(  )"), 0);
    fw::RunFrameworkInitialization(startup->FunctionAs<StartupRoutine>());
    fw::RuntimeRun();
  } catch (...) {
    fw::UnhandledException(std::current_exception());
  }
}

std::exception_ptr CallFunctionWithExceptionHandling(void (*routine)(void* argument),
                                                     void* argument) {
  auto call = fw::RuntimeCreateDelegate(&InvokePtr, routine, nullptr, fw::Text("( Ptr )"), 0);
  try {
    call->InvokerAs<void (*)(fw::Delegate&, void*)>()(*call, argument);
  } catch (const fw::RuntimeException&) {
    return std::current_exception();
  }
  return nullptr;
}

void Startup() {
  fw::RuntimeInitExternalClasses();
  fw::InitPluginEntrypoints();
  InitFileTypes();
  NewAppInstance();
  ApplicationAddMenuHandlers();
  MakeDefaultView();
}

void InitFileTypes() { FileTypes::Initialize(); }

void NewAppInstance() {
  const fw::ClassTable& table = App::Lookup();
  std::shared_ptr<App> application = fw::RuntimeCheckCast<App>(fw::RuntimeNewObject(table), table);
  fw::Deref(application).Constructor();
  std::shared_ptr<Menü::MenüClass> bar = Menü::Menü();
  application->MenuBar(bar);
  fw::RuntimeRegisterAppObject(application);
}

void ApplicationAddMenuHandlers() {}

void MakeDefaultView() { Fenster1::Fenster1(); }

void finalize() {
  fw::RuntimeReleaseFrameworkGlobals();
  FileTypes::pSpecialAnyExit();
  Menü::implicitInstanceExit();
}

}  // namespace valtaro
