#pragma once

#include "NameOrder.h"

#include <algorithm>
#include <string>

namespace tombreli::test {

// Letters A to Z folded, ties by bytes: enough to tell a sorted list from an
// unsorted one, without the locale's collation.
class AsciiNameOrder final : public NameOrder
{
public:
    void sort(NameList& names) const override
    {
        std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            const std::string foldedA = folded(a);
            const std::string foldedB = folded(b);
            return foldedA != foldedB ? foldedA < foldedB : a < b;
        });
    }

private:
    static std::string folded(std::string text)
    {
        for (char& c : text) {
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c - 'A' + 'a');
            }
        }
        return text;
    }
};

} // namespace tombreli::test
