#include "TempFolder.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace tombreli::test {

namespace {

void check(bool ok, std::string_view what)
{
    if (!ok) {
        throw std::system_error(errno, std::system_category(), std::string(what));
    }
}

} // namespace

TempFolder::TempFolder()
{
    const std::filesystem::path base = std::filesystem::canonical(std::filesystem::temp_directory_path());
    std::string pattern = (base / "tombreli-test-XXXXXX").string();
    check(mkdtemp(pattern.data()) != nullptr, "mkdtemp");
    m_path = pattern;
}

TempFolder::~TempFolder()
{
    // A test may have taken away permissions; give them back so that all can go.
    std::error_code ignored;
    for (auto it = std::filesystem::recursive_directory_iterator(
             m_path, std::filesystem::directory_options::skip_permission_denied, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
            chmod(it->path().c_str(), 0700);
        }
    }
    chmod(m_path.c_str(), 0700);
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempFolder::path(std::string_view name) const
{
    return m_path + "/" + std::string(name);
}

std::string TempFolder::createFile(std::string_view name, std::string_view bytes) const
{
    const std::string full = path(name);
    std::ofstream out(full, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    check(out.good(), "create file " + full);
    return full;
}

std::string TempFolder::createDir(std::string_view name) const
{
    const std::string full = path(name);
    check(mkdir(full.c_str(), 0755) == 0, "mkdir " + full);
    return full;
}

std::string TempFolder::createLink(std::string_view name, std::string_view target) const
{
    const std::string full = path(name);
    check(symlink(std::string(target).c_str(), full.c_str()) == 0, "symlink " + full);
    return full;
}

} // namespace tombreli::test
