#include "MemoryFileSystem.h"

#include <algorithm>
#include <stdexcept>

namespace tombreli::test {

struct MemoryFileSystem::Node
{
    std::string name; // as made
    std::uint8_t attributes = 0;
    Access access = Access::Full;
    std::vector<std::unique_ptr<Node>> children; // in the order made, which is the listing order

    bool isFolder() const { return (attributes & FolderEntry::Directory) != 0; }
};

namespace {

bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::error_code failure(std::errc e)
{
    return std::make_error_code(e);
}

} // namespace

MemoryFileSystem::MemoryFileSystem(WindowsPathSyntax::LeadBytes leadBytes)
    : m_leadBytes(leadBytes)
{
}

MemoryFileSystem::~MemoryFileSystem() = default;

std::string MemoryFileSystem::fold(std::string_view text) const
{
    // Names are found as the path rules compare folders.
    return WindowsPathSyntax(m_leadBytes).foldCase(text);
}

// Splits at "\", a run of them counting as one, never inside a double-byte character.
std::vector<std::string> MemoryFileSystem::split(std::string_view text) const
{
    std::vector<std::string> parts;
    std::string part;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\') {
            if (!part.empty()) {
                parts.push_back(std::move(part));
                part.clear();
            }
            continue;
        }
        part += text[i];
        if (isLeadByte(text[i]) && i + 1 < text.size()) {
            part += text[++i];
        }
    }
    if (!part.empty()) {
        parts.push_back(std::move(part));
    }
    return parts;
}

std::error_code MemoryFileSystem::parse(std::string_view text, Path& path) const
{
    std::vector<std::string> parts;
    if (text.size() >= 2 && isAsciiLetter(text[0]) && text[1] == ':') {
        // "C:" alone or "C:sub" is relative to the drive's current folder,
        // which the caller was to resolve.
        if (text.size() == 2 || text[2] != '\\') {
            return failure(std::errc::invalid_argument);
        }
        path.root = std::string(text.substr(0, 2));
        parts = split(text.substr(2));
    } else if (text.starts_with("\\\\")) {
        parts = split(text.substr(2));
        if (parts.size() < 2) {
            return failure(std::errc::invalid_argument);
        }
        path.root = "\\\\" + parts[0] + "\\" + parts[1];
        parts.erase(parts.begin(), parts.begin() + 2);
    } else {
        return failure(std::errc::invalid_argument);
    }
    // Windows resolves "." and ".." by the text alone, before looking at the
    // disk; ".." stops at the root.
    path.parts.clear();
    for (std::string& part : parts) {
        if (part == "..") {
            if (!path.parts.empty()) {
                path.parts.pop_back();
            }
        } else if (part != ".") {
            path.parts.push_back(std::move(part));
        }
    }
    return {};
}

MemoryFileSystem::Path MemoryFileSystem::parseOrThrow(std::string_view text) const
{
    Path path;
    if (parse(text, path)) {
        throw std::logic_error("not an absolute Windows path: " + std::string(text));
    }
    return path;
}

std::error_code MemoryFileSystem::find(const Path& path, Node*& node) const
{
    const auto root = m_roots.find(fold(path.root));
    if (root == m_roots.end()) {
        return failure(std::errc::no_such_file_or_directory);
    }
    node = root->second.get();
    for (const std::string& part : path.parts) {
        if (!node->isFolder()) {
            return failure(std::errc::not_a_directory);
        }
        const std::string key = fold(part);
        const auto child = std::find_if(node->children.begin(), node->children.end(),
                                        [&](const auto& c) { return fold(c->name) == key; });
        if (child == node->children.end()) {
            return failure(std::errc::no_such_file_or_directory);
        }
        node = child->get();
    }
    return {};
}

MemoryFileSystem::Node& MemoryFileSystem::folderOrThrow(std::string_view path) const
{
    Node* node = nullptr;
    if (find(parseOrThrow(path), node) || !node->isFolder()) {
        throw std::logic_error("no such folder: " + std::string(path));
    }
    return *node;
}

void MemoryFileSystem::addFolder(std::string_view text, std::uint8_t attributes)
{
    const Path path = parseOrThrow(text);
    std::unique_ptr<Node>& root = m_roots[fold(path.root)];
    if (!root) {
        root = std::make_unique<Node>();
        root->name = path.root;
        root->attributes = FolderEntry::Directory;
    }
    Node* node = root.get();
    for (const std::string& part : path.parts) {
        const std::string key = fold(part);
        const auto child = std::find_if(node->children.begin(), node->children.end(),
                                        [&](const auto& c) { return fold(c->name) == key; });
        if (child == node->children.end()) {
            auto made = std::make_unique<Node>();
            made->name = part;
            made->attributes = FolderEntry::Directory;
            node = node->children.emplace_back(std::move(made)).get();
        } else if (!(*child)->isFolder()) {
            throw std::logic_error("a file is in the way: " + std::string(text));
        } else {
            node = child->get();
        }
    }
    node->attributes = static_cast<std::uint8_t>(node->attributes | attributes);
}

void MemoryFileSystem::addFile(std::string_view text, std::uint8_t attributes)
{
    if ((attributes & FolderEntry::Directory) != 0) {
        throw std::logic_error("a file with the folder attribute; use addFolder: " + std::string(text));
    }
    Path path = parseOrThrow(text);
    if (path.parts.empty()) {
        throw std::logic_error("a file needs a name: " + std::string(text));
    }
    const std::string name = std::move(path.parts.back());
    path.parts.pop_back();
    std::string parent = path.root;
    for (const std::string& part : path.parts) {
        parent += "\\" + part;
    }
    if (path.parts.empty()) {
        parent += "\\";
    }
    addFolder(parent);
    Node& folder = folderOrThrow(parent);
    const std::string key = fold(name);
    if (std::any_of(folder.children.begin(), folder.children.end(),
                    [&](const auto& c) { return fold(c->name) == key; })) {
        throw std::logic_error("made twice: " + std::string(text));
    }
    auto file = std::make_unique<Node>();
    file->name = name;
    file->attributes = attributes;
    folder.children.push_back(std::move(file));
}

void MemoryFileSystem::remove(std::string_view text, bool folder)
{
    Path path = parseOrThrow(text);
    Node* node = nullptr;
    if (find(path, node) || node->isFolder() != folder) {
        throw std::logic_error("nothing of that kind to remove: " + std::string(text));
    }
    if (path.parts.empty()) {
        m_roots.erase(fold(path.root));
        return;
    }
    path.parts.pop_back();
    Node* parent = nullptr;
    (void)find(path, parent);
    std::erase_if(parent->children, [&](const auto& c) { return c.get() == node; });
}

void MemoryFileSystem::removeFolder(std::string_view path)
{
    remove(path, true);
}

void MemoryFileSystem::removeFile(std::string_view path)
{
    remove(path, false);
}

void MemoryFileSystem::setAccess(std::string_view folder, Access access)
{
    folderOrThrow(folder).access = access;
}

void MemoryFileSystem::setWorkingFolder(std::string_view folder)
{
    std::string fullPath;
    if (resolveFolder(folder, fullPath)) {
        throw std::logic_error("cannot work in " + std::string(folder));
    }
    m_workingFolder = std::move(fullPath);
}

std::error_code MemoryFileSystem::findFolder(std::string_view text, Path& path, Node*& node) const
{
    if (const std::error_code error = parse(text, path)) {
        return error;
    }
    if (const std::error_code error = find(path, node)) {
        return error;
    }
    return node->isFolder() ? std::error_code() : failure(std::errc::not_a_directory);
}

std::error_code MemoryFileSystem::resolveFolder(std::string_view absolutePath, std::string& fullPath)
{
    Path path;
    Node* node = nullptr;
    if (const std::error_code error = findFolder(absolutePath, path, node)) {
        return error;
    }
    if (node->access == Access::Refused) {
        return failure(std::errc::permission_denied);
    }
    // As Windows reports a current folder: the typed case, a separator after a
    // drive letter's root only.
    fullPath = path.root;
    for (const std::string& part : path.parts) {
        fullPath += "\\" + part;
    }
    if (path.parts.empty() && !path.root.starts_with("\\\\")) {
        fullPath += "\\";
    }
    return {};
}

std::error_code MemoryFileSystem::listFolder(std::string_view fullPath,
                                             const std::function<bool(const FolderEntry&)>& take)
{
    m_listed.emplace_back(fullPath);
    Path path;
    Node* node = nullptr;
    if (const std::error_code error = findFolder(fullPath, path, node)) {
        return error;
    }
    if (node->access != Access::Full) {
        return failure(std::errc::permission_denied);
    }
    for (const auto& child : node->children) {
        if (!take(FolderEntry{child->name, child->attributes})) {
            break;
        }
    }
    return {};
}

} // namespace tombreli::test
