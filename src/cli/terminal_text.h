#pragma once

#include <string>
#include <string_view>

#include "core/content/windows1252.h"

namespace cardwise::cli {

// Decks hold Windows-1252 bytes with CR LF line breaks; terminals speak UTF-8 with bare
// line feeds. These convert at the terminal boundary only.

// Deck text (and messages naming UTF-8 files) to UTF-8; CR LF and a lone CR become LF.
std::string toTerminal(std::string_view cp1252);
// A typed line to deck bytes; a character the code page lacks is refused. A trailing CR
// (a line typed on a terminal that sends CR LF) is dropped.
DeckTextConversion fromTerminal(std::string_view utf8);

}  // namespace cardwise::cli
