#include "core/profile/profile.h"

#include <cctype>
#include <limits>
#include <set>

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
    std::string digits = std::to_string(value);
    if (digits.size() < width) digits.insert(0, width - digits.size(), ' ');
    return digits;
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

std::string indexName(std::string_view section, std::string_view key) {
    std::string name;
    name.reserve(section.size() + key.size() + 1);
    for (char c : section) name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    name += '\0';
    for (char c : key) name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

}  // namespace

void Profile::buildIndex() const {
    index_.clear();
    std::set<std::string> seen;
    std::optional<std::string> section;  // none: before the first or in a repeated section
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view text = lines_[i].text;
        if (auto name = sectionName(text)) {
            std::string lower = indexName(*name, "");
            section = seen.insert(lower).second ? std::optional(*name) : std::nullopt;
            continue;
        }
        if (!section) continue;
        const std::size_t eq = text.find('=');
        if (eq == std::string_view::npos) continue;
        index_.emplace(indexName(*section, trim(text.substr(0, eq))), i);
    }
    indexed_ = true;
}

std::optional<std::size_t> Profile::lookUp(std::string_view section, std::string_view key) const {
    if (!indexed_) buildIndex();
    auto found = index_.find(indexName(section, key));
    if (found == index_.end()) return std::nullopt;
    return found->second;
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
        index_.emplace(indexName(trim(section), trim(key)), lines_.size() - 1);
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
    for (auto& entry : index_) entry.second += entry.second >= at ? 1 : 0;
    index_.emplace(indexName(trim(section), trim(key)), at);
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

FileResult ProfileFile::flushWith(std::vector<FileWrite> alongside) {
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
    FileResult result = files_ != nullptr ? files_->writeFiles(alongside)
                                          : FileResult::failure("No file system to write to");
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
