// Every window can be worked from the keyboard and read by a screen reader:
// each focusable control has a name, Tab visits the controls in their table
// order, each menu item with an access key is reached by that key, and each
// menu item tells a screen reader its keys and whether it opens a submenu.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <cstring>

#include "app/MenuTree.h"
#include "app/ScriptEditor.h"
#include "gui/support/MainWindowFixture.h"

using qvx::test::MainWindowFixture;

namespace {

QString FocusedName() {
    QWidget* focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QString();
}

QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// Every control that Tab can reach in the window has a name to announce.
void ExpectNamedControls(QWidget* window) {
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window) || !(widget->focusPolicy() & Qt::TabFocus)) continue;
        if (qobject_cast<QMenu*>(widget) || qobject_cast<QMenuBar*>(widget)) continue;
        QVERIFY2(!AccessibleName(widget).trimmed().isEmpty(), qPrintable(widget->objectName()));
    }
}

// Tab from the first control visits them all in order and comes back round.
void ExpectTabOrder(const QStringList& order) {
    QTRY_COMPARE(FocusedName(), order.first());
    for (int i = 1; i <= order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(FocusedName(), order[i % order.size()]);
    }
}

QDialog* Open(MainWindowFixture& f, const char* item, const char* name) {
    f.Trigger(item);
    auto* dialog = f.window->findChild<QDialog*>(QString::fromLatin1(name));
    if (!dialog || !QTest::qWaitForWindowActive(dialog)) return nullptr;
    return dialog;
}

// Shows the slide controls, which are hidden until Slide is ticked.
void TickSlide(QDialog* dialog, const char* noteBox) {
    dialog->findChild<QLineEdit*>(QString::fromLatin1(noteBox))->setText(QStringLiteral("10"));
    dialog->findChild<QCheckBox*>(QStringLiteral("chkSlide"))->click();
}

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

class AccessibilityTest : public QObject {
    Q_OBJECT
  private slots:
    void mainWindow() {
        MainWindowFixture f;
        f.ShowActive();
        f.window->EditArea()->setFocus();
        QCOMPARE(AccessibleName(f.window->EditArea()), QStringLiteral("script editor"));
        ExpectNamedControls(f.window.get());
        ExpectTabOrder({QStringLiteral("EditArea")});
    }

    void valueDialog() {
        MainWindowFixture f;
        f.ShowActive();
        QDialog* dialog = Open(f, "IntonationMenuPitch", "GeneralInput");
        QVERIFY(dialog);
        ExpectNamedControls(dialog);
        QCOMPARE(AccessibleName(dialog->findChild<QLineEdit*>(QStringLiteral("Generic"))),
                 QStringLiteral("Value:"));
        ExpectTabOrder(
            {QStringLiteral("Generic"), QStringLiteral("Submit"), QStringLiteral("Ccl")});
    }

    void phonemeDialog() {
        MainWindowFixture f;
        f.ShowActive();
        QDialog* dialog = Open(f, "WriteMenuPhoneme", "Phonemes");
        QVERIFY(dialog);
        TickSlide(dialog, "txtNote");
        ExpectNamedControls(dialog);
        dialog->findChild<QLineEdit*>(QStringLiteral("txtPhoneme"))->setFocus();
        ExpectTabOrder({QStringLiteral("txtPhoneme"), QStringLiteral("txtNote"),
                        QStringLiteral("txtLength"), QStringLiteral("chkSlide"),
                        QStringLiteral("Slide"), QStringLiteral("txtEndNote"),
                        QStringLiteral("Gen"), QStringLiteral("Ccl")});
    }

    void toneDialog() {
        MainWindowFixture f;
        f.ShowActive();
        QDialog* dialog = Open(f, "OtherEffectsMenuToneGenerator", "Tones");
        QVERIFY(dialog);
        TickSlide(dialog, "ToneValue");
        ExpectNamedControls(dialog);
        dialog->findChild<QLineEdit*>(QStringLiteral("ToneValue"))->setFocus();
        ExpectTabOrder({QStringLiteral("ToneValue"), QStringLiteral("Length"),
                        QStringLiteral("chkSlide"), QStringLiteral("Slide"),
                        QStringLiteral("EndNote"), QStringLiteral("Gen"), QStringLiteral("Ccl")});
    }

    void saveActionDialog() {
        MainWindowFixture f;
        f.Write("demo.txt", "x");
        f.ShowActive();
        f.Trigger("FileMenuSaveScript");
        QDialog* dialog = f.window->SaveActionDialog();
        QVERIFY(dialog && QTest::qWaitForWindowActive(dialog));
        ExpectNamedControls(dialog);
        dialog->findChild<QPushButton*>(QStringLiteral("AppendTo"))->setFocus();
        ExpectTabOrder(
            {QStringLiteral("AppendTo"), QStringLiteral("Overwrite"), QStringLiteral("CCL")});
    }

    void everyAccessKeyReachesItsItem() {
        MainWindowFixture f;
        f.ShowActive();
        // Only reaching the items is tested here, not what they do.
        for (QAction* action : f.window->findChildren<QAction*>()) {
            QObject::disconnect(action, &QAction::triggered, f.window.get(), nullptr);
        }
        int reached = 0;
        for (QMenu* menu : f.window->findChildren<QMenu*>()) {
            if (!menu->objectName().endsWith(QStringLiteral("Popup")))
                continue;  // the menu bar's own overflow
            const QList<QAction*> actions = menu->actions();
            for (QAction* action : actions) {
                const QChar key = AccessKey(action->text());
                if (key.isNull() || !action->isVisible()) continue;
                int sharing = 0;
                for (QAction* other : actions)
                    sharing += other->isVisible() && AccessKey(other->text()) == key;

                QAction* triggered = nullptr;
                auto connection =
                    connect(menu, &QMenu::triggered, [&](QAction* hit) { triggered = hit; });
                menu->popup(QPoint(0, 0));
                QVERIFY(QTest::qWaitForWindowExposed(menu));
                bool found = false;
                for (int press = 0; press < sharing && !found; ++press) {
                    QTest::keyClick(menu, key.toLatin1());
                    // A key of its own chooses the item (or opens its submenu);
                    // a shared key moves between the items that share it.
                    found = sharing == 1 ? (triggered == action ||
                                            (action->menu() && action->menu()->isVisible()))
                                         : menu->activeAction() == action;
                }
                disconnect(connection);
                // Submenus open on a timer too: close every popup before the next key.
                while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
                menu->hide();
                QVERIFY2(found,
                         qPrintable(menu->objectName() + QStringLiteral(": ") + action->text()));
                ++reached;
            }
        }
        QCOMPARE(reached, 64);
    }

    void menuBarAccessKeysOpenTheirMenus_data() {
        QTest::addColumn<char>("key");
        QTest::addColumn<QString>("menu");
        QTest::newRow("file") << 'f' << "TopMenuFile";
        QTest::newRow("options") << 'o' << "TopMenuOptions";
        QTest::newRow("help") << 'h' << "TopMenuHelp";
    }
    void menuBarAccessKeysOpenTheirMenus() {
        QFETCH(char, key);
        QFETCH(QString, menu);
        MainWindowFixture f;
        f.ShowActive();
        QTest::keyClick(f.window.get(), key, Qt::AltModifier);
        QTRY_VERIFY(f.Action(menu.toLatin1().constData())->menu()->isVisible());
        f.Action(menu.toLatin1().constData())->menu()->hide();
    }

    // Screen readers read an item's keys from its AT-SPI key binding, "access
    // key;access keys from the menu bar;shortcut" with the shortcut in GTK's
    // notation ("s;<Alt>f:s;<Control>s"), and announce an item that opens a
    // submenu by the role of a menu. Each item is reached as a screen reader
    // reaches it: through its menu.
    void menuItemsTellTheirKeysAndSubmenus() {
#if !QT_CONFIG(accessibility_atspi_bridge)
        QSKIP("Without AT-SPI the menus keep Qt's own description.");
#endif
        MainWindowFixture f;
        const QRegularExpression gtkNotation(
            QStringLiteral("^(<[A-Z][a-z]+>)*([a-z0-9]|F[0-9]+)?$"));
        for (const qvx::MenuEntry& entry : qvx::MenuTree()) {
            QAction* action = f.Action(entry.name);
            QWidget* owner = *entry.parent ? static_cast<QWidget*>(f.Action(entry.parent)->menu())
                                           : f.window->menuBar();
            const int index = int(owner->actions().indexOf(action));
            QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(owner);
            QAccessibleInterface* item = menu->child(index);
            QVERIFY2(item && item->object() == action, entry.name);
            // An item that its menu does not find among its children is skipped.
            QCOMPARE(menu->indexOfChild(item), index);
            QCOMPARE(item->parent(), menu);
            QCOMPARE(item->childCount(), int(entry.submenu));
            if (entry.submenu) {  // the submenu hangs from the item that opens it
                QAccessibleInterface* submenu = item->child(0);
                QVERIFY(submenu && submenu->object() == action->menu());
                QCOMPARE(submenu->parent(), item);
                QCOMPARE(item->indexOfChild(submenu), 0);
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
            QVERIFY2(gtkNotation.match(parts[2]).hasMatch(), qPrintable(parts[2]));
            QString shortcut = parts[2];
            shortcut.replace(QStringLiteral("<Control>"), QStringLiteral("Ctrl+"))
                .replace(QStringLiteral("<Shift>"), QStringLiteral("Shift+"))
                .replace(QStringLiteral("<Alt>"), QStringLiteral("Alt+"));
            QCOMPARE(QKeySequence(shortcut), action->shortcut());
        }
    }
};

}  // namespace

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
