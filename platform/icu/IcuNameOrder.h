#pragma once

#include "NameOrder.h"
#include "SortByKeys.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct UCollator;

namespace tombreli {

struct CollatorCloser
{
    void operator()(UCollator* collator) const;
};

// The name order by ICU's collation for a locale, at secondary strength so
// that letter case is ignored while accents still count. Ill-formed UTF-8 is
// collated as U+FFFD, and the bytes then break the tie.
//
// Sorting works from sort keys, built on two threads for a long list. Names
// of plain ASCII characters that each collate as one element, as most file
// names are, get a key of one byte a character from a table that the
// collator itself fills in: the same order, without the cost of full
// collation.
class IcuNameOrder final : public NameOrder
{
public:
    // `locale`: an ICU or POSIX locale name ("ja_JP", "de_DE.UTF-8"); the root
    // order when it is empty, "C", "POSIX" or not known to ICU.
    explicit IcuNameOrder(std::string_view locale);
    ~IcuNameOrder() override;

    // The locale a POSIX user has chosen for collation: LC_ALL, then
    // LC_COLLATE, then LANG, the first one set and not empty.
    static std::string localeFromEnvironment();

    // The ICU locale that the order follows ("" for the root).
    const std::string& localeName() const { return m_localeName; }

    void sort(NameList& names) const override;

    // Sorts without the ASCII table, by full collation alone (for tests and measuring).
    void sortByCollation(NameList& names) const;

    // The rank of a byte that needs full collation.
    static constexpr std::uint8_t Unranked = 0xFF;

private:
    void sortWith(NameList& names, bool useAsciiTable) const;

    std::string m_localeName; // set while the collator opens, so declared first
    std::unique_ptr<UCollator, CollatorCloser> m_collator;
    // Per byte: 0 for an ASCII character the collator ignores, else its rank
    // among the others; Unranked when it needs full collation, as every byte
    // beyond ASCII does.
    KeyRanks m_asciiRank{};
};

} // namespace tombreli
