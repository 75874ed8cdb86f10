#pragma once

#include "FileServices.h"
#include "WindowsPathSyntax.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tombreli::test {

// A Windows file system held in memory: drives ("C:") and network shares
// ("\\server\share") that hold folders and files with attributes. Names are
// looked up with the letters A to Z in either case and keep the case they were
// made with; a path that is entered comes back in the case it was typed in, as
// Windows reports a current folder.
//
// Names are raw bytes. With lead bytes given, a double-byte character is kept
// whole: its second byte is never taken for a separator nor folded, so a
// folder named "\x83\x5C" (Shift-JIS) can be made and entered.
//
// Not modelled: short (8.3) names, trailing dots and spaces, "\\?\" paths,
// links, and the per-drive current folders (the core keeps those itself).
class MemoryFileSystem final : public FileServices
{
public:
    enum class Access
    {
        Full,
        EnterOnly, // can be entered, but listing it is refused
        Refused,   // can be neither entered nor listed
    };

    explicit MemoryFileSystem(WindowsPathSyntax::LeadBytes leadBytes = {});
    ~MemoryFileSystem() override;
    MemoryFileSystem(const MemoryFileSystem&) = delete;
    MemoryFileSystem& operator=(const MemoryFileSystem&) = delete;

    // Each takes an absolute path ("C:\\data", "\\\\server\\share\\docs") and
    // makes what is missing on the way, drive or share included. A mistake in
    // setting up (a file in the way, a name made twice) throws std::logic_error.
    void addFolder(std::string_view path, std::uint8_t attributes = 0);
    void addFile(std::string_view path, std::uint8_t attributes = 0);
    void removeFolder(std::string_view path); // with everything in it; a root takes its drive away
    void removeFile(std::string_view path);
    void setAccess(std::string_view folder, Access access);

    // Must name a folder that exists; kept as entering it reports it.
    void setWorkingFolder(std::string_view folder);
    void setProgramPath(std::string path) { m_programPath = std::move(path); }

    // Every path passed to listFolder, in order, so that a test can tell
    // whether, and which folder, a list has re-read.
    const std::vector<std::string>& listed() const { return m_listed; }
    std::size_t listCount() const { return m_listed.size(); }

    std::string workingFolder() override { return m_workingFolder; }
    std::error_code resolveFolder(std::string_view absolutePath, std::string& fullPath) override;
    std::error_code listFolder(std::string_view fullPath,
                               const std::function<bool(const FolderEntry&)>& take) override;
    std::string programPath() override { return m_programPath; }

private:
    struct Node;
    struct Path
    {
        std::string root;               // as typed: "C:" or "\\server\share"
        std::vector<std::string> parts; // as typed, "." and ".." already resolved
    };

    std::error_code parse(std::string_view text, Path& path) const;
    Path parseOrThrow(std::string_view text) const;
    std::error_code find(const Path& path, Node*& node) const;
    // The folder that `text` names, parsed into `path`, or why there is none.
    std::error_code findFolder(std::string_view text, Path& path, Node*& node) const;
    Node& folderOrThrow(std::string_view path) const;
    void remove(std::string_view path, bool folder);
    std::vector<std::string> split(std::string_view text) const;
    std::string fold(std::string_view text) const;
    bool isLeadByte(char c) const { return m_leadBytes[static_cast<unsigned char>(c)]; }

    WindowsPathSyntax::LeadBytes m_leadBytes;
    std::map<std::string, std::unique_ptr<Node>> m_roots; // by folded root
    std::string m_workingFolder = "C:\\";
    std::string m_programPath = "C:\\tools\\tombreli.exe";
    std::vector<std::string> m_listed;
};

} // namespace tombreli::test
