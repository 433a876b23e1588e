#include "dialogs/widgets/ComboBoxAccessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>

namespace qvx {
namespace {

// A combo box as Qt's own describes it (its name, its list as its one child,
// the action that opens the list), with its current item as its text.
class ComboBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit ComboBoxAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {
        QObject::connect(box, &QComboBox::currentTextChanged, box, [box](const QString& item) {
            // The old item needs no removal notice: a reader would announce
            // it as "selection deleted" first.
            if (item.isEmpty()) return;
            QAccessibleTextInsertEvent event(box, 0, item);
            QAccessible::updateAccessibility(&event);
        });
    }

    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(Box()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == Box()->view() ? 0 : -1;
    }

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? Box()->currentText() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = Box()->view()->isVisible();
        return s;
    }

    QStringList actionNames() const override {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == showMenuAction()) return Box()->showPopup();
        QAccessibleWidget::doAction(name);
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                               : QAccessibleWidget::interface_cast(t);
    }

    QString text(int start, int end) const override {
        return Box()->currentText().mid(start, end - start);
    }
    int characterCount() const override { return int(Box()->currentText().size()); }
    int selectionCount() const override { return characterCount() > 0 ? 1 : 0; }
    void selection(int index, int* start, int* end) const override {
        *start = 0;
        *end = index == 0 ? characterCount() : 0;
    }
    int cursorPosition() const override { return 0; }
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    // The text follows the chosen item only.
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    void setCursorPosition(int) override {}
    void scrollToSubstring(int, int) override {}

  private:
    QComboBox* Box() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* ComboBoxAccessibleFactory(const QString& className, QObject* object) {
    return className == QLatin1StringView("QComboBox")
               ? new ComboBoxAccessible(static_cast<QComboBox*>(object))
               : nullptr;
}

}  // namespace

void InstallComboBoxAccessibility() {
    // Orca's way of reading; the other platforms' bridges read Qt's own.
#if QT_CONFIG(accessibility_atspi_bridge)
    QAccessible::installFactory(ComboBoxAccessibleFactory);
#endif
}

}  // namespace qvx
