#include "Host.h"
#include "IcuNameOrder.h"
#include "PosixFileServices.h"
#include "PosixPathSyntax.h"

namespace tombreli {

const PathSyntax& hostPathSyntax()
{
    static const PosixPathSyntax syntax;
    return syntax;
}

FileServices& hostFileServices()
{
    static PosixFileServices files;
    return files;
}

const NameOrder& hostNameOrder()
{
    static const IcuNameOrder order(IcuNameOrder::localeFromEnvironment());
    return order;
}

std::vector<std::string> programArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv, argv + argc);
}

} // namespace tombreli
