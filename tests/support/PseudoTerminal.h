#pragma once

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

namespace testsupport {

// A pseudo terminal of a given size: what runs on its slave side sees a terminal; the test types
// and reads on the master side. The slave stays open here while the object lives, so the master
// side never reports a hang-up between programs that use it.
class PseudoTerminal {
 public:
  PseudoTerminal(int columns, int rows) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
      throw std::runtime_error("no pseudo terminal");
    }
    slaveName_ = ::ptsname(master_);
    slave_ = ::open(slaveName_.c_str(), O_RDWR | O_NOCTTY);
    if (slave_ < 0) throw std::runtime_error("no pseudo terminal slave");
    Resize(columns, rows);
  }
  ~PseudoTerminal() {
    ::close(slave_);
    ::close(master_);
  }
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  int Master() const { return master_; }
  int Slave() const { return slave_; }
  // The slave's path, for a process that opens it as its controlling terminal.
  const std::string& SlaveName() const { return slaveName_; }

  // Sets the terminal's size; the kernel tells the foreground process group with SIGWINCH.
  void Resize(int columns, int rows) const {
    winsize size{};
    size.ws_col = static_cast<unsigned short>(columns);
    size.ws_row = static_cast<unsigned short>(rows);
    if (::ioctl(master_, TIOCSWINSZ, &size) != 0) throw std::runtime_error("TIOCSWINSZ");
  }
  termios Modes() const {
    termios modes{};
    ::tcgetattr(slave_, &modes);
    return modes;
  }
  // What has been written to the slave side so far.
  std::string Output() const {
    std::string output;
    char buffer[4096];
    pollfd watched{master_, POLLIN, 0};
    while (::poll(&watched, 1, 100) > 0) {
      const ssize_t count = ::read(master_, buffer, sizeof buffer);
      if (count <= 0) break;
      output.append(buffer, static_cast<std::size_t>(count));
    }
    return output;
  }

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slaveName_;
};

}  // namespace testsupport
