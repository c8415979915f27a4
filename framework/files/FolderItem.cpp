#include "framework/files/FolderItem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "framework/files/TextInputStream.h"

namespace fw {

namespace {

std::string WorkingDirectory() {
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  return error ? std::string("/") : current.string();
}

// Joins the components again, leaving out empty ones and ".". ".." is kept: what it means
// depends on symbolic links, which only the file system knows.
std::string CleanAbsolute(const std::string& absolute) {
  std::string clean;
  std::size_t begin = 0;
  while (begin <= absolute.size()) {
    std::size_t end = absolute.find('/', begin);
    if (end == std::string::npos) end = absolute.size();
    const std::string_view component(absolute.data() + begin, end - begin);
    if (!component.empty() && component != ".") {
      clean += '/';
      clean += component;
    }
    begin = end + 1;
  }
  return clean.empty() ? std::string("/") : clean;
}

}  // namespace

FolderItem::FolderItem(const std::string& path)
    : path_(CleanAbsolute(!path.empty() && path.front() == '/' ? path
                                                               : WorkingDirectory() + "/" + path)) {
}

bool FolderItem::Exists() const {
  struct stat info {};
  return ::stat(path_.c_str(), &info) == 0;
}

Text FolderItem::Name() const {
  if (path_ == "/") return Text("/");
  return Text(path_.substr(path_.rfind('/') + 1));
}

Text FolderItem::AbsolutePath() const { return Text(path_); }

std::shared_ptr<TextInputStream> FolderItem::OpenAsTextFile() const {
  // Without blocking, so that opening a named pipe does not wait for a writer.
  const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return nullptr;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return std::make_shared<TextInputStream>(fd);
}

}  // namespace fw
