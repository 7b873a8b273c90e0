#include "gui/platform/qt_text.h"

#include "core/content/windows1252.h"

namespace cardwise::gui {

QString fromDeckText(std::string_view deckText) {
    return QString::fromStdString(windows1252ToUtf8(deckText));
}

std::optional<std::string> toDeckText(const QString& text, QString* refusalMessage) {
    DeckTextConversion result = utf8ToWindows1252(text.toStdString());
    if (!result.ok()) {
        if (refusalMessage) {
            *refusalMessage = QString::fromStdString(characterNotAllowedText(*result.refused));
        }
        return std::nullopt;
    }
    return std::move(result.text);
}

QString fromMessage(std::string_view message) {
    return QString::fromStdString(displayText(message));
}

}  // namespace cardwise::gui
