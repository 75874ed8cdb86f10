#include "FolderList.h"

#include "CurrentFolders.h"
#include "IcuNameOrder.h"
#include "PosixFileServices.h"
#include "PosixPathSyntax.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <sys/stat.h>
#include <vector>

namespace tombreli {
namespace {

using test::TempFolder;

// Two lists sharing their current folders, as the window's two panes do, on
// the real file system of this host.
class PosixFolderLists : public testing::Test
{
protected:
    PosixFolderLists()
    {
        root.createDir("data");
        root.createDir("data/sub");
        root.createDir("other");
        for (const char* name : {"b.txt", "A.txt", "c.TXT", "Makefile"}) {
            root.createFile(std::string("data/") + name);
        }
        root.createFile("data/sub/inner.txt");
        root.createFile("other/x");
    }

    // A list whose folder is `start`, opened as the window opens its lists.
    FolderList& openList(const std::string& start)
    {
        EXPECT_FALSE(folders.enter(start));
        FolderList& list = lists.emplace_back(folders, files, order);
        EXPECT_FALSE(list.Open());
        return list;
    }

    TempFolder root;
    PosixPathSyntax syntax;
    PosixFileServices files;
    IcuNameOrder order{""};
    CurrentFolders folders{syntax, files, "/"};
    std::deque<FolderList> lists;
};

TEST_F(PosixFolderLists, ListsTheOrdinaryFilesInOrderIgnoringCase)
{
    root.createFile("data/.hidden");
    root.createLink("data/link-to-file", "b.txt");
    root.createLink("data/link-to-folder", "sub");
    root.createLink("data/dangling", "nowhere");
    ASSERT_EQ(mkfifo(root.path("data/pipe").c_str(), 0600), 0);
    const FolderList& list = openList(root.path("data"));
    EXPECT_EQ(list.Items(),
              (NameList{"A.txt", "b.txt", "c.TXT", "dangling", "link-to-file", "Makefile", "pipe"}));
    EXPECT_EQ(list.Count(), 7u);
    EXPECT_EQ(list.Item(0), "A.txt");
    EXPECT_EQ(list.Directory(), root.path("data"));
    EXPECT_EQ(list.Mask(), "*.*");
}

TEST_F(PosixFolderLists, KeepsNamesThatAreNotValidText)
{
    const std::string odd[] = {"\x89\x50NG", "new\nline", "README.TXT", "Readme.txt",
                               "\xE6\x97\xA5\xE6\x9C\xAC"};
    for (const std::string& name : odd) {
        root.createFile("other/" + name);
    }
    const FolderList& list = openList(root.path("other"));
    ASSERT_EQ(list.Count(), std::size(odd) + 1);
    for (const std::string& name : odd) {
        EXPECT_NE(std::find(list.Items().begin(), list.Items().end(), name), list.Items().end()) << name;
    }
}

TEST_F(PosixFolderLists, ListsNothingInAFolderOfFoldersAndHiddenFiles)
{
    root.createDir("empty");
    root.createDir("empty/sub");
    root.createFile("empty/.config");
    EXPECT_EQ(openList(root.path("empty")).Count(), 0u);
}

struct MoveCase
{
    const char* title;
    const char* text;  // "$" stands for the fixture's folder
    const char* shown; // relative to the fixture's folder
};

void PrintTo(const MoveCase& c, std::ostream* out)
{
    *out << c.title;
}

class PosixShowFolderOfPath : public PosixFolderLists, public testing::WithParamInterface<MoveCase>
{};

TEST_P(PosixShowFolderOfPath, ShowsTheFolderTheTextNames)
{
    const MoveCase& c = GetParam();
    FolderList& list = openList(root.path("data/sub"));
    std::string text = c.text;
    if (const auto at = text.find('$'); at != std::string::npos) {
        text.replace(at, 1, root.path());
    }
    list.ShowFolderOfPath(text);
    const std::string expected = *c.shown ? root.path(c.shown) : root.path();
    EXPECT_EQ(list.Directory(), expected);
    EXPECT_EQ(list.Items(), [&] {
        NameList names;
        for (const auto& entry : std::filesystem::directory_iterator(expected)) {
            if (entry.is_regular_file() && !entry.path().filename().string().starts_with('.')) {
                names.push_back(entry.path().filename().string());
            }
        }
        order.sort(names);
        return names;
    }());
}

INSTANTIATE_TEST_SUITE_P(Texts, PosixShowFolderOfPath,
                         testing::Values(MoveCase{"NoTrailingSeparatorShowsTheParent", "$/data/other",
                                                  "data"},
                                         MoveCase{"TrailingSeparator", "$/other/", "other"},
                                         MoveCase{"FileNameIgnored", "$/other/readme.txt", "other"},
                                         MoveCase{"PatternDropped", "$/data/*.txt", "data"},
                                         MoveCase{"RelativeToTheListsFolder", "../../other/", "other"},
                                         MoveCase{"DotsResolved", "$/data/sub/../", "data"},
                                         MoveCase{"DoubleSeparators", "$//data//", "data"},
                                         MoveCase{"MissingFolderStays", "$/missing/", "data/sub"},
                                         MoveCase{"FileAsFolderStays", "$/data/b.txt/", "data/sub"}),
                         [](const testing::TestParamInfo<MoveCase>& param) { return param.param.title; });

TEST_F(PosixFolderLists, IgnoresTextWithoutAFolderPart)
{
    FolderList& list = openList(root.path("data"));
    root.createFile("data/new.txt");
    for (const char* text : {"", "readme.txt", "sub", "C:\\data\\"}) {
        list.ShowFolderOfPath(text);
        EXPECT_EQ(list.Directory(), root.path("data")) << text;
        EXPECT_EQ(list.Count(), 4u) << text << ": must not re-read";
    }
}

TEST_F(PosixFolderLists, ReReadsOnlyWhenTheTargetIsSpelledDifferently)
{
    FolderList& list = openList(root.path("data"));
    root.createFile("data/new.txt");
    list.ShowFolderOfPath(root.path("data/"));
    EXPECT_EQ(list.Count(), 4u) << "the same folder must not be re-read";
    list.ShowFolderOfPath(root.path("data/./"));
    EXPECT_EQ(list.Count(), 5u) << "another spelling re-reads";
    EXPECT_EQ(list.Directory(), root.path("data"));
}

TEST_F(PosixFolderLists, TellsFoldersApartByLetterCase)
{
    root.createDir("Data");
    root.createFile("Data/upper.txt");
    FolderList& list = openList(root.path("data"));
    list.ShowFolderOfPath(root.path("Data/"));
    EXPECT_EQ(list.Directory(), root.path("Data"));
    EXPECT_EQ(list.Items(), NameList{"upper.txt"});
}

TEST_F(PosixFolderLists, ShowsTheCanonicalPathOfALinkedFolder)
{
    root.createLink("shortcut", "data");
    FolderList& list = openList(root.path("other"));
    list.ShowFolderOfPath(root.path("shortcut/"));
    EXPECT_EQ(list.Directory(), root.path("data"));
}

TEST_F(PosixFolderLists, FallsBackToTheFolderLastEnteredWhenItsOwnIsGone)
{
    root.createDir("gone");
    FolderList& first = openList(root.path("gone"));
    FolderList& second = openList(root.path("other"));
    std::filesystem::remove(root.path("gone"));
    first.ShowFolderOfPath(root.path("missing/"));
    EXPECT_EQ(first.Directory(), root.path("other"));
    EXPECT_EQ(first.Items(), NameList{"x"});
    // A relative text is then taken from that folder.
    first.ShowFolderOfPath("../data/");
    EXPECT_EQ(first.Directory(), root.path("data"));
    EXPECT_EQ(second.Directory(), root.path("other"));
}

TEST_F(PosixFolderLists, ReReadsTheCurrentFolderWhenItsOwnCannotBeEntered)
{
    root.createDir("gone");
    root.createFile("gone/a");
    FolderList& first = openList(root.path("gone"));
    openList(root.path("other"));
    std::filesystem::remove_all(root.path("gone"));
    first.ReadFolder();
    // The list never shows one folder's names under another's path.
    EXPECT_EQ(first.Directory(), root.path("other"));
    EXPECT_EQ(first.Items(), NameList{"x"});
}

TEST_F(PosixFolderLists, ReadsNothingBeforeItIsOpened)
{
    folders.enter(root.path("data"));
    FolderList list(folders, files, order);
    EXPECT_FALSE(list.ReadFolder());
    EXPECT_EQ(list.Count(), 0u);
    list.ShowFolderOfPath(root.path("other/"));
    EXPECT_EQ(list.Directory(), root.path("other"));
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_FALSE(list.Open());
    EXPECT_EQ(list.Items(), NameList{"x"});
}

TEST_F(PosixFolderLists, RefusesNamesBeyondItsCapacity)
{
    FolderList& list = openList(root.path("other"));
    list.SetCapacity(3);
    std::vector<bool> busy;
    list.SetBusyHandler([&](bool on) { busy.push_back(on); });
    try {
        list.ShowFolderOfPath(root.path("data/"));
        FAIL() << "a full list must refuse the fourth name";
    } catch (const ListInsertError& error) {
        EXPECT_STREQ(error.what(), "行を挿入できません");
    }
    EXPECT_EQ(list.Directory(), root.path("data"));
    EXPECT_EQ(list.Count(), 3u);
    NameList inOrder = list.Items();
    order.sort(inOrder);
    EXPECT_EQ(list.Items(), inOrder);
    EXPECT_TRUE(busy.empty()) << "three names are no reason for a busy pointer";
}

TEST_F(PosixFolderLists, SignalsBusyFromTheHundredAndFirstName)
{
    root.createDir("many");
    for (int i = 0; i < 100; ++i) {
        root.createFile("many/" + std::to_string(i));
    }
    FolderList& list = openList(root.path("many"));
    std::vector<bool> busy;
    list.SetBusyHandler([&](bool on) { busy.push_back(on); });
    list.ReadFolder();
    EXPECT_TRUE(busy.empty()) << "100 names";

    root.createFile("many/100");
    list.ReadFolder();
    EXPECT_EQ(busy, (std::vector<bool>{true, false}));

    busy.clear();
    list.SetCapacity(150);
    for (int i = 101; i < 200; ++i) {
        root.createFile("many/" + std::to_string(i));
    }
    EXPECT_THROW(list.ReadFolder(), ListInsertError);
    EXPECT_EQ(busy, (std::vector<bool>{true, false})) << "the pointer comes back after an error too";
    EXPECT_EQ(list.Count(), 150u);
}

TEST_F(PosixFolderLists, TellsWhenItsNamesChange)
{
    FolderList& list = openList(root.path("data"));
    std::vector<std::pair<bool, std::size_t>> told; // what it said, and how many names it held then
    list.SetItemsHandler([&](bool changing) { told.emplace_back(changing, list.Count()); });

    list.ShowFolderOfPath(root.path("data/readme.txt"));
    list.ShowFolderOfPath("no folder part");
    EXPECT_TRUE(told.empty()) << "a text that moves the list nowhere changes nothing";

    list.ShowFolderOfPath(root.path("other/"));
    EXPECT_EQ(told, (std::vector<std::pair<bool, std::size_t>>{{true, 4}, {false, 1}}));

    told.clear();
    list.SetCapacity(2);
    EXPECT_THROW(list.ShowFolderOfPath(root.path("data/")), ListInsertError);
    EXPECT_EQ(told, (std::vector<std::pair<bool, std::size_t>>{{true, 1}, {false, 2}}));
}

TEST_F(PosixFolderLists, EmptiesTheListOfAFolderItCannotRead)
{
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind root";
    }
    const std::string locked = root.createDir("locked");
    root.createFile("locked/a");
    ASSERT_EQ(chmod(locked.c_str(), 0100), 0); // may be entered, not listed
    FolderList& list = openList(root.path("data"));
    list.ShowFolderOfPath(locked + "/");
    EXPECT_EQ(list.Directory(), locked);
    EXPECT_EQ(list.Count(), 0u);
}

} // namespace
} // namespace tombreli
