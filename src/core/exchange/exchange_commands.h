#pragma once

#include <string_view>

namespace cardwise {

struct Program;

inline constexpr std::string_view kImportCaption = "Import Pairs";
inline constexpr std::string_view kImportErrorCaption = "Import Error";
inline constexpr std::string_view kExportCaption = "Export Pairs";
inline constexpr std::string_view kExportErrorCaption = "Export Error";

// "Import Pairs...": asks for a tab- or comma-separated file. With a deck open, the deck is
// closed (saved), the pairs are appended to it and it is opened again; without one, asks
// for the deck to create (or, when the name chosen is a deck, to add to) and opens it.
// The outcome or the first problem is told in a box; after a problem nothing was written.
// A file that no deck could take is refused before anything else happens.
void ImportPairsClick(Program& program);

// "Export Pairs...": writes the open deck's pairs, as edited, to a tab-separated file the
// user names (".tsv" added to a name without an extension); an existing file is replaced
// only after asking.
void ExportPairsClick(Program& program);

}  // namespace cardwise
