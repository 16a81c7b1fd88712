#include "engine/Wildcard.h"

namespace engine {
namespace {

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsWildcard(char c) { return c == '*' || c == '?'; }

}  // namespace

bool WildcardMatch(std::string_view text, std::string_view pattern) {
    if (pattern.empty()) return text.empty();
    // Greedy match with one backtrack point: the last "*" seen and the text position it has
    // swallowed up to. Runs of "*" behave as one, so each "*" simply moves the point.
    std::size_t t = 0, p = 0;
    std::size_t starP = std::string_view::npos, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            // A star that ends the pattern takes whatever text is left.
            if (p + 1 == pattern.size()) return true;
            starP = p++;
            starT = t;
        } else if (p < pattern.size() && (pattern[p] == '?' || Fold(pattern[p]) == Fold(text[t]))) {
            ++p;
            ++t;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            t = ++starT;
            // The text after the star can only start where the next literal character
            // stands: skip to there instead of trying every place in between.
            if (p < pattern.size() && !IsWildcard(pattern[p])) {
                const char first = Fold(pattern[p]);
                while (t < text.size() && Fold(text[t]) != first) ++t;
                starT = t;
            }
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool PatternListMatch(std::string_view text, std::string_view list) {
    while (true) {
        const std::size_t comma = list.find(',');
        const std::string_view piece = list.substr(0, comma);
        if (!piece.empty() && WildcardMatch(text, piece)) return true;
        if (comma == std::string_view::npos) return false;
        list.remove_prefix(comma + 1);
    }
}

}  // namespace engine
