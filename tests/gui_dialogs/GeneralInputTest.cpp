#include <QLabel>

#include "DialogHarness.h"
#include "dialogs/InputKind.h"
#include "dialogs/widgets/GeneralInput.h"

using namespace Qt::Literals::StringLiterals;

namespace qvx {

class GeneralInputTest : public QObject {
    Q_OBJECT

    // Records the kind and opens the dialog as the menu handler does.
    static void OpenFor(test::DialogHarness& h, GeneralInput& dialog, int kind) {
        h.mainWindow.hide();
        SetInputKind(h.state, kind);
        dialog.Open();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }

  private slots:
    void opensForTheKindWithTheFocusInTheValueBox() {
        test::DialogHarness h;
        GeneralInput dialog(h.state, h.prompts, &h.mainWindow);
        OpenFor(h, dialog, 13);
        QVERIFY(!h.mainWindow.isVisible());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Average Pitch"));
        QCOMPARE(test::Control<QLabel>(dialog, "General")->text(), QStringLiteral("Value:"));
        QCOMPARE(test::Control<QLineEdit>(dialog, "Generic")->maxLength(), 3);
        QCOMPARE(QApplication::focusWidget(), test::Control<QLineEdit>(dialog, "Generic"));
        QCOMPARE(test::Control<QLabel>(dialog, "General")->buddy(),
                 test::Control<QLineEdit>(dialog, "Generic"));
        QCOMPARE(test::TabPath(4),
                 (QStringList{u"Generic"_s, u"Submit"_s, u"Ccl"_s, u"Generic"_s}));
        QCOMPARE(test::UnnamedControls(dialog), QStringList());
        QCOMPARE(test::Control<QWidget>(dialog, "Submit")->geometry(), QRect(40, 120, 81, 33));
        QCOMPARE(test::Control<QWidget>(dialog, "Generic")->geometry(), QRect(160, 40, 81, 33));
        QCOMPARE(dialog.size(), QSize(312, 213));
    }

    void enterWritesAnAcceptedValueAndReturns() {
        test::DialogHarness h;
        GeneralInput dialog(h.state, h.prompts, &h.mainWindow);
        OpenFor(h, dialog, 13);
        test::Type(dialog, "Generic", QStringLiteral("120"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(h.Script(), std::string("[:dv ap 120]\r\n"));
        QVERIFY(h.prompts.boxes.empty());
        QVX_VERIFY_RETURNED(h, dialog);
    }

    void refusedValuesKeepTheDialogAndTheText_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::newRow("pitch 99") << 13 << "99"
                                  << "99" << u"Please type a value between 100 and 300."_s
                                  << u"Input Error"_s;
        QTest::newRow("pitch empty")
            << 13 << ""
            << "" << u"Please type a value between 100 and 300."_s << u"Input Error"_s;
        QTest::newRow("rate abc") << 1 << "abc"
                                  << "abc" << u"Please enter a numeric value between 0 and 999."_s
                                  << u"Input error."_s;
        QTest::newRow("rate -5") << 1 << "-5"
                                 << "-5"
                                 << "Please enter a value between 0 and 999." << u"Input error."_s;
        QTest::newRow("breathiness 80")
            << 2 << "80"
            << "80" << u"Please type in a value between 0 and 72."_s << u"input error."_s;
        QTest::newRow("voice gain -1")
            << 20 << "-1"
            << "-1" << u"Please type a value between 0 and 86."_s << u"Input Error"_s;
        QTest::newRow("rate 9e9") << 1 << "9e9"
                                  << "9e9" << u"Please enter a value between 0 and 999."_s
                                  << u"Input error."_s;
    }
    void refusedValuesKeepTheDialogAndTheText() {
        QFETCH(int, kind);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(QString, message);
        QFETCH(QString, title);
        test::DialogHarness h;
        GeneralInput dialog(h.state, h.prompts, &h.mainWindow);
        OpenFor(h, dialog, kind);
        test::Type(dialog, "Generic", typed);
        test::Press(dialog, "Submit");
        QCOMPARE(h.prompts.boxes.size(), size_t{1});
        QCOMPARE(QString::fromStdString(h.prompts.boxes[0].text), message);
        QCOMPARE(QString::fromStdString(h.prompts.boxes[0].title), title);
        QVERIFY(h.prompts.boxes[0].icon == PromptIcon::Critical);
        QVERIFY(dialog.isVisible());
        QVERIFY(!h.mainWindow.isVisible());
        QCOMPARE(test::Control<QLineEdit>(dialog, "Generic")->text(), kept);
        QCOMPARE(h.Script(), std::string("<missing>"));
    }

    void acceptedValuesWriteTheirLine_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("line");
        QTest::newRow("rate 2e3") << 1 << "2e3"
                                  << "[:ra 999]";
        QTest::newRow("rate 2.5") << 1 << "2.5"
                                  << "[:ra 2]";
        QTest::newRow("rate 3.5") << 1 << "3.5"
                                  << "[:ra 4]";
        QTest::newRow("voice gain 123 typed") << 20 << "123"
                                              << "[:dv gv 12]";
        QTest::newRow("formant 3 gain") << 26 << "50"
                                        << "[:dv g3 50]";
        QTest::newRow("dial empty") << 29 << ""
                                    << "[:dial ]";
        QTest::newRow("dial long") << 29 << "0123456789*#"
                                   << "[:dial 0123456789*#]";
    }
    void acceptedValuesWriteTheirLine() {
        QFETCH(int, kind);
        QFETCH(QString, typed);
        QFETCH(QString, line);
        test::DialogHarness h;
        GeneralInput dialog(h.state, h.prompts, &h.mainWindow);
        OpenFor(h, dialog, kind);
        test::Type(dialog, "Generic", typed);
        test::Press(dialog, "Submit");
        QCOMPARE(h.prompts.boxes.size(), size_t{0});
        QCOMPARE(QString::fromStdString(h.Script()), line + QStringLiteral("\r\n"));
        QVX_VERIFY_RETURNED(h, dialog);
    }

    void eachOpeningPresentsItsOwnKindWithAnEmptyBox() {
        test::DialogHarness h;
        GeneralInput dialog(h.state, h.prompts, &h.mainWindow);
        OpenFor(h, dialog, 13);
        test::Type(dialog, "Generic", QStringLiteral("120"));
        test::Press(dialog, "Submit");
        QVX_VERIFY_RETURNED(h, dialog);

        OpenFor(h, dialog, 29);
        auto* box = test::Control<QLineEdit>(dialog, "Generic");
        QCOMPARE(dialog.windowTitle(), QStringLiteral("DTMF tones"));
        QCOMPARE(test::Control<QLabel>(dialog, "General")->text(),
                 QStringLiteral("Number to dial:"));
        QCOMPARE(box->maxLength(), 32767);
        QCOMPARE(box->text(), QString());
        QCOMPARE(QApplication::focusWidget(), box);

        test::Press(dialog, "Ccl");
        OpenFor(h, dialog, 1);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Voice rate"));
        QCOMPARE(test::Control<QLabel>(dialog, "General")->text(), QStringLiteral("Rate:"));
        QCOMPARE(box->maxLength(), 3);
        QCOMPARE(box->text(), QString());
    }

    void everyOtherWayOutWritesNothingAndReturns_data() {
        QTest::addColumn<QString>("way");
        QTest::newRow("Cancel") << "Cancel";
        QTest::newRow("Esc") << "Esc";
        QTest::newRow("close box") << "close";
    }
    void everyOtherWayOutWritesNothingAndReturns() {
        QFETCH(QString, way);
        test::DialogHarness h;
        GeneralInput dialog(h.state, h.prompts, &h.mainWindow);
        OpenFor(h, dialog, 13);
        test::Type(dialog, "Generic", QStringLiteral("120"));
        auto* box = test::Control<QLineEdit>(dialog, "Generic");
        if (way == QLatin1String("Cancel")) test::Press(dialog, "Ccl");
        if (way == QLatin1String("Esc")) QTest::keyClick(box, Qt::Key_Escape);
        // What the window's close box does: the window system asks it to close.
        if (way == QLatin1String("close")) QVERIFY(dialog.windowHandle()->close());
        QVX_VERIFY_RETURNED(h, dialog);
        QCOMPARE(h.Script(), std::string("<missing>"));
        QVERIFY(h.prompts.boxes.empty());
    }
};

}  // namespace qvx

QTEST_MAIN(qvx::GeneralInputTest)
#include "GeneralInputTest.moc"
