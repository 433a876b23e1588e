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
    MenuOpeningAnnouncer(QMenu* menu, MenuFocusSink sink)
        : QObject(menu), menu_(menu), sink_(std::move(sink)) {
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
        if (!std::exchange(opening_, false)) return;
        item_ = action;
        timer_.start(0);  // after Qt's own focus change
    }
    // The menu's focus, then the item's again.
    void NextFocus() {
        if (!item_ || !menu_->isVisible() || menu_->activeAction() != item_) return;
        if (!std::exchange(menuFocused_, true)) {
            timer_.start(kFirstItemDelay);
            return sink_(menu_, -1);
        }
        sink_(menu_, int(menu_->actions().indexOf(item_)));
    }

    QMenu* menu_;
    MenuFocusSink sink_;
    QTimer timer_;
    QPointer<QAction> item_;
    bool opening_ = false;
    bool menuFocused_ = false;
};

void FocusForScreenReader(QMenu* menu, int child) {
    QAccessibleEvent focus(menu, QAccessible::Focus);
    focus.setChild(child);
    QAccessible::updateAccessibility(&focus);
}

}  // namespace

void AnnounceMenuOpenings(QMenuBar* menuBar, MenuFocusSink sink) {
    // Orca's way of reading; the other platforms' readers take Qt's own
    // focus changes as they come.
#if QT_CONFIG(accessibility_atspi_bridge)
    if (!sink) sink = FocusForScreenReader;
#endif
    if (!sink) return;
    for (QMenu* menu : menuBar->findChildren<QMenu*>()) new MenuOpeningAnnouncer(menu, sink);
}

}  // namespace qvx
