#include "WindowsPathSyntax.h"

#include "CurrentFolders.h"
#include "MemoryFileSystem.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tombreli {
namespace {

using test::MemoryFileSystem;

const WindowsPathSyntax shiftJis(WindowsPathSyntax::shiftJisLeadBytes());
const WindowsPathSyntax singleByte;

// Shift-JIS characters whose second byte is "\" or a letter.
#define SO "\x83\x5C"    // ソ
#define HYOU "\x95\x5C"  // 表
#define KA_A "\x83\x41"  // ア, second byte "A"
#define KA_DI "\x83\x61" // ヂ, second byte "a"
#define YA "\x83\x83"    // ャ, second byte like a lead byte

template <typename Case> std::string caseName(const testing::TestParamInfo<Case>& info)
{
    return info.param.title;
}

TEST(WindowsPathSyntaxLeadBytes, AreThoseOfShiftJis)
{
    const WindowsPathSyntax::LeadBytes lead = WindowsPathSyntax::shiftJisLeadBytes();
    for (unsigned b = 0; b < 256; ++b) {
        const bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(lead[b], expected) << "byte 0x" << std::hex << b;
    }
}

struct FolderPartCase
{
    const char* title;
    const char* text;
    const char* withShiftJis;
    const char* withSingleBytes;
};

void PrintTo(const FolderPartCase& c, std::ostream* out)
{
    *out << c.title;
}

class WindowsFolderPart : public testing::TestWithParam<FolderPartCase>
{};

TEST_P(WindowsFolderPart, EndsAtTheLastSeparator)
{
    const FolderPartCase& c = GetParam();
    EXPECT_EQ(shiftJis.folderPart(c.text), c.withShiftJis);
    EXPECT_EQ(singleByte.folderPart(c.text), c.withSingleBytes);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WindowsFolderPart,
    testing::Values(
        FolderPartCase{"Empty", "", "", ""}, FolderPartCase{"BareName", "readme.txt", "", ""},
        FolderPartCase{"TrailingSeparator", "C:\\data\\", "C:\\data\\", "C:\\data\\"},
        FolderPartCase{"LastNameDropped", "C:\\data\\folder", "C:\\data\\", "C:\\data\\"},
        FolderPartCase{"PatternDropped", "C:\\data\\*.txt", "C:\\data\\", "C:\\data\\"},
        FolderPartCase{"DriveAlone", "D:", "D:", "D:"},
        FolderPartCase{"ColonEndsIt", "D:readme.txt", "D:", "D:"},
        FolderPartCase{"LastOfEitherSeparator", "a\\b:c", "a\\b:", "a\\b:"},
        FolderPartCase{"Share", "\\\\server\\share\\docs\\x.txt", "\\\\server\\share\\docs\\",
                       "\\\\server\\share\\docs\\"},
        FolderPartCase{"SoLast", "C:\\data\\" SO, "C:\\data\\", "C:\\data\\" SO},
        FolderPartCase{"SoUnderRoot", "C:\\" SO, "C:\\", "C:\\" SO},
        FolderPartCase{"SoThenSeparator", "C:\\" SO "\\a", "C:\\" SO "\\", "C:\\" SO "\\"},
        FolderPartCase{"HyouThenSo", "C:\\" HYOU "\\" SO HYOU, "C:\\" HYOU "\\", "C:\\" HYOU "\\" SO HYOU},
        FolderPartCase{"SoAlone", SO, "", SO},
        // The separator follows a whole character whose second byte has the value of a lead byte.
        FolderPartCase{"SecondByteLikeALeadByte", "C:\\" YA "\\a", "C:\\" YA "\\", "C:\\" YA "\\"},
        FolderPartCase{"HalfWidthKatakanaIsOneByte", "C:\\\xB1\\a", "C:\\\xB1\\", "C:\\\xB1\\"},
        FolderPartCase{"LeadByteAtTheEnd", "C:\\data\\\x83", "C:\\data\\", "C:\\data\\"}),
    caseName<FolderPartCase>);

struct SplitCase
{
    const char* title;
    const char* path;
    const char* drive;
    const char* rest;
};

void PrintTo(const SplitCase& c, std::ostream* out)
{
    *out << c.title;
}

class WindowsSplitDrive : public testing::TestWithParam<SplitCase>
{};

TEST_P(WindowsSplitDrive, SplitsAtTheEndOfTheDrive)
{
    const SplitCase& c = GetParam();
    const WindowsPathSyntax::DriveAndRest split = WindowsPathSyntax::splitDrive(c.path);
    EXPECT_EQ(split.drive, c.drive);
    EXPECT_EQ(split.rest, c.rest);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, WindowsSplitDrive,
    testing::Values(SplitCase{"Letter", "C:\\data\\", "C:", "\\data\\"},
                    SplitCase{"LetterAlone", "d:", "d:", ""},
                    SplitCase{"LetterRelative", "D:sub\\", "D:", "sub\\"},
                    SplitCase{"AnyFirstByte", "1:\\", "1:", "\\"},
                    SplitCase{"Share", "\\\\server\\share\\docs\\", "\\\\server\\share", "\\docs\\"},
                    SplitCase{"ShareRoot", "\\\\server\\share\\", "\\\\server\\share", "\\"},
                    SplitCase{"ShareWithoutSeparator", "\\\\server\\share", "\\\\server\\share", ""},
                    // Byte by byte: the second byte of ソ ends the server name.
                    SplitCase{"ShareSplitByBytes", "\\\\" SO "\\s\\x", "\\\\" SO, "\\s\\x"},
                    SplitCase{"Rooted", "\\temp\\", "", "\\temp\\"},
                    SplitCase{"Relative", "sub\\", "", "sub\\"}, SplitCase{"Empty", "", "", ""}),
    caseName<SplitCase>);

// Current folders set up by entering folders of a small model in turn.
class WindowsCurrentFolders
{
protected:
    WindowsCurrentFolders()
    {
        for (const char* folder : {"C:\\data\\folder", "C:\\data\\" SO, "C:\\temp", "D:\\photos", "E:\\",
                                   "\\\\server\\share\\docs", "\\\\server\\sharesub"}) {
            files.addFolder(folder);
        }
    }

    void enterInTurn(const std::vector<const char*>& entered)
    {
        for (const char* folder : entered) {
            ASSERT_FALSE(folders.enter(folder)) << folder;
        }
    }

    MemoryFileSystem files{WindowsPathSyntax::shiftJisLeadBytes()};
    CurrentFolders folders{shiftJis, files, "C:\\data"};
};

// Unless a case says otherwise: D: was last left at D:\photos, C: at C:\data,
// which is current; E: was never entered.
const std::vector<const char*> onC = {"D:\\photos", "C:\\data"};
const std::vector<const char*> onShare = {"D:\\photos", "C:\\data", "\\\\server\\share\\docs"};

struct TargetCase
{
    const char* title;
    const char* folderPart;
    const char* target;
    std::vector<const char*> entered = onC;
};

void PrintTo(const TargetCase& c, std::ostream* out)
{
    *out << c.title;
}

class WindowsTarget : public WindowsCurrentFolders, public testing::TestWithParam<TargetCase>
{};

TEST_P(WindowsTarget, NamesTheFolderOfTheFolderPart)
{
    const TargetCase& c = GetParam();
    enterInTurn(c.entered);
    EXPECT_EQ(shiftJis.target(c.folderPart, folders), c.target);
}

INSTANTIATE_TEST_SUITE_P(
    FolderParts, WindowsTarget,
    testing::Values(
        TargetCase{"Folder", "C:\\data\\folder\\", "C:\\data\\folder"},
        TargetCase{"OtherDrive", "D:\\photos\\", "D:\\photos"}, TargetCase{"DriveRoot", "C:\\", "C:\\"},
        TargetCase{"OnlyTheLastSeparatorDropped", "C:\\\\", "C:\\"},
        TargetCase{"SoKeptWhole", "C:\\data\\" SO "\\", "C:\\data\\" SO},
        TargetCase{"RelativeOnADrive", "D:sub\\", "D:sub"},
        TargetCase{"DriveAloneLastEntered", "D:", "D:\\photos"},
        TargetCase{"DriveAloneTypedCaseKept", "d:", "d:\\photos"},
        TargetCase{"DriveAloneCurrent", "C:", "C:\\data"}, TargetCase{"DriveAloneNeverEntered", "E:", "E:\\"},
        TargetCase{"DriveAloneLeftAtItsRoot", "E:", "E:\\", {"E:\\", "C:\\data"}},
        TargetCase{"RootedTakesTheCurrentDrive", "\\temp\\", "C:\\temp"},
        TargetCase{"RootedOnTheDriveEnteredLast", "\\temp\\", "D:\\temp", {"C:\\data", "D:\\photos"}},
        TargetCase{"RootAlone", "\\", "C:\\"}, TargetCase{"RelativeTakesTheCurrentDrive", "sub\\", "C:sub"},
        TargetCase{"Parent", "..\\", "C:.."},
        TargetCase{"Share", "\\\\server\\share\\docs\\", "\\\\server\\share\\docs"},
        TargetCase{"ShareRoot", "\\\\server\\share\\", "\\\\server\\share\\"},
        TargetCase{"RootedOnAShare", "\\temp\\", "\\\\server\\share\\temp", onShare},
        TargetCase{"RootAloneOnAShare", "\\", "\\\\server\\share\\", onShare},
        // Never glued onto the share root: "\\server\sharesub" is another share.
        TargetCase{"RelativeOnAShareStaysRelative", "sub\\", "sub", onShare},
        TargetCase{"DriveAloneWhileOnAShare", "C:", "C:\\data", onShare}),
    caseName<TargetCase>);

struct AbsoluteCase
{
    const char* title;
    const char* path;
    const char* absolute;
    std::vector<const char*> entered = onC;
};

void PrintTo(const AbsoluteCase& c, std::ostream* out)
{
    *out << c.title;
}

class WindowsAbsolute : public WindowsCurrentFolders, public testing::TestWithParam<AbsoluteCase>
{};

TEST_P(WindowsAbsolute, TakesARelativePathAgainstItsDrive)
{
    const AbsoluteCase& c = GetParam();
    enterInTurn(c.entered);
    EXPECT_EQ(shiftJis.absolute(c.path, folders), c.absolute);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, WindowsAbsolute,
    testing::Values(AbsoluteCase{"AlreadyAbsolute", "D:\\x", "D:\\x"},
                    AbsoluteCase{"Rooted", "\\temp", "C:\\temp"},
                    AbsoluteCase{"RelativeToTheCurrentFolder", "sub", "C:\\data\\sub"},
                    AbsoluteCase{"RelativeOnAnotherDrive", "D:sub", "D:\\photos\\sub"},
                    AbsoluteCase{"RelativeOnADriveNeverEntered", "E:sub", "E:\\sub"},
                    AbsoluteCase{"RelativeToARoot", "sub", "E:\\sub", {"E:\\"}},
                    AbsoluteCase{"DriveAlone", "D:", "D:\\photos"},
                    AbsoluteCase{"RelativeOnAShare", "sub", "\\\\server\\share\\docs\\sub", onShare},
                    AbsoluteCase{"ShareFolder", "\\\\server\\share\\x", "\\\\server\\share\\x", onShare},
                    // The root of a share, even when a folder deeper in it was entered last.
                    AbsoluteCase{"ShareRoot", "\\\\server\\share", "\\\\server\\share", onShare}),
    caseName<AbsoluteCase>);

struct SameFolderCase
{
    const char* title;
    const char* target;
    const char* directory;
    bool withShiftJis;
    bool withSingleBytes;
};

void PrintTo(const SameFolderCase& c, std::ostream* out)
{
    *out << c.title;
}

class WindowsSameFolder : public testing::TestWithParam<SameFolderCase>
{};

TEST_P(WindowsSameFolder, FoldsOnlyTheLettersAToZ)
{
    const SameFolderCase& c = GetParam();
    EXPECT_EQ(shiftJis.sameFolder(c.target, c.directory), c.withShiftJis);
    EXPECT_EQ(shiftJis.sameFolder(c.directory, c.target), c.withShiftJis);
    EXPECT_EQ(singleByte.sameFolder(c.target, c.directory), c.withSingleBytes);
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, WindowsSameFolder,
    testing::Values(
        SameFolderCase{"Identical", "C:\\data", "C:\\data", true, true},
        SameFolderCase{"LetterCase", "c:\\DATA\\Folder", "C:\\data\\folder", true, true},
        SameFolderCase{"ShareLetterCase", "\\\\SERVER\\Share", "\\\\server\\share", true, true},
        SameFolderCase{"OtherName", "C:\\data", "C:\\date", false, false},
        SameFolderCase{"TrailingSeparatorCounts", "C:\\data\\", "C:\\data", false, false},
        SameFolderCase{"DotCounts", "C:\\data\\.", "C:\\data", false, false},
        SameFolderCase{"AfterZNotFolded", "C:\\[", "C:\\{", false, false},
        SameFolderCase{"BeforeANotFolded", "C:\\@", "C:\\`", false, false},
        SameFolderCase{"SecondByteNotFolded", "C:\\" KA_A, "C:\\" KA_DI, false, true},
        SameFolderCase{"LetterAfterADoubleByteFolded", "C:\\" SO "A", "C:\\" SO "a", true, true},
        SameFolderCase{"LetterAfterSecondByteLikeALeadByte", "C:\\" YA "A", "C:\\" YA "a", true, true},
        SameFolderCase{"FullWidthShiftJisNotFolded", "C:\\\x82\x60", "C:\\\x82\x81", false, false},
        SameFolderCase{"FullWidthUtf8NotFolded", "C:\\\xEF\xBC\xA1", "C:\\\xEF\xBD\x81", false, false}),
    caseName<SameFolderCase>);

// Stands for a system's own lower-casing: A to Z and one accented letter.
std::string lowerCaseWithAccents(std::string_view text)
{
    std::string lower = singleByte.foldCase(text);
    for (std::size_t at = lower.find("\xC3\x89"); at != std::string::npos; at = lower.find("\xC3\x89", at)) {
        lower.replace(at, 2, "\xC3\xA9");
    }
    return lower;
}

TEST(WindowsSameFolder, FoldsByTheSystemsLowerCasingUnlessDoubleByte)
{
    const WindowsPathSyntax system({}, lowerCaseWithAccents);
    const WindowsPathSyntax doubleByte(WindowsPathSyntax::shiftJisLeadBytes(), lowerCaseWithAccents);
    // "Données" spelt with É and é.
    const char* upper = "C:\\DONN\xC3\x89"
                        "ES";
    const char* lower = "c:\\donn\xC3\xA9"
                        "es";
    EXPECT_TRUE(system.sameFolder(upper, lower));
    EXPECT_FALSE(singleByte.sameFolder(upper, lower));
    EXPECT_FALSE(doubleByte.sameFolder(upper, lower));
    EXPECT_TRUE(doubleByte.sameFolder("C:\\DATA", "c:\\data"));
    // The same text, composed and decomposed: two folders to the file system.
    EXPECT_FALSE(system.sameFolder("C:\\donn\xC3\xA9"
                                   "es",
                                   "C:\\donne\xCC\x81"
                                   "es"));
}

TEST(WindowsDrives, HaveOneKeyForEverySpelling)
{
    EXPECT_EQ(shiftJis.driveKey("C:\\data"), shiftJis.driveKey("c:\\"));
    EXPECT_EQ(shiftJis.driveKey("\\\\SERVER\\Share\\docs"), shiftJis.driveKey("\\\\server\\share"));
    EXPECT_NE(shiftJis.driveKey("\\\\server\\share"), shiftJis.driveKey("\\\\server\\sharesub"));
    EXPECT_NE(shiftJis.driveKey("C:\\"), shiftJis.driveKey("D:\\"));
    EXPECT_EQ(shiftJis.driveRoot("D:"), "D:\\");
}

} // namespace
} // namespace tombreli
