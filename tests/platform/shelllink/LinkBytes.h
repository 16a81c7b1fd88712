#pragma once
// Hand-made shortcut bytes for the reader tests: each structure laid out field by field
// from the format notes, independent of the writer.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/shelllink/ShellLink.h"

namespace linkbytes {

struct Bytes {
    std::vector<std::uint8_t> b;
    Bytes& u8(std::uint8_t v) {
        b.push_back(v);
        return *this;
    }
    Bytes& u16(std::uint16_t v) {
        return u8(static_cast<std::uint8_t>(v & 0xFF)).u8(static_cast<std::uint8_t>(v >> 8));
    }
    Bytes& u32(std::uint32_t v) {
        return u16(static_cast<std::uint16_t>(v & 0xFFFF)).u16(static_cast<std::uint16_t>(v >> 16));
    }
    Bytes& raw(std::initializer_list<std::uint8_t> v) {
        for (auto x : v) b.push_back(x);
        return *this;
    }
    Bytes& text(std::string_view s) {
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    Bytes& wtext(std::u16string_view s) {
        for (char16_t c : s) u16(c);
        return *this;
    }
    Bytes& zeros(std::size_t n) {
        b.insert(b.end(), n, 0);
        return *this;
    }
    Bytes& append(const Bytes& o) {
        b.insert(b.end(), o.b.begin(), o.b.end());
        return *this;
    }
    std::size_t size() const { return b.size(); }
};

inline constexpr std::uint8_t kMyComputer[16] = {0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                                                 0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};

inline Bytes Header(std::uint32_t flags) {
    Bytes h;
    h.u32(0x4C).raw({0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x00, 0x46});
    h.u32(flags).u32(0x20).zeros(24).u32(0).u32(0).u32(1).zeros(12);
    return h;
}

inline Bytes RootItem() {
    Bytes i;
    i.u16(0x14).u8(0x1F).u8(0x50);
    for (auto c : kMyComputer) i.u8(c);
    return i;
}

inline Bytes DriveItem(std::string_view name = "C:\\", std::uint8_t type = 0x2F) {
    Bytes i;
    i.u16(0x19).u8(type).text(name).zeros(20 - name.size()).u16(0);
    return i;
}

// XP-style file entry: ANSI primary name, v3 long-name block.
inline Bytes XpItem(std::string_view shortName, std::u16string_view longName, std::uint8_t type) {
    std::size_t ansi = (shortName.size() + 2) & ~std::size_t{1};
    std::size_t ext = 0x18 + 2 * longName.size();
    Bytes i;
    i.u16(static_cast<std::uint16_t>(0x0E + ansi + ext)).u8(type).u8(0).u32(0).u32(0).u16(0x10);
    i.text(shortName).zeros(ansi - shortName.size());
    i.u16(static_cast<std::uint16_t>(ext)).u16(3).u32(0xBEEF0004).u32(0).u32(0).u16(0x14).u16(0);
    i.wtext(longName).u16(0).u16(static_cast<std::uint16_t>(0x0E + ansi));
    return i;
}

// Vista and later: the long name sits after more fields (0x26, 0x2A, 0x2E for 7, 8, 9).
inline Bytes LaterItem(std::string_view shortName, std::u16string_view longName, std::uint8_t type,
                       std::uint16_t version) {
    const std::uint16_t nameAt = version >= 9 ? 0x2E : version >= 8 ? 0x2A : 0x26;
    std::size_t ansi = (shortName.size() + 2) & ~std::size_t{1};
    std::size_t ext = nameAt + 2 * (longName.size() + 1) + 2;
    Bytes i;
    i.u16(static_cast<std::uint16_t>(0x0E + ansi + ext)).u8(type).u8(0).u32(0).u32(0).u16(0x10);
    i.text(shortName).zeros(ansi - shortName.size());
    i.u16(static_cast<std::uint16_t>(ext)).u16(version).u32(0xBEEF0004).u32(0).u32(0).u16(nameAt);
    i.zeros(nameAt - 0x12);
    i.b[i.size() - (nameAt - 0x12) + 10] = 0x7A;  // a non-zero NTFS file reference
    i.wtext(longName).u16(0).u16(static_cast<std::uint16_t>(0x0E + ansi));
    return i;
}

// Pre-XP file entry: just the ANSI name.
inline Bytes PlainItem(std::string_view name, std::uint8_t type) {
    std::size_t ansi = (name.size() + 2) & ~std::size_t{1};
    Bytes i;
    i.u16(static_cast<std::uint16_t>(0x0E + ansi)).u8(type).u8(0).u32(0).u32(0).u16(0x20);
    i.text(name).zeros(ansi - name.size());
    return i;
}

inline Bytes IdList(std::initializer_list<Bytes> items) {
    Bytes body;
    for (const auto& i : items) body.append(i);
    Bytes list;
    list.u16(static_cast<std::uint16_t>(body.size() + 2)).append(body).u16(0);
    return list;
}

// LinkInfo with header 0x1C, a VolumeID, the local base path and an empty suffix.
inline Bytes LinkInfo(std::string_view path) {
    const std::uint32_t pathOffset = 0x1C + 0x11;
    const std::uint32_t suffix = pathOffset + static_cast<std::uint32_t>(path.size()) + 1;
    Bytes l;
    l.u32(suffix + 1).u32(0x1C).u32(1).u32(0x1C).u32(pathOffset).u32(0).u32(suffix);
    l.u32(0x11).u32(3).u32(0x12345678).u32(0x10).u8(0);
    l.text(path).u8(0).u8(0);
    return l;
}

inline Bytes CountedW(std::u16string_view s) {
    Bytes b;
    b.u16(static_cast<std::uint16_t>(s.size())).wtext(s);
    return b;
}

inline Bytes Terminal() { return Bytes().u32(0); }

inline platform::shelllink::ShellLinkData Parse(const Bytes& bytes) {
    return platform::shelllink::ParseShellLink(bytes.b.data(), bytes.b.size());
}
inline platform::shelllink::ShellLinkData Parse(const std::vector<std::uint8_t>& bytes) {
    return platform::shelllink::ParseShellLink(bytes.data(), bytes.size());
}

}  // namespace linkbytes
