#include "Host.h"
#include "WindowsFileServices.h"
#include "WindowsLowerCase.h"
#include "WindowsNameOrder.h"
#include "WindowsPathSyntax.h"
#include "Wtf8.h"

#include <memory>
#include <windows.h>
// windows.h first: shellapi.h needs its types.
#include <shellapi.h>

namespace tombreli {

const PathSyntax& hostPathSyntax()
{
    // Names are UTF-8 inside, whose continuation bytes are never a "\" or a
    // letter; letter case folds as the system's narrow character set has it.
    static const WindowsPathSyntax syntax({}, doubleByteSystem() ? WindowsPathSyntax::LowerCase()
                                                                 : systemLowerCase);
    return syntax;
}

FileServices& hostFileServices()
{
    static WindowsFileServices files;
    return files;
}

const NameOrder& hostNameOrder()
{
    static const WindowsNameOrder order;
    return order;
}

std::vector<std::string> programArguments(int argc, char** argv)
{
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    const std::unique_ptr<wchar_t*, decltype(&LocalFree)> release(wide, &LocalFree);
    // The C runtime splits the command line by the same rules; should the two
    // ever disagree on the count, the narrow arguments are at least in step.
    if (wide == nullptr || count != argc) {
        return std::vector<std::string>(argv, argv + argc);
    }
    std::vector<std::string> arguments;
    arguments.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        arguments.push_back(wtf8FromWide(wide[i]));
    }
    return arguments;
}

} // namespace tombreli
