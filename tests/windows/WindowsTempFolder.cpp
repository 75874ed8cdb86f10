#include "WindowsTempFolder.h"

#include "Wtf8.h"

#include <atomic>
#include <stdexcept>
#include <vector>
#include <windows.h>

namespace tombreli::test {

namespace {

void check(bool ok, std::string_view what, std::string_view path)
{
    if (!ok) {
        throw std::runtime_error(std::string(what) + " failed (" + std::to_string(GetLastError()) +
                                 "): " + std::string(path));
    }
}

void setAttributes(const std::string& path, std::uint32_t attributes)
{
    if (attributes != 0) {
        check(SetFileAttributesW(wide(path).c_str(), attributes) != 0, "SetFileAttributesW", path);
    }
}

std::string temporaryFolder()
{
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    const DWORD length = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
    check(length != 0 && length < buffer.size(), "GetTempPathW", "");
    // The temporary folder may be given by its short (8.3) names.
    std::vector<wchar_t> longName(32768);
    const DWORD longLength =
        GetLongPathNameW(buffer.data(), longName.data(), static_cast<DWORD>(longName.size()));
    check(longLength != 0 && longLength < longName.size(), "GetLongPathNameW", "");
    return wtf8FromWide(std::wstring_view(longName.data(), longLength));
}

void removeAll(const std::wstring& path)
{
    // Hidden, system and read-only entries must be made plain before they go.
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        DeleteFileW(path.c_str());
        return;
    }
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring_view name(data.cFileName);
            if (name != L"." && name != L"..") {
                removeAll(path + L"\\" + data.cFileName);
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

} // namespace

std::wstring wide(std::string_view path)
{
    std::wstring result;
    if (!wideFromWtf8(path, result)) {
        throw std::invalid_argument("not WTF-8: " + std::string(path));
    }
    return result;
}

std::string secondDrive()
{
    const std::string root = "D:\\";
    if (GetFileAttributesW(wide(root + std::string(SecondDriveMark)).c_str()) == INVALID_FILE_ATTRIBUTES) {
        throw std::runtime_error("drive D: is not the tests' own (no " + std::string(SecondDriveMark) +
                                 " in its root); run the tests through ctest");
    }
    return root;
}

WindowsTempFolder::WindowsTempFolder()
    : WindowsTempFolder(temporaryFolder())
{
}

WindowsTempFolder::WindowsTempFolder(std::string_view parent)
{
    static std::atomic<unsigned> made{0};
    std::string base(parent);
    if (!base.ends_with('\\')) {
        base += '\\';
    }
    base += "tombreli-test-" + std::to_string(GetCurrentProcessId()) + "-";
    for (unsigned attempt = 0;; ++attempt) {
        std::string candidate = base + std::to_string(made++);
        if (CreateDirectoryW(wide(candidate).c_str(), nullptr)) {
            m_path = std::move(candidate);
            return;
        }
        check(GetLastError() == ERROR_ALREADY_EXISTS && attempt < 100, "CreateDirectoryW", candidate);
    }
}

WindowsTempFolder::~WindowsTempFolder()
{
    removeAll(wide(m_path));
}

std::string WindowsTempFolder::path(std::string_view name) const
{
    return m_path + "\\" + std::string(name);
}

std::string WindowsTempFolder::pathOnDrive(std::string_view name) const
{
    const std::string full = name.empty() ? m_path : path(name);
    return full.substr(2);
}

std::string WindowsTempFolder::createFile(std::string_view name, std::uint32_t attributes) const
{
    const std::string full = path(name);
    const HANDLE file = CreateFileW(wide(full).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    check(file != INVALID_HANDLE_VALUE, "CreateFileW", full);
    CloseHandle(file);
    setAttributes(full, attributes);
    return full;
}

std::string WindowsTempFolder::createDir(std::string_view name, std::uint32_t attributes) const
{
    const std::string full = path(name);
    check(CreateDirectoryW(wide(full).c_str(), nullptr) != 0, "CreateDirectoryW", full);
    setAttributes(full, attributes);
    return full;
}

void WindowsTempFolder::remove(std::string_view name) const
{
    removeAll(wide(path(name)));
}

std::string currentDirectory()
{
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH + 1, buffer);
    return wtf8FromWide(std::wstring_view(buffer, length));
}

} // namespace tombreli::test
