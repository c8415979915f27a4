#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>

#include "framework/display/terminal/KeyInput.h"
#include "framework/display/terminal/TerminalSession.h"
#include "support/PseudoTerminal.h"

namespace fw::terminal {
namespace {

constexpr char kEnter[] = "\x1b[?1049h\x1b[?25l";
constexpr char kRestore[] = "\x1b[0m\x1b[?25h\x1b[?1049l";

// The session runs on the slave side; the test reads the master side.
struct PseudoTerminal : testsupport::PseudoTerminal {
  PseudoTerminal() : testsupport::PseudoTerminal(132, 43) {}
};

bool SameModes(const termios& a, const termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
         a.c_lflag == b.c_lflag && a.c_cc[VMIN] == b.c_cc[VMIN] && a.c_cc[VTIME] == b.c_cc[VTIME];
}

TEST(TerminalSession, SetsRawModeAndRestoresEverythingWhenDestroyed) {
  PseudoTerminal pty;
  const termios before = pty.Modes();
  {
    TerminalSession session(pty.Slave(), pty.Slave());
    EXPECT_TRUE(session.InputIsTerminal());
    EXPECT_TRUE(session.OutputIsTerminal());
    EXPECT_EQ(session.Size(), (TerminalSize{132, 43}));
    const termios raw = pty.Modes();
    EXPECT_EQ(raw.c_lflag & (ECHO | ICANON | IEXTEN), 0u);
    EXPECT_NE(raw.c_lflag & ISIG, 0u) << "Ctrl+C still interrupts";
    EXPECT_EQ(raw.c_iflag & (IXON | ICRNL), 0u) << "Ctrl+Q and CR arrive unchanged";
    EXPECT_THROW(TerminalSession(pty.Slave(), pty.Slave()), std::logic_error);
  }
  EXPECT_TRUE(SameModes(pty.Modes(), before));
  EXPECT_EQ(pty.Output(), std::string(kEnter) + kRestore);
}

TEST(TerminalSession, RestoresWhenUnwoundByAnException) {
  PseudoTerminal pty;
  const termios before = pty.Modes();
  try {
    TerminalSession session(pty.Slave(), pty.Slave());
    session.Write("Bild");
    throw std::runtime_error("Abbruch");
  } catch (const std::runtime_error&) {
  }
  EXPECT_TRUE(SameModes(pty.Modes(), before));
  EXPECT_EQ(pty.Output(), std::string(kEnter) + "Bild" + kRestore);
}

struct WayOut {
  const char* name;
  std::function<void()> leave;  // runs in a child that holds a session
  int signal;                   // the child dies of this, or 0 when it exits
  int exitCode;
};

void PrintTo(const WayOut& way, std::ostream* out) { *out << way.name; }

void Throw() { throw std::runtime_error("nicht gefangen"); }
// An exception that leaves a noexcept function ends in std::terminate, as an uncaught one does.
void ThrowUncaught(void (*thrower)()) noexcept { thrower(); }

class TerminalSessionWayOut : public ::testing::TestWithParam<WayOut> {};

TEST_P(TerminalSessionWayOut, RestoresTheTerminal) {
  const WayOut& way = GetParam();
  PseudoTerminal pty;
  const termios before = pty.Modes();
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TerminalSession session(pty.Slave(), pty.Slave());
    way.leave();
    ::_exit(99);  // not reached when the way out works
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  if (way.signal != 0) {
    ASSERT_TRUE(WIFSIGNALED(status)) << "status " << status;
    EXPECT_EQ(WTERMSIG(status), way.signal);
  } else {
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), way.exitCode);
  }
  EXPECT_TRUE(SameModes(pty.Modes(), before));
  EXPECT_EQ(pty.Output(), std::string(kEnter) + kRestore);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, TerminalSessionWayOut,
    ::testing::Values(WayOut{"sigint", [] { std::raise(SIGINT); }, SIGINT, 0},
                      WayOut{"sigterm", [] { ::kill(::getpid(), SIGTERM); }, SIGTERM, 0},
                      WayOut{"sighup", [] { std::raise(SIGHUP); }, SIGHUP, 0},
                      WayOut{"uncaught_exception", [] { ThrowUncaught(Throw); }, SIGABRT, 0},
                      WayOut{"exit", [] { std::exit(3); }, 0, 3}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(TerminalSession, PipesAreReadAsTheyAreAndDrawnAtEightyByTwentyFour) {
  int input[2];
  int output[2];
  ASSERT_EQ(::pipe(input), 0);
  ASSERT_EQ(::pipe(output), 0);
  {
    TerminalSession session(input[0], output[1]);
    EXPECT_FALSE(session.InputIsTerminal());
    EXPECT_FALSE(session.OutputIsTerminal());
    EXPECT_EQ(session.Size(), (TerminalSize{80, 24}));
  }
  char buffer[64] = {};
  const ssize_t count = ::read(output[0], buffer, sizeof buffer);
  EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(count)), std::string(kEnter) + kRestore);
  for (const int fd : {input[0], input[1], output[0], output[1]}) ::close(fd);
}

TEST(TerminalSession, AResizeAsksForARedraw) {
  PseudoTerminal pty;
  TerminalSession session(pty.Slave(), pty.Slave());
  EXPECT_FALSE(TerminalSession::TakeRedrawRequest());
  std::raise(SIGWINCH);
  EXPECT_TRUE(TerminalSession::TakeRedrawRequest());
  EXPECT_FALSE(TerminalSession::TakeRedrawRequest());
}

// Keys from a pipe, with the pipe's writer kept open or closed.
class KeyPipe {
 public:
  KeyPipe() {
    if (::pipe(fds_) != 0) throw std::runtime_error("no pipe");
  }
  ~KeyPipe() {
    ::close(fds_[0]);
    CloseWriter();
  }
  void Write(const std::string& bytes) {
    if (::write(fds_[1], bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
      throw std::runtime_error("pipe write");
    }
  }
  void CloseWriter() {
    if (fds_[1] >= 0) ::close(fds_[1]);
    fds_[1] = -1;
  }
  int Reader() const { return fds_[0]; }

 private:
  int fds_[2] = {-1, -1};
};

Key NextKey(KeyInput& input) {
  const InputEvent event = input.Next();
  EXPECT_EQ(event.kind, InputEvent::Kind::Key);
  return event.key;
}

TEST(KeyInput, GivesTheKeysThenTheEndOfInput) {
  KeyPipe pipe;
  pipe.Write("\t\x1b[B\r\n\x1b");
  pipe.CloseWriter();
  KeyInput input(pipe.Reader());
  EXPECT_EQ(NextKey(input), Key::Of(KeyCode::Tab));
  EXPECT_EQ(NextKey(input), Key::Of(KeyCode::Down));
  EXPECT_EQ(NextKey(input), Key::Of(KeyCode::Enter));
  EXPECT_EQ(NextKey(input), Key::Of(KeyCode::Escape)) << "the lone ESC before the end";
  EXPECT_EQ(input.Next().kind, InputEvent::Kind::EndOfInput);
  EXPECT_EQ(input.Next().kind, InputEvent::Kind::EndOfInput);
}

TEST(KeyInput, ALoneEscFollowedByNothingIsEscWhileTheInputStaysOpen) {
  KeyPipe pipe;
  pipe.Write("\x1b");
  KeyInput input(pipe.Reader());
  EXPECT_EQ(NextKey(input), Key::Of(KeyCode::Escape));
  pipe.Write("\x1b[21~");
  EXPECT_EQ(NextKey(input), Key::Of(KeyCode::F10));
}

TEST(KeyInput, DiscardingForgetsTheKeysReadAndAnUnfinishedOne) {
  KeyPipe pipe;
  pipe.Write("ab\x1b[");
  KeyInput input(pipe.Reader());
  EXPECT_EQ(NextKey(input), Key::Char(U'a'));
  input.DiscardPending();
  pipe.Write("A");
  EXPECT_EQ(NextKey(input), Key::Char(U'A')) << "neither b nor the Up key that ESC [ A would be";
}

void IgnoreSignal(int) {}

TEST(KeyInput, ASignalWakesTheWait) {
  KeyPipe pipe;
  struct sigaction action {};
  struct sigaction previous {};
  action.sa_handler = IgnoreSignal;
  sigemptyset(&action.sa_mask);
  ASSERT_EQ(::sigaction(SIGALRM, &action, &previous), 0);
  itimerval timer{};
  timer.it_value.tv_usec = 20000;
  ::setitimer(ITIMER_REAL, &timer, nullptr);
  KeyInput input(pipe.Reader());
  EXPECT_EQ(input.Next().kind, InputEvent::Kind::Interrupted);
  ::sigaction(SIGALRM, &previous, nullptr);
  pipe.Write("q");
  EXPECT_EQ(NextKey(input), Key::Char(U'q'));
}

}  // namespace
}  // namespace fw::terminal
