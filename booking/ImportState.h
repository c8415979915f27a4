#pragma once

#include <cstdint>
#include <memory>

#include "framework/core/List.h"
#include "framework/files/FolderItem.h"
#include "framework/text/Text.h"

namespace valtaro {

// The main window's own data, which carries an import from choosing the file through loading to
// sending.
struct ImportState {
  std::shared_ptr<fw::FolderItem> f;           // the chosen export file, or none
  std::int32_t Anzahl = 0;                     // declared, written by nothing
  std::shared_ptr<fw::List<fw::Text>> zeilen;  // the file's cleaned lines, line 0 first
  std::int32_t anz_zeilen = 0;                 // index of the last line in zeilen
  fw::Text kontoname;                          // declared, written by nothing

  // Field set-up of a new window: an empty list of lines.
  void Init();
  // Field release when the window goes: f, zeilen, kontoname, in this order.
  void Exit();
};

}  // namespace valtaro
