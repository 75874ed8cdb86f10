#include "CurrentFolders.h"

#include "FileServices.h"
#include "PathSyntax.h"

namespace tombreli {

CurrentFolders::CurrentFolders(const PathSyntax& syntax, FileServices& files, std::string startFolder)
    : m_syntax(syntax)
    , m_files(files)
{
    record(std::move(startFolder));
}

std::string CurrentFolders::folderOnDrive(std::string_view drive) const
{
    const auto found = m_onDrive.find(m_syntax.driveKey(drive));
    return found != m_onDrive.end() ? found->second : m_syntax.driveRoot(drive);
}

std::error_code CurrentFolders::enter(std::string_view path)
{
    std::string fullPath;
    if (const std::error_code error = m_files.resolveFolder(m_syntax.absolute(path, *this), fullPath)) {
        return error;
    }
    record(std::move(fullPath));
    return {};
}

void CurrentFolders::record(std::string fullPath)
{
    m_onDrive.insert_or_assign(m_syntax.driveKey(fullPath), fullPath);
    m_current = std::move(fullPath);
}

} // namespace tombreli
