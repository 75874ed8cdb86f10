#pragma once

#include "FileServices.h"

#include <cstdint>

namespace tombreli {

// File services on Windows, through the wide API only: the narrow one hands
// back "?" for every letter outside the ANSI code page (or a look-alike, "é"
// as "e" in code page 932), so two different files could compare equal and a
// listed file could not be found again. Names and paths are WTF-8 inside (see
// Wtf8.h). Paths come out as the system reports a current folder: letter case
// as typed, "." and ".." resolved, a trailing separator only after a drive
// root. The process's own current folder is never moved; relative paths are
// refused, since the folder lists keep their current folders themselves.
class WindowsFileServices final : public FileServices
{
public:
    std::string workingFolder() override;
    std::error_code resolveFolder(std::string_view absolutePath, std::string& fullPath) override;
    std::error_code listFolder(std::string_view fullPath,
                               const std::function<bool(const FolderEntry&)>& take) override;
    std::string programPath() override;

    // What a folder entry's Windows attributes mean to a folder list.
    static std::uint8_t entryAttributes(unsigned long windowsAttributes);

    // A Windows error code as an error_code: the common ones as their portable
    // conditions (so that messages read as on other hosts), the rest with the
    // system's own text in UTF-8.
    static std::error_code errorFrom(unsigned long windowsError);
};

} // namespace tombreli
