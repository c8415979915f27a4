#pragma once

#include <memory>
#include <string>

#include "framework/text/Text.h"

namespace fw {

class TextInputStream;

// A reference to a file or folder by its path.
class FolderItem {
 public:
  // `path` is made absolute against the working directory; "." components, doubled and
  // trailing slashes are dropped.
  explicit FolderItem(const std::string& path);

  // Asked anew each time.
  bool Exists() const;
  // The last path component, without the folder.
  Text Name() const;
  // The POSIX absolute path, as UTF-8 text.
  Text AbsolutePath() const;
  const std::string& Path() const { return path_; }

  // A text stream from the file's start, or none when it cannot be opened for reading as a
  // regular file (a folder, no permission, gone).
  std::shared_ptr<TextInputStream> OpenAsTextFile() const;

 private:
  std::string path_;
};

}  // namespace fw
