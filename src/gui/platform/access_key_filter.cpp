#include "gui/platform/access_key_filter.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>

namespace cardwise::gui {

AccessKeyFilter::AccessKeyFilter(QWidget* window, Targets targets)
    : QObject(window), window_(window), targets_(std::move(targets)) {}

void AccessKeyFilter::watchControls(QWidget* window, QObject* filter) {
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->window() == window) child->installEventFilter(filter);
    }
}

bool AccessKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    return event->type() == QEvent::KeyPress && handleKey(watched, static_cast<QKeyEvent*>(event));
}

bool AccessKeyFilter::handleKey(QObject* receiver, QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    switch (event->key()) {
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            QTextEdit* text = targets_.scrolledText ? targets_.scrolledText() : nullptr;
            if (!text || !text->isVisibleTo(window_)) return false;
            text->setFocus(Qt::OtherFocusReason);
            text->verticalScrollBar()->triggerAction(event->key() == Qt::Key_PageUp
                                                         ? QAbstractSlider::SliderPageStepSub
                                                         : QAbstractSlider::SliderPageStepAdd);
            return true;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            // A focused button takes Enter itself.
            if (qobject_cast<QPushButton*>(receiver)) return false;
            QPushButton* button = targets_.defaultButton ? targets_.defaultButton() : nullptr;
            if (!button || !button->isVisibleTo(window_) || !button->isEnabled()) return false;
            button->click();
            return true;
        }
        default:
            return pressAccessKey(receiver, event);
    }
}

bool AccessKeyFilter::pressAccessKey(QObject* receiver, QKeyEvent* event) {
    if (qobject_cast<QLineEdit*>(receiver) || event->text().size() != 1) return false;
    const QChar key = event->text().at(0).toLower();
    if (!key.isLetterOrNumber() || !targets_.buttonAreas) return false;
    for (QWidget* area : targets_.buttonAreas()) {
        if (!area->isVisibleTo(window_)) continue;
        for (QPushButton* button : area->findChildren<QPushButton*>()) {
            if (!button->isVisibleTo(window_) || !button->isEnabled()) continue;
            const QString text = button->text();
            for (qsizetype i = 0; i + 1 < text.size(); ++i) {
                if (text.at(i) != QLatin1Char('&')) continue;
                if (text.at(i + 1) == QLatin1Char('&')) {
                    ++i;
                    continue;
                }
                if (text.at(i + 1).toLower() == key) {
                    button->click();
                    return true;
                }
                break;
            }
        }
    }
    return false;
}

}  // namespace cardwise::gui
