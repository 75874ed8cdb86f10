#include "FolderList.h"

#include "CurrentFolders.h"
#include "FileServices.h"
#include "NameMask.h"
#include "NameOrder.h"
#include "PathSyntax.h"

#include <new>

namespace tombreli {

namespace {

constexpr std::size_t BusyFromName = 101;

constexpr std::uint8_t NotListed =
    FolderEntry::Directory | FolderEntry::Hidden | FolderEntry::System | FolderEntry::VolumeLabel;

// Tells a handler `true` when started and `false` when it goes, however the read ends.
class Signal
{
public:
    explicit Signal(const std::function<void(bool)>& handler)
        : m_handler(handler)
    {
    }
    ~Signal()
    {
        if (m_started) {
            m_handler(false);
        }
    }
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    void start()
    {
        if (m_handler && !m_started) {
            m_started = true;
            m_handler(true);
        }
    }

private:
    const std::function<void(bool)>& m_handler;
    bool m_started = false;
};

} // namespace

ListInsertError::ListInsertError()
    : std::runtime_error("行を挿入できません")
{
}

FolderList::FolderList(CurrentFolders& folders, FileServices& files, const NameOrder& order)
    : m_folders(folders)
    , m_files(files)
    , m_order(order)
    , m_directory(folders.current())
{
}

std::error_code FolderList::Open()
{
    m_open = true;
    return ReadFolder();
}

std::error_code FolderList::ReadFolder()
{
    if (!m_open) {
        return {};
    }
    // Emptied before anything can fail, so that the list never shows the names
    // of one folder under the path of another.
    Signal changing(m_itemsHandler);
    changing.start();
    m_items = NameList();

    Signal busy(m_busyHandler);
    NameList names;
    bool full = false;
    std::error_code error;
    try {
        error = m_folders.enter(m_directory);
        if (error) {
            m_directory = m_folders.current();
        }
        const std::error_code listError = m_files.listFolder(m_directory, [&](const FolderEntry& entry) {
            if ((entry.attributes & NotListed) != 0 || !MatchesMask(entry.name, m_mask)) {
                return true;
            }
            if (names.size() >= m_capacity) {
                full = true;
                return false;
            }
            names.push_back(entry.name);
            if (names.size() == BusyFromName) {
                busy.start();
            }
            return true;
        });
        if (listError && !full) {
            names.clear();
            error = listError;
        }
        m_order.sort(names);
    } catch (const std::bad_alloc&) {
        // What was read cannot be kept, nor kept in order, without the memory that ran out.
        throw ListInsertError();
    }
    m_items = std::move(names);
    if (full) {
        throw ListInsertError();
    }
    return error;
}

void FolderList::ShowFolderOfPath(std::string_view text)
{
    const PathSyntax& syntax = m_folders.syntax();
    const std::string_view folderPart = syntax.folderPart(text);
    if (folderPart.empty()) {
        return;
    }
    const std::string target = syntax.target(folderPart, m_folders);
    if (syntax.sameFolder(target, m_directory)) {
        return;
    }
    // A relative target is taken against this list's own folder, when it still exists.
    (void)m_folders.enter(m_directory);
    (void)m_folders.enter(target);
    m_directory = m_folders.current();
    ReadFolder();
}

} // namespace tombreli
