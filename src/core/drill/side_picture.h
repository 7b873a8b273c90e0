#pragma once

#include <string>

#include "core/drill/drill_window_common.h"
#include "core/media/file_validation.h"

namespace cardwise {

struct Program;

// Where a side's files are looked for with the open deck's settings.
FileLookupPlaces sideFilePlaces(const Program& program);

// Whether a side's files went through the drill's one check when the side was shown.
enum class SideFiles { Checked, Unchecked };

// The picture file a drill window shows for a side; empty for none. A text-only side shows
// none. A side the drill showed shows what its one check found (a failed check told the
// user then and shows none); a side never shown, as a printed card, looks its reference up
// without a word.
std::string sidePictureFile(Program& program, const DrillWindowView& view, SideFiles files);

}  // namespace cardwise
