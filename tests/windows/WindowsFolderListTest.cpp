#include "CompareFileNames.h"
#include "CurrentFolders.h"
#include "FolderList.h"
#include "Host.h"
#include "WindowsLowerCase.h"
#include "WindowsTempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <set>
#include <windows.h>

namespace tombreli {
namespace {

using test::currentDirectory;
using test::WindowsTempFolder;

// The letters A to Z in the other case.
std::string swapCase(std::string text)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// "$C" and "$D" in a text stand for the test's folders on the two drives,
// "~C" and "~D" for the same without their drive.
std::string expand(std::string text, const WindowsTempFolder& c, const WindowsTempFolder* d)
{
    const std::pair<const char*, std::string> marks[] = {{"$C", c.path()},
                                                         {"~C", c.pathOnDrive()},
                                                         {"$D", d ? d->path() : ""},
                                                         {"~D", d ? d->pathOnDrive() : ""}};
    for (const auto& [mark, value] : marks) {
        for (std::size_t at; (at = text.find(mark)) != std::string::npos;) {
            text.replace(at, 2, value);
        }
    }
    return text;
}

const NameList dataNames = {"a.txt", "B.txt", "c.TXT", "Makefile"};

// The window's two lists, sharing their current folders, on the real file
// system through the host's ports, as the programs use them.
class WindowsFolderLists : public testing::Test
{
protected:
    WindowsFolderLists()
    {
        for (const char* name : {"data", "data\\sub", "temp", "temp\\sub"}) {
            c.createDir(name);
        }
        // Made out of order: a list sorts what the folder gives.
        for (const char* name : {"c.TXT", "Makefile", "a.txt", "B.txt"}) {
            c.createFile(std::string("data\\") + name);
        }
        c.createFile("data\\desktop.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        c.createFile("data\\thumbs.db", FILE_ATTRIBUTE_HIDDEN);
        c.createFile("data\\io.sys", FILE_ATTRIBUTE_SYSTEM);
        c.createFile("data\\sub\\inner.txt");
        c.createFile("temp\\t.txt");
        c.createFile("temp\\sub\\deep.txt");
    }

    // A list whose folder is `start`, opened as the window opens its lists;
    // it leaves `start` the folder most recently entered.
    FolderList& openList(const std::string& start)
    {
        EXPECT_FALSE(folders.enter(start)) << start;
        FolderList& list = lists.emplace_back(folders, hostFileServices(), hostNameOrder());
        EXPECT_FALSE(list.Open()) << start;
        return list;
    }

    WindowsTempFolder c;
    CurrentFolders folders{hostPathSyntax(), hostFileServices(), hostFileServices().workingFolder()};
    std::deque<FolderList> lists;
};

TEST_F(WindowsFolderLists, ListsTheOrdinaryFilesInOrder)
{
    c.createFile("data\\readonly.txt", FILE_ATTRIBUTE_READONLY);
    c.createFile("data\\archive.txt", FILE_ATTRIBUTE_ARCHIVE);
    c.createFile("data\\.profile", FILE_ATTRIBUTE_HIDDEN);
    c.createDir("data\\hidden folder", FILE_ATTRIBUTE_HIDDEN);
    const FolderList& list = openList(c.path("data"));
    EXPECT_EQ(list.Items(), (NameList{"a.txt", "archive.txt", "B.txt", "c.TXT", "Makefile", "readonly.txt"}));
    EXPECT_EQ(list.Directory(), c.path("data"));
}

TEST_F(WindowsFolderLists, ListsNothingInAFolderOfFoldersAndHiddenFiles)
{
    c.createDir("empty");
    c.createDir("empty\\inner");
    c.createFile("empty\\hidden.txt", FILE_ATTRIBUTE_HIDDEN);
    c.createFile("empty\\pagefile.sys", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(openList(c.path("empty")).Count(), 0u);
}

struct MoveCase
{
    const char* title;
    const char* text;      // with the marks of expand()
    const char* directory; // likewise
    NameList items;
};

void PrintTo(const MoveCase& c, std::ostream* out)
{
    *out << c.title;
}

class WindowsShowFolderOfPath : public WindowsFolderLists, public testing::WithParamInterface<MoveCase>
{};

TEST_P(WindowsShowFolderOfPath, ShowsTheFolderTheTextNames)
{
    const MoveCase& m = GetParam();
    FolderList& list = openList(c.path("temp"));
    list.ShowFolderOfPath(expand(m.text, c, nullptr));
    EXPECT_EQ(list.Directory(), expand(m.directory, c, nullptr));
    EXPECT_EQ(list.Items(), m.items);
    EXPECT_EQ(folders.current(), list.Directory());
}

const NameList tempNames = {"t.txt"};

INSTANTIATE_TEST_SUITE_P(
    Texts, WindowsShowFolderOfPath,
    testing::Values(MoveCase{"NoTrailingSeparatorShowsTheParent", "$C\\data\\sub", "$C\\data", dataNames},
                    MoveCase{"TrailingSeparator", "$C\\data\\sub\\", "$C\\data\\sub", {"inner.txt"}},
                    MoveCase{"FileNameIgnored", "$C\\data\\sub\\readme.txt", "$C\\data\\sub", {"inner.txt"}},
                    MoveCase{"PatternDropped", "$C\\data\\*.txt", "$C\\data", dataNames},
                    MoveCase{"TypedCaseKept", "$C\\DATA\\Sub\\", "$C\\DATA\\Sub", {"inner.txt"}},
                    MoveCase{"RootedOnTheCurrentDrive", "~C\\data\\", "$C\\data", dataNames},
                    MoveCase{"RelativeToTheListsFolder", "sub\\", "$C\\temp\\sub", {"deep.txt"}},
                    MoveCase{"DotsResolved", "..\\data\\.\\sub\\..\\", "$C\\data", dataNames},
                    MoveCase{"DoubledSeparators", "$C\\\\data\\\\sub\\\\", "$C\\data\\sub", {"inner.txt"}},
                    MoveCase{"TrailingDotsDropped", "$C\\data.\\", "$C\\data", dataNames},
                    MoveCase{"MissingFolderStays", "$C\\missing\\", "$C\\temp", tempNames},
                    MoveCase{"FileIsNoFolder", "$C\\data\\a.txt\\", "$C\\temp", tempNames},
                    MoveCase{"InvalidNameStays", "$C\\da<ta\\", "$C\\temp", tempNames}),
    [](const testing::TestParamInfo<MoveCase>& param) { return param.param.title; });

// The drive's root holds whatever the machine has there; only what the list
// shows of it is the test's to know.
TEST_F(WindowsFolderLists, ShowsADriveRootAsTheSystemNamesIt)
{
    FolderList& list = openList(c.path("temp"));
    list.ShowFolderOfPath("c:\\");
    EXPECT_EQ(list.Directory(), "c:\\");
    NameList sorted = list.Items();
    hostNameOrder().sort(sorted);
    EXPECT_EQ(list.Items(), sorted);
}

TEST_F(WindowsFolderLists, DoesNotReReadTheFolderItShows)
{
    FolderList& list = openList(c.path("data\\sub"));
    c.createFile("data\\sub\\new.txt");
    for (const std::string& text :
         {swapCase(c.path("data\\sub\\")), c.path("data\\sub\\readme.txt"),
          swapCase(c.path("data\\sub\\*.*")), swapCase(c.pathOnDrive("data\\sub\\")), std::string("C:"),
          std::string("c:")}) {
        list.ShowFolderOfPath(text);
        EXPECT_EQ(list.Directory(), c.path("data\\sub")) << text;
        EXPECT_EQ(list.Items(), NameList{"inner.txt"}) << text << ": must not re-read";
    }
    // Another spelling of the same folder re-reads it.
    list.ShowFolderOfPath(c.path("data\\sub\\.\\"));
    EXPECT_EQ(list.Directory(), c.path("data\\sub"));
    EXPECT_EQ(list.Items(), (NameList{"inner.txt", "new.txt"}));
}

// On a double-byte system a folder path folds the letters A to Z alone; on
// any other, the system lower-cases the whole path. The suite runs in code
// page 932; CTest runs this test once more in the code page that
// TOMBRELI_CODE_PAGE names, a single-byte one.
TEST_F(WindowsFolderLists, FoldsLetterCaseAsTheCharacterSetHasIt)
{
    if (const char* codePage = std::getenv("TOMBRELI_CODE_PAGE")) {
        ASSERT_EQ(GetACP(), std::stoul(codePage));
    }
    const bool doubleByte = doubleByteSystem();
    const std::string shown = c.createDir("Donn\xC3\xA9"
                                          "es");
    FolderList& list = openList(shown);
    c.createFile("Donn\xC3\xA9"
                 "es\\new.txt");
    list.ShowFolderOfPath(c.path("DONN\xC3\x89"
                                 "ES\\"));
    if (doubleByte) {
        EXPECT_EQ(list.Directory(), c.path("DONN\xC3\x89"
                                           "ES"))
            << "re-read, in the case typed";
        EXPECT_EQ(list.Items(), NameList{"new.txt"});
    } else {
        EXPECT_EQ(list.Directory(), shown) << "the same folder: not re-read";
        EXPECT_EQ(list.Items(), NameList{});
    }
}

TEST_F(WindowsFolderLists, ReReadsTheCurrentFolderWhenItsOwnIsGone)
{
    c.createDir("gone");
    c.createFile("gone\\g.txt");
    FolderList& first = openList(c.path("gone"));
    openList(c.path("temp"));
    c.remove("gone");
    first.ReadFolder();
    // Never one folder's names under another's path.
    EXPECT_EQ(first.Directory(), c.path("temp"));
    EXPECT_EQ(first.Items(), tempNames);
}

// Korean, an emoji and accented letters are outside code page 932; 表 and ソ
// are inside, with "\" as their second byte there.
TEST_F(WindowsFolderLists, ListsAndComparesNamesOutsideTheCodePageWithoutLoss)
{
    ASSERT_EQ(GetACP(), 932u) << "meant to run in code page 932: ctest sets LC_ALL=ja_JP.UTF-8, "
                                 "which scripts/setup.sh --windows makes";
    const std::string one = c.createDir("\xED\x95\x98\xEB\x82\x98"); // 하나
    const std::string two = c.createDir("\xE6\x97\xA5\xE6\x9C\xAC"); // 日本
    const std::set<std::string> inOne = {
        "\xED\x95\x9C\xEA\xB5\xAD.txt", // 한국
        "\xEC\xA4\x91\xEA\xB5\xAD.txt", // 중국
        "caf\xC3\xA9.txt",              // café
        "\xF0\x9F\x98\x80.txt",         // 😀
        "\xE8\xA1\xA8.txt",             // 表
        "same.txt",
    };
    const std::set<std::string> inTwo = {
        "\xEC\xA4\x91\xEA\xB5\xAD.txt", // 중국
        "cafe.txt",
        "\xF0\x9F\x98\x81.txt", // 😁
        "\xE8\xA1\xA8.txt",     // 表
        "\xE3\x82\xBD.txt",     // ソ
        "same.txt",
    };
    for (const std::string& name : inOne) {
        c.createFile(one.substr(c.path().size() + 1) + "\\" + name);
    }
    for (const std::string& name : inTwo) {
        c.createFile(two.substr(c.path().size() + 1) + "\\" + name);
    }
    FolderList& first = openList(c.path("temp"));
    FolderList& second = openList(c.path("temp"));
    first.ShowFolderOfPath(one + "\\");
    second.ShowFolderOfPath(two + "\\");
    EXPECT_EQ(first.Directory(), one);
    EXPECT_EQ(second.Directory(), two);
    EXPECT_EQ(std::set<std::string>(first.Items().begin(), first.Items().end()), inOne);
    EXPECT_EQ(std::set<std::string>(second.Items().begin(), second.Items().end()), inTwo);
    // Every name listed finds its file again.
    for (const FolderList* list : {&first, &second}) {
        for (const std::string_view name : list->Items()) {
            EXPECT_NE(GetFileAttributesW(test::wide(list->Directory() + "\\" + std::string(name)).c_str()),
                      INVALID_FILE_ATTRIBUTES)
                << name;
        }
    }

    const ComparisonResult result = CompareFileNames(first.Items(), second.Items());
    const auto asSet = [](const NameList& names) {
        return std::set<std::string>(names.begin(), names.end());
    };
    EXPECT_EQ(asSet(result.InBoth),
              (std::set<std::string>{"\xEC\xA4\x91\xEA\xB5\xAD.txt", "\xE8\xA1\xA8.txt", "same.txt"}));
    EXPECT_EQ(
        asSet(result.OnlyInFolder1),
        (std::set<std::string>{"\xED\x95\x9C\xEA\xB5\xAD.txt", "caf\xC3\xA9.txt", "\xF0\x9F\x98\x80.txt"}));
    EXPECT_EQ(asSet(result.OnlyInFolder2),
              (std::set<std::string>{"cafe.txt", "\xF0\x9F\x98\x81.txt", "\xE3\x82\xBD.txt"}));
}

// The two lists on two drives: the second list was opened last, so its folder
// is the one most recently entered.
struct TwoDrivesCase
{
    const char* title;
    const char* first;
    const char* second;
    const char* text;
    const char* directory;
    NameList items;
    const char* removed = nullptr; // the first list's folder, taken away before the move
};

void PrintTo(const TwoDrivesCase& c, std::ostream* out)
{
    *out << c.title;
}

class WindowsSecondDrive : public WindowsFolderLists
{
protected:
    WindowsSecondDrive()
    {
        for (const char* name : {"photos", "photos\\sub", "temp"}) {
            d.createDir(name);
        }
        d.createFile("photos\\p.jpg");
        d.createFile("photos\\sub\\ps.jpg");
        d.createFile("temp\\d-temp.txt");
    }

    WindowsTempFolder d{test::secondDrive()};
};

class WindowsTwoDrives : public WindowsSecondDrive, public testing::WithParamInterface<TwoDrivesCase>
{};

TEST_P(WindowsTwoDrives, MoveTheFirstAlone)
{
    const TwoDrivesCase& m = GetParam();
    const std::string workingFolder = currentDirectory();
    FolderList& first = openList(expand(m.first, c, &d));
    const FolderList& second = openList(expand(m.second, c, &d));
    const NameList secondItems = second.Items();
    if (m.removed != nullptr) {
        c.remove(m.removed);
    }
    first.ShowFolderOfPath(expand(m.text, c, &d));
    EXPECT_EQ(first.Directory(), expand(m.directory, c, &d));
    EXPECT_EQ(first.Items(), m.items);
    EXPECT_EQ(folders.current(), first.Directory());
    EXPECT_EQ(second.Directory(), expand(m.second, c, &d));
    EXPECT_EQ(second.Items(), secondItems);
    // The lists keep their current folders themselves; the process's stays put.
    EXPECT_EQ(currentDirectory(), workingFolder);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WindowsTwoDrives,
    testing::Values(TwoDrivesCase{"RelativeTakesTheListsOwnFolder",
                                  "$C\\data",
                                  "$C\\temp",
                                  "sub\\",
                                  "$C\\data\\sub",
                                  {"inner.txt"}},
                    TwoDrivesCase{"RelativeOnAnotherDriveTakesTheFolderLastEnteredThere",
                                  "$D\\photos",
                                  "$C\\temp",
                                  "sub\\",
                                  "$C\\temp\\sub",
                                  {"deep.txt"}},
                    TwoDrivesCase{"RootedTakesTheDriveEnteredLast",
                                  "$C\\data",
                                  "$D\\photos",
                                  "~D\\temp\\",
                                  "$D\\temp",
                                  {"d-temp.txt"}},
                    TwoDrivesCase{"DriveAloneTakesTheFolderLastEnteredOnIt",
                                  "$C\\data",
                                  "$D\\photos",
                                  "D:",
                                  "$D\\photos",
                                  {"p.jpg"}},
                    TwoDrivesCase{"DriveAndRelativeTakesTheFolderLastEnteredOnIt",
                                  "$C\\data",
                                  "$D\\photos",
                                  "D:sub\\",
                                  "$D\\photos\\sub",
                                  {"ps.jpg"}},
                    TwoDrivesCase{
                        "DriveRoot", "$C\\data", "$C\\temp", "D:\\", "D:\\", {"tombreli-second-drive"}},
                    TwoDrivesCase{"OwnFolderGoneGivesWayToTheFolderEnteredLast",
                                  "$C\\data\\sub",
                                  "$D\\photos",
                                  "$C\\missing\\",
                                  "$D\\photos",
                                  {"p.jpg"},
                                  "data\\sub"},
                    TwoDrivesCase{"OwnFolderGoneTargetStillEntered", "$C\\data\\sub", "$D\\photos",
                                  "$C\\data\\", "$C\\data", dataNames, "data\\sub"}),
    [](const testing::TestParamInfo<TwoDrivesCase>& param) { return param.param.title; });

TEST_F(WindowsSecondDrive, DriveAloneKeepsItsLetterAsTyped)
{
    FolderList& first = openList(c.path("data"));
    openList(d.path("photos"));
    first.ShowFolderOfPath("d:");
    EXPECT_EQ(first.Directory(), "d" + d.path("photos").substr(1));
    EXPECT_EQ(first.Items(), NameList{"p.jpg"});
}

} // namespace
} // namespace tombreli
