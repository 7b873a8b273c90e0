#include "gui/drill/drill_popup_menus.h"

#include <QContextMenuEvent>
#include <QMenu>

#include "core/drill/drill_window_texts.h"
#include "gui/drill/drill_look.h"

namespace cardwise::gui {
namespace {

QAction* addMenuItem(QMenu* menu, const char* name, std::string_view caption, bool enabled) {
    QAction* action = menu->addAction(captionText(caption));
    action->setObjectName(name);
    action->setEnabled(enabled);
    return action;
}

}  // namespace

DrillPopupMenus::DrillPopupMenus(QWidget* window, QWidget* statusBar)
    : QObject(window), statusBar_(statusBar) {
    popup_ = new QMenu(window);
    popup_->setObjectName("PopupMenu1");
    QAction* options = addMenuItem(popup_, "RealOptions1", kMenuOptions, true);
    connect(options, &QAction::triggered, this, &DrillPopupMenus::optionsRequested);
    // The editor's commands can be chosen once the program has an editor.
    popup_->addSeparator();
    editorItems_.push_back(addMenuItem(popup_, "EditCurrentQAPair1", kMenuEditPair, false));
    editorItems_.push_back(addMenuItem(popup_, "DeleteCurrentQAPair1", kMenuDeletePair, false));
    QAction* goTo = addMenuItem(popup_, "GoToPair1", kMenuGoToPair, true);
    connect(goTo, &QAction::triggered, this, &DrillPopupMenus::goToPairRequested);
    popup_->addSeparator();
    editorItems_.push_back(addMenuItem(popup_, "InsertNewQAPair1", kMenuInsertPair, false));
    for (QAction* item : editorItems_) {
        // The main window's items of the same names carry the commands out.
        connect(item, &QAction::triggered, this,
                [this, item] { emit editorCommandRequested(item->objectName()); });
    }

    statusPopup_ = new QMenu(window);
    statusPopup_->setObjectName("PopupMenu3");
    QAction* reset =
        addMenuItem(statusPopup_, "ResetStatusBarStatistics1", kMenuResetStatusBar, true);
    connect(reset, &QAction::triggered, this, &DrillPopupMenus::resetStatusBarRequested);
}

void DrillPopupMenus::offerEditor(bool on) {
    for (QAction* item : editorItems_) item->setEnabled(on);
}

void DrillPopupMenus::popUp(QPoint globalPos, bool onStatusBar) {
    (onStatusBar ? statusPopup_ : popup_)->exec(globalPos);
}

bool DrillPopupMenus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ContextMenu || !watched->isWidgetType()) return false;
    if (watched != statusBar_ && !statusBar_->isAncestorOf(static_cast<QWidget*>(watched))) {
        return false;
    }
    popUp(static_cast<QContextMenuEvent*>(event)->globalPos(), true);
    return true;
}

}  // namespace cardwise::gui
