#pragma once

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <string>

#include "common/ProgramState.h"
#include "common/RecordingPrompts.h"
#include "common/TextFile.h"

namespace qvx::test {

// One program folder, state, recorded prompts and a plain window standing in
// for the main window, for one test function.
class DialogHarness {
  public:
    DialogHarness() {
        state.paths = ProgramPaths::InFolder(folder.path().toStdString());
        mainWindow.setObjectName(QStringLiteral("MainWindowStandIn"));
        mainWindow.setWindowTitle(QStringLiteral("quillvox"));
        mainWindow.resize(300, 200);
        mainWindow.show();
    }
    ~DialogHarness() {
        if (QTest::currentTestFailed()) {
            folder.setAutoRemove(false);
            qWarning("kept the test folder %s", qPrintable(folder.path()));
        }
    }

    std::string Script() const { return ReadWholeFile(state.paths.script).value_or("<missing>"); }
    void WriteScript(const std::string& bytes) const { AppendToFile(state.paths.script, bytes); }

    QTemporaryDir folder;
    ProgramState state;
    RecordingPrompts prompts;
    QWidget mainWindow;
};

template <typename T>
T* Control(QWidget& dialog, const char* name) {
    auto* control = dialog.findChild<T*>(QLatin1String(name));
    if (!control) qFatal("no control %s", name);
    return control;
}

// Types as a user would, so the box's character limit applies.
inline void Type(QWidget& dialog, const char* box, const QString& text) {
    auto* edit = Control<QLineEdit>(dialog, box);
    edit->setFocus();
    QTest::keyClicks(edit, text);
}

inline void Press(QWidget& dialog, const char* button) {
    QTest::mouseClick(Control<QAbstractButton>(dialog, button), Qt::LeftButton);
}

// Every control the keyboard can reach has a name a screen reader can say.
inline QStringList UnnamedControls(QWidget& dialog) {
    QStringList unnamed;
    for (QWidget* widget : dialog.findChildren<QWidget*>()) {
        if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(&dialog)) continue;
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(widget);
        if (!access || access->text(QAccessible::Name).isEmpty()) unnamed << widget->objectName();
    }
    return unnamed;
}

// Where Tab takes the keyboard, from the focused control: object names.
inline QStringList TabPath(int steps) {
    QStringList path{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        path << QApplication::focusWidget()->objectName();
    }
    return path;
}

}  // namespace qvx::test

// The main window is back and active. With a window visible the program is
// never left without one, so no closing can end it.
#define QVX_VERIFY_RETURNED(harness, dialog)                \
    do {                                                    \
        QVERIFY(!(dialog).isVisible());                     \
        QVERIFY((harness).mainWindow.isVisible());          \
        QTRY_VERIFY((harness).mainWindow.isActiveWindow()); \
    } while (false)
