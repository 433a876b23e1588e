#pragma once

#include <QAbstractButton>
#include <QApplication>
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

    // The one box shown since the dialog opened.
    void ExpectOneBox(const std::string& text, const std::string& title, PromptIcon icon) const {
        QCOMPARE(prompts.boxes.size(), size_t{1});
        QCOMPARE(prompts.boxes[0].text, text);
        QCOMPARE(prompts.boxes[0].title, title);
        QVERIFY(prompts.boxes[0].icon == icon);
    }
    std::string Script() const { return ReadWholeFile(state.paths.script).value_or("<missing>"); }

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

// Opens the dialog as its menu item does: it takes the main window's place
// with the keyboard in `firstBox`.
template <typename Dialog>
void Open(DialogHarness& h, Dialog& dialog, const char* firstBox) {
    dialog.ShowInPlaceOfMainWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QVERIFY(!h.mainWindow.isVisible());
    QCOMPARE(QApplication::focusWidget(), Control<QLineEdit>(dialog, firstBox));
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

}  // namespace qvx::test

// Validation failed: the dialog stays in place of the main window and
// nothing was written.
#define QVX_VERIFY_KEPT(harness, dialog)                        \
    do {                                                        \
        QVERIFY((dialog).isVisible());                          \
        QVERIFY(!(harness).mainWindow.isVisible());             \
        QCOMPARE((harness).Script(), std::string("<missing>")); \
    } while (false)

// The main window is back and active. With a window visible the program is
// never left without one, so no closing can end it.
#define QVX_VERIFY_RETURNED(harness, dialog)                \
    do {                                                    \
        QVERIFY(!(dialog).isVisible());                     \
        QVERIFY((harness).mainWindow.isVisible());          \
        QTRY_VERIFY((harness).mainWindow.isActiveWindow()); \
    } while (false)
