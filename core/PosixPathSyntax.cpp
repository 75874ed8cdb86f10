#include "PosixPathSyntax.h"

#include "CurrentFolders.h"

namespace tombreli {

std::string_view PosixPathSyntax::folderPart(std::string_view text) const
{
    const auto last = text.rfind('/');
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

std::string PosixPathSyntax::target(std::string_view folderPart, const CurrentFolders&) const
{
    if (folderPart.size() <= 1) {
        return std::string(folderPart);
    }
    return std::string(folderPart.substr(0, folderPart.size() - 1));
}

bool PosixPathSyntax::sameFolder(std::string_view target, std::string_view directory) const
{
    return target == directory;
}

std::string PosixPathSyntax::absolute(std::string_view path, const CurrentFolders& folders) const
{
    if (path.starts_with('/')) {
        return std::string(path);
    }
    std::string result = folders.current();
    if (!result.ends_with('/')) {
        result += '/';
    }
    result += path;
    return result;
}

std::string PosixPathSyntax::driveKey(std::string_view) const
{
    return {};
}

std::string PosixPathSyntax::driveRoot(std::string_view) const
{
    return "/";
}

} // namespace tombreli
