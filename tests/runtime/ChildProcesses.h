#pragma once
// Programs a test starts as separate processes: each one still running
// when the object goes is killed. And waiting, bounded, for what they do.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

extern char** environ;

class ChildProcesses {
public:
  ChildProcesses() = default;
  ~ChildProcesses() {
    for (pid_t pid : running_) kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
  }
  ChildProcesses(const ChildProcesses&) = delete;
  ChildProcesses& operator=(const ChildProcesses&) = delete;

  // Arguments[0] is the program; Folder: its current folder (empty: ours);
  // Environment: NAME=value entries added to ours.
  pid_t Start(std::vector<std::string> arguments, const std::string& folder = "",
              const std::vector<std::string>& environment = {}) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<std::string> variables(environment);
    for (char** entry = environ; *entry; ++entry) variables.emplace_back(*entry);
    std::vector<char*> envp;
    for (std::string& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t pid = 0;
    EXPECT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()), 0) << argv[0];
    posix_spawn_file_actions_destroy(&actions);
    running_.push_back(pid);
    return pid;
  }

  // The exit status; -1 when it did not exit normally.
  int Finish(pid_t pid) { return Reap(pid, 0).value_or(-1); }

  // Without waiting: the exit status once it ended.
  std::optional<int> Poll(pid_t pid) { return Reap(pid, WNOHANG); }

  void Kill(pid_t pid) {
    kill(pid, SIGKILL);
    Finish(pid);
  }

private:
  std::optional<int> Reap(pid_t pid, int options) {
    int status = 0;
    if (waitpid(pid, &status, options) != pid) return std::nullopt;
    running_.erase(std::remove(running_.begin(), running_.end(), pid), running_.end());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::vector<pid_t> running_;
};

// Polls for up to ten seconds.
inline bool WaitFor(const std::function<bool()>& condition) {
  for (int tries = 0; tries < 1000; ++tries) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}
