#pragma once

#include <string>
#include <string_view>

namespace tombreli {

class CurrentFolders;

// How a host writes paths: which characters separate folders, whether paths
// begin with a drive, and when two spellings name the same folder. Pure text
// rules; nothing here touches the file system.
class PathSyntax
{
public:
    virtual ~PathSyntax() = default;

    // The text up to and including its last separator; empty if it has none.
    // Whatever follows (a file name, a wildcard pattern) is not part of it.
    virtual std::string_view folderPart(std::string_view text) const = 0;

    // The folder a non-empty folder part names: the trailing separator dropped
    // (but for a root), and the drive filled in from the current folders. The
    // result may still be relative; entering it resolves it.
    virtual std::string target(std::string_view folderPart, const CurrentFolders& folders) const = 0;

    // Whether a target names the folder a list already shows, by the host's rule.
    virtual bool sameFolder(std::string_view target, std::string_view directory) const = 0;

    // `path` made absolute: a relative path is taken against the current folder
    // of its drive (or the current folder where the host has no drives).
    virtual std::string absolute(std::string_view path, const CurrentFolders& folders) const = 0;

    // The drive a full path lies on, in one spelling for all spellings of it
    // ("C:", a share root); empty where the host has no drives.
    virtual std::string driveKey(std::string_view fullPath) const = 0;

    // The root folder of a drive ("C:" gives "C:\\"); "/" where the host has no drives.
    virtual std::string driveRoot(std::string_view drive) const = 0;
};

} // namespace tombreli
