#include "core/profile/profile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>

namespace cardwise {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (isBlank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// The section named by a "[name]" line, or nullopt for any other line.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    std::size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim(line.substr(1, close - 1));
}

}  // namespace

std::string_view oneLine(std::string_view text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string rightAligned(std::int64_t value, std::size_t width) {
    char digits[24];
    const auto count =
        static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
    std::string text(std::max(width, count) - count, ' ');
    text.append(digits, count);
    return text;
}

std::int32_t parseProfileInt(std::string_view text) {
    text = trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
        if (value > limit) value = limit;  // clamp, never wrap
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) {
        value = std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(value);
}

Profile Profile::fromBytes(std::string_view bytes) {
    Profile profile;
    profile.assign(bytes);
    return profile;
}

void Profile::assign(std::string_view bytes) {
    forgetIndex();
    lines_.clear();
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t nl = bytes.find('\n', pos);
        Line line;
        if (nl == std::string_view::npos) {
            line.text = std::string(bytes.substr(pos));
            pos = bytes.size();
        } else {
            std::string_view piece = bytes.substr(pos, nl - pos);
            if (!piece.empty() && piece.back() == '\r') {
                piece.remove_suffix(1);
                line.end = "\r\n";
            } else {
                line.end = "\n";
            }
            line.text = std::string(piece);
            pos = nl + 1;
        }
        lines_.push_back(std::move(line));
    }
}

std::string Profile::bytes() const {
    std::string out;
    std::size_t total = 0;
    for (const auto& line : lines_) total += line.text.size() + line.end.size();
    out.reserve(total);
    for (const auto& line : lines_) {
        out += line.text;
        out += line.end;
    }
    return out;
}

std::optional<Profile::Span> Profile::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto name = sectionName(lines_[i].text);
        if (!name || !equalsIgnoreCase(*name, section)) continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && !sectionName(lines_[end].text)) ++end;
        return Span{i, end};
    }
    return std::nullopt;
}

namespace {

// Case-blind like equalsIgnoreCase, so that names it takes for equal hash alike.
std::uint64_t nameHash(std::string_view section, std::string_view key) {
    std::uint64_t hash = 14695981039346656037ULL;
    auto mix = [&hash](char c) {
        hash ^= static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
        hash *= 1099511628211ULL;
    };
    for (char c : section) mix(c);
    mix('\0');
    for (char c : key) mix(c);
    return hash;
}

std::string_view keyOf(std::string_view line) {
    return trim(line.substr(0, line.find('=')));
}

}  // namespace

void Profile::growIndex() const {
    std::vector<IndexSlot> old(std::max<std::size_t>(16, index_.size() * 2), IndexSlot{});
    old.swap(index_);
    const std::size_t mask = index_.size() - 1;
    for (const IndexSlot& slot : old) {
        if (slot.line == 0) continue;
        std::size_t at = slot.hash & mask;
        while (index_[at].line != 0) at = (at + 1) & mask;
        index_[at] = slot;
    }
}

std::size_t Profile::slotOf(std::uint64_t hash, std::string_view section,
                            std::string_view key) const {
    const std::size_t mask = index_.size() - 1;
    std::size_t at = hash & mask;
    for (; index_[at].line != 0; at = (at + 1) & mask) {
        const IndexSlot& slot = index_[at];
        if (slot.hash == hash && equalsIgnoreCase(keyOf(lines_[slot.line].text), key) &&
            equalsIgnoreCase(*sectionName(lines_[slot.header].text), section)) {
            break;
        }
    }
    return at;
}

void Profile::indexKey(std::string_view section, std::string_view key, std::size_t line,
                       std::size_t header) const {
    if ((indexedKeys_ + 1) * 4 > index_.size() * 3) growIndex();
    const std::uint64_t hash = nameHash(section, key);
    IndexSlot& slot = index_[slotOf(hash, section, key)];
    if (slot.line != 0) return;
    slot = IndexSlot{hash, line, header};
    ++indexedKeys_;
}

void Profile::buildIndex() const {
    std::size_t slots = 16;
    while (slots * 3 < lines_.size() * 4) slots *= 2;
    index_.assign(slots, IndexSlot{});
    indexedKeys_ = 0;
    std::vector<std::string_view> seen;
    std::optional<std::size_t> header;  // none: before the first or in a repeated section
    std::string_view section;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view text = lines_[i].text;
        if (auto name = sectionName(text)) {
            const bool repeated = std::any_of(seen.begin(), seen.end(), [&](std::string_view s) {
                return equalsIgnoreCase(s, *name);
            });
            header = repeated ? std::nullopt : std::optional(i);
            if (!repeated) seen.push_back(section = *name);
            continue;
        }
        if (!header) continue;
        const std::size_t eq = text.find('=');
        if (eq == std::string_view::npos) continue;
        indexKey(section, trim(text.substr(0, eq)), i, *header);
    }
    indexed_ = true;
}

std::optional<std::size_t> Profile::lookUp(std::string_view section, std::string_view key) const {
    if (!indexed_) buildIndex();
    const std::size_t line = index_[slotOf(nameHash(section, key), section, key)].line;
    if (line == 0) return std::nullopt;
    return line;
}

bool Profile::hasKey(std::string_view section, std::string_view key) const {
    return lookUp(section, key).has_value();
}

std::string Profile::readString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    auto index = lookUp(section, key);
    if (!index) return std::string(defaultValue);
    std::string_view text = lines_[*index].text;
    return std::string(trim(text.substr(text.find('=') + 1)));
}

std::int32_t Profile::readInt(std::string_view section, std::string_view key,
                              std::int32_t defaultValue) const {
    auto index = lookUp(section, key);
    if (!index) return defaultValue;
    std::string_view text = lines_[*index].text;
    return parseProfileInt(text.substr(text.find('=') + 1));
}

void Profile::terminateLastLine() {
    if (!lines_.empty() && lines_.back().end.empty()) lines_.back().end = "\r\n";
}

void Profile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    // A line break would end the line early and make the rest a line of its own.
    section = oneLine(section);
    key = oneLine(key);
    value = oneLine(value);
    std::string text = std::string(key) + "=" + std::string(value);
    // A key that is there keeps its line: the index stays as it is.
    if (auto index = lookUp(section, key)) {
        lines_[*index].text = std::move(text);
        return;
    }
    auto span = findSection(section);
    if (!span) {
        terminateLastLine();
        lines_.push_back(Line{"[" + std::string(section) + "]", "\r\n"});
        lines_.push_back(Line{std::move(text), "\r\n"});
        indexKey(trim(section), trim(key), lines_.size() - 1, lines_.size() - 2);
        return;
    }
    std::size_t at = span->end;
    if (newKeysBefore_) {
        for (std::size_t i = span->header + 1; i < span->end; ++i) {
            if (newKeysBefore_(lines_[i].text)) {
                at = i;
                break;
            }
        }
    }
    if (at == span->end) {
        while (at > span->header + 1 && trim(lines_[at - 1].text).empty()) --at;
    }
    if (at == lines_.size()) terminateLastLine();
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), "\r\n"});
    // The lines below moved down one; a rebuild would cost a walk of every status line per
    // new key.
    for (IndexSlot& slot : index_) {
        if (slot.line == 0) continue;
        slot.line += slot.line >= at ? 1 : 0;
        slot.header += slot.header >= at ? 1 : 0;
    }
    indexKey(trim(section), trim(key), at, span->header);
}

void Profile::appendLine(std::string_view text) {
    forgetIndex();
    terminateLastLine();
    lines_.push_back(Line{std::string(text), "\r\n"});
}

void ProfileFile::ensureLoaded() const {
    if (loaded_) return;
    loaded_ = true;
    if (!bound()) return;
    // Stamped before reading: a change made while the file is read shows as a change.
    stamp_ = files_->stamp(path_);
    auto bytes = files_->readFile(path_);
    unreadable_ = !bytes && files_->fileExists(path_);
    profile_.assign(bytes ? *bytes : std::string());
    onDisk_ = std::move(bytes);
}

bool ProfileFile::changedOnDisk() const {
    ensureLoaded();
    return bound() && files_->stamp(path_) != stamp_;
}

void ProfileFile::reload() {
    loaded_ = false;
    dirty_ = false;
}

const Profile& ProfileFile::read() const {
    ensureLoaded();
    return profile_;
}

Profile& ProfileFile::edit() {
    ensureLoaded();
    dirty_ = true;
    return profile_;
}

FileResult ProfileFile::write(std::vector<FileWrite> alongside, bool lazily) {
    const bool write = dirty_ && bound();
    if (write && unreadable_) return FileResult::failure("The file could not be read");
    std::string bytes;
    if (write) {
        bytes = profile_.bytes();
        if (onDisk_ && *onDisk_ == bytes) {
            dirty_ = false;
        } else {
            alongside.insert(alongside.begin(), FileWrite{path_, bytes});
        }
    }
    if (alongside.empty()) return {};
    FileResult result = files_ == nullptr ? FileResult::failure("No file system to write to")
                        : lazily          ? files_->writeFilesLazily(alongside)
                                          : files_->writeFiles(alongside);
    if (result.ok) {
        dirty_ = false;
        if (write) {
            onDisk_ = std::move(bytes);
            stamp_ = files_->stamp(path_);
        }
    }
    return result;
}

}  // namespace cardwise
