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
    static void SlideFromTo(Tones& dialog, const QString& from, const QString& to) {
        test::Press(dialog, "chkSlide");
        test::Type(dialog, "ToneValue", from);
        test::Type(dialog, "Length", u"200"_s);
        test::Control<QComboBox>(dialog, "Slide")
            ->setCurrentIndex(from.toInt() < to.toInt() ? 0 : 1);
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

    // One tone per step, each of the full length, the pitch moving one way
    // from the first to the last.
    void slidesWriteEveryStepAtFullLength_data() {
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
    void slidesWriteEveryStepAtFullLength() {
        QFETCH(bool, notes);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, steps);
        QFETCH(int, firstHertz);
        QFETCH(int, lastHertz);
        test::DialogHarness h;
        Tones dialog(h.state, h.prompts, &h.mainWindow);
        Open(h, dialog, notes);
        SlideFromTo(dialog, from, to);
        test::Press(dialog, "Gen");
        QVX_VERIFY_RETURNED(h, dialog);
        QVERIFY(h.prompts.boxes.empty());
        QList<int> hertz;
        for (const std::string& line : SplitLines(h.Script())) {
            const QString text = QString::fromStdString(line);
            QVERIFY2(text.startsWith(u"[:tone<"_s) && text.endsWith(u",200>]"_s), line.c_str());
            hertz << text.section(u'<', 1).section(u',', 0, 0).toInt();
        }
        QCOMPARE(hertz.size(), steps);
        QCOMPARE(hertz.front(), firstHertz);
        QCOMPARE(hertz.back(), lastHertz);
        const bool rising = lastHertz > firstHertz;
        for (int i = 1; i < steps; ++i) {
            QVERIFY(rising ? hertz[i] > hertz[i - 1] : hertz[i] < hertz[i - 1]);
        }
    }

    void faultsKeepTheDialogOpenAndEscOrTheCloseBoxWriteNothing() {
        test::DialogHarness h;
        Tones dialog(h.state, h.prompts, &h.mainWindow);
        Open(h, dialog, false);
        SlideFromTo(dialog, u"440"_s, u"19"_s);
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
