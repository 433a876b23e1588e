// The three input dialogs opened through the main window's menu items: the
// main window gives way while one is open and comes back, active, however it
// closes, and the program never ends because a dialog closed.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "gui/support/MainWindowFixture.h"

using qvx::test::MainWindowFixture;

namespace {

QDialog* OpenDialog(MainWindowFixture& f, const char* item, const char* dialogName) {
    f.Trigger(item);
    auto* dialog = f.window->findChild<QDialog*>(QString::fromLatin1(dialogName));
    if (dialog && !QTest::qWaitForWindowActive(dialog)) return nullptr;
    return dialog;
}

QString FocusedName() {
    QWidget* focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QString();
}

void Type(QDialog* dialog, const char* box, const QString& text) {
    auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(box));
    QVERIFY2(edit, box);
    edit->setFocus();
    QTest::keyClicks(edit, text);
}

void Click(QDialog* dialog, const char* button) {
    auto* push = dialog->findChild<QPushButton*>(QString::fromLatin1(button));
    QVERIFY2(push, button);
    push->click();
}

void ExpectMainWindowBack(MainWindowFixture& f, QDialog* dialog) {
    QTRY_VERIFY(!dialog->isVisible());
    QTRY_VERIFY(f.window->isVisible());
    QTRY_VERIFY(f.window->isActiveWindow());
    QCOMPARE(f.endCalls, 0);
}

class DialogsFromMenuTest : public QObject {
    Q_OBJECT
  private slots:
    // The program's own dial line passes the program's own check.
    void dialLineFromTheMenuPassesTheCheck() {
        MainWindowFixture f;
        f.ShowActive();
        QDialog* dialog = OpenDialog(f, "OtherEffectsMenuDTMFToneGenerator", "GeneralInput");
        QVERIFY(dialog);
        QVERIFY(!f.window->isVisible());
        QTRY_COMPARE(FocusedName(), QStringLiteral("Generic"));
        Type(dialog, "Generic", QStringLiteral("555"));
        Click(dialog, "Submit");
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:dial \"555\"]\r\n"));
        ExpectMainWindowBack(f, dialog);
        f.Trigger("ScriptOptionsMenuCheckScript");
        QCOMPARE(f.BoxTexts(),
                 QStringList{QStringLiteral("script was checked with 0 errors and 0 warnings.")});
    }

    // Every value item records its own kind; the numbers follow no menu order.
    void everyValueItemRecordsItsKind() {
        const std::pair<const char*, int> items[] = {
            {"CharacteristicsMenuVoiceRate", 1},
            {"CharacteristicsMenuBreathiness", 2},
            {"CharacteristicsMenuHeadSize", 3},
            {"CharacteristicsMenuF4Frequency", 4},
            {"CharacteristicsMenuF5Frequency", 5},
            {"CharacteristicsMenuF4Bandwidth", 6},
            {"CharacteristicsMenuF5Bandwidth", 7},
            {"CharacteristicsMenuLaxBreathiness", 8},
            {"CharacteristicsMenuSmoothness", 9},
            {"CharacteristicsMenuRichness", 10},
            {"CharacteristicsMenuLaryngealisation", 11},
            {"CharacteristicsMenuSampling", 12},
            {"IntonationMenuPitch", 13},
            {"IntonationMenuExpression", 14},
            {"IntonationMenuAssertiveness", 15},
            {"IntonationMenuHatRise", 16},
            {"IntonationMenuBassFall", 17},
            {"IntonationMenuSpeed", 18},
            {"IntonationMenuStressLevel", 19},
            {"GainSettingsMenuVoiceLevel", 20},
            {"GainSettingsMenuAspirationLevel", 21},
            {"GainSettingsMenuFricationLevel", 22},
            {"GainSettingsMenuNasalisationLevel", 23},
            {"GainSettingsMenuFormantResonator1", 24},
            {"GainSettingsMenuFormantResonator2", 25},
            {"GainSettingsMenuFormantResonator3", 26},
            {"GainSettingsMenuFormantResonator4", 27},
            {"GainSettingsMenuFormantResonator5", 28},
            {"OtherEffectsMenuDTMFToneGenerator", 29},
        };
        MainWindowFixture f;
        f.ShowActive();
        for (const auto& [item, kind] : items) {
            f.Trigger(item);
            QVERIFY2(f.state.InputKind == kind, item);
        }
        auto* dialog = f.window->findChild<QDialog*>(QStringLiteral("GeneralInput"));
        QVERIFY(dialog && QTest::qWaitForWindowActive(dialog));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("DTMF tones"));
        QTest::keyClick(dialog, Qt::Key_Escape);
        ExpectMainWindowBack(f, dialog);
        QVERIFY(!f.Exists("demo.txt"));
    }
};

}  // namespace

QTEST_MAIN(DialogsFromMenuTest)
#include "DialogsFromMenuTest.moc"
