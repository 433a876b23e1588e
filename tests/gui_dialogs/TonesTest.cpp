#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include "DialogHarness.h"
#include "dialogs/widgets/Tones.h"

using namespace Qt::Literals::StringLiterals;

namespace qvx {

class TonesTest : public QObject {
    Q_OBJECT

    static void Open(test::DialogHarness& h, Tones& dialog, bool noteNumbers) {
        h.state.options.ToneSystem = noteNumbers;
        dialog.Open();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }

  private slots:
    void opensForTheToneSystemInForce() {
        test::DialogHarness h;
        Tones dialog(h.state, h.prompts, &h.mainWindow);
        Open(h, dialog, true);
        QVERIFY(!h.mainWindow.isVisible());
        QCOMPARE(dialog.windowTitle(), u"Tone Generator"_s);
        QCOMPARE(QApplication::focusWidget(), test::Control<QLineEdit>(dialog, "ToneValue"));
        QCOMPARE(test::Control<QLabel>(dialog, "lblNote")->text(), u"Note:"_s);
        QCOMPARE(test::Control<QLineEdit>(dialog, "ToneValue")->maxLength(), 2);
        test::Type(dialog, "ToneValue", u"12345"_s);
        QCOMPARE(test::Control<QLineEdit>(dialog, "ToneValue")->text(), u"12"_s);
        QVERIFY(!test::Control<QWidget>(dialog, "EndNote")->isVisible());
        test::Press(dialog, "Ccl");
        QVX_VERIFY_RETURNED(h, dialog);

        // The option changed between two openings: the dialog follows it.
        Open(h, dialog, false);
        QCOMPARE(test::Control<QLabel>(dialog, "lblNote")->text(), u"Frequency:"_s);
        QCOMPARE(test::Control<QLabel>(dialog, "lblEndNote")->text(), u"End Frequency:"_s);
        QCOMPARE(test::Control<QLineEdit>(dialog, "ToneValue")->maxLength(), 5);
        QCOMPARE(test::Control<QLineEdit>(dialog, "EndNote")->maxLength(), 5);
        QCOMPARE(test::Control<QLineEdit>(dialog, "ToneValue")->text(), QString());
        QCOMPARE(test::Control<QLabel>(dialog, "lblLength")->buddy(),
                 test::Control<QLineEdit>(dialog, "Length"));
        test::Press(dialog, "chkSlide");
        QCOMPARE(test::Control<QWidget>(dialog, "EndNote")->geometry(), QRect(160, 400, 81, 33));
        QCOMPARE(test::UnnamedControls(dialog), QStringList());
        test::Control<QLineEdit>(dialog, "ToneValue")->setFocus();
        QCOMPARE(test::TabPath(8),
                 (QStringList{u"ToneValue"_s, u"Length"_s, u"chkSlide"_s, u"Slide"_s, u"EndNote"_s,
                              u"Gen"_s, u"Ccl"_s, u"ToneValue"_s}));
    }

    void noteSlideDownWritesTheTableFrequencies() {
        test::DialogHarness h;
        Tones dialog(h.state, h.prompts, &h.mainWindow);
        Open(h, dialog, true);
        test::Type(dialog, "ToneValue", u"12"_s);
        test::Type(dialog, "Length", u"200"_s);
        test::Press(dialog, "chkSlide");
        test::Control<QComboBox>(dialog, "Slide")->setCurrentIndex(1);
        test::Type(dialog, "EndNote", u"10"_s);
        test::Press(dialog, "Gen");
        QVX_VERIFY_RETURNED(h, dialog);
        QVERIFY(h.prompts.boxes.empty());
        QCOMPARE(h.Script(),
                 std::string("[:tone<496,200>]\r\n[:tone<468,200>]\r\n[:tone<440,200>]\r\n"));
    }

    void frequencySlideNeedsTheTickBeforeTheValue() {
        test::DialogHarness h;
        Tones dialog(h.state, h.prompts, &h.mainWindow);
        Open(h, dialog, false);
        auto* tick = test::Control<QCheckBox>(dialog, "chkSlide");
        test::Type(dialog, "ToneValue", u"440"_s);
        test::Press(dialog, "chkSlide");
        QVERIFY(!tick->isChecked());
        QVERIFY(!test::Control<QWidget>(dialog, "EndNote")->isVisible());

        test::Control<QLineEdit>(dialog, "ToneValue")->clear();
        test::Press(dialog, "chkSlide");
        QVERIFY(tick->isChecked());
        test::Type(dialog, "ToneValue", u"440"_s);
        test::Type(dialog, "Length", u"100"_s);
        test::Control<QComboBox>(dialog, "Slide")->setCurrentIndex(1);
        test::Type(dialog, "EndNote", u"438"_s);
        test::Press(dialog, "Gen");
        QVX_VERIFY_RETURNED(h, dialog);
        QCOMPARE(h.Script(),
                 std::string("[:tone<440,100>]\r\n[:tone<439,100>]\r\n[:tone<438,100>]\r\n"));
    }

    void faultsKeepTheDialogOpen() {
        test::DialogHarness h;
        Tones dialog(h.state, h.prompts, &h.mainWindow);
        Open(h, dialog, false);
        test::Type(dialog, "ToneValue", u"440"_s);
        test::Type(dialog, "Length", u"200"_s);
        test::Control<QLineEdit>(dialog, "ToneValue")->clear();
        test::Press(dialog, "chkSlide");
        test::Type(dialog, "ToneValue", u"440"_s);
        test::Control<QComboBox>(dialog, "Slide")->setCurrentIndex(1);
        test::Type(dialog, "EndNote", u"19"_s);
        test::Press(dialog, "Gen");
        QCOMPARE(h.prompts.Texts(), std::vector<std::string>{"note can't be less than 20.\r\n"});
        QCOMPARE(h.prompts.boxes[0].title, std::string("quillvox"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(test::Control<QLineEdit>(dialog, "EndNote")->text(), u"19"_s);
        QCOMPARE(h.Script(), std::string("<missing>"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVX_VERIFY_RETURNED(h, dialog);
        QCOMPARE(h.Script(), std::string("<missing>"));
    }

    void theCloseBoxReturnsToTheMainWindow() {
        test::DialogHarness h;
        Tones dialog(h.state, h.prompts, &h.mainWindow);
        Open(h, dialog, true);
        test::Type(dialog, "ToneValue", u"10"_s);
        test::Type(dialog, "Length", u"200"_s);
        QVERIFY(dialog.windowHandle()->close());
        QVX_VERIFY_RETURNED(h, dialog);
        QCOMPARE(h.Script(), std::string("<missing>"));
    }
};

}  // namespace qvx

QTEST_MAIN(qvx::TonesTest)
#include "TonesTest.moc"
