#pragma once
// Qt and the list controls count rows, states and variants in int; the standard containers
// index by size_t. The one conversion, for an index the caller has already bounded (`at`
// still throws on one outside).
#include <cstddef>

namespace ui {

constexpr std::size_t Index(int i) { return static_cast<std::size_t>(i); }

}  // namespace ui
