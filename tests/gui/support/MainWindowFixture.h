#pragma once

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "app/MainWindow.h"
#include "common/ProgramState.h"
#include "support/RecordingLauncher.h"
#include "support/RecordingPrompts.h"

class QAction;

namespace qvx::test {

// The real main window over a temporary program folder, with recorded boxes
// and launches, and a recorded end of the program in place of the real one.
class MainWindowFixture {
  public:
    MainWindowFixture();
    ~MainWindowFixture();

    // Builds the window anew, as a new start of the program would.
    void Start();
    // Shows the window and waits until it is active, for key tests.
    void ShowActive();

    void Trigger(const char* actionName);
    QAction* Action(const char* name) const;
    // Chooses the item and waits until its dialog is active in the window's
    // place with the keyboard in `firstBox`; nullptr when it is not.
    QDialog* OpenDialog(const char* item, const char* dialogName, const char* firstBox);

    QString Path(const QString& name) const;
    QByteArray Read(const QString& name) const;  // "<missing>" when absent
    void Write(const QString& name, const QByteArray& bytes) const;
    // The texts of the recorded boxes, in order.
    QStringList BoxTexts() const;

    QTemporaryDir dir;
    ProgramState state;
    RecordingPrompts prompts;
    RecordingLauncher launcher;
    int endCalls = 0;
    std::unique_ptr<QVX5> window;
};

// A dialog's control by object name; a missing one ends the test run.
template <typename T = QWidget>
T* Control(QWidget* dialog, const char* name) {
    auto* control = dialog->findChild<T*>(QLatin1String(name));
    if (!control) qFatal("no control %s", name);
    return control;
}
// Types into the box as a user would, so its character limit applies.
void Type(QWidget* dialog, const char* box, const QString& text);
void Press(QWidget* dialog, const char* button);

}  // namespace qvx::test
