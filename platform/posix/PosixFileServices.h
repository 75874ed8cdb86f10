#pragma once

#include "FileServices.h"

namespace tombreli {

// File services on a POSIX host. Names and paths stay raw bytes. A name that
// begins with "." is hidden; an entry is a folder when it is one after
// following links; every other entry (a file, a link to a file, a dangling
// link, a pipe) is listed as a file. Folders are canonical paths, links resolved.
class PosixFileServices final : public FileServices
{
public:
    std::string workingFolder() override;
    std::error_code resolveFolder(std::string_view absolutePath, std::string& fullPath) override;
    std::error_code listFolder(std::string_view fullPath,
                               const std::function<bool(const FolderEntry&)>& take) override;
    std::string programPath() override;
};

} // namespace tombreli
