#include "framework/display/terminal/FolderListing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace fw::terminal {

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void SortEntries(std::vector<FolderEntry>& entries) {
  std::stable_sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
    const bool aUp = a.name == "..";
    const bool bUp = b.name == "..";
    if (aUp != bUp) return aUp;
    if (a.isFolder != b.isFolder) return a.isFolder;
    return a.name < b.name;
  });
}

FolderContents ListFolder(const std::string& folder) {
  FolderContents contents;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) {
    contents.error = "Der Ordner " + folder + " lässt sich nicht öffnen: " + std::strerror(errno);
    return contents;
  }
  if (folder != "/") contents.entries.push_back(FolderEntry{"..", true});
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.empty() || name[0] == '.') continue;
    contents.entries.push_back(FolderEntry{name, IsFolder(ResolvePath(folder, name))});
  }
  ::closedir(dir);
  SortEntries(contents.entries);
  return contents;
}

std::string ResolvePath(const std::string& folder, const std::string& typed) {
  const std::string whole = !typed.empty() && typed[0] == '/' ? typed : folder + "/" + typed;
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= whole.size()) {
    std::size_t slash = whole.find('/', start);
    if (slash == std::string::npos) slash = whole.size();
    const std::string part = whole.substr(start, slash - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = slash + 1;
  }
  std::string path;
  for (const std::string& part : parts) path += "/" + part;
  return path.empty() ? "/" : path;
}

}  // namespace fw::terminal
