#pragma once

#include "NameList.h"
#include "TempFolder.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tombreli::test {

// File names that are hard to show, copy or compare, each made in the first
// folder, the second or both. Names that a careless program would take for
// one another are put on different sides, so that merging them shows as a
// name in the wrong group.
struct HostileName
{
    enum Where
    {
        OnlyInOne,
        InBoth,
        OnlyInTwo,
    };
    std::string name;
    Where where;
};

inline std::vector<HostileName> hostileNames()
{
    using W = HostileName;
    const std::string longAscii(255, 'a');
    std::string longJapanese; // 85 times あ: 255 bytes
    for (int i = 0; i < 85; ++i) {
        longJapanese += "\xE3\x81\x82";
    }
    return {
        // Not UTF-8: PNG's signature, Latin-1, Shift-JIS (whose 表 ends in "\"), a cut sequence.
        {"\x89PNG", W::InBoth},
        {"caf\xE9", W::OnlyInOne},
        {"\x95\\", W::OnlyInTwo},
        {"\xE3\x81", W::InBoth},
        {"\xFF\xFE", W::OnlyInOne},
        // Control characters and line breaks, which would split a line or steer a terminal.
        {"new\nline", W::InBoth},
        {"new", W::OnlyInOne},
        {"line", W::OnlyInTwo},
        {"tab\there", W::OnlyInOne},
        {"cr\r", W::OnlyInTwo},
        {"\x1B[31mred", W::InBoth},
        {"bell\x07", W::OnlyInOne},
        // As long as a name may be, and two that differ only in their last byte.
        {longAscii, W::InBoth},
        {longAscii.substr(0, 254) + "b", W::OnlyInOne},
        {longJapanese, W::OnlyInTwo},
        // Spaces that no one sees.
        {" lead", W::OnlyInOne},
        {"lead", W::OnlyInTwo},
        {"trail ", W::OnlyInOne},
        {"trail  ", W::OnlyInTwo},
        {"trail", W::InBoth},
        {"two  spaces", W::OnlyInOne},
        {"two spaces", W::OnlyInTwo},
        // Letter case.
        {"Readme.txt", W::InBoth},
        {"README.TXT", W::OnlyInOne},
        {"readme.txt", W::OnlyInTwo},
        // The same text composed (NFC) and decomposed (NFD), as macOS writes it.
        {"caf\xC3\xA9", W::OnlyInOne},
        {"cafe\xCC\x81", W::OnlyInTwo},
        {"\xE3\x82\xAC\xE3\x82\xA4\xE3\x83\x89.pdf", W::OnlyInOne}, // ガイド.pdf
        {"\xE3\x82\xAB\xE3\x82\x99\xE3\x82\xA4\xE3\x83\x88\xE3\x82\x99.pdf",
         W::OnlyInTwo}, // the same, decomposed
        // Characters that pass for others, and text that looks like an escape or markup.
        {"p\xD0\xB0ypal", W::OnlyInOne}, // a Cyrillic а
        {"paypal", W::OnlyInTwo},
        {"a\xE2\x80\x8B"
         "b",
         W::OnlyInOne}, // a zero-width space
        {"ab", W::OnlyInTwo},
        {"\xE2\x80\xAEtxt.exe", W::InBoth},
        {"back\\x89", W::OnlyInOne},
        {"back\x89", W::OnlyInTwo},
        {"\xC2\xA5x89", W::InBoth},
        {"<b>bold \xC3\xA9", W::OnlyInOne},
        {"<b>bold \xD0\xB0", W::OnlyInOne}, // markup that needs its tip
    };
}

// Two folders, "one" and "two", holding hostileNames() as they say.
struct HostileFolders
{
    HostileFolders()
    {
        one = root.createDir("one");
        two = root.createDir("two");
        for (const HostileName& n : names) {
            if (n.where != HostileName::OnlyInTwo) {
                root.createFile("one/" + n.name);
            }
            if (n.where != HostileName::OnlyInOne) {
                root.createFile("two/" + n.name);
            }
        }
    }

    // The names in that group, sorted by their bytes.
    NameList group(HostileName::Where where) const
    {
        NameList found;
        for (const HostileName& n : names) {
            if (n.where == where) {
                found.push_back(n.name);
            }
        }
        found.sort(std::less<>());
        return found;
    }

    std::vector<HostileName> names = hostileNames();
    TempFolder root;
    std::string one;
    std::string two;
};

} // namespace tombreli::test
