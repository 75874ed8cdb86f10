#include "WindowsNameOrder.h"

#include "SortByKeys.h"
#include "Wtf8.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>
#include <windows.h>

namespace tombreli {

namespace {

constexpr DWORD Flags = NORM_IGNORECASE;

// The system's sort key of a name, which orders as CompareStringEx does.
class KeyMaker final : public NameKeyMaker
{
public:
    explicit KeyMaker(const wchar_t* locale)
        : m_locale(locale)
    {
    }

    unsigned makeKey(std::string_view name, std::vector<std::uint8_t>& key) override
    {
        const std::wstring wide = wideFromWtf8Lenient(name);
        key.resize(std::max<std::size_t>(key.capacity(), 256));
        const auto map = [&](int size) {
            return LCMapStringEx(m_locale, LCMAP_SORTKEY | Flags, wide.data(), static_cast<int>(wide.size()),
                                 reinterpret_cast<wchar_t*>(key.data()), size, nullptr, nullptr, 0);
        };
        int length = wide.empty() ? 0 : map(static_cast<int>(key.size()));
        if (length == 0 && !wide.empty()) {
            if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
                throw std::runtime_error("LCMapStringEx cannot make a sort key");
            }
            key.resize(static_cast<std::size_t>(map(0)));
            length = map(static_cast<int>(key.size()));
            if (length == 0) {
                throw std::runtime_error("LCMapStringEx cannot make a sort key");
            }
        }
        key.resize(static_cast<std::size_t>(length));
        return 0;
    }

private:
    const wchar_t* m_locale;
};

} // namespace

WindowsNameOrder::WindowsNameOrder(std::wstring locale)
    : m_locale(std::move(locale))
{
}

const wchar_t* WindowsNameOrder::localeName() const
{
    return m_locale.empty() ? LOCALE_NAME_USER_DEFAULT : m_locale.c_str();
}

int WindowsNameOrder::compare(std::string_view a, std::string_view b) const
{
    const std::wstring wideA = wideFromWtf8Lenient(a);
    const std::wstring wideB = wideFromWtf8Lenient(b);
    const int result = CompareStringEx(localeName(), Flags, wideA.data(), static_cast<int>(wideA.size()),
                                       wideB.data(), static_cast<int>(wideB.size()), nullptr, nullptr, 0);
    if (result == 0) {
        throw std::runtime_error("CompareStringEx failed");
    }
    return result - CSTR_EQUAL;
}

void WindowsNameOrder::sort(NameList& names) const
{
    if (names.size() < 2) {
        return;
    }
    std::vector<std::vector<std::uint32_t>> runs =
        SortByKeys(names, {nullptr}, [&] { return std::make_unique<KeyMaker>(localeName()); });
    names.reorder(std::move(runs[0]));
}

} // namespace tombreli
