#include "PosixFileServices.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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
    std::vector<char> buffer(PATH_MAX);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            // The folder we were started in is gone; the root is the one folder sure to exist.
            return "/";
        }
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
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
    std::vector<char> buffer(PATH_MAX);
    while (true) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace tombreli
