#pragma once

#include <QObject>

#include <functional>
#include <vector>

class QKeyEvent;
class QPushButton;
class QTextEdit;
class QWidget;

namespace cardwise::gui {

// The keys of a window that is not a dialog taken as a Windows dialog takes them: Page Up
// and Page Down scroll the window's text wherever the focus is, Enter presses the default
// button unless a button has the focus, and a button's access key works without Alt unless
// the user is typing into a field. Hidden or disabled targets let the key pass.
class AccessKeyFilter : public QObject {
    Q_OBJECT
  public:
    struct Targets {
        // The text the page keys scroll; null for none.
        std::function<QTextEdit*()> scrolledText;
        // The button Enter presses; null for none.
        std::function<QPushButton*()> defaultButton;
        // The areas whose push buttons answer their access keys.
        std::function<std::vector<QWidget*>()> buttonAreas;
    };

    AccessKeyFilter(QWidget* window, Targets targets);

    // Installs `filter` on the window's own controls; its pop-up menus and dialogs take
    // their keys themselves.
    static void watchControls(QWidget* window, QObject* filter);

    // True when the key was taken.
    bool handleKey(QObject* receiver, QKeyEvent* event);
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool pressAccessKey(QObject* receiver, QKeyEvent* event);

    QWidget* window_;
    Targets targets_;
};

}  // namespace cardwise::gui
