// Any bytes as a Lutris game file or a Bottles bottle.yml: the reader never crashes, reads
// the same with CR LF line ends or a byte order mark, and every scalar it finds, written back
// double-quoted and folded over lines with escaped breaks as PyYAML writes long text, reads
// back the same.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

#include "platform/discovery/SimpleYaml.h"

namespace {

using platform::discovery::ReadYamlScalars;

using Scalars = std::map<std::string, std::string>;

[[noreturn]] void Violated(const char* what, std::string_view detail) {
    std::fprintf(stderr, "%s: [%.*s]\n", what, static_cast<int>(detail.size()), detail.data());
    std::abort();
}

Scalars Read(std::string_view text) {
    return ReadYamlScalars(
        text, {"game.prefix", "game.arch", "wine.version", "Name", "Path", "a", "a.b", "a.b.c"});
}

// `value` double-quoted, a line break after every third space: the break escaped, and a space
// that begins the next line escaped too, as PyYAML does.
std::string DoubleQuoted(const std::string& value) {
    std::string out = "\"";
    int spaces = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(value[i]);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += value[i];
        } else if (c < 0x20 || c == 0x7F) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else if (c == ' ' && ++spaces % 3 == 0) {
            out += " \\\n    ";
            if (i + 1 < value.size() && value[i + 1] == ' ') out += '\\';
        } else {
            out += value[i];
        }
    }
    return out + '"';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Scalars scalars = Read(text);
    if (text.find('\r') == std::string_view::npos) {
        std::string crlf;
        for (const char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        if (Read(crlf) != scalars) Violated("CR LF line ends change the reading", text);
    }
    if (!text.starts_with("\xEF\xBB\xBF") && Read("\xEF\xBB\xBF" + std::string(text)) != scalars)
        Violated("a byte order mark changes the reading", text);
    for (const auto& [path, value] : scalars) {
        const Scalars back = ReadYamlScalars("Name: " + DoubleQuoted(value) + "\n", {"Name"});
        if (back.size() != 1 || back.begin()->second != value)
            Violated("a scalar does not read back", value);
    }
    return 0;
}
