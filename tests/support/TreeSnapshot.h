#pragma once

#include <dirent.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace tombreli::test {

// What the file system tells of every entry under `root` (itself included)
// but its access time: kind, permissions, owner, size, links, and the times of
// its last change of contents and of status. A program that only reads leaves
// all of it as it was; creating or deleting anything in a folder, even for a
// moment, changes that folder's times. Links are recorded, not followed.
inline void snapshotInto(const std::string& path, const std::string& relative,
                         std::map<std::string, std::string>& entries)
{
    struct stat s
    {};
    if (lstat(path.c_str(), &s) != 0) {
        entries[relative] = "unreadable";
        return;
    }
    std::string& entry = entries[relative];
    for (const auto value :
         {static_cast<long long>(s.st_mode), static_cast<long long>(s.st_uid),
          static_cast<long long>(s.st_size), static_cast<long long>(s.st_nlink),
          static_cast<long long>(s.st_ino), static_cast<long long>(s.st_mtim.tv_sec),
          static_cast<long long>(s.st_mtim.tv_nsec), static_cast<long long>(s.st_ctim.tv_sec),
          static_cast<long long>(s.st_ctim.tv_nsec)}) {
        entry += std::to_string(value) + ' ';
    }
    if (S_ISLNK(s.st_mode)) {
        char target[4096];
        const ssize_t length = readlink(path.c_str(), target, sizeof target);
        entry += "-> " + std::string(target, length > 0 ? static_cast<std::size_t>(length) : 0);
        return;
    }
    if (!S_ISDIR(s.st_mode)) {
        return;
    }
    DIR* dir = opendir(path.c_str());
    if (dir == nullptr) {
        entry += "(not listed)";
        return;
    }
    while (const dirent* child = readdir(dir)) {
        const std::string name = child->d_name;
        if (name != "." && name != "..") {
            snapshotInto(path + "/" + name, relative + "/" + name, entries);
        }
    }
    closedir(dir);
}

inline std::map<std::string, std::string> snapshotTree(const std::string& root)
{
    std::map<std::string, std::string> entries;
    snapshotInto(root, ".", entries);
    return entries;
}

} // namespace tombreli::test
