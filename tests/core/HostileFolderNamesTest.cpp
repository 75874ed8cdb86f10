#include "CurrentFolders.h"
#include "FolderList.h"
#include "MemoryFileSystem.h"
#include "NameOrder.h"
#include "WindowsPathSyntax.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tombreli {
namespace {

using test::MemoryFileSystem;

// Shift-JIS characters whose second byte is "\": ソ, 表, 能.
#define SO "\x83\x5C"
#define HYO "\x95\x5C"
#define NO "\x94\x5C"

class ByBytes final : public NameOrder
{
public:
    void sort(NameList& names) const override { names.sort(std::less<>()); }
};

// Folders named with such characters, on the Shift-JIS model of Windows.
class ShiftJisFolderNames : public testing::Test
{
protected:
    ShiftJisFolderNames()
    {
        files.addFile("C:\\data\\" SO "\\sub\\in-sub.txt");
        files.addFile("C:\\data\\" SO "\\so.txt");
        files.addFile("C:\\data\\" SO "sub\\wrong.txt");
        files.addFile("C:\\" HYO "\\" NO "\\no.txt");
        files.addFile("C:\\" HYO NO "\\wrong.txt");
        EXPECT_FALSE(folders.enter("C:\\data\\" SO));
    }

    MemoryFileSystem files{WindowsPathSyntax::shiftJisLeadBytes()};
    WindowsPathSyntax syntax{WindowsPathSyntax::shiftJisLeadBytes()};
    ByBytes order;
    CurrentFolders folders{syntax, files, "C:\\"};
};

TEST_F(ShiftJisFolderNames, ARelativePathGoesBelowAFolderWhoseNameEndsInTheByteOfABackslash)
{
    EXPECT_EQ(syntax.absolute("sub", folders), "C:\\data\\" SO "\\sub");
    FolderList list(folders, files, order);
    list.Open();
    list.ShowFolderOfPath("sub\\");
    EXPECT_EQ(list.Directory(), "C:\\data\\" SO "\\sub");
    EXPECT_EQ(list.Items(), NameList{"in-sub.txt"});
    list.ShowFolderOfPath("..\\");
    EXPECT_EQ(list.Directory(), "C:\\data\\" SO);
    EXPECT_EQ(list.Items(), NameList{"so.txt"});

    list.ShowFolderOfPath("C:\\" HYO "\\");
    list.ShowFolderOfPath(NO "\\");
    EXPECT_EQ(list.Directory(), "C:\\" HYO "\\" NO);
    EXPECT_EQ(list.Items(), NameList{"no.txt"});
}

TEST_F(ShiftJisFolderNames, TheFolderShownIsNotReadAgainWhenItsPathIsTypedBack)
{
    FolderList list(folders, files, order);
    list.Open();
    for (const char* text : {"C:\\data\\" SO "\\", "c:\\DATA\\" SO "\\x.txt", "\\data\\" SO "\\*.*"}) {
        list.ShowFolderOfPath(text);
        EXPECT_EQ(list.Directory(), "C:\\data\\" SO) << text;
    }
    EXPECT_EQ(files.listCount(), 1u);
}

} // namespace
} // namespace tombreli
