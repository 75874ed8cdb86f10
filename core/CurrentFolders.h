#pragma once

#include <map>
#include <string>
#include <string_view>
#include <system_error>

namespace tombreli {

class FileServices;
class PathSyntax;

// The current folders that the two folder lists share: the folder most
// recently entered by either list, and for each drive the folder last entered
// on it. Kept here rather than in the process, so that nothing else in the
// program can move them and a test can set them up at will.
class CurrentFolders
{
public:
    // Starts at `startFolder`, a full path (normally the process's working folder).
    CurrentFolders(const PathSyntax& syntax, FileServices& files, std::string startFolder);

    const PathSyntax& syntax() const { return m_syntax; }

    // The folder most recently entered.
    const std::string& current() const { return m_current; }

    // The folder last entered on `drive`, as a full path; the drive's root if none was.
    std::string folderOnDrive(std::string_view drive) const;

    // Makes `path` (absolute, or relative to its drive's current folder) the
    // current folder. On failure nothing changes and the reason is returned.
    std::error_code enter(std::string_view path);

private:
    void record(std::string fullPath);

    const PathSyntax& m_syntax;
    FileServices& m_files;
    std::string m_current;
    std::map<std::string, std::string, std::less<>> m_onDrive;
};

} // namespace tombreli
