// Any bytes as a pair's text: both sides formatted and decoded must stay within the view's
// fields, reports must not change the parse, and the line-break and "<" marks must survive
// an encode and decode round trip.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/content/marks.h"
#include "core/content/pair_side.h"
#include "core/content/pair_view.h"
#include "core/drill/pair_format.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace cardwise;
using fuzzing::require;

void checkView(const PairView& view) {
    require(view.Category.size() <= kViewCategoryMax);
    require(view.PicturePath.size() <= kViewPathMax && view.MediaPath.size() <= kViewPathMax);
    for (const auto& note : view.Notes) require(note.size() <= kViewNoteMax);
    for (const auto& choice : view.Choices) require(choice.size() <= kViewNoteMax);
    require(view.CorrectChoice.size() <= kViewNoteMax);
    require(view.ChoiceCount >= 0 && view.ChoiceCount <= 6);
    std::string shown = view.Text;
    DecodeMarks(shown);
    require(shown.size() <= kViewTextMax);
}

bool sameView(const PairView& a, const PairView& b) {
    return a.Category == b.Category && a.Text == b.Text && a.PicturePath == b.PicturePath &&
           a.MediaPath == b.MediaPath && a.Notes == b.Notes && a.Choices == b.Choices &&
           a.CorrectChoice == b.CorrectChoice && a.TextOnly == b.TextOnly && a.NoText == b.NoText &&
           a.FillInQuestion == b.FillInQuestion && a.ChoiceCount == b.ChoiceCount;
}

// What a typed text shows after it was stored: the encoder puts one space after a line
// break that a "^" or a CR would follow.
std::string expectedAfterRoundTrip(std::string_view shown) {
    std::string out;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        out += shown[i];
        if (shown[i] == '\n' && i > 0 && shown[i - 1] == '\r' && i + 1 < shown.size() &&
            (shown[i + 1] == '^' || shown[i + 1] == '\r')) {
            out += ' ';
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto n = input.ConsumeIntegralInRange<std::int32_t>(1, 12);
    const bool graphics = input.ConsumeBool();
    const bool media = input.ConsumeBool();
    const bool jumping = input.ConsumeBool();
    const std::string text = input.ConsumeRemainingBytesAsString();

    // Marks: a stored form is a fixed point of decoding and encoding again.
    const std::string stored = encodedMarks(text);
    const std::string shown = decodedMarks(stored);
    require(shown == expectedAfterRoundTrip(text));
    require(encodedMarks(shown) == stored);
    std::string inPlace = text;
    EncodeMarks(inPlace);
    require(inPlace == stored);

    // Both sides of pair n, as the question window and the answer window format them.
    fuzzing::Harness shownHarness;
    fuzzing::Harness quietHarness;
    for (fuzzing::Harness* h : {&shownHarness, &quietHarness}) {
        Program& program = h->program;
        program.deck.allocate(n);
        program.deck.PairText.set(static_cast<std::size_t>(n - 1), text);
        program.settings.EnableGraphics = graphics ? 1 : 0;
        program.settings.EnableAudioVideo = media ? 1 : 0;
        program.drill.JumpingToPair = jumping;
    }
    Program& a = shownHarness.program;
    Program& b = quietHarness.program;
    const FormattedSide shownQuestion = FormatPairSide(a, "Q", n, {});
    checkView(shownQuestion.view);
    const FormattedSide quietQuestion = FormatPairSide(b, "Q", n, {}, FaultReports::Quiet);
    require(quietQuestion.ok == shownQuestion.ok);
    require(sameView(shownQuestion.view, quietQuestion.view));
    require(shownQuestion.ok == (shownHarness.ui.boxCount == 0));

    const FormattedSide shownAnswer = FormatPairSide(a, "A", n, shownQuestion.view);
    checkView(shownAnswer.view);
    const FormattedSide quietAnswer = FormatAnswerOf(b, n, FaultReports::Quiet);
    require(quietAnswer.ok == shownAnswer.ok);
    require(sameView(shownAnswer.view, quietAnswer.view));
    require(quietHarness.ui.boxCount == 0);
    return 0;
}
