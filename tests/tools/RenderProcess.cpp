#include "tests/tools/RenderProcess.h"

#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string ReadWhole(const std::string& path)
{
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// In the child: redirects the streams and replaces the process; exits 127 when it cannot.
[[noreturn]] void RunChild(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& outPath, const std::string& errPath, const std::string& workingDirectory)
{
  const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int in = open("/dev/null", O_RDONLY);
  if (out < 0 || err < 0 || in < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || dup2(in, 0) < 0)
    _exit(127);
  if (!workingDirectory.empty() && chdir(workingDirectory.c_str()) != 0)
    _exit(127);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const auto& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  execv(program.c_str(), argv.data());
  _exit(127);
}

}  // namespace

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& scratchDirectory, const std::string& workingDirectory)
{
  const std::string outPath = scratchDirectory + "/stdout.txt";
  const std::string errPath = scratchDirectory + "/stderr.txt";
  ProcessResult result;
  const pid_t child = fork();
  if (child < 0)
    return result;
  if (child == 0)
    RunChild(program, arguments, outPath, errPath, workingDirectory);
  int status = 0;
  if (waitpid(child, &status, 0) == child && WIFEXITED(status))
    result.exitCode = WEXITSTATUS(status);
  result.out = ReadWhole(outPath);
  result.err = ReadWhole(errPath);
  return result;
}
