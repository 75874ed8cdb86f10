// The window's two folder lists on the in-memory model of a Windows file
// system, moved by any texts in any order, while folders come and go.
//
// Input: one command a line.
//   1TEXT, 2TEXT  "取得" of list 1 or 2 with TEXT in its path field
//   r1, r2        re-read list 1 or 2
//   p1, p2        "取得" with the path the list shows, and a file name after it
//   d1, d2        "取得" with the name of the first folder in the one shown, and "\"
//   u1, u2        "取得" with "..\"
//   xD            take away folder D (a digit), or bring it back
//   c1D, c2D      let list 1 or 2 take at most D names (a digit; "-" for no limit)
//
// After every command: a list that was read shows the ordinary files of its
// Directory in order, its Directory is a full path as the model reports it and
// is the current folder; a list that was not read is as it was; and a text
// naming the folder shown never reads it again.

#include "AsciiNameOrder.h"
#include "CurrentFolders.h"
#include "FolderList.h"
#include "FuzzCheck.h"
#include "MemoryFileSystem.h"
#include "NameOrder.h"
#include "WindowsPathSyntax.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace tombreli;
using test::MemoryFileSystem;

#define SO "\x83\x5C"   // ソ, second byte "\"
#define KA_A "\x83\x41" // ア, second byte "A"

constexpr std::uint8_t NotListed =
    FolderEntry::Directory | FolderEntry::Hidden | FolderEntry::System | FolderEntry::VolumeLabel;

using test::AsciiNameOrder;

// Folders that a command may take away and bring back, with what they hold.
struct Removable
{
    const char* folder;
    std::vector<const char*> files;
};
const std::array<Removable, 5> removables = {{
    {"C:\\data\\sub", {"C:\\data\\sub\\inner.txt"}},
    {"C:\\temp\\sub", {"C:\\temp\\sub\\deep.txt"}},
    {"D:\\photos", {"D:\\photos\\p.jpg", "D:\\photos\\q.jpg"}},
    {"\\\\server\\share\\docs", {"\\\\server\\share\\docs\\doc.txt"}},
    {"C:\\data\\" SO, {"C:\\data\\" SO "\\so.txt", "C:\\data\\" SO "\\sub\\in-sub.txt"}},
}};

void addRemovable(MemoryFileSystem& files, const Removable& r)
{
    files.addFolder(r.folder);
    for (const char* file : r.files) {
        files.addFile(file);
    }
}

void makeModel(MemoryFileSystem& files)
{
    files.addFile("C:\\root.txt");
    files.addFile("C:\\pagefile.sys", FolderEntry::Hidden | FolderEntry::System);
    for (const char* name : {"c.TXT", "a.txt", SO ".txt", "B.txt", "Makefile"}) {
        files.addFile(std::string("C:\\data\\") + name);
    }
    files.addFile("C:\\data\\thumbs.db", FolderEntry::Hidden);
    files.addFile("C:\\data\\" KA_A "\\a.txt");
    // Where a relative name from ソ would lead if the second byte of ソ were taken for a separator.
    files.addFile("C:\\data\\" SO "sub\\wrong.txt");
    files.addFile("C:\\temp\\t.txt");
    files.addFolder("C:\\empty\\inner");
    files.addFile("C:\\locked\\unseen.txt");
    files.setAccess("C:\\locked", MemoryFileSystem::Access::EnterOnly);
    files.addFile("C:\\secret\\unseen.txt");
    files.setAccess("C:\\secret", MemoryFileSystem::Access::Refused);
    files.addFile("D:\\d.txt");
    files.addFile("\\\\server\\share\\share-root.txt");
    files.addFile("\\\\server\\sharesub\\wrong-share.txt");
    for (const Removable& r : removables) {
        addRemovable(files, r);
    }
    files.setWorkingFolder("C:\\temp");
}

bool isLeadByte(char c)
{
    return WindowsPathSyntax::shiftJisLeadBytes()[static_cast<unsigned char>(c)];
}

// Where the last separator of `path` is, the second bytes of double-byte characters not counted.
std::size_t lastSeparator(std::string_view path)
{
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (isLeadByte(path[i]) && i + 1 < path.size()) {
            ++i;
        } else if (path[i] == '\\') {
            last = i;
        }
    }
    return last;
}

bool endsWithSeparator(std::string_view path)
{
    return !path.empty() && lastSeparator(path) == path.size() - 1;
}

// The folder that holds a full path's folder; a root's is itself.
std::string parentOf(const std::string& path)
{
    if (path.size() == 3 || WindowsPathSyntax::splitDrive(path).rest.empty()) {
        return path;
    }
    std::string parent = path.substr(0, lastSeparator(path));
    return parent.size() == 2 ? parent + "\\" : parent;
}

// "C:\..." or "\\server\share...", with no empty, "." or ".." part and no
// final separator but for a drive's root.
bool isFullPath(const std::string& path)
{
    std::size_t partsFrom = 0;
    if (path.size() >= 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
        path[1] == ':' && path[2] == '\\') {
        if (path.size() == 3) {
            return true;
        }
        partsFrom = 3;
    } else if (path.starts_with("\\\\")) {
        partsFrom = 2;
    } else {
        return false;
    }
    std::vector<std::string> parts;
    std::string part;
    for (std::size_t i = partsFrom; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\') {
            parts.push_back(part);
            part.clear();
        } else {
            part += path[i];
            if (isLeadByte(path[i]) && i + 1 < path.size()) {
                part += path[++i];
            }
        }
    }
    const std::size_t least = partsFrom == 2 ? 2 : 1; // a share root has a server and a share
    return parts.size() >= least && std::none_of(parts.begin(), parts.end(), [](const std::string& p) {
               return p.empty() || p == "." || p == "..";
           });
}

// The model, made before the lists that start in its working folder.
struct Model
{
    Model() { makeModel(m_files); }
    MemoryFileSystem m_files{WindowsPathSyntax::shiftJisLeadBytes()};
};

class Session : private Model
{
public:
    Session()
        : m_folders(m_syntax, m_files, m_files.workingFolder())
        , m_lists{FolderList(m_folders, m_files, m_order), FolderList(m_folders, m_files, m_order)}
    {
        m_lists[0].Open();
        m_lists[1].Open();
        checkRead(1);
    }

    void run(std::string_view command)
    {
        if (command.size() < 2) {
            return;
        }
        const char op = command[0];
        if (op == 'x') {
            toggle(static_cast<unsigned char>(command[1]) % removables.size());
            return;
        }
        const char listDigit = op == '1' || op == '2' ? op : command[1];
        if (listDigit != '1' && listDigit != '2') {
            return;
        }
        const std::size_t k = listDigit == '1' ? 0 : 1;
        const FolderList& other = m_lists[1 - k];
        const std::string otherDirectory = other.Directory();
        const NameList otherItems = other.Items();
        switch (op) {
        case '1':
        case '2':
            press(k, command.substr(1));
            break;
        case 'r':
            reRead(k);
            break;
        case 'p':
            pressShownPath(k);
            break;
        case 'd':
            pressChild(k);
            break;
        case 'u':
            pressParent(k);
            break;
        case 'c':
            m_capacity[k] = command.size() > 2 && command[2] >= '0' && command[2] <= '9'
                                ? static_cast<std::size_t>(command[2] - '0')
                                : FolderList::DefaultCapacity;
            m_lists[k].SetCapacity(m_capacity[k]);
            break;
        default:
            break;
        }
        // What is done to one list leaves the other as it was.
        FUZZ_REQUIRE(other.Directory() == otherDirectory);
        FUZZ_REQUIRE(other.Items() == otherItems);
    }

private:
    void press(std::size_t k, std::string_view text)
    {
        FolderList& list = m_lists[k];
        const std::string directory = list.Directory();
        const NameList items = list.Items();
        const std::string_view part = m_syntax.folderPart(text);
        const bool stays = part.empty() || m_syntax.sameFolder(m_syntax.target(part, m_folders), directory);
        const std::size_t before = m_files.listCount();
        const bool full = showFolderOfPath(list, text);
        if (stays) {
            FUZZ_REQUIRE(m_files.listCount() == before);
            FUZZ_REQUIRE(list.Directory() == directory);
            FUZZ_REQUIRE(list.Items() == items);
            FUZZ_REQUIRE(!full);
            return;
        }
        FUZZ_REQUIRE(m_files.listCount() == before + 1);
        checkRead(k, full);
    }

    void reRead(std::size_t k)
    {
        bool full = false;
        try {
            m_lists[k].ReadFolder();
        } catch (const ListInsertError&) {
            full = true;
        }
        checkRead(k, full);
    }

    // "取得" with the folder shown, as a user copies it from the path: never a re-read.
    void pressShownPath(std::size_t k)
    {
        FolderList& list = m_lists[k];
        const std::string directory = list.Directory();
        // A share root is reported without its separator but typed with it, so the two never match.
        if (WindowsPathSyntax::splitDrive(directory).rest.empty()) {
            return;
        }
        const std::string text = directory + (endsWithSeparator(directory) ? "" : "\\") + "x.txt";
        const std::size_t before = m_files.listCount();
        const NameList items = list.Items();
        FUZZ_REQUIRE(!showFolderOfPath(list, text));
        FUZZ_REQUIRE(m_files.listCount() == before);
        FUZZ_REQUIRE(list.Directory() == directory);
        FUZZ_REQUIRE(list.Items() == items);
    }

    // A relative name is taken on the drive of the folder entered last; from
    // the list's own folder when that is on the same drive.
    bool takesRelativeNamesFromItsOwnFolder(const std::string& directory)
    {
        std::string fullPath;
        return !m_files.resolveFolder(directory, fullPath) &&
               m_syntax.driveKey(directory) == m_syntax.driveKey(m_folders.current());
    }

    // "取得" with a relative name: the folder of that name in the list's own folder.
    void pressChild(std::size_t k)
    {
        FolderList& list = m_lists[k];
        const std::string directory = list.Directory();
        std::string fullPath;
        if (!takesRelativeNamesFromItsOwnFolder(directory)) {
            return;
        }
        std::string child;
        (void)m_files.listFolder(directory, [&](const FolderEntry& entry) {
            if (entry.has(FolderEntry::Directory)) {
                child = entry.name;
            }
            return child.empty();
        });
        const std::string inside = directory + (endsWithSeparator(directory) ? "" : "\\") + child;
        if (child.empty() || m_files.resolveFolder(inside, fullPath)) {
            return;
        }
        const bool full = showFolderOfPath(list, child + "\\");
        FUZZ_REQUIRE(list.Directory() == inside);
        checkRead(k, full);
    }

    void pressParent(std::size_t k)
    {
        FolderList& list = m_lists[k];
        const std::string directory = list.Directory();
        if (!takesRelativeNamesFromItsOwnFolder(directory)) {
            return;
        }
        const bool full = showFolderOfPath(list, "..\\");
        FUZZ_REQUIRE(list.Directory() == parentOf(directory));
        checkRead(k, full);
    }

    void toggle(std::size_t which)
    {
        const Removable& r = removables[which];
        if (m_removed[which]) {
            addRemovable(m_files, r);
        } else {
            m_files.removeFolder(r.folder);
        }
        m_removed[which] = !m_removed[which];
    }

    // Whether the list refused a name.
    static bool showFolderOfPath(FolderList& list, std::string_view text)
    {
        try {
            list.ShowFolderOfPath(text);
            return false;
        } catch (const ListInsertError&) {
            return true;
        }
    }

    // After list k was read; `full` when it refused a name.
    void checkRead(std::size_t k, bool full = false)
    {
        const FolderList& list = m_lists[k];
        const std::string& directory = list.Directory();
        FUZZ_REQUIRE(m_files.listed().back() == directory);
        FUZZ_REQUIRE(m_folders.current() == directory);
        FUZZ_REQUIRE(isFullPath(directory));
        NameList inOrder = list.Items();
        m_order.sort(inOrder);
        FUZZ_REQUIRE(list.Items() == inOrder);
        std::string fullPath;
        const bool exists = !m_files.resolveFolder(directory, fullPath);
        const bool anyRemoved = std::find(m_removed.begin(), m_removed.end(), true) != m_removed.end();
        FUZZ_REQUIRE(exists || anyRemoved);
        NameList expected;
        if (exists) {
            FUZZ_REQUIRE(fullPath == directory);
            (void)m_files.listFolder(directory, [&](const FolderEntry& entry) {
                if ((entry.attributes & NotListed) == 0) {
                    expected.push_back(entry.name);
                }
                return true;
            });
            m_order.sort(expected);
        }
        if (expected.size() > m_capacity[k]) {
            FUZZ_REQUIRE(full);
            FUZZ_REQUIRE(list.Count() == m_capacity[k]);
            for (const std::string_view name : list.Items()) {
                FUZZ_REQUIRE(std::find(expected.begin(), expected.end(), name) != expected.end());
            }
        } else {
            FUZZ_REQUIRE(!full);
            FUZZ_REQUIRE(list.Items() == expected);
        }
    }

    WindowsPathSyntax m_syntax{WindowsPathSyntax::shiftJisLeadBytes()};
    AsciiNameOrder m_order;
    CurrentFolders m_folders;
    std::array<FolderList, 2> m_lists;
    std::array<std::size_t, 2> m_capacity{FolderList::DefaultCapacity, FolderList::DefaultCapacity};
    std::array<bool, removables.size()> m_removed{};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Session session;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    for (int commands = 0; commands < 64 && !input.empty(); ++commands) {
        const fuzz::Split split = fuzz::splitAtNewline(input);
        session.run(split.found ? split.head : split.rest);
        input = split.found ? split.rest : std::string_view{};
    }
    return 0;
}
