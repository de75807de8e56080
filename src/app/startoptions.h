// The command line of the desktop program: --no-splash for scripted starts,
// --help and --version answered as a desktop program answers them, anything
// else refused. Qt's own options (-platform, -style, ...) are taken out by
// the application object before these are read.
#pragma once

#include <QString>
#include <QStringList>

namespace accrua::app {

struct StartOptions {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    bool splash = true;
    QString error;        // for Error: what was wrong
    bool planner = false; // a loan planner window opens beside the main window
};

// `arguments` without the program's own path.
StartOptions parseStartOptions(const QStringList &arguments);

QString startHelpText();    // usage, options, where help and settings live
QString startVersionText(); // "Accrua 5.1"

} // namespace accrua::app
