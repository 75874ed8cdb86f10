#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tombreli::test {

// A fresh folder on a Windows drive, removed with everything in it when the
// fixture goes. Names and paths are UTF-8 (WTF-8), as the file services keep
// them; `name` may hold "\" to go deeper.
class WindowsTempFolder
{
public:
    // Under the user's temporary folder, on drive C: as a rule.
    WindowsTempFolder();
    // Under `parent`, a folder such as "D:\\".
    explicit WindowsTempFolder(std::string_view parent);
    ~WindowsTempFolder();
    WindowsTempFolder(const WindowsTempFolder&) = delete;
    WindowsTempFolder& operator=(const WindowsTempFolder&) = delete;

    // The full path, long names and no trailing separator, or of `name` inside.
    const std::string& path() const { return m_path; }
    std::string path(std::string_view name) const;
    // The path without its drive ("\\tombreli-test-..."), for rooted texts.
    std::string pathOnDrive(std::string_view name = {}) const;

    // Each returns the full path of what it made; attributes are Windows' own
    // (FILE_ATTRIBUTE_HIDDEN and the like), set after it is made.
    std::string createFile(std::string_view name, std::uint32_t attributes = 0) const;
    std::string createDir(std::string_view name, std::uint32_t attributes = 0) const;
    void remove(std::string_view name) const; // a file, or a folder with all in it

private:
    std::string m_path;
};

// The root of the second drive the tests may use, "D:\\": a drive of the
// tests' own, known by a file "tombreli-second-drive" in its root (CTest's
// fixture WineSecondDrive links one into the wine prefix). Throws if it is not.
std::string secondDrive();

// The name of the file that marks the second drive.
inline constexpr std::string_view SecondDriveMark = "tombreli-second-drive";

// The UTF-16 form of a WTF-8 path; throws on text that is not well formed.
std::wstring wide(std::string_view path);

// The process's current folder, as the system reports it.
std::string currentDirectory();

} // namespace tombreli::test
