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
        test::Open(h, dialog, "ToneValue");
    }
    // Slide must be ticked before a frequency is typed (the tick rule).
    static void SlideDown(Tones& dialog, const QString& from, const QString& to) {
        test::Press(dialog, "chkSlide");
        test::Type(dialog, "ToneValue", from);
        test::Type(dialog, "Length", u"200"_s);
        test::Control<QComboBox>(dialog, "Slide")->setCurrentIndex(1);
        test::Type(dialog, "EndNote", to);
    }

  private slots:
    void eachOpeningFollowsTheToneSystemInForce() {
        test::DialogHarness h;
        Tones dialog(h.state, h.prompts, &h.mainWindow);
        auto* value = test::Control<QLineEdit>(dialog, "ToneValue");
        Open(h, dialog, true);
        QCOMPARE(dialog.windowTitle(), u"Tone Generator"_s);
        QCOMPARE(test::Control<QLabel>(dialog, "lblNote")->text(), u"Note:"_s);
        test::Type(dialog, "ToneValue", u"12345"_s);
        QCOMPARE(value->text(), u"12"_s);
        QVERIFY(!test::Control<QWidget>(dialog, "EndNote")->isVisible());
        test::Press(dialog, "Ccl");
        QVX_VERIFY_RETURNED(h, dialog);

        // The option changed between two openings: the dialog follows it.
        Open(h, dialog, false);
        QCOMPARE(test::Control<QLabel>(dialog, "lblNote")->text(), u"Frequency:"_s);
        QCOMPARE(test::Control<QLabel>(dialog, "lblEndNote")->text(), u"End Frequency:"_s);
        QCOMPARE(value->maxLength(), 5);
        QCOMPARE(test::Control<QLineEdit>(dialog, "EndNote")->maxLength(), 5);
        QCOMPARE(value->text(), QString());

        // The tick rule: 440 is no note, so Slide stays off until the box is cleared.
        test::Type(dialog, "ToneValue", u"440"_s);
        test::Press(dialog, "chkSlide");
        QVERIFY(!test::Control<QCheckBox>(dialog, "chkSlide")->isChecked());
        QVERIFY(!test::Control<QWidget>(dialog, "EndNote")->isVisible());
        value->clear();
        test::Press(dialog, "chkSlide");
        QVERIFY(test::Control<QWidget>(dialog, "EndNote")->isVisible());
        QCOMPARE(test::Control<QWidget>(dialog, "EndNote")->geometry(), QRect(160, 400, 81, 33));
    }

    void slidesWriteEveryStepAtFullLength_data() {
        QTest::addColumn<bool>("notes");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("written");
        QTest::newRow("notes 12 to 10")
            << true << u"12"_s << u"10"_s
            << u"[:tone<496,200>]\r\n[:tone<468,200>]\r\n[:tone<440,200>]\r\n"_s;
        QTest::newRow("hertz 440 to 438")
            << false << u"440"_s << u"438"_s
            << u"[:tone<440,200>]\r\n[:tone<439,200>]\r\n[:tone<438,200>]\r\n"_s;
    }
    void slidesWriteEveryStepAtFullLength() {
        QFETCH(bool, notes);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, written);
        test::DialogHarness h;
        Tones dialog(h.state, h.prompts, &h.mainWindow);
        Open(h, dialog, notes);
        SlideDown(dialog, from, to);
        test::Press(dialog, "Gen");
        QVX_VERIFY_RETURNED(h, dialog);
        QVERIFY(h.prompts.boxes.empty());
        QCOMPARE(QString::fromStdString(h.Script()), written);
    }

    void faultsKeepTheDialogOpenAndEscOrTheCloseBoxWriteNothing() {
        test::DialogHarness h;
        Tones dialog(h.state, h.prompts, &h.mainWindow);
        Open(h, dialog, false);
        SlideDown(dialog, u"440"_s, u"19"_s);
        test::Press(dialog, "Gen");
        h.ExpectOneBox("note can't be less than 20.\r\n", "quillvox", PromptIcon::None);
        QVX_VERIFY_KEPT(h, dialog);
        QCOMPARE(test::Control<QLineEdit>(dialog, "EndNote")->text(), u"19"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVX_VERIFY_RETURNED(h, dialog);

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
