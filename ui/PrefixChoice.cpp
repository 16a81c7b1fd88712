#include "ui/PrefixChoice.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include <filesystem>
#include <string>

#include "platform/discovery/Discovery.h"
#include <system_error>

#include "platform/DataFiles.h"

namespace ui {

namespace {
constexpr const char* kUsage = "Usage: drennow [--prefix DIR | --demo]";
}

PrefixChoice ChoosePrefix(const QStringList& arguments, const QProcessEnvironment& environment) {
    PrefixChoice choice;
    QString prefix;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == "--demo") {
            choice.demo = true;
        } else if (argument == "--prefix") {
            if (i + 1 >= arguments.size()) {
                choice.error = QStringLiteral("--prefix needs a folder. %1").arg(kUsage);
                return choice;
            }
            prefix = arguments[++i];
        } else if (argument.startsWith("--prefix=")) {
            prefix = argument.mid(9);
        } else {
            choice.error = QStringLiteral("Unknown argument \"%1\". %2").arg(argument, kUsage);
            return choice;
        }
    }
    if (choice.demo && !prefix.isEmpty()) {
        choice.error = QStringLiteral("--prefix and --demo exclude each other. %1").arg(kUsage);
        return choice;
    }
    if (choice.demo) {
        choice.dir = DemoPrefixSource();
        if (choice.dir.isEmpty()) choice.error = "The bundled demo prefix cannot be found.";
        return choice;
    }
    if (!prefix.isEmpty()) {
        // steam:<appid> or a found prefix's name, as drennow-cli takes them.
        std::string named = prefix.toStdString();
        if (const std::string error = platform::discovery::ResolvePrefixName(
                named,
                {QDir::homePath().toStdString(), environment.value("WINEPREFIX").toStdString()});
            !error.empty()) {
            choice.error = QString::fromStdString("--prefix: " + error);
            return choice;
        }
        prefix = QString::fromStdString(named);
    }
    if (prefix.isEmpty()) prefix = environment.value("WINEPREFIX");
    choice.fallback = prefix.isEmpty();
    if (prefix.isEmpty()) prefix = QDir::homePath() + "/.wine";
    choice.dir = prefix;
    return choice;
}

PrefixOffer AskForAnotherPrefix(const QString& folder, const QString& reason) {
    for (;;) {
        QMessageBox box(QMessageBox::Warning, "Norlix Drennow",
                        QStringLiteral("No usable Wine prefix was found in the folder\n%1\n\n%2"
                                       "\n\nChoose another folder, or open the demo prefix.")
                            .arg(folder, reason));
        QPushButton* choose = box.addButton("&Choose Folder...", QMessageBox::AcceptRole);
        QPushButton* demo = box.addButton("Open &Demo Prefix", QMessageBox::AcceptRole);
        box.addButton("&Quit", QMessageBox::RejectRole);
        box.setDefaultButton(choose);
        box.exec();
        if (box.clickedButton() == demo) return {PrefixOffer::Action::OpenDemo, {}};
        if (box.clickedButton() != choose) return {};
        const QString dir = QFileDialog::getExistingDirectory(
            nullptr, "Choose a Wine prefix folder", QDir::homePath());
        // A cancelled folder dialog asks again.
        if (!dir.isEmpty()) return {PrefixOffer::Action::OpenFolder, dir};
    }
}

bool UsageErrorWantsBox(bool standardErrorIsTerminal, const QString& platformName) {
    return !standardErrorIsTerminal && platformName != QLatin1String("offscreen") &&
           platformName != QLatin1String("minimal");
}

QString DemoPrefixSource() {
    const std::filesystem::path found = platform::SharedDataFile("demo-prefix");
    if (found.empty() || !std::filesystem::is_regular_file(found / "system.reg")) return {};
    return QString::fromStdString(found.string());
}

bool CopyPrefix(const QString& from, const QString& to, QString& error) {
    namespace fs = std::filesystem;
    std::error_code failure;
    fs::copy(fs::path(from.toStdString()), fs::path(to.toStdString()),
             fs::copy_options::recursive | fs::copy_options::copy_symlinks, failure);
    if (failure) {
        error = QStringLiteral("Cannot copy the demo prefix from %1 to %2: %3")
                    .arg(from, to, QString::fromStdString(failure.message()));
        return false;
    }
    return true;
}

}  // namespace ui
