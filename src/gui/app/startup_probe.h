#pragma once

#include <QEvent>
#include <QObject>
#include <QWidget>

#include <cstdio>

namespace cardwise::gui {

// With CARDWISE_STARTUP_PROBE set, the program writes "shown" on standard output when its
// question window is first painted (the display has mapped it and the user sees it), so
// that the start-up benchmark can time it and read the process's memory at that moment.
class FirstShowProbe : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->isVisible() && !reported_) {
                reported_ = true;
                std::fputs("shown\n", stdout);
                std::fflush(stdout);
            }
        }
        return false;
    }

  private:
    bool reported_ = false;
};

inline void reportFirstShow(QWidget* widget) {
    widget->installEventFilter(new FirstShowProbe(widget));
}

}  // namespace cardwise::gui
