// Reading Wine's hive text into the key tree.
//
// A hive file (system.reg, user.reg, userdef.reg) is UTF-8 text, LF line ends (CR LF read):
//
//   WINE REGISTRY Version 2                  the first line, exactly
//   ;; All keys relative to \\Machine        comment lines start with ';'
//   #arch=win64                              options before the first key: the whole file's
//
//   [Software\\Vendor\\Tool] 1700000000      a key block: its path below the hive's root,
//   #time=1da1747c66d0000                    components joined by an escaped backslash, and
//   #class="text"                            Unix seconds; then its options: #time (a FILETIME
//   #link                                    in hex, which wins), class, symbolic link
//   @="default value"                        the unnamed value
//   "Path"="C:\\Tool\\tool.exe \"%1\""       REG_SZ (also str:"..."); str(2): REG_EXPAND_SZ,
//   "Count"=dword:0000002a                   str(7): REG_MULTI_SZ; dword: eight hex digits;
//   "Blob"=hex:01,02,ff,\                    hex: REG_BINARY, hex(N): any other type N; bytes
//     03,04                                  comma separated, a trailing '\' goes on below
//
// Names and string data use Wine's escapes: \\ \" \[ \] (the terminator of their context),
// \a \b \e \f \n \r \t \v, \x with up to four hex digits for one UTF-16 unit, octal \0 to
// \377; bytes 0x80 and up are UTF-8. Blocks need not be sorted or unique (blocks of one key
// merge, a later value of one name wins), a key's parents need no block of their own, and
// "[]" is the hive's root itself. A wrong first line or architecture refuses the whole file.
// Any other damaged line (and a last line without its line end, which Wine never writes, so
// a crash or a full disk may have cut it short) is a problem named with its line: the rest is
// read all the same, and the hive is never written.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <future>
#include <system_error>
#include <type_traits>
#include <utility>
#include <vector>

#include "fmt/format.h"
#include "platform/wine/registry/HiveGraft.h"
#include "platform/wine/registry/HiveModel.h"
#include "platform/wine/registry/NameOrder.h"
#include "platform/wine/registry/StringEscape.h"

namespace platform::wine::registry {
namespace {

constexpr std::size_t kTimeDigits = 15;

// Walks the lines of a stretch of the text without copying it.
class Lines {
public:
    Lines(std::string_view text, std::size_t begin, std::size_t end)
        : text_(text.substr(0, end)), full_(text), pos_(begin) {}
    bool Next(std::string_view& line, std::size_t& start) {
        if (pos_ >= text_.size()) return false;
        start = pos_;
        std::size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos) end = text_.size();
        cut_ = end == full_.size();
        line = text_.substr(pos_, end - pos_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos_ = end + 1;
        ++number_;
        return true;
    }
    int Number() const { return number_; }
    // Whether the line last read is the file's last and lacks its line end: Wine ends every
    // line it writes, so such a line may have been cut short by a crash or a full disk.
    bool Cut() const { return cut_; }
    std::size_t End() const { return text_.size(); }
    // Goes on to the end of the whole text.
    void ExtendToEnd() { text_ = full_; }

private:
    std::string_view text_, full_;
    std::size_t pos_ = 0;
    int number_ = 0;
    bool cut_ = false;
};

std::size_t SkipSpace(std::string_view s, std::size_t pos) {
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t')) ++pos;
    return pos;
}

// Hex digit values by byte, -1 for anything else: binary data is read a byte at a time.
constexpr std::array<signed char, 256> kHexDigits = [] {
    std::array<signed char, 256> table{};
    for (auto& v : table) v = -1;
    for (int c = '0'; c <= '9'; ++c)
        table[static_cast<std::size_t>(c)] = static_cast<signed char>(c - '0');
    for (int c = 'a'; c <= 'f'; ++c)
        table[static_cast<std::size_t>(c)] = static_cast<signed char>(c - 'a' + 10);
    for (int c = 'A'; c <= 'F'; ++c)
        table[static_cast<std::size_t>(c)] = static_cast<signed char>(c - 'A' + 10);
    return table;
}();

int HexDigit(char c) { return kHexDigits[static_cast<unsigned char>(c)]; }

// Where a parser puts what it reads: a hive's own tree, or (for the second half of a file
// read on another thread) a tree of its own to be grafted on after.
struct Target {
    Key* root;
    HiveStore* store;
    std::string* problem;
};

class Parser {
public:
    // Reads the lines of [begin, end). From the start of the file, the first line must be
    // Wine's; any later stretch must start at a key line.
    Parser(Hive& hive, std::string& error, Target target, std::size_t begin, std::size_t end)
        : hive_(hive), error_(error), target_(target), lines_(hive.text, begin, end),
          firstKey_(begin == 0 ? std::string_view::npos : begin) {}

    bool Run() { return Start() && Loop() && Finish(); }

    bool Start() {
        std::string_view line;
        std::size_t start = 0;
        if (firstKey_ != std::string_view::npos) return true;
        if (!lines_.Next(line, start) || line != "WINE REGISTRY Version 2") {
            error_ = fmt::format(
                "{}:1: not a Wine registry file (the first line must read "
                "\"WINE REGISTRY Version 2\")",
                hive_.path);
            return false;
        }
        return true;
    }

    bool Loop() {
        std::string_view line;
        std::size_t start = 0;
        while (lines_.Next(line, start)) {
            const std::size_t p = SkipSpace(line, 0);
            const std::string_view body = line.substr(p);
            if (body.empty() || body[0] == ';') continue;
            if (body[0] == '[') {
                if (firstKey_ == std::string_view::npos) {
                    firstKey_ = start;
                    hive_.header = std::string_view(hive_.text).substr(0, start ? start - 1 : 0);
                }
                CloseBlock(start);
                KeyLine(body, start);
            } else if (body[0] == '#') {
                if (!Option(body, firstKey_ == std::string_view::npos)) return false;
            } else if (body[0] == '@' || body[0] == '"') {
                ValueLine(body);
            } else {
                Problem("unrecognized input");
            }
        }
        return true;
    }

    // Closes the last block where the stretch ends.
    bool Finish() {
        if (firstKey_ == std::string_view::npos) hive_.header = hive_.text;
        else CloseBlock(lines_.End() == hive_.text.size() ? lines_.End() + 1 : lines_.End());
        return true;
    }

    bool SawKey() const { return firstKey_ != std::string_view::npos; }
    // Reads on to the end of the file, for when the second half read apart cannot be used.
    bool Continue() {
        lines_.ExtendToEnd();
        return Loop() && Finish();
    }

private:
    void Problem(std::string_view why) {
        if (target_.problem->empty())
            *target_.problem = fmt::format("{}:{}: {}", hive_.path, lines_.Number(), why);
    }

    // The block of the current key ends just before the line end that precedes the next key
    // line (or at the end of the file); blocks are joined with one line end when written.
    void CloseBlock(std::size_t nextStart) {
        if (!current_) return;
        const std::size_t end = nextStart - 1;
        std::string_view text(hive_.text);
        // Values arrive one by one into the parser's own vector; the key's gets them at once,
        // with only the room they take.
        current_->values.assign(values_.begin(), values_.end());
        if (current_->raw.empty()) current_->raw = text.substr(blockStart_, end - blockStart_);
        else current_->dirty = true;  // a second block of the same key: write it merged
        current_ = nullptr;
    }

    // The end of a key path that is simple text (printable ASCII whose only escapes are the
    // separators, "\\\\"): just after its closing bracket; npos for any other path.
    static std::size_t SimplePathEnd(std::string_view body) {
        for (std::size_t i = 1; i < body.size(); ++i) {
            const char c = body[i];
            if (c == ']') return i + 1;
            if (c < 0x20 || c > 0x7E) return std::string_view::npos;
            if (c == '\\' && (++i >= body.size() || body[i] != '\\')) return std::string_view::npos;
        }
        return std::string_view::npos;
    }

    // One component of the previous key line's path, and the key it leads to.
    struct Link {
        std::u16string name;  // as the line spells it
        Key* key = nullptr;
        bool respelled = false;  // the key was known under another spelling
    };

    // The key at the end of a path, given component by component: created where missing.
    // Files come sorted, so a key line mostly repeats the path of the one before it up to its
    // last component or two: those keys are known already.
    class PathWalk {
    public:
        PathWalk(Key* root, HiveStore& store, std::vector<Link>& chain)
            : key_(root), store_(store), chain_(chain) {}
        template <class Char>
        void Step(std::basic_string_view<Char> part) {
            if (part.empty()) return;
            if (level_ >= kMaxKeyDepth) {
                tooDeep_ = true;
                return;
            }
            if (same_ && level_ < chain_.size() && Equal(chain_[level_].name, part)) {
                key_ = chain_[level_].key;
            } else {
                same_ = false;
                if (level_ >= chain_.size()) chain_.emplace_back();
                Link& link = chain_[level_];
                link.name.assign(part.begin(), part.end());
                Key* child = key_->FindChild(link.name);
                link.respelled = child && child->name != link.name;
                key_ = child ? child : &key_->AddChild(link.name, store_);
                link.key = key_;
            }
            respelled_ = respelled_ || chain_[level_].respelled;
            ++level_;
        }
        Key* Finish() {
            chain_.resize(level_);
            return key_;
        }
        bool TooDeep() const { return tooDeep_; }
        // Whether the path spells a key it leads through otherwise than the key is named.
        bool Respelled() const { return respelled_; }

    private:
        template <class Char>
        static bool Equal(const std::u16string& known, std::basic_string_view<Char> part) {
            if (known.size() != part.size()) return false;
            for (std::size_t i = 0; i < part.size(); ++i)
                if (known[i] != static_cast<std::make_unsigned_t<Char>>(part[i])) return false;
            return true;
        }
        Key* key_;
        HiveStore& store_;
        std::vector<Link>& chain_;
        std::size_t level_ = 0;
        bool same_ = true;  // so far the path repeats the previous key line's components
        bool tooDeep_ = false;
        bool respelled_ = false;
    };

    // Opens the block of a key line; one that cannot be read opens none, so its values are
    // passed over.
    void KeyLine(std::string_view body, std::size_t start) {
        PathWalk walk(target_.root, *target_.store, chain_);
        std::size_t after = SimplePathEnd(body);
        if (after != std::string_view::npos) {
            // Split where the separators stand, without decoding: the text is its characters.
            const std::string_view path = body.substr(1, after - 2);
            std::size_t from = 0;
            while (from < path.size()) {
                std::size_t to = path.find("\\\\", from);
                if (to == std::string_view::npos) to = path.size();
                walk.Step(path.substr(from, to - from));
                from = to + 2;
            }
        } else {
            std::u16string path;
            after = DecodeEscaped(body, 1, ']', path);
            if (after == std::string_view::npos) {
                Problem("key line without its closing bracket");
                current_ = nullptr;
                return;
            }
            std::size_t from = 0;
            while (from <= path.size() && !path.empty()) {
                std::size_t to = path.find(u'\\', from);
                if (to == std::u16string::npos) to = path.size();
                walk.Step(std::u16string_view(path.data() + from, to - from));
                from = to + 1;
            }
        }
        Key* key = walk.Finish();
        if (walk.TooDeep()) {
            // The levels above stay, as they are implied by the line; the key and its values
            // are not read, and the hive is never written, so nothing of them is lost.
            Problem(fmt::format("key path deeper than {} levels", kMaxKeyDepth));
            current_ = nullptr;
            return;
        }
        // A key keeps its first spelling (as in Wine), so a block that spells a key of its
        // path otherwise is written anew: written as read, it would rename the key.
        if (walk.Respelled()) key->dirty = true;
        const std::size_t p = SkipSpace(body, after);
        if (p < body.size() && key->filetime == 0) {
            std::size_t q = p;
            unsigned long long seconds = 0;
            while (q < body.size() && q - p < 19 && body[q] >= '0' && body[q] <= '9')
                seconds = seconds * 10 + static_cast<unsigned>(body[q++] - '0');
            if (q > p && (q == body.size() || body[q] < '0' || body[q] > '9')) {
                key->filetime =
                    seconds * platform::kFileTimeTicksPerSecond + platform::kFileTimeAt1970;
            } else {
                // Signs, twenty digits and more: as strtoull reads them.
                char* end = nullptr;
                const std::string digits(body.substr(p));
                seconds = std::strtoull(digits.c_str(), &end, 10);
                if (end != digits.c_str())
                    key->filetime =
                        seconds * platform::kFileTimeTicksPerSecond + platform::kFileTimeAt1970;
            }
        }
        for (Key* up = key->parent; up && up->filetime == 0; up = up->parent)
            up->filetime = key->filetime;
        current_ = key;
        values_.assign(key->values.begin(), key->values.end());  // a second block adds to them
        blockStart_ = start;
        valuesInBlock_ = 0;
    }

    bool Option(std::string_view body, bool global) {
        if (global) {
            if (body.starts_with("#arch=")) {
                const std::string_view arch = body.substr(6);
                if (arch != "win32" && arch != "win64") {
                    error_ = fmt::format(
                        "{}:{}: unknown architecture \"{}\" (expected win32 "
                        "or win64)",
                        hive_.path, lines_.Number(), arch);
                    return false;
                }
            }
            return true;
        }
        if (!current_) return true;
        if (body.starts_with("#time=")) {
            std::uint64_t value = 0;
            std::size_t digits = 0;
            for (char c : body.substr(6)) {
                const int d = HexDigit(c);
                if (d < 0) break;
                value = value * 16 + static_cast<unsigned>(d);
                ++digits;
            }
            if (digits > 0) current_->filetime = value;
            // Wine writes a time as "%x%08x": 15 digits for any date after 1829.
            if (lines_.Cut() && digits + 6 == body.size() && digits < kTimeDigits)
                Problem("key time cut short at the end of the file");
        } else if (body.starts_with("#class=\"")) {
            std::u16string cls;
            if (DecodeEscaped(body, 8, '"', cls) == std::string_view::npos) {
                Problem("class text without its closing quote");
            } else {
                current_->className = target_.store->Text(cls);
                current_->hasClass = true;
            }
        } else if (body == "#link") {
            current_->isLink = true;
        }
        return true;
    }

    void ValueLine(std::string_view body) {
        if (!current_) {
            Problem("value line before any key");
            return;
        }
        Value value;
        std::size_t pos = 1;
        name_.clear();
        if (body[0] == '"') {
            pos = DecodeEscaped(body, 1, '"', name_);
            if (pos == std::string_view::npos) {
                Problem("value name without its closing quote");
                return;
            }
        }
        // Keys of one kind repeat the same names in the same order: the name at this place in
        // the previous block is tried before the store is searched.
        const std::size_t place = valuesInBlock_++;
        if (place < previousNames_.size() && previousNames_[place] == std::u16string_view(name_)) {
            value.name = previousNames_[place];
        } else {
            value.name = target_.store->Name(name_);
            if (place < previousNames_.size()) previousNames_[place] = value.name;
            else if (place == previousNames_.size()) previousNames_.push_back(value.name);
        }
        pos = SkipSpace(body, pos);
        if (pos >= body.size() || body[pos] != '=') {
            Problem("value line without \"=\"");
            return;
        }
        pos = SkipSpace(body, pos + 1);
        cutData_ = false;
        if (!ValueData(body.substr(pos), value)) {
            // Wine keeps such a value as an empty REG_NONE; we keep the whole key's text and
            // refuse to write this hive, so nothing of it is lost.
            Problem("malformed value data");
            value.type = REG_NONE;
            value.stored = {};
            value.inText = false;
        } else if (cutData_) {
            // Wine reads such a tail without a word; written back it would stay damaged.
            Problem("value data cut short at the end of the file");
        }
        Store(std::move(value));
    }

    void Store(const Value& value) {
        auto& values = values_;
        std::size_t i = values.size();
        if (!values.empty() && CompareNames(values.back().name, value.name) >= 0)
            i = static_cast<std::size_t>(
                std::lower_bound(values.begin(), values.end(), value.name,
                                 [](const Value& v, std::u16string_view n) {
                                     return CompareNames(v.name, n) < 0;
                                 }) -
                values.begin());
        if (i < values.size() && CompareNames(values[i].name, value.name) == 0) {
            // A later line of the same name wins; the first spelling of the name stays.
            values[i].type = value.type;
            values[i].stored = value.stored;
            values[i].inText = value.inText;
        } else {
            values.insert(values.begin() + static_cast<std::ptrdiff_t>(i), value);
        }
    }

    bool ValueData(std::string_view s, Value& value) {
        std::size_t strAt = std::string_view::npos;
        if (s.starts_with("\"")) {
            value.type = REG_SZ, strAt = 0;
        } else if (s.starts_with("str:\"")) {
            value.type = REG_SZ, strAt = 4;
        } else if (s.starts_with("str(2):\"")) {
            value.type = REG_EXPAND_SZ, strAt = 7;
        } else if (s.starts_with("str(7):\"")) {
            value.type = REG_MULTI_SZ, strAt = 7;
        }
        if (strAt != std::string_view::npos) {
            const std::size_t end = SkipEscaped(s, strAt + 1, '"');
            if (end == std::string_view::npos) return false;
            value.stored = s.substr(strAt + 1, end - 1 - (strAt + 1));
            value.inText = true;
            return true;
        }
        if (s.starts_with("dword:")) {
            std::uint32_t number = 0;
            std::size_t digits = 0;
            for (char c : s.substr(6)) {
                const int d = HexDigit(c);
                if (d < 0) break;
                number = number * 16 + static_cast<unsigned>(d);
                ++digits;
            }
            cutData_ = lines_.Cut() && digits + 6 == s.size() && digits < 8;
            value.type = REG_DWORD;
            const std::uint8_t bytes[4] = {
                static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
            value.stored = target_.store->Bytes(bytes, 4);
            return true;
        }
        std::size_t pos = 0;
        if (s.starts_with("hex:")) {
            value.type = REG_BINARY;
            pos = 4;
        } else if (s.starts_with("hex(")) {
            std::uint32_t type = 0;
            pos = 4;
            bool any = false;
            while (pos < s.size() && HexDigit(s[pos]) >= 0) {
                type = type * 16 + static_cast<unsigned>(HexDigit(s[pos++]));
                any = true;
            }
            if (!any || s.substr(pos, 2) != "):") return false;
            value.type = type;
            pos += 2;
        } else {
            return false;
        }
        bytes_.clear();
        if (!HexBytes(s, pos, bytes_)) return false;
        value.stored = target_.store->Bytes(bytes_.data(), bytes_.size());
        return true;
    }

    // Comma-separated bytes; a backslash at the end of a line continues on the next.
    // A list that ends the file without a line end, after a separator or inside a byte, was
    // cut short (sets cutData_).
    bool HexBytes(std::string_view s, std::size_t pos, std::vector<std::uint8_t>& out) {
        bool open = false;  // a separator or continuation still wants a byte
        for (;;) {
            pos = SkipSpace(s, pos);
            if (pos >= s.size()) {
                cutData_ = lines_.Cut() && open;
                return true;
            }
            if (s[pos] == '\\') {
                std::size_t start = 0;
                if (SkipSpace(s, pos + 1) != s.size() || !lines_.Next(s, start)) return false;
                pos = 0;
                open = true;
                continue;
            }
            unsigned byte = 0;
            int digits = 0;
            for (int d; pos < s.size() && (d = HexDigit(s[pos])) >= 0; ++pos) {
                byte = byte * 16 + static_cast<unsigned>(d);
                if (++digits > 2) return false;
            }
            if (digits == 0) return false;
            out.push_back(static_cast<std::uint8_t>(byte));
            open = digits == 1 && pos == s.size();
            pos = SkipSpace(s, pos);
            if (pos < s.size()) {
                if (s[pos] == ',') {
                    ++pos;
                    open = true;
                } else if (s[pos] != '\\') return false;
            }
        }
    }

    Hive& hive_;
    std::string& error_;
    Target target_;
    Lines lines_;
    std::size_t firstKey_;  // where the first key line starts; npos before it
    Key* current_ = nullptr;
    std::vector<Value> values_;  // the current block's values, in order
    std::size_t blockStart_ = 0;
    std::u16string name_;                             // the value name being read
    std::vector<std::u16string_view> previousNames_;  // by place in the block, kept by the store
    std::size_t valuesInBlock_ = 0;
    std::vector<std::uint8_t> bytes_;  // the hex data being read
    bool cutData_ = false;             // the value's data was cut short by the file's end
    // The components of the previous key line's path and the keys they lead to.
    std::vector<Link> chain_;
};

// The first key line at or after `from` whose line before does not go on in it (a backslash
// at the end of hex data); npos when there is none.
std::size_t SplitPoint(std::string_view text, std::size_t from) {
    if (from == 0 || from >= text.size()) return std::string_view::npos;
    for (std::size_t at = text.find("\n[", from - 1); at != std::string_view::npos;
         at = text.find("\n[", at + 1)) {
        std::size_t last = at;
        while (last > 0 &&
               (text[last - 1] == ' ' || text[last - 1] == '\t' || text[last - 1] == '\r'))
            --last;
        if (last == 0 || text[last - 1] != '\\') return at + 1;
    }
    return std::string_view::npos;
}

}  // namespace

bool ParseHive(Hive& hive, std::string& error) {
    return ParseHiveSplit(
        hive, error,
        hive.text.size() >= kParallelParseBytes ? hive.text.size() / 2 : std::string_view::npos);
}

bool ParseHiveSplit(Hive& hive, std::string& error, std::size_t splitFrom) {
    const Target own{hive.root, hive.store.get(), &hive.problem};
    const std::size_t split = SplitPoint(hive.text, splitFrom);
    if (split == std::string_view::npos) return Parser(hive, error, own, 0, hive.text.size()).Run();

    // The second half is read on another thread into a tree of its own. It is used only when
    // it reads cleanly and fits on the first half's tree as a sorted file's does; otherwise
    // the first half's parser reads on, exactly as in one pass.
    auto tailStore = std::make_unique<HiveStore>();
    Key* tailRoot = &tailStore->NewKey({});
    std::string tailProblem, tailError;
    Parser head(hive, error, own, 0, split);
    Parser tail(hive, tailError, Target{tailRoot, tailStore.get(), &tailProblem}, split,
                hive.text.size());
    std::future<bool> tailDone;
    try {
        tailDone = std::async(std::launch::async, [&tail] { return tail.Run(); });
    } catch (const std::system_error&) {  // no thread to be had: one pass
        return Parser(hive, error, own, 0, hive.text.size()).Run();
    }
    const bool headRead = head.Start() && head.Loop();
    const bool tailRead = tailDone.get();
    if (!headRead) return false;
    if (tailRead && tailProblem.empty() && head.SawKey() && CanGraft(*hive.root, *tailRoot)) {
        head.Finish();
        Graft(*hive.root, *tailRoot);
        hive.store->Keep(std::move(tailStore));
        return true;
    }
    return head.Continue();
}

}  // namespace platform::wine::registry
