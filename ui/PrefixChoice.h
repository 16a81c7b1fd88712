#pragma once
// Which Wine prefix the program works on: --prefix DIR, else --demo (the bundled demo prefix,
// copied to a fresh temporary folder), else $WINEPREFIX, else ~/.wine.
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <functional>

namespace ui {

struct PrefixChoice {
    QString dir;  // the prefix folder to open (for --demo: the shipped copy to copy)
    bool demo = false;
    QString error;          // a usage error; empty when the arguments were understood
    bool fallback = false;  // dir is ~/.wine only because nothing else was named
};

// `arguments` as QCoreApplication::arguments() gives them (the program name first).
PrefixChoice ChoosePrefix(const QStringList& arguments, const QProcessEnvironment& environment);

// Whether a usage error, always written on standard error, is shown in a message box too: only
// when no terminal shows standard error (a desktop launcher started the program), and only on
// a platform that shows windows (on "offscreen" or "minimal" nobody could close the box).
bool UsageErrorWantsBox(bool standardErrorIsTerminal, const QString& platformName);

// What the user wants when the chosen folder holds no usable prefix.
struct PrefixOffer {
    enum class Action { Quit, OpenFolder, OpenDemo };
    Action action = Action::Quit;
    QString dir;  // the folder to open, for OpenFolder
};

// Asks what to do about `folder`, which could not be opened for `reason`.
using PrefixProblemHandler =
    std::function<PrefixOffer(const QString& folder, const QString& reason)>;

// The message box that names the folder and offers to choose another folder (a folder
// dialog follows) or to open the demo prefix.
PrefixOffer AskForAnotherPrefix(const QString& folder, const QString& reason);

// The bundled demo prefix folder; empty when it cannot be found.
QString DemoPrefixSource();

// Copies the folder `from` (links kept as links) into `to`; false with `error` set on failure.
bool CopyPrefix(const QString& from, const QString& to, QString& error);

}  // namespace ui
