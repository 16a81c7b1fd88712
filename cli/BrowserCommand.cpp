#include "cli/BrowserCommand.h"

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include <iostream>
#include <optional>

#include "cli/CliHost.h"
#include "cli/Options.h"
#include "cli/TextOutput.h"
#include "platform/codepage/Codepage.h"
#include "repair/BrowserSettings.h"

namespace cli {
namespace {

struct BrowserOptions {
    std::optional<std::string> startPage;
    std::optional<std::string> windowTitle;
    bool lock = false;
    bool unlock = false;
    bool json = false;
};

std::string Utf8ToAnsi(const std::string& text) {
    return platform::codepage::Utf16ToAnsi(platform::codepage::Utf8ToUtf16(text));
}

int RunBrowserCommand(const GlobalOptions& global, const BrowserOptions& options) {
    OpenedPrefix prefix;
    std::string error;
    if (!OpenChosenPrefix(global, prefix, error)) {
        std::cerr << "drennow-cli: " << error << '\n';
        return kExitFailure;
    }
    platform::Services& services = *prefix.services;
    CliHost host(false);
    host.SetQuiet(true);

    nlohmann::ordered_json applied = nlohmann::ordered_json::array();
    bool allOk = true;
    auto apply = [&](const char* setting, const platform::Status& status) {
        const std::string message =
            host.Boxes().empty() ? std::string() : AnsiToUtf8(host.Boxes().back().text);
        allOk = allOk && status.ok();
        nlohmann::ordered_json entry;
        entry["setting"] = setting;
        entry["ok"] = status.ok();
        entry["message"] = message;
        applied.push_back(std::move(entry));
        if (!options.json) std::cout << setting << ": " << message << '\n';
    };
    if (options.startPage) {
        apply("start page", repair::ApplyHomePage(services, host, Utf8ToAnsi(*options.startPage)));
    }
    if (options.windowTitle) {
        apply("window title",
              repair::ApplyWindowTitle(services, host, Utf8ToAnsi(*options.windowTitle)));
    }
    if (options.lock || options.unlock) {
        apply(options.lock ? "lock regedit" : "unlock regedit",
              repair::ApplyRegeditLock(services, host, options.lock));
    }

    const repair::BrowserSettings settings = repair::ReadBrowserSettings(services);
    if (options.json) {
        nlohmann::ordered_json doc;
        doc["prefix"] = prefix.dir;
        doc["startPage"] = AnsiToUtf8(settings.startPage);
        doc["windowTitle"] = AnsiToUtf8(settings.windowTitle);
        doc["applied"] = std::move(applied);
        std::cout << doc.dump(2) << '\n';
    } else {
        std::cout << fmt::format("Start page:   {}\nWindow title: {}\n",
                                 AnsiToUtf8(settings.startPage), AnsiToUtf8(settings.windowTitle));
    }
    return allOk ? kExitSuccess : kExitFailure;
}

}  // namespace

void RegisterBrowserCommand(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<BrowserOptions>();
    CLI::App* command = app.add_subcommand(
        "browser", "Show or set the browser's start page and window title, lock regedit");
    command->add_option("--start-page", options->startPage,
                        "Set the start page (empty: about:blank)");
    command->add_option("--window-title", options->windowTitle,
                        "Set the window title (empty: Microsoft Internet Explorer)");
    auto* lock = command->add_flag("--lock-regedit", options->lock,
                                   "Forbid the registry editor (policy value 1)");
    auto* unlock = command->add_flag("--unlock-regedit", options->unlock,
                                     "Allow the registry editor (policy value 0)");
    lock->excludes(unlock);
    command->add_flag("--json", options->json, "Print one JSON document");
    command->callback(
        [&context, options] { context.exitCode = RunBrowserCommand(context.global, *options); });
}

}  // namespace cli
