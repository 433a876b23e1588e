#include "app/MenuOpenings.h"

#include <QAccessible>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <utility>

namespace qvx {
namespace {

// Lets a screen reader say which menu opened before it reads the first item.
// Qt gives that item the focus in the same moment as the menu opens, and
// Orca 43 reads only the last of the focus changes waiting for it, so the
// menu itself takes the focus first and hands it to the item once the
// reader has had time to take the menu's.
class MenuOpeningAnnouncer : public QObject {
  public:
    explicit MenuOpeningAnnouncer(QMenu* menu) : QObject(menu), menu_(menu) {
        timer_.setSingleShot(true);
        connect(menu, &QMenu::aboutToShow, this, [this] { opening_ = true; });
        connect(menu, &QMenu::aboutToHide, this, [this] {
            opening_ = false;
            timer_.stop();
        });
        connect(menu, &QMenu::hovered, this, &MenuOpeningAnnouncer::Hovered);
        connect(&timer_, &QTimer::timeout, this, &MenuOpeningAnnouncer::NextFocus);
    }

  private:
    // Long enough for Orca to have taken the menu's focus, too short to
    // matter: the menu's name takes longer to speak.
    static constexpr std::chrono::milliseconds kFirstItemDelay{300};

    // Qt is about to give `action` the focus; another item cancels the rest.
    void Hovered(QAction* action) {
        timer_.stop();
        menuFocused_ = false;
        if (!std::exchange(opening_, false) || !QAccessible::isActive()) return;
        item_ = action;
        timer_.start(0);  // after Qt's own focus change
    }
    // The menu's focus, then the item's again.
    void NextFocus() {
        if (!item_ || !menu_->isVisible() || menu_->activeAction() != item_) return;
        QAccessibleEvent focus(menu_, QAccessible::Focus);
        if (std::exchange(menuFocused_, true)) {
            focus.setChild(int(menu_->actions().indexOf(item_)));
        } else {
            timer_.start(kFirstItemDelay);
        }
        QAccessible::updateAccessibility(&focus);
    }

    QMenu* menu_;
    QTimer timer_;
    QPointer<QAction> item_;
    bool opening_ = false;
    bool menuFocused_ = false;
};

}  // namespace

void AnnounceMenuOpenings(QMenuBar* menuBar) {
#if QT_CONFIG(accessibility_atspi_bridge)
    for (QMenu* menu : menuBar->findChildren<QMenu*>()) new MenuOpeningAnnouncer(menu);
#else
    Q_UNUSED(menuBar);
#endif
}

}  // namespace qvx
