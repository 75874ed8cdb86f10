#pragma once

#include "PathSyntax.h"

namespace tombreli {

// Paths as POSIX writes them: "/" is the only separator and there are no
// drives. A target is the same folder as a list's only when the bytes are
// equal, since folder names there differ by letter case.
class PosixPathSyntax final : public PathSyntax
{
public:
    std::string_view folderPart(std::string_view text) const override;
    std::string target(std::string_view folderPart, const CurrentFolders& folders) const override;
    bool sameFolder(std::string_view target, std::string_view directory) const override;
    std::string absolute(std::string_view path, const CurrentFolders& folders) const override;
    std::string driveKey(std::string_view fullPath) const override;
    std::string driveRoot(std::string_view drive) const override;
};

} // namespace tombreli
