#include "core/exchange/foreign_deck.h"

#include "core/exchange/sqlite_memory.h"

namespace cardwise {

ForeignFormat sniffFormat(std::string_view head) {
    if (head.starts_with("PK\x03\x04")) return ForeignFormat::Zip;
    if (head.starts_with(std::string_view("SQLite format 3\0", 16))) return ForeignFormat::SQLite;
    if (head.starts_with("\xEF\xBB\xBF")) head.remove_prefix(3);
    const std::size_t first = head.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos) head.remove_prefix(first);
    if (head.starts_with("<?xml") || head.starts_with("<!DOCTYPE kvtml") ||
        head.starts_with("<kvtml")) {
        return ForeignFormat::Xml;
    }
    return ForeignFormat::Text;
}

ForeignDeck readForeignDeck(ForeignFormat format, std::string bytes, const BesideFile& beside) {
    switch (format) {
        case ForeignFormat::Zip:
            return readAnkiPackage(bytes);
        case ForeignFormat::Xml: {
            ForeignDeck deck = readKvtml(bytes);
            for (const ForeignCard& card : deck.cards) {
                for (const ForeignSide* side : {&card.question, &card.answer}) {
                    for (const std::string* name : {&side->picture, &side->sound}) {
                        if (name->empty() || deck.media.contains(*name)) continue;
                        if (std::optional<std::string> got = beside(*name)) {
                            deck.media[*name] = std::move(*got);
                        }
                    }
                }
            }
            return deck;
        }
        case ForeignFormat::SQLite: {
            SqliteMemory db(bytes);
            ForeignDeck deck;
            if (!db.ok()) {
                deck.problem = "The File Is A Damaged SQLite Database.";
            } else if (db.hasTable("notes") && db.hasTable("col")) {
                return readAnkiCollection(std::move(bytes));
            } else if (db.hasTable("tags_for_card") && db.hasColumn("cards", "question") &&
                       db.hasColumn("cards", "answer") && db.hasColumn("cards", "active")) {
                return readMnemosyneDatabase(std::move(bytes), beside);
            } else {
                deck.problem =
                    "The File Is An SQLite Database, But Neither An Anki Collection Nor A "
                    "Mnemosyne Database.";
            }
            return deck;
        }
        case ForeignFormat::Text:
            break;
    }
    return {};
}

}  // namespace cardwise
