#include "core/drill/pair_format.h"

#include "core/program.h"

namespace cardwise {

FormattedSide FormatPairSide(const Program& program, std::string_view side, std::int32_t n,
                             const PairView& question, FaultReports reports, SideReading reading) {
    const bool questionSide = side == "Q";
    const SideContext context{.graphics = program.settings.EnableGraphics == 1,
                              .audioVideo = program.settings.EnableAudioVideo == 1,
                              .jumpingToPair = program.drill.JumpingToPair,
                              .ui = program.platform.ui};
    return readDeckSide(context, cutSide(program.deck.currentText(n), questionSide, n),
                        questionSide, n, question, reports, reading);
}

FormattedSide FormatAnswerOf(const Program& program, std::int32_t n, FaultReports reports) {
    const PairView question = FormatPairSide(program, "Q", n, {}, FaultReports::Quiet).view;
    return FormatPairSide(program, "A", n, question, reports);
}

}  // namespace cardwise
