#include "platform/discovery/KeyValues.h"

#include <algorithm>
#include <cctype>

#include "platform/codepage/Ascii.h"

namespace platform::discovery {
namespace {

enum class Token { String, Open, Close, End, Broken };

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    // Blocks nest at most this deep: Steam's files use three or four levels. The bound keeps
    // the reading recursion (and the tree's recursive destruction) far from the stack's end;
    // a deeper block ends the reading with an error, like any other fault.
    static constexpr int kMaxDepth = 64;
    // A condition such as [$WIN32||$OSX] is short; a longer bracket is no condition, which
    // keeps its search linear in a line of brackets that never close.
    static constexpr std::size_t kMaxCondition = 256;

    // Reads keys into `block` until its closing brace (or the end, at the top).
    void ReadBlock(KeyValue& block, bool top, int depth, std::string& error) {
        for (;;) {
            std::string key;
            const Token token = Next(key);
            if (token == Token::End) {
                if (!top)
                    Fail("the text ends inside the block \"" + Clipped(block.key) + "\"", error);
                block.complete = top;
                return;
            }
            if (token == Token::Close && !top) return;
            if (token != Token::String)
                return Stop(
                    token == Token::Broken ? kUnclosed : "a brace stands where a key belongs",
                    block, error);
            KeyValue child;
            child.key = std::move(key);
            const Token after = Next(child.value);
            if (after == Token::String) {
                SkipCondition();
            } else if (after != Token::Open) {
                return Stop(after == Token::Broken
                                ? kUnclosed
                                : "the key \"" + Clipped(child.key) + "\" has no value",
                            block, error);
            } else if (depth >= kMaxDepth) {
                return Stop("blocks nest deeper than " + std::to_string(kMaxDepth) + " levels",
                            block, error);
            } else {
                child.block = true;
                ReadBlock(child, false, depth + 1, error);
            }
            const bool whole = child.complete;
            block.children.push_back(std::move(child));
            if (!whole) {
                block.complete = false;
                return;
            }
        }
    }

private:
    // A key as a message quotes it: a damaged file's "key" may be megabytes of anything.
    static std::string Clipped(const std::string& key) {
        constexpr std::size_t kShown = 60;
        return key.size() <= kShown ? key : key.substr(0, kShown) + "...";
    }

    void Fail(const std::string& what, std::string& error) {
        if (error.empty()) error = what + " (line " + std::to_string(line_) + ")";
    }

    // Ends the reading of `block` at a fault, keeping what came before it.
    void Stop(const std::string& what, KeyValue& block, std::string& error) {
        Fail(what, error);
        block.complete = false;
    }

    static constexpr const char* kUnclosed = "a quoted text is not closed";

    void SkipSpace() {
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == '\n') ++line_;
            if (c == '/' && at_ + 1 < text_.size() && text_[at_ + 1] == '/') {
                while (at_ < text_.size() && text_[at_] != '\n') ++at_;
            } else if (std::isspace(static_cast<unsigned char>(c)) || c == '\0') {
                ++at_;
            } else {
                return;
            }
        }
    }

    // A condition such as [$WIN32] after a value: ignored, the value applies everywhere.
    void SkipCondition() {
        const std::size_t mark = at_;
        const int line = line_;
        SkipSpace();
        if (at_ < text_.size() && text_[at_] == '[') {
            const std::size_t end = std::min(text_.size(), at_ + kMaxCondition);
            for (std::size_t close = at_ + 1; close < end && text_[close] != '\n'; ++close) {
                if (text_[close] == ']') {
                    at_ = close + 1;
                    return;
                }
            }
        }
        at_ = mark;
        line_ = line;
    }

    Token Next(std::string& out) {
        SkipSpace();
        if (at_ >= text_.size()) return Token::End;
        const char c = text_[at_];
        if (c == '{') return ++at_, Token::Open;
        if (c == '}') return ++at_, Token::Close;
        if (c == '"') {
            ++at_;
            while (at_ < text_.size() && text_[at_] != '"') {
                char ch = text_[at_++];
                if (ch == '\\' && at_ < text_.size()) {
                    ch = text_[at_++];
                    if (ch == '\n') ++line_;
                    else if (ch == 'n') ch = '\n';
                    else if (ch == 't') ch = '\t';
                } else if (ch == '\n') {
                    ++line_;
                }
                out += ch;
            }
            if (at_ >= text_.size()) return Token::Broken;
            ++at_;
            return Token::String;
        }
        while (at_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[at_])) &&
               text_[at_] != '{' && text_[at_] != '}' && text_[at_] != '"')
            out += text_[at_++];
        return Token::String;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    int line_ = 1;
};

}  // namespace

const KeyValue* KeyValue::Child(std::string_view name) const {
    for (const KeyValue& child : children)
        if (codepage::EqualsNoCase(child.key, name)) return &child;
    return nullptr;
}

std::string KeyValue::Text(std::string_view name) const {
    const KeyValue* child = Child(name);
    return child && !child->block ? child->value : std::string();
}

KeyValuesText ParseKeyValues(std::string_view text) {
    // A byte order mark, as an editor on Windows may save the file with.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    KeyValuesText result;
    result.root.block = true;
    Reader(text).ReadBlock(result.root, true, 0, result.error);
    return result;
}

}  // namespace platform::discovery
