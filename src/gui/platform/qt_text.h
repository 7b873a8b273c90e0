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

// File names cross between the core (the system's bytes) and Qt here, and only here: file
// dialogs, the single-instance hand-over. The bytes are decoded as the system's file names
// are, so a name in the locale's encoding reads as typed.
QString fromFileName(std::string_view bytes);
std::string toFileName(const QString& name);

}  // namespace cardwise::gui
