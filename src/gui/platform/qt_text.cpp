#include "gui/platform/qt_text.h"

#include <QFile>

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

QString fromFileName(std::string_view bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string toFileName(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

}  // namespace cardwise::gui
