#include "RunCompare.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tombreli {
namespace {

using test::Outcome;
using test::runCompare;
using test::TempFolder;

class CompareTool : public testing::Test
{
protected:
    CompareTool()
    {
        root.createDir("one");
        root.createDir("two");
        for (const char* name : {"b.txt", "A.txt", "same", "Case"}) {
            root.createFile(std::string("one/") + name);
        }
        for (const char* name : {"same", "case", "d.txt", "A.txt"}) {
            root.createFile(std::string("two/") + name);
        }
        root.createDir("one/sub");
        root.createFile("two/.hidden");
    }

    Outcome run(const std::vector<std::string>& args) const { return runCompare(args, root.path()); }

    TempFolder root;
};

TEST_F(CompareTool, PrintsTheThreeGroupsInTheOrderOfTheWindowsBoxes)
{
    const Outcome outcome = run({"one", "two"});
    EXPECT_EQ(outcome.out, "< b.txt\n< Case\n= A.txt\n= same\n> case\n> d.txt\n");
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.status, 1);
}

TEST_F(CompareTool, SelectsGroups)
{
    const struct
    {
        std::vector<std::string> args;
        std::string out;
    } cases[] = {
        {{"--only1", "one", "two"}, "b.txt\nCase\n"},
        {{"--both", "one", "two"}, "A.txt\nsame\n"},
        {{"--only2", "one", "two"}, "case\nd.txt\n"},
        {{"--only1", "--only2", "one", "two"}, "< b.txt\n< Case\n> case\n> d.txt\n"},
        {{"-z", "--both", "one", "two"}, std::string("A.txt\0same\0", 11)},
    };
    for (const auto& c : cases) {
        const Outcome outcome = run(c.args);
        EXPECT_EQ(outcome.out, c.out) << c.args.front();
        EXPECT_EQ(outcome.status, 1) << "the folders differ, whatever is printed";
    }
}

TEST_F(CompareTool, ExitsWithZeroForFoldersWithTheSameNames)
{
    root.createDir("copy");
    for (const char* name : {"b.txt", "A.txt", "same", "Case"}) {
        root.createFile(std::string("copy/") + name, "other contents");
    }
    const Outcome outcome = run({"one/", root.path("copy")});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "= A.txt\n= b.txt\n= Case\n= same\n");
}

TEST_F(CompareTool, WritesNamesAsTheirBytes)
{
    root.createDir("odd");
    const std::string names[] = {"\x89\xFF", "new\nline", "\xE6\x97\xA5\xE6\x9C\xAC", " space "};
    for (const std::string& name : names) {
        root.createFile("odd/" + name);
    }
    const Outcome outcome = run({"-z", "--only1", "odd", "two"});
    std::vector<std::string> printed;
    std::istringstream in(outcome.out);
    for (std::string name; std::getline(in, name, '\0');) {
        printed.push_back(name);
    }
    std::sort(printed.begin(), printed.end());
    std::vector<std::string> expected(std::begin(names), std::end(names));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(printed, expected);
}

TEST_F(CompareTool, ReportsTroubleWithoutComparingAnythingElse)
{
    root.createFile("plain");
    const struct
    {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"missing", "two"}, "tombreli-compare: missing: No such file or directory\n"},
        {{"one", "plain"}, "tombreli-compare: plain: Not a directory\n"},
        {{"one", std::string(5000, 'x')}, "File name too long"},
        {{}, "tombreli-compare: FOLDER1 and FOLDER2 are missing\nusage: tombreli-compare"},
        {{"one"}, "tombreli-compare: FOLDER2 is missing\nusage: tombreli-compare"},
        {{"one", "two", "three"}, "too many folders"},
        {{"--frobnicate", "one", "two"}, "unknown option --frobnicate"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = run(c.args);
        EXPECT_EQ(outcome.status, 2) << c.message;
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.out, "");
    }
}

TEST_F(CompareTool, ReportsAFolderItCannotRead)
{
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind root";
    }
    const std::string locked = root.createDir("locked");
    ASSERT_EQ(chmod(locked.c_str(), 0100), 0);
    const Outcome outcome = run({"one", "locked"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find("locked: cannot read the folder: Permission denied"), std::string::npos)
        << outcome.err;
}

TEST_F(CompareTool, TakesNamesAfterDoubleDashAsFolders)
{
    root.createDir("-z");
    const Outcome outcome = run({"--only2", "--", "one", "-z"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
}

TEST_F(CompareTool, DocumentsItself)
{
    // Asked for, help and version come first, whatever else the line holds.
    for (const char* flag : {"--help", "-h"}) {
        const Outcome outcome = run({"one", flag, "--frobnicate"});
        EXPECT_EQ(outcome.status, 0) << flag;
        EXPECT_EQ(outcome.err, "") << flag;
        EXPECT_TRUE(outcome.out.starts_with("usage: tombreli-compare ")) << outcome.out;
        for (const char* word :
             {"--only1", "--both", "--only2", "-z", "-h, --help", "-V, --version", "Exit status"}) {
            EXPECT_NE(outcome.out.find(word), std::string::npos) << word;
        }
    }
    for (const char* flag : {"--version", "-V"}) {
        const Outcome outcome = run({flag, "one"});
        EXPECT_EQ(outcome.status, 0) << flag;
        EXPECT_EQ(outcome.err, "") << flag;
        EXPECT_TRUE(outcome.out.starts_with("tombreli-compare " TOMBRELI_VERSION "\n")) << outcome.out;
        EXPECT_NE(outcome.out.find("GPL-3.0-or-later"), std::string::npos) << outcome.out;
    }
    // After "--" they are folder names like any other.
    EXPECT_EQ(run({"--", "--version", "one"}).status, 2);
}

} // namespace
} // namespace tombreli
