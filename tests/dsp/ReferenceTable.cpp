#include "tests/dsp/ReferenceTable.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

ReferenceTable ReadReferenceTable(const std::string& path)
{
  ReferenceTable table;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line))
  {
    if (line.empty() || line[0] == '#')
      continue;
    std::istringstream fields(line);
    ReferenceRow row;
    std::string field;
    while (fields >> field)
      row.push_back(std::strtod(field.c_str(), nullptr));
    table.push_back(row);
  }
  return table;
}

std::string FilterReferenceDir()
{
  const std::string dir = std::string(TV_SHARED_DIR) + "/reference/filters";
  struct stat info {};
  const bool present = stat((dir + "/designs_2009.txt").c_str(), &info) == 0;
  return present ? dir : std::string();
}
