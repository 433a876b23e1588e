#include <QCheckBox>
#include <QComboBox>

#include "DialogHarness.h"
#include "dialogs/widgets/Phonemes.h"

using namespace Qt::Literals::StringLiterals;

namespace qvx {

class PhonemesTest : public QObject {
    Q_OBJECT

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
            test::Control<QWidget>(dialog, "Slide")->isVisible() != shown) {
            qFatal("the slide controls disagree");
        }
        return shown;
    }

  private slots:
    void eachOpeningStartsEmptyWithTheSlideHidden() {
        test::DialogHarness h;
        Phonemes dialog(h.state, h.prompts, &h.mainWindow);
        test::Open(h, dialog, "txtPhoneme");
        QCOMPARE(dialog.windowTitle(), u"New phoneme"_s);
        QVERIFY(!SlideControlsShown(dialog));
        Fill(dialog, u"ah"_s, u"10"_s, u"300"_s);
        SlideTo(dialog, 0, u"12"_s);
        QVERIFY(SlideControlsShown(dialog));
        QCOMPARE(test::Control<QWidget>(dialog, "txtEndNote")->geometry(), QRect(160, 440, 81, 33));
        test::Press(dialog, "Ccl");
        QVX_VERIFY_RETURNED(h, dialog);

        test::Open(h, dialog, "txtPhoneme");
        for (const char* box : {"txtPhoneme", "txtNote", "txtLength", "txtEndNote"}) {
            QCOMPARE(test::Control<QLineEdit>(dialog, box)->text(), QString());
        }
        QVERIFY(!test::Control<QCheckBox>(dialog, "chkSlide")->isChecked());
        QCOMPARE(test::Control<QComboBox>(dialog, "Slide")->currentIndex(), -1);
        QVERIFY(!SlideControlsShown(dialog));

        // The tick rule: no slide from a frequency.
        test::Type(dialog, "txtNote", u"200"_s);
        test::Press(dialog, "chkSlide");
        QVERIFY(!test::Control<QCheckBox>(dialog, "chkSlide")->isChecked());
        QVERIFY(!SlideControlsShown(dialog));
    }

    void slidesUpAndDownWithPhoneOnWrittenOnce() {
        test::DialogHarness h;
        Phonemes dialog(h.state, h.prompts, &h.mainWindow);
        test::Open(h, dialog, "txtPhoneme");
        Fill(dialog, u"ah"_s, u"10"_s, u"300"_s);
        SlideTo(dialog, 0, u"14"_s);
        test::Press(dialog, "Gen");
        QVX_VERIFY_RETURNED(h, dialog);

        test::Open(h, dialog, "txtPhoneme");
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

    void faultsAreListedInOneBoxAndTheFormIsKept() {
        test::DialogHarness h;
        Phonemes dialog(h.state, h.prompts, &h.mainWindow);
        test::Open(h, dialog, "txtPhoneme");
        Fill(dialog, u"aa"_s, u"0"_s, u"49"_s);
        test::Press(dialog, "Gen");
        h.ExpectOneBox(
            "please type a note between 1 and 37.\r\n"
            "current length input is less than 50. please type a length between 20 "
            "and 20000.\r\n",
            "quillvox", PromptIcon::None);
        QVX_VERIFY_KEPT(h, dialog);
        QCOMPARE(test::Control<QLineEdit>(dialog, "txtNote")->text(), u"0"_s);
    }
};

}  // namespace qvx

QTEST_MAIN(qvx::PhonemesTest)
#include "PhonemesTest.moc"
