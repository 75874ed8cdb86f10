#pragma once

#include "FileServices.h"
#include "NameOrder.h"
#include "PathSyntax.h"

namespace tombreli {

// The real ports of the host the program was built for, alive for the whole process.
const PathSyntax& hostPathSyntax();
FileServices& hostFileServices();
// The user's locale, as the environment chose it at the first call.
const NameOrder& hostNameOrder();

} // namespace tombreli
