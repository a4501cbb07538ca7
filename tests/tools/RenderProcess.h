#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// Runs a program with arguments (no shell), in workingDirectory when given, and collects
// its exit code (or the signal that ended it) and both output streams.
struct ProcessResult
{
  int exitCode = -1;
  int signal = 0;
  std::string out;
  std::string err;
};

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& scratchDirectory, const std::string& workingDirectory = "");

// The two halves of RunProgram, for a test that acts on the program while it runs: the child's
// id (negative when it cannot start), and its result once it has ended.
pid_t StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& scratchDirectory, const std::string& workingDirectory = "");
ProcessResult FinishProgram(pid_t child, const std::string& scratchDirectory);
