#include "platform/wine/install/WineInstallation.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/codepage/Codepage.h"

namespace platform::wine {
namespace {

using Text = std::u16string;

Text Fold(std::u16string_view text) {
    Text out(text);
    for (char16_t& c : out) c = codepage::ToLower(c);
    return out;
}

// The key as one spelling: lower case, single separators, no Wow6432Node component, and
// HKEY_CLASSES_ROOT under HKLM\Software\Classes.
Text FoldedKey(HKEY root, std::u16string_view subKey) {
    Text path =
        root == HKEY_CLASSES_ROOT ? Text(u"software\\classes\\") + Text(subKey) : Text(subKey);
    if (root == HKEY_CLASSES_ROOT) root = HKEY_LOCAL_MACHINE;
    Text out = root == HKEY_LOCAL_MACHINE ? u"hklm" : root == HKEY_CURRENT_USER ? u"hkcu" : u"hku";
    bool strippedWow = false;
    std::size_t pos = 0;
    while (pos <= path.size()) {
        std::size_t end = path.find(u'\\', pos);
        if (end == Text::npos) end = path.size();
        const Text part = Fold(std::u16string_view(path).substr(pos, end - pos));
        if (!part.empty() && !(part == u"wow6432node" && !strippedWow)) out += u'\\' + part;
        if (part == u"wow6432node") strippedWow = true;
        pos = end + 1;
    }
    return out;
}

std::string AsciiLower(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        if (c >= 128) return {};  // the library's strings are ASCII
        out += static_cast<char>(c >= u'A' && c <= u'Z' ? c + 32 : c);
    }
    return out;
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return in ? text.str() : std::string();
}

}  // namespace

WineInstallation WineInstallation::Read(const InstallationPlace& place) {
    const std::string inf = ReadWhole(place.dataDir + "/wine.inf");
    const std::string module =
        place.fontModule.empty() ? std::string() : ReadWhole(place.fontModule);
    return WineInstallation(ReadInfRegistryValues(inf), module);
}

WineInstallation::WineInstallation(const std::vector<InfRegistryValue>& infValues,
                                   std::string_view fontModule) {
    for (const InfRegistryValue& value : infValues)
        infValues_[FoldedKey(value.root, value.key) + u'\\' + Fold(value.name)].push_back(
            Fold(value.data));
    // Runs of printable ASCII that end in a zero byte are the library's C strings.
    std::size_t start = 0;
    for (std::size_t i = 0; i < fontModule.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(fontModule[i]);
        if (c >= 0x20 && c < 0x7f) continue;
        if (c == 0 && i - start >= 3) {
            std::string text(fontModule.substr(start, i - start));
            std::transform(text.begin(), text.end(), text.begin(),
                           [](char ch) { return ch >= 'A' && ch <= 'Z' ? ch + 32 : ch; });
            if (text.find('.') != std::string::npos) moduleFileNames_.push_back(text);
            moduleStrings_.insert(std::move(text));
        }
        start = i + 1;
    }
}

bool WineInstallation::IsWineFont(const Text& key, std::u16string_view valueName,
                                  std::u16string_view data) const {
    // The two Fonts keys Wine's font code fills for each code page's bitmap fonts, with bare
    // file names found in the Fonts folder.
    if (key != u"hklm\\software\\microsoft\\windows nt\\currentversion\\fonts" &&
        key != u"hklm\\software\\microsoft\\windows\\currentversion\\fonts")
        return false;
    if (data.find_first_of(u"\\/:") != std::u16string_view::npos) return false;
    const std::string name = AsciiLower(valueName);
    const std::string file = AsciiLower(data);
    if (name.empty() || file.find('.') == std::string::npos || !moduleStrings_.count(name))
        return false;
    // The compiler may keep "serife.fon" as the tail of "sserife.fon".
    return std::any_of(moduleFileNames_.begin(), moduleFileNames_.end(),
                       [&file](const std::string& text) { return text.ends_with(file); });
}

bool WineInstallation::Writes(HKEY root, std::u16string_view subKey, std::u16string_view valueName,
                              std::u16string_view data) const {
    if (root != HKEY_LOCAL_MACHINE && root != HKEY_CURRENT_USER && root != HKEY_CLASSES_ROOT &&
        root != HKEY_USERS)
        return false;
    const Text key = FoldedKey(root, subKey);
    if (const auto found = infValues_.find(key + u'\\' + Fold(valueName));
        found != infValues_.end())
        if (std::find(found->second.begin(), found->second.end(), Fold(data)) !=
            found->second.end())
            return true;
    return IsWineFont(key, valueName, data);
}

}  // namespace platform::wine
