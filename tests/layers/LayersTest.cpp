// The layers' rule, read from the source tree: ui/ and cli/ -> repair/ -> engine/ -> platform/,
// the front ends never include each other, and only platform/ and the front ends include
// operating-system or Qt headers; the desktop programs' shared layer (ui/shared/) none, nor
// either face.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Include {
    bool angled = false;
    std::string path;  // as written between the brackets or quotes
};

// The include a source line makes, if it makes one.
std::optional<Include> ParseInclude(std::string_view line) {
    auto skipSpace = [&line](std::size_t at) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
        return at;
    };
    std::size_t at = skipSpace(0);
    if (at >= line.size() || line[at] != '#') return std::nullopt;
    at = skipSpace(at + 1);
    constexpr std::string_view kInclude = "include";
    if (line.substr(at, kInclude.size()) != kInclude) return std::nullopt;
    at = skipSpace(at + kInclude.size());
    if (at >= line.size() || (line[at] != '<' && line[at] != '"')) return std::nullopt;
    const char close = line[at] == '<' ? '>' : '"';
    const std::size_t end = line.find(close, at + 1);
    if (end == std::string_view::npos) return std::nullopt;
    return Include{close == '>', std::string(line.substr(at + 1, end - at - 1))};
}

// ui/shared/ is read twice: as part of ui/, and on its own as the desktop programs' layer free
// of any toolkit.
const std::vector<std::string> kLayers = {"platform", "engine", "repair", "ui", "cli", "ui/shared"};

// The folders of this source tree an include path can start with; any other first folder
// (or a bare name in brackets) is a header from outside.
const std::set<std::string> kProjectFolders = {"platform", "engine", "repair", "ui",
                                               "cli",      "tests",  "bench",  "fuzz"};

// Headers from outside that engine/ and repair/ may include: the C++ library's (<cstdint>,
// <string_view>: lower-case names without a dot or folder) and these portable libraries.
bool PortableOutsideHeader(const std::string& path) {
    if (path.rfind("fmt/", 0) == 0 || path.rfind("nlohmann/", 0) == 0) return true;
    for (char c : path)
        if (!(std::islower(static_cast<unsigned char>(c)) || c == '_')) return false;
    return !path.empty();
}

// Why a file of `layer` may not make `include`; empty when it may.
std::string Violation(const std::string& layer, const Include& include) {
    const std::size_t slash = include.path.find('/');
    const std::string first = slash == std::string::npos ? "" : include.path.substr(0, slash);
    if (!include.angled && first.empty()) return {};  // beside the including file
    if (layer == "ui/shared") {
        const bool own =
            include.path.rfind("ui/shared/", 0) == 0 || include.path.rfind("ui/res/", 0) == 0;
        if (kProjectFolders.count(first))
            return own || first == "platform" || first == "engine" || first == "repair"
                       ? ""
                       : "ui/shared/ includes no face (the Qt program, ui/win32/) and no cli/";
        return PortableOutsideHeader(include.path)
                   ? ""
                   : "no toolkit or operating-system header in ui/shared/ (only the C++ library, "
                     "fmt, nlohmann/json)";
    }
    if (kProjectFolders.count(first)) {
        static const std::map<std::string, std::set<std::string>> kAllowed = {
            {"platform", {"platform"}},
            {"engine", {"platform", "engine"}},
            {"repair", {"platform", "engine", "repair"}},
        };
        if (layer == "ui" || layer == "cli") {
            const std::string other = layer == "ui" ? "cli" : "ui";
            return first == other ? "the front ends do not include each other" : "";
        }
        return kAllowed.at(layer).count(first) ? "" : layer + "/ does not include " + first + "/";
    }
    if (layer != "engine" && layer != "repair") return {};
    return PortableOutsideHeader(include.path)
               ? ""
               : "no operating-system or Qt header above platform/ (only the C++ library, fmt, "
                 "nlohmann/json)";
}

TEST(Layers, RuleTellsAllowedIncludesFromForbiddenOnes) {
    struct Case {
        const char* layer;
        const char* line;
        bool allowed;
    };
    const Case cases[] = {
        {"engine", "#include <string_view>", true},
        {"engine", "  #  include \"platform/Services.h\"  // why", true},
        {"engine", "#include \"engine/Sections.h\"", true},
        {"engine", "#include <fmt/format.h>", true},
        {"engine", "#include \"repair/RepairLists.h\"", false},
        {"engine", "#include \"ui/GuiHost.h\"", false},
        {"engine", "#include <unistd.h>", false},
        {"engine", "#include <sys/stat.h>", false},
        {"engine", "#include <fcntl.h>", false},
        {"engine", "#include <windows.h>", false},
        {"repair", "#include <Windows.h>", false},
        {"repair", "#include <QString>", false},
        {"repair", "#include <QtCore/QString>", false},
        {"repair", "#include <pthread.h>", false},
        {"repair", "#include \"engine/ScanModel.h\"", true},
        {"repair", "#include \"platform/codepage/Ascii.h\"", true},
        {"repair", "#include \"cli/Cli.h\"", false},
        {"platform", "#include <windows.h>", true},
        {"platform", "#include <sys/file.h>", true},
        {"platform", "#include \"platform/wine/registry/HiveModel.h\"", true},
        {"platform", "#include \"engine/Host.h\"", false},
        {"platform", "#include \"tests/fixtures/TestPrefix.h\"", false},
        {"ui", "#include <QWidget>", true},
        {"ui", "#include \"repair/RepairCommand.h\"", true},
        {"ui", "#include \"platform/wine/WinePrefix.h\"", true},
        {"ui", "#include \"cli/Cli.h\"", false},
        {"ui/shared", "#include \"repair/RepairCommand.h\"", true},
        {"ui/shared", "#include \"ui/res/Strings.h\"", true},
        {"ui/shared", "#include \"ui/shared/Screens.h\"", true},
        {"ui/shared", "#include <span>", true},
        {"ui/shared", "#include \"ui/GuiHost.h\"", false},
        {"ui/shared", "#include \"ui/win32/Text.h\"", false},
        {"ui/shared", "#include <QString>", false},
        {"ui/shared", "#include <windows.h>", false},
        {"cli", "#include \"ui/GuiHost.h\"", false},
        {"cli", "#include <unistd.h>", true},
        {"cli", "#include \"DrennowVersion.h\"", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.layer) + ": " + c.line);
        const std::optional<Include> include = ParseInclude(c.line);
        ASSERT_TRUE(include);
        EXPECT_EQ(Violation(c.layer, *include).empty(), c.allowed);
    }
    EXPECT_FALSE(ParseInclude("// #include <unistd.h> is not made here"));
    EXPECT_FALSE(ParseInclude("#pragma once"));
}

TEST(Layers, EveryIncludeKeepsToItsLayer) {
    const fs::path root = DRENNOW_SOURCE_DIR;
    std::string violations;
    for (const std::string& layer : kLayers) {
        int files = 0;
        for (const auto& entry : fs::recursive_directory_iterator(root / layer)) {
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp" && ext != ".inc"))
                continue;
            ++files;
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number) {
                const std::optional<Include> include = ParseInclude(line);
                if (!include) continue;
                const std::string why = Violation(layer, *include);
                if (!why.empty())
                    violations += fs::relative(entry.path(), root).string() + ":" +
                                  std::to_string(number) + ": " + line + ": " + why + "\n";
            }
        }
        EXPECT_GT(files, 0) << "no source file read in " << (root / layer);
    }
    EXPECT_EQ(violations, "");
}

}  // namespace
