#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/content/marks.h"
#include "core/content/pair_side.h"
#include "core/content/pair_view.h"
#include "core/drill/answer_view.h"
#include "core/drill/core_drill_engine.h"
#include "core/drill/drill_engine.h"
#include "core/program.h"
#include "support/fakes.h"

namespace cardwise::testing {

// Both sides of a scripted pair as the markup would parse them.
struct ScriptedPair {
    PairView question;
    PairView answer;
    bool questionOk = true;
    bool answerOk = true;
};

// A drill engine over scripted pairs: selections come from a queue, grades are recorded,
// and decoding turns a single '^' into a line break.
class ScriptedDrillEngine : public DrillEngine {
  public:
    std::map<std::int32_t, ScriptedPair> pairs;
    std::deque<std::optional<std::int32_t>> selections;  // nothing: the user declined
    std::vector<std::pair<std::int32_t, bool>> grades;   // pair, correct
    std::vector<bool> runStartingAtSelection;
    std::vector<std::string> formatted;  // "Q3", "A3", ...
    std::int32_t pairsLeft = 7;
    int selectCalls = 0;

    bool formatPairSide(Program& program, std::string_view side) override {
        const std::int32_t n = program.deck.CurrentPair;
        formatted.push_back(std::string(side) + std::to_string(n));
        const ScriptedPair& pair = pairs.at(n);
        if (side == "Q") {
            program.view = pair.question;
            return pair.questionOk;
        }
        // The answer side keeps what the question side said about the pair's kind.
        const PairView previous = program.view;
        program.view = pair.answer;
        program.view.FillInQuestion = previous.FillInQuestion;
        program.view.ChoiceCount = previous.ChoiceCount;
        if (pair.answer.Category.empty()) program.view.Category = previous.Category;
        return pair.answerOk;
    }

    void decodeMarks(std::string& text) override {
        std::string out;
        for (char c : text) {
            if (c == '^')
                out += "\r\n";
            else
                out += c;
        }
        text = out;
    }

    bool selectNextPair(Program& program) override {
        ++selectCalls;
        runStartingAtSelection.push_back(program.drill.RunStarting);
        program.drill.QuestionShowing = true;
        if (selections.empty()) {
            ADD_FAILURE() << "unexpected selection";
            return true;
        }
        std::optional<std::int32_t> next = selections.front();
        selections.pop_front();
        if (!next) {
            program.drill.DrillActive = false;
            return false;
        }
        program.deck.CurrentPair = *next;
        return true;
    }

    std::int32_t pairsLeftInRun(Program&) override { return pairsLeft; }

    void gradeCorrect(Program& program) override {
        ++program.deck.SessionCorrect;
        grades.emplace_back(program.deck.CurrentPair, true);
    }
    void gradeIncorrect(Program& program) override {
        ++program.deck.SessionIncorrect;
        grades.emplace_back(program.deck.CurrentPair, false);
    }

    std::optional<std::string> togglePriorityList(Program& program) override {
        std::int32_t& flags = program.deck.Learning.at(program.deck.CurrentPair).ListFlags;
        flags ^= kOnListFlag;
        return std::string((flags & kOnListFlag) ? "&Remove Pair From Priority List"
                                                 : "&Add Pair To Priority List");
    }
    std::optional<std::string> toggleDisabled(Program& program) override {
        if (refuseDisable) return std::nullopt;
        std::int32_t& flags = program.deck.Learning.at(program.deck.CurrentPair).ListFlags;
        flags ^= kDisabledFlag;
        return std::string(flags >= 2 ? "Re-&enable This Pair" : "&Disable This Pair");
    }
    bool refuseDisable = false;
};

// The scripted engine over the real pair markup: pairs come from the deck's texts.
class MarkupDrillEngine : public ScriptedDrillEngine {
  public:
    bool formatPairSide(Program& program, std::string_view side) override {
        formatted.push_back(std::string(side) + std::to_string(program.deck.CurrentPair));
        return CoreDrillEngine().formatPairSide(program, side);
    }
    void decodeMarks(std::string& text) override { DecodeMarks(text); }
};

inline PairView textSide(std::string text) {
    PairView v;
    v.Text = std::move(text);
    return v;
}

inline ScriptedPair standardPair(std::string question, std::string answer) {
    return ScriptedPair{textSide(std::move(question)), textSide(std::move(answer))};
}

inline ScriptedPair multipleChoicePair(std::string question, std::array<std::string, 6> choices,
                                       std::string correct) {
    ScriptedPair pair{textSide(std::move(question)), textSide("")};
    pair.question.Choices = std::move(choices);
    for (const auto& c : pair.question.Choices) pair.question.ChoiceCount += c.empty() ? 0 : 1;
    pair.answer.CorrectChoice = std::move(correct);
    return pair;
}

inline ScriptedPair fillInPair(std::string question, std::string answerText,
                               std::array<std::string, 6> accepted) {
    ScriptedPair pair{textSide(std::move(question)), textSide(std::move(answerText))};
    pair.question.FillInQuestion = true;
    pair.answer.Choices = std::move(accepted);
    return pair;
}

// An in-memory deck GEO.DKS of standard pairs "Question n" / "Answer n" for the program's
// own engine; no pair is chosen yet.
inline void makeStandardDeck(DeckState& deck, int pairs) {
    deck.allocate(pairs);
    deck.QAFileName = "/decks/GEO.DKS";
    deck.CurrentPair = 0;
    for (int n = 1; n <= pairs; ++n) {
        deck.PairText.set(static_cast<std::size_t>(n - 1),
                          "Q" + std::to_string(n) + "=Question " + std::to_string(n) + "$#$!A" +
                              std::to_string(n) + "=Answer " + std::to_string(n));
    }
}

// A program with an open deck of pairCount pairs named GEO.DKS.
struct DrillHarness : ProgramHarness {
    ScriptedDrillEngine engine;

    explicit DrillHarness(std::int32_t pairCount = 10) {
        program.deck.allocate(pairCount);
        program.deck.PairCount = pairCount;
        program.deck.QAFileName = "/decks/GEO.DKS";
        program.deck.CurrentPair = 1;
        for (std::int32_t n = 1; n <= pairCount; ++n) {
            engine.pairs[n] =
                standardPair("Question " + std::to_string(n), "Answer " + std::to_string(n));
        }
    }
};

}  // namespace cardwise::testing
