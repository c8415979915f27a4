// Loaded with LD_PRELOAD into a script that appends to a journal, this makes another program write
// to the same journal at an exact moment, and makes the script's own write fail, so that the tests
// can repeat what otherwise happens only by chance.
//
// The script's writes to the journal are counted: the first (its first line end) goes through;
// the second writes what VALTARO_SHIM_REST says ("refused": nothing; "partial:N": its first N
// bytes) and every later one fails with ENOSPC. The other program's bytes, VALTARO_SHIM_OTHER, go
// in at the moment that VALTARO_SHIM_OTHER_WHEN names:
//   before-rest          appended just before the second write
//   after-failure        appended just after the first write that fails
//   replace-before-rest  just before the second write, the journal is renamed to NAME.vorher and a
//                        new journal holding only these bytes takes its name
//   rewrite-before-rest  just before the second write, the journal is written anew in place, as
//                        an editor saves: the same file, cut to nothing, then these bytes
// VALTARO_SHIM_JOURNAL is the journal's path. Nothing of this touches any other file.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using WriteFunction = ssize_t (*)(int, const void*, size_t);

ssize_t RealWrite(int fd, const void* bytes, size_t count) {
  static const auto real = reinterpret_cast<WriteFunction>(dlsym(RTLD_NEXT, "write"));
  return real(fd, bytes, count);
}

std::string Setting(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

struct FileId {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FileId&) const = default;
};

// The file that fd is open on in append mode, if it is.
FileId AppendedFile(int fd) {
  struct stat opened {};
  const int flags = fcntl(fd, F_GETFL);
  if (flags == -1 || (flags & O_APPEND) == 0 || fstat(fd, &opened) != 0) return {};
  return {opened.st_dev, opened.st_ino};
}

FileId NamedFile(const std::string& path) {
  struct stat named {};
  if (path.empty() || stat(path.c_str(), &named) != 0) return {};
  return {named.st_dev, named.st_ino};
}

void WriteOther(int flags) {
  const std::string journal = Setting("VALTARO_SHIM_JOURNAL");
  const std::string other = Setting("VALTARO_SHIM_OTHER");
  const int fd = open(journal.c_str(), O_WRONLY | flags, 0644);
  if (fd == -1 || RealWrite(fd, other.data(), other.size()) != static_cast<ssize_t>(other.size()))
    std::abort();
  close(fd);
}

void OtherProgramWrites(const char* moment) {
  const std::string when = Setting("VALTARO_SHIM_OTHER_WHEN");
  if (when == moment) WriteOther(O_APPEND);
  if (when == std::string("replace-") + moment) {
    const std::string journal = Setting("VALTARO_SHIM_JOURNAL");
    if (rename(journal.c_str(), (journal + ".vorher").c_str()) != 0) std::abort();
    WriteOther(O_CREAT | O_EXCL);
  }
  if (when == std::string("rewrite-") + moment) WriteOther(O_TRUNC);
}

ssize_t Refuse() {
  OtherProgramWrites("after-failure");
  errno = ENOSPC;
  return -1;
}

}  // namespace

// The shell moves the journal's descriptor onto others for a write, so the script's writes are
// told by the file they append to: the journal as it was named at the first of them.
extern "C" ssize_t write(int fd, const void* bytes, size_t count) {
  static FileId journal;
  static int writes = 0;
  const FileId appended = AppendedFile(fd);
  if (appended == FileId{}) return RealWrite(fd, bytes, count);
  if (journal == FileId{} && appended == NamedFile(Setting("VALTARO_SHIM_JOURNAL")))
    journal = appended;
  if (appended != journal) return RealWrite(fd, bytes, count);
  ++writes;
  if (writes == 1) return RealWrite(fd, bytes, count);
  if (writes > 2) return Refuse();
  OtherProgramWrites("before-rest");
  const std::string rest = Setting("VALTARO_SHIM_REST");
  if (rest.rfind("partial:", 0) != 0) return Refuse();
  const size_t part = std::strtoul(rest.c_str() + std::strlen("partial:"), nullptr, 10);
  return RealWrite(fd, bytes, part < count ? part : count);
}
