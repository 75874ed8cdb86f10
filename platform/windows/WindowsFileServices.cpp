#include "WindowsFileServices.h"

#include "GrowingBuffer.h"
#include "Wtf8.h"

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace tombreli {

namespace {

// The MS-DOS volume-label bit: Win32 defines no name for it, and no entry of a
// folder should carry it, but one that does is no file.
constexpr DWORD VolumeLabelAttribute = 0x08;

class WindowsCategory final : public std::error_category
{
public:
    const char* name() const noexcept override { return "windows"; }

    std::string message(int code) const override
    {
        // English, as the portable messages are; the user's language where
        // the system has no English text.
        wchar_t* text = nullptr;
        DWORD length = 0;
        for (const DWORD language : {DWORD{MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)}, DWORD{0}}) {
            length = FormatMessageW(
                FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                nullptr, static_cast<DWORD>(code), language, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
            if (length != 0 && text != nullptr) {
                break;
            }
        }
        if (length == 0 || text == nullptr) {
            return "Windows error " + std::to_string(static_cast<DWORD>(code));
        }
        std::string message = wtf8FromWide(std::wstring_view(text, length));
        LocalFree(text);
        while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                    message.back() == '.' || message.back() == ' ')) {
            message.pop_back();
        }
        return message;
    }
};

const std::error_category& windowsCategory()
{
    static const WindowsCategory category;
    return category;
}

std::error_code lastError()
{
    return WindowsFileServices::errorFrom(GetLastError());
}

// A path the system takes as it is: no NUL inside, and not relative to the
// process's current folder, which is not the folder lists' current folder.
bool toSystemPath(std::string_view path, std::wstring& wide)
{
    const bool withDrive = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    const bool onShare =
        path.size() >= 2 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/');
    return (withDrive || onShare) && path.find('\0') == std::string_view::npos && wideFromWtf8(path, wide);
}

// A length the system returned, where 0 means failure.
long long systemLength(DWORD length)
{
    return length == 0 ? -1 : static_cast<long long>(length);
}

// GetFullPathNameW resolves "." and "..", turns "/" into "\" and drops the
// dots and spaces that end a name, keeping the letter case as given.
std::error_code fullPathOf(const std::wstring& path, std::wstring& full)
{
    std::optional<std::wstring> result = readIntoGrowingBuffer<wchar_t>(
        [&](wchar_t* data, std::size_t size) {
            return systemLength(GetFullPathNameW(path.c_str(), static_cast<DWORD>(size), data, nullptr));
        },
        MAX_PATH + 1);
    if (!result) {
        return lastError();
    }
    full = std::move(*result);
    return {};
}

// As the system reports a current folder: no trailing separator but after a drive letter.
void dropTrailingSeparator(std::wstring& path)
{
    if (path.size() > 1 && path.back() == L'\\' && path[path.size() - 2] != L':') {
        path.pop_back();
    }
}

// "\\\\server\\share", with nothing after the share's name.
bool isShareRoot(const std::wstring& path)
{
    return path.starts_with(L"\\\\") && std::count(path.begin() + 2, path.end(), L'\\') <= 1;
}

struct FindCloser
{
    void operator()(HANDLE find) const { FindClose(find); }
};

} // namespace

std::uint8_t WindowsFileServices::entryAttributes(unsigned long windowsAttributes)
{
    std::uint8_t attributes = 0;
    if ((windowsAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        attributes |= FolderEntry::Directory;
    }
    if ((windowsAttributes & FILE_ATTRIBUTE_HIDDEN) != 0) {
        attributes |= FolderEntry::Hidden;
    }
    if ((windowsAttributes & FILE_ATTRIBUTE_SYSTEM) != 0) {
        attributes |= FolderEntry::System;
    }
    if ((windowsAttributes & VolumeLabelAttribute) != 0) {
        attributes |= FolderEntry::VolumeLabel;
    }
    return attributes;
}

std::error_code WindowsFileServices::errorFrom(unsigned long windowsError)
{
    switch (windowsError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY:
        return std::make_error_code(std::errc::no_such_file_or_directory);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return std::make_error_code(std::errc::permission_denied);
    case ERROR_DIRECTORY:
        return std::make_error_code(std::errc::not_a_directory);
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
        return std::make_error_code(std::errc::invalid_argument);
    case ERROR_FILENAME_EXCED_RANGE:
        return std::make_error_code(std::errc::filename_too_long);
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return std::make_error_code(std::errc::not_enough_memory);
    default:
        return {static_cast<int>(windowsError), windowsCategory()};
    }
}

std::string WindowsFileServices::workingFolder()
{
    const std::optional<std::wstring> folder = readIntoGrowingBuffer<wchar_t>(
        [](wchar_t* data, std::size_t size) {
            return systemLength(GetCurrentDirectoryW(static_cast<DWORD>(size), data));
        },
        MAX_PATH + 1);
    return folder ? wtf8FromWide(*folder) : "C:\\";
}

std::error_code WindowsFileServices::resolveFolder(std::string_view absolutePath, std::string& fullPath)
{
    std::wstring path;
    if (!toSystemPath(absolutePath, path)) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    std::wstring full;
    if (const std::error_code error = fullPathOf(path, full)) {
        return error;
    }
    dropTrailingSeparator(full);
    // Asked without a trailing separator, a file is reported as a file (with
    // one, wine reports it missing); a share's root needs its separator.
    const std::wstring query = isShareRoot(full) ? full + L'\\' : full;
    const DWORD attributes = GetFileAttributesW(query.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return lastError();
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return std::make_error_code(std::errc::not_a_directory);
    }
    // What entering a folder asks of it: the right to pass through, not to list.
    const HANDLE folder = CreateFileW(query.c_str(), FILE_TRAVERSE | SYNCHRONIZE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) {
        return lastError();
    }
    CloseHandle(folder);
    fullPath = wtf8FromWide(full);
    return {};
}

std::error_code WindowsFileServices::listFolder(std::string_view fullPath,
                                                const std::function<bool(const FolderEntry&)>& take)
{
    std::wstring pattern;
    if (!toSystemPath(fullPath, pattern)) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    if (!pattern.ends_with(L'\\') && !pattern.ends_with(L'/')) {
        pattern += L'\\';
    }
    // Every name: the folder list applies its own mask, which the system's
    // matching would widen with the short (8.3) names.
    pattern += L'*';
    WIN32_FIND_DATAW data;
    const HANDLE first = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                          nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (first == INVALID_HANDLE_VALUE) {
        // A drive's root holds no "." and "..", so an empty one finds nothing.
        return GetLastError() == ERROR_FILE_NOT_FOUND ? std::error_code{} : lastError();
    }
    const std::unique_ptr<void, FindCloser> find(first);
    std::string name;
    do {
        const std::wstring_view wide(data.cFileName);
        if (wide == L"." || wide == L"..") {
            continue;
        }
        name = wtf8FromWide(wide);
        if (!take(FolderEntry{name, entryAttributes(data.dwFileAttributes)})) {
            return {};
        }
    } while (FindNextFileW(find.get(), &data));
    const DWORD error = GetLastError();
    return error == ERROR_NO_MORE_FILES ? std::error_code{} : errorFrom(error);
}

std::string WindowsFileServices::programPath()
{
    // A name as long as the buffer has been cut short.
    const std::optional<std::wstring> path = readIntoGrowingBuffer<wchar_t>(
        [](wchar_t* data, std::size_t size) {
            return systemLength(GetModuleFileNameW(nullptr, data, static_cast<DWORD>(size)));
        },
        MAX_PATH + 1);
    return path ? wtf8FromWide(*path) : std::string();
}

} // namespace tombreli
