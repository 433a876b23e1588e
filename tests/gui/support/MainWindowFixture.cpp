#include "gui/support/MainWindowFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

namespace qvx::test {

MainWindowFixture::MainWindowFixture()
    : dir(QDir::tempPath() + QStringLiteral("/quillvox-gui-XXXXXX")) {
    state.paths = ProgramPaths::InFolder(dir.path().toStdString());
    Start();
}

MainWindowFixture::~MainWindowFixture() {
    if (QTest::currentTestFailed()) {
        dir.setAutoRemove(false);
        qWarning("kept the test folder %s", qPrintable(dir.path()));
    }
}

void MainWindowFixture::Start() {
    window.reset();
    window = std::make_unique<QVX5>(state, prompts, launcher, [this] { ++endCalls; });
}

void MainWindowFixture::ShowActive() {
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

QAction* MainWindowFixture::Action(const char* name) const {
    return window->Action(name);
}

void MainWindowFixture::Trigger(const char* actionName) {
    QAction* action = Action(actionName);
    QVERIFY2(action, actionName);
    action->trigger();
}

QDialog* MainWindowFixture::OpenDialog(const char* item, const char* dialogName,
                                       const char* firstBox) {
    Trigger(item);
    auto* dialog = window->findChild<QDialog*>(QLatin1String(dialogName));
    if (!dialog || !QTest::qWaitForWindowActive(dialog)) return nullptr;
    QWidget* box = Control(dialog, firstBox);
    const bool focused = QTest::qWaitFor([&] { return QApplication::focusWidget() == box; });
    return focused && !window->isVisible() ? dialog : nullptr;
}

QString MainWindowFixture::Path(const QString& name) const {
    return dir.filePath(name);
}

QByteArray MainWindowFixture::Read(const QString& name) const {
    QFile file(Path(name));
    if (!file.open(QIODevice::ReadOnly)) return QByteArrayLiteral("<missing>");
    return file.readAll();
}

void MainWindowFixture::Write(const QString& name, const QByteArray& bytes) const {
    QFile file(Path(name));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QStringList MainWindowFixture::BoxTexts() const {
    QStringList texts;
    for (const auto& box : prompts.boxes) texts << QString::fromStdString(box.text);
    return texts;
}

void Type(QWidget* dialog, const char* box, const QString& text) {
    auto* edit = Control<QLineEdit>(dialog, box);
    edit->setFocus();
    QTest::keyClicks(edit, text);
}

void Press(QWidget* dialog, const char* button) {
    QTest::mouseClick(Control<QAbstractButton>(dialog, button), Qt::LeftButton);
}

}  // namespace qvx::test
