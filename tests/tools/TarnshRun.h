#pragma once
// Running tarnsh as its users do, for the tools' tests.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

struct TRun {
  std::string Output;  // standard output and standard error
  int Status;
};

// Runs tarnsh with arguments (a shell word list) and input (a printf format)
// on standard input.
inline TRun RunTarnsh(const std::string& arguments, const std::string& input = "") {
  std::string command = "printf '" + input + "' | " + TARNSH_PATH + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  EXPECT_NE(pipe, nullptr);
  TRun run{std::string(), -1};
  char buffer[256];
  while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) run.Output.append(buffer, n);
  int status = pclose(pipe);
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}
