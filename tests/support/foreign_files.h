#pragma once

// Other programs' files built from their public descriptions: SQLite databases, ZIP
// archives, zstd frames, Anki collections of both schemas, Mnemosyne databases.
#include <sqlite3.h>
#include <zip.h>
#include <zstd.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace cardwise::testing {

inline std::string sqlQuoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

inline std::string sqlBlob(const std::string& bytes) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string out = "X'";
    for (unsigned char c : bytes) {
        out += kHex[c >> 4];
        out += kHex[c & 15];
    }
    return out + "'";
}

// The bytes of a database the SQL builds.
inline std::string sqliteDatabase(const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open(":memory:", &db);
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string text = error ? error : "?";
        sqlite3_free(error);
        sqlite3_close(db);
        throw std::runtime_error("sql: " + text);
    }
    sqlite3_int64 size = 0;
    unsigned char* data = sqlite3_serialize(db, "main", &size, 0);
    std::string out(reinterpret_cast<char*>(data), static_cast<std::size_t>(size));
    sqlite3_free(data);
    sqlite3_close(db);
    return out;
}

inline std::string zipArchive(const std::vector<std::pair<std::string, std::string>>& entries) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, &error);
    zip_source_keep(target);
    for (const auto& [name, bytes] : entries) {
        zip_source_t* s = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        zip_file_add(archive, name.c_str(), s, ZIP_FL_OVERWRITE);
    }
    zip_close(archive);
    zip_stat_t st;
    zip_source_stat(target, &st);
    std::string out(st.size, '\0');
    zip_source_open(target);
    zip_source_read(target, out.data(), st.size);
    zip_source_close(target);
    zip_source_free(target);
    zip_error_fini(&error);
    return out;
}

inline std::string zstdFrame(const std::string& bytes) {
    std::string out(ZSTD_compressBound(bytes.size()), '\0');
    out.resize(ZSTD_compress(out.data(), out.size(), bytes.data(), bytes.size(), 3));
    return out;
}

struct AnkiNote {
    int type;  // 1 Basic, 2 Basic (and reversed card), 3 type in, 4 Cloze, 5 a note type of its own
    std::vector<std::string> fields;
    std::string tags;
    std::vector<int> cards;  // template numbers (ords)
};

// The note types every collection here has: the four standard ones and "Vocabulary".
struct AnkiType {
    int id;
    const char* name;
    bool cloze;
    std::vector<std::string> fields;
    std::vector<std::pair<std::string, std::string>> templates;
};

inline const std::vector<AnkiType>& ankiTypes() {
    static const std::vector<AnkiType> types = {
        {1,
         "Basic",
         false,
         {"Front", "Back"},
         {{"{{Front}}", "{{FrontSide}}\n\n<hr id=answer>\n\n{{Back}}"}}},
        {2,
         "Basic (and reversed card)",
         false,
         {"Front", "Back"},
         {{"{{Front}}", "{{FrontSide}}<hr id=answer>{{Back}}"},
          {"{{Back}}", "{{FrontSide}}<hr id=answer>{{Front}}"}}},
        {3,
         "Basic (type in the answer)",
         false,
         {"Front", "Back"},
         {{"{{Front}}\n\n{{type:Back}}", "{{Front}}<hr id=answer>{{Back}}"}}},
        {4,
         "Cloze",
         true,
         {"Text", "Back Extra"},
         {{"{{cloze:Text}}", "{{cloze:Text}}<br>\n{{Back Extra}}"}}},
        {5,
         "Vocabulary",
         false,
         {"Word", "Meaning", "Example"},
         {{"{{Word}}", "{{FrontSide}}<hr id=answer>{{Meaning}}"}}},
    };
    return types;
}

inline std::string protoField(int number, const std::string& bytes) {
    std::string out(1, static_cast<char>(number << 3 | 2));
    std::size_t n = bytes.size();
    do {
        const auto byte = static_cast<unsigned char>(n & 0x7F);
        n >>= 7;
        out += static_cast<char>(n ? (byte | 0x80) : byte);
    } while (n);
    return out + bytes;
}

inline std::string jsonText(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out + "\"";
}

// An Anki collection in the legacy schema (note types as JSON in col.models) or the newer
// one (notetypes, fields and templates tables with protobuf configs).
inline std::string ankiCollection(const std::vector<AnkiNote>& notes, bool newer) {
    std::string sql =
        "CREATE TABLE col (id integer primary key, crt integer, mod integer, scm integer, ver "
        "integer, dty integer, usn integer, ls integer, conf text, models text, decks text, "
        "dconf text, tags text);"
        "CREATE TABLE notes (id integer primary key, guid text, mid integer, mod integer, usn "
        "integer, tags text, flds text, sfld integer, csum integer, flags integer, data text);"
        "CREATE TABLE cards (id integer primary key, nid integer, did integer, ord integer, mod "
        "integer, usn integer, type integer, queue integer, due integer, ivl integer, factor "
        "integer, reps integer, lapses integer, left integer, odue integer, odid integer, flags "
        "integer, data text);";
    std::string models = "{";
    if (newer) {
        sql +=
            "CREATE TABLE notetypes (id integer primary key, name text, mtime_secs integer, "
            "usn integer, config blob);"
            "CREATE TABLE fields (ntid integer, ord integer, name text, config blob);"
            "CREATE TABLE templates (ntid integer, ord integer, name text, mtime_secs "
            "integer, usn integer, config blob);";
    }
    for (const AnkiType& t : ankiTypes()) {
        const std::string id = std::to_string(t.id);
        if (newer) {
            sql += "INSERT INTO notetypes VALUES (" + id + "," + sqlQuoted(t.name) + ",0,0," +
                   sqlBlob(t.cloze ? std::string("\x08\x01", 2) : std::string()) + ");";
            for (std::size_t i = 0; i < t.fields.size(); ++i) {
                sql += "INSERT INTO fields VALUES (" + id + "," + std::to_string(i) + "," +
                       sqlQuoted(t.fields[i]) + ",X'');";
            }
            for (std::size_t i = 0; i < t.templates.size(); ++i) {
                sql += "INSERT INTO templates VALUES (" + id + "," + std::to_string(i) +
                       ",'Card',0,0," +
                       sqlBlob(protoField(1, t.templates[i].first) +
                               protoField(2, t.templates[i].second)) +
                       ");";
            }
            continue;
        }
        if (models.size() > 1) models += ",";
        models += "\"" + id + "\":{\"name\":" + jsonText(t.name) +
                  ",\"type\":" + (t.cloze ? "1" : "0") + ",\"flds\":[";
        for (std::size_t i = 0; i < t.fields.size(); ++i) {
            models += (i ? "," : "") + std::string("{\"name\":") + jsonText(t.fields[i]) +
                      ",\"ord\":" + std::to_string(i) + "}";
        }
        models += "],\"tmpls\":[";
        for (std::size_t i = 0; i < t.templates.size(); ++i) {
            models += (i ? "," : "") + std::string("{\"ord\":") + std::to_string(i) +
                      ",\"qfmt\":" + jsonText(t.templates[i].first) +
                      ",\"afmt\":" + jsonText(t.templates[i].second) + "}";
        }
        models += "]}";
    }
    models += "}";
    sql += "INSERT INTO col VALUES (1,0,0,0,11,0,0,0,'{}'," + sqlQuoted(newer ? "" : models) +
           ",'{}','{}','{}');";
    int cardId = 1;
    for (std::size_t n = 0; n < notes.size(); ++n) {
        const AnkiNote& note = notes[n];
        std::string flds;
        for (std::size_t i = 0; i < note.fields.size(); ++i) {
            flds += (i ? "\x1f" : "") + note.fields[i];
        }
        const std::string nid = std::to_string(1000 + n);
        sql += "INSERT INTO notes VALUES (" + nid + ",'g'," + std::to_string(note.type) + ",0,0," +
               sqlQuoted(note.tags) + "," + sqlQuoted(flds) + ",0,0,0,'');";
        for (int ord : note.cards) {
            sql += "INSERT INTO cards VALUES (" + std::to_string(cardId++) + "," + nid + ",1," +
                   std::to_string(ord) + ",0,0,0,0,0,0,0,0,0,0,0,0,0,'');";
        }
    }
    return sqliteDatabase(sql);
}

// An .apkg: the collection and the media, legacy (JSON map, plain entries) or newer
// (collection.anki21b, protobuf map and entries compressed with zstd).
inline std::string ankiPackage(const std::vector<AnkiNote>& notes,
                               const std::vector<std::pair<std::string, std::string>>& media,
                               bool newer) {
    std::vector<std::pair<std::string, std::string>> entries;
    const std::string collection = ankiCollection(notes, newer);
    entries.emplace_back(newer ? "collection.anki21b" : "collection.anki2",
                         newer ? zstdFrame(collection) : collection);
    std::string map = newer ? "" : "{";
    for (std::size_t i = 0; i < media.size(); ++i) {
        const std::string entry = std::to_string(i);
        if (newer) {
            map += protoField(1, protoField(1, media[i].first));
            entries.emplace_back(entry, zstdFrame(media[i].second));
        } else {
            map += (i ? "," : "") + jsonText(entry) + ":" + jsonText(media[i].first);
            entries.emplace_back(entry, media[i].second);
        }
    }
    if (!newer) map += "}";
    entries.emplace_back("media", newer ? zstdFrame(map) : map);
    return zipArchive(entries);
}

struct MnemosyneCard {
    std::string question;
    std::string answer;
    bool active;
    std::vector<std::string> tags;
};

inline std::string mnemosyneDatabase(const std::vector<MnemosyneCard>& cards) {
    std::string sql =
        "CREATE TABLE cards (_id integer primary key, id text, card_type_id text, _fact_id "
        "integer, fact_view_id text, question text, answer text, tags text, grade integer, "
        "active boolean);"
        "CREATE TABLE tags (_id integer primary key, id text, name text, extra_data text);"
        "CREATE TABLE tags_for_card (_card_id integer, _tag_id integer);"
        "INSERT INTO tags VALUES (1, '__UNTAGGED__', '__UNTAGGED__', '');";
    int tagId = 2;
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const std::string id = std::to_string(i + 1);
        sql += "INSERT INTO cards VALUES (" + id + ",'c','1',1,'v'," +
               sqlQuoted(cards[i].question) + "," + sqlQuoted(cards[i].answer) + ",'',0," +
               (cards[i].active ? "1" : "0") + ");";
        if (cards[i].tags.empty()) sql += "INSERT INTO tags_for_card VALUES (" + id + ",1);";
        for (const std::string& tag : cards[i].tags) {
            sql += "INSERT INTO tags VALUES (" + std::to_string(tagId) + ",'t'," + sqlQuoted(tag) +
                   ",'');INSERT INTO tags_for_card VALUES (" + id + "," + std::to_string(tagId) +
                   ");";
            ++tagId;
        }
    }
    return sqliteDatabase(sql);
}

}  // namespace cardwise::testing
