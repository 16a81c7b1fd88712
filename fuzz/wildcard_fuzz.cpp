// The wildcard match against a plain dynamic-programming matcher: the engine's greedy matcher
// with its skip-ahead must give the same answer for every pattern and text. Input: the
// pattern (or comma-separated list), a line end, the text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Wildcard.h"

namespace {

char FoldLetter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

// matches[i][j]: the first i characters of the text match the first j of the pattern.
bool ReferenceMatch(std::string_view text, std::string_view pattern) {
    const std::size_t n = text.size(), m = pattern.size();
    std::vector<std::vector<bool>> matches(n + 1, std::vector<bool>(m + 1, false));
    matches[0][0] = true;
    for (std::size_t j = 1; j <= m; ++j) matches[0][j] = pattern[j - 1] == '*' && matches[0][j - 1];
    for (std::size_t i = 1; i <= n; ++i) {
        for (std::size_t j = 1; j <= m; ++j) {
            const char p = pattern[j - 1];
            if (p == '*') matches[i][j] = matches[i][j - 1] || matches[i - 1][j];
            else if (p == '?' || FoldLetter(p) == FoldLetter(text[i - 1]))
                matches[i][j] = matches[i - 1][j - 1];
        }
    }
    return matches[n][m];
}

bool ReferenceListMatch(std::string_view text, std::string_view list) {
    std::size_t from = 0;
    for (;;) {
        const std::size_t comma = list.find(',', from);
        const std::string_view piece = list.substr(
            from, comma == std::string_view::npos ? std::string_view::npos : comma - from);
        if (!piece.empty() && ReferenceMatch(text, piece)) return true;
        if (comma == std::string_view::npos) return false;
        from = comma + 1;
    }
}

void Expect(bool got, bool want, const char* what, std::string_view text,
            std::string_view pattern) {
    if (got == want) return;
    std::fprintf(stderr, "%s gives %d, should give %d\npattern: [%.*s]\ntext: [%.*s]\n", what, got,
                 want, static_cast<int>(pattern.size()), pattern.data(),
                 static_cast<int>(text.size()), text.data());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The reference costs text x pattern; longer inputs teach nothing more.
    if (size > 2048) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = input.find('\n');
    const std::string_view pattern = input.substr(0, cut);
    const std::string_view text =
        cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);
    Expect(engine::WildcardMatch(text, pattern), ReferenceMatch(text, pattern), "WildcardMatch",
           text, pattern);
    Expect(engine::PatternListMatch(text, pattern), ReferenceListMatch(text, pattern),
           "PatternListMatch", text, pattern);
    return 0;
}
