// Runs one test of this test program in a process of its own, for what a
// test cannot do to itself: be killed in the middle of a command, or run in
// a mount namespace where a folder is read-only. The child is this program
// started again with a filter that picks the test (usually a DISABLED_ one,
// which a normal run skips) and variables that tell it what to do.
#pragma once
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

extern char** environ;

namespace testsupport {

struct ChildResult {
  bool started = false;
  bool exited = false;  // ended by itself, with `exitCode`
  int exitCode = -1;
  int signal = 0;       // the signal that ended it, 0 when none
  std::string output;   // its standard output and error
};

// Runs `test` (a full name "Suite.Name") of this program with `variables`
// added to the environment; `prefix` goes before the program (a command
// such as "unshare" with its options), and its output is collected in
// `outputPath`.
inline ChildResult RunTestInChild(const std::string& test,
                                  const std::vector<std::pair<std::string, std::string>>& variables,
                                  const std::string& outputPath, const std::vector<std::string>& prefix = {}) {
  char self[4096];
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  ChildResult result;
  if (n <= 0) return result;
  self[n] = '\0';
  std::vector<std::string> args = prefix;
  args.push_back(self);
  args.push_back("--gtest_filter=" + test);
  args.push_back("--gtest_also_run_disabled_tests");
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    bool replaced = false;
    for (const auto& [name, value] : variables) replaced = replaced || entry.rfind(name + "=", 0) == 0;
    if (!replaced) env.push_back(entry);
  }
  for (const auto& [name, value] : variables) env.push_back(name + "=" + value);
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  pid_t pid = 0;
  const int spawned = prefix.empty() ? posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data())
                                     : posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return result;
  result.started = true;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) {
    result.exited = true;
    result.exitCode = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    result.signal = WTERMSIG(status);
  }
  std::ifstream in(outputPath, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  result.output = text.str();
  return result;
}

// True when the child ran its test to the end and the test passed.
inline bool ChildTestPassed(const ChildResult& r) {
  return r.exited && r.exitCode == 0 && r.output.find("[  PASSED  ] 1 test") != std::string::npos &&
         r.output.find("[  SKIPPED ]") == std::string::npos;
}

// The value of an environment variable ("" when unset).
inline std::string Variable(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

}  // namespace testsupport
