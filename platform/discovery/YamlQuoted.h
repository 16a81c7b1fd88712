#pragma once
// YAML's quoted scalars, 'single' and "double", as PyYAML writes them: where one closes, and
// the text it stands for.
#include <string>
#include <string_view>

namespace platform::discovery::yaml {

inline bool IsYamlBlank(char c) { return c == ' ' || c == '\t'; }

// Where the quoted scalar whose text starts at `text[from]` closes, or npos; escapes and
// doubled single quotes are passed over.
std::size_t ClosingQuote(std::string_view text, std::size_t from, char quote);

// A quoted scalar's text between its quotes, line breaks included, as YAML reads it: a break
// folds to a space, or to n line feeds for n empty lines, dropping the blanks around it; in
// double quotes an escaped break joins the lines with nothing between, and \x, \u and \U
// escapes give their character in UTF-8. An escape YAML does not know is kept as written.
std::string Unquote(std::string_view raw, char quote);

}  // namespace platform::discovery::yaml
