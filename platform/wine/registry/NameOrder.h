#pragma once
// Wine's name order: each UTF-16 unit folded to lower case, compared numerically, the
// shorter name first. Folding to lower case puts [ \ ] ^ _ ` before the letters.
#include <string_view>

#include "platform/codepage/Codepage.h"

namespace platform::wine::registry {

inline char16_t FoldUnit(char16_t c) {
    if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
    return codepage::ToLower(c);
}

inline int CompareNames(std::u16string_view a, std::u16string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t x = FoldUnit(a[i]), y = FoldUnit(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace platform::wine::registry
