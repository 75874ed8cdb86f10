#include "WindowsFileServices.h"

#include "WindowsTempFolder.h"
#include "Wtf8.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <vector>
#include <windows.h>

namespace tombreli {
namespace {

using test::currentDirectory;
using test::WindowsTempFolder;

// What the system itself reports as the current folder after entering
// `path`, or nothing when it cannot be entered. The process's current folder
// is put back afterwards.
std::optional<std::string> reportedAfterEntering(const std::string& path)
{
    const std::wstring before = test::wide(currentDirectory());
    std::optional<std::string> reported;
    if (SetCurrentDirectoryW(test::wide(path).c_str())) {
        reported = currentDirectory();
    }
    SetCurrentDirectoryW(before.c_str());
    return reported;
}

class WindowsFiles : public testing::Test
{
protected:
    WindowsFiles()
    {
        root.createDir("data");
        root.createDir("data\\sub");
        root.createFile("data\\a.txt");
    }

    // The entries of a folder, by name, with their attributes.
    std::map<std::string, std::uint8_t> entries(const std::string& folder, std::error_code* error = nullptr)
    {
        std::map<std::string, std::uint8_t> found;
        const std::error_code listed = files.listFolder(folder, [&](const FolderEntry& entry) {
            EXPECT_TRUE(found.emplace(entry.name, entry.attributes).second) << "listed twice: " << entry.name;
            return true;
        });
        if (error != nullptr) {
            *error = listed;
        } else {
            EXPECT_FALSE(listed) << listed.message();
        }
        return found;
    }

    WindowsTempFolder root;
    WindowsFileServices files;
};

// Each spelling of a folder resolves to the very text the system reports as
// its current folder once it has entered it.
TEST_F(WindowsFiles, ResolvesAFolderAsTheSystemReportsItsCurrentFolder)
{
    const std::string base = root.path();
    std::string swapped = base;
    for (char& c : swapped) {
        c = c >= 'a' && c <= 'z'   ? static_cast<char>(c - 'a' + 'A')
            : c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a')
                                   : c;
    }
    const std::string spellings[] = {
        base + "\\data",
        base + "\\data\\",
        swapped + "\\DATA",
        base + "\\data\\.\\sub\\..",
        base + "\\\\data\\\\sub",
        base + "/data/sub/",
        base + "\\data.",
        base + "\\data\\sub. .",
        "C:\\",
        "c:\\.",
        "C:\\..\\..",
    };
    for (const std::string& spelling : spellings) {
        const std::optional<std::string> expected = reportedAfterEntering(spelling);
        ASSERT_TRUE(expected) << spelling;
        std::string fullPath;
        EXPECT_FALSE(files.resolveFolder(spelling, fullPath)) << spelling;
        EXPECT_EQ(fullPath, *expected) << spelling;
    }
}

TEST_F(WindowsFiles, LeavesTheProcesssCurrentFolderAlone)
{
    const std::string before = currentDirectory();
    std::string fullPath;
    ASSERT_FALSE(files.resolveFolder(root.path("data"), fullPath));
    entries(fullPath);
    EXPECT_EQ(currentDirectory(), before);
    EXPECT_EQ(files.workingFolder(), before);
}

TEST_F(WindowsFiles, RefusesWhatIsNoFolderToEnter)
{
    const struct
    {
        std::string path;
        std::errc error;
    } cases[] = {
        {root.path("missing"), std::errc::no_such_file_or_directory},
        {root.path("missing\\deeper"), std::errc::no_such_file_or_directory},
        {root.path("data\\a.txt"), std::errc::not_a_directory},
        {root.path("data\\a.txt\\"), std::errc::not_a_directory},
        // Relative to the process's folder, which is not the lists' current folder.
        {"data", std::errc::invalid_argument},
        {"C:data", std::errc::invalid_argument},
        {root.pathOnDrive("data"), std::errc::invalid_argument},
        {"", std::errc::invalid_argument},
        {root.path("data") + std::string(1, '\0') + "x", std::errc::invalid_argument},
        {root.path("caf\xE9"), std::errc::invalid_argument},
    };
    for (const auto& c : cases) {
        std::string fullPath = "untouched";
        const std::error_code error = files.resolveFolder(c.path, fullPath);
        EXPECT_EQ(error, std::make_error_code(c.error)) << c.path << ": " << error.message();
        EXPECT_EQ(fullPath, "untouched") << c.path;
    }
}

TEST_F(WindowsFiles, RefusesADriveThatIsNotThere)
{
    std::string drive;
    for (char letter = 'Y'; letter > 'D' && drive.empty(); --letter) {
        const std::wstring driveRoot = {static_cast<wchar_t>(letter), L':', L'\\'};
        if (GetFileAttributesW(driveRoot.c_str()) == INVALID_FILE_ATTRIBUTES) {
            drive = std::string(1, letter) + ":\\";
        }
    }
    ASSERT_FALSE(drive.empty()) << "every drive letter is taken";
    std::string fullPath;
    EXPECT_EQ(files.resolveFolder(drive, fullPath), std::errc::no_such_file_or_directory) << drive;
    EXPECT_EQ(files.resolveFolder(drive + "data", fullPath), std::errc::no_such_file_or_directory) << drive;
}

TEST_F(WindowsFiles, ListsEveryEntryWithWhatItsAttributesMeanToAList)
{
    root.createDir("attributes");
    root.createFile("attributes\\plain.txt");
    root.createFile("attributes\\readonly.txt", FILE_ATTRIBUTE_READONLY);
    root.createFile("attributes\\archive.txt", FILE_ATTRIBUTE_ARCHIVE);
    root.createFile("attributes\\hidden.txt", FILE_ATTRIBUTE_HIDDEN);
    root.createFile("attributes\\system.sys", FILE_ATTRIBUTE_SYSTEM);
    root.createFile("attributes\\desktop.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    root.createDir("attributes\\folder");
    root.createDir("attributes\\hidden folder", FILE_ATTRIBUTE_HIDDEN);
    const std::map<std::string, std::uint8_t> expected = {
        {"plain.txt", 0},
        {"readonly.txt", 0},
        {"archive.txt", 0},
        {"hidden.txt", FolderEntry::Hidden},
        {"system.sys", FolderEntry::System},
        {"desktop.ini", FolderEntry::Hidden | FolderEntry::System},
        {"folder", FolderEntry::Directory},
        {"hidden folder", FolderEntry::Directory | FolderEntry::Hidden},
    };
    EXPECT_EQ(entries(root.path("attributes")), expected);
    EXPECT_EQ(entries(root.path("attributes\\")), expected) << "with a trailing separator";
}

TEST_F(WindowsFiles, ListsADriveRootWithoutItsDots)
{
    std::string fullPath;
    ASSERT_FALSE(files.resolveFolder(root.path().substr(0, 3), fullPath));
    const std::map<std::string, std::uint8_t> found = entries(fullPath);
    EXPECT_FALSE(found.empty());
    EXPECT_FALSE(found.contains(".") || found.contains(".."));
}

TEST_F(WindowsFiles, StopsListingWhenTold)
{
    for (const char* name : {"b.txt", "c.txt", "d.txt"}) {
        root.createFile(std::string("data\\") + name);
    }
    int calls = 0;
    EXPECT_FALSE(files.listFolder(root.path("data"), [&](const FolderEntry&) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
}

TEST_F(WindowsFiles, ReportsAFolderItCannotList)
{
    std::error_code error;
    EXPECT_TRUE(entries(root.path("missing"), &error).empty());
    EXPECT_EQ(error, std::errc::no_such_file_or_directory) << error.message();
    entries("data", &error);
    EXPECT_EQ(error, std::errc::invalid_argument) << "a relative path is never listed";
}

TEST_F(WindowsFiles, KeepsNamesOutsideTheAnsiCodePage)
{
    root.createDir("unicode");
    const std::string names[] = {
        "\xED\x95\x9C\xEA\xB5\xAD.txt", // 한국
        "\xEC\xA4\x91\xEA\xB5\xAD.txt", // 중국: "??.txt" too through the narrow API
        "caf\xC3\xA9.txt",              // café: "cafe.txt" by best fit in code page 932
        "cafe.txt",
        "\xF0\x9F\x98\x80.txt", // an emoji
        "\xE8\xA1\xA8.txt",     // 表, whose second Shift-JIS byte is "\"
    };
    for (const std::string& name : names) {
        root.createFile("unicode\\" + name);
    }
    std::map<std::string, std::uint8_t> expected;
    for (const std::string& name : names) {
        expected.emplace(name, 0);
    }
    EXPECT_EQ(entries(root.path("unicode")), expected);
    // The folder's own name outside the code page too.
    const std::string folder = root.createDir("\xED\x95\x9C\xEA\xB8\x80"); // 한글
    root.createFile("\xED\x95\x9C\xEA\xB8\x80\\\xEB\x82\xB4.txt");
    std::string fullPath;
    ASSERT_FALSE(files.resolveFolder(folder + "\\", fullPath));
    EXPECT_EQ(fullPath, folder);
    EXPECT_EQ(entries(fullPath), (std::map<std::string, std::uint8_t>{{"\xEB\x82\xB4.txt", 0}}));
}

TEST_F(WindowsFiles, KnowsTheProgramAndTheWorkingFolder)
{
    const std::string program = files.programPath();
    EXPECT_TRUE(program.ends_with("\\tombreli_windows_tests.exe")) << program;
    const DWORD attributes = GetFileAttributesW(test::wide(program).c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        << program;
    EXPECT_EQ(files.workingFolder(), currentDirectory());
}

TEST(WindowsFileAttributes, MeanToAListWhatTheyMeanToTheSystem)
{
    const struct
    {
        DWORD windows;
        std::uint8_t entry;
    } cases[] = {
        {FILE_ATTRIBUTE_NORMAL, 0},
        {FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_COMPRESSED, 0},
        {FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT, FolderEntry::Directory},
        {FILE_ATTRIBUTE_HIDDEN, FolderEntry::Hidden},
        {FILE_ATTRIBUTE_SYSTEM, FolderEntry::System},
        {0x08, FolderEntry::VolumeLabel}, // MS-DOS's volume label
        {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY,
         FolderEntry::Hidden | FolderEntry::System | FolderEntry::Directory},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WindowsFileServices::entryAttributes(c.windows), c.entry) << std::hex << c.windows;
    }
}

TEST(WindowsErrors, ReadAsOnOtherHosts)
{
    EXPECT_EQ(WindowsFileServices::errorFrom(ERROR_PATH_NOT_FOUND), std::errc::no_such_file_or_directory);
    EXPECT_EQ(WindowsFileServices::errorFrom(ERROR_ACCESS_DENIED), std::errc::permission_denied);
    EXPECT_EQ(WindowsFileServices::errorFrom(ERROR_DIRECTORY), std::errc::not_a_directory);
    // Any other error keeps its code, with the system's text as UTF-8.
    const std::error_code other = WindowsFileServices::errorFrom(ERROR_NOT_SAME_DEVICE);
    EXPECT_EQ(other.value(), ERROR_NOT_SAME_DEVICE);
    const std::string message = other.message();
    EXPECT_FALSE(message.empty());
    std::wstring wide;
    EXPECT_TRUE(wideFromWtf8(message, wide)) << message;
    EXPECT_FALSE(message.ends_with('\n') || message.ends_with('.')) << message;
}

} // namespace
} // namespace tombreli
