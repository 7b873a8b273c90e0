#pragma once

#include <QObject>
#include <QString>

#include <vector>

class QAction;
class QMenu;
class QPoint;
class QWidget;

namespace cardwise::gui {

// The drill window's two pop-up menus: the window's own (options, the editor's commands,
// Go To Pair) and the status bar's (its reset). The menus belong to the window.
class DrillPopupMenus : public QObject {
    Q_OBJECT
  public:
    // statusBar: where a right click asks for the status bar's menu.
    DrillPopupMenus(QWidget* window, QWidget* statusBar);

    // The window's menu, for items a window adds.
    QMenu* windowMenu() const { return popup_; }
    // The editor items: enabled when the program has an editor.
    void offerEditor(bool on);
    // The menu of the place clicked, at a point of the screen.
    void popUp(QPoint globalPos, bool onStatusBar);

    // A right click anywhere on the status bar, whichever of its fields was clicked.
    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    // "&Options": the options dialog belongs to the main window.
    void optionsRequested();
    void goToPairRequested();
    void resetStatusBarRequested();
    // An editor item, by its component name ("EditCurrentQAPair1").
    void editorCommandRequested(const QString& name);

  private:
    QWidget* statusBar_;
    QMenu* popup_ = nullptr;
    QMenu* statusPopup_ = nullptr;
    std::vector<QAction*> editorItems_;
};

}  // namespace cardwise::gui
