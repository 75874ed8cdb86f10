#include "WindowsLowerCase.h"

#include "Wtf8.h"

#include <windows.h>

namespace tombreli {

bool doubleByteSystem()
{
    CPINFO info{};
    return GetCPInfo(CP_ACP, &info) != 0 && info.MaxCharSize == 2;
}

std::string systemLowerCase(std::string_view text)
{
    std::wstring wide;
    if (!wideFromWtf8(text, wide)) {
        return std::string(text);
    }
    std::wstring lower = wide;
    CharLowerBuffW(lower.data(), static_cast<DWORD>(lower.size()));
    for (std::size_t i = 0; i < wide.size(); ++i) {
        // Ａ to Ｚ stay apart from ａ to ｚ, as on every system.
        if (wide[i] >= L'\xFF21' && wide[i] <= L'\xFF3A') {
            lower[i] = wide[i];
        }
    }
    return wtf8FromWide(lower);
}

} // namespace tombreli
