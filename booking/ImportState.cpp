#include "booking/ImportState.h"

namespace valtaro {

void ImportState::Init() { zeilen = fw::CreateArray<fw::Text>(-1); }

void ImportState::Exit() {
  f.reset();
  zeilen.reset();
  kontoname = fw::Text();
}

}  // namespace valtaro
