#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/content/pair_view.h"
#include "core/platform/file_system.h"
#include "core/platform/user_interface.h"

namespace cardwise {

enum class MediaKind { Picture, AudioVideo };

// Where a referenced file is looked for, in this order after the reference itself
// (taken relative to currentDirectory unless it is absolute).
struct FileLookupPlaces {
    std::string currentDirectory;
    std::string programDirectory;
    std::string graphicsDirectory;  // GraphicsDIR, whatever UseGraphicsDIR holds
    std::string soundDirectory;     // SoundDIR, whatever UseSoundDIR holds
};

// The editor's four associated-file fields.
struct AssociatedFileFields {
    std::string EQBMP;
    std::string EABMP;
    std::string EQAVI;
    std::string EAAVI;
};

// True when the extension (from the last '.' on) is one of the kind's accepted types,
// compared without regard to case.
bool isAcceptedExtension(MediaKind kind, std::string_view reference);

// A reference as written on Windows, as a path here: a backslash separates folders like '/'.
// A reference that starts with a drive letter ("C:") or a server name names a place
// that cannot exist on this system; it keeps its file name alone, which the lookup then
// finds in the deck's folder, the program's folder or the configured folder, where decks
// moved from Windows carry their files.
std::string referenceAsPath(std::string_view reference);

// The file at path, or, when no file has that exact name, the one file whose name differs
// only in letter case, folder by folder below base (base itself is taken as it is). Two
// names that match ignoring case are ambiguous and find nothing.
std::optional<std::string> findIgnoringCase(const FileSystem& files, std::string_view base,
                                            std::string_view path);

// The one lookup both the check and the loading use, so that the file checked is the file
// shown or played: the reference itself (from the deck's folder unless absolute), then the
// program's folder, then the configured folder of the kind. The first existing file, or
// nothing.
std::optional<std::string> findReferencedFile(const FileSystem& files,
                                              const FileLookupPlaces& places, MediaKind kind,
                                              std::string_view reference);

// Sound and video files larger than this are not handed to the player: far above any a
// deck plays.
inline constexpr std::uint64_t kMaxMediaFileBytes = 1ull << 30;

// validateReference that answers the file found: nothing after a box was shown. Only a
// regular file is ever found (never a folder, a FIFO or a device), and a sound or video
// larger than kMaxMediaFileBytes is refused with the player's error caption.
std::optional<std::string> checkedReferencedFile(UserInterface& ui, const FileSystem& files,
                                                 const FileLookupPlaces& places, MediaKind kind,
                                                 std::string_view reference);

// Tests a reference before use: found and of an accepted type answers true; otherwise
// the missing-file or incompatible-file box of its kind is shown and false answered.
bool validateReference(UserInterface& ui, const FileSystem& files, const FileLookupPlaces& places,
                       MediaKind kind, std::string_view reference);

// The tagged form: "MM" and "BMP" take the side just formatted in the view, "MMEQ",
// "MMEA", "BMPEQ" and "BMPEA" the editor's fields. Any other tag is a caller error,
// reported as such.
bool validateFile(UserInterface& ui, const FileSystem& files, const FileLookupPlaces& places,
                  std::string_view tag, const PairView& view,
                  const AssociatedFileFields& editorFields = {});

}  // namespace cardwise
