// The module's one entry: which reader a file of a told format goes to.
#include "core/exchange/foreign_module.h"
#include "modules/foreign/foreign_readers.h"
#include "modules/foreign/sqlite_memory.h"

namespace cardwise {
namespace {

ForeignDeck readForeignFile(ForeignFormat format, std::string bytes, const BesideFile& beside) {
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

constexpr ForeignReaders kReaders{kForeignReadersVersion, &readForeignFile};

}  // namespace
}  // namespace cardwise

extern "C" __attribute__((visibility("default"))) const cardwise::ForeignReaders*
cardwise_foreign_readers() {
    return &cardwise::kReaders;
}
