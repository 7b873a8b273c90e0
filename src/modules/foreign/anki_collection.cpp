// An Anki collection: notes (fields joined by 0x1F), cards (note and template number) and
// the note types, as JSON in the "col" table (legacy) or in the notetypes, fields and
// templates tables (newer). Each card becomes a pair as Anki renders it.
#include <map>
#include <string>
#include <vector>

#include "modules/foreign/foreign_readers.h"
#include "modules/foreign/html_text.h"
#include "modules/foreign/sqlite_memory.h"

namespace cardwise {
namespace {

struct NoteType {
    std::string name;
    bool cloze = false;
    std::vector<std::string> fields;                                        // names by ord
    std::map<std::int64_t, std::pair<std::string, std::string>> templates;  // ord: front, back
};

using NoteTypes = std::map<std::int64_t, NoteType>;

void putField(NoteType& type, std::int64_t ord, std::string name) {
    if (ord < 0 || ord > 1000) return;
    if (type.fields.size() <= static_cast<std::size_t>(ord)) {
        type.fields.resize(static_cast<std::size_t>(ord) + 1);
    }
    type.fields[static_cast<std::size_t>(ord)] = std::move(name);
}

NoteTypes legacyNoteTypes(const SqliteMemory& db) {
    NoteTypes types;
    {
        SqliteQuery q(db.handle(),
                      "SELECT CAST(m.key AS INTEGER), json_extract(m.value, '$.name'), "
                      "json_extract(m.value, '$.type') FROM col, json_each(col.models) m");
        while (q.step()) types[q.integer(0)] = NoteType{q.text(1), q.integer(2) == 1, {}, {}};
    }
    {
        SqliteQuery q(db.handle(),
                      "SELECT CAST(m.key AS INTEGER), json_extract(f.value, '$.ord'), "
                      "json_extract(f.value, '$.name') FROM col, json_each(col.models) m, "
                      "json_each(m.value, '$.flds') f");
        while (q.step()) putField(types[q.integer(0)], q.integer(1), q.text(2));
    }
    SqliteQuery q(db.handle(),
                  "SELECT CAST(m.key AS INTEGER), json_extract(t.value, '$.ord'), "
                  "json_extract(t.value, '$.qfmt'), json_extract(t.value, '$.afmt') FROM col, "
                  "json_each(col.models) m, json_each(m.value, '$.tmpls') t");
    while (q.step()) types[q.integer(0)].templates[q.integer(1)] = {q.text(2), q.text(3)};
    return types;
}

// The first varint or string of the given field of a protobuf message; enough for the
// kind of a note type (field 1) and the two formats of a template (fields 1 and 2).
std::string protoString(std::string_view message, std::uint64_t number, std::uint64_t* varint) {
    std::size_t at = 0;
    auto readVarint = [&](std::uint64_t& value) {
        value = 0;
        for (int shift = 0; shift < 64 && at < message.size(); shift += 7) {
            const auto byte = static_cast<unsigned char>(message[at++]);
            value |= std::uint64_t{byte & 0x7Fu} << shift;
            if ((byte & 0x80u) == 0) return true;
        }
        return false;
    };
    while (at < message.size()) {
        std::uint64_t key = 0;
        if (!readVarint(key)) break;
        std::uint64_t value = 0;
        switch (key & 7) {
            case 0:
                if (!readVarint(value)) return {};
                if ((key >> 3) == number && varint) *varint = value;
                break;
            case 1:
                at += 8;
                break;
            case 5:
                at += 4;
                break;
            case 2:
                if (!readVarint(value) || value > message.size() - at) return {};
                if ((key >> 3) == number) return std::string(message.substr(at, value));
                at += value;
                break;
            default:
                return {};
        }
    }
    return {};
}

NoteTypes newerNoteTypes(const SqliteMemory& db) {
    NoteTypes types;
    {
        SqliteQuery q(db.handle(), "SELECT id, name, config FROM notetypes");
        while (q.step()) {
            std::uint64_t kind = 0;
            protoString(q.text(2), 1, &kind);
            types[q.integer(0)] = NoteType{q.text(1), kind == 1, {}, {}};
        }
    }
    {
        SqliteQuery q(db.handle(), "SELECT ntid, ord, name FROM fields");
        while (q.step()) putField(types[q.integer(0)], q.integer(1), q.text(2));
    }
    SqliteQuery q(db.handle(), "SELECT ntid, ord, config FROM templates");
    while (q.step()) {
        const std::string config = q.text(2);
        types[q.integer(0)].templates[q.integer(1)] = {protoString(config, 1, nullptr),
                                                       protoString(config, 2, nullptr)};
    }
    return types;
}

std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

bool blank(std::string_view html) {
    const HtmlText t = htmlText(html);
    return t.text.empty() && t.pictures.empty() && html.find("[sound:") == std::string::npos;
}

std::string trimmedName(std::string_view s) {
    const std::size_t a = s.find_first_not_of(' ');
    if (a == std::string_view::npos) return {};
    return std::string(s.substr(a, s.find_last_not_of(' ') - a + 1));
}

// Renders Anki's template language as far as the standard note types use it: fields,
// filters (the field is the last name), sections {{#F}} / {{^F}}, {{FrontSide}} (left
// out: the answer shows without the question), {{type:F}} (noted, shown as nothing).
class TemplateRender {
  public:
    explicit TemplateRender(const std::map<std::string, std::string>& fields) : fields_(fields) {}

    std::string render(std::string_view t, int depth = 0) {
        std::string out;
        std::size_t at = 0;
        while (at < t.size()) {
            const std::size_t open = t.find("{{", at);
            if (open == std::string_view::npos) break;
            const std::size_t close = t.find("}}", open + 2);
            if (close == std::string_view::npos) break;
            out.append(t.substr(at, open - at));
            const std::string tag = trimmedName(t.substr(open + 2, close - open - 2));
            at = close + 2;
            if (!tag.empty() && (tag[0] == '#' || tag[0] == '^') && depth < 16) {
                const std::string name = trimmedName(tag.substr(1));
                const std::string end = "{{/" + name + "}}";
                const std::size_t endAt = t.find(end, at);
                if (endAt == std::string_view::npos) continue;
                const bool shown = !blank(field(name)) == (tag[0] == '#');
                if (shown) out += render(t.substr(at, endAt - at), depth + 1);
                at = endAt + end.size();
                continue;
            }
            if (tag.starts_with("type:")) {
                typed = tag.substr(tag.rfind(':') + 1);
                continue;
            }
            const std::size_t colon = tag.rfind(':');
            out += field(colon == std::string::npos ? tag : tag.substr(colon + 1));
        }
        out.append(t.substr(std::min(at, t.size())));
        return out;
    }

    std::string typed;  // the field {{type:...}} asks for

  private:
    std::string field(const std::string& name) const {
        const auto found = fields_.find(name);
        return found == fields_.end() ? std::string() : found->second;
    }
    const std::map<std::string, std::string>& fields_;
};

// What follows the answer rule Anki's back templates put below {{FrontSide}}.
std::string_view belowAnswerRule(std::string_view html) {
    for (std::string_view rule : {"<hr id=answer>", "<hr id=\"answer\">"}) {
        const std::size_t at = html.find(rule);
        if (at != std::string_view::npos) return html.substr(at + rule.size());
    }
    return html;
}

// The cloze deletions {{cN::text::hint}} of a field for card N: the question hides them,
// the answer shows them, the deleted texts are the answers to type.
struct Cloze {
    std::string question;
    std::string answer;
    std::vector<std::string> deleted;
};

Cloze clozeFor(std::string_view html, std::int64_t number) {
    Cloze c;
    std::size_t at = 0;
    while (at < html.size()) {
        const std::size_t open = html.find("{{c", at);
        const std::size_t close = open == std::string_view::npos ? open : html.find("}}", open);
        std::size_t digits = open == std::string_view::npos ? 0 : open + 3;
        while (digits < html.size() && open != std::string_view::npos && html[digits] >= '0' &&
               html[digits] <= '9') {
            ++digits;
        }
        if (open == std::string_view::npos || close == std::string_view::npos ||
            digits == open + 3 || html.substr(digits, 2) != "::" || digits + 2 > close) {
            const std::size_t stop = open == std::string_view::npos ? html.size() : open + 1;
            c.question.append(html.substr(at, stop - at));
            c.answer.append(html.substr(at, stop - at));
            at = stop;
            continue;
        }
        c.question.append(html.substr(at, open - at));
        c.answer.append(html.substr(at, open - at));
        std::int64_t n = 0;
        for (std::size_t i = open + 3; i < digits && n < 1000000; ++i) n = n * 10 + (html[i] - '0');
        std::string_view body = html.substr(digits + 2, close - digits - 2);
        std::string_view hint;
        if (const std::size_t sep = body.find("::"); sep != std::string_view::npos) {
            hint = body.substr(sep + 2);
            body = body.substr(0, sep);
        }
        if (n == number) {
            c.question += "[" + (hint.empty() ? std::string("...") : std::string(hint)) + "]";
            c.deleted.push_back(htmlText(body).text);
        } else {
            c.question.append(body);
        }
        c.answer.append(body);
        at = close + 2;
    }
    return c;
}

std::string clozeFieldName(const NoteType& type) {
    for (const auto& [ord, formats] : type.templates) {
        const std::size_t at = formats.first.find("{{cloze:");
        if (at == std::string::npos) continue;
        const std::size_t end = formats.first.find("}}", at);
        if (end != std::string::npos)
            return trimmedName(formats.first.substr(at + 8, end - at - 8));
    }
    return type.fields.empty() ? std::string() : type.fields[0];
}

std::string joined(const std::vector<std::string>& parts, std::string_view with) {
    std::string out;
    for (const std::string& p : parts) {
        if (p.empty()) continue;
        if (!out.empty()) out += with;
        out += p;
    }
    return out;
}

}  // namespace

ForeignDeck readAnkiCollection(std::string database) {
    ForeignDeck deck;
    SqliteMemory db(std::move(database));
    const bool anki = db.ok() && db.hasTable("notes") && db.hasTable("cards") &&
                      db.hasColumn("notes", "flds") && db.hasColumn("cards", "ord");
    if (!anki) {
        deck.problem = "The Anki Collection In The Package Is Not A Database Anki Wrote.";
        return deck;
    }
    const NoteTypes types = db.hasTable("notetypes") ? newerNoteTypes(db) : legacyNoteTypes(db);
    SqliteQuery q(db.handle(),
                  "SELECT n.id, n.mid, n.flds, n.tags, c.ord FROM cards c JOIN notes n ON "
                  "n.id = c.nid ORDER BY n.id, c.ord");
    std::int64_t lastNote = 0;
    bool first = true;
    std::int32_t number = 0;
    while (q.step()) {
        const std::int64_t noteId = q.integer(0);
        const bool newNote = first || noteId != lastNote;
        first = false;
        lastNote = noteId;
        const std::vector<std::string> values = split(q.text(2), '\x1f');
        const auto typeAt = types.find(q.integer(1));
        const NoteType empty;
        const NoteType& type = typeAt == types.end() ? empty : typeAt->second;
        const std::int64_t ord = q.integer(4);
        std::map<std::string, std::string> fields;
        for (std::size_t i = 0; i < values.size() && i < type.fields.size(); ++i) {
            fields[type.fields[i]] = values[i];
        }

        ForeignCard card;
        if (type.cloze) {
            const std::string clozeName = clozeFieldName(type);
            Cloze cloze = clozeFor(fields[clozeName], ord + 1);
            if (cloze.deleted.empty()) continue;
            std::string extra;
            for (std::size_t i = 0; i < values.size() && i < type.fields.size(); ++i) {
                if (type.fields[i] != clozeName && !blank(values[i])) extra += "<br>" + values[i];
            }
            card.question = sideFromHtml(cloze.question);
            card.answer = sideFromHtml(cloze.answer + extra);
            card.fillIn = {joined(cloze.deleted, ", ")};
        } else if (type.name.starts_with("Basic") && type.templates.contains(ord)) {
            const auto& [front, back] = type.templates.at(ord);
            TemplateRender render(fields);
            card.question = sideFromHtml(render.render(front));
            card.answer = sideFromHtml(belowAnswerRule(render.render(back)));
            if (!render.typed.empty()) {
                const std::string typed = htmlText(fields[render.typed]).text;
                if (!typed.empty()) card.fillIn = {typed};
            }
        } else {
            // A note type of its own: one pair per note, the first field asks, the rest answers.
            if (!newNote || values.empty()) continue;
            card.question = sideFromHtml(values[0]);
            std::string rest;
            for (std::size_t i = 1; i < values.size(); ++i) {
                if (!blank(values[i])) rest += (rest.empty() ? "" : "<br>") + values[i];
            }
            card.answer = sideFromHtml(rest);
        }
        const ForeignSide& qs = card.question;
        if (qs.text.empty() && qs.picture.empty() && qs.sound.empty()) continue;
        card.number = ++number;
        for (std::string& tag : split(q.text(3), ' ')) {
            if (!tag.empty()) card.tags.push_back(std::move(tag));
        }
        deck.cards.push_back(std::move(card));
    }
    if (q.failed()) deck.problem = "The Anki Collection In The Package Is Damaged.";
    return deck;
}

ForeignSide sideFromHtml(std::string_view html) {
    ForeignSide side;
    std::string rest;
    std::size_t at = 0;
    for (;;) {
        const std::size_t open = html.find("[sound:", at);
        const std::size_t close = open == std::string_view::npos ? open : html.find(']', open);
        if (close == std::string_view::npos) break;
        rest.append(html.substr(at, open - at));
        if (side.sound.empty()) side.sound = html.substr(open + 7, close - open - 7);
        at = close + 1;
    }
    rest.append(html.substr(at));
    HtmlText text = htmlText(rest);
    side.text = std::move(text.text);
    if (!text.pictures.empty()) side.picture = std::move(text.pictures.front());
    if (side.sound.empty() && !text.sounds.empty()) side.sound = std::move(text.sounds.front());
    return side;
}

}  // namespace cardwise
