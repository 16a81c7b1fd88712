#include "cli/IgnoreCommand.h"

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <iostream>
#include <optional>

#include "cli/Options.h"
#include "cli/TextOutput.h"
#include "engine/RootNames.h"
#include "platform/codepage/Ascii.h"
#include "platform/codepage/Codepage.h"
#include "repair/IgnoreFile.h"

namespace cli {
namespace {

namespace codepage = platform::codepage;
using Json = nlohmann::ordered_json;
using engine::IgnoreEntry;
using engine::IgnoreKind;

enum class Action { List, Add, AddShortcut, Remove, Clear };

struct IgnoreOptions {
    Action action = Action::List;
    bool json = false;
    std::string target;               // KEY or PATH
    std::optional<std::string> name;  // --name
    bool wholeKey = false;            // --key
    int row = 0;                      // from 1
};

std::string KindName(IgnoreKind kind) {
    switch (kind) {
    case IgnoreKind::Value: return "value";
    case IgnoreKind::Key: return "key";
    case IgnoreKind::Shortcut: return "shortcut";
    }
    return {};
}

std::string KeyText(const IgnoreEntry& entry) {
    if (entry.kind == IgnoreKind::Shortcut) return codepage::Utf16ToUtf8(entry.path);
    std::string text(engine::RootName(entry.root));
    if (!entry.path.empty()) text += '\\' + codepage::Utf16ToUtf8(entry.path);
    return text;
}

std::string SectionText(int section) {
    return section > 0 ? engine::SectionByNumber(section).name : "-";
}

// One line of `list`: the key, and what of it is ignored.
std::string EntryText(const IgnoreEntry& entry) {
    switch (entry.kind) {
    case IgnoreKind::Value:
        return fmt::format(
            "{}  {}", KeyText(entry),
            entry.name.empty() ? "@" : "\"" + codepage::Utf16ToUtf8(entry.name) + "\"");
    case IgnoreKind::Key: return KeyText(entry) + "  (the key and every key below it)";
    case IgnoreKind::Shortcut: return KeyText(entry);
    }
    return {};
}

int List(const OpenedPrefix& prefix, const repair::IgnoreFileContents& contents, bool json) {
    platform::Services& services = *prefix.services;
    if (json) {
        Json doc;
        doc["prefix"] = prefix.dir;
        doc["file"] = AnsiToUtf8(repair::IgnoreFilePath(services));
        doc["entries"] = Json::array();
        for (std::size_t i = 0; i < contents.entries.size(); ++i) {
            const IgnoreEntry& entry = contents.entries[i];
            Json row;
            row["row"] = i + 1;
            row["kind"] = KindName(entry.kind);
            row["section"] = entry.section > 0 ? Json(entry.section) : Json(nullptr);
            row["key"] = KeyText(entry);
            row["name"] = entry.kind == IgnoreKind::Value ? Json(codepage::Utf16ToUtf8(entry.name))
                                                          : Json(nullptr);
            row["present"] = repair::IgnoredEntryPresent(services, entry);
            doc["entries"].push_back(std::move(row));
        }
        doc["damagedLines"] = contents.damagedLines;
        std::cout << doc.dump(2) << '\n';
        return kExitSuccess;
    }
    if (contents.entries.empty()) {
        std::cout << "The ignore list is empty.\n";
        return kExitSuccess;
    }
    std::cout << fmt::format("{:>3}  {:<24}{}\n", "", "Section", "Entry");
    for (std::size_t i = 0; i < contents.entries.size(); ++i) {
        const IgnoreEntry& entry = contents.entries[i];
        std::cout << fmt::format(
            "{:>3}  {:<24}{}{}\n", i + 1, SectionText(entry.section), EntryText(entry),
            repair::IgnoredEntryPresent(services, entry) ? "" : "  (not present)");
    }
    return kExitSuccess;
}

// KEY as typed ("HKEY_LOCAL_MACHINE\Software\X", "[HKLM\Software\X]") into the entry; false
// with a message when it names no root.
bool ParseKey(std::string text, IgnoreEntry& entry, std::string& error) {
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']')
        text = text.substr(1, text.size() - 2);
    const std::size_t slash = text.find('\\');
    std::string root = text.substr(0, slash);
    for (char& c : root) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    static constexpr std::pair<std::string_view, std::string_view> kShort[] = {
        {"HKCR", "HKEY_CLASSES_ROOT"},
        {"HKCU", "HKEY_CURRENT_USER"},
        {"HKLM", "HKEY_LOCAL_MACHINE"},
        {"HKU", "HKEY_USERS"}};
    for (const auto& [abbreviation, name] : kShort)
        if (root == abbreviation) root = name;
    entry.root = engine::RootFromName(root);
    if (entry.root == 0) {
        error = fmt::format(
            "{} does not begin with a registry root such as HKEY_LOCAL_MACHINE "
            "or HKLM.",
            text);
        return false;
    }
    entry.path = slash == std::string::npos ? u"" : codepage::Utf8ToUtf16(text.substr(slash + 1));
    while (!entry.path.empty() && entry.path.back() == u'\\') entry.path.pop_back();
    return true;
}

bool ParseShortcut(const std::string& text, IgnoreEntry& entry, std::string& error) {
    entry.kind = IgnoreKind::Shortcut;
    entry.path = codepage::Utf8ToUtf16(text);
    while (entry.path.size() > 3 && entry.path.back() == u'\\') entry.path.pop_back();
    const bool drive = entry.path.size() >= 3 && entry.path[1] == u':' && entry.path[2] == u'\\' &&
                       codepage::AsciiLower(static_cast<char>(entry.path[0])) >= 'a' &&
                       codepage::AsciiLower(static_cast<char>(entry.path[0])) <= 'z';
    if (!drive)
        error = fmt::format("{} is not a Windows path such as C:\\users\\Public\\Desktop\\x.lnk.",
                            text);
    return drive;
}

int Change(const OpenedPrefix& prefix, const IgnoreOptions& options) {
    platform::Services& services = *prefix.services;
    IgnoreEntry entry;
    std::string error;
    if (options.action == Action::Add) {
        if (options.name.has_value() == options.wholeKey) {
            std::cerr << "drennow-cli: say what of the key to ignore: --name NAME for one value "
                         "(--name \"\" for its default value) or --key for the whole key.\n";
            return kExitUsage;
        }
        entry.kind = options.wholeKey ? IgnoreKind::Key : IgnoreKind::Value;
        if (!ParseKey(options.target, entry, error)) {
            std::cerr << "drennow-cli: " << error << '\n';
            return kExitUsage;
        }
        if (options.name) entry.name = codepage::Utf8ToUtf16(*options.name);
    } else if (options.action == Action::AddShortcut &&
               !ParseShortcut(options.target, entry, error)) {
        std::cerr << "drennow-cli: " << error << '\n';
        return kExitUsage;
    }
    std::string message;
    bool usage = false;
    const platform::Status status =
        repair::UpdateIgnoreFile(services, [&](repair::IgnoreFileContents& contents) {
            auto& entries = contents.entries;
            const std::size_t count = entries.size();
            switch (options.action) {
            case Action::Add:
            case Action::AddShortcut: {
                const auto same = std::find_if(
                    entries.begin(), entries.end(),
                    [&](const IgnoreEntry& e) { return engine::SameTarget(e, entry); });
                if (same != entries.end()) {
                    message = fmt::format("{} is on the ignore list already (entry {}).",
                                          EntryText(entry), same - entries.begin() + 1);
                    return false;
                }
                entries.push_back(entry);
                message = fmt::format("Added entry {}: {}", entries.size(), EntryText(entry));
                return true;
            }
            case Action::Remove:
                if (options.row < 1 || static_cast<std::size_t>(options.row) > count) {
                    message = fmt::format("there is no entry {}; {} entr{} listed.", options.row,
                                          count, count == 1 ? "y is" : "ies are");
                    usage = true;
                    return false;
                }
                message =
                    fmt::format("Removed entry {}: {}", options.row,
                                EntryText(entries[static_cast<std::size_t>(options.row - 1)]));
                entries.erase(entries.begin() + options.row - 1);
                return true;
            case Action::Clear:
                message = fmt::format("The ignore list was cleared ({} entr{} removed).", count,
                                      count == 1 ? "y" : "ies");
                entries.clear();
                return count > 0;
            case Action::List: break;
            }
            return false;
        });
    if (!status.ok()) {
        std::cerr << "drennow-cli: " << AnsiToUtf8(status.message) << '\n';
        return kExitFailure;
    }
    if (usage) {
        std::cerr << "drennow-cli: " << message << '\n';
        return kExitUsage;
    }
    std::cout << message << '\n';
    return kExitSuccess;
}

int RunIgnoreCommand(const GlobalOptions& global, const IgnoreOptions& options) {
    OpenedPrefix prefix;
    std::string error;
    if (!OpenChosenPrefix(global, prefix, error)) {
        std::cerr << "drennow-cli: " << error << '\n';
        return kExitFailure;
    }
    repair::IgnoreFileContents contents;
    if (const platform::Status read = repair::ReadIgnoreFile(*prefix.services, contents);
        !read.ok()) {
        std::cerr << "drennow-cli: " << AnsiToUtf8(read.message) << '\n';
        return kExitFailure;
    }
    if (const std::string note = repair::DamagedLinesNote(*prefix.services, contents);
        !note.empty())
        std::cerr << "drennow-cli: note: " << AnsiToUtf8(note) << '\n';
    if (options.action == Action::List) return List(prefix, contents, options.json);
    return Change(prefix, options);
}

}  // namespace

void RegisterIgnoreCommand(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<IgnoreOptions>();
    CLI::App* command = app.add_subcommand(
        "ignore", "List, add or remove the entries scans leave out (the ignore list)");
    command->require_subcommand(1);
    auto bind = [&context, options](CLI::App* child, Action action) {
        child->callback([&context, options, action] {
            options->action = action;
            context.exitCode = RunIgnoreCommand(context.global, *options);
        });
    };
    CLI::App* list = command->add_subcommand(
        "list", "List the ignored entries (row, section, entry; \"not present\" when it is gone)");
    list->add_flag("--json", options->json, "Print one JSON document");
    bind(list, Action::List);

    CLI::App* add = command->add_subcommand("add", "Ignore a registry value or a whole key");
    add->add_option("KEY", options->target,
                    "The key, such as HKEY_LOCAL_MACHINE\\Software\\Gone or HKLM\\Software\\Gone")
        ->required();
    CLI::Option* name = add->add_option("--name", options->name,
                                        "Ignore the value NAME of KEY (\"\": its default value)");
    add->add_flag("--key", options->wholeKey, "Ignore KEY and every key below it")->excludes(name);
    bind(add, Action::Add);

    CLI::App* shortcut = command->add_subcommand(
        "add-shortcut", "Ignore a shortcut file, or every shortcut file below a folder");
    shortcut
        ->add_option("PATH", options->target,
                     "Its Windows path, such as C:\\users\\Public\\Desktop\\Old.lnk")
        ->required();
    bind(shortcut, Action::AddShortcut);

    CLI::App* remove = command->add_subcommand("remove", "Remove entry N from the ignore list");
    remove->add_option("N", options->row, "Row number, from 1, as `list` shows it")->required();
    bind(remove, Action::Remove);

    bind(command->add_subcommand("clear", "Remove every entry from the ignore list"),
         Action::Clear);
}

}  // namespace cli
