#pragma once

#include "NameOrder.h"

#include <string>
#include <string_view>

namespace tombreli {

// The order of the system's list control: the user's locale, letter case
// ignored (CompareStringEx with NORM_IGNORECASE, as lstrcmpi compares), names
// it holds equal ordered by their bytes. Sorting works from the system's sort
// keys, which order as that comparison does, one key a name instead of a
// comparison for every step of the sort.
class WindowsNameOrder final : public NameOrder
{
public:
    // `locale`: a locale name ("ja-JP"); empty for the user's default locale.
    explicit WindowsNameOrder(std::wstring locale = {});

    void sort(NameList& names) const override;

    // The system's own comparison of two names, without the tie by bytes:
    // negative, zero or positive.
    int compare(std::string_view a, std::string_view b) const;

private:
    const wchar_t* localeName() const;

    std::wstring m_locale;
};

} // namespace tombreli
