#pragma once

#include <QEvent>
#include <QObject>
#include <QWidget>

#include <cstdio>

namespace cardwise::bench {

// Writes "shown" on standard output when the widget is first exposed on screen, so that a
// runner can time the start-up and read the process's memory at that moment.
class FirstShowProbe : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose || event->type() == QEvent::Show) {
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

}  // namespace cardwise::bench
