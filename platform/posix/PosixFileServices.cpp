#include "PosixFileServices.h"

#include "GrowingBuffer.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace tombreli {

namespace {

std::error_code lastError()
{
    return {errno, std::generic_category()};
}

// A path for the C interface; a NUL inside would silently cut it short.
bool toCPath(std::string_view path, std::string& out)
{
    if (path.find('\0') != std::string_view::npos) {
        return false;
    }
    out.assign(path);
    return true;
}

struct DirCloser
{
    void operator()(DIR* dir) const { closedir(dir); }
};

} // namespace

std::string PosixFileServices::workingFolder()
{
    const std::optional<std::string> folder = readIntoGrowingBuffer<char>(
        [](char* data, std::size_t size) -> long long {
            if (getcwd(data, size) == nullptr) {
                return errno == ERANGE ? static_cast<long long>(size) : -1;
            }
            return static_cast<long long>(std::strlen(data));
        },
        PATH_MAX);
    // Without one, the folder we were started in is gone; the root is the one folder sure to exist.
    return folder.value_or("/");
}

std::error_code PosixFileServices::resolveFolder(std::string_view absolutePath, std::string& fullPath)
{
    std::string path;
    if (!toCPath(absolutePath, path) || path.empty()) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
    if (!resolved) {
        return lastError();
    }
    struct stat status
    {};
    if (stat(resolved.get(), &status) != 0) {
        return lastError();
    }
    if (!S_ISDIR(status.st_mode)) {
        return std::make_error_code(std::errc::not_a_directory);
    }
    if (access(resolved.get(), X_OK) != 0) {
        return lastError();
    }
    fullPath = resolved.get();
    return {};
}

std::error_code PosixFileServices::listFolder(std::string_view fullPath,
                                              const std::function<bool(const FolderEntry&)>& take)
{
    std::string path;
    if (!toCPath(fullPath, path)) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    const std::unique_ptr<DIR, DirCloser> dir(opendir(path.c_str()));
    if (!dir) {
        return lastError();
    }
    const int dirFd = dirfd(dir.get());
    while (true) {
        errno = 0;
        const dirent* entry = readdir(dir.get());
        if (entry == nullptr) {
            return errno == 0 ? std::error_code{} : lastError();
        }
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..") {
            continue;
        }
        FolderEntry found{name, 0};
        bool isDirectory = entry->d_type == DT_DIR;
        // Only links and file systems that give no type need a stat: one per
        // entry would make a large listing many times slower.
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat status
            {};
            isDirectory = fstatat(dirFd, entry->d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
        }
        if (isDirectory) {
            found.attributes |= FolderEntry::Directory;
        }
        if (name.starts_with('.')) {
            found.attributes |= FolderEntry::Hidden;
        }
        if (!take(found)) {
            return {};
        }
    }
}

std::string PosixFileServices::programPath()
{
    // A link as long as the buffer may have been cut short.
    return readIntoGrowingBuffer<char>(
               [](char* data, std::size_t size) -> long long {
                   return readlink("/proc/self/exe", data, size);
               },
               PATH_MAX)
        .value_or("");
}

} // namespace tombreli
