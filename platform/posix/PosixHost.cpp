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

} // namespace tombreli
