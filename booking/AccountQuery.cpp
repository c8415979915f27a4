#include "booking/AccountQuery.h"

#include "booking/ScriptBridge.h"
#include "framework/app/EventLoop.h"
#include "framework/core/Deref.h"
#include "framework/core/List.h"
#include "framework/text/TextFunctions.h"
#include "framework/ui/MsgBox.h"

namespace valtaro {

namespace {

const char* const kNotReadyMessage =
    "Zuerst bitte Ledrino Professional starten und eine Kontenmappe öffnen. Da das Programm über "
    "AppleScript die Daten sendet, geht dies leider nicht mit der Standard-Version von Ledrino. "
    "Man kann für den Import aber auch die Demoversion der Professional verwenden. Die Daten "
    "stehen dann danach auch in der Standard-Version zur Verfügung.";

}  // namespace

void Event_Open(const PopupAccessor& pop_konten) {
  const fw::Text answer = Kontennamenermitteln(fw::CreateArray<fw::Variant>(-1));
  if (!(answer == fw::Text())) {
    const fw::Text separator(", ");
    const std::int32_t pieces = fw::CountFields(answer, separator);
    for (std::int32_t i = 1; i <= pieces; ++i) {
      fw::Deref(pop_konten()).AddRow(fw::NthField(answer, separator, i));
    }
    fw::Deref(pop_konten()).ListIndex(0);
  } else {
    fw::MsgBox(kNotReadyMessage);
    fw::Quit(0);
  }
}

}  // namespace valtaro
