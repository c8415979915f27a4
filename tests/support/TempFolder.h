#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace testsupport {

// A fresh folder below the system's temporary folder, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "valtaro-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string PathOf(const std::string& name) const { return (path_ / name).string(); }

  // Writes `bytes` as they are into the file `name` and returns its path.
  std::string Write(const std::string& name, std::string_view bytes) const {
    const std::string path = PathOf(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
    return path;
  }

  // The bytes of the file `name`; empty when it cannot be read.
  std::string Read(const std::string& name) const {
    std::ifstream in(PathOf(name), std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
  }

 private:
  std::filesystem::path path_;
};

}  // namespace testsupport
