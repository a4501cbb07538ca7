#pragma once

#include <string>
#include <vector>

// Rows of numbers from a whitespace-separated text file; lines starting with '#' are
// comments. An unreadable file gives no rows.
using ReferenceRow = std::vector<double>;
using ReferenceTable = std::vector<ReferenceRow>;

ReferenceTable ReadReferenceTable(const std::string& path);

// Folder holding the filter reference data, or the empty string when it is not there.
std::string FilterReferenceDir();
