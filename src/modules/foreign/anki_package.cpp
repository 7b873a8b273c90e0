// Anki packages (.apkg, .colpkg): a ZIP archive holding the collection (SQLite; in the
// newer form compressed with zstd), a "media" map from the archive's numbered entries to
// the file names the cards use, and those entries.
#include <zip.h>
#include <zstd.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "modules/foreign/foreign_readers.h"
#include "modules/foreign/sqlite_memory.h"

namespace cardwise {
namespace {

constexpr std::string_view kZstdMagic{"\x28\xB5\x2F\xFD", 4};

struct ZipClose {
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct ZipFileClose {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};

// Reads the archive's entries with a budget that the inflated bytes of all of them share,
// counted as they come out, not as the archive claims.
class ZipReader {
  public:
    explicit ZipReader(std::string_view bytes) {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
        if (source) {
            archive_.reset(zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error));
            if (!archive_) zip_source_free(source);
        }
        zip_error_fini(&error);
    }

    bool ok() const { return archive_ != nullptr; }
    bool overBudget() const { return overBudget_; }
    bool has(const std::string& name) const {
        return zip_name_locate(archive_.get(), name.c_str(), 0) >= 0;
    }

    // The entry's bytes, or nothing when it is missing, broken or over the budget.
    std::optional<std::string> read(const std::string& name) {
        const zip_int64_t index = zip_name_locate(archive_.get(), name.c_str(), 0);
        if (index < 0) return std::nullopt;
        std::unique_ptr<zip_file_t, ZipFileClose> file(
            zip_fopen_index(archive_.get(), static_cast<zip_uint64_t>(index), 0));
        if (!file) return std::nullopt;
        std::string out;
        char buffer[1 << 16];
        for (;;) {
            const zip_int64_t got = zip_fread(file.get(), buffer, sizeof buffer);
            if (got < 0) return std::nullopt;
            if (got == 0) break;
            if (used_ + static_cast<std::uint64_t>(got) > kMaxForeignInflatedBytes) {
                overBudget_ = true;
                return std::nullopt;
            }
            used_ += static_cast<std::uint64_t>(got);
            out.append(buffer, static_cast<std::size_t>(got));
        }
        return out;
    }

    // A zstd frame inside an entry, inflated from the same budget.
    std::optional<std::string> inflate(std::string_view compressed) {
        std::unique_ptr<ZSTD_DStream, decltype(&ZSTD_freeDStream)> stream(ZSTD_createDStream(),
                                                                          ZSTD_freeDStream);
        if (!stream) return std::nullopt;
        ZSTD_initDStream(stream.get());
        std::string out;
        ZSTD_inBuffer in{compressed.data(), compressed.size(), 0};
        std::string buffer(ZSTD_DStreamOutSize(), '\0');
        std::size_t last = 1;
        while (in.pos < in.size || last != 0) {
            ZSTD_outBuffer o{buffer.data(), buffer.size(), 0};
            const std::size_t before = in.pos;
            last = ZSTD_decompressStream(stream.get(), &o, &in);
            if (ZSTD_isError(last)) return std::nullopt;
            if (used_ + o.pos > kMaxForeignInflatedBytes) {
                overBudget_ = true;
                return std::nullopt;
            }
            used_ += o.pos;
            out.append(buffer.data(), o.pos);
            // Input used up in the middle of a frame: the entry was cut short.
            if (in.pos == in.size && o.pos == 0 && before == in.pos && last != 0) {
                return std::nullopt;
            }
        }
        return out;
    }

  private:
    std::unique_ptr<zip_t, ZipClose> archive_;
    std::uint64_t used_ = 0;
    bool overBudget_ = false;
};

// The few pieces of the protobuf wire format the media map uses.
class WireReader {
  public:
    explicit WireReader(std::string_view bytes) : bytes_(bytes) {}
    bool done() const { return at_ >= bytes_.size(); }

    std::optional<std::uint64_t> varint() {
        std::uint64_t value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (at_ >= bytes_.size()) return std::nullopt;
            const auto byte = static_cast<unsigned char>(bytes_[at_++]);
            value |= std::uint64_t{byte & 0x7Fu} << shift;
            if ((byte & 0x80u) == 0) return value;
        }
        return std::nullopt;
    }

    // A field: its number and wire type; a length-delimited one also its bytes.
    struct Field {
        std::uint64_t number = 0;
        std::uint64_t value = 0;
        std::string_view bytes;
    };
    std::optional<Field> field() {
        const std::optional<std::uint64_t> key = varint();
        if (!key) return std::nullopt;
        Field f;
        f.number = *key >> 3;
        switch (*key & 7) {
            case 0: {
                const auto v = varint();
                if (!v) return std::nullopt;
                f.value = *v;
                return f;
            }
            case 1:
                return skip(8, f);
            case 5:
                return skip(4, f);
            case 2: {
                const auto length = varint();
                if (!length || *length > bytes_.size() - at_) return std::nullopt;
                f.bytes = bytes_.substr(at_, *length);
                at_ += *length;
                return f;
            }
            default:
                return std::nullopt;
        }
    }

  private:
    std::optional<Field> skip(std::size_t n, Field f) {
        if (n > bytes_.size() - at_) return std::nullopt;
        at_ += n;
        return f;
    }
    std::string_view bytes_;
    std::size_t at_ = 0;
};

// MediaEntries { repeated MediaEntry entries = 1; } with MediaEntry { string name = 1;
// ...; optional uint32 legacy_zip_filename = 255; }: entry i is stored as "i".
std::optional<std::map<std::string, std::string>> protobufMediaMap(std::string_view bytes) {
    std::map<std::string, std::string> map;
    WireReader entries(bytes);
    std::uint64_t index = 0;
    while (!entries.done()) {
        const auto entry = entries.field();
        if (!entry) return std::nullopt;
        if (entry->number != 1) continue;
        WireReader fields(entry->bytes);
        std::string name;
        std::uint64_t zipName = index++;
        while (!fields.done()) {
            const auto f = fields.field();
            if (!f) return std::nullopt;
            if (f->number == 1) name.assign(f->bytes);
            if (f->number == 255) zipName = f->value;
        }
        map[std::to_string(zipName)] = std::move(name);
    }
    return map;
}

// The legacy map is JSON {"0": "name.jpg", ...}; SQLite's JSON functions read it.
std::optional<std::map<std::string, std::string>> jsonMediaMap(std::string_view json) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return std::nullopt;
    }
    std::map<std::string, std::string> map;
    bool ok = false;
    {
        SqliteQuery q(db, "SELECT key, value FROM json_each(?) WHERE json_valid(?)");
        q.bind(1, json);
        q.bind(2, json);
        while (q.step()) map[q.text(0)] = q.text(1);
        ok = !q.failed();
    }
    sqlite3_close(db);
    if (!ok) return std::nullopt;
    return map;
}

ForeignDeck refusal(std::string text) {
    ForeignDeck deck;
    deck.problem = std::move(text);
    return deck;
}

}  // namespace

ForeignDeck readAnkiPackage(std::string_view zipBytes) {
    ZipReader zip(zipBytes);
    if (!zip.ok()) {
        return refusal("The File Is A Broken ZIP Archive; Nothing Could Be Read From It.");
    }
    const char* const kCollections[] = {"collection.anki21b", "collection.anki21",
                                        "collection.anki2"};
    std::string collectionName;
    for (const char* name : kCollections) {
        if (zip.has(name)) {
            collectionName = name;
            break;
        }
    }
    if (collectionName.empty()) {
        return refusal(
            "The File Is A ZIP Archive But Not An Anki Package: It Holds No Anki Collection.");
    }
    const std::string kTooLarge =
        "The Anki Package Unpacks To More Than 256 MB, More Than Any Deck Can Hold.";
    const std::string kBroken =
        "The Anki Package Is Broken: Its " + collectionName + " Could Not Be Unpacked.";
    std::optional<std::string> collection = zip.read(collectionName);
    const bool compressed = collection && std::string_view(*collection).starts_with(kZstdMagic);
    if (collection && compressed) collection = zip.inflate(*collection);
    if (!collection) return refusal(zip.overBudget() ? kTooLarge : kBroken);

    std::map<std::string, std::string> names;
    if (std::optional<std::string> map = zip.read("media")) {
        if (std::string_view(*map).starts_with(kZstdMagic)) map = zip.inflate(*map);
        std::optional<std::map<std::string, std::string>> read;
        if (map) {
            const bool json = map->find_first_not_of(" \t\r\n") == std::string::npos ||
                              (*map)[map->find_first_not_of(" \t\r\n")] == '{';
            read = json ? jsonMediaMap(*map) : protobufMediaMap(*map);
        }
        if (!read) {
            return refusal(zip.overBudget() ? kTooLarge
                                            : "The Anki Package Is Broken: Its List Of Media "
                                              "Files Could Not Be Read.");
        }
        names = std::move(*read);
    }
    // Only the media the cards use are read (below); the archive's map says where each is.
    ForeignDeck deck = readAnkiCollection(std::move(*collection));
    if (deck.problem) return deck;
    std::map<std::string, std::string> entryOf;
    for (const auto& [entry, name] : names) entryOf[name] = entry;
    for (const ForeignCard& card : deck.cards) {
        for (const ForeignSide* side : {&card.question, &card.answer}) {
            for (const std::string* name : {&side->picture, &side->sound}) {
                if (name->empty() || deck.media.contains(*name)) continue;
                const auto found = entryOf.find(*name);
                if (found == entryOf.end()) continue;
                std::optional<std::string> bytes = zip.read(found->second);
                if (bytes && std::string_view(*bytes).starts_with(kZstdMagic)) {
                    bytes = zip.inflate(*bytes);
                }
                if (zip.overBudget()) return refusal(kTooLarge);
                if (!bytes) {
                    return refusal("The Anki Package Is Broken: The Media File \"" + *name +
                                   "\" Could Not Be Unpacked.");
                }
                deck.media[*name] = std::move(*bytes);
            }
        }
    }
    return deck;
}

}  // namespace cardwise
