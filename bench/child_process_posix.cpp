#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cerrno>

#include "child_process.hpp"

extern char** environ;

namespace korvanta::bench {

namespace {

double Seconds(const timeval& time) {
  return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

// The spawn attributes' file actions, released however the spawn ends.
class SilentStreams {
 public:
  SilentStreams() {
    posix_spawn_file_actions_init(&actions_);
    posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions_, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions_, 2, "/dev/null", O_WRONLY, 0);
  }
  ~SilentStreams() { posix_spawn_file_actions_destroy(&actions_); }
  SilentStreams(const SilentStreams&) = delete;
  SilentStreams& operator=(const SilentStreams&) = delete;

  const posix_spawn_file_actions_t* Actions() const { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_{};
};

}  // namespace

std::optional<ChildCost> RunChild(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const SilentStreams streams;
  pid_t child = 0;
  if (posix_spawnp(&child, argv[0], streams.Actions(), nullptr, argv.data(), environ) != 0)
    return std::nullopt;
  int status = 0;
  rusage usage{};
  pid_t waited = 0;
  do {
    waited = wait4(child, &status, 0, &usage);
  } while (waited < 0 && errno == EINTR);
  if (waited < 0)
    return std::nullopt;
  ChildCost cost;
  cost.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  // A program that could not be executed after the spawn ends with 127.
  if (cost.exit_status == 127)
    return std::nullopt;
  cost.cpu_seconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  cost.peak_mebibytes = static_cast<double>(usage.ru_maxrss) / 1024.0;  // kibibytes on Linux
  return cost;
}

}  // namespace korvanta::bench
