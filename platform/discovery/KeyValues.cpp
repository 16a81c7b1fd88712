#include "platform/discovery/KeyValues.h"

#include <cctype>

#include "platform/codepage/Ascii.h"

namespace platform::discovery {
namespace {

enum class Token { String, Open, Close, End, Broken };

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    // Blocks nest at most this deep: Steam's files use three or four levels.
    static constexpr int kMaxDepth = 64;

    // Reads keys into `block` until its closing brace (or the end, at the top).
    void ReadBlock(KeyValue& block, bool top, int depth, std::string& error) {
        for (;;) {
            std::string key;
            const Token token = Next(key);
            if (token == Token::End) {
                if (!top) Fail("the text ends inside the block \"" + block.key + "\"", error);
                block.complete = top;
                return;
            }
            if (token == Token::Close && !top) return;
            if (token != Token::String) {
                Fail(token == Token::Broken ? "a quoted text is not closed"
                                            : "a brace stands where a key belongs",
                     error);
                block.complete = false;
                return;
            }
            KeyValue child;
            child.key = std::move(key);
            std::string value;
            Token after = Next(value);
            if (after == Token::String) {
                child.value = std::move(value);
                SkipCondition();
                block.children.push_back(std::move(child));
            } else if (after == Token::Open && depth < kMaxDepth) {
                child.block = true;
                ReadBlock(child, false, depth + 1, error);
                const bool whole = child.complete;
                block.children.push_back(std::move(child));
                if (!whole) {
                    block.complete = false;
                    return;
                }
            } else {
                Fail("the key \"" + child.key + "\" has no value", error);
                block.complete = false;
                return;
            }
        }
    }

private:
    void Fail(const std::string& what, std::string& error) {
        if (error.empty()) error = what + " (line " + std::to_string(line_) + ")";
    }

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
            const std::size_t close = text_.find(']', at_);
            if (close != std::string_view::npos && text_.find('\n', at_) > close) {
                at_ = close + 1;
                return;
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
                if (ch == '\n') ++line_;
                if (ch == '\\' && at_ < text_.size()) {
                    const char escaped = text_[at_++];
                    ch = escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
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
    KeyValuesText result;
    result.root.block = true;
    Reader(text).ReadBlock(result.root, true, 0, result.error);
    return result;
}

}  // namespace platform::discovery
