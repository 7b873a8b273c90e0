#include "gui/platform/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "gui/platform/qt_text.h"

namespace cardwise::gui {

void QtClipboard::setText(std::string_view text) {
    QGuiApplication::clipboard()->setText(fromDeckText(text));
}

}  // namespace cardwise::gui
