#include "platform/wine/install/InfReader.h"

#include <cstdlib>
#include <map>
#include <set>
#include <utility>

#include "platform/codepage/Codepage.h"

namespace platform::wine {
namespace {

using Text = std::u16string;

struct InfLine {
    bool hasKey = false;
    Text key;
    std::vector<Text> fields;
};

using Sections = std::map<Text, std::vector<InfLine>>;

Text Lower(std::u16string_view text) {
    Text out(text);
    for (char16_t& c : out) c = codepage::ToLower(c);
    return out;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r'; }

// The part of a physical line before its comment (a ';' outside quotes), right-trimmed.
std::u16string_view WithoutComment(std::u16string_view line) {
    bool quoted = false;
    std::size_t end = line.size();
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == u'"') quoted = !quoted;
        if (line[i] == u';' && !quoted) {
            end = i;
            break;
        }
    }
    while (end > 0 && IsBlank(line[end - 1])) --end;
    return line.substr(0, end);
}

// Splits a logical line into its key (text before a '=' that comes before the first ',')
// and its comma-separated fields. Quotes are removed ("" inside quotes is one quote);
// blanks outside quotes around a field are dropped.
InfLine Tokenize(std::u16string_view line) {
    InfLine result;
    Text field;
    std::size_t kept = 0;  // length of `field` up to its last character that counts
    bool quoted = false;
    auto finish = [&] {
        field.resize(kept);
        result.fields.push_back(std::move(field));
        field.clear();
        kept = 0;
    };
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char16_t c = line[i];
        if (quoted) {
            if (c == u'"' && i + 1 < line.size() && line[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
                continue;
            } else {
                field += c;
            }
            kept = field.size();
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            finish();
        } else if (c == u'=' && !result.hasKey && result.fields.empty()) {
            result.hasKey = true;
            field.resize(kept);
            result.key = std::move(field);
            field.clear();
            kept = 0;
        } else if (!IsBlank(c) || !field.empty()) {
            field += c;
            if (!IsBlank(c)) kept = field.size();
        }
    }
    if (!line.empty()) finish();
    return result;
}

Sections Parse(const Text& text) {
    Sections sections;
    std::vector<InfLine>* current = nullptr;
    Text logical;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find(u'\n', pos);
        if (end == Text::npos) end = text.size();
        std::u16string_view content =
            WithoutComment(std::u16string_view(text).substr(pos, end - pos));
        pos = end + 1;
        // A backslash ending a line joins the next line to it.
        const bool continued = !content.empty() && content.back() == u'\\';
        if (continued) content.remove_suffix(1);
        logical += content;
        if (continued && pos < text.size()) continue;

        std::size_t start = 0;
        while (start < logical.size() && IsBlank(logical[start])) ++start;
        const std::u16string_view line = std::u16string_view(logical).substr(start);
        if (!line.empty() && line.front() == u'[') {
            const std::size_t close = line.find(u']');
            current = &sections[Lower(line.substr(
                1, close == std::u16string_view::npos ? std::u16string_view::npos : close - 1))];
        } else if (!line.empty() && current) {
            current->push_back(Tokenize(line));
        }
        logical.clear();
    }
    return sections;
}

// The folders a directory id names, as Wine's setupapi gives them in a 64-bit prefix; a
// 32-bit process sees the 32-bit system and program folders.
const char16_t* DirectoryOf(unsigned long id, bool wow64) {
    const char16_t* system = wow64 ? u"C:\\windows\\syswow64" : u"C:\\windows\\system32";
    switch (id) {
    case 10:
    case 25:
    case 16420: return u"C:\\windows";
    case 11:
    case 16421: return system;
    case 12: return wow64 ? u"C:\\windows\\syswow64\\drivers" : u"C:\\windows\\system32\\drivers";
    case 17: return u"C:\\windows\\inf";
    case 18: return u"C:\\windows\\help";
    case 20: return u"C:\\windows\\Fonts";
    case 24: return u"C:";
    case 30: return u"C:\\";
    case 16419: return u"C:\\ProgramData";
    case 16422: return wow64 ? u"C:\\Program Files (x86)" : u"C:\\Program Files";
    case 16425: return u"C:\\windows\\syswow64";
    case 16426: return u"C:\\Program Files (x86)";
    case 16427:
        return wow64 ? u"C:\\Program Files (x86)\\Common Files"
                     : u"C:\\Program Files\\Common Files";
    case 16428: return u"C:\\Program Files (x86)\\Common Files";
    default: return nullptr;
    }
}

class Substitution {
public:
    Substitution(const Sections& sections, bool wow64) : wow64_(wow64) {
        if (const auto found = sections.find(u"strings"); found != sections.end())
            for (const InfLine& line : found->second)
                if (line.hasKey)
                    strings_[Lower(line.key)] = line.fields.empty() ? Text() : line.fields[0];
    }

    // %name% from [Strings], %number% a directory id, %% a percent sign; anything else,
    // an unknown name or a lone %, stays as written (as setupapi leaves it).
    Text operator()(const Text& text) const {
        Text out;
        std::size_t pos = 0;
        while (pos < text.size()) {
            const std::size_t open = text.find(u'%', pos);
            const std::size_t close = open == Text::npos ? Text::npos : text.find(u'%', open + 1);
            if (close == Text::npos) {
                out.append(text, pos, Text::npos);
                break;
            }
            out.append(text, pos, open - pos);
            const Text name = text.substr(open + 1, close - open - 1);
            if (name.empty()) {
                out += u'%';
            } else if (const Text* value = Lookup(name)) {
                out += *value;
            } else {
                out.append(text, open, close - open + 1);
            }
            pos = close + 1;
        }
        return out;
    }

private:
    const Text* Lookup(const Text& name) const {
        if (const auto found = strings_.find(Lower(name)); found != strings_.end())
            return &found->second;
        std::string digits;
        for (char16_t c : name) {
            if (c < u'0' || c > u'9') return nullptr;
            digits += static_cast<char>(c);
        }
        const char16_t* dir = DirectoryOf(std::strtoul(digits.c_str(), nullptr, 10), wow64_);
        if (!dir) return nullptr;
        directory_ = dir;
        return &directory_;
    }

    bool wow64_;
    std::map<Text, Text> strings_;
    mutable Text directory_;
};

HKEY RootOf(const Text& field) {
    const Text root = Lower(field);
    if (root == u"hklm" || root == u"hkey_local_machine") return HKEY_LOCAL_MACHINE;
    if (root == u"hkcu" || root == u"hkey_current_user") return HKEY_CURRENT_USER;
    if (root == u"hkcr" || root == u"hkey_classes_root") return HKEY_CLASSES_ROOT;
    if (root == u"hku" || root == u"hkey_users") return HKEY_USERS;
    return 0;  // HKR and anything unknown: no fixed place in the registry
}

// Flag bits of an AddReg line (setupapi.h).
constexpr unsigned long kDeleteValue = 0x4;
constexpr unsigned long kKeyOnly = 0x10;
constexpr unsigned long kTypeMask = 0xFFFF0001;
constexpr unsigned long kTypeExpandSz = 0x20000;

void AddSection(const std::vector<InfLine>& lines, const Substitution& subst,
                std::vector<InfRegistryValue>& values) {
    for (const InfLine& line : lines) {
        if (line.hasKey || line.fields.size() < 3) continue;
        const HKEY root = RootOf(subst(line.fields[0]));
        if (root == 0) continue;
        std::string flagText;
        if (line.fields.size() > 3)
            for (char16_t c : subst(line.fields[3]))
                flagText += static_cast<char>(c < 128 ? c : '?');
        const unsigned long flags = std::strtoul(flagText.c_str(), nullptr, 0);
        if (flags & (kDeleteValue | kKeyOnly)) continue;
        const unsigned long type = flags & kTypeMask;
        if (type != 0 && type != kTypeExpandSz) continue;
        values.push_back({root, subst(line.fields[1]), subst(line.fields[2]),
                          type == 0 ? REG_SZ : REG_EXPAND_SZ,
                          line.fields.size() > 4 ? subst(line.fields[4]) : Text()});
    }
}

}  // namespace

std::vector<InfRegistryValue> ReadInfRegistryValues(std::string_view infText) {
    const Sections sections = Parse(codepage::Utf8ToUtf16(infText));
    std::vector<InfRegistryValue> values;
    // Each AddReg section once per kind of process that installs it.
    std::set<std::pair<Text, bool>> done;
    const Substitution native(sections, false), wow64Subst(sections, true);
    for (const auto& [name, lines] : sections) {
        const bool wow64 = name.rfind(u"wow64install", 0) == 0;
        const Substitution& subst = wow64 ? wow64Subst : native;
        for (const InfLine& line : lines) {
            if (!line.hasKey || Lower(line.key) != u"addreg") continue;
            for (const Text& field : line.fields) {
                const Text target = Lower(field);
                const auto found = sections.find(target);
                if (found == sections.end() || !done.insert({target, wow64}).second) continue;
                AddSection(found->second, subst, values);
            }
        }
    }
    return values;
}

}  // namespace platform::wine
