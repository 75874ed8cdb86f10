#include "WindowsPathSyntax.h"

#include "AsciiCase.h"
#include "CurrentFolders.h"

#include <utility>

namespace tombreli {

namespace {

bool isSeparator(char c)
{
    return c == '\\' || c == ':';
}

std::string withoutLastCharacter(std::string_view text)
{
    return std::string(text.substr(0, text.size() - 1));
}

} // namespace

WindowsPathSyntax::LeadBytes WindowsPathSyntax::shiftJisLeadBytes()
{
    LeadBytes lead;
    for (unsigned b = 0x81; b <= 0x9F; ++b) {
        lead.set(b);
    }
    for (unsigned b = 0xE0; b <= 0xFC; ++b) {
        lead.set(b);
    }
    return lead;
}

WindowsPathSyntax::WindowsPathSyntax(LeadBytes leadBytes, LowerCase lowerCase)
    : m_leadBytes(leadBytes)
    // A double-byte system folds the letters A to Z alone.
    , m_lowerCase(leadBytes.none() ? std::move(lowerCase) : LowerCase())
{
}

std::string_view WindowsPathSyntax::folderPart(std::string_view text) const
{
    std::size_t end = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isLeadByte(text[i]) && i + 1 < text.size()) {
            ++i; // the second byte of a double-byte character
        } else if (isSeparator(text[i])) {
            end = i + 1;
        }
    }
    return text.substr(0, end);
}

WindowsPathSyntax::DriveAndRest WindowsPathSyntax::splitDrive(std::string_view path)
{
    if (path.size() >= 2 && path[1] == ':') {
        return {path.substr(0, 2), path.substr(2)};
    }
    if (path.starts_with("\\\\")) {
        // The share root runs to the separator after the share name.
        const std::size_t serverEnd = path.find('\\', 2);
        const std::size_t shareEnd =
            serverEnd == std::string_view::npos ? serverEnd : path.find('\\', serverEnd + 1);
        if (shareEnd == std::string_view::npos) {
            return {path, {}};
        }
        return {path.substr(0, shareEnd), path.substr(shareEnd)};
    }
    return {{}, path};
}

std::string WindowsPathSyntax::target(std::string_view folderPart, const CurrentFolders& folders) const
{
    auto [drive, rest] = splitDrive(folderPart);
    if (drive.empty()) {
        drive = splitDrive(folders.current()).drive;
        // A share root followed directly by a relative rest would spell another
        // share ("\\server\share" + "sub" is "\\server\sharesub"); keep the rest
        // relative instead, so that it is taken against the list's own folder.
        if (drive.starts_with("\\\\") && !rest.starts_with('\\')) {
            return withoutLastCharacter(rest);
        }
    }
    std::string result(drive);
    if (rest.size() == 1) {
        result += '\\';
    } else if (rest.size() > 1) {
        result += withoutLastCharacter(rest);
    } else {
        // A drive alone names the folder last entered on it.
        const std::string onDrive = folders.folderOnDrive(drive);
        const std::string_view onDriveRest = splitDrive(onDrive).rest;
        result += onDriveRest.empty() ? std::string_view("\\") : onDriveRest;
    }
    return result;
}

bool WindowsPathSyntax::sameFolder(std::string_view target, std::string_view directory) const
{
    // The folded texts must then be the same bytes. A locale's comparison would
    // also take a composed and a decomposed accent for one text, yet the file
    // system keeps two such folders apart, and the list would go on showing
    // the other one.
    if (m_lowerCase) {
        return m_lowerCase(target) == m_lowerCase(directory);
    }
    return foldCase(target) == foldCase(directory);
}

std::string WindowsPathSyntax::absolute(std::string_view path, const CurrentFolders& folders) const
{
    auto [drive, rest] = splitDrive(path);
    std::string driveText(drive.empty() ? splitDrive(folders.current()).drive : drive);
    // A share root is absolute by itself: "\\server\share" names the root of the
    // share, not the folder last entered on it.
    if (rest.starts_with('\\') || drive.starts_with("\\\\")) {
        return driveText + std::string(rest);
    }
    std::string result = folders.folderOnDrive(driveText);
    if (!rest.empty()) {
        if (!endsWithBackslash(result)) {
            result += '\\';
        }
        result += rest;
    }
    return result;
}

bool WindowsPathSyntax::endsWithBackslash(std::string_view text) const
{
    // C:\data\ソ ends in the byte of "\", but in no separator.
    bool backslash = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        backslash = text[i] == '\\';
        if (isLeadByte(text[i]) && i + 1 < text.size()) {
            ++i;
        }
    }
    return backslash;
}

std::string WindowsPathSyntax::driveKey(std::string_view fullPath) const
{
    return foldCase(splitDrive(fullPath).drive);
}

std::string WindowsPathSyntax::driveRoot(std::string_view drive) const
{
    return std::string(drive) + '\\';
}

std::string WindowsPathSyntax::foldCase(std::string_view text) const
{
    std::string folded(text);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        if (isLeadByte(folded[i]) && i + 1 < folded.size()) {
            ++i;
        } else {
            folded[i] = LowerAscii(folded[i]);
        }
    }
    return folded;
}

} // namespace tombreli
