#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

namespace tombreli {

// What the operating system says of one entry of a folder.
struct FolderEntry
{
    enum Attribute : std::uint8_t
    {
        Directory = 1 << 0,   // a folder, after following links
        Hidden = 1 << 1,      // hidden by the host's convention
        System = 1 << 2,      // an operating-system file
        VolumeLabel = 1 << 3, // a volume label, not a file
    };

    std::string_view name; // valid only during the callback that receives it
    std::uint8_t attributes = 0;

    bool has(Attribute a) const { return (attributes & a) != 0; }
};

// The file services a folder list relies on: the port through which the core
// reaches the file system. Paths and names are the host's bytes, unchanged.
// Errors are returned, never thrown.
class FileServices
{
public:
    virtual ~FileServices() = default;

    // The full path of the process's working folder at start.
    virtual std::string workingFolder() = 0;

    // If `absolutePath` names a folder that exists and may be entered, stores its
    // canonical full path (as the host reports a current folder) in `fullPath`.
    virtual std::error_code resolveFolder(std::string_view absolutePath, std::string& fullPath) = 0;

    // Calls `take` for every entry of the folder at `fullPath` ("." and ".."
    // excluded), in the host's order, until it returns false. A folder that
    // cannot be read returns its error; entries already passed stay passed. If
    // `take` throws, the listing is abandoned and its resources released.
    virtual std::error_code listFolder(std::string_view fullPath,
                                       const std::function<bool(const FolderEntry&)>& take) = 0;

    // The full path of the running program's executable file.
    virtual std::string programPath() = 0;
};

} // namespace tombreli
