// Writing shortcuts shaped like the ones Windows writes (XP-style items with a long-name
// block), for tests and the demo prefix.
#include <vector>

#include "platform/shelllink/ShellLink.h"
#include "platform/codepage/Codepage.h"

namespace platform::shelllink {
namespace {

constexpr std::uint8_t kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                         0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr std::uint8_t kMyComputer[16] = {0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                                          0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};
constexpr std::uint32_t kVolumeSerial = 0x4E4F524C;
constexpr std::uint32_t kDriveFixed = 3;
constexpr std::uint32_t kAttributeDirectory = 0x10, kAttributeArchive = 0x20;

class Out {
public:
    void U8(std::uint8_t v) { bytes_.push_back(v); }
    void U16(std::uint16_t v) {
        U8(static_cast<std::uint8_t>(v));
        U8(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v) {
        U16(static_cast<std::uint16_t>(v));
        U16(static_cast<std::uint16_t>(v >> 16));
    }
    void Bytes(const std::uint8_t* data, std::size_t n) {
        bytes_.insert(bytes_.end(), data, data + n);
    }
    void Text(std::string_view s) {
        Bytes(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
    }
    void Zeros(std::size_t n) { bytes_.insert(bytes_.end(), n, 0); }
    void Append(const Out& other) {
        bytes_.insert(bytes_.end(), other.bytes_.begin(), other.bytes_.end());
    }
    std::size_t size() const { return bytes_.size(); }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

// "C:\a\b" -> {"a", "b"}; empty components are skipped.
std::vector<std::string> Components(std::string_view path) {
    std::vector<std::string> parts;
    std::size_t start = 3;
    while (start < path.size()) {
        std::size_t end = path.find_first_of("\\/", start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) parts.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

bool IsDrivePath(std::string_view path) {
    return path.size() >= 3 && ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z') &&
           path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

// A file entry item: fixed fields, the ANSI name padded to an even length, then the
// version 3 extension block with the same name in UTF-16 and its offset as the last word.
void FileItem(Out& list, std::string_view name, bool folder) {
    const std::u16string wide = codepage::AnsiToUtf16(name);
    const std::size_t ansi = (name.size() + 1 + 1) & ~std::size_t{1};
    const std::size_t extension = 0x18 + 2 * wide.size();
    list.U16(static_cast<std::uint16_t>(0x0E + ansi + extension));
    list.U8(folder ? 0x31 : 0x32);
    list.U8(0);
    list.U32(0);  // file size
    list.U32(0);  // FAT date and time
    list.U16(folder ? kAttributeDirectory : kAttributeArchive);
    list.Text(name);
    list.Zeros(ansi - name.size());
    list.U16(static_cast<std::uint16_t>(extension));
    list.U16(3);           // version
    list.U32(0xBEEF0004);  // signature
    list.U32(0);           // creation FAT date and time
    list.U32(0);           // access FAT date and time
    list.U16(0x14);        // long-name offset for version 3
    list.U16(0);           // no localized name
    for (char16_t c : wide) list.U16(c);
    list.U16(0);
    list.U16(static_cast<std::uint16_t>(0x0E + ansi));
}

Out IdList(const ShellLinkRecipe& wanted) {
    Out items;
    items.U16(0x14);
    items.U8(0x1F);
    items.U8(0x50);  // sort index of My Computer
    items.Bytes(kMyComputer, sizeof kMyComputer);
    items.U16(0x19);
    items.U8(0x2F);
    std::string drive = wanted.target.substr(0, 2) + "\\";
    drive[0] = static_cast<char>(drive[0] & ~0x20);
    items.Text(drive);
    items.Zeros(20 - drive.size() + 2);
    const auto parts = Components(wanted.target);
    for (std::size_t i = 0; i < parts.size(); ++i)
        FileItem(items, parts[i], i + 1 < parts.size() || wanted.targetIsFolder);
    Out list;
    list.U16(static_cast<std::uint16_t>(items.size() + 2));
    list.Append(items);
    list.U16(0);
    return list;
}

Out LinkInfo(std::string_view path) {
    constexpr std::uint32_t kHeader = 0x1C, kVolumeSize = 0x11;
    const std::uint32_t pathOffset = kHeader + kVolumeSize;
    const std::uint32_t suffixOffset = pathOffset + static_cast<std::uint32_t>(path.size()) + 1;
    Out info;
    info.U32(suffixOffset + 1);
    info.U32(kHeader);
    info.U32(1);  // volume ID and local base path
    info.U32(kHeader);
    info.U32(pathOffset);
    info.U32(0);
    info.U32(suffixOffset);
    info.U32(kVolumeSize);
    info.U32(kDriveFixed);
    info.U32(kVolumeSerial);
    info.U32(0x10);  // volume label offset: the empty label that follows
    info.U8(0);
    info.Text(path);
    info.U8(0);
    info.U8(0);  // empty common path suffix
    return info;
}

// Counted UTF-16 without a NUL, as Windows writes it.
void String(Out& out, const std::u16string& text) {
    out.U16(static_cast<std::uint16_t>(text.size()));
    for (char16_t c : text) out.U16(c);
}

}  // namespace

std::vector<std::uint8_t> WriteShellLink(const ShellLinkRecipe& wanted) {
    const bool idList = wanted.withIdList && IsDrivePath(wanted.target);
    const bool linkInfo = wanted.withLinkInfo && !wanted.target.empty();
    std::uint32_t flags = 0x80;  // Unicode strings
    if (idList) flags |= 0x1;
    if (linkInfo) flags |= 0x2;
    if (!wanted.description.empty()) flags |= 0x4;
    if (!wanted.relativePath.empty()) flags |= 0x8;
    if (!wanted.workingDir.empty()) flags |= 0x10;
    if (!wanted.arguments.empty()) flags |= 0x20;

    Out out;
    out.U32(0x4C);
    out.Bytes(kLinkClsid, sizeof kLinkClsid);
    out.U32(flags);
    out.U32(wanted.targetIsFolder ? kAttributeDirectory : kAttributeArchive);
    out.Zeros(3 * 8 + 4 + 4);  // times, file size, icon index
    out.U32(1);                // SW_SHOWNORMAL
    out.Zeros(2 + 2 + 4 + 4);  // hot key, reserved
    if (idList) out.Append(IdList(wanted));
    if (linkInfo) out.Append(LinkInfo(wanted.target));
    if (flags & 0x4) String(out, wanted.description);
    if (flags & 0x8) String(out, wanted.relativePath);
    if (flags & 0x10) String(out, wanted.workingDir);
    if (flags & 0x20) String(out, wanted.arguments);
    out.U32(0);  // terminal block
    return out.Take();
}

}  // namespace platform::shelllink
