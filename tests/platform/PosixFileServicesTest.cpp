#include "PosixFileServices.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace tombreli {
namespace {

using test::TempFolder;

std::map<std::string, std::uint8_t> listAll(PosixFileServices& files, const std::string& folder)
{
    std::map<std::string, std::uint8_t> entries;
    const std::error_code error = files.listFolder(folder, [&](const FolderEntry& entry) {
        entries.emplace(entry.name, entry.attributes);
        return true;
    });
    EXPECT_FALSE(error) << error.message();
    return entries;
}

TEST(PosixFileServices, ListsEveryEntryWithItsKind)
{
    TempFolder folder;
    folder.createFile("plain");
    folder.createFile(".dotfile");
    folder.createDir("sub");
    folder.createDir(".hiddensub");
    folder.createLink("linkToFile", "plain");
    folder.createLink("linkToFolder", "sub");
    folder.createLink("dangling", "nowhere");
    folder.createLink("loop", "loop");
    ASSERT_EQ(mkfifo(folder.path("pipe").c_str(), 0600), 0);

    PosixFileServices files;
    const std::map<std::string, std::uint8_t> expected{
        {"plain", 0},
        {".dotfile", FolderEntry::Hidden},
        {"sub", FolderEntry::Directory},
        {".hiddensub", FolderEntry::Directory | FolderEntry::Hidden},
        {"linkToFile", 0},
        {"linkToFolder", FolderEntry::Directory},
        {"dangling", 0},
        {"loop", 0},
        {"pipe", 0},
    };
    EXPECT_EQ(listAll(files, folder.path()), expected);
}

TEST(PosixFileServices, KeepsNamesAsRawBytes)
{
    TempFolder folder;
    const std::string names[] = {"\x89\xFF invalid", "line\nbreak", "日本語.txt",         "Readme.txt",
                                 "README.TXT",       " trailing ",  std::string(255, 'n')};
    for (const std::string& name : names) {
        folder.createFile(name);
    }
    PosixFileServices files;
    const auto entries = listAll(files, folder.path());
    ASSERT_EQ(entries.size(), std::size(names));
    for (const std::string& name : names) {
        EXPECT_TRUE(entries.contains(name)) << name;
    }
}

TEST(PosixFileServices, StopsWhenAskedTo)
{
    TempFolder folder;
    for (const char* name : {"a", "b", "c"}) {
        folder.createFile(name);
    }
    PosixFileServices files;
    int seen = 0;
    EXPECT_FALSE(files.listFolder(folder.path(), [&](const FolderEntry&) { return ++seen < 2; }));
    EXPECT_EQ(seen, 2);
}

TEST(PosixFileServices, ResolvesFoldersToCanonicalPaths)
{
    TempFolder folder;
    folder.createDir("real");
    folder.createDir("real/inner");
    folder.createLink("link", "real");
    PosixFileServices files;
    std::string full;
    for (const std::string& path : {folder.path("link"), folder.path("link/"), folder.path("real/inner/.."),
                                    folder.path("real//./"), folder.path("real")}) {
        EXPECT_FALSE(files.resolveFolder(path, full)) << path;
        EXPECT_EQ(full, folder.path("real")) << path;
    }
}

TEST(PosixFileServices, RefusesWhatIsNoEnterableFolder)
{
    TempFolder folder;
    folder.createFile("file");
    folder.createLink("loop", "loop");
    PosixFileServices files;
    const struct
    {
        std::string path;
        std::errc error;
    } cases[] = {
        {folder.path("missing"), std::errc::no_such_file_or_directory},
        {folder.path("file"), std::errc::not_a_directory},
        {folder.path("file/"), std::errc::not_a_directory},
        {folder.path("loop"), std::errc::too_many_symbolic_link_levels},
        {folder.path() + std::string("\0/etc", 5), std::errc::invalid_argument},
        {"", std::errc::invalid_argument},
        {"/" + std::string(5000, 'x'), std::errc::filename_too_long},
    };
    for (const auto& c : cases) {
        std::string full = "unchanged";
        EXPECT_EQ(files.resolveFolder(c.path, full), c.error) << c.path.substr(0, 80);
        EXPECT_EQ(full, "unchanged");
    }
}

TEST(PosixFileServices, ReportsAFolderThatCannotBeListed)
{
    PosixFileServices files;
    const auto take = [](const FolderEntry&) {
        return true;
    };
    EXPECT_EQ(files.listFolder("/nonexistent-tombreli", take), std::errc::no_such_file_or_directory);
    EXPECT_EQ(files.listFolder(std::string("/\0tmp", 5), take), std::errc::invalid_argument);
}

TEST(PosixFileServices, RefusesFoldersWithoutPermissionForOrdinaryUsers)
{
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind root";
    }
    TempFolder folder;
    const std::string locked = folder.createDir("locked");
    ASSERT_EQ(chmod(locked.c_str(), 0), 0);
    PosixFileServices files;
    std::string full;
    EXPECT_EQ(files.resolveFolder(locked, full), std::errc::permission_denied);
    EXPECT_EQ(files.listFolder(locked, [](const FolderEntry&) { return true; }),
              std::errc::permission_denied);
}

TEST(PosixFileServices, KnowsTheProgramAndTheWorkingFolder)
{
    PosixFileServices files;
    EXPECT_TRUE(files.programPath().ends_with("/tombreli_platform_tests")) << files.programPath();
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(files.workingFolder(), cwd);
}

} // namespace
} // namespace tombreli
