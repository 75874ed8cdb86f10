#pragma once

#include "PathSyntax.h"

#include <bitset>
#include <functional>
#include <string>
#include <string_view>

namespace tombreli {

// Paths as Windows writes them: "\" and ":" separate, a path may begin with a
// drive letter ("C:") or a network share root ("\\server\share"), and a path
// without a drive lies on the drive of the current folder. In a double-byte
// narrow character set the second byte of a character never counts as a
// separator or as a letter, even where its value is "\" or "A".
class WindowsPathSyntax final : public PathSyntax
{
public:
    using LeadBytes = std::bitset<256>;

    // The lead bytes of Shift-JIS (code page 932).
    static LeadBytes shiftJisLeadBytes();

    // The host's own lower-casing of a whole text.
    using LowerCase = std::function<std::string(std::string_view)>;

    // `leadBytes`: the bytes that begin a double-byte character; none for a
    // single-byte character set or UTF-8. `lowerCase`: how sameFolder folds
    // letter case on a system whose character set is not double-byte; without
    // it, or with lead bytes, only the letters A to Z are folded.
    explicit WindowsPathSyntax(LeadBytes leadBytes = {}, LowerCase lowerCase = {});

    std::string_view folderPart(std::string_view text) const override;
    std::string target(std::string_view folderPart, const CurrentFolders& folders) const override;
    bool sameFolder(std::string_view target, std::string_view directory) const override;
    std::string absolute(std::string_view path, const CurrentFolders& folders) const override;
    std::string driveKey(std::string_view fullPath) const override;
    std::string driveRoot(std::string_view drive) const override;

    struct DriveAndRest
    {
        std::string_view drive; // "C:", "\\server\share", or empty when none is written
        std::string_view rest;
    };
    // Splits a path at the end of its drive, byte by byte.
    static DriveAndRest splitDrive(std::string_view path);

    // A copy with the letters A to Z in lower case, double-byte characters left whole.
    std::string foldCase(std::string_view text) const;

private:
    bool isLeadByte(char c) const { return m_leadBytes[static_cast<unsigned char>(c)]; }
    // Whether the last character is "\", not the second byte of a double-byte one.
    bool endsWithBackslash(std::string_view text) const;

    LeadBytes m_leadBytes;
    LowerCase m_lowerCase;
};

} // namespace tombreli
