// The path-text rules of both syntaxes, on any text and any current folder.
// Input: one byte choosing the syntax (POSIX, Windows, Windows with Shift-JIS
// lead bytes), then the current folder up to a line break, then the typed text.

#include "CurrentFolders.h"
#include "FileServices.h"
#include "FuzzCheck.h"
#include "PosixPathSyntax.h"
#include "WindowsPathSyntax.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace tombreli;

// Every path is a folder, named as given: only the text rules are tried here.
class AnyFolder final : public FileServices
{
public:
    std::string workingFolder() override { return "/"; }
    std::error_code resolveFolder(std::string_view path, std::string& fullPath) override
    {
        fullPath.assign(path);
        return {};
    }
    std::error_code listFolder(std::string_view, const std::function<bool(const FolderEntry&)>&) override
    {
        return {};
    }
    std::string programPath() override { return {}; }
};

// Where each character of `text` begins; a lead byte and the byte after it are one character.
std::vector<bool> characterStarts(std::string_view text, const WindowsPathSyntax::LeadBytes& lead)
{
    std::vector<bool> starts(text.size() + 1, false);
    std::size_t i = 0;
    while (i < text.size()) {
        starts[i] = true;
        i += lead[static_cast<unsigned char>(text[i])] && i + 1 < text.size() ? 2 : 1;
    }
    starts[text.size()] = true;
    return starts;
}

bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char otherCase(char c)
{
    return static_cast<char>(c ^ 0x20);
}

void checkFolderPart(const PathSyntax& syntax, bool windows, const WindowsPathSyntax::LeadBytes& lead,
                     std::string_view text)
{
    const std::string_view part = syntax.folderPart(text);
    FUZZ_REQUIRE(part.size() <= text.size());
    FUZZ_REQUIRE(text.substr(0, part.size()) == part);
    const auto isSeparator = [&](char c) {
        return windows ? c == '\\' || c == ':' : c == '/';
    };
    FUZZ_REQUIRE(part.empty() || isSeparator(part.back()));
    const std::vector<bool> starts = characterStarts(text, lead);
    FUZZ_REQUIRE(starts[part.size()]); // never inside a double-byte character
    for (std::size_t i = part.size(); i < text.size(); ++i) {
        FUZZ_REQUIRE(!(starts[i] && isSeparator(text[i]))); // the last separator ends it
    }
    FUZZ_REQUIRE(syntax.folderPart(part) == part);
    const std::string named = std::string(part) + "name.txt";
    FUZZ_REQUIRE(syntax.folderPart(named) == part);
}

void checkTarget(const PathSyntax& syntax, bool windows, const WindowsPathSyntax::LeadBytes& lead,
                 std::string_view part, CurrentFolders& folders)
{
    const std::string target = syntax.target(part, folders);
    const std::string current = folders.current();
    FUZZ_REQUIRE(syntax.sameFolder(target, target));
    FUZZ_REQUIRE(syntax.sameFolder(target, current) == syntax.sameFolder(current, target));
    if (!windows) {
        FUZZ_REQUIRE(syntax.sameFolder(target, current) == (target == current));
        const std::string absolute = syntax.absolute(target, folders);
        FUZZ_REQUIRE(absolute.starts_with('/'));
        FUZZ_REQUIRE(!target.starts_with('/') || absolute == target);
    } else {
        // A drive written in the text is kept as written.
        if (part.size() >= 2 && part[1] == ':') {
            FUZZ_REQUIRE(target.starts_with(part.substr(0, 2)));
        }
        // Letters A to Z are the same in either case; the second byte of a
        // double-byte character is no letter, so changing it names another folder.
        const std::vector<bool> starts = characterStarts(target, lead);
        std::string otherLetters = target;
        for (std::size_t i = 0; i < target.size(); ++i) {
            if (isAsciiLetter(target[i])) {
                if (starts[i]) {
                    otherLetters[i] = otherCase(target[i]);
                } else {
                    std::string changed = target;
                    changed[i] = otherCase(target[i]);
                    FUZZ_REQUIRE(!syntax.sameFolder(target, changed));
                }
            }
        }
        FUZZ_REQUIRE(syntax.sameFolder(target, otherLetters));
        FUZZ_REQUIRE(syntax.sameFolder(otherLetters, target));
        (void)syntax.absolute(target, folders);
    }
    (void)syntax.driveKey(target);
    // Entering it (every path is a folder here) makes it the current folder of its drive.
    FUZZ_REQUIRE(!folders.enter(target));
    FUZZ_REQUIRE(folders.folderOnDrive(syntax.driveKey(folders.current())) == folders.current());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const int kind = data[0] % 3;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    const fuzz::Split split = fuzz::splitAtNewline(input);
    const bool windows = kind != 0;
    const WindowsPathSyntax::LeadBytes lead =
        kind == 2 ? WindowsPathSyntax::shiftJisLeadBytes() : WindowsPathSyntax::LeadBytes{};
    const PosixPathSyntax posix;
    const WindowsPathSyntax windowsSyntax(lead);
    const PathSyntax& syntax = windows ? static_cast<const PathSyntax&>(windowsSyntax) : posix;

    AnyFolder files;
    std::string start(split.found ? split.head : std::string_view(windows ? "C:\\temp" : "/tmp"));
    if (!windows && !start.starts_with('/')) {
        start.insert(0, 1, '/'); // a POSIX current folder is always a full path
    }
    CurrentFolders folders(syntax, files, start);
    checkFolderPart(syntax, windows, lead, split.rest);
    const std::string_view part = syntax.folderPart(split.rest);
    if (!part.empty()) {
        checkTarget(syntax, windows, lead, part, folders);
    }
    return 0;
}
