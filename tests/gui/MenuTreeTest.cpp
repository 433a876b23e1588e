// The built menus against the one menu table, and the tables that give the
// items their behaviour against the menus.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "app/MenuTree.h"
#include "dialogs/ValueInput.h"
#include "gui/support/MainWindowFixture.h"
#include "script/Writers.h"
#include "settings/Options.h"

namespace {

QString Name(std::string_view name) {
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

class MenuTreeTest : public QObject {
    Q_OBJECT
  private slots:
    // Every row is an item of its parent's menu, in table order, with its
    // caption and a shortcut of its own; every menu holds its rows and
    // nothing else. At start in an empty folder all are offered but "clear
    // data now", and the option items have their captions.
    void theMenusMirrorTheMenuTable() {
        qvx::test::MainWindowFixture f;
        QHash<QString, QList<QAction*>> rows;
        QSet<QKeySequence> shortcuts;
        for (const qvx::MenuEntry& entry : qvx::MenuTree()) {
            QAction* action = f.Action(entry.name);
            QVERIFY2(action, entry.name);
            QCOMPARE(bool(action->menu()), entry.submenu);
            if (*entry.caption) QCOMPARE(action->text(), QString::fromLatin1(entry.caption));
            QVERIFY2(!action->text().isEmpty(), entry.name);
            QCOMPARE(action->shortcut(), QKeySequence(QString::fromLatin1(entry.shortcut)));
            QVERIFY2(action->shortcut().isEmpty() || !shortcuts.contains(action->shortcut()),
                     entry.shortcut);
            shortcuts << action->shortcut();
            const bool offered = QByteArray(entry.name) != "OptionsMenuDeleteData";
            QVERIFY2(action->isVisible() == offered && action->isEnabled() == offered, entry.name);
            rows[QString::fromLatin1(entry.parent)] << action;
        }
        for (auto menu = rows.cbegin(); menu != rows.cend(); ++menu) {
            const QList<QAction*> shown = menu.key().isEmpty()
                                              ? f.window->menuBar()->actions()
                                              : f.Action(qPrintable(menu.key()))->menu()->actions();
            QCOMPARE(shown, menu.value());
        }
    }

    // An item's behaviour is found by its object name in one table: every
    // name there is an item of the menus, and no item is in two tables.
    void everyBehaviourTableNamesMenuItems() {
        qvx::test::MainWindowFixture f;
        QStringList named;
        for (const qvx::Voice& voice : qvx::Voices()) named << Name(voice.menuItem);
        for (const qvx::InputKindInfo& info : qvx::InputKinds()) named << Name(info.menuItem);
        for (const qvx::OptionSpec& option : qvx::kOptionSpecs) named << Name(option.menuItem);
        QCOMPARE(named.size(), 10 + 29 + 7);
        for (const QString& name : named) {
            QAction* action = f.Action(qPrintable(name));
            QVERIFY2(action && !action->menu(), qPrintable(name));
            QCOMPARE(named.count(name), 1);
        }
    }
};

}  // namespace

QTEST_MAIN(MenuTreeTest)
#include "MenuTreeTest.moc"
