// The three input dialogs opened through their menu items on the real main
// window: each takes the window's place and gives it back, active, however
// it closes; a failed check keeps it open with what was typed. Each can be
// worked from the keyboard and read by a screen reader, its slide controls
// shown.
#include <functional>

#include "dialogs/ValueInput.h"
#include "gui/support/MainWindowFixture.h"
#include "script/PhonemeToneWriters.h"

using namespace Qt::Literals::StringLiterals;
using qvx::test::Control;
using qvx::test::ExpectNamedAndTabbed;
using qvx::test::MainWindowFixture;
using qvx::test::Press;
using qvx::test::Type;

namespace {

// Ticks Slide, picks the direction (-1 for none) and types the end.
void SlideTo(QWidget* dialog, int direction, const char* endBox, const QString& end) {
    Press(dialog, "chkSlide");
    Control<QComboBox>(dialog, "Slide")->setCurrentIndex(direction);
    Type(dialog, endBox, end);
}

// The main window is back and active, and the program goes on.
#define VERIFY_RETURNED(f, dialog)                 \
    do {                                           \
        QTRY_VERIFY(!(dialog)->isVisible());       \
        QTRY_VERIFY((f).window->isActiveWindow()); \
        QCOMPARE((f).endCalls, 0);                 \
    } while (false)

class DialogsTest : public QObject {
    Q_OBJECT
  private slots:
    // Each opening shows its own kind with an empty box and is left a
    // different way. The first refuses a value, keeping what was typed, and
    // then ends with a successful OK by Enter; the dial line it writes next
    // passes the program's own check.
    void valueDialogPresentsEachKindAfreshAndEveryWayOutReturns() {
        MainWindowFixture f;
        f.ShowActive();
        QDialog* dialog = nullptr;
        const struct {
            const char* item;
            QString caption, prompt;
            int limit;
            std::function<void()> leave;
        } openings[] = {{"IntonationMenuPitch", u"Average Pitch"_s, u"Value:"_s, 3,
                         [&] {
                             ExpectNamedAndTabbed(dialog, "Generic Submit Ccl");
                             Press(dialog, "Submit");
                             QCOMPARE(f.BoxTexts(),
                                      QStringList{u"Please type a value between 100 and 300."_s});
                             QVERIFY(dialog->isVisible() && !f.window->isVisible());
                             QCOMPARE(Control<QLineEdit>(dialog, "Generic")->text(), u"555"_s);
                             Control<QLineEdit>(dialog, "Generic")->clear();
                             Type(dialog, "Generic", u"120"_s);
                             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                         }},
                        {"OtherEffectsMenuDTMFToneGenerator", u"DTMF tones"_s, u"Number to dial:"_s,
                         32767,  // no limit
                         [&] { Press(dialog, "Submit"); }},
                        {"CharacteristicsMenuVoiceRate", u"Voice rate"_s, u"Rate:"_s, 3,
                         [&] { Press(dialog, "Ccl"); }}};
        for (const auto& o : openings) {
            const qvx::test::RowTrace trace(o.item);
            dialog = f.OpenDialog(o.item, "GeneralInput", "Generic");
            QVERIFY2(dialog, o.item);
            auto* box = Control<QLineEdit>(dialog, "Generic");
            QVERIFY2(dialog->windowTitle() == o.caption, o.item);
            QVERIFY2(Control<QLabel>(dialog, "General")->text() == o.prompt, o.item);
            QVERIFY2(box->maxLength() == o.limit && box->text().isEmpty(), o.item);
            Type(dialog, "Generic", u"555"_s);
            o.leave();
            VERIFY_RETURNED(f, dialog);
        }
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:dv ap 120]\r\n[:dial \"555\"]\r\n"));
        f.Trigger("ScriptOptionsMenuCheckScript");
        QCOMPARE(f.BoxTexts().mid(1),
                 QStringList{u"script was checked with 0 errors and 0 warnings."_s});
    }

    // Every value item records its own kind, whatever the menu order.
    void everyValueItemRecordsItsKind() {
        MainWindowFixture f;
        for (const qvx::InputKindInfo& info : qvx::InputKinds()) {
            f.Trigger(info.menuItem.data());
            QVERIFY2(f.state.InputKind == info.kind, info.menuItem.data());
        }
    }

    // Faults are listed in one box and the form is kept; put right, the
    // slide is written.
    void phonemeDialogChecksAndWrites() {
        MainWindowFixture f;
        f.ShowActive();
        QDialog* dialog = f.OpenDialog("WriteMenuPhoneme", "Phonemes", "txtPhoneme");
        QVERIFY(dialog);
        Type(dialog, "txtPhoneme", u"ah"_s);
        Type(dialog, "txtNote", u"0"_s);
        Type(dialog, "txtLength", u"49"_s);
        Press(dialog, "Gen");
        QCOMPARE(f.prompts.boxes.size(), std::size_t(1));  // the faults, as the form's tests show
        QVERIFY(dialog->isVisible() && !f.window->isVisible());
        Control<QLineEdit>(dialog, "txtNote")->setText(u"12"_s);
        Control<QLineEdit>(dialog, "txtLength")->setText(u"300"_s);
        SlideTo(dialog, 1, "txtEndNote", u"10"_s);
        ExpectNamedAndTabbed(dialog,
                             "txtPhoneme txtNote txtLength chkSlide Slide txtEndNote Gen Ccl");
        // Enter presses Generate as surely as a click does.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        VERIFY_RETURNED(f, dialog);
        QCOMPARE(f.Read("demo.txt"),
                 QByteArray("[:phone on]\r\n[ah<300,12>]\r\n[ah<300,11>]\r\n[ah<300,10>]\r\n"));
    }

    // The dialog follows the tone system at each opening. A slide over every
    // note writes one tone per note, in order, each of the full length. In
    // hertz, a fault keeps the dialog open and Esc writes nothing.
    void toneDialogFollowsTheToneSystemAtEachOpening() {
        MainWindowFixture f;
        f.ShowActive();
        QDialog* dialog = f.OpenDialog("OtherEffectsMenuToneGenerator", "Tones", "ToneValue");
        QVERIFY(dialog);
        auto* value = Control<QLineEdit>(dialog, "ToneValue");
        QCOMPARE(Control<QLabel>(dialog, "lblNote")->text(), u"Note:"_s);
        QCOMPARE(value->maxLength(), 2);
        Type(dialog, "ToneValue", u"1"_s);
        Type(dialog, "Length", u"200"_s);
        SlideTo(dialog, 0, "EndNote", u"37"_s);
        Press(dialog, "Gen");
        VERIFY_RETURNED(f, dialog);
        QVERIFY(f.prompts.boxes.empty());
        QByteArray written;
        for (const std::int32_t hertz : qvx::ToneFrequencyTable) {
            written += "[:tone<" + QByteArray::number(hertz) + ",200>]\r\n";
        }

        f.state.options.ToneSystem = false;
        QVERIFY(f.OpenDialog("OtherEffectsMenuToneGenerator", "Tones", "ToneValue"));
        QCOMPARE(Control<QLabel>(dialog, "lblNote")->text(), u"Frequency:"_s);
        QCOMPARE(Control<QLineEdit>(dialog, "EndNote")->maxLength(), 5);
        QCOMPARE(value->text(), QString());
        // The tick rule: 440 is no note, so Slide stays off until the box is cleared.
        Type(dialog, "ToneValue", u"440"_s);
        Press(dialog, "chkSlide");
        QVERIFY(!Control<QCheckBox>(dialog, "chkSlide")->isChecked());
        QVERIFY(!Control(dialog, "EndNote")->isVisible());
        value->clear();
        SlideTo(dialog, 1, "EndNote", u"19"_s);
        ExpectNamedAndTabbed(dialog, "ToneValue Length chkSlide Slide EndNote Gen Ccl");
        Type(dialog, "ToneValue", u"440"_s);
        Type(dialog, "Length", u"200"_s);
        Press(dialog, "Gen");
        QCOMPARE(f.BoxTexts(), QStringList{u"note can't be less than 20.\r\n"_s});
        QVERIFY(dialog->isVisible() && !f.window->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        VERIFY_RETURNED(f, dialog);
        QCOMPARE(f.Read("demo.txt"), written);
    }
};

}  // namespace

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
