#pragma once

#include <string>
#include <vector>

#include "framework/display/terminal/FolderListing.h"
#include "framework/display/terminal/Key.h"
#include "framework/display/terminal/ScreenBuffer.h"

namespace fw::terminal {

// The open dialog's state and what keys do to it; drawing is apart (Paint) so the keys can be
// tested without a screen.
//
// It shows one folder (at first the one it is made with), the entries there and an input line
// that starts empty. Up/Down move among the entries; typed characters go into the input line,
// Backspace takes the last one away. Enter with an empty input line opens the highlighted folder
// or chooses the highlighted file; Enter with a typed path (absolute, or relative to the shown
// folder) opens it when it is a folder and chooses it otherwise, also when nothing is there. Esc
// cancels.
class OpenDialog {
 public:
  enum class Outcome { Open, Chosen, Cancelled };

  explicit OpenDialog(std::string folder);

  Outcome HandleKey(const Key& key);

  const std::string& Folder() const { return folder_; }
  const std::vector<FolderEntry>& Entries() const { return entries_; }
  int Highlighted() const { return highlighted_; }
  const std::string& Input() const { return input_; }
  // Why the last folder to open could not be read; empty when it could.
  const std::string& Error() const { return error_; }
  // The chosen path, once HandleKey has answered Chosen.
  const std::string& ChosenPath() const { return chosen_; }

  void Paint(ScreenBuffer& screen) const;

 private:
  Outcome Confirm();
  Outcome Choose(const std::string& path);
  void EnterFolder(const std::string& path);

  std::string folder_;
  std::vector<FolderEntry> entries_;
  int highlighted_ = 0;
  std::string input_;
  std::string error_;
  std::string chosen_;
};

}  // namespace fw::terminal
