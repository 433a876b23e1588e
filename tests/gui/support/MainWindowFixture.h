#pragma once

#include <QtTest>
#include <QtWidgets>
#include <memory>

#include "app/MainWindow.h"
#include "common/ProgramState.h"
#include "support/RecordingLauncher.h"
#include "support/RecordingPrompts.h"

namespace qvx::test {

// A dialog's control by object name; a missing one ends the test run.
template <typename T = QWidget>
T* Control(QWidget* dialog, const char* name) {
    auto* control = dialog->findChild<T*>(QLatin1String(name));
    if (!control) qFatal("no control %s", name);
    return control;
}

// Types into the box as a user would, so its character limit applies.
inline void Type(QWidget* dialog, const char* box, const QString& text) {
    auto* edit = Control<QLineEdit>(dialog, box);
    edit->setFocus();
    QTest::keyClicks(edit, text);
}

inline void Press(QWidget* dialog, const char* button) {
    QTest::mouseClick(Control<QAbstractButton>(dialog, button), Qt::LeftButton);
}

// The words a screen reader takes from a caption: no access mark, no colon.
inline QString Spoken(QString caption) {
    caption.remove(u'&');
    return caption.endsWith(u':') ? caption.chopped(1) : caption;
}

// Every control Tab can reach in the window tells a screen reader what it
// is: a button or check box by its caption (a check box with its tick), a
// field or list by the label tied to it, whose words begin its name; a
// list also tells its current item, as its value and as its text.
inline void ExpectSpeakable(QWidget* window) {
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window) || !(widget->focusPolicy() & Qt::TabFocus) ||
            qobject_cast<QMenu*>(widget) || qobject_cast<QMenuBar*>(widget)) {
            continue;
        }
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(widget);
        const QString name = control->text(QAccessible::Name), what = widget->objectName();
        QVERIFY2(!name.trimmed().isEmpty(), qPrintable(what));
        const auto labels = control->relations(QAccessible::Label);
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            QVERIFY2(name == Spoken(button->text()), qPrintable(what));
            QCOMPARE(control->state().checked, button->isChecked());
        } else if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget)) {
            QVERIFY2(labels.size() == 1, qPrintable(what));
            QVERIFY2(name.startsWith(Spoken(labels[0].first->text(QAccessible::Name))),
                     qPrintable(what));
        }
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            QAccessibleTextInterface* text = control->textInterface();
            QVERIFY2(text && text->text(0, text->characterCount()) == list->currentText(),
                     qPrintable(what));
            QCOMPARE(control->text(QAccessible::Value), list->currentText());
        }
    }
}

// ExpectSpeakable, and Tab from the first control of `order` (object names,
// space-separated) visits them all in order and comes back round.
inline void ExpectNamedAndTabbed(QWidget* window, const char* order) {
    ExpectSpeakable(window);
    // The window puts the keyboard somewhere of its own first.
    QTRY_VERIFY(QApplication::focusWidget() && QApplication::focusWidget()->window() == window);
    const QStringList names = QString::fromLatin1(order).split(u' ');
    Control(window, qPrintable(names[0]))->setFocus();
    for (int i = 1; i <= names.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), names[i % names.size()]);
    }
}

// The real main window over a temporary program folder, with recorded boxes
// and launches, and a recorded end of the program in place of the real one.
// The table of a data-driven test: one row per case, named by its `name` so
// a failure says which, in one column that the test reads with QFETCH(Case, row).
template <typename Case, std::size_t N>
void AddRows(const Case (&cases)[N]) {
    QTest::addColumn<Case>("row");
    for (const Case& c : cases) QTest::newRow(c.name) << c;
}

// SCOPED_TRACE for a loop over rows that cannot be data rows: a check that
// fails ends the test function, and on the way out this names the row.
class RowTrace {
  public:
    explicit RowTrace(const char* row) : row_(row), failedBefore_(QTest::currentTestFailed()) {}
    ~RowTrace() {
        if (!failedBefore_ && QTest::currentTestFailed()) qWarning("failed in the row %s", row_);
    }

  private:
    const char* row_;
    bool failedBefore_;
};

class MainWindowFixture {
  public:
    MainWindowFixture() : dir(QDir::tempPath() + QStringLiteral("/quillvox-gui-XXXXXX")) {
        state.paths = ProgramPaths::InFolder(dir.path().toStdString());
        Start();
    }
    ~MainWindowFixture() {
        dir.setAutoRemove(!QTest::currentTestFailed());
        if (!dir.autoRemove()) qWarning("kept the test folder %s", qPrintable(dir.path()));
    }

    // Builds the window anew, as a new start of the program would.
    void Start() {
        window.reset();
        window = std::make_unique<QVX5>(state, prompts, launcher, [this] { ++endCalls; });
    }
    // Shows the window and waits until it is active, for key tests.
    void ShowActive() {
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    QAction* Action(const char* name) const { return window->Action(name); }
    void Trigger(const char* name) {
        QVERIFY2(Action(name), name);
        Action(name)->trigger();
    }
    // Chooses the item and waits until its dialog is active in the window's
    // place with the keyboard in `firstBox`; nullptr when it is not.
    QDialog* OpenDialog(const char* item, const char* dialogName, const char* firstBox) {
        Trigger(item);
        auto* dialog = window->findChild<QDialog*>(QLatin1String(dialogName));
        const bool shown = dialog && QTest::qWaitForWindowActive(dialog) && QTest::qWaitFor([&] {
                               return QApplication::focusWidget() == Control(dialog, firstBox);
                           });
        return shown && !window->isVisible() ? dialog : nullptr;
    }

    QString Path(const QString& name) const { return dir.filePath(name); }
    // The file's bytes, "<missing>" when it cannot be read.
    QByteArray Read(const QString& name) const {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArrayLiteral("<missing>");
    }
    void Write(const QString& name, const QByteArray& bytes) const {
        QFile file(Path(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    // The texts of the recorded boxes, in order.
    QStringList BoxTexts() const {
        QStringList texts;
        for (const auto& box : prompts.boxes) texts << QString::fromStdString(box.text);
        return texts;
    }

    QTemporaryDir dir;
    ProgramState state;
    RecordingPrompts prompts;
    RecordingLauncher launcher;
    int endCalls = 0;
    std::unique_ptr<QVX5> window;
};

}  // namespace qvx::test
