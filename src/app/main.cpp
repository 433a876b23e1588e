#include <QApplication>
#include <QDir>
#include <iostream>

#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "app/QtLauncher.h"
#include "app/QtUserPrompts.h"
#include "common/FileAccess.h"
#include "common/ProgramState.h"
#include "common/WorkingFolder.h"

int main(int argc, char** argv) {
    if (const auto status = qvx::AnswerCommandLine({argv + 1, argv + argc}, std::cout)) {
        return *status;
    }
    QApplication app(argc, argv);
    // A rewrite cut short by Ctrl+C or a logout leaves no temporary file.
    qvx::RemoveTemporariesOnSignals();
    // The program ends only through its own exit, never because a dialog
    // that hid the main window was the last one to close.
    QApplication::setQuitOnLastWindowClosed(false);

    // The executable's real folder: a link on the PATH is followed.
    const QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    const qvx::PathsChoice choice =
        qvx::ChooseProgramPaths(folder.toStdString(), qvx::UserDataHome::FromEnvironment());
    QDir::setCurrent(QString::fromStdString(choice.paths.folder));

    qvx::ProgramState state;
    state.paths = choice.paths;
    qvx::QtUserPrompts prompts;
    qvx::QtLauncher launcher;
    qvx::QVX5 window(state, prompts, launcher, [] { QApplication::exit(0); });
    prompts.SetMainWindow(&window);
    window.show();
    if (!choice.error.empty()) prompts.ReportFailure(choice.error);
    return QApplication::exec();
}
