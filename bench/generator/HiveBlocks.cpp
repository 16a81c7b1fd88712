#include "bench/generator/HiveBlocks.h"

#include <fmt/format.h>

#include <algorithm>

#include "platform/Win32Types.h"

namespace bench::generator {
namespace {

std::string Escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text) {
        if (c == '\\' || c == '"') out.push_back('\\');
        out.push_back(c);
    }
    return out;
}

std::string NameField(std::string_view name) {
    return name.empty() ? std::string("@=") : "\"" + Escaped(name) + "\"=";
}

std::string Folded(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return out;
}

// Wine's key order: component by component, each folded to lower case (both paths come
// folded).
bool PathLess(std::string_view a, std::string_view b) {
    for (;;) {
        const std::size_t ea = a.find("\\\\"), eb = b.find("\\\\");
        const std::string_view fa = a.substr(0, ea), fb = b.substr(0, eb);
        if (fa != fb) return fa < fb;
        if (ea == std::string_view::npos || eb == std::string_view::npos)
            return ea == std::string_view::npos && eb != std::string_view::npos;
        a.remove_prefix(ea + 2);
        b.remove_prefix(eb + 2);
    }
}

}  // namespace

std::string StringLine(std::string_view name, std::string_view data) {
    return NameField(name) + "\"" + Escaped(data) + "\"\n";
}

std::string ExpandStringLine(std::string_view name, std::string_view data) {
    return NameField(name) + "str(2):\"" + Escaped(data) + "\"\n";
}

std::string DwordLine(std::string_view name, std::uint32_t data) {
    return NameField(name) + fmt::format("dword:{:08x}\n", data);
}

std::string BinaryLine(std::string_view name, const std::vector<std::uint8_t>& data) {
    std::string line = NameField(name) + "hex:";
    std::size_t column = line.size();
    for (std::size_t i = 0; i < data.size(); ++i) {
        line += fmt::format("{:02x}", data[i]);
        column += 2;
        if (i + 1 < data.size()) {
            line += ',';
            if (++column > 76) {
                line += "\\\n  ";
                column = 2;
            }
        }
    }
    return line + "\n";
}

void HiveBlocks::LoadBase(std::string_view text) {
    // Blocks start at a line beginning with '['; everything before the first is the header.
    std::size_t pos = 0;
    std::size_t blockStart = std::string_view::npos;
    auto close = [&](std::size_t end) {
        if (blockStart == std::string_view::npos) {
            header_ = std::string(text.substr(0, end));
            while (!header_.empty() && header_.back() == '\n') header_.pop_back();
            return;
        }
        std::string_view block = text.substr(blockStart, end - blockStart);
        while (!block.empty() && block.back() == '\n') block.remove_suffix(1);
        const std::size_t pathEnd = block.find("] ");
        const std::size_t lineEnd = block.find('\n');
        const std::string path(block.substr(1, pathEnd - 1));
        std::size_t headEnd = lineEnd == std::string_view::npos ? block.size() : lineEnd + 1;
        if (block.substr(headEnd, 6) == "#time=") {
            const std::size_t next = block.find('\n', headEnd);
            headEnd = next == std::string_view::npos ? block.size() : next + 1;
        }
        std::string head(block.substr(0, headEnd));
        if (head.empty() || head.back() != '\n') head.push_back('\n');
        std::string body(block.substr(headEnd));
        if (!body.empty()) body.push_back('\n');
        std::string folded = Folded(path);
        index_.emplace(folded, blocks_.size());
        blocks_.push_back({path, std::move(folded), std::move(head), std::move(body)});
    };
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        if (text[pos] == '[') {
            close(pos);
            blockStart = pos;
        }
        pos = end + 1;
    }
    close(text.size());
}

HiveBlocks::Block& HiveBlocks::At(std::string_view keyPath) {
    std::string path;
    path.reserve(keyPath.size() + 16);
    for (char c : keyPath) {
        if (c == '\\') path += "\\\\";
        else {
            if (c == '[' || c == ']') path.push_back('\\');
            path.push_back(c);
        }
    }
    std::string folded = Folded(path);
    const auto [it, inserted] = index_.try_emplace(folded, blocks_.size());
    if (inserted) blocks_.push_back({std::move(path), std::move(folded), {}, {}});
    return blocks_[it->second];
}

void HiveBlocks::Add(std::string_view keyPath, std::string line) {
    At(keyPath).body += line;
    ++values_;
}

void HiveBlocks::Touch(std::string_view keyPath) { At(keyPath); }

std::string HiveBlocks::Text(std::string_view branch) const {
    std::vector<const Block*> order;
    order.reserve(blocks_.size());
    std::size_t size = header_.size() + 64;
    for (const Block& block : blocks_) {
        order.push_back(&block);
        size += block.path.size() + block.head.size() + block.body.size() + 64;
    }
    std::sort(order.begin(), order.end(),
              [](const Block* a, const Block* b) { return PathLess(a->folded, b->folded); });
    std::string out;
    out.reserve(size);
    out += header_.empty() ? fmt::format(
                                 "WINE REGISTRY Version 2\n;; All keys relative to \\\\{}\n\n"
                                 "#arch=win64",
                                 branch)
                           : header_;
    out.push_back('\n');
    const std::uint64_t filetime =
        keyTime_ * platform::kFileTimeTicksPerSecond + platform::kFileTimeAt1970;
    const std::string generatedHead = fmt::format("] {}\n#time={:x}{:08x}\n", keyTime_,
                                                  static_cast<std::uint32_t>(filetime >> 32),
                                                  static_cast<std::uint32_t>(filetime));
    for (const Block* block : order) {
        out.push_back('\n');
        if (block->head.empty()) {
            out += '[';
            out += block->path;
            out += generatedHead;
        } else {
            out += block->head;
        }
        out += block->body;
    }
    return out;
}

}  // namespace bench::generator
