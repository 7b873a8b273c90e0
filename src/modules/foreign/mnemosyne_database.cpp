// Mnemosyne 2 keeps each card rendered in its "cards" table (question, answer, active);
// tags come through tags_for_card, media are named relative to the database's media folder.
#include "modules/foreign/foreign_readers.h"
#include "modules/foreign/html_text.h"
#include "modules/foreign/sqlite_memory.h"

namespace cardwise {

ForeignDeck readMnemosyneDatabase(std::string database, const BesideFile& beside) {
    ForeignDeck deck;
    SqliteMemory db(std::move(database));
    std::map<std::int64_t, std::vector<std::string>> tags;
    {
        SqliteQuery q(db.handle(),
                      "SELECT tc._card_id, t.name FROM tags_for_card tc JOIN tags t ON t._id = "
                      "tc._tag_id ORDER BY tc._card_id, t.name");
        while (q.step()) {
            std::string name = q.text(1);
            if (!name.starts_with("__")) tags[q.integer(0)].push_back(std::move(name));
        }
    }
    SqliteQuery q(db.handle(),
                  "SELECT _id, question, answer FROM cards WHERE active = 1 ORDER BY _id");
    std::int32_t number = 0;
    while (q.step()) {
        ForeignCard card;
        card.number = ++number;
        card.question = sideFromHtml(q.text(1));
        card.answer = sideFromHtml(q.text(2));
        card.tags = tags[q.integer(0)];
        deck.cards.push_back(std::move(card));
    }
    if (q.failed()) {
        deck.problem = "The Mnemosyne Database Is Damaged.";
        return deck;
    }
    for (const ForeignCard& card : deck.cards) {
        for (const ForeignSide* side : {&card.question, &card.answer}) {
            for (const std::string* name : {&side->picture, &side->sound}) {
                if (name->empty() || deck.media.contains(*name)) continue;
                std::optional<std::string> bytes = beside("default.db_media/" + *name);
                if (!bytes) bytes = beside(*name);
                if (bytes) deck.media[*name] = std::move(*bytes);
            }
        }
    }
    return deck;
}

}  // namespace cardwise
