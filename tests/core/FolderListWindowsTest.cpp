#include "AsciiNameOrder.h"
#include "CurrentFolders.h"
#include "FolderList.h"
#include "MemoryFileSystem.h"
#include "NameOrder.h"
#include "WindowsPathSyntax.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace tombreli {
namespace {

using test::MemoryFileSystem;

#define SO "\x83\x5C"    // ソ, second byte "\"
#define KA_A "\x83\x41"  // ア, second byte "A"
#define KA_DI "\x83\x61" // ヂ, second byte "a"

constexpr std::uint8_t Hidden = FolderEntry::Hidden;
constexpr std::uint8_t System = FolderEntry::System;

using test::AsciiNameOrder;

template <typename Case> std::string caseName(const testing::TestParamInfo<Case>& info)
{
    return info.param.title;
}

const NameList dataNames = {"a.txt", "B.txt", "c.TXT", "Makefile", SO ".txt"};

// Two drives and two shares of one server, made before the current folders
// that start in its working folder.
struct WindowsDrives
{
    WindowsDrives()
    {
        files.addFile("C:\\root.txt");
        files.addFile("C:\\pagefile.sys", Hidden | System);
        files.addFile("C:\\WINDISK", FolderEntry::VolumeLabel);
        // Made out of order: a list sorts what the folder gives.
        for (const char* name : {"c.TXT", "Makefile", "a.txt", SO ".txt", "B.txt"}) {
            files.addFile(std::string("C:\\data\\") + name);
        }
        files.addFile("C:\\data\\desktop.ini", Hidden | System);
        files.addFile("C:\\data\\thumbs.db", Hidden);
        files.addFile("C:\\data\\io.sys", System);
        files.addFile("C:\\data\\folder\\inside.txt");
        files.addFile("C:\\data\\sub\\inner.txt");
        files.addFile("C:\\data\\" SO "\\so.txt");
        files.addFile("C:\\temp\\t.txt");
        files.addFile("C:\\temp\\sub\\deep.txt");
        files.addFolder("C:\\empty\\inner");
        files.addFolder("C:\\empty\\.git", Hidden);
        files.addFile("C:\\empty\\desktop.ini", Hidden | System);
        files.addFile("C:\\empty\\hidden.txt", Hidden);
        files.addFile("C:\\locked\\unseen.txt");
        files.setAccess("C:\\locked", MemoryFileSystem::Access::EnterOnly);
        files.addFile("C:\\secret\\unseen.txt");
        files.setAccess("C:\\secret", MemoryFileSystem::Access::Refused);
        files.addFile("D:\\d.txt");
        files.addFile("D:\\photos\\p.jpg");
        files.addFile("D:\\temp\\d-temp.txt");
        files.addFile("\\\\server\\share\\share-root.txt");
        files.addFile("\\\\server\\share\\sub\\share-sub.txt");
        files.addFile("\\\\server\\share\\temp\\share-temp.txt");
        files.addFile("\\\\server\\share\\docs\\doc.txt");
        files.addFile("\\\\server\\share\\docs\\sub\\docs-sub.txt");
        // What a share root glued onto a relative name would wrongly find.
        files.addFile("\\\\server\\sharesub\\wrong-share.txt");
        files.setWorkingFolder("C:\\temp");
    }

    MemoryFileSystem files{WindowsPathSyntax::shiftJisLeadBytes()};
};

// The window's two lists, sharing their current folders.
class WindowsFolderLists : public testing::Test, protected WindowsDrives
{
protected:
    // A list whose folder is `start`, opened as the window opens its lists;
    // it leaves `start` the folder most recently entered.
    FolderList& openList(const char* start)
    {
        EXPECT_FALSE(folders.enter(start)) << start;
        FolderList& list = lists.emplace_back(folders, files, order);
        EXPECT_FALSE(list.Open()) << start;
        return list;
    }

    // The folders listed since `from` listings had been made.
    std::vector<std::string> listedSince(std::size_t from) const
    {
        return {files.listed().begin() + static_cast<std::ptrdiff_t>(from), files.listed().end()};
    }

    WindowsPathSyntax syntax{WindowsPathSyntax::shiftJisLeadBytes()};
    AsciiNameOrder order;
    CurrentFolders folders{syntax, files, files.workingFolder()};
    std::deque<FolderList> lists;
};

TEST_F(WindowsFolderLists, ListsTheOrdinaryFilesInOrder)
{
    const FolderList& list = openList("C:\\data");
    EXPECT_EQ(list.Items(), dataNames);
    EXPECT_EQ(list.Directory(), "C:\\data");
    EXPECT_EQ(list.Mask(), "*.*");
    EXPECT_EQ(files.listed(), std::vector<std::string>{"C:\\data"});
}

TEST_F(WindowsFolderLists, StartsInTheFolderCurrentWhenMade)
{
    const FolderList& list = lists.emplace_back(folders, files, order);
    EXPECT_EQ(list.Directory(), "C:\\temp");
    EXPECT_EQ(list.Count(), 0u);
}

struct MoveCase
{
    const char* title;
    const char* text;
    const char* directory;
    NameList items;
};

void PrintTo(const MoveCase& c, std::ostream* out)
{
    *out << c.title;
}

class WindowsShowFolderOfPath : public WindowsFolderLists, public testing::WithParamInterface<MoveCase>
{};

// Every text here names another folder than the list's own, so it is read once.
TEST_P(WindowsShowFolderOfPath, ShowsTheFolderTheTextNames)
{
    const MoveCase& c = GetParam();
    FolderList& list = openList("C:\\temp");
    const std::size_t before = files.listCount();
    EXPECT_NO_THROW(list.ShowFolderOfPath(c.text));
    EXPECT_EQ(list.Directory(), c.directory);
    EXPECT_EQ(list.Items(), c.items);
    EXPECT_EQ(listedSince(before), std::vector<std::string>{c.directory});
    EXPECT_EQ(folders.current(), c.directory);
    EXPECT_EQ(list.Mask(), "*.*");
}

const NameList tempNames = {"t.txt"};

INSTANTIATE_TEST_SUITE_P(
    Texts, WindowsShowFolderOfPath,
    testing::Values(
        MoveCase{"NoTrailingSeparatorShowsTheParent", "C:\\data\\folder", "C:\\data", dataNames},
        MoveCase{"TrailingSeparator", "C:\\data\\folder\\", "C:\\data\\folder", {"inside.txt"}},
        MoveCase{"FileNameIgnored", "C:\\data\\folder\\readme.txt", "C:\\data\\folder", {"inside.txt"}},
        MoveCase{"PatternDropped", "C:\\data\\*.txt", "C:\\data", dataNames},
        MoveCase{"DriveRoot", "C:\\", "C:\\", {"root.txt"}},
        MoveCase{"TypedCaseKept", "c:\\DATA\\Folder\\", "c:\\DATA\\Folder", {"inside.txt"}},
        MoveCase{"RootedOnTheCurrentDrive", "\\data\\folder\\", "C:\\data\\folder", {"inside.txt"}},
        MoveCase{"RelativeToTheListsFolder", "sub\\", "C:\\temp\\sub", {"deep.txt"}},
        MoveCase{"DotsResolved", "..\\data\\.\\folder\\", "C:\\data\\folder", {"inside.txt"}},
        MoveCase{"DoubledSeparators", "C:\\\\data\\\\folder\\\\", "C:\\data\\folder", {"inside.txt"}},
        MoveCase{"ShareFolder", "\\\\server\\share\\docs\\", "\\\\server\\share\\docs", {"doc.txt"}},
        MoveCase{"ShareRoot", "\\\\server\\share\\", "\\\\server\\share", {"share-root.txt"}},
        MoveCase{"SoLastIsAName", "C:\\data\\" SO, "C:\\data", dataNames},
        MoveCase{"SoUnderTheRootIsAName", "C:\\" SO, "C:\\", {"root.txt"}},
        MoveCase{"SoFolder", "C:\\data\\" SO "\\", "C:\\data\\" SO, {"so.txt"}},
        MoveCase{"DriveAloneNeverEntered", "D:", "D:\\", {"d.txt"}},
        MoveCase{"DriveThenName", "D:readme.txt", "D:\\", {"d.txt"}},
        MoveCase{"OnlyFoldersAndHiddenFiles", "C:\\empty\\", "C:\\empty", {}},
        MoveCase{"EnteredButNotListable", "C:\\locked\\", "C:\\locked", {}},
        MoveCase{"MissingFolderStays", "C:\\missing\\", "C:\\temp", tempNames},
        MoveCase{"FileIsNoFolder", "C:\\data\\a.txt\\", "C:\\temp", tempNames},
        MoveCase{"AccessRefusedStays", "C:\\secret\\", "C:\\temp", tempNames},
        MoveCase{"MissingDriveStays", "Q:\\", "C:\\temp", tempNames},
        MoveCase{"MissingShareStays", "\\\\server\\nothing\\", "C:\\temp", tempNames},
        MoveCase{"ServerAloneStays", "\\\\server\\", "C:\\temp", tempNames}),
    caseName<MoveCase>);

TEST_F(WindowsFolderLists, IgnoresTextWithoutAFolderPart)
{
    FolderList& list = openList("C:\\data");
    files.addFile("C:\\data\\new.txt");
    for (const char* text : {"", "readme.txt", "folder", "*.txt", SO, "x" SO}) {
        list.ShowFolderOfPath(text);
        EXPECT_EQ(list.Directory(), "C:\\data") << text;
        EXPECT_EQ(list.Items(), dataNames) << text;
    }
    EXPECT_EQ(files.listCount(), 1u) << "must not re-read";
}

TEST_F(WindowsFolderLists, DoesNotReReadTheFolderItShows)
{
    FolderList& list = openList("C:\\data\\folder");
    files.addFile("C:\\data\\folder\\new.txt");
    for (const char* text : {"c:\\DATA\\FOLDER\\", "C:\\data\\folder\\readme.txt", "C:\\Data\\Folder\\*.*",
                             "\\DATA\\folder\\", "C:"}) {
        list.ShowFolderOfPath(text);
        EXPECT_EQ(list.Directory(), "C:\\data\\folder") << text;
    }
    EXPECT_EQ(files.listCount(), 1u) << "must not re-read";
    EXPECT_EQ(list.Items(), NameList{"inside.txt"});

    // Another spelling of the same folder re-reads it.
    list.ShowFolderOfPath("C:\\data\\folder\\.\\");
    EXPECT_EQ(list.Directory(), "C:\\data\\folder");
    EXPECT_EQ(list.Items(), (NameList{"inside.txt", "new.txt"}));
    EXPECT_EQ(files.listCount(), 2u);
}

TEST_F(WindowsFolderLists, TellsApartDoubleByteNamesThatDifferInTheirSecondByte)
{
    files.addFile("C:\\" KA_A "\\a.txt");
    files.addFile("C:\\" KA_DI "\\di.txt");
    FolderList& list = openList("C:\\" KA_A);
    list.ShowFolderOfPath("C:\\" KA_DI "\\");
    EXPECT_EQ(list.Directory(), "C:\\" KA_DI);
    EXPECT_EQ(list.Items(), NameList{"di.txt"});
}

TEST_F(WindowsFolderLists, ReReadsWhenOnlyTheCaseOfAFullWidthLetterDiffers)
{
    files.addFile("C:\\\x82\x60\\a.txt"); // Ａ
    FolderList& list = openList("C:\\\x82\x60");
    list.ShowFolderOfPath("C:\\\x82\x81\\"); // ａ, no such folder here
    EXPECT_EQ(files.listCount(), 2u);
    EXPECT_EQ(list.Directory(), "C:\\\x82\x60");
}

// Two lists sharing their current folders: the first is moved, the second was
// opened last, so its folder is the one most recently entered.
struct TwoListsCase
{
    const char* title;
    const char* first;
    const char* second;
    const char* text;
    const char* directory;
    NameList items;
    const char* removed = nullptr; // the first list's folder, taken away before the move
};

void PrintTo(const TwoListsCase& c, std::ostream* out)
{
    *out << c.title;
}

class WindowsTwoLists : public WindowsFolderLists, public testing::WithParamInterface<TwoListsCase>
{};

TEST_P(WindowsTwoLists, MoveTheFirstAlone)
{
    const TwoListsCase& c = GetParam();
    FolderList& first = openList(c.first);
    const FolderList& second = openList(c.second);
    const NameList secondItems = second.Items();
    if (c.removed != nullptr) {
        files.removeFolder(c.removed);
    }
    first.ShowFolderOfPath(c.text);
    EXPECT_EQ(first.Directory(), c.directory);
    EXPECT_EQ(first.Items(), c.items);
    EXPECT_EQ(folders.current(), c.directory);
    EXPECT_EQ(second.Directory(), c.second);
    EXPECT_EQ(second.Items(), secondItems);
}

INSTANTIATE_TEST_SUITE_P(Texts, WindowsTwoLists,
                         testing::Values(TwoListsCase{"RelativeTakesTheListsOwnFolder",
                                                      "C:\\data",
                                                      "C:\\temp",
                                                      "sub\\",
                                                      "C:\\data\\sub",
                                                      {"inner.txt"}},
                                         TwoListsCase{"RelativeOnAnotherDriveTakesTheFolderLastEnteredThere",
                                                      "D:\\photos",
                                                      "C:\\temp",
                                                      "sub\\",
                                                      "C:\\temp\\sub",
                                                      {"deep.txt"}},
                                         TwoListsCase{"RootedTakesTheDriveEnteredLast",
                                                      "C:\\data",
                                                      "D:\\photos",
                                                      "\\temp\\",
                                                      "D:\\temp",
                                                      {"d-temp.txt"}},
                                         TwoListsCase{"DriveAloneTakesTheFolderLastEnteredOnIt",
                                                      "C:\\data",
                                                      "D:\\photos",
                                                      "d:",
                                                      "d:\\photos",
                                                      {"p.jpg"}},
                                         TwoListsCase{"RelativeWhileOnAShareTakesTheListsOwnFolder",
                                                      "C:\\data",
                                                      "\\\\server\\share\\docs",
                                                      "sub\\",
                                                      "C:\\data\\sub",
                                                      {"inner.txt"}},
                                         TwoListsCase{"RelativeOnAShareTakesTheListsOwnFolder",
                                                      "\\\\server\\share\\docs",
                                                      "\\\\server\\share",
                                                      "sub\\",
                                                      "\\\\server\\share\\docs\\sub",
                                                      {"docs-sub.txt"}},
                                         TwoListsCase{"RelativeFromAShareRoot",
                                                      "\\\\server\\share",
                                                      "\\\\server\\share\\docs",
                                                      "sub\\",
                                                      "\\\\server\\share\\sub",
                                                      {"share-sub.txt"}},
                                         TwoListsCase{"ParentOnAShare",
                                                      "\\\\server\\share\\docs",
                                                      "\\\\server\\share\\docs\\sub",
                                                      "..\\",
                                                      "\\\\server\\share",
                                                      {"share-root.txt"}},
                                         TwoListsCase{"RootedWhileOnAShare",
                                                      "C:\\data",
                                                      "\\\\server\\share\\docs",
                                                      "\\temp\\",
                                                      "\\\\server\\share\\temp",
                                                      {"share-temp.txt"}},
                                         TwoListsCase{"OwnFolderGoneGivesWayToTheFolderEnteredLast",
                                                      "C:\\data\\folder",
                                                      "D:\\photos",
                                                      "C:\\missing\\",
                                                      "D:\\photos",
                                                      {"p.jpg"},
                                                      "C:\\data\\folder"},
                                         TwoListsCase{"OwnFolderGoneRelativeTakesTheDrivesFolder",
                                                      "C:\\data\\folder",
                                                      "C:\\temp",
                                                      "sub\\",
                                                      "C:\\temp\\sub",
                                                      {"deep.txt"},
                                                      "C:\\data\\folder"},
                                         TwoListsCase{"OwnFolderGoneTargetStillEntered", "C:\\data\\folder",
                                                      "D:\\photos", "C:\\data\\", "C:\\data", dataNames,
                                                      "C:\\data\\folder"}),
                         caseName<TwoListsCase>);

TEST_F(WindowsFolderLists, ReadingAGoneFolderShowsTheFolderEnteredLast)
{
    FolderList& first = openList("C:\\data\\folder");
    openList("D:\\photos");
    files.removeFolder("C:\\data\\folder");
    EXPECT_TRUE(first.ReadFolder());
    // Never one folder's names under another's path.
    EXPECT_EQ(first.Directory(), "D:\\photos");
    EXPECT_EQ(first.Items(), NameList{"p.jpg"});
    EXPECT_EQ(files.listed().back(), "D:\\photos");
}

TEST_F(WindowsFolderLists, ReadingLeavesItsFolderCurrent)
{
    for (const auto& [own, other] :
         {std::pair{"C:\\data", "D:\\photos"}, std::pair{"\\\\server\\share", "\\\\server\\share\\docs"}}) {
        FolderList& list = openList(own);
        openList(other);
        EXPECT_FALSE(list.ReadFolder()) << own;
        EXPECT_EQ(list.Directory(), own);
        EXPECT_EQ(folders.current(), own);
        EXPECT_EQ(files.listed().back(), own);
    }
}

TEST_F(WindowsFolderLists, ReadsNothingBeforeItIsOpen)
{
    FolderList& list = lists.emplace_back(folders, files, order);
    EXPECT_FALSE(list.ReadFolder());
    list.ShowFolderOfPath("C:\\data\\");
    EXPECT_EQ(list.Directory(), "C:\\data");
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(files.listCount(), 0u);

    EXPECT_FALSE(list.Open());
    EXPECT_EQ(list.Items(), dataNames);
    EXPECT_EQ(files.listed(), std::vector<std::string>{"C:\\data"});
}

TEST_F(WindowsFolderLists, StopsWithAnErrorWhenFull)
{
    for (const char* name : {"e", "d", "c", "b", "a"}) {
        files.addFile(std::string("C:\\many\\") + name);
    }
    FolderList& list = openList("C:\\temp");
    list.SetCapacity(3);
    try {
        list.ShowFolderOfPath("C:\\many\\");
        ADD_FAILURE() << "five names fitted into a list of three";
    } catch (const ListInsertError& error) {
        EXPECT_STREQ(error.what(), "行を挿入できません");
    }
    EXPECT_EQ(list.Directory(), "C:\\many");
    EXPECT_EQ(folders.current(), "C:\\many");
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_TRUE(std::is_sorted(list.Items().begin(), list.Items().end()));
    for (const std::string_view name : list.Items()) {
        EXPECT_TRUE(name.size() == 1 && name[0] >= 'a' && name[0] <= 'e') << name;
    }
}

TEST_F(WindowsFolderLists, CountsOnlyTheNamesItShowsAgainstItsCapacity)
{
    FolderList& list = openList("C:\\temp");
    list.SetCapacity(dataNames.size());
    EXPECT_NO_THROW(list.ShowFolderOfPath("C:\\data\\"));
    EXPECT_EQ(list.Items(), dataNames);
}

struct BusyCase
{
    const char* title;
    int names;
    int hidden;
    std::size_t capacity;
    std::vector<bool> signals;
};

void PrintTo(const BusyCase& c, std::ostream* out)
{
    *out << c.title;
}

class WindowsBusyPointer : public WindowsFolderLists, public testing::WithParamInterface<BusyCase>
{};

TEST_P(WindowsBusyPointer, ShowsFromTheHundredAndFirstNameUntilTheReadEnds)
{
    const BusyCase& c = GetParam();
    // Named in ascending order, so that the 101st name also lands in the 101st place.
    for (int i = 0; i < c.names + c.hidden; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "n%03d", i);
        files.addFile(std::string("C:\\many\\") + name, i % 3 == 0 && i / 3 < c.hidden ? Hidden : 0);
    }
    FolderList& list = openList("C:\\temp");
    std::vector<bool> signals;
    list.SetBusyHandler([&](bool busy) { signals.push_back(busy); });
    list.SetCapacity(c.capacity);
    const bool full = static_cast<std::size_t>(c.names) > c.capacity;
    if (full) {
        EXPECT_THROW(list.ShowFolderOfPath("C:\\many\\"), ListInsertError);
    } else {
        EXPECT_NO_THROW(list.ShowFolderOfPath("C:\\many\\"));
    }
    EXPECT_EQ(signals, c.signals);
    EXPECT_EQ(list.Count(), std::min(static_cast<std::size_t>(c.names), c.capacity));

    // A list without a handler reads the same folder unharmed.
    FolderList& quiet = openList("C:\\many");
    EXPECT_EQ(quiet.Count(), static_cast<std::size_t>(c.names));
}

INSTANTIATE_TEST_SUITE_P(
    Reads, WindowsBusyPointer,
    testing::Values(BusyCase{"HundredNames", 100, 0, FolderList::DefaultCapacity, {}},
                    BusyCase{"HundredAndOneNames", 101, 0, FolderList::DefaultCapacity, {true, false}},
                    BusyCase{"HiddenFilesDoNotCount", 100, 30, FolderList::DefaultCapacity, {}},
                    BusyCase{"EndsAfterTheCapacityError", 200, 0, 150, {true, false}},
                    BusyCase{"CapacityErrorBeforeTheHundredAndFirst", 50, 0, 10, {}}),
    caseName<BusyCase>);

} // namespace
} // namespace tombreli
