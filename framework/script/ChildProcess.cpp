#include "framework/script/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace fw {

namespace {

using Clock = std::chrono::steady_clock;

class Descriptor {
 public:
  Descriptor() = default;
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() { Close(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  Descriptor& operator=(Descriptor&& other) noexcept {
    if (this != &other) {
      Close();
      fd_ = other.fd_;
      other.fd_ = -1;
    }
    return *this;
  }

  int Get() const { return fd_; }
  bool IsOpen() const { return fd_ >= 0; }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

struct Pipe {
  Descriptor read;
  Descriptor write;
};

bool OpenPipe(Pipe& pipe) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return false;
  pipe.read = Descriptor(fds[0]);
  pipe.write = Descriptor(fds[1]);
  return true;
}

// The file actions and attributes of a child: /dev/null, the two pipes, a process group of its
// own, no blocked signals and every signal at its default (the caller may ignore some).
class SpawnSetup {
 public:
  SpawnSetup(int outFd, int errFd) {
    posix_spawn_file_actions_init(&actions_);
    posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions_, outFd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions_, errFd, STDERR_FILENO);
    posix_spawnattr_init(&attributes_);
    sigset_t none;
    sigemptyset(&none);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes_, &none);
    posix_spawnattr_setsigdefault(&attributes_, &all);
    posix_spawnattr_setpgroup(&attributes_, 0);
    posix_spawnattr_setflags(
        &attributes_,
        static_cast<short>(POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF));
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions_);
    posix_spawnattr_destroy(&attributes_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  const posix_spawn_file_actions_t* Actions() const { return &actions_; }
  const posix_spawnattr_t* Attributes() const { return &attributes_; }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
};

int MillisecondsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() < 0 ? 0 : static_cast<int>(left.count());
}

// Reads what is there; closes the descriptor at the end of the output.
void Drain(Descriptor& fd, std::string& into) {
  char buffer[65536];
  const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
  if (n > 0) {
    into.append(buffer, static_cast<std::size_t>(n));
  } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
    fd.Close();
  }
}

// Watches both pipes and the child until it has ended and both pipes are closed, or until the
// deadline.
class ChildWatch {
 public:
  ChildWatch(pid_t pid, Pipe& out, Pipe& err, ChildOutcome& outcome)
      : pid_(pid),
        out_(out.read),
        err_(err.read),
        outcome_(outcome),
        pidfd_(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0))) {}

  // False when the deadline came first.
  bool WaitUntil(Clock::time_point deadline) {
    while (out_.IsOpen() || err_.IsOpen() || !reaped_) {
      const int timeout = MillisecondsUntil(deadline);
      if (timeout == 0 && Clock::now() >= deadline) return false;
      if (!out_.IsOpen() && !err_.IsOpen() && !pidfd_.IsOpen()) {
        WaitWithoutPidfd(deadline);
        continue;
      }
      PollOnce(timeout);
    }
    return true;
  }

  void KillAndReap() {
    ::kill(-pid_, SIGKILL);
    if (reaped_) return;
    ::kill(pid_, SIGKILL);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    reaped_ = true;
  }

 private:
  void PollOnce(int timeout) {
    pollfd fds[3];
    Descriptor* sources[3] = {nullptr, nullptr, nullptr};
    nfds_t count = 0;
    for (Descriptor* fd : {&out_, &err_}) {
      if (!fd->IsOpen()) continue;
      sources[count] = fd;
      fds[count++] = pollfd{fd->Get(), POLLIN, 0};
    }
    const bool watchChild = !reaped_ && pidfd_.IsOpen();
    if (watchChild) fds[count++] = pollfd{pidfd_.Get(), POLLIN, 0};
    const int ready = ::poll(fds, count, timeout);
    if (ready <= 0) return;  // timeout or EINTR: the caller checks the deadline
    for (nfds_t i = 0; i < count; ++i) {
      if (fds[i].revents == 0) continue;
      if (sources[i] != nullptr) {
        Drain(*sources[i], sources[i] == &out_ ? outcome_.standardOutput : outcome_.standardError);
      } else {
        Reap(WNOHANG);
      }
    }
  }

  // Without a pidfd the end of the child is polled, at short and then longer intervals.
  void WaitWithoutPidfd(Clock::time_point deadline) {
    auto pause = std::chrono::microseconds(20);
    while (!Reap(WNOHANG) && Clock::now() < deadline) {
      std::this_thread::sleep_for(pause);
      pause = std::min(pause * 2, std::chrono::microseconds(10000));
    }
  }

  bool Reap(int options) {
    int status = 0;
    pid_t done = 0;
    do {
      done = ::waitpid(pid_, &status, options);
    } while (done < 0 && errno == EINTR);
    if (done != pid_) return false;
    reaped_ = true;
    pidfd_.Close();
    if (WIFEXITED(status)) {
      outcome_.end = ChildOutcome::End::Exited;
      outcome_.code = WEXITSTATUS(status);
    } else {
      outcome_.end = ChildOutcome::End::Signalled;
      outcome_.code = WTERMSIG(status);
    }
    return true;
  }

  pid_t pid_;
  Descriptor& out_;
  Descriptor& err_;
  ChildOutcome& outcome_;
  Descriptor pidfd_;
  bool reaped_ = false;
};

}  // namespace

ChildOutcome RunChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                             std::chrono::milliseconds limit) {
  ChildOutcome outcome;
  Pipe out;
  Pipe err;
  if (!OpenPipe(out) || !OpenPipe(err)) {
    outcome.code = errno;
    return outcome;
  }
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 2);
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  const Clock::time_point deadline = Clock::now() + limit;
  pid_t pid = 0;
  {
    SpawnSetup setup(out.write.Get(), err.write.Get());
    const int failed = ::posix_spawn(&pid, program.c_str(), setup.Actions(), setup.Attributes(),
                                     argv.data(), environ);
    if (failed != 0) {
      outcome.code = failed;
      return outcome;
    }
  }
  out.write.Close();
  err.write.Close();

  ChildWatch watch(pid, out, err, outcome);
  if (!watch.WaitUntil(deadline)) {
    watch.KillAndReap();
    outcome.end = ChildOutcome::End::TimedOut;
    outcome.code = 0;
  }
  return outcome;
}

}  // namespace fw
