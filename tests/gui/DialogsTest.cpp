// The three input dialogs opened through their menu items on the real main
// window: each takes the window's place and gives it back, active, however
// it closes; a failed check keeps it open with what was typed.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QWindow>
#include <functional>

#include "gui/support/MainWindowFixture.h"

using namespace Qt::Literals::StringLiterals;
using qvx::PromptIcon;
using qvx::test::MainWindowFixture;

namespace {

template <typename T = QWidget>
T* Control(QWidget* dialog, const char* name) {
    auto* control = dialog->findChild<T*>(QLatin1String(name));
    if (!control) qFatal("no control %s", name);
    return control;
}

// Chooses the item and waits until its dialog has the keyboard in `firstBox`.
QDialog* Open(MainWindowFixture& f, const char* item, const char* dialogName,
              const char* firstBox) {
    f.Trigger(item);
    auto* dialog = f.window->findChild<QDialog*>(QLatin1String(dialogName));
    if (!dialog || !QTest::qWaitForWindowActive(dialog)) return nullptr;
    const bool focused =
        QTest::qWaitFor([&] { return QApplication::focusWidget() == Control(dialog, firstBox); });
    return focused && !f.window->isVisible() ? dialog : nullptr;
}

// Types as a user would, so the box's character limit applies.
void Type(QWidget* dialog, const char* box, const QString& text) {
    auto* edit = Control<QLineEdit>(dialog, box);
    edit->setFocus();
    QTest::keyClicks(edit, text);
}

void Press(QWidget* dialog, const char* button) {
    QTest::mouseClick(Control<QAbstractButton>(dialog, button), Qt::LeftButton);
}

// Shows the slide controls' state, which must agree among themselves.
bool SlideShown(QWidget* dialog, const char* endBox) {
    const bool shown = Control(dialog, endBox)->isVisible();
    if (Control(dialog, "lblEndNote")->isVisible() != shown ||
        Control(dialog, "Slide")->isVisible() != shown) {
        qFatal("the slide controls disagree");
    }
    return shown;
}

// Ticks Slide, picks the direction (-1 for none) and types the end.
void SlideTo(QWidget* dialog, int direction, const char* endBox, const QString& end) {
    Press(dialog, "chkSlide");
    Control<QComboBox>(dialog, "Slide")->setCurrentIndex(direction);
    Type(dialog, endBox, end);
}

}  // namespace

// A failed check: the dialog stays in the window's place, nothing written.
#define VERIFY_KEPT(f, dialog)                                   \
    do {                                                         \
        QVERIFY((dialog)->isVisible());                          \
        QVERIFY(!(f).window->isVisible());                       \
        QCOMPARE((f).Read("demo.txt"), QByteArray("<missing>")); \
    } while (false)

// The main window is back and active, and the program goes on.
#define VERIFY_RETURNED(f, dialog)                 \
    do {                                           \
        QTRY_VERIFY(!(dialog)->isVisible());       \
        QTRY_VERIFY((f).window->isActiveWindow()); \
        QCOMPARE((f).endCalls, 0);                 \
    } while (false)

namespace {

class DialogsTest : public QObject {
    Q_OBJECT
  private slots:
    // Each opening is left a different way, the first by a successful OK,
    // with text typed; the next one shows its own kind with an empty box.
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
                         [&] { Press(dialog, "Submit"); }},
                        {"OtherEffectsMenuDTMFToneGenerator", u"DTMF tones"_s, u"Number to dial:"_s,
                         32767,  // no limit
                         [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }},
                        // What the window's close box does: the window system asks it to close.
                        {"CharacteristicsMenuVoiceRate", u"Voice rate"_s, u"Rate:"_s, 3,
                         [&] { dialog->windowHandle()->close(); }},
                        {"CharacteristicsMenuBreathiness", u"breathiness"_s, u"Value:"_s, 2,
                         [&] { Press(dialog, "Ccl"); }}};
        for (const auto& o : openings) {
            dialog = Open(f, o.item, "GeneralInput", "Generic");
            QVERIFY2(dialog, o.item);
            QCOMPARE(dialog->windowTitle(), o.caption);
            QCOMPARE(Control<QLabel>(dialog, "General")->text(), o.prompt);
            QCOMPARE(Control<QLineEdit>(dialog, "Generic")->maxLength(), o.limit);
            QCOMPARE(Control<QLineEdit>(dialog, "Generic")->text(), QString());
            Type(dialog, "Generic", u"120"_s);
            o.leave();
            VERIFY_RETURNED(f, dialog);
        }
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:dv ap 120]\r\n"));
        QVERIFY(f.prompts.boxes.empty());
        QCOMPARE(Control(dialog, "Submit")->geometry(), QRect(40, 120, 81, 33));
        QCOMPARE(dialog->size(), QSize(312, 213));
    }

    // An empty message means the text is accepted and `result` is the line
    // written; otherwise `result` is the box's title and the text stays.
    void valueDialogWritesOrRefuses_data() {
        QTest::addColumn<QByteArray>("item");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("result");
        QTest::newRow("pitch 120, Enter")
            << QByteArray("IntonationMenuPitch") << u"120"_s << QString() << u"[:dv ap 120]"_s;
        QTest::newRow("pitch 99") << QByteArray("IntonationMenuPitch") << u"99"_s
                                  << u"Please type a value between 100 and 300."_s
                                  << u"Input Error"_s;
        // Two characters at most: the third key press is lost.
        QTest::newRow("voice gain 123") << QByteArray("GainSettingsMenuVoiceLevel") << u"123"_s
                                        << QString() << u"[:dv gv 12]"_s;
        QTest::newRow("dial empty") << QByteArray("OtherEffectsMenuDTMFToneGenerator") << QString()
                                    << QString() << u"[:dial \"\"]"_s;
    }
    void valueDialogWritesOrRefuses() {
        QFETCH(QByteArray, item);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, result);
        MainWindowFixture f;
        f.ShowActive();
        QDialog* dialog = Open(f, item.constData(), "GeneralInput", "Generic");
        QVERIFY(dialog);
        Type(dialog, "Generic", typed);
        // Enter presses OK as surely as a click does.
        if (QTest::currentDataTag() == "pitch 120, Enter"_ba) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        } else {
            Press(dialog, "Submit");
        }
        if (message.isEmpty()) {
            QVERIFY(f.prompts.boxes.empty());
            QCOMPARE(QString::fromUtf8(f.Read("demo.txt")), result + u"\r\n"_s);
            VERIFY_RETURNED(f, dialog);
        } else {
            QCOMPARE(f.BoxTexts(), QStringList{message});
            QCOMPARE(QString::fromStdString(f.prompts.boxes[0].title), result);
            QCOMPARE(f.prompts.boxes[0].icon, PromptIcon::Critical);
            VERIFY_KEPT(f, dialog);
            QCOMPARE(Control<QLineEdit>(dialog, "Generic")->text(), typed);
        }
    }

    // Every value item records its own kind; the numbers follow no menu order.
    void everyValueItemRecordsItsKind() {
        const char* const itemsByKind[] = {"CharacteristicsMenuVoiceRate",
                                           "CharacteristicsMenuBreathiness",
                                           "CharacteristicsMenuHeadSize",
                                           "CharacteristicsMenuF4Frequency",
                                           "CharacteristicsMenuF5Frequency",
                                           "CharacteristicsMenuF4Bandwidth",
                                           "CharacteristicsMenuF5Bandwidth",
                                           "CharacteristicsMenuLaxBreathiness",
                                           "CharacteristicsMenuSmoothness",
                                           "CharacteristicsMenuRichness",
                                           "CharacteristicsMenuLaryngealisation",
                                           "CharacteristicsMenuSampling",
                                           "IntonationMenuPitch",
                                           "IntonationMenuExpression",
                                           "IntonationMenuAssertiveness",
                                           "IntonationMenuHatRise",
                                           "IntonationMenuBassFall",
                                           "IntonationMenuSpeed",
                                           "IntonationMenuStressLevel",
                                           "GainSettingsMenuVoiceLevel",
                                           "GainSettingsMenuAspirationLevel",
                                           "GainSettingsMenuFricationLevel",
                                           "GainSettingsMenuNasalisationLevel",
                                           "GainSettingsMenuFormantResonator1",
                                           "GainSettingsMenuFormantResonator2",
                                           "GainSettingsMenuFormantResonator3",
                                           "GainSettingsMenuFormantResonator4",
                                           "GainSettingsMenuFormantResonator5",
                                           "OtherEffectsMenuDTMFToneGenerator"};
        MainWindowFixture f;
        for (int kind = 1; kind <= 29; ++kind) {
            f.Trigger(itemsByKind[kind - 1]);
            QVERIFY2(f.state.InputKind == kind, itemsByKind[kind - 1]);
        }
    }

    // The program's own dial line passes the program's own check.
    void dialLineFromTheMenuPassesTheCheck() {
        MainWindowFixture f;
        f.ShowActive();
        QDialog* dialog = Open(f, "OtherEffectsMenuDTMFToneGenerator", "GeneralInput", "Generic");
        QVERIFY(dialog);
        Type(dialog, "Generic", u"555"_s);
        Press(dialog, "Submit");
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:dial \"555\"]\r\n"));
        VERIFY_RETURNED(f, dialog);
        f.Trigger("ScriptOptionsMenuCheckScript");
        QCOMPARE(f.BoxTexts(), QStringList{u"script was checked with 0 errors and 0 warnings."_s});
    }

    void phonemeDialogOpensEmptyWithTheSlideHidden() {
        MainWindowFixture f;
        f.ShowActive();
        QDialog* dialog = Open(f, "WriteMenuPhoneme", "Phonemes", "txtPhoneme");
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), u"New phoneme"_s);
        QVERIFY(!SlideShown(dialog, "txtEndNote"));
        Type(dialog, "txtNote", u"10"_s);
        SlideTo(dialog, 0, "txtEndNote", u"12"_s);
        QVERIFY(SlideShown(dialog, "txtEndNote"));
        QCOMPARE(Control(dialog, "txtEndNote")->geometry(), QRect(160, 440, 81, 33));
        Press(dialog, "Ccl");
        VERIFY_RETURNED(f, dialog);

        QVERIFY(Open(f, "WriteMenuPhoneme", "Phonemes", "txtPhoneme"));
        for (const char* box : {"txtPhoneme", "txtNote", "txtLength", "txtEndNote"}) {
            QCOMPARE(Control<QLineEdit>(dialog, box)->text(), QString());
        }
        QCOMPARE(Control<QComboBox>(dialog, "Slide")->currentIndex(), -1);
        QVERIFY(!SlideShown(dialog, "txtEndNote"));
        // The tick rule: no slide from a frequency.
        Type(dialog, "txtNote", u"200"_s);
        Press(dialog, "chkSlide");
        QVERIFY(!Control<QCheckBox>(dialog, "chkSlide")->isChecked());
        QVERIFY(!SlideShown(dialog, "txtEndNote"));
    }

    void phonemeSlidesUpAndDown() {
        MainWindowFixture f;
        f.ShowActive();
        for (const auto& [from, direction, to] :
             {std::tuple{u"10"_s, 0, u"12"_s}, std::tuple{u"12"_s, 1, u"10"_s}}) {
            QDialog* dialog = Open(f, "WriteMenuPhoneme", "Phonemes", "txtPhoneme");
            QVERIFY(dialog);
            Type(dialog, "txtPhoneme", u"ah"_s);
            Type(dialog, "txtNote", from);
            Type(dialog, "txtLength", u"300"_s);
            SlideTo(dialog, direction, "txtEndNote", to);
            // Enter presses Generate as surely as a click does.
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            VERIFY_RETURNED(f, dialog);
        }
        QVERIFY(f.prompts.boxes.empty());
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:phone on]\r\n[ah<300,10>]\r\n[ah<300,11>]\r\n"
                                                "[ah<300,12>]\r\n[ah<300,12>]\r\n[ah<300,11>]\r\n"
                                                "[ah<300,10>]\r\n"));
    }

    void phonemeFaultsAreListedInOneBoxAndTheFormIsKept() {
        MainWindowFixture f;
        f.ShowActive();
        QDialog* dialog = Open(f, "WriteMenuPhoneme", "Phonemes", "txtPhoneme");
        QVERIFY(dialog);
        Type(dialog, "txtPhoneme", u"aa"_s);
        Type(dialog, "txtNote", u"0"_s);
        Type(dialog, "txtLength", u"49"_s);
        Press(dialog, "Gen");
        QCOMPARE(f.BoxTexts(), QStringList{u"please type a note between 1 and 37.\r\n"
                                           "current length input is less than 50. please type a "
                                           "length between 20 and 20000.\r\n"_s});
        QCOMPARE(f.prompts.boxes[0].title, std::string("quillvox"));
        VERIFY_KEPT(f, dialog);
        QCOMPARE(Control<QLineEdit>(dialog, "txtNote")->text(), u"0"_s);
    }

    void toneDialogFollowsTheToneSystemAtEachOpening() {
        MainWindowFixture f;
        f.ShowActive();
        QDialog* dialog = Open(f, "OtherEffectsMenuToneGenerator", "Tones", "ToneValue");
        QVERIFY(dialog);
        auto* value = Control<QLineEdit>(dialog, "ToneValue");
        QCOMPARE(dialog->windowTitle(), u"Tone Generator"_s);
        QCOMPARE(Control<QLabel>(dialog, "lblNote")->text(), u"Note:"_s);
        Type(dialog, "ToneValue", u"12345"_s);
        QCOMPARE(value->text(), u"12"_s);
        Press(dialog, "Ccl");
        VERIFY_RETURNED(f, dialog);

        // The option changed between two openings: the dialog follows it.
        f.state.options.ToneSystem = false;
        QVERIFY(Open(f, "OtherEffectsMenuToneGenerator", "Tones", "ToneValue"));
        QCOMPARE(Control<QLabel>(dialog, "lblNote")->text(), u"Frequency:"_s);
        QCOMPARE(Control<QLabel>(dialog, "lblEndNote")->text(), u"End Frequency:"_s);
        QCOMPARE(value->maxLength(), 5);
        QCOMPARE(Control<QLineEdit>(dialog, "EndNote")->maxLength(), 5);
        QCOMPARE(value->text(), QString());

        // The tick rule: 440 is no note, so Slide stays off until the box is cleared.
        Type(dialog, "ToneValue", u"440"_s);
        Press(dialog, "chkSlide");
        QVERIFY(!SlideShown(dialog, "EndNote"));
        value->clear();
        Press(dialog, "chkSlide");
        QVERIFY(SlideShown(dialog, "EndNote"));
        QCOMPARE(Control(dialog, "EndNote")->geometry(), QRect(160, 400, 81, 33));
    }

    // One tone per step, each of the full length, the pitch moving one way
    // from the first to the last.
    void toneSlidesWriteEveryStepAtFullLength_data() {
        QTest::addColumn<bool>("notes");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("firstHertz");
        QTest::addColumn<int>("lastHertz");
        QTest::newRow("notes 12 to 10") << true << u"12"_s << u"10"_s << 3 << 496 << 440;
        QTest::newRow("every note") << true << u"1"_s << u"37"_s << 37 << 262 << 2096;
        QTest::newRow("hertz 440 to 438") << false << u"440"_s << u"438"_s << 3 << 440 << 438;
    }
    void toneSlidesWriteEveryStepAtFullLength() {
        QFETCH(bool, notes);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, steps);
        QFETCH(int, firstHertz);
        QFETCH(int, lastHertz);
        MainWindowFixture f;
        f.state.options.ToneSystem = notes;
        f.ShowActive();
        QDialog* dialog = Open(f, "OtherEffectsMenuToneGenerator", "Tones", "ToneValue");
        QVERIFY(dialog);
        // Slide is ticked before a frequency is typed (the tick rule).
        SlideTo(dialog, firstHertz < lastHertz ? 0 : 1, "EndNote", to);
        Type(dialog, "ToneValue", from);
        Type(dialog, "Length", u"200"_s);
        Press(dialog, "Gen");
        VERIFY_RETURNED(f, dialog);
        QVERIFY(f.prompts.boxes.empty());
        QList<int> hertz;
        for (const QByteArray& line : f.Read("demo.txt").split('\n')) {
            if (line.isEmpty()) continue;
            QVERIFY2(line.startsWith("[:tone<") && line.endsWith(",200>]\r"), line.constData());
            hertz << line.mid(7).split(',').front().toInt();
        }
        QCOMPARE(hertz.size(), steps);
        QCOMPARE(hertz.front(), firstHertz);
        QCOMPARE(hertz.back(), lastHertz);
        const bool rising = lastHertz > firstHertz;
        for (int i = 1; i < steps; ++i) {
            QVERIFY(rising ? hertz[i] > hertz[i - 1] : hertz[i] < hertz[i - 1]);
        }
    }

    void toneFaultsKeepTheDialogOpenAndEscOrTheCloseBoxWriteNothing() {
        MainWindowFixture f;
        f.state.options.ToneSystem = false;
        f.ShowActive();
        QDialog* dialog = Open(f, "OtherEffectsMenuToneGenerator", "Tones", "ToneValue");
        QVERIFY(dialog);
        SlideTo(dialog, 1, "EndNote", u"19"_s);
        Type(dialog, "ToneValue", u"440"_s);
        Type(dialog, "Length", u"200"_s);
        Press(dialog, "Gen");
        QCOMPARE(f.BoxTexts(), QStringList{u"note can't be less than 20.\r\n"_s});
        VERIFY_KEPT(f, dialog);
        QCOMPARE(Control<QLineEdit>(dialog, "EndNote")->text(), u"19"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        VERIFY_RETURNED(f, dialog);

        QVERIFY(Open(f, "OtherEffectsMenuToneGenerator", "Tones", "ToneValue"));
        Type(dialog, "ToneValue", u"10"_s);
        Type(dialog, "Length", u"200"_s);
        QVERIFY(dialog->windowHandle()->close());
        VERIFY_RETURNED(f, dialog);
        QCOMPARE(f.Read("demo.txt"), QByteArray("<missing>"));
    }
};

}  // namespace

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
