// tombreli-compare against what strangers' folders hold: names that are hard
// to print, folders that fail in every way, and the promise to write nothing.

#include "DisplayName.h"
#include "HostileNames.h"
#include "RunCompare.h"
#include "TempFolder.h"
#include "TreeSnapshot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>
#include <vector>

namespace tombreli {
namespace {

using test::HostileFolders;
using test::HostileName;
using test::Outcome;
using test::runCompare;
using test::TempFolder;

std::vector<std::string> split(const std::string& text, char end)
{
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, end);) {
        parts.push_back(part);
    }
    return parts;
}

NameList sorted(NameList names)
{
    names.sort(std::less<>());
    return names;
}

class CompareHostileNames : public testing::Test
{
protected:
    Outcome run(const std::vector<std::string>& args) const { return runCompare(args, folders.root.path()); }

    HostileFolders folders;
};

TEST_F(CompareHostileNames, PutsEveryNameInExactlyOneGroupByteForByte)
{
    const struct
    {
        const char* flag;
        HostileName::Where where;
    } groups[] = {
        {"--only1", HostileName::OnlyInOne},
        {"--both", HostileName::InBoth},
        {"--only2", HostileName::OnlyInTwo},
    };
    for (const auto& g : groups) {
        const Outcome outcome = run({"-z", g.flag, "one", "two"});
        EXPECT_EQ(outcome.status, 1) << g.flag;
        EXPECT_EQ(outcome.err, "");
        const std::vector<std::string> names = split(outcome.out, '\0');
        EXPECT_EQ(sorted(NameList(names.begin(), names.end())), folders.group(g.where)) << g.flag;
    }
}

TEST_F(CompareHostileNames, WritesOneLinePerNameThatReadsBackToIt)
{
    const Outcome outcome = run({"one", "two"});
    EXPECT_EQ(outcome.status, 1);
    NameList found[3];
    const std::string marks[3] = {"< ", "= ", "> "};
    const std::vector<std::string> lines = split(outcome.out, '\n');
    for (const std::string& line : lines) {
        const auto mark = std::find(std::begin(marks), std::end(marks), line.substr(0, 2));
        ASSERT_NE(mark, std::end(marks)) << "a line that is no name: " << testing::PrintToString(line);
        found[mark - std::begin(marks)].push_back(NameFromDisplay(line.substr(2)));
    }
    EXPECT_EQ(lines.size(), folders.names.size());
    EXPECT_EQ(sorted(found[0]), folders.group(HostileName::OnlyInOne));
    EXPECT_EQ(sorted(found[1]), folders.group(HostileName::InBoth));
    EXPECT_EQ(sorted(found[2]), folders.group(HostileName::OnlyInTwo));
}

TEST_F(CompareHostileNames, ComparesAFolderWithItselfUnderAnotherSpelling)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{"-z", "one", "./one/"},
                                                 {"-z", "one//", "two/../one"},
                                                 {"-z", folders.one, folders.root.path() + "//one/."}}) {
        const Outcome outcome = run(args);
        EXPECT_EQ(outcome.status, 0) << args[2];
        EXPECT_EQ(split(outcome.out, '\0').size(),
                  folders.group(HostileName::OnlyInOne).size() + folders.group(HostileName::InBoth).size());
    }
}

// Each folder argument that names no folder that can be read: what is said,
// and that nothing is printed but the reason.
TEST(CompareFailingFolders, SaysWhatWentWrongAndExitsWithTwo)
{
    TempFolder root;
    root.createDir("two");
    root.createFile("two/x");
    root.createFile("file");
    root.createLink("loop", "loop");
    root.createLink("ping", "pong");
    root.createLink("pong", "ping");
    root.createLink("dangling", "nowhere");
    root.createDir("dir");
    root.createLink("dir/up", "..");
    // The kernel passes no argument longer than 128 KiB, and none holding a NUL,
    // which would end it; this is as long as an argument gets.
    std::string longPath;
    while (longPath.size() < 100000) {
        longPath += "deep/";
    }
    const struct
    {
        std::string folder;
        std::string said;
    } cases[] = {
        {"loop", "tombreli-compare: loop: Too many levels of symbolic links\n"},
        {"ping/", "tombreli-compare: ping/: Too many levels of symbolic links\n"},
        {"dangling", "tombreli-compare: dangling: No such file or directory\n"},
        {"file/", "tombreli-compare: file/: Not a directory\n"},
        {"file/..", "tombreli-compare: file/..: Not a directory\n"},
        {"", "tombreli-compare: an empty argument names no folder\n"},
        {longPath, "/deep/: No such file or directory\n"},
        {"new\nline", "tombreli-compare: new\\nline: No such file or directory\n"},
    };
    for (const auto& c : cases) {
        for (const bool first : {true, false}) {
            const Outcome outcome = runCompare(first ? std::vector<std::string>{c.folder, "two"}
                                                     : std::vector<std::string>{"two", c.folder},
                                               root.path());
            SCOPED_TRACE(testing::PrintToString(c.folder.substr(0, 40)));
            EXPECT_EQ(outcome.status, 2);
            EXPECT_TRUE(outcome.err.ends_with(c.said)) << outcome.err.substr(0, 200);
            EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << "one line";
            EXPECT_EQ(outcome.out, "");
        }
    }
    // A link that leads back up is an ordinary way to the same folder.
    EXPECT_EQ(runCompare({"dir/up/two", "two"}, root.path()).status, 0);
}

// A folder that comes and goes while it is compared: whatever the moment,
// the program ends by itself, with a result or a reason, never with a crash.
TEST(CompareFailingFolders, SurvivesAFolderThatVanishesWhileItIsRead)
{
    TempFolder root;
    root.createDir("two");
    root.createFile("two/a");
    const std::string flicker = root.path("flicker");
    std::atomic<bool> stop = false;
    std::thread churn([&] {
        std::error_code ignored;
        while (!stop) {
            std::filesystem::create_directory(flicker, ignored);
            for (const char* name : {"a", "b", "c", "d"}) {
                std::ofstream(flicker + "/" + name).put('x');
            }
            std::filesystem::remove_all(flicker, ignored);
        }
    });
    for (int round = 0; round < 40; ++round) {
        const Outcome outcome = runCompare({"-z", "flicker", "two"}, root.path());
        SCOPED_TRACE(outcome.err);
        ASSERT_TRUE(outcome.status >= 0 && outcome.status <= 2) << outcome.status;
        if (outcome.status == 2) {
            EXPECT_TRUE(outcome.err.starts_with("tombreli-compare: flicker: "));
            EXPECT_EQ(outcome.out, "");
        } else {
            for (const std::string& line : split(outcome.out, '\0')) {
                const std::string name = line.substr(2);
                EXPECT_TRUE(name == "a" || name == "b" || name == "c" || name == "d") << line;
            }
        }
    }
    stop = true;
    churn.join();
}

TEST(CompareReadOnly, LeavesTheFoldersItComparesAsItFoundThem)
{
    HostileFolders folders;
    const std::string& root = folders.root.path();
    folders.root.createDir("one/sub");
    folders.root.createFile("one/sub/inner");
    folders.root.createFile("one/.hidden");
    folders.root.createLink("one/link", "../two");
    folders.root.createLink("loop", "loop");
    const auto before = test::snapshotTree(root);
    for (const std::vector<std::string>& args : {
             std::vector<std::string>{"one", "two"},
             {"-z", "--only1", "--both", "one", "two"},
             {"--only2", root + "/one/", "two/../two"},
             {"one", "one/link"},
             {"one", "loop"},
             {"missing", "two"},
             {"one/sub", "one/sub/inner"},
             {"--help"},
         }) {
        const Outcome outcome = runCompare(args, root);
        EXPECT_GE(outcome.status, 0) << args[0];
    }
    EXPECT_EQ(test::snapshotTree(root), before);
}

} // namespace
} // namespace tombreli
