#pragma once

#include "tests/tools/RenderProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

// A test with a scratch folder of its own, removed afterwards, in which the built
// vulcrax-render runs as a user would run it.
class RenderFixture : public testing::Test
{
protected:
  void SetUp() override
  {
    std::string pattern = testing::TempDir() + "vulcrax-render-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    mDirectory = pattern;
  }

  void TearDown() override { std::filesystem::remove_all(mDirectory); }

  std::string Path(const std::string& name) const { return mDirectory + "/" + name; }

  ProcessResult Render(const std::vector<std::string>& arguments, const std::string& workingDirectory = "")
  {
    return RunProgram(VULCRAX_RENDER_PATH, arguments, mDirectory, workingDirectory);
  }

  std::string mDirectory;
};

inline std::vector<std::string> Lines(const std::string& text)
{
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}
