#pragma once

#include <string>
#include <vector>

namespace tombreli {

// An ordered list of file names, each held as the bytes the file system gave,
// with no folder part and no change of case or encoding.
using NameList = std::vector<std::string>;

} // namespace tombreli
