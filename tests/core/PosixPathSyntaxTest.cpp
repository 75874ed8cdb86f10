#include "PosixPathSyntax.h"

#include "CurrentFolders.h"
#include "FileServices.h"

#include <gtest/gtest.h>

namespace tombreli {
namespace {

// Path rules are pure text; they never reach the file system.
class NoFileServices final : public FileServices
{
public:
    std::string workingFolder() override { return "/"; }
    std::error_code resolveFolder(std::string_view, std::string&) override
    {
        return std::make_error_code(std::errc::no_such_file_or_directory);
    }
    std::error_code listFolder(std::string_view, const std::function<bool(const FolderEntry&)>&) override
    {
        return std::make_error_code(std::errc::no_such_file_or_directory);
    }
    std::string programPath() override { return {}; }
};

struct PathCase
{
    const char* title;
    const char* text;
    const char* folderPart;
    const char* target; // of the folder part, when it is not empty
};

void PrintTo(const PathCase& c, std::ostream* out)
{
    *out << c.title;
}

class PosixPathCases : public testing::TestWithParam<PathCase>
{
protected:
    PosixPathSyntax syntax;
    NoFileServices files;
    CurrentFolders folders{syntax, files, "/home/user"};
};

TEST_P(PosixPathCases, TakesTheFolderPartAndItsTarget)
{
    const PathCase& c = GetParam();
    const std::string_view part = syntax.folderPart(c.text);
    EXPECT_EQ(part, c.folderPart);
    if (!part.empty()) {
        EXPECT_EQ(syntax.target(part, folders), c.target);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PosixPathCases,
    testing::Values(PathCase{"NoTrailingSeparator", "/data/folder", "/data/", "/data"},
                    PathCase{"TrailingSeparator", "/data/folder/", "/data/folder/", "/data/folder"},
                    PathCase{"FileNameDropped", "/data/folder/readme.txt", "/data/folder/", "/data/folder"},
                    PathCase{"PatternDropped", "/data/*.txt", "/data/", "/data"},
                    PathCase{"Root", "/", "/", "/"}, PathCase{"RootWithName", "/etc", "/", "/"},
                    PathCase{"DoubleSeparator", "//", "//", "/"}, PathCase{"Relative", "sub/", "sub/", "sub"},
                    PathCase{"Dots", "/data/./", "/data/./", "/data/."},
                    PathCase{"BackslashIsAName", "C:\\data\\x", "", ""},
                    PathCase{"BareName", "readme.txt", "", ""}, PathCase{"Empty", "", "", ""}),
    [](const testing::TestParamInfo<PathCase>& param) { return param.param.title; });

TEST(PosixPathSyntax, SameFolderOnlyByteForByte)
{
    const PosixPathSyntax syntax;
    EXPECT_TRUE(syntax.sameFolder("/data/a", "/data/a"));
    // Folder names differ by letter case on this host.
    EXPECT_FALSE(syntax.sameFolder("/data/A", "/data/a"));
    EXPECT_FALSE(syntax.sameFolder("/data/./", "/data"));
}

TEST(PosixPathSyntax, RelativePathsAreTakenAgainstTheCurrentFolder)
{
    const PosixPathSyntax syntax;
    NoFileServices files;
    const CurrentFolders inHome(syntax, files, "/home/user");
    const CurrentFolders atRoot(syntax, files, "/");
    EXPECT_EQ(syntax.absolute("sub", inHome), "/home/user/sub");
    EXPECT_EQ(syntax.absolute("sub", atRoot), "/sub");
    EXPECT_EQ(syntax.absolute("/etc", inHome), "/etc");
    EXPECT_EQ(syntax.driveKey("/home/user"), "");
}

} // namespace
} // namespace tombreli
