#include "core/exchange/foreign_import.h"

#include <algorithm>
#include <set>

#include "core/content/marks.h"
#include "core/content/windows1252.h"
#include "core/deck/deck_state.h"

namespace cardwise {
namespace {

// "Q" + four digits + "=" on each side, and room for "-999" in each of four media names
// that may have to be renamed when they are written.
constexpr std::size_t kFraming = 2 * (1 + 4 + 1) + 4 * 4;
constexpr std::size_t kMaxTagChars = 300;
constexpr std::size_t kMaxFillIns = 6;

std::string lowered(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// UTF-8 card text in the deck's character set with CR LF line breaks, or the problem.
std::optional<std::string> deckText(std::string_view utf8, std::string_view what,
                                    std::string& out) {
    std::string text;
    for (char c : utf8) {
        if (c == '\n') {
            text += "\r\n";
        } else if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
            text += ' ';
        } else {
            text += c;
        }
    }
    DeckTextConversion converted = utf8ToWindows1252(text);
    if (!converted.ok())
        return std::string(what) + ": " + characterNotAllowedText(*converted.refused);
    out = std::move(converted.text);
    return std::nullopt;
}

bool fitsCategory(std::string_view name) {
    return !name.empty() && name.size() <= kMaxImportedCategoryChars &&
           name.find_first_of("<%\r\n ") == std::string_view::npos &&
           name.find(kPairSeparator) == std::string_view::npos;
}

bool fitsTag(std::string_view content) {
    return !content.empty() && content.size() <= kMaxTagChars &&
           content.find_first_of("<%\r\n") == std::string_view::npos;
}

class MediaNames {
  public:
    explicit MediaNames(const ForeignDeck& foreign, ImportPlan& plan)
        : foreign_(foreign), plan_(plan) {}

    // The safe name the pair uses for the file, empty when the file is not in the import.
    std::string use(const std::string& original, bool picture) {
        if (original.empty()) return {};
        const auto bytes = foreign_.media.find(original);
        if (bytes == foreign_.media.end()) return {};
        if (const auto known = given_.find(original); known != given_.end()) return known->second;
        std::string name = safeMediaName(original);
        const std::size_t dot = name.rfind('.');
        const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
        const std::string ext = dot == std::string::npos ? "" : name.substr(dot);
        for (int n = 2; taken_.contains(lowered(name)); ++n) {
            name = stem + "-" + std::to_string(n) + ext;
        }
        taken_.insert(lowered(name));
        given_[original] = name;
        plan_.media.push_back(ImportedMedia{name, bytes->second, picture});
        return name;
    }

  private:
    const ForeignDeck& foreign_;
    ImportPlan& plan_;
    std::map<std::string, std::string> given_;
    std::set<std::string> taken_;
};

}  // namespace

std::string safeMediaName(std::string_view name) {
    const std::size_t slash = name.find_last_of("/\\");
    if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
    std::string out;
    for (char c : name) {
        const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == '+' ||
                          c == ' ' || c == '(' || c == ')';
        out += keep ? c : '_';
    }
    while (!out.empty() && (out.front() == '.' || out.front() == ' ')) out.erase(0, 1);
    while (!out.empty() && (out.back() == '.' || out.back() == ' ')) out.pop_back();
    constexpr std::size_t kMax = 60;
    if (out.size() > kMax) {
        const std::size_t dot = out.rfind('.');
        const std::string ext =
            dot != std::string::npos && out.size() - dot <= 8 ? out.substr(dot) : "";
        out = out.substr(0, kMax - ext.size()) + ext;
    }
    if (out.empty() || out.front() == '.') out = "media" + out;
    return out;
}

ImportPlan planForeignDeck(const ForeignDeck& foreign, const DeckContents& deck) {
    ImportPlan plan;
    if (foreign.problem) {
        plan.problem = TextProblem{0, *foreign.problem};
        return plan;
    }
    MediaNames media(foreign, plan);
    for (const ForeignCard& card : foreign.cards) {
        auto fail = [&](std::string text) {
            plan.problem = TextProblem{card.number, std::move(text), foreign.unit};
            plan.media.clear();
            return plan;
        };
        std::string texts[2];
        if (auto p = deckText(card.question.text, "The Question", texts[0])) return fail(*p);
        if (auto p = deckText(card.answer.text, "The Answer", texts[1])) return fail(*p);
        std::vector<std::string> answers;
        for (const std::string& a : card.fillIn) {
            std::string converted;
            if (auto p = deckText(a, "The Answer To Fill In", converted)) return fail(*p);
            answers.push_back(std::move(converted));
        }
        // A blank whose answer cannot be a tag, or too many, leaves an ordinary pair.
        const bool fillIn = !answers.empty() && answers.size() <= kMaxFillIns &&
                            std::all_of(answers.begin(), answers.end(), fitsTag);
        std::string category;
        for (const std::string& tag : card.tags) {
            std::string converted;
            if (!deckText(tag, "", converted) && fitsCategory(converted)) {
                category = std::move(converted);
                break;
            }
        }
        std::string sides[2];
        const ForeignSide* from[2] = {&card.question, &card.answer};
        for (int i = 0; i < 2; ++i) {
            std::string& s = sides[i];
            if (fillIn && i == 0) s += "<FIB>";
            if (fillIn && i == 1) {
                for (std::size_t k = 0; k < answers.size(); ++k) {
                    s += "<MC" + std::to_string(k + 1) + ">" + answers[k];
                }
            }
            if (const std::string name = media.use(from[i]->sound, false); !name.empty()) {
                s += "<WAV>" + name;
            }
            if (const std::string name = media.use(from[i]->picture, true); !name.empty()) {
                s += "<BMP>" + name;
            }
            if (!texts[i].empty()) {
                if (!s.empty()) s += '%';
                s += encodedMarks(texts[i]);
            }
        }
        StoredRow stored = storedRow(ColumnForm::Markup, sides[0], sides[1], category);
        if (stored.problem) return fail(*stored.problem);
        const std::size_t size = kFraming + kPairSeparator.size() + stored.pair.question.size() +
                                 stored.pair.answer.size();
        if (size >= kMaxPairChars) {
            return fail("This Card Would Hold " + std::to_string(size) +
                        " Characters In The Deck (Markup Included); A Pair Must Stay Below 2100 "
                        "Characters");
        }
        stored.pair.line = card.number;
        plan.pairs.push_back(std::move(stored.pair));
    }
    if (plan.pairs.empty()) {
        plan.problem = TextProblem{0, "The File Holds No Cards To Import."};
    } else if ((plan.problem = fitIntoDeck(plan.pairs, deck))) {
        plan.media.clear();
    }
    return plan;
}

}  // namespace cardwise
