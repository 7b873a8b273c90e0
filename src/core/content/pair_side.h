#pragma once

#include <cstdint>
#include <string_view>

#include "core/content/pair_view.h"

namespace cardwise {

class UserInterface;

enum class FaultReports { Shown, Quiet };
// Display cuts each field to its PairView width and drops the picture and audio/video
// references the deck's settings switch off; Editing keeps everything as stored.
enum class SideReading { Display, Editing };

// The stored text of one side of pair n, from its pair text: the question line after its
// first '=', or the answer line after "A", the digits of n and '='. A hand-made pair
// without '=' or with a short answer line gives an empty side.
std::string_view cutSide(std::string_view text, bool question, std::int32_t n);

// One side of a pair as read. What was read before a fault stays in the view.
struct FormattedSide {
    PairView view;
    bool ok = true;     // no fault was found
    std::string fault;  // the caption of the fault found, when one was
};

// What reading a side of the open deck needs of the program: whether the deck shows pictures
// and audio/video, whether a print job is jumping through the pairs (whose answer choices
// are then not checked), and where fault boxes go.
struct SideContext {
    bool graphics = false;
    bool audioVideo = false;
    bool jumpingToPair = false;
    UserInterface& ui;
};

// Parses the stored side text of pair n (see FormatPairSide).
FormattedSide readDeckSide(const SideContext& context, std::string_view text, bool question,
                           std::int32_t n, const PairView& questionView, FaultReports reports,
                           SideReading reading);

// A stored side that is no pair of the deck yet (an imported row), read as the editor
// reads it and without reports; an answer side is read against questionView.
FormattedSide readStoredSide(std::string_view side, bool question, const PairView& questionView);

}  // namespace cardwise
