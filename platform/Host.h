#pragma once

#include "FileServices.h"
#include "NameOrder.h"
#include "PathSyntax.h"

#include <string>
#include <vector>

namespace tombreli {

// The real ports of the host the program was built for, alive for the whole process.
const PathSyntax& hostPathSyntax();
FileServices& hostFileServices();
// The user's locale, as the environment chose it at the first call.
const NameOrder& hostNameOrder();
// The program's arguments as the host's path bytes (UTF-8 on Windows, where
// `argv` holds them in the ANSI code page and loses what it cannot spell).
std::vector<std::string> programArguments(int argc, char** argv);

} // namespace tombreli
