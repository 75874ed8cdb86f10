// Folder lists on real folders that fail: gone, replaced, looping, named by
// texts no folder has. The list never reports, never crashes, and never
// shows one folder's names under another's path.

#include "CurrentFolders.h"
#include "FolderList.h"
#include "IcuNameOrder.h"
#include "PosixFileServices.h"
#include "PosixPathSyntax.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>

namespace tombreli {
namespace {

using test::TempFolder;

// The host's file services, with a hook run while a folder is listed: before
// its first entry, or after it, so that a test can take the folder away then.
class InterruptedFileServices final : public FileServices
{
public:
    std::function<void()> beforeListing;
    std::function<void()> afterFirstEntry;

    std::string workingFolder() override { return m_files.workingFolder(); }
    std::error_code resolveFolder(std::string_view path, std::string& fullPath) override
    {
        return m_files.resolveFolder(path, fullPath);
    }
    std::error_code listFolder(std::string_view fullPath,
                               const std::function<bool(const FolderEntry&)>& take) override
    {
        if (beforeListing) {
            std::exchange(beforeListing, nullptr)();
        }
        return m_files.listFolder(fullPath, [&](const FolderEntry& entry) {
            const bool goOn = take(entry);
            if (afterFirstEntry) {
                std::exchange(afterFirstEntry, nullptr)();
            }
            return goOn;
        });
    }
    std::string programPath() override { return m_files.programPath(); }

private:
    PosixFileServices m_files;
};

class FailingFolders : public testing::Test
{
protected:
    FailingFolders()
    {
        root.createDir("shown");
        root.createDir("other");
        for (const char* name : {"shown/a", "shown/b", "shown/c", "other/x"}) {
            root.createFile(name);
        }
    }

    FolderList& openList(const std::string& start)
    {
        EXPECT_FALSE(folders.enter(start)) << start;
        FolderList& list = lists.emplace_back(folders, files, order);
        list.Open();
        return list;
    }

    TempFolder root;
    PosixPathSyntax syntax;
    InterruptedFileServices files;
    IcuNameOrder order{""};
    CurrentFolders folders{syntax, files, "/"};
    std::deque<FolderList> lists;
};

const NameList shownNames = {"a", "b", "c"};

TEST_F(FailingFolders, AFolderGoneWhileShownStaysUntilTheListMoves)
{
    FolderList& list = openList(root.path("shown"));
    openList(root.path("other"));
    std::filesystem::remove_all(root.path("shown"));
    // The same folder named again: nothing happens, as for a folder still there.
    list.ShowFolderOfPath(root.path("shown/"));
    EXPECT_EQ(list.Directory(), root.path("shown"));
    EXPECT_EQ(list.Items(), shownNames);
    // Any other text: the list goes where the other list last went.
    list.ShowFolderOfPath(root.path("shown/./"));
    EXPECT_EQ(list.Directory(), root.path("other"));
    EXPECT_EQ(list.Items(), NameList{"x"});
}

TEST_F(FailingFolders, AFolderReplacedByAFileWhileShown)
{
    FolderList& list = openList(root.path("shown"));
    std::filesystem::remove_all(root.path("shown"));
    root.createFile("shown", "now a file");
    // Its own folder was the last entered: there is nowhere to fall back to.
    EXPECT_EQ(list.ReadFolder(), std::errc::not_a_directory);
    EXPECT_EQ(list.Directory(), root.path("shown"));
    EXPECT_EQ(list.Count(), 0u);
    list.ShowFolderOfPath("../other/");
    EXPECT_EQ(list.Count(), 0u) << "a relative text leads nowhere from a file";
    list.ShowFolderOfPath(root.path("other/"));
    EXPECT_EQ(list.Directory(), root.path("other"));
    EXPECT_EQ(list.Items(), NameList{"x"});
}

TEST_F(FailingFolders, TextsThatNameNoFolderLeaveTheListWhereItWas)
{
    root.createLink("loop", "loop");
    root.createLink("ping", "pong");
    root.createLink("pong", "ping");
    root.createLink("dangling", "nowhere");
    std::string megabyte = root.path() + "/";
    while (megabyte.size() < (1 << 20)) {
        megabyte += "deep/";
    }
    const std::string texts[] = {
        root.path("loop/"),
        root.path("ping/pong/"),
        root.path("dangling/"),
        root.path("shown/a/"),
        root.path("shown/a/../"),
        megabyte,
        root.path("shown") + std::string(1, '\0') + "/",   // must not be cut short at the NUL
        root.path("shown/") + std::string(1, '\0') + "x/", // nor here
        root.path(std::string(300, 'n') + "/"),
    };
    FolderList& list = openList(root.path("other"));
    for (const std::string& text : texts) {
        SCOPED_TRACE(testing::PrintToString(text.substr(0, 100)));
        root.createFile("other/new" + std::to_string(list.Count()));
        const std::size_t before = list.Count();
        EXPECT_NO_THROW(list.ShowFolderOfPath(text));
        EXPECT_EQ(list.Directory(), root.path("other"));
        EXPECT_EQ(list.Count(), before + 1) << "re-read from where it stood";
    }
}

TEST_F(FailingFolders, AMegabyteWithoutAFolderPartIsNoPath)
{
    FolderList& list = openList(root.path("shown"));
    root.createFile("shown/d");
    list.ShowFolderOfPath(std::string(1 << 20, 'x'));
    EXPECT_EQ(list.Items(), shownNames) << "no folder part: not even a re-read";
}

struct DotCase
{
    const char* title;
    const char* text; // "$" stands for the fixture's folder
    const char* shown;
};

void PrintTo(const DotCase& c, std::ostream* out)
{
    *out << c.title;
}

class FailingFoldersDots : public FailingFolders, public testing::WithParamInterface<DotCase>
{};

TEST_P(FailingFoldersDots, ResolveByTheFileSystem)
{
    const DotCase& c = GetParam();
    root.createDir("...");
    root.createFile(".../dots");
    FolderList& list = openList(root.path("shown"));
    std::string text = c.text;
    if (const auto at = text.find('$'); at != std::string::npos) {
        text.replace(at, 1, root.path());
    }
    root.createFile("shown/new");
    list.ShowFolderOfPath(text);
    EXPECT_EQ(list.Directory(), *c.shown == '/' ? std::string(c.shown) : root.path(c.shown));
    if (std::string_view(c.shown) == "shown") {
        EXPECT_EQ(list.Count(), 4u) << "another spelling of the folder shown re-reads it";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FailingFoldersDots,
    testing::Values(DotCase{"Dot", "./", "shown"}, DotCase{"DotDot", "../other/", "other"},
                    DotCase{"DotsAndDoubledSeparators", "$//shown/.//../other//./", "other"},
                    DotCase{"ThreeDotsIsAName", "$/.../", "..."},
                    DotCase{"ParentOfTheRootIsTheRoot", "/../../", "/"}, DotCase{"DoubledRoot", "//", "/"}),
    [](const testing::TestParamInfo<DotCase>& param) { return param.param.title; });

TEST_F(FailingFolders, AFolderThatVanishesBeforeItIsListedGivesAnEmptyList)
{
    FolderList& list = openList(root.path("other"));
    files.beforeListing = [&] {
        std::filesystem::remove_all(root.path("shown"));
    };
    EXPECT_NO_THROW(list.ShowFolderOfPath(root.path("shown/")));
    EXPECT_EQ(list.Directory(), root.path("shown"));
    EXPECT_EQ(list.Count(), 0u);
}

TEST_F(FailingFolders, AFolderThatVanishesWhileItIsListedKeepsOnlyNamesItHeld)
{
    FolderList& list = openList(root.path("other"));
    files.afterFirstEntry = [&] {
        std::filesystem::remove_all(root.path("shown"));
    };
    EXPECT_NO_THROW(list.ShowFolderOfPath(root.path("shown/")));
    EXPECT_EQ(list.Directory(), root.path("shown"));
    EXPECT_GE(list.Count(), 1u);
    for (const std::string_view name : list.Items()) {
        EXPECT_TRUE(name == "a" || name == "b" || name == "c") << name;
    }
    // Read again, it gives way to the folder last entered that still exists.
    openList(root.path("other"));
    list.ReadFolder();
    EXPECT_EQ(list.Directory(), root.path("other"));
    EXPECT_EQ(list.Items(), NameList{"x"});
}

} // namespace
} // namespace tombreli
