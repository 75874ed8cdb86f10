#include "IcuNameOrder.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <stdexcept>
#include <vector>

namespace tombreli {

namespace {

// "ja_JP.UTF-8@euro" -> "ja_JP"; "C" and "POSIX" -> the root.
std::string icuLocaleName(std::string_view posixName)
{
    const std::string_view name = posixName.substr(0, posixName.find_first_of(".@"));
    return name == "C" || name == "POSIX" ? std::string() : std::string(name);
}

std::unique_ptr<icu::Collator> openCollator(const std::string& localeName, std::string& usedName)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator;
    if (!localeName.empty()) {
        collator.reset(icu::Collator::createInstance(icu::Locale(localeName.c_str()), status));
        usedName = localeName;
    }
    // ICU falls back to the process's default locale for a name it does not
    // know; that must not decide the order, the root does.
    if (!collator || U_FAILURE(status) || status == U_USING_DEFAULT_WARNING) {
        status = U_ZERO_ERROR;
        collator.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
        usedName.clear();
    }
    if (!collator || U_FAILURE(status)) {
        throw std::runtime_error("ICU has no collation data");
    }
    collator->setStrength(icu::Collator::SECONDARY);
    return collator;
}

} // namespace

IcuNameOrder::IcuNameOrder(std::string_view locale)
    : m_collator(openCollator(icuLocaleName(locale), m_localeName))
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
    // Sort keys once per name, then compare keys: far cheaper than collating
    // every pair that a sort compares.
    std::vector<std::uint8_t> keys;
    std::vector<std::size_t> keyStart(names.size() + 1, 0);
    std::vector<UChar> text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        text.resize(name.size() + 1);
        int32_t length = 0;
        UErrorCode status = U_ZERO_ERROR;
        u_strFromUTF8WithSub(text.data(), static_cast<int32_t>(text.size()), &length, name.data(),
                             static_cast<int32_t>(name.size()), 0xFFFD, nullptr, &status);
        const std::size_t start = keys.size();
        keys.resize(start + 64);
        int32_t keyLength = m_collator->getSortKey(text.data(), length, keys.data() + start, 64);
        if (keyLength > 64) {
            keys.resize(start + static_cast<std::size_t>(keyLength));
            m_collator->getSortKey(text.data(), length, keys.data() + start, keyLength);
        }
        keys.resize(start + static_cast<std::size_t>(keyLength));
        keyStart[i + 1] = keys.size();
    }

    std::vector<std::size_t> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const std::size_t lengthA = keyStart[a + 1] - keyStart[a];
        const std::size_t lengthB = keyStart[b + 1] - keyStart[b];
        const int byKey =
            std::memcmp(keys.data() + keyStart[a], keys.data() + keyStart[b], std::min(lengthA, lengthB));
        if (byKey != 0) {
            return byKey < 0;
        }
        if (lengthA != lengthB) {
            return lengthA < lengthB;
        }
        return names[a] < names[b];
    });

    NameList sorted;
    sorted.reserve(names.size());
    for (const std::size_t i : order) {
        sorted.push_back(std::move(names[i]));
    }
    names = std::move(sorted);
}

} // namespace tombreli
