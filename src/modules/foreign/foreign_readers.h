#pragma once

#include <string>
#include <string_view>

#include "core/exchange/foreign_deck.h"

namespace cardwise {

// Format readers, one per file; a problem says why the file cannot be read.
ForeignDeck readAnkiPackage(std::string_view zipBytes);
ForeignDeck readAnkiCollection(std::string database);
ForeignDeck readMnemosyneDatabase(std::string database, const BesideFile& beside);
ForeignDeck readKvtml(std::string_view xml);

// An Anki field turned into card text: its HTML read as text, "[sound:x]" taken out as
// the sound, the first <img> as the picture.
ForeignSide sideFromHtml(std::string_view html);

}  // namespace cardwise
