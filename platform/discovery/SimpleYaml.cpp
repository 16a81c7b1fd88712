#include "platform/discovery/SimpleYaml.h"

#include <algorithm>
#include <vector>

#include "platform/discovery/YamlQuoted.h"

namespace platform::discovery {
namespace {

using yaml::ClosingQuote;
using yaml::IsYamlBlank;
using yaml::Unquote;

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsYamlBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsYamlBlank(text.back())) text.remove_suffix(1);
    return text;
}

struct Line {
    std::string_view text;  // without its line end
    std::size_t indent;     // leading spaces
    std::string_view body;  // the rest, blanks trimmed; empty for a blank line
    std::size_t next;       // where the next line starts
};

// The line starting at `start` of `text`.
Line LineAt(std::string_view text, std::size_t start) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::size_t indent = std::min(line.find_first_not_of(' '), line.size());
    return {line, indent, TrimBlanks(line.substr(indent)), end + 1};
}

// A plain scalar's first line without its comment.
std::string_view PlainStart(std::string_view text) {
    for (std::size_t i = 1; i < text.size(); ++i)
        if (text[i] == '#' && IsYamlBlank(text[i - 1])) return TrimBlanks(text.substr(0, i));
    return text;
}

class Reader {
public:
    Reader(std::string_view text, std::initializer_list<std::string_view> wanted) : text_(text) {
        for (std::string_view path : wanted) {
            std::vector<std::string_view> parts;
            for (std::size_t dot; (dot = path.find('.')) != std::string_view::npos;) {
                parts.push_back(path.substr(0, dot));
                path.remove_prefix(dot + 1);
            }
            parts.push_back(path);
            wanted_.push_back(std::move(parts));
        }
    }

    std::map<std::string, std::string> Read() {
        while (at_ < text_.size()) {
            const Line line = LineAt(text_, at_);
            at_ = line.next;
            const std::string_view body = line.body;
            if (body.empty() || body.front() == '#' || body == "---" || body == "...") continue;
            if (body == "-" || body.starts_with("- ")) {
                SkipIndentedBelow(line.indent);  // a list item, with all it holds
                continue;
            }
            std::string key;
            std::string_view rest;
            if (!SplitKey(body, key, rest)) continue;
            while (!open_.empty() && open_.back().indent >= line.indent) open_.pop_back();
            if (rest.empty() || rest.front() == '#') {
                open_.push_back({line.indent, std::move(key)});
                continue;
            }
            const std::string* path = Wanted(key);
            if (rest.front() == '"' || rest.front() == '\'') {
                std::string value;
                if (ReadQuoted(rest, line.indent, value) && path) scalars_.emplace(*path, value);
            } else if (std::string_view("|>&*!{[").find(rest.front()) != std::string_view::npos) {
                SkipIndentedBelow(line.indent);
            } else {
                std::string value = ReadPlain(rest, line.indent);
                // YAML's null (PyYAML writes None so): no text, not a file named "null" or "~".
                if (value == "~" || value == "null" || value == "Null" || value == "NULL")
                    value.clear();
                if (path) scalars_.emplace(*path, std::move(value));
            }
        }
        return std::move(scalars_);
    }

private:
    struct Level {
        std::size_t indent;
        std::string key;
    };

    // "key: rest" (or "key:" at the end) with a plain or single-line quoted key.
    static bool SplitKey(std::string_view body, std::string& key, std::string_view& rest) {
        std::size_t colon;
        if (body.front() == '"' || body.front() == '\'') {
            const std::size_t close = ClosingQuote(body, 1, body.front());
            if (close == std::string_view::npos) return false;
            colon = body.find_first_not_of(" \t", close + 1);
            if (colon == std::string_view::npos || body[colon] != ':') return false;
            key = Unquote(body.substr(1, close - 1), body.front());
        } else {
            colon = body.find(':');
            while (colon != std::string_view::npos && colon + 1 < body.size() &&
                   !IsYamlBlank(body[colon + 1]))
                colon = body.find(':', colon + 1);
            if (colon == std::string_view::npos || colon == 0) return false;
            key = TrimBlanks(body.substr(0, colon));
        }
        if (colon + 1 < body.size() && !IsYamlBlank(body[colon + 1])) return false;
        rest = TrimBlanks(body.substr(colon + 1));
        return true;
    }

    // The dotted path of `key` below the open mappings, when it is one of the wanted.
    const std::string* Wanted(const std::string& key) {
        for (const auto& parts : wanted_) {
            if (parts.size() != open_.size() + 1 || parts.back() != key) continue;
            bool same = true;
            for (std::size_t i = 0; same && i < open_.size(); ++i) same = parts[i] == open_[i].key;
            if (!same) continue;
            path_.clear();
            for (const Level& level : open_) path_ += level.key + '.';
            path_ += key;
            return &path_;
        }
        return nullptr;
    }

    // Passes over the lines indented deeper than `indent`, and blank ones among them.
    void SkipIndentedBelow(std::size_t indent) {
        for (Line line; at_ < text_.size(); at_ = line.next) {
            line = LineAt(text_, at_);
            if (!line.body.empty() && line.indent <= indent) return;
        }
    }

    // A quoted scalar starting at `rest`, continued on the lines indented below the key's;
    // false when it does not close there (those lines are then passed over: they were
    // inside it).
    bool ReadQuoted(std::string_view rest, std::size_t keyIndent, std::string& value) {
        const char quote = rest.front();
        std::size_t close = ClosingQuote(rest, 1, quote);
        if (close != std::string_view::npos) {
            value = Unquote(rest.substr(1, close - 1), quote);
            return true;
        }
        std::string raw(rest.substr(1));
        while (at_ < text_.size()) {
            const Line line = LineAt(text_, at_);
            if (!line.body.empty() && line.indent <= keyIndent) return false;
            at_ = line.next;
            raw += '\n';
            const std::size_t from = raw.size();
            raw += line.text;
            close = ClosingQuote(raw, from, quote);
            if (close != std::string::npos) {
                value = Unquote(std::string_view(raw).substr(0, close), quote);
                return true;
            }
        }
        return false;
    }

    // A plain scalar starting at `rest` and folded over the lines indented below the key's,
    // up to a comment.
    std::string ReadPlain(std::string_view rest, std::size_t keyIndent) {
        std::string value(PlainStart(rest));
        if (value.size() != rest.size()) return value;  // a comment ends it
        std::size_t breaks = 0;
        while (at_ < text_.size()) {
            const Line line = LineAt(text_, at_);
            if (line.body.empty()) {
                ++breaks;
                at_ = line.next;
                continue;
            }
            if (line.indent <= keyIndent || line.body.front() == '#') break;
            at_ = line.next;
            value += breaks ? std::string(breaks, '\n') : std::string(" ");
            breaks = 0;
            const std::string_view part = PlainStart(line.body);
            value += part;
            if (part.size() != line.body.size()) break;  // a comment ends it
        }
        return value;
    }

    std::string_view text_;
    std::size_t at_ = 0;  // where the next line starts
    std::vector<std::vector<std::string_view>> wanted_;
    std::vector<Level> open_;  // the mappings the current line may be inside
    std::string path_;
    std::map<std::string, std::string> scalars_;
};

}  // namespace

std::map<std::string, std::string> ReadYamlScalars(std::string_view text,
                                                   std::initializer_list<std::string_view> wanted) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a byte order mark
    return Reader(text, wanted).Read();
}

}  // namespace platform::discovery
