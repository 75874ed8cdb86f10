#pragma once

#include "NameOrder.h"

#include <string>
#include <string_view>

namespace tombreli::test {

// Letters A to Z folded, ties by bytes: enough to tell a sorted list from an
// unsorted one, without the locale's collation.
class AsciiNameOrder final : public NameOrder
{
public:
    void sort(NameList& names) const override
    {
        names.sort([](std::string_view a, std::string_view b) {
            const std::string foldedA = folded(a);
            const std::string foldedB = folded(b);
            return foldedA != foldedB ? foldedA < foldedB : a < b;
        });
    }

private:
    static std::string folded(std::string_view name)
    {
        std::string text(name);
        for (char& c : text) {
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c - 'A' + 'a');
            }
        }
        return text;
    }
};

} // namespace tombreli::test
