#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tombreli::test {

// A fresh folder under the system's temporary folder, removed with everything
// in it when the fixture goes. Names are raw bytes, so a test can make files
// whose names are not valid text.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The canonical full path of the folder, or of `name` inside it.
    const std::string& path() const { return m_path; }
    std::string path(std::string_view name) const;

    // Each returns the full path of what it made; `name` may hold "/" to go deeper.
    std::string createFile(std::string_view name, std::string_view bytes = {}) const;
    std::string createDir(std::string_view name) const;
    std::string createLink(std::string_view name, std::string_view target) const;

private:
    std::string m_path;
};

} // namespace tombreli::test
