// Runs one test of this program again in a process of its own, for the checks that need one: as
// another user, with signals ignored from the start, on a disk of its own. The helper tests are
// DISABLED_ ones, run only from here.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace morvath::test {

struct HelperRun {
  int status = -1;  // the exit status, or 128 + the signal that ended it
  std::string output;
};

// This test program.
inline std::string ThisProgram() {
  return std::filesystem::read_symlink("/proc/self/exe").string();
}

// The words that start a program of this build: none, or for a build for another architecture
// the emulator that the tests run under ($MORVATH_TEST_EMULATOR, e.g. "qemu-aarch64-static -L /"),
// which the kernel does not start by itself when binfmt_misc is not there.
inline std::vector<std::string> ProgramStart() {
  std::vector<std::string> words;
  if (const char* emulator = std::getenv("MORVATH_TEST_EMULATOR")) {
    std::istringstream in(emulator);
    for (std::string word; in >> word;) words.push_back(word);
  }
  return words;
}

// Runs the helper test named (suite.name, without DISABLED_) through the commands in front
// (setpriv, unshare, env ...), with the signals given ignored from its start; program is a copy
// of this test program, where it must be run from elsewhere.
inline HelperRun RunHelper(const std::string& test, std::vector<std::string> command,
                           const std::vector<int>& ignored = {}, std::string program = "") {
  for (std::string& word : ProgramStart()) command.push_back(std::move(word));
  command.push_back(program.empty() ? ThisProgram() : program);
  command.push_back("--gtest_also_run_disabled_tests");
  command.push_back("--gtest_filter=DISABLED_" + test);
  std::vector<char*> argv;
  for (std::string& arg : command) argv.push_back(arg.data());
  argv.push_back(nullptr);
  HelperRun run;
  int out[2];
  if (::pipe(out) != 0) return run;
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(out[1], 1);
    ::dup2(out[1], 2);
    ::close(out[0]);
    for (int number : ignored) ::signal(number, SIG_IGN);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  char buffer[4096];
  for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) run.output.append(buffer, n);
  ::close(out[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
}

// Whether the helper test ran (a filter that matches nothing passes as well) and passed.
inline ::testing::AssertionResult HelperPassed(const HelperRun& run, const std::string& test) {
  if (run.status == 0 && run.output.find("[       OK ] DISABLED_" + test) != std::string::npos)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "the helper " << test << " ended with status " << run.status << ":\n"
         << run.output;
}

}  // namespace morvath::test
