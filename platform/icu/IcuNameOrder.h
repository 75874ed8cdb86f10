#pragma once

#include "NameOrder.h"

#include <unicode/uversion.h>

#include <memory>
#include <string>
#include <string_view>

U_NAMESPACE_BEGIN
class Collator;
U_NAMESPACE_END

namespace tombreli {

// The name order by ICU's collation for a locale, at secondary strength so
// that letter case is ignored while accents still count. Ill-formed UTF-8 is
// collated as U+FFFD, and the bytes then break the tie.
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

private:
    std::string m_localeName; // set while the collator opens, so declared first
    std::unique_ptr<icu::Collator> m_collator;
};

} // namespace tombreli
