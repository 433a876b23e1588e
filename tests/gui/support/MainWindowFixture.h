#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "app/MainWindow.h"
#include "common/ProgramState.h"
#include "support/RecordingPrompts.h"
#include "support/RecordingLauncher.h"

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

    QString Path(const QString& name) const;
    QByteArray Read(const QString& name) const;  // "<missing>" when absent
    void Write(const QString& name, const QByteArray& bytes) const;
    bool Exists(const QString& name) const;
    QStringList Files() const;
    // The texts of the recorded boxes, in order.
    QStringList BoxTexts() const;

    QTemporaryDir dir;
    ProgramState state;
    RecordingPrompts prompts;
    RecordingLauncher launcher;
    int endCalls = 0;
    std::unique_ptr<QVX5> window;
};

}  // namespace qvx::test
