#include <QLabel>
#include <functional>

#include "DialogHarness.h"
#include "dialogs/InputKind.h"
#include "dialogs/widgets/GeneralInput.h"

using namespace Qt::Literals::StringLiterals;

namespace qvx {

class GeneralInputTest : public QObject {
    Q_OBJECT

    // Records the kind and opens the dialog as the menu handler does.
    static void OpenFor(test::DialogHarness& h, GeneralInput& dialog, int kind) {
        SetInputKind(h.state, kind);
        test::Open(h, dialog, "Generic");
    }

  private slots:
    // Each opening is left a different way, the first by a successful OK,
    // with text typed; the next one shows its own kind with an empty box.
    void eachOpeningPresentsItsOwnKindAndEveryWayOutReturns() {
        test::DialogHarness h;
        GeneralInput dialog(h.state, h.prompts, &h.mainWindow);
        auto* box = test::Control<QLineEdit>(dialog, "Generic");
        const struct {
            int kind;
            QString caption, prompt;
            int limit;
            std::function<void()> leave;
        } openings[] = {
            {13, u"Average Pitch"_s, u"Value:"_s, 3, [&] { test::Press(dialog, "Submit"); }},
            {29, u"DTMF tones"_s, u"Number to dial:"_s, 32767,  // no limit
             [&] { QTest::keyClick(box, Qt::Key_Escape); }},
            // What the window's close box does: the window system asks it to close.
            {1, u"Voice rate"_s, u"Rate:"_s, 3, [&] { dialog.windowHandle()->close(); }},
            {2, u"breathiness"_s, u"Value:"_s, 2, [&] { test::Press(dialog, "Ccl"); }}};
        for (const auto& o : openings) {
            OpenFor(h, dialog, o.kind);
            QCOMPARE(dialog.windowTitle(), o.caption);
            QCOMPARE(test::Control<QLabel>(dialog, "General")->text(), o.prompt);
            QCOMPARE(box->maxLength(), o.limit);
            QCOMPARE(box->text(), QString());
            test::Type(dialog, "Generic", u"120"_s);
            o.leave();
            QVX_VERIFY_RETURNED(h, dialog);
        }
        QCOMPARE(h.Script(), std::string("[:dv ap 120]\r\n"));
        QVERIFY(h.prompts.boxes.empty());
        QCOMPARE(test::Control<QWidget>(dialog, "Submit")->geometry(), QRect(40, 120, 81, 33));
        QCOMPARE(dialog.size(), QSize(312, 213));
    }

    // An empty message means the text is accepted and `result` is the line
    // written; otherwise `result` is the box's title and the text stays.
    void submitWritesOrRefuses_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("result");
        QTest::newRow("pitch 120") << 13 << u"120"_s << QString() << u"[:dv ap 120]"_s;
        QTest::newRow("pitch 99") << 13 << u"99"_s << u"Please type a value between 100 and 300."_s
                                  << u"Input Error"_s;
        // Two characters at most: the third key press is lost.
        QTest::newRow("voice gain 123") << 20 << u"123"_s << QString() << u"[:dv gv 12]"_s;
        QTest::newRow("dial empty") << 29 << QString() << QString() << u"[:dial \"\"]"_s;
    }
    void submitWritesOrRefuses() {
        QFETCH(int, kind);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, result);
        test::DialogHarness h;
        GeneralInput dialog(h.state, h.prompts, &h.mainWindow);
        OpenFor(h, dialog, kind);
        test::Type(dialog, "Generic", typed);
        // Enter presses OK as surely as a click does.
        if (kind == 13)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else
            test::Press(dialog, "Submit");
        if (message.isEmpty()) {
            QVERIFY(h.prompts.boxes.empty());
            QCOMPARE(QString::fromStdString(h.Script()), result + u"\r\n"_s);
            QVX_VERIFY_RETURNED(h, dialog);
        } else {
            h.ExpectOneBox(message.toStdString(), result.toStdString(), PromptIcon::Critical);
            QVX_VERIFY_KEPT(h, dialog);
            QCOMPARE(test::Control<QLineEdit>(dialog, "Generic")->text(), typed);
        }
    }
};

}  // namespace qvx

QTEST_MAIN(qvx::GeneralInputTest)
#include "GeneralInputTest.moc"
