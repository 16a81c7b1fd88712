// The values read from the installed Wine's wine.inf are the ones `wineboot -i` wrote: each
// one the fresh prefix holds (in the 64-bit view or Wow6432Node) has data the reader derived.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <tuple>
#include <sstream>
#include <string>
#include <vector>

#include "platform/codepage/Codepage.h"
#include "platform/wine/WinePrefix.h"
#include "platform/wine/install/InfReader.h"
#include "tests/fixtures/WineTemplate.h"

namespace {

using platform::codepage::Utf16ToAnsi;

std::string Folded(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The value's text in the prefix; false when the key or value is not there.
bool Query(platform::Services& services, platform::HKEY root, const std::string& key,
           const std::string& name, std::string& data) {
    platform::HKEY handle = 0;
    if (services.RegOpenKeyExA(root, key.c_str(), 0, platform::KEY_ALL_ACCESS, &handle) != 0)
        return false;
    std::vector<platform::BYTE> buffer(65536, 0);
    platform::DWORD length = static_cast<platform::DWORD>(buffer.size() - 1);
    platform::DWORD type = 0;
    const bool found =
        services.RegQueryValueExA(handle, name.c_str(), &type, buffer.data(), &length) == 0;
    services.RegCloseKey(handle);
    data = reinterpret_cast<const char*>(buffer.data());
    return found;
}

TEST(InfAgainstWine, EveryDerivedValueIsWhatWinebootWrote) {
    if (!fixtures::WineAvailable()) GTEST_SKIP() << "Wine is not installed";
    std::string note;
    const auto place = platform::wine::LocateInstallation(std::string(), note);
    ASSERT_TRUE(place) << note;
    std::ifstream in(place->dataDir + "/wine.inf", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const auto values = platform::wine::ReadInfRegistryValues(text.str());

    const std::string prefix = fixtures::WineTemplatePrefix();
    ASSERT_FALSE(prefix.empty());
    platform::Status status;
    auto services = platform::wine::OpenPrefix(prefix, status, std::nullopt);
    ASSERT_TRUE(services) << status.message;

    // Every data a line derives for one value (the 64-bit and the 32-bit install). Values the
    // inf leaves empty are filled in by Wine's own code afterwards (the time zone names).
    std::map<std::tuple<platform::HKEY, std::string, std::string>, std::set<std::string>> derived;
    for (const auto& value : values)
        if (!value.data.empty())
            derived[{value.root, Utf16ToAnsi(value.key), Folded(Utf16ToAnsi(value.name))}].insert(
                Folded(Utf16ToAnsi(value.data)));
    std::size_t matched = 0;
    std::vector<std::string> differing;
    for (const auto& [where, datas] : derived) {
        const auto& [root, key, name] = where;
        std::vector<std::string> keys{key};
        if (Folded(key).rfind("software\\", 0) == 0)
            keys.push_back("Software\\Wow6432Node" + key.substr(8));
        for (const std::string& view : keys) {
            std::string data;
            if (!Query(*services, root, view, name, data)) continue;
            if (datas.count(Folded(data))) ++matched;
            else differing.push_back(view + " " + name + " = " + data);
        }
    }
    EXPECT_GT(matched, 500u);
    EXPECT_EQ(differing, std::vector<std::string>{});
}

}  // namespace
