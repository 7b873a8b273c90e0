#include "core/exchange/pair_import.h"

#include <algorithm>
#include <set>

#include "core/deck/setup_keys.h"
#include "core/exchange/pair_import_steps.h"
#include "core/profile/profile.h"
#include "core/program.h"
#include "core/shell/deck_loader.h"
#include "core/shell/deck_new.h"

namespace cardwise {
namespace {

using namespace import_steps;

std::string writeFailureText(const std::vector<std::string>& paths, const FileResult& result) {
    std::string names;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (i > 0) names += " And ";
        names += paths[i];
    }
    return "Cardwise Could Not Write " + names + " (" + result.error + ").  " +
           (result.unchanged ? "The Files On Disk Were All Left As They Were."
                             : "Not Every Old File Could Be Put Back In Place; The Reason Above "
                               "Names Where It Is Kept.");
}

// The deck the pairs go to, as it was before they were added.
struct TargetDeck {
    std::string qaPath;
    std::string setupPath;
    bool isNew = false;
    std::string qaBytes;
    std::optional<std::string> setupBytes;
    DeckContents contents;
};

std::optional<TextProblem> readTargetDeck(const FileSystem& files, TargetDeck& deck) {
    const std::string& qaPath = deck.qaPath;
    const std::string& setupPath = deck.setupPath;
    if (!equalsIgnoreCase(extensionOf(qaPath), ".DKS")) {
        return fileProblem(qaPath +
                           " Does Not Have A .DKS Extension; Pairs Can Be Imported Only Into "
                           "A .DKS File.");
    }
    deck.isNew = !files.fileExists(qaPath);
    if (deck.isNew) {
        // A setup data file left behind by a deleted deck would hand its settings and
        // learning state to the new pairs.
        if (files.fileExists(setupPath)) {
            return fileProblem(setupPath +
                               " Already Exists Without Its .DKS File; Please Move It "
                               "Away Or Import Into Another Name.");
        }
        return std::nullopt;
    }
    if (files.isReadOnlyFile(qaPath) ||
        (files.fileExists(setupPath) && files.isReadOnlyFile(setupPath))) {
        return fileProblem(qaPath + " Is A Read-Only Deck; No Pairs Can Be Added To It.");
    }
    const std::optional<std::uint64_t> qaSize = files.fileSize(qaPath);
    if (qaSize && *qaSize > kMaxQAFileBytes)
        return fileProblem(qaPath + " Is Too Large To Be A Deck.");
    std::optional<std::string> read = qaSize ? files.readFile(qaPath) : std::nullopt;
    if (!read) return unreadable(qaPath);
    deck.qaBytes = std::move(*read);
    if (files.fileExists(setupPath)) {
        deck.setupBytes = files.readFile(setupPath);
        if (!deck.setupBytes) return unreadable(setupPath);
    }
    deck.contents = deckContentsOf(deck.qaBytes);
    return std::nullopt;
}

// The folder a deck's pictures or sounds go to: the one its settings name when they use
// one and it is there, else the deck's own.
std::string mediaFolder(Program& program, const TargetDeck& deck, bool picture) {
    std::int32_t use = 0;
    std::string folder;
    const char* useKey = picture ? "UseGraphicsDIR" : "UseSoundDIR";
    const char* folderKey = picture ? "GraphicsDIR" : "SoundDIR";
    if (deck.isNew) {
        use = picture ? program.settings.UseGraphicsDIR : program.settings.UseSoundDIR;
        folder = picture ? program.settings.GraphicsDIR : program.settings.SoundDIR;
    } else if (deck.setupBytes) {
        const Profile setup = Profile::fromBytes(*deck.setupBytes);
        use = setup.readInt(kSetupSection, useKey, 0);
        folder = setup.readString(kSetupSection, folderKey, "");
    }
    if (use == 1 && !folder.empty() && program.files().directoryExists(folder)) {
        if (folder.back() != '/' && folder.back() != '\\') folder += '/';
        return folder;
    }
    return folderOf(deck.qaPath);
}

// Where each medium goes: its planned name unless another file holds it (a file with the
// same bytes is taken as it is), then the first free "name-2.ext", "name-3.ext", ...
std::optional<TextProblem> placeMedia(Program& program, const TargetDeck& deck,
                                      const std::vector<ImportedMedia>& media,
                                      std::vector<FileWrite>& writes,
                                      std::map<std::string, std::string>& renamed) {
    const FileSystem& files = program.files();
    std::set<std::string> taken{lowered(deck.qaPath), lowered(deck.setupPath)};
    const std::string folders[2] = {mediaFolder(program, deck, false),
                                    mediaFolder(program, deck, true)};
    for (const ImportedMedia& m : media) {
        const std::string& folder = folders[m.picture ? 1 : 0];
        const std::size_t dot = m.name.rfind('.');
        const std::string stem = dot == std::string::npos ? m.name : m.name.substr(0, dot);
        const std::string ext = dot == std::string::npos ? "" : m.name.substr(dot);
        std::string name = m.name;
        bool same = false;
        for (int n = 2;; ++n) {
            const std::string path = folder + name;
            if (!taken.contains(lowered(path))) {
                if (!files.fileExists(path)) break;
                const std::optional<std::uint64_t> size = files.fileSize(path);
                if (size && *size == m.bytes.size() && files.readFile(path) == m.bytes) {
                    same = true;
                    break;
                }
            }
            if (n > 999) {
                return fileProblem("Cardwise Found No Free Name For The Media File " + m.name +
                                   " In " + folder + ".");
            }
            name = stem + "-" + std::to_string(n) + ext;
        }
        taken.insert(lowered(folder + name));
        if (name != m.name) renamed[m.name] = name;
        if (!same) writes.push_back(FileWrite{folder + name, m.bytes});
    }
    return std::nullopt;
}

void writeImport(Program& program, const TargetDeck& deck,
                 const std::vector<ImportedPair>& plannedPairs,
                 const std::vector<ImportedMedia>& media, ImportResult& result) {
    std::vector<FileWrite> mediaWrites;
    std::map<std::string, std::string> renamed;
    if ((result.problem = placeMedia(program, deck, media, mediaWrites, renamed))) return;
    const std::vector<ImportedPair> pairs =
        renamed.empty() ? plannedPairs : withMediaRenamed(plannedPairs, renamed);
    const auto added = static_cast<std::int32_t>(pairs.size());
    if (deck.isNew && added < 2) {
        // The settings of a deck need a range of at least two pairs.
        result.problem =
            fileProblem("A New Deck Needs At Least Two Pairs; The File Holds Only One.");
        return;
    }
    std::string newQA;
    std::string newSetup;
    if (deck.isNew) {
        newQA = newDeckQAFile(pairs);
        newSetup = newDeckSetupFile(program, added);
    } else {
        newQA = appendedQAFile(deck.qaBytes, deck.contents.pairCount, pairs);
        // Without a setup data file the next load makes one, every pair starting new.
        if (deck.setupBytes) {
            newSetup = appendedSetupFile(*deck.setupBytes, deck.contents.pairCount, added,
                                         program.deck.Today);
        }
    }
    std::vector<FileWrite> writes{FileWrite{deck.qaPath, newQA}};
    std::vector<std::string> paths{deck.qaPath};
    if (deck.isNew || deck.setupBytes) {
        writes.push_back(FileWrite{deck.setupPath, newSetup});
        paths.push_back(deck.setupPath);
    }
    for (FileWrite& w : mediaWrites) {
        paths.push_back(w.path);
        writes.push_back(std::move(w));
    }
    const FileResult written = program.files().writeFiles(writes);
    if (!written.ok) {
        result.problem = fileProblem(writeFailureText(paths, written));
        return;
    }
    result.pairsAdded = added;
}

TargetDeck targetDeckAt(ImportResult& result, const std::string& deckPath) {
    result.deckPath = withDefaultExtension(deckPath);
    TargetDeck deck;
    deck.qaPath = result.deckPath;
    deck.setupPath = setupNameOf(deck.qaPath);
    return deck;
}

}  // namespace

ImportResult importPairs(Program& program, const std::string& sourcePath,
                         const std::string& deckPath) {
    ImportResult result;
    TargetDeck deck = targetDeckAt(result, deckPath);
    std::unique_ptr<FileReader> source =
        openImportFile(program.files(), sourcePath, result.problem);
    if (!source) return result;
    if ((result.problem = readTargetDeck(program.files(), deck))) return result;
    result.newDeck = deck.isNew;
    ImportPlan plan = planFromReader(program.files(), std::move(source), sourcePath, deck.contents);
    if ((result.problem = std::move(plan.problem))) return result;
    writeImport(program, deck, plan.pairs, plan.media, result);
    return result;
}

ImportResult importPlannedPairs(Program& program, const std::vector<ImportedPair>& pairs,
                                const std::string& deckPath,
                                const std::vector<ImportedMedia>& media) {
    ImportResult result;
    TargetDeck deck = targetDeckAt(result, deckPath);
    if ((result.problem = readTargetDeck(program.files(), deck))) return result;
    result.newDeck = deck.isNew;
    if ((result.problem = fitIntoDeck(pairs, deck.contents))) return result;
    writeImport(program, deck, pairs, media, result);
    return result;
}

std::vector<ImportedPair> withMediaRenamed(std::vector<ImportedPair> pairs,
                                           const std::map<std::string, std::string>& renamed) {
    auto rename = [&renamed](std::string& side) {
        std::string out;
        std::size_t at = 0;
        // Only the run of tags at the start of a side names files.
        while (at + 5 <= side.size() && side[at] == '<' && side[at + 1] != '<') {
            const char kind = static_cast<char>(side[at + 1] & ~0x20);
            const std::size_t start = at + 5;
            std::size_t end = side.find_first_of("<%", start);
            if (end == std::string::npos) end = side.size();
            out.append(side, at, 5);
            const std::string content = side.substr(start, end - start);
            const auto found = renamed.find(content);
            out += (kind == 'B' || kind == 'W') && found != renamed.end() ? found->second : content;
            at = end;
            if (at < side.size() && side[at] == '%') {
                out += '%';
                ++at;
                if (at >= side.size() || side[at] != '<' ||
                    (at + 1 < side.size() && side[at + 1] == '<')) {
                    break;
                }
            }
        }
        side = out + side.substr(at);
    };
    for (ImportedPair& pair : pairs) {
        rename(pair.question);
        rename(pair.answer);
    }
    return pairs;
}

std::string importProblemText(const std::string& sourcePath, const TextProblem& problem) {
    std::string text = problem.text;
    if (problem.line > 0) {
        text = problem.unit + " " + std::to_string(problem.line) + " Of " + sourcePath + ": " +
               text + ".";
    }
    return text + "  Nothing Was Imported.";
}

}  // namespace cardwise
