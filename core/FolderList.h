#pragma once

#include "NameList.h"

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace tombreli {

class CurrentFolders;
class FileServices;
class NameOrder;

// Raised when a list refuses another name: it is full, or memory ran out.
class ListInsertError : public std::runtime_error
{
public:
    ListInsertError();
};

// The kinds of entry a list can show; this program lists ordinary files only.
enum class FileKind : unsigned
{
    Normal = 1,
};

// One folder pane's list: the ordinary files of one folder, by name, in the
// locale's case-ignoring order. Hidden, system and volume-label entries and
// folders are never listed. Both lists of the window share one CurrentFolders,
// and reading a list leaves its Directory current there.
class FolderList
{
public:
    // The most names a list view can hold.
    static constexpr std::size_t DefaultCapacity = 2147483647;

    // Directory starts as the folder current now; Items start empty.
    FolderList(CurrentFolders& folders, FileServices& files, const NameOrder& order);

    const std::string& Directory() const { return m_directory; }
    const std::string& Mask() const { return m_mask; }
    FileKind FileType() const { return FileKind::Normal; }
    const NameList& Items() const { return m_items; }
    std::size_t Count() const { return m_items.size(); }
    std::string_view Item(std::size_t i) const { return m_items.at(i); }

    // The list's view now exists: reads the folder for the first time, as
    // ReadFolder does. Until then ReadFolder does nothing.
    std::error_code Open();

    // Re-reads Items from Directory. A Directory that can no longer be entered
    // gives way to the current folder, which is then read, so that Directory
    // always names what the list shows; a folder that cannot be read leaves
    // the list empty. Both are silent for the window; the error is returned for
    // callers that report it. Throws ListInsertError when the capacity is
    // exceeded, with Items holding what was read so far, and when memory runs
    // out, with Items empty.
    std::error_code ReadFolder();

    // Moves the list to the folder that a typed path names (its folder part)
    // and re-reads it; nothing happens when the text has no folder part or
    // names the folder already shown. A folder that cannot be entered leaves
    // the list where it was (re-read), without a word. Memory that runs out
    // before the read throws std::bad_alloc with the list as it was; during
    // the read, as ReadFolder does.
    void ShowFolderOfPath(std::string_view text);

    // The most names the list accepts (tests set a small one).
    void SetCapacity(std::size_t capacity) { m_capacity = capacity; }

    // Told `true` when a read has taken its 101st name, so that a busy pointer
    // can appear, and `false` when that read has ended, also by an error.
    void SetBusyHandler(std::function<void(bool busy)> handler) { m_busyHandler = std::move(handler); }

    // Told `true` just before a read empties Items, and `false` once Items hold
    // what was read, also when the read ends in an error, so that a view can
    // drop and take up the names. A text that moves the list nowhere tells nothing.
    void SetItemsHandler(std::function<void(bool changing)> handler) { m_itemsHandler = std::move(handler); }

private:
    CurrentFolders& m_folders;
    FileServices& m_files;
    const NameOrder& m_order;
    std::string m_directory;
    std::string m_mask = "*.*";
    NameList m_items;
    std::size_t m_capacity = DefaultCapacity;
    std::function<void(bool)> m_busyHandler;
    std::function<void(bool)> m_itemsHandler;
    bool m_open = false;
};

} // namespace tombreli
