#include <QApplication>
#include <QDir>

#include "app/MainWindow.h"
#include "app/QtLauncher.h"
#include "app/QtUserPrompts.h"
#include "common/FileAccess.h"
#include "common/ProgramState.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // A rewrite cut short by Ctrl+C or a logout leaves no temporary file.
    qvx::RemoveTemporariesOnSignals();
    // The program ends only through its own exit, never because a dialog
    // that hid the main window was the last one to close.
    QApplication::setQuitOnLastWindowClosed(false);

    const QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    QDir::setCurrent(folder);

    qvx::ProgramState state;
    state.paths = qvx::ProgramPaths::InFolder(folder.toStdString());
    qvx::QtUserPrompts prompts;
    qvx::QtLauncher launcher;
    qvx::QVX5 window(state, prompts, launcher, [] { QApplication::exit(0); });
    prompts.SetMainWindow(&window);
    window.show();
    return QApplication::exec();
}
