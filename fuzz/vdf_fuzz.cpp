// Any bytes as a Steam libraryfolders.vdf or appmanifest: the reader never crashes, never
// nests deeper than its bound, and says so whenever it stopped short; what it reads whole is
// written back as quoted text and reads again as the same tree, and a byte order mark in
// front changes nothing.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/discovery/KeyValues.h"

namespace {

using platform::discovery::KeyValue;
using platform::discovery::KeyValuesText;
using platform::discovery::ParseKeyValues;

[[noreturn]] void Violated(const char* what, std::string_view detail) {
    std::fprintf(stderr, "%s: [%.*s]\n", what, static_cast<int>(detail.size()), detail.data());
    std::abort();
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c == '\n' ? std::string("\\n") : c == '\t' ? std::string("\\t") : std::string(1, c);
    }
    return out + '"';
}

// The tree as quoted text, and whether any block in it is cut; without recursion, so a deep
// tree cannot take the fuzzer's own stack.
std::pair<std::string, bool> Written(const KeyValue& root) {
    std::string out;
    bool cut = !root.complete;
    std::vector<std::pair<const KeyValue*, std::size_t>> stack{{&root, 0}};
    while (!stack.empty()) {
        auto& [block, next] = stack.back();
        if (next == block->children.size()) {
            stack.pop_back();
            if (!stack.empty()) out += "}\n";
            continue;
        }
        const KeyValue& child = block->children[next++];
        out += Quoted(child.key);
        if (child.block) {
            cut = cut || !child.complete;
            out += " {\n";
            stack.emplace_back(&child, 0);
            if (stack.size() > 66) Violated("blocks nest past the bound", child.key);
        } else {
            out += ' ' + Quoted(child.value) + '\n';
        }
    }
    return {out, cut};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const KeyValuesText parsed = ParseKeyValues(text);
    const auto [written, cut] = Written(parsed.root);
    if (cut && parsed.error.empty()) Violated("a cut block without an error", text);
    if (!cut && !parsed.error.empty()) Violated("an error without a cut block", parsed.error);
    if (parsed.error.empty()) {
        const KeyValuesText again = ParseKeyValues(written);
        if (!again.error.empty()) Violated("its own writing does not read", again.error);
        if (Written(again.root).first != written) Violated("its own writing reads otherwise", text);
    }
    if (!text.starts_with("\xEF\xBB\xBF")) {
        const KeyValuesText marked = ParseKeyValues("\xEF\xBB\xBF" + std::string(text));
        if (Written(marked.root).first != written || marked.error != parsed.error)
            Violated("a byte order mark changes the reading", text);
    }
    return 0;
}
