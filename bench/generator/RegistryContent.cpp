#include "bench/generator/RegistryContent.h"

#include <fmt/format.h>

#include <algorithm>

#include "bench/generator/Random.h"

namespace bench::generator {
namespace {

constexpr const char* kVendorWords[] = {
    "Contoso",   "Fabrikam",      "Northwind",  "Adatum",        "Litware",
    "Proseware", "Tailspin",      "Wingtip",    "Woodgrove",     "Lucerne",
    "Humongous", "Trey Research", "Coho",       "Alpine",        "Blue Yonder",
    "Margie",    "Southridge",    "Wide World", "Fourth Coffee", "Relecloud"};
constexpr const char* kVendorKinds[] = {"Software", "Systems", "Labs", "Interactive",
                                        "Technologies"};
constexpr const char* kProducts[] = {
    "Report Designer", "Photo Studio",   "Sync Agent",     "Media Player",
    "Code Editor",     "Backup Manager", "Tax Assistant",  "Font Viewer",
    "Map Explorer",    "Music Maker",    "Disk Tools",     "Mail Client",
    "Chess Master",    "Label Printer",  "Screen Capture", "PDF Reader"};
constexpr const char* kExeStems[] = {"repdes", "photost", "syncagt", "mplay", "codeed", "bkmgr",
                                     "taxast", "fontvw",  "mapexp",  "musmk", "disktl", "mailcl",
                                     "chessm", "lblprt",  "scrcap",  "pdfrd"};
constexpr const char* kDocExtensions[] = {"docx", "xlsx", "png", "pdf", "txt", "mp3", "map", "lbl"};
constexpr const char* kEvents[] = {
    "SystemAsterisk", "SystemExclamation", "SystemHand", "SystemNotification",
    "MailBeep",       "Minimize",          "Maximize",   "Open",
    "Close",          "RestoreUp"};

constexpr int kProductsPerVendor = 6;
constexpr int kClassesPerProduct = 4;
constexpr int kSettingsKeys = 17;
constexpr int kDocumentsPerProduct = 10;
// Keys of one product in system.reg: its own key, settings, 3 per class (CLSID, in-process
// server, ProgID subkey), 2 per ProgID key, App Paths and Uninstall.
constexpr int kSystemKeysPerProduct = 1 + kSettingsKeys + 5 * kClassesPerProduct + 2;
// Values of one product outside its settings keys, roughly.
constexpr int kFixedValuesPerProduct = 47;
constexpr int kSystemDlls = 200;
constexpr int kUserKeysPerProduct = 4;

struct Product {
    std::string vendor, name, folder, exe, stem;
    int index = 0;
};

std::string Guid(Random& rng) {
    const std::uint64_t a = rng.Next(), b = rng.Next();
    return fmt::format("{{{:08X}-{:04X}-{:04X}-{:04X}-{:012X}}}", a >> 32, (a >> 16) & 0xFFFF,
                       a & 0xFFFF, b >> 48, b & 0xFFFFFFFFFFFFull);
}

std::vector<std::uint8_t> Bytes(Random& rng, std::size_t n) {
    std::vector<std::uint8_t> out(n);
    for (auto& b : out) b = static_cast<std::uint8_t>(rng.Next());
    return out;
}

class Content {
public:
    Content(const GeneratorOptions& options, const std::string& user, HiveSet& hives,
            FilePlan& files, GeneratorReport& report)
        : options_(options), user_(user), hives_(hives), files_(files), report_(report),
          rng_(options.seed) {}

    void Run() {
        const int products = std::max(1, options_.systemKeys / kSystemKeysPerProduct);
        const int settingsValues = std::max(
            3, (options_.systemValues / products - kFixedValuesPerProduct) / kSettingsKeys);
        const int userProducts =
            std::min(products, std::max(1, options_.userKeys / kUserKeysPerProduct));
        const int userValuesPerKey =
            std::max(3, options_.userValues / std::max(1, userProducts * kUserKeysPerProduct));
        SystemFiles();
        for (int p = 0; p < products; ++p) {
            const Product product = MakeProduct(p);
            ProductFiles(product);
            ProductKeys(product, settingsValues);
            if (p < userProducts) UserKeys(product, userValuesPerKey);
            Globals(product);
        }
        SoundEvents(products);
        Hardware();
        Shortcuts(products);
        FillerFiles(products);
    }

private:
    // ---- References --------------------------------------------------------------------
    // Returns `live` or, for the chosen share, `dead`, and counts it.
    std::string Ref(HiveFile hive, std::string_view key, std::string_view name, bool fullPath,
                    const std::string& live, const std::string& dead) {
        ++report_.references;
        if (!rng_.Chance(options_.deadShare)) return live;
        ++report_.deadReferences;
        if (options_.recordDead)
            report_.dead.push_back({hive, std::string(key), std::string(name), fullPath});
        return dead;
    }
    // A missing variant of a full path: the file renamed, or its folder gone.
    std::string DeadPath(const std::string& live) {
        const std::size_t slash = live.rfind('\\');
        const std::size_t dot = live.rfind('.');
        if (rng_.Below(2) == 0 && dot != std::string::npos && dot > slash)
            return live.substr(0, dot) + fmt::format("_v{}", rng_.Below(9) + 1) + live.substr(dot);
        return live.substr(0, slash) + " Old" + live.substr(slash);
    }
    std::string MissingName(std::string_view extension) {
        return fmt::format("gone{:06}.{}", missing_++, extension);
    }
    std::string FullRef(HiveFile hive, std::string_view key, std::string_view name,
                        const std::string& live) {
        return Ref(hive, key, name, true, live, DeadPath(live));
    }
    void Add(HiveFile hive, std::string_view key, std::string line) {
        hives_.Of(hive).Add(key, std::move(line));
    }

    // ---- Products ----------------------------------------------------------------------
    Product MakeProduct(int p) {
        const int v = p / kProductsPerVendor;
        Product product;
        product.index = p;
        product.vendor = fmt::format("{} {}", kVendorWords[v % 20], kVendorKinds[(v / 20) % 5]);
        if (v >= 100) product.vendor += fmt::format(" {}", v / 100);
        product.name = fmt::format("{} {}", kProducts[p % 16], 2000 + p % 24);
        product.folder = fmt::format("C:\\Program Files\\{}\\{}", product.vendor, product.name);
        product.stem = fmt::format("{}{}", kExeStems[p % 16], p);
        product.exe = product.folder + "\\" + product.stem + ".exe";
        return product;
    }

    std::string Dll(const Product& product, int n) const {
        return fmt::format("{}\\bin\\{}{}.dll", product.folder, product.stem,
                           n == 0   ? "core"
                           : n == 1 ? "ui"
                                    : "ext");
    }
    std::string Document(const Product& product, int n) const {
        return fmt::format("C:\\users\\{}\\Documents\\{}\\{}\\{} {:02}.{}", user_, product.vendor,
                           product.name, n % 2 ? "Report" : "Notes", n,
                           kDocExtensions[product.index % 8]);
    }
    std::string SystemDll(int n) const { return fmt::format("gensys{:03}.dll", n); }

    void SystemFiles() {
        for (int n = 0; n < kSystemDlls; ++n)
            files_.files.push_back("C:\\windows\\system32\\" + SystemDll(n));
    }

    void ProductFiles(const Product& product) {
        files_.files.push_back(product.exe);
        files_.files.push_back(product.folder + "\\unins000.exe");
        files_.files.push_back(product.folder + "\\agent.exe");
        files_.files.push_back(product.folder + "\\" + product.stem + ".chm");
        for (int n = 0; n < 3; ++n) files_.files.push_back(Dll(product, n));
        for (int n = 0; n < kDocumentsPerProduct; ++n) files_.files.push_back(Document(product, n));
    }

    void ProductKeys(const Product& product, int settingsValues) {
        constexpr HiveFile S = HiveFile::System;
        const std::string key = fmt::format("Software\\{}\\{}", product.vendor, product.name);
        Add(S, key, StringLine("InstallDir", product.folder));
        Add(S, key, StringLine("Path", FullRef(S, key, "Path", product.exe)));
        Add(S, key,
            StringLine("HelpFile",
                       FullRef(S, key, "HelpFile", product.folder + "\\" + product.stem + ".chm")));
        Add(S, key,
            StringLine("Version", fmt::format("{}.{}.{}", 1 + product.index % 12, rng_.Below(10),
                                              rng_.Below(9000) + 1000)));
        Add(S, key, StringLine("Edition", product.index % 3 ? "Professional" : "Home"));
        Add(S, key, DwordLine("Language", 1033));
        Add(S, key, DwordLine("LastUpdate", static_cast<std::uint32_t>(rng_.Next())));
        Add(S, key, BinaryLine("Components", Bytes(rng_, 24)));

        for (int s = 0; s < kSettingsKeys; ++s)
            SettingsKey(product, fmt::format("{}\\Settings\\Group {:02}", key, s), settingsValues);

        for (int c = 0; c < kClassesPerProduct; ++c) {
            const std::string guid = Guid(rng_);
            const std::string clsid = "Software\\Classes\\CLSID\\" + guid;
            const std::string progId =
                fmt::format("{}.{}.{}", kExeStems[product.index % 16], product.index, c + 1);
            Add(S, clsid, StringLine("", fmt::format("{} Class {}", product.name, c + 1)));
            Add(S, clsid + "\\ProgID", StringLine("", progId));
            const std::string server = clsid + "\\InprocServer32";
            if (c == 3) {
                // A system DLL named without its folder, as many classes are registered.
                const int n = static_cast<int>(rng_.Below(kSystemDlls));
                Add(S, server,
                    StringLine("", Ref(S, server, "", false, SystemDll(n), MissingName("dll"))));
            } else {
                Add(S, server, StringLine("", FullRef(S, server, "", Dll(product, c))));
            }
            Add(S, server, StringLine("ThreadingModel", c % 2 ? "Both" : "Apartment"));
            Add(S, "Software\\Classes\\" + progId, StringLine("", product.name));
            Add(S, "Software\\Classes\\" + progId + "\\CLSID", StringLine("", guid));
        }

        const std::string appPath =
            "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + product.stem + ".exe";
        Add(S, appPath, StringLine("", FullRef(S, appPath, "", product.exe)));
        Add(S, appPath, StringLine("Path", product.folder));

        const std::string uninstall =
            "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" +
            (product.index % 2 ? Guid(rng_) : product.vendor + " " + product.name);
        Add(S, uninstall, StringLine("DisplayName", product.vendor + " " + product.name));
        Add(S, uninstall,
            StringLine("DisplayVersion", fmt::format("{}.0", 1 + product.index % 12)));
        Add(S, uninstall, StringLine("Publisher", product.vendor));
        Add(S, uninstall, StringLine("InstallLocation", product.folder + "\\"));
        Add(S, uninstall,
            StringLine("DisplayIcon", FullRef(S, uninstall, "DisplayIcon", product.exe) + ",0"));
        Add(S, uninstall,
            StringLine(
                "UninstallString",
                "\"" + FullRef(S, uninstall, "UninstallString", product.folder + "\\unins000.exe") +
                    "\" /SILENT"));
        Add(S, uninstall, DwordLine("EstimatedSize", rng_.Below(500000)));
        Add(S, uninstall, DwordLine("NoModify", 1));
        Add(S, uninstall, DwordLine("NoRepair", 1));
    }

    void SettingsKey(const Product& product, const std::string& key, int values) {
        constexpr HiveFile S = HiveFile::System;
        for (int v = 0; v < values; ++v) {
            const std::string name = fmt::format("Option{:02}", v);
            switch (v % 8) {
            case 0:
                Add(S, key,
                    StringLine(name,
                               FullRef(S, key, name, Document(product, v % kDocumentsPerProduct))));
                break;
            case 1:
                Add(S, key,
                    StringLine(name, "\"" + FullRef(S, key, name, product.exe) +
                                         "\" /open \"%1\" /profile=default"));
                break;
            case 2:
                Add(S, key,
                    StringLine(name, FullRef(S, key, name, Dll(product, 2)) + " -plugin, -safe"));
                break;
            case 3:
                Add(S, key,
                    ExpandStringLine(
                        name, "%ProgramFiles%\\" + product.vendor + "\\" + product.name + "\\bin"));
                break;
            case 4: Add(S, key, BinaryLine(name, Bytes(rng_, 8 + rng_.Below(40)))); break;
            case 5:
                Add(S, key,
                    StringLine(name, fmt::format("Window {} x {}", 640 + rng_.Below(1280),
                                                 480 + rng_.Below(720))));
                break;
            default: Add(S, key, DwordLine(name, static_cast<std::uint32_t>(rng_.Next()))); break;
            }
        }
    }

    void UserKeys(const Product& product, int values) {
        constexpr HiveFile U = HiveFile::User;
        const std::string base = fmt::format("Software\\{}\\{}", product.vendor, product.name);
        const std::string keys[kUserKeysPerProduct] = {base, base + "\\Recent File List",
                                                       base + "\\Toolbars", base + "\\Window"};
        for (int k = 0; k < kUserKeysPerProduct; ++k) {
            for (int v = 0; v < values; ++v) {
                const std::string name = fmt::format("{}{}", k == 1 ? "File" : "Setting", v + 1);
                if (k == 1 || (k == 0 && v % 4 == 0))
                    Add(U, keys[k],
                        StringLine(name, FullRef(U, keys[k], name,
                                                 Document(product, v % kDocumentsPerProduct))));
                else if (v % 3 == 0) Add(U, keys[k], BinaryLine(name, Bytes(rng_, 16)));
                else Add(U, keys[k], DwordLine(name, rng_.Below(4096)));
            }
        }
    }

    // Values of the shared keys that each product adds a few of.
    void Globals(const Product& product) {
        constexpr HiveFile S = HiveFile::System;
        const std::string shared = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
        for (int n = 0; n < 2; ++n) {
            const std::string live = Dll(product, n);
            const std::string name = Ref(S, shared, live, false, live, DeadPath(live));
            if (name != live && options_.recordDead) report_.dead.back().valueName = name;
            Add(S, shared, DwordLine(name, 1 + rng_.Below(3)));
        }
        Add(S, "Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders",
            StringLine(product.folder + "\\", ""));
        if (product.index % 4 == 0) {
            const std::string fonts = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
            const std::string face = fmt::format("Generated Sans {} (TrueType)", product.index / 4);
            const std::string file = fmt::format("gensans{:05}.ttf", product.index / 4);
            files_.files.push_back("C:\\windows\\Fonts\\" + file);
            Add(S, fonts, StringLine(face, Ref(S, fonts, face, false, file, MissingName("ttf"))));
        }
        if (product.index % 5 == 0) {
            const std::string help = "Software\\Microsoft\\Windows\\Help";
            const std::string file = product.stem + ".hlp";
            files_.files.push_back("C:\\windows\\help\\" + file);
            const std::string name = Ref(S, help, file, false, file, MissingName("hlp"));
            if (name != file && options_.recordDead) report_.dead.back().valueName = name;
            Add(S, help, StringLine(name, "C:\\windows\\help"));
            const std::string html = "Software\\Microsoft\\Windows\\Html Help";
            const std::string chm = product.stem + ".chm";
            const std::string chmName = Ref(S, html, chm, false, chm, MissingName("chm"));
            if (chmName != chm && options_.recordDead) report_.dead.back().valueName = chmName;
            Add(S, html, StringLine(chmName, product.folder));
        }
        if (product.index % 10 == 0) {
            const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
            const std::string name = product.name + " Agent";
            Add(S, run,
                StringLine(name, "\"" + FullRef(S, run, name, product.folder + "\\agent.exe") +
                                     "\" /background"));
            Add(HiveFile::User, run,
                StringLine(
                    name,
                    FullRef(HiveFile::User, run, name, product.folder + "\\agent.exe") + " -tray"));
        }
    }

    void SoundEvents(int products) {
        const int count = std::max(1, products / 50);
        for (int n = 0; n < count; ++n) {
            const std::string file = fmt::format("genev{:04}.wav", n);
            files_.files.push_back("C:\\windows\\media\\" + file);
            const std::string event =
                fmt::format("AppEvents\\Schemes\\Apps\\.Default\\{}{}\\.Current", kEvents[n % 10],
                            n / 10 ? std::to_string(n / 10) : "");
            const bool full = n % 2 == 1;
            const std::string live = full ? "C:\\windows\\media\\" + file : file;
            Add(HiveFile::User, event,
                StringLine("", Ref(HiveFile::User, event, "", full, live,
                                   full ? DeadPath(live) : MissingName("wav"))));
            if (n < 20)
                Add(HiveFile::UserDefault, event,
                    StringLine("", Ref(HiveFile::UserDefault, event, "", full, live,
                                       full ? DeadPath(live) : MissingName("wav"))));
        }
    }

    // Section 4 walks HARDWARE; its values are never judged, but walking them costs time.
    void Hardware() {
        for (int n = 0; n < 50; ++n) {
            const std::string key =
                fmt::format("Hardware\\Description\\System\\CentralProcessor\\{}", n);
            Add(HiveFile::System, key, StringLine("ProcessorNameString", "Generated CPU @ 3.0GHz"));
            Add(HiveFile::System, key, DwordLine("~MHz", 3000));
        }
    }

    void Shortcuts(int products) {
        const std::string places[] = {
            "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs",
            "C:\\users\\Public\\Desktop",
            "C:\\users\\" + user_ + "\\AppData\\Roaming\\Microsoft\\Windows\\Recent"};
        for (int s = 0; s < options_.shortcuts; ++s) {
            const Product product = MakeProduct(s % products);
            const int place = (s / products) % 3;
            const int round = s / (products * 3);
            const std::string suffix = round ? fmt::format(" ({})", round + 1) : "";
            std::string path, target;
            if (place == 2) {
                target = Document(product, s % kDocumentsPerProduct);
                path = fmt::format("{}\\{} {:02}{}.lnk", places[2], product.stem,
                                   s % kDocumentsPerProduct, suffix);
            } else {
                target = product.exe;
                path = place == 0 ? fmt::format("{}\\{}\\{}{}.lnk", places[0], product.vendor,
                                                product.name, suffix)
                                  : fmt::format("{}\\{}{}.lnk", places[1], product.name, suffix);
            }
            if (rng_.Chance(options_.deadShare)) {
                target = DeadPath(target);
                ++report_.deadShortcuts;
                if (options_.recordDead) report_.deadShortcutFiles.push_back(path);
            }
            files_.shortcuts.push_back({path, target});
        }
    }

    // Data files in the programs' folders up to the wanted number of files.
    void FillerFiles(int products) {
        const std::size_t wanted = static_cast<std::size_t>(std::max(0, options_.files));
        const std::size_t planned = files_.files.size() + files_.shortcuts.size();
        const std::size_t extra = wanted > planned ? wanted - planned : 0;
        for (std::size_t n = 0; n < extra; ++n) {
            const Product product =
                MakeProduct(static_cast<int>(n % static_cast<std::size_t>(products)));
            const std::size_t round = n / static_cast<std::size_t>(products);
            files_.files.push_back(fmt::format("{}\\{}\\{} {:03}.dat", product.folder,
                                               round % 3 == 0   ? "data"
                                               : round % 3 == 1 ? "res\\images"
                                                                : "locale\\en-US",
                                               round % 2 ? "cache" : "asset", round));
        }
    }

    const GeneratorOptions& options_;
    const std::string& user_;
    HiveSet& hives_;
    FilePlan& files_;
    GeneratorReport& report_;
    Random rng_;
    int missing_ = 0;
};

}  // namespace

void GenerateContent(const GeneratorOptions& options, const std::string& userName, HiveSet& hives,
                     FilePlan& files, GeneratorReport& report) {
    Content(options, userName, hives, files, report).Run();
}

}  // namespace bench::generator
