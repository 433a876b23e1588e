// The main window driven through its menu items, with recorded boxes and
// launches; the built menus against the one menu table, and what each item
// tells a screen reader.
#include "app/HelpMenu.h"
#include "app/MenuOpenings.h"
#include "app/MenuTree.h"
#include "app/ScriptEditor.h"
#include "gui/support/MainWindowFixture.h"
#include "script/Writers.h"
#include "settings/Options.h"

using qvx::test::MainWindowFixture;

namespace {

QString Text(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QChar AccessKey(const QString& caption) {
    const int amp = caption.indexOf(QLatin1Char('&'));
    return amp >= 0 && amp + 1 < caption.size() ? caption.at(amp + 1).toLower() : QChar();
}

struct KeyCase {
    const char* name;
    bool inEditArea;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int runs, readmes;
    QString box;
};

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    // A first start in an empty folder creates nothing; the edit area is
    // named for a screen reader. Switched off, it and the save item are
    // hidden, and come back empty.
    void editAreaAtStartAndSwitchedOff() {
        MainWindowFixture f;
        f.ShowActive();
        qvx::test::ExpectNamedAndTabbed(f.window.get(), "EditArea");
        QVERIFY(QDir(f.dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        f.window->EditArea()->setPlainText(QStringLiteral("typed"));
        f.Trigger("OptionsMenuUseEditor");
        QVERIFY(!f.window->EditArea()->isVisible() && !f.window->EditArea()->isEnabled());
        QVERIFY(!f.Action("FileMenuSaveScript")->isVisible());
        f.Trigger("OptionsMenuUseEditor");
        QVERIFY(f.window->EditArea()->isVisible() && f.window->EditArea()->isEnabled());
        QVERIFY(f.window->EditArea()->toPlainText().isEmpty());
        QVERIFY(f.Action("FileMenuSaveScript")->isVisible());
    }

    // Each voice item shows its own message and appends its own line, the
    // voice named by the access key of its caption.
    void eachVoiceShowsItsMessageAndAppendsItsLine() {
        for (const qvx::Voice& voice : qvx::Voices()) {
            MainWindowFixture f;
            f.Trigger(voice.menuItem.data());
            const char* item = voice.menuItem.data();
            QVERIFY2(f.BoxTexts() == QStringList{Text(voice.message)}, item);
            const QChar key = AccessKey(f.Action(item)->text());
            QVERIFY2(f.Read("demo.txt") == "[:n" + QByteArray(1, key.toLatin1()) + "]\r\n", item);
        }
        QCOMPARE(Text(qvx::Voices().front().message), QStringLiteral("switching to paul."));
    }

    // The gender item switches back and forth (where it goes on from in a
    // script has tests of its own).
    void genderToggle() {
        MainWindowFixture f;
        f.Trigger("CharacteristicsMenuGender");
        f.Trigger("CharacteristicsMenuGender");
        QCOMPARE(f.BoxTexts(), (QStringList{"switching to female.", "switching to male."}));
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:dv sx 0]\r\n[:dv sx 1]\r\n"));
    }

    // A sound's name is asked for without folder or extension: "bell" finds
    // bell.wav, "bell.wav" looks for bell.wav.wav and writes nothing. A line
    // of text is lower-cased as text; Cancel appends an empty line.
    void itemsThatAskForAText() {
        MainWindowFixture f;
        f.Write("bell.wav", "RIFF");
        f.prompts.textAnswers = {"bell.wav", "bell", "H\xC3\x89LLO W\xC3\x96RLD [:NP]", ""};
        f.Trigger("OtherEffectsMenuImportWave");
        QCOMPARE(f.Read("demo.txt"), QByteArray("<missing>"));
        for (const char* item : {"OtherEffectsMenuImportWave", "WriteMenuLine", "WriteMenuLine"}) {
            f.Trigger(item);
        }
        QCOMPARE(f.BoxTexts().size(), 5);
        QVERIFY(f.BoxTexts()[0].endsWith("in same directory of this program, which is " +
                                         f.dir.path() + "."));
        QVERIFY(f.BoxTexts()[1].startsWith("file " + f.Path("bell.wav.wav") + " does not exist."));
        QCOMPARE(f.Read("demo.txt"),
                 QByteArray("[:play bell.wav]\r\nh\xC3\xA9llo w\xC3\xB6rld [:np]\r\n\r\n"));
    }

    // Each option item switches its own option (stored as the options' own
    // tests show), confirms and recaptions itself.
    void eachOptionItemSwitchesItsOption() {
        for (const qvx::OptionSpec& option : qvx::kOptionSpecs) {
            MainWindowFixture f;
            const char* item = option.menuItem.data();
            const bool wasOn = f.state.options.*option.member;
            f.Trigger(item);
            QVERIFY2(f.state.options.*option.member != wasOn && f.prompts.boxes.size() == 1, item);
            QVERIFY2(f.Action(item)->text() == Text(wasOn ? option.captionOff : option.captionOn),
                     item);
        }
    }

    // Asked first; the edit area is kept, and a script that vanished after
    // the item was offered still ends as an empty file.
    void clearDataNow() {
        MainWindowFixture f;
        f.Write("demo.txt", "[:np]\r\n");
        f.Start();
        f.window->EditArea()->setPlainText(QStringLiteral("kept"));
        f.prompts.answers = {false};
        f.Trigger("OptionsMenuDeleteData");
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:np]\r\n"));
        for (int i = 0; i < 2; ++i) {
            f.prompts.answers = {true};
            f.Trigger("OptionsMenuDeleteData");
            QCOMPARE(f.Read("demo.txt"), QByteArray(""));
            QFile::remove(f.Path("demo.txt"));
        }
        QCOMPARE(f.window->EditArea()->toPlainText(), QStringLiteral("kept"));
    }

    // F5 runs the script from the window and from the edit area, but not
    // with Ctrl+Shift or Alt held there; Ctrl+F5 is a menu item's shortcut,
    // which is taken first, so one press does one thing; Shift+F1 on the
    // window opens the readme.
    void keysOfTheWindowAndTheEditArea_data() {
        const QString clean = QStringLiteral("script was checked with 0 errors and 0 warnings.");
        const Qt::KeyboardModifiers none, ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        const KeyCase cases[] = {
            {"F5 in the window runs", false, Qt::Key_F5, none, 1, 0, clean},
            {"F5 in the edit area runs", true, Qt::Key_F5, none, 1, 0, clean},
            {"Ctrl+Shift+F5 does nothing", true, Qt::Key_F5, ctrlShift, 0, 0, {}},
            {"Alt+F5 does nothing", true, Qt::Key_F5, Qt::AltModifier, 0, 0, {}},
            {"Ctrl+F5 is harry", true, Qt::Key_F5, Qt::ControlModifier, 0, 0,
             QStringLiteral("switching to harry.")},
            {"Shift+F1 in the window", false, Qt::Key_F1, Qt::ShiftModifier, 0, 1, {}},
        };
        qvx::test::AddRows(cases);
    }
    void keysOfTheWindowAndTheEditArea() {
        QFETCH(const KeyCase, row);
        MainWindowFixture f;
        f.Write("demo.txt", "[:np]\r\n");
        f.Write("readme.txt", "help");
        f.ShowActive();
        auto* edit = f.window->EditArea();
        edit->setFocus();
        if (!row.inEditArea) edit->clearFocus();
        QTest::keyClick(row.inEditArea ? static_cast<QWidget*>(edit) : f.window.get(), row.key,
                        row.modifiers);
        QCOMPARE(int(f.launcher.started.size()), row.runs);
        QCOMPARE(int(f.launcher.openedFiles.size()), row.readmes);
        QCOMPARE(f.BoxTexts(), row.box.isEmpty() ? QStringList() : QStringList{row.box});
    }

    // About; the readme, looked for before it is opened since openers often
    // report success for a missing file; a failed browser reported; the
    // update check, with the hosts of settings.ini (a trailing slash dropped).
    void helpItems() {
        MainWindowFixture f;
        f.Write("settings.ini",
                "[QVNetwork]\r\nUpdateServer=http://127.0.0.1:1/\r\n"
                "AddressServer=http://127.0.0.1:1\r\n");
        QCOMPARE(qvx::LoadNetworkConfig(f.state.paths.settings).updateServer,
                 std::string("http://127.0.0.1:1"));
        f.launcher.succeed = false;
        for (const char* item : {"HelpMenuAbout", "HelpMenuReadme", "HelpMenuVisitWebsite",
                                 "HelpMenuCheckForUpdates"}) {
            f.Trigger(item);  // nothing listens on port 1
        }
        QCOMPARE(f.BoxTexts().mid(0, 2),
                 (QStringList{"quillvox version 5.0.10 .\r\nVelmora",
                              "The file " + f.Path("readme.txt") + " could not be found."}));
        QVERIFY(f.BoxTexts()[2].contains(Text(qvx::kWebsiteAddress)));
        QVERIFY(f.BoxTexts()[3].contains(u"you are not connected to the internet."));
        QVERIFY(f.launcher.openedFiles.empty() && f.launcher.openedUrls.size() == 1);
    }

    // A menu opened by its keys takes the focus first, so a screen reader
    // says which menu opened, and gives it back to its first item a moment
    // later, unless another item was chosen meanwhile.
    void anOpeningMenuTakesTheFocusFirst() {
        MainWindowFixture f;
        f.ShowActive();
        QStringList focus;  // each a menu's name, or a menu's and its item's
        qvx::AnnounceMenuOpenings(f.window->menuBar(), [&](QMenu* menu, int child) {
            focus << menu->objectName() +
                         (child < 0 ? "" : " " + menu->actions()[child]->objectName());
        });
        const struct {
            const char* name;
            QList<Qt::Key> keys;  // after Alt+F, each a moment apart
            QStringList after;
        } cases[] = {
            {"opened", {}, {"TopMenuFilePopup", "TopMenuFilePopup FileMenuSaveScript"}},
            {"moved on and back", {Qt::Key_Down, Qt::Key_Up}, {"TopMenuFilePopup"}},
            {"submenu",
             {Qt::Key_Down, Qt::Key_Right},
             {"TopMenuFilePopup", "FileMenuScriptOptionsPopup",
              "FileMenuScriptOptionsPopup ScriptOptionsMenuCheckScript"}},
        };
        for (const auto& c : cases) {
            focus.clear();
            QTest::keyClick(f.window.get(), Qt::Key_F, Qt::AltModifier);
            for (const Qt::Key key : c.keys) {
                QTest::qWait(50);
                QTest::keyClick(QApplication::activePopupWidget(), key);
            }
            QTest::qWait(500);
            QVERIFY2(focus == c.after, qPrintable(c.name + (": " + focus.join(u','))));
            while (QApplication::activePopupWidget()) QApplication::activePopupWidget()->close();
        }
    }

    // Every row is an item of its parent's menu, in table order, with its
    // caption and a shortcut of its own; every menu holds its rows and
    // nothing else. At start in an empty folder all are offered but "clear
    // data now", and the option items have their captions.
    //
    // Screen readers read an item's keys from its AT-SPI key binding, "access
    // key;access keys from the menu bar;shortcut" with the shortcut in GTK's
    // notation ("s;<Alt>f:s;<Control>s"), and announce an item that opens a
    // submenu by the role of a menu, named like its item. Each item is
    // reached as a screen reader reaches it: through its menu.
    void theMenusMirrorTheMenuTableAndTellTheirKeys() {
        MainWindowFixture f;
        QHash<QWidget*, int> rows;
        QSet<QKeySequence> shortcuts;
        QHash<QByteArray, QStringList> keyPaths;  // access keys from the menu bar down
        for (const qvx::MenuEntry& entry : qvx::MenuTree()) {
            const qvx::test::RowTrace trace(entry.name);
            QAction* action = f.Action(entry.name);
            QVERIFY2(action, entry.name);
            QWidget* owner = *entry.parent ? static_cast<QWidget*>(f.Action(entry.parent)->menu())
                                           : f.window->menuBar();
            const int index = rows[owner]++;
            QCOMPARE(owner->actions().value(index), action);
            QCOMPARE(bool(action->menu()), entry.submenu);
            if (*entry.caption) QCOMPARE(action->text(), QString::fromLatin1(entry.caption));
            QCOMPARE(action->shortcut(), QKeySequence(QString::fromLatin1(entry.shortcut)));
            QVERIFY2(action->shortcut().isEmpty() || !shortcuts.contains(action->shortcut()),
                     entry.shortcut);
            shortcuts << action->shortcut();
            const bool offered = QByteArray(entry.name) != "OptionsMenuDeleteData";
            QVERIFY2(action->isVisible() == offered && action->isEnabled() == offered, entry.name);
#if QT_CONFIG(accessibility_atspi_bridge)  // without it the menus keep Qt's own description
            QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(owner);
            QAccessibleInterface* item = menu->child(index);
            QVERIFY2(item && item->object() == action, entry.name);
            // An item that its menu does not find among its children is skipped.
            QVERIFY(menu->indexOfChild(item) == index && item->parent() == menu);
            QCOMPARE(item->childCount(), int(entry.submenu));
            if (entry.submenu) {  // the submenu hangs from the item that opens it, named by it
                QAccessibleInterface* submenu = item->child(0);
                QVERIFY(submenu && submenu->object() == action->menu() &&
                        submenu->parent() == item);
                QCOMPARE(submenu->text(QAccessible::Name), QString(action->text()).remove(u'&'));
            }
            QCOMPARE(item->role(), entry.submenu ? QAccessible::PopupMenu : QAccessible::MenuItem);
            QCOMPARE(item->text(QAccessible::Name), QString(action->text()).remove(u'&'));
            QCOMPARE(item->state().disabled, !action->isEnabled());
            QAccessibleActionInterface* actions = item->actionInterface();
            QCOMPARE(actions->actionNames(),
                     QStringList{entry.submenu ? QAccessibleActionInterface::showMenuAction()
                                               : QAccessibleActionInterface::pressAction()});

            const QChar key = AccessKey(action->text());
            QStringList path = keyPaths.value(entry.parent);
            keyPaths[entry.name] = path << (key.isNull() ? QString() : QString(key));
            // The shortcut in GTK's notation: <Control>, a letter in lower case.
            QString accelerator = QString::fromLatin1(entry.shortcut);
            accelerator.replace(QStringLiteral("Ctrl+"), QStringLiteral("<Control>"))
                .replace(QStringLiteral("Shift+"), QStringLiteral("<Shift>"));
            const qsizetype last = accelerator.lastIndexOf(u'>') + 1;
            if (accelerator.size() == last + 1) accelerator[last] = accelerator[last].toLower();
            const QString fromMenuBar =
                path.contains(QString()) ? QString() : QStringLiteral("<Alt>") + path.join(u':');
            // AT-SPI's list of actions carries the first binding only: one string.
            QCOMPARE(actions->keyBindingsForAction(actions->actionNames()[0]),
                     QStringList{path.last() + u';' + fromMenuBar + u';' + accelerator});
#endif
        }
        for (auto menu = rows.cbegin(); menu != rows.cend(); ++menu) {
            QCOMPARE(menu.key()->actions().size(), menu.value());
        }
    }
};

}  // namespace

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
