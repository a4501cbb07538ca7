#pragma once

#include <string>
#include <vector>

// Runs a program with arguments (no shell), in workingDirectory when given, and collects
// its exit code and both output streams.
struct ProcessResult
{
  int exitCode = -1;
  std::string out;
  std::string err;
};

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& scratchDirectory, const std::string& workingDirectory = "");
