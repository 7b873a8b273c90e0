#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/output/print_settings.h"

namespace cardwise {

struct Program;
class PageDevice;

inline constexpr std::string_view kTwoPassCaption = "Print Entire Deck";
inline constexpr std::string_view kAnswerPassCaption = "Continue With Answer Pass";
std::string twoPassWarningText();
std::string answerPassText();

// The pairs a job prints, in numerical order: every pair, or those of the current range
// that the drill could ask (the selector's test, without moving the selector).
std::vector<std::int32_t> pairsToPrint(const Program& program, PrintRange range);

// "Print...": the print dialog, then the job over the printer's page device.
void PrintPairsClick(Program& program);

// A whole job over `device`. With boxes, a two-pass job warns first and asks before the
// answer pass; without (a preview), both passes follow each other. The drill, the deck's
// settings and every flag are as before when it returns, finished or cancelled.
void runPrintJob(Program& program, const PrintChoices& choices, PageDevice& device,
                 bool withBoxes = true);

}  // namespace cardwise
