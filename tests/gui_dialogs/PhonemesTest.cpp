#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include "DialogHarness.h"
#include "dialogs/widgets/Phonemes.h"

using namespace Qt::Literals::StringLiterals;

namespace qvx {

class PhonemesTest : public QObject {
    Q_OBJECT

    static void Open(Phonemes& dialog) {
        dialog.Open();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }
    static void Fill(Phonemes& dialog, const QString& phoneme, const QString& note,
                     const QString& length) {
        test::Type(dialog, "txtPhoneme", phoneme);
        test::Type(dialog, "txtNote", note);
        test::Type(dialog, "txtLength", length);
    }
    // Ticks Slide, picks the direction (-1 for none) and types the end note.
    static void SlideTo(Phonemes& dialog, int direction, const QString& end) {
        test::Press(dialog, "chkSlide");
        test::Control<QComboBox>(dialog, "Slide")->setCurrentIndex(direction);
        test::Type(dialog, "txtEndNote", end);
    }
    static bool SlideControlsShown(Phonemes& dialog) {
        const bool shown = test::Control<QWidget>(dialog, "txtEndNote")->isVisible();
        if (test::Control<QWidget>(dialog, "lblEndNote")->isVisible() != shown ||
            test::Control<QWidget>(dialog, "Slide")->isVisible() != shown ||
            test::Control<QWidget>(dialog, "txtEndNote")->isEnabled() != shown) {
            qFatal("the slide controls disagree");
        }
        return shown;
    }

  private slots:
    void opensEmptyWithTheFocusInThePhonemeBox() {
        test::DialogHarness h;
        Phonemes dialog(h.state, h.prompts, &h.mainWindow);
        Open(dialog);
        QVERIFY(!h.mainWindow.isVisible());
        QCOMPARE(dialog.windowTitle(), u"New phoneme"_s);
        QCOMPARE(QApplication::focusWidget(), test::Control<QLineEdit>(dialog, "txtPhoneme"));
        QVERIFY(!SlideControlsShown(dialog));
        QVERIFY(test::Control<QWidget>(dialog, "SlidePrompt")->isVisible());

        // Whatever was typed before, the next opening starts afresh.
        Fill(dialog, u"ah"_s, u"10"_s, u"300"_s);
        SlideTo(dialog, 0, u"12"_s);
        QVERIFY(SlideControlsShown(dialog));
        test::Control<QLineEdit>(dialog, "txtPhoneme")->setFocus();
        QCOMPARE(test::TabPath(9),
                 (QStringList{u"txtPhoneme"_s, u"txtNote"_s, u"txtLength"_s, u"chkSlide"_s,
                              u"Slide"_s, u"txtEndNote"_s, u"Gen"_s, u"Ccl"_s, u"txtPhoneme"_s}));
        QCOMPARE(test::UnnamedControls(dialog), QStringList());
        test::Press(dialog, "Ccl");
        QVX_VERIFY_RETURNED(h, dialog);

        Open(dialog);
        for (const char* box : {"txtPhoneme", "txtNote", "txtLength", "txtEndNote"}) {
            QCOMPARE(test::Control<QLineEdit>(dialog, box)->text(), QString());
        }
        QVERIFY(!test::Control<QCheckBox>(dialog, "chkSlide")->isChecked());
        QCOMPARE(test::Control<QComboBox>(dialog, "Slide")->currentIndex(), -1);
        QVERIFY(!SlideControlsShown(dialog));
        QCOMPARE(QApplication::focusWidget(), test::Control<QLineEdit>(dialog, "txtPhoneme"));
        QCOMPARE(test::Control<QLabel>(dialog, "lblNote")->buddy(),
                 test::Control<QLineEdit>(dialog, "txtNote"));
        QCOMPARE(test::Control<QWidget>(dialog, "txtEndNote")->geometry(), QRect(160, 440, 81, 33));
        QCOMPARE(test::Control<QWidget>(dialog, "Slide")->geometry(), QRect(160, 360, 81, 21));
    }

    void slidesUpAndDownWithPhoneOnWrittenOnce() {
        test::DialogHarness h;
        Phonemes dialog(h.state, h.prompts, &h.mainWindow);
        Open(dialog);
        Fill(dialog, u"ah"_s, u"10"_s, u"300"_s);
        SlideTo(dialog, 0, u"14"_s);
        test::Press(dialog, "Gen");
        QVX_VERIFY_RETURNED(h, dialog);

        Open(dialog);
        Fill(dialog, u"ah"_s, u"14"_s, u"300"_s);
        SlideTo(dialog, 1, u"10"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVX_VERIFY_RETURNED(h, dialog);
        QVERIFY(h.prompts.boxes.empty());
        QCOMPARE(h.Script(),
                 std::string("[:phone on]\r\n"
                             "[ah<300,10>]\r\n[ah<300,11>]\r\n[ah<300,12>]\r\n[ah<300,13>]\r\n"
                             "[ah<300,14>]\r\n"
                             "[ah<300,14>]\r\n[ah<300,13>]\r\n[ah<300,12>]\r\n[ah<300,11>]\r\n"
                             "[ah<300,10>]\r\n"));
    }

    void anUncheckedEndWritesAtMostOneEntryPerNote() {
        test::DialogHarness h;
        Phonemes dialog(h.state, h.prompts, &h.mainWindow);
        Open(dialog);
        Fill(dialog, u"aa"_s, u"10"_s, u"100"_s);
        SlideTo(dialog, -1, u"2147483647"_s);
        test::Press(dialog, "Gen");
        QVX_VERIFY_RETURNED(h, dialog);
        const auto lines = SplitLines(h.Script());
        QVERIFY(lines.size() <= 1 + 37);
        QCOMPARE(lines.front(), std::string("[:phone on]"));
        QCOMPARE(lines.back(), std::string("[aa<100,37>]"));
    }

    void faultsAreListedInOneBoxAndTheFormIsKept() {
        test::DialogHarness h;
        Phonemes dialog(h.state, h.prompts, &h.mainWindow);
        Open(dialog);
        Fill(dialog, u"aa"_s, u"0"_s, u"49"_s);
        test::Press(dialog, "Gen");
        QCOMPARE(h.prompts.boxes.size(), size_t{1});
        QCOMPARE(h.prompts.boxes[0].title, std::string("quillvox"));
        QVERIFY(h.prompts.boxes[0].icon == PromptIcon::None);
        QCOMPARE(h.prompts.boxes[0].text,
                 std::string("please type a note between 1 and 37.\r\n"
                             "current length input is less than 50. please type a length between "
                             "20 and 20000.\r\n"));
        QVERIFY(dialog.isVisible());
        QVERIFY(!h.mainWindow.isVisible());
        QCOMPARE(test::Control<QLineEdit>(dialog, "txtNote")->text(), u"0"_s);
        QCOMPARE(h.Script(), std::string("<missing>"));
    }

    void slideCannotBeTickedFromAFrequency() {
        test::DialogHarness h;
        Phonemes dialog(h.state, h.prompts, &h.mainWindow);
        Open(dialog);
        test::Type(dialog, "txtNote", u"200"_s);
        test::Press(dialog, "chkSlide");
        QVERIFY(!test::Control<QCheckBox>(dialog, "chkSlide")->isChecked());
        QVERIFY(!SlideControlsShown(dialog));
    }

    void escAndTheCloseBoxWriteNothingAndReturn() {
        test::DialogHarness h;
        Phonemes dialog(h.state, h.prompts, &h.mainWindow);
        Open(dialog);
        Fill(dialog, u"ah"_s, u"10"_s, u"300"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVX_VERIFY_RETURNED(h, dialog);
        Open(dialog);
        Fill(dialog, u"ah"_s, u"10"_s, u"300"_s);
        QVERIFY(dialog.windowHandle()->close());
        QVX_VERIFY_RETURNED(h, dialog);
        QCOMPARE(h.Script(), std::string("<missing>"));
    }
};

}  // namespace qvx

QTEST_MAIN(qvx::PhonemesTest)
#include "PhonemesTest.moc"
