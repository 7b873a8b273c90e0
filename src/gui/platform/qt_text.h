#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace cardwise::gui {

// Deck text (Windows-1252 bytes) shown in a widget.
QString fromDeckText(std::string_view deckText);
// A widget's text as deck bytes; nothing when it holds a character decks cannot hold, after
// telling the user which (through the core's message).
std::optional<std::string> toDeckText(const QString& text, QString* refusalMessage = nullptr);
// A core message: deck text mixed with UTF-8 file names.
QString fromMessage(std::string_view message);

}  // namespace cardwise::gui
