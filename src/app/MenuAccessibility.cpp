#include "app/MenuAccessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStyle>
#include <QWindow>
#include <utility>

namespace qvx {
namespace {

// The menu or menu bar that shows the action.
QWidget* MenuOwner(const QAction* action) {
    for (QObject* object : action->associatedObjects()) {
        if (qobject_cast<QMenu*>(object) || qobject_cast<QMenuBar*>(object)) {
            return static_cast<QWidget*>(object);
        }
    }
    return nullptr;
}

// Where a caption marks its access key: the first "&" that is not doubled
// ("&&" shows one "&"), or -1.
qsizetype AccessKeyMark(const QString& caption) {
    for (qsizetype i = caption.indexOf(u'&'); i >= 0 && i + 1 < caption.size();
         i = caption.indexOf(u'&', i + 2)) {
        if (caption.at(i + 1) != u'&') return i;
    }
    return -1;
}

QString ShownCaption(const QString& caption) {
    QString shown = caption;
    if (const qsizetype mark = AccessKeyMark(caption); mark >= 0) shown.remove(mark, 1);
    return shown.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

// GTK names a character key by its lower-case character ("s", "4").
QString AccessKey(const QString& caption) {
    const qsizetype mark = AccessKeyMark(caption);
    return mark < 0 ? QString() : QString(caption.at(mark + 1).toLower());
}

// "<Alt>f:s" for an item reached from the menu bar by Alt+F, then S; empty
// when a step on the way has no access key or the menu hangs from no menu bar.
QString AccessKeyPath(const QAction* action, const QWidget* owner) {
    QStringList keys;
    while (const auto* menu = qobject_cast<const QMenu*>(owner)) {
        keys.prepend(AccessKey(action->text()));
        action = menu->menuAction();
        owner = MenuOwner(action);
    }
    if (!qobject_cast<const QMenuBar*>(owner)) return {};
    keys.prepend(AccessKey(action->text()));
    if (keys.contains(QString())) return {};
    return QStringLiteral("<Alt>") + keys.join(u':');
}

constexpr std::pair<Qt::KeyboardModifier, const char*> kGtkModifiers[] = {
    {Qt::ShiftModifier, "<Shift>"},
    {Qt::ControlModifier, "<Control>"},
    {Qt::AltModifier, "<Alt>"},
    {Qt::MetaModifier, "<Super>"},
};

// "<Control>s" for Ctrl+S: GTK's accelerator notation, which screen readers
// read. A letter is named in lower case; the function keys (and Return, Tab,
// the arrows) have the same names in GTK as in Qt's portable text.
QString GtkAccelerator(const QKeySequence& shortcut) {
    if (shortcut.isEmpty()) return {};
    const QKeyCombination keys = shortcut[0];
    QString text;
    for (const auto& [modifier, name] : kGtkModifiers) {
        if (keys.keyboardModifiers() & modifier) text += QLatin1StringView(name);
    }
    const QString key = QKeySequence(keys.key()).toString(QKeySequence::PortableText);
    return text + (keys.key() < Qt::Key_Escape ? key.toLower() : key);
}

// A menu item as Qt's own describes it (name, state, rectangle, the action
// that chooses it or opens its submenu, the submenu as its child), with
// AT-SPI's key binding and the role of a menu when it opens a submenu.
class MenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    MenuItemAccessible(QWidget* owner, QAction* action) : owner_(owner), action_(action) {}

    bool isValid() const override { return owner_ && action_; }
    QObject* object() const override { return action_; }
    QWindow* window() const override { return owner_ ? owner_->window()->windowHandle() : nullptr; }

    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(owner_);
    }
    int childCount() const override { return action_->menu() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(action_->menu()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && action_->menu() && child->object() == action_->menu() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        QAccessibleInterface* submenu = child(0);
        return submenu && submenu->rect().contains(x, y) ? submenu : nullptr;
    }

    QRect rect() const override {
        if (auto* bar = qobject_cast<QMenuBar*>(owner_)) {
            return bar->actionGeometry(action_).translated(bar->mapToGlobal(QPoint(0, 0)));
        }
        if (auto* menu = qobject_cast<QMenu*>(owner_)) {
            return menu->actionGeometry(action_).translated(menu->mapToGlobal(QPoint(0, 0)));
        }
        return {};
    }

    QAccessible::Role role() const override {
        if (action_->isSeparator()) return QAccessible::Separator;
        // Qt's only menu role, which AT-SPI calls "popup menu".
        return action_->menu() ? QAccessible::PopupMenu : QAccessible::MenuItem;
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        if (owner_) {
            s.invisible = !owner_->isVisible() || !action_->isVisible();
            s.hotTracked = owner_->style()->styleHint(QStyle::SH_Menu_MouseTracking) != 0;
        }
        if (auto* bar = qobject_cast<QMenuBar*>(owner_)) s.focused = bar->activeAction() == action_;
        if (auto* menu = qobject_cast<QMenu*>(owner_)) s.focused = menu->activeAction() == action_;
        s.disabled = action_->isSeparator() || !action_->isEnabled();
        s.checkable = action_->isCheckable();
        s.checked = action_->isChecked();
        return s;
    }

    QString text(QAccessible::Text t) const override {
        // AT-SPI reads the keys from the key binding alone.
        return t == QAccessible::Name ? ShownCaption(action_->text()) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                 : nullptr;
    }

    QStringList actionNames() const override {
        if (action_->isSeparator()) return {};
        return {action_->menu() ? showMenuAction() : pressAction()};
    }

    void doAction(const QString& name) override {
        if (!action_->isEnabled()) return;
        if (name == pressAction()) {
            action_->trigger();
        } else if (name == showMenuAction()) {
            // Opens the submenu, or closes it when it is open.
            if (action_->menu() && action_->menu()->isVisible()) {
                action_->menu()->hide();
            } else if (auto* bar = qobject_cast<QMenuBar*>(owner_)) {
                bar->setActiveAction(action_);
            } else if (auto* menu = qobject_cast<QMenu*>(owner_)) {
                menu->setActiveAction(action_);
            }
        }
    }

    // One string of three parts: AT-SPI's list of actions carries only the
    // first binding of each.
    QStringList keyBindingsForAction(const QString&) const override {
        return {AccessKey(action_->text()) + u';' + AccessKeyPath(action_, owner_) + u';' +
                GtkAccelerator(action_->shortcut())};
    }

  private:
    QPointer<QWidget> owner_;
    QPointer<QAction> action_;
};

// A menu or the menu bar, with its items as children. Qt's own finds an item
// among its children only by the role of a plain item, and a screen reader
// skips an item that is not found in its parent.
class MenuAccessible : public QAccessibleWidget {
  public:
    MenuAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    // A menu bears the name of the item that opens it.
    QString text(QAccessible::Text t) const override {
        auto* menu = qobject_cast<QMenu*>(widget());
        return menu && t == QAccessible::Name ? ShownCaption(menu->title())
                                              : QAccessibleWidget::text(t);
    }

    int childCount() const override { return int(widget()->actions().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QAction*> actions = widget()->actions();
        return index >= 0 && index < actions.size()
                   ? QAccessible::queryAccessibleInterface(actions.at(index))
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        auto* action = child ? qobject_cast<QAction*>(child->object()) : nullptr;
        return action ? int(widget()->actions().indexOf(action)) : -1;
    }
    // A submenu's parent is the item that opens it.
    QAccessibleInterface* parent() const override {
        if (auto* menu = qobject_cast<QMenu*>(widget()); menu && MenuOwner(menu->menuAction())) {
            return QAccessible::queryAccessibleInterface(menu->menuAction());
        }
        return QAccessibleWidget::parent();
    }
};

QAccessibleInterface* MenuAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1StringView("QMenu")) {
        return new MenuAccessible(static_cast<QWidget*>(object), QAccessible::PopupMenu);
    }
    if (className == QLatin1StringView("QMenuBar")) {
        return new MenuAccessible(static_cast<QWidget*>(object), QAccessible::MenuBar);
    }
    if (className == QLatin1StringView("QAction")) {
        auto* action = static_cast<QAction*>(object);
        if (QWidget* owner = MenuOwner(action)) return new MenuItemAccessible(owner, action);
    }
    return nullptr;
}

}  // namespace

void InstallMenuAccessibility() {
    // The key binding and the role are AT-SPI's way; the other platforms'
    // bridges read Qt's own menu items (Windows, for one, finds a submenu by
    // the item's plain role).
#if QT_CONFIG(accessibility_atspi_bridge)
    QAccessible::installFactory(MenuAccessibleFactory);
#endif
}

}  // namespace qvx
