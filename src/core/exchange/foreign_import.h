#pragma once

#include <map>
#include <string>
#include <string_view>

#include "core/exchange/foreign_deck.h"
#include "core/exchange/pair_import.h"

namespace cardwise {

// A file name for a picture or sound of another program that is safe in the deck's folder:
// its last path part only, ASCII letters, digits and "-_.+ ()" kept, everything else "_",
// no leading dot, at most 60 characters with the extension kept; "media" when nothing is
// left.
std::string safeMediaName(std::string_view name);

// The cards of another program's file as the pairs a deck holding `deck` takes, in the
// deck's markup (a fill-in card as a fill-in pair, pictures and sounds as the side's file
// tags naming the media under safe names), or the first card it cannot take.
ImportPlan planForeignDeck(const ForeignDeck& foreign, const DeckContents& deck);

}  // namespace cardwise
