#include "IcuNameOrder.h"

#include "SortByKeys.h"

#include <unicode/ucol.h>
#include <unicode/ucoleitr.h>
#include <unicode/uniset.h>
#include <unicode/uset.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <vector>

namespace tombreli {

namespace {

using Collator = std::unique_ptr<UCollator, CollatorCloser>;

// A failed ICU call raises: memory that ran out as std::bad_alloc, so that a
// folder list reports it as a name it could not insert; anything else as
// what it is. Going on would leave a name in a wrong place without a word.
void check(UErrorCode status, const char* what)
{
    if (status == U_MEMORY_ALLOCATION_ERROR) {
        throw std::bad_alloc();
    }
    if (U_FAILURE(status)) {
        throw std::runtime_error(std::string(what) + ": " + u_errorName(status));
    }
}

// "ja_JP.UTF-8@euro" -> "ja_JP"; "C" and "POSIX" -> the root.
std::string icuLocaleName(std::string_view posixName)
{
    const std::string_view name = posixName.substr(0, posixName.find_first_of(".@"));
    return name == "C" || name == "POSIX" ? std::string() : std::string(name);
}

UCollator* openCollator(const std::string& localeName, std::string& usedName)
{
    UErrorCode status = U_ZERO_ERROR;
    Collator collator;
    if (!localeName.empty()) {
        collator.reset(ucol_open(localeName.c_str(), &status));
        usedName = localeName;
    }
    if (status == U_MEMORY_ALLOCATION_ERROR) {
        throw std::bad_alloc();
    }
    // ICU falls back to the process's default locale for a name it does not
    // know; that must not decide the order, the root does.
    if (!collator || U_FAILURE(status) || status == U_USING_DEFAULT_WARNING) {
        status = U_ZERO_ERROR;
        collator.reset(ucol_open("", &status));
        usedName.clear();
    }
    check(status, "ICU has no collation data");
    if (!collator) {
        throw std::runtime_error("ICU has no collation data");
    }
    ucol_setAttribute(collator.get(), UCOL_STRENGTH, UCOL_SECONDARY, &status);
    check(status, "cannot set the collation strength");
    return collator.release();
}

// The collation elements of one character, ignorable ones left out.
std::vector<int32_t> elementsOf(const UCollator* collator, UChar c)
{
    std::vector<int32_t> elements;
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<UCollationElements, decltype(&ucol_closeElements)> it(
        ucol_openElements(collator, &c, 1, &status), &ucol_closeElements);
    check(status, "cannot read collation elements");
    for (int32_t e = ucol_next(it.get(), &status); U_SUCCESS(status) && e != UCOL_NULLORDER;
         e = ucol_next(it.get(), &status)) {
        if (e != 0) {
            elements.push_back(e);
        }
    }
    check(status, "cannot read collation elements");
    return elements;
}

// The ASCII characters that take part in a contraction of ASCII characters
// only (such as "ch" in Czech); a contraction that needs another character
// never applies to a name of plain ASCII.
std::array<bool, 128> asciiContractions(const UCollator* collator)
{
    std::array<bool, 128> found{};
    const std::unique_ptr<USet, decltype(&uset_close)> contractions(uset_openEmpty(), &uset_close);
    if (!contractions) {
        throw std::bad_alloc();
    }
    UErrorCode status = U_ZERO_ERROR;
    ucol_getContractionsAndExpansions(collator, contractions.get(), nullptr, true, &status);
    check(status, "cannot read the collator's contractions");
    // A set that could not grow drops what it could not hold and says so
    // only by turning bogus: a contraction missing here would be ranked wrong.
    if (icu::UnicodeSet::fromUSet(contractions.get())->isBogus()) {
        throw std::bad_alloc();
    }
    std::vector<UChar> text(64);
    for (int32_t i = 0; i < uset_getItemCount(contractions.get()); ++i) {
        UChar32 first = 0;
        UChar32 last = 0;
        int32_t length = uset_getItem(contractions.get(), i, &first, &last, text.data(),
                                      static_cast<int32_t>(text.size()), &status);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            status = U_ZERO_ERROR;
            text.resize(static_cast<std::size_t>(length));
            length = uset_getItem(contractions.get(), i, &first, &last, text.data(), length, &status);
        }
        check(status, "cannot read the collator's contractions");
        if (length > 0 &&
            std::all_of(text.begin(), text.begin() + length, [](UChar c) { return c < 0x80; })) {
            std::for_each(text.begin(), text.begin() + length, [&](UChar c) { found[c] = true; });
        }
    }
    return found;
}

// Ranks the ASCII characters for which comparing rank sequences gives the
// collator's own order: each collates as a single element (or is ignored),
// all with the same secondary weight, and none takes part in a contraction
// of ASCII characters. The ranks come from the collator's comparison, so
// script reordering and tailorings are respected.
KeyRanks rankAscii(const UCollator* collator, std::uint8_t unranked)
{
    KeyRanks rank;
    rank.fill(unranked);
    UErrorCode status = U_ZERO_ERROR;
    if (ucol_getAttribute(collator, UCOL_ALTERNATE_HANDLING, &status) != UCOL_NON_IGNORABLE ||
        ucol_getAttribute(collator, UCOL_CASE_LEVEL, &status) != UCOL_OFF ||
        ucol_getAttribute(collator, UCOL_NUMERIC_COLLATION, &status) != UCOL_OFF) {
        check(status, "cannot read the collator's attributes");
        return rank;
    }
    check(status, "cannot read the collator's attributes");
    const std::array<bool, 128> inContraction = asciiContractions(collator);

    std::vector<UChar> ranked;
    int32_t secondary = -1;
    for (UChar c = 0; c < 128; ++c) {
        if (inContraction[c]) {
            continue;
        }
        const std::vector<int32_t> elements = elementsOf(collator, c);
        if (elements.empty()) {
            rank[c] = 0;
        } else if (elements.size() == 1 && (secondary < 0 || ucol_secondaryOrder(elements[0]) == secondary)) {
            secondary = ucol_secondaryOrder(elements[0]);
            ranked.push_back(c);
        }
    }
    const auto compare = [&](UChar a, UChar b) {
        const char textA = static_cast<char>(a);
        const char textB = static_cast<char>(b);
        UErrorCode compared = U_ZERO_ERROR;
        const UCollationResult order = ucol_strcollUTF8(collator, &textA, 1, &textB, 1, &compared);
        check(compared, "cannot compare two characters");
        return order;
    };
    std::stable_sort(ranked.begin(), ranked.end(),
                     [&](UChar a, UChar b) { return compare(a, b) == UCOL_LESS; });
    std::uint8_t next = 0;
    for (std::size_t i = 0; i < ranked.size(); ++i) {
        if (i == 0 || compare(ranked[i - 1], ranked[i]) != UCOL_EQUAL) {
            ++next;
        }
        rank[ranked[i]] = next;
    }
    return rank;
}

// Makes the keys of names for one thread, with a collator of its own. Names
// of plain ASCII that the rank table covers get a key of one byte a
// character, family 0; all others a full collation key, family 1. The two
// families are sorted apart and merged by the collator.
class IcuKeyMaker final : public NameKeyMaker
{
public:
    IcuKeyMaker(const UCollator* collator, const KeyRanks* asciiRank)
        : m_collator(clone(collator))
        , m_asciiRank(asciiRank)
    {
    }

    unsigned makeKey(std::string_view name, std::vector<std::uint8_t>& key) override
    {
        if (m_asciiRank != nullptr && std::none_of(name.begin(), name.end(), [&](char c) {
                return (*m_asciiRank)[static_cast<unsigned char>(c)] == IcuNameOrder::Unranked;
            })) {
            return 0;
        }
        collationKey(name, key);
        return 1;
    }

private:
    void collationKey(std::string_view name, std::vector<std::uint8_t>& key)
    {
        m_text.resize(name.size() + 1);
        int32_t length = 0;
        UErrorCode status = U_ZERO_ERROR;
        u_strFromUTF8WithSub(m_text.data(), static_cast<int32_t>(m_text.size()), &length, name.data(),
                             static_cast<int32_t>(name.size()), 0xFFFD, nullptr, &status);
        check(status, "cannot convert a name to UTF-16");
        key.resize(std::max<std::size_t>(key.capacity(), 64));
        int32_t keyLength = ucol_getSortKey(m_collator.get(), m_text.data(), length, key.data(),
                                            static_cast<int32_t>(key.size()));
        if (static_cast<std::size_t>(keyLength) > key.size()) {
            key.resize(static_cast<std::size_t>(keyLength));
            keyLength = ucol_getSortKey(m_collator.get(), m_text.data(), length, key.data(), keyLength);
        }
        // Every key holds at least its level separators; none means ICU failed,
        // and it tells no more than that: its one way to fail here is memory.
        if (keyLength <= 0) {
            throw std::bad_alloc();
        }
        // Drop the closing zero byte.
        key.resize(static_cast<std::size_t>(keyLength - 1));
    }

    static UCollator* clone(const UCollator* collator)
    {
        UErrorCode status = U_ZERO_ERROR;
        Collator copy(ucol_clone(collator, &status));
        check(status, "cannot clone an ICU collator");
        return copy.release();
    }

    Collator m_collator;
    const KeyRanks* m_asciiRank;
    std::vector<UChar> m_text;
};

// The end of the leading stretch of [from, to) for which `before` holds (it
// holds for a prefix only): exponential steps, then a binary search.
template <typename It, typename Before> It gallopTo(It from, It to, Before before)
{
    std::ptrdiff_t step = 1;
    It low = from;
    while (low != to && before(*low)) {
        from = low + 1;
        low = to - low > step ? low + step : to;
        step *= 2;
    }
    return std::partition_point(from, low, before);
}

} // namespace

void CollatorCloser::operator()(UCollator* collator) const
{
    ucol_close(collator);
}

IcuNameOrder::IcuNameOrder(std::string_view locale)
    : m_collator(openCollator(icuLocaleName(locale), m_localeName))
    , m_asciiRank(rankAscii(m_collator.get(), Unranked))
{
}

IcuNameOrder::~IcuNameOrder() = default;

std::string IcuNameOrder::localeFromEnvironment()
{
    for (const char* variable : {"LC_ALL", "LC_COLLATE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

void IcuNameOrder::sort(NameList& names) const
{
    sortWith(names, true);
}

void IcuNameOrder::sortByCollation(NameList& names) const
{
    sortWith(names, false);
}

void IcuNameOrder::sortWith(NameList& names, bool useAsciiTable) const
{
    if (names.size() < 2) {
        return;
    }
    const KeyRanks* rank = useAsciiTable ? &m_asciiRank : nullptr;
    std::vector<std::vector<std::uint32_t>> runs = SortByKeys(
        names, {rank, nullptr}, [&] { return std::make_unique<IcuKeyMaker>(m_collator.get(), rank); });
    const std::vector<std::uint32_t>& ascii = runs[0];
    const std::vector<std::uint32_t>& full = runs[1];

    // The two runs are each in collation order; merge them by the collator's
    // own comparison. They seldom interleave (names of other scripts sort
    // apart), so each step gallops over the stretch of one run that comes
    // before the head of the other, at a few comparisons a stretch.
    const auto less = [&](std::uint32_t x, std::uint32_t y) {
        const std::string_view a = names[x];
        const std::string_view b = names[y];
        UErrorCode status = U_ZERO_ERROR;
        const UCollationResult order =
            ucol_strcollUTF8(m_collator.get(), a.data(), static_cast<int32_t>(a.size()), b.data(),
                             static_cast<int32_t>(b.size()), &status);
        check(status, "cannot compare two names");
        return order == UCOL_LESS || (order == UCOL_EQUAL && a < b);
    };
    std::vector<std::uint32_t> order;
    order.reserve(names.size());
    const auto take = [&](auto from, auto to) {
        order.insert(order.end(), from, to);
    };
    auto a = ascii.begin();
    auto f = full.begin();
    while (a != ascii.end() && f != full.end()) {
        const auto aEnd = gallopTo(a, ascii.end(), [&](std::uint32_t x) { return less(x, *f); });
        take(a, aEnd);
        a = aEnd;
        if (a == ascii.end()) {
            break;
        }
        const auto fEnd = gallopTo(f, full.end(), [&](std::uint32_t y) { return less(y, *a); });
        take(f, fEnd);
        f = fEnd;
    }
    take(a, ascii.end());
    take(f, full.end());
    runs.clear();
    names.reorder(std::move(order));
}

} // namespace tombreli
