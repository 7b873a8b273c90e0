#pragma once

// The steps of an import that more than one of its files takes: reading rows
// (pair_import_rows), reading the source file (pair_import_source), composing the deck's
// files (pair_import_files) and writing them (pair_import).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/exchange/delimited_text.h"
#include "core/exchange/pair_import.h"

namespace cardwise {

class FileReader;
class FileSystem;

namespace import_steps {

inline constexpr std::string_view kCrLf = "\r\n";

std::string lowered(std::string_view text);
TextProblem fileProblem(std::string text);
TextProblem unreadable(const std::string& path);
// The folder of a path with its separator, ready for a name.
std::string folderOf(const std::string& path);

// The rows of the text, read one by one until the first the deck cannot take.
ImportPlan planRows(DelimitedReader& text, const DeckContents& deck);

// The file to import, opened to be read row by row, or nothing with the problem set.
std::unique_ptr<FileReader> openImportFile(const FileSystem& files, const std::string& path,
                                           std::optional<TextProblem>& problem);
// The file read through, told by its first bytes: another program's deck, or rows of text.
ImportPlan planFromReader(const FileSystem& files, std::unique_ptr<FileReader> file,
                          const std::string& path, const DeckContents& deck);

// The setup data file of a new deck of `pairs` pairs; sets the program's range settings.
std::string newDeckSetupFile(Program& program, std::int32_t pairs);

}  // namespace import_steps
}  // namespace cardwise
