// The menus: the built menus against the one menu table, and what each item
// tells a screen reader.
#include <cstring>

#include "app/MenuTree.h"
#include "gui/support/MainWindowFixture.h"

using qvx::test::MainWindowFixture;

namespace {

QChar AccessKey(const QString& caption) {
    const int amp = caption.indexOf(QLatin1Char('&'));
    return amp >= 0 && amp + 1 < caption.size() ? caption.at(amp + 1).toLower() : QChar();
}

const char* ParentMenu(const char* item) {
    for (const qvx::MenuEntry& entry : qvx::MenuTree()) {
        if (!std::strcmp(entry.name, item)) return entry.parent;
    }
    return "";
}

class MenusTest : public QObject {
    Q_OBJECT
  private slots:
    // Every row is an item of its parent's menu, in table order, with its
    // caption and a shortcut of its own; every menu holds its rows and
    // nothing else. At start in an empty folder all are offered but "clear
    // data now", and the option items have their captions.
    //
    // Screen readers read an item's keys from its AT-SPI key binding, "access
    // key;access keys from the menu bar;shortcut" with the shortcut in GTK's
    // notation ("s;<Alt>f:s;<Control>s"), and announce an item that opens a
    // submenu by the role of a menu. Each item is reached as a screen reader
    // reaches it: through its menu.
    void theMenusMirrorTheMenuTableAndTellTheirKeys() {
        MainWindowFixture f;
        QHash<QWidget*, int> rows;
        QSet<QKeySequence> shortcuts;
        int withAccessKey = 0;
        for (const qvx::MenuEntry& entry : qvx::MenuTree()) {
            QAction* action = f.Action(entry.name);
            QVERIFY2(action, entry.name);
            QWidget* owner = *entry.parent ? static_cast<QWidget*>(f.Action(entry.parent)->menu())
                                           : f.window->menuBar();
            const int index = rows[owner]++;
            QCOMPARE(owner->actions().value(index), action);
            QCOMPARE(bool(action->menu()), entry.submenu);
            if (*entry.caption) QCOMPARE(action->text(), QString::fromLatin1(entry.caption));
            QVERIFY2(!action->text().isEmpty(), entry.name);
            withAccessKey += !AccessKey(action->text()).isNull();
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
            QCOMPARE(menu->indexOfChild(item), index);
            QCOMPARE(item->parent(), menu);
            QCOMPARE(item->childCount(), int(entry.submenu));
            if (entry.submenu) {  // the submenu hangs from the item that opens it
                QAccessibleInterface* submenu = item->child(0);
                QVERIFY(submenu && submenu->object() == action->menu() &&
                        submenu->parent() == item);
            }
            QCOMPARE(item->role(), entry.submenu ? QAccessible::PopupMenu : QAccessible::MenuItem);
            QCOMPARE(item->text(QAccessible::Name), QString(action->text()).remove(u'&'));
            QCOMPARE(item->state().disabled, !action->isEnabled());
            QAccessibleActionInterface* actions = item->actionInterface();
            QCOMPARE(actions->actionNames(),
                     QStringList{entry.submenu ? QAccessibleActionInterface::showMenuAction()
                                               : QAccessibleActionInterface::pressAction()});

            QStringList path;  // access keys from the menu bar down to the item
            for (const char* name = entry.name; *name; name = ParentMenu(name)) {
                const QChar key = AccessKey(f.Action(name)->text());
                path.prepend(key.isNull() ? QString() : QString(key));
            }
            // AT-SPI's list of actions carries the first binding only: one string.
            const QStringList bindings = actions->keyBindingsForAction(actions->actionNames()[0]);
            QCOMPARE(bindings.size(), 1);
            const QStringList parts = bindings[0].split(u';');
            QCOMPARE(parts.size(), 3);
            QCOMPARE(parts[0], path.last());
            QCOMPARE(parts[1], path.contains(QString())
                                   ? QString()
                                   : QStringLiteral("<Alt>") + path.join(u':'));
            QVERIFY2(QRegularExpression(QStringLiteral("^(<[A-Z][a-z]+>)*([a-z0-9]|F[0-9]+)?$"))
                         .match(parts[2])
                         .hasMatch(),
                     qPrintable(parts[2]));
            QString shortcut = parts[2];
            shortcut.replace(QStringLiteral("<Control>"), QStringLiteral("Ctrl+"))
                .replace(QStringLiteral("<Shift>"), QStringLiteral("Shift+"))
                .replace(QStringLiteral("<Alt>"), QStringLiteral("Alt+"));
            QCOMPARE(QKeySequence(shortcut), action->shortcut());
#endif
        }
        for (auto menu = rows.cbegin(); menu != rows.cend(); ++menu) {
            QCOMPARE(menu.key()->actions().size(), menu.value());
        }
        QCOMPARE(withAccessKey, 67);
    }
};

}  // namespace

QTEST_MAIN(MenusTest)
#include "MenusTest.moc"
