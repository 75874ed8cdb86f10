#include "WindowsNameOrder.h"

#include "Wtf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>
#include <windows.h>

namespace tombreli {

namespace {

constexpr DWORD Flags = NORM_IGNORECASE;

struct Keyed
{
    std::size_t keyStart;
    std::size_t keyLength;
    std::size_t name;
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
    std::vector<std::uint8_t> keys;
    std::vector<Keyed> entries;
    entries.reserve(names.size());
    std::vector<std::uint8_t> key(256);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::wstring wide = wideFromWtf8Lenient(names[i]);
        const auto map = [&](int size) {
            return LCMapStringEx(localeName(), LCMAP_SORTKEY | Flags, wide.data(),
                                 static_cast<int>(wide.size()), reinterpret_cast<wchar_t*>(key.data()), size,
                                 nullptr, nullptr, 0);
        };
        int length = wide.empty() ? 0 : map(static_cast<int>(key.size()));
        if (length == 0 && !wide.empty()) {
            if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
                throw std::runtime_error("LCMapStringEx cannot make a sort key");
            }
            key.resize(static_cast<std::size_t>(map(0)));
            length = map(static_cast<int>(key.size()));
        }
        entries.push_back({keys.size(), static_cast<std::size_t>(length), i});
        keys.insert(keys.end(), key.begin(), key.begin() + length);
    }
    // Keys end in a zero byte, so one that is a prefix of another sorts first.
    std::sort(entries.begin(), entries.end(), [&](const Keyed& a, const Keyed& b) {
        const std::size_t common = std::min(a.keyLength, b.keyLength);
        if (common > 0) {
            if (const int byKey = std::memcmp(keys.data() + a.keyStart, keys.data() + b.keyStart, common)) {
                return byKey < 0;
            }
        }
        if (a.keyLength != b.keyLength) {
            return a.keyLength < b.keyLength;
        }
        return names[a.name] < names[b.name];
    });
    NameList sorted;
    sorted.reserve(names.size());
    for (const Keyed& entry : entries) {
        sorted.push_back(std::move(names[entry.name]));
    }
    names = std::move(sorted);
}

} // namespace tombreli
