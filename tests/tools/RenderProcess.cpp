#include "tests/tools/RenderProcess.h"

#include <csignal>
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
  // A test runner started in the background may ignore these; the program must see them.
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const auto& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  execv(program.c_str(), argv.data());
  _exit(127);
}

std::string OutPath(const std::string& scratchDirectory)
{
  return scratchDirectory + "/stdout.txt";
}

std::string ErrPath(const std::string& scratchDirectory)
{
  return scratchDirectory + "/stderr.txt";
}

}  // namespace

pid_t StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& scratchDirectory, const std::string& workingDirectory)
{
  const pid_t child = fork();
  if (child == 0)
    RunChild(program, arguments, OutPath(scratchDirectory), ErrPath(scratchDirectory), workingDirectory);
  return child;
}

ProcessResult FinishProgram(pid_t child, const std::string& scratchDirectory)
{
  ProcessResult result;
  if (child < 0)
    return result;
  int status = 0;
  if (waitpid(child, &status, 0) == child)
  {
    if (WIFEXITED(status))
      result.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status))
      result.signal = WTERMSIG(status);
  }
  result.out = ReadWhole(OutPath(scratchDirectory));
  result.err = ReadWhole(ErrPath(scratchDirectory));
  return result;
}

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& scratchDirectory, const std::string& workingDirectory)
{
  return FinishProgram(StartProgram(program, arguments, scratchDirectory, workingDirectory), scratchDirectory);
}
