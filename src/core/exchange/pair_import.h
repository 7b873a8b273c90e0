#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/exchange/delimited_text.h"

namespace cardwise {

struct Program;

// A category name as typed may be this long (the editor's category list keeps as much).
inline constexpr std::size_t kMaxImportedCategoryChars = 15;
inline constexpr std::size_t kMaxCategories = 100;
// Files larger than this hold more than any deck can take: a full deck's 5000 pairs of
// below 2100 characters, every one a character of three UTF-8 bytes, export to 31.3 MB.
inline constexpr std::uint64_t kMaxImportFileBytes = 32ull << 20;

// What an import must fit beside: the pairs and categories a deck already holds.
struct DeckContents {
    std::int32_t pairCount = 0;
    std::vector<std::string> categories;  // CategoryName of every pair that has one
};

// The pairs and categories of a Q&A file's bytes: every question line counts, also beyond
// the 5000 a load takes, so that an import never pushes a deck further past the limit.
DeckContents deckContentsOf(std::string_view qaBytes);

// One imported row as the deck stores it (Windows-1252, in the pair markup), without the
// "Q<n>=" and "A<n>=" that its place in the deck gives it.
struct ImportedPair {
    std::int32_t line = 0;  // where its row starts in the imported file
    std::string question;
    std::string answer;
};

// How the question and answer columns of a file hold the texts: as typed (plain), or as
// a Q&A file stores each side, tags and marks included (markup). A markup file starts with
// the header "question markup", "answer markup"[, "category"].
enum class ColumnForm { Plain, Markup };

inline constexpr std::string_view kPlainHeader[] = {"question", "answer", "category"};
inline constexpr std::string_view kMarkupHeader[] = {"question markup", "answer markup",
                                                     "category"};

// A row's texts as the deck stores them, or why it cannot be stored.
struct StoredRow {
    ImportedPair pair;
    std::optional<std::string> problem;
};

// The question, answer and category of one row, already in the deck's character set, as
// the deck would store them. Plain: the texts go through EncodeMarks (line breaks, "^"
// and "<" read back as typed). Markup: each side must read without a markup fault and
// hold no line break. Either way the category becomes the "<NAM>" tag at the front of the
// question, as the editor writes it, and "$#$!" may stand in no side. The limits of the
// deck (pairs, length, categories) are not looked at here.
StoredRow storedRow(ColumnForm form, std::string_view question, std::string_view answer,
                    std::string_view category);

// The stored question side with the category tag put in front as the editor puts it:
// directly before a tag, else followed by "%" when a text follows.
std::string withCategoryTag(std::string_view category, std::string_view question);

// A picture or sound of another program's card, written beside the deck with the pairs
// (into the deck's graphics or sound folder when its settings use one) under this name,
// or under a fresh one when another file holds the name already.
struct ImportedMedia {
    std::string name;
    std::string bytes;
    bool picture = true;
};

struct ImportPlan {
    std::vector<ImportedPair> pairs;
    std::vector<ImportedMedia> media;    // named by the pairs' picture and sound tags
    std::optional<TextProblem> problem;  // set: nothing may be written
};

// Reads a UTF-8 tab- or comma-separated file of question, answer and an optional category
// (a first row "question, answer[, category]" in any letter case is a header, and so is
// the markup header) into pair texts through storedRow, row by row, and stops at the first
// row the deck cannot take. Blank rows are skipped. Under a header (a file Cardwise
// exported) the "'" that guards a text against spreadsheet formulas is taken off again
// (withoutFormulaGuard). The problem is that row: a character outside Windows-1252, a
// problem storedRow finds (among them a question that would be cut or misread because it
// holds "$#$!" or "<n" that the category lookup would take for a tag, a category that is
// too long or holds '<' or '%', a markup fault), a pair that would not stay below 2100
// characters once numbered (the number counted as four digits), the 5001st pair or the
// 101st category of the deck, or a row the file cannot be read on from.
ImportPlan planImport(std::string_view fileBytes, const DeckContents& deck);

// The first of the pairs a deck holding `deck` cannot take: the 5001st pair or the 101st
// category, told at the pair's line.
std::optional<TextProblem> fitIntoDeck(const std::vector<ImportedPair>& pairs,
                                       const DeckContents& deck);

// The Q&A file with the pairs appended after its last line, numbered on from the pairs it
// holds; every byte it had stays as it was (a last line without an end gets CR LF).
std::string appendedQAFile(std::string_view qaBytes, std::int32_t pairCount,
                           const std::vector<ImportedPair>& pairs);

// The setup data file with the status lines of `added` new pairs (LastDate today, every
// other field 0) put where the load takes them: right after the status line of the deck's
// last pair. Pairs of the deck without a status line get the same new-pair line first, as
// the load would give them. Every other byte stays as it was.
std::string appendedSetupFile(std::string_view setupBytes, std::int32_t pairCount,
                              std::int32_t added, std::int32_t today);

// The Q&A file of a new deck holding the pairs.
std::string newDeckQAFile(const std::vector<ImportedPair>& pairs);

struct ImportResult {
    std::string deckPath;  // the deck written, with the extension it was given
    bool newDeck = false;
    std::int32_t pairsAdded = 0;
    std::optional<TextProblem> problem;  // set: nothing was written
    bool ok() const { return !problem; }
};

// Imports the file at sourcePath into the deck at deckPath: appended to it when the deck
// exists, else into a new deck (".DKS" added to a name without an extension) whose setup
// data file holds the current settings with the range of a new deck and a new-pair status
// line per pair. Both files are written together or not at all. The file is read once, row
// by row, after the deck; a file larger than kMaxImportFileBytes, or anything but a
// regular file, is not read at all. A file is told by its content: an Anki package or
// collection, a Mnemosyne database or a KWordQuiz vocabulary (foreign_deck.h) gives the
// pairs planForeignDeck makes of its cards, with their pictures and sounds; any other file
// is read as text (planImport). The open deck of the program is not looked at: the
// caller closes it first when it is this deck.
ImportResult importPairs(Program& program, const std::string& sourcePath,
                         const std::string& deckPath);

// The pairs of the file to import as an empty deck would take them, or its first problem
// that holds for every deck (it cannot be read, or a row that not even an empty deck could
// take). Read once: importPlannedPairs then adds the pairs without reading the file again.
ImportPlan planImportFile(Program& program, const std::string& sourcePath);
// The caption of the progress the reading of the file shows.
inline constexpr std::string_view kImportProgressCaption = "Reading The File To Import";

// importPairs for pairs planImportFile read: the deck's own limits are checked first
// (fitIntoDeck).
// The media go with the pairs: all files are written together or none is.
ImportResult importPlannedPairs(Program& program, const std::vector<ImportedPair>& pairs,
                                const std::string& deckPath,
                                const std::vector<ImportedMedia>& media = {});

// The pairs with every picture and sound tag naming a key of `renamed` naming its value.
std::vector<ImportedPair> withMediaRenamed(std::vector<ImportedPair> pairs,
                                           const std::map<std::string, std::string>& renamed);

// The problem as told to the user: "Line 12 Of cards.csv: ..." for a row ("Card 3 Of
// deck.apkg: ..." for another program's card), then that nothing
// was imported.
std::string importProblemText(const std::string& sourcePath, const TextProblem& problem);

}  // namespace cardwise
