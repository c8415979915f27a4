#pragma once

#include <string>
#include <vector>

namespace fw::terminal {

struct FolderEntry {
  std::string name;  // as the file system has it (bytes, usually UTF-8)
  bool isFolder = false;

  friend bool operator==(const FolderEntry&, const FolderEntry&) = default;
};

struct FolderContents {
  std::vector<FolderEntry> entries;
  std::string error;  // empty when the folder could be read
};

// The entries of a folder as the open dialog offers them: ".." first (except at "/"), then the
// folders, then the other entries, each group by name. Hidden entries (a name beginning with ".")
// are left out; they can still be typed. A folder that cannot be read gives no entries and a
// German error text.
FolderContents ListFolder(const std::string& folder);

// Puts the entries in the dialog's order; ".." is kept first.
void SortEntries(std::vector<FolderEntry>& entries);

// The path that `typed` names when typed in `folder`: as it is when absolute, else below the
// folder; "." and ".." components resolved and doubled slashes dropped, without asking the file
// system.
std::string ResolvePath(const std::string& folder, const std::string& typed);

// Whether the path names a folder (following symbolic links).
bool IsFolder(const std::string& path);

}  // namespace fw::terminal
