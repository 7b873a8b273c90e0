#pragma once

#include <optional>
#include <string>

#include "core/editor/editor_form.h"
#include "core/media/file_validation.h"

namespace cardwise {

struct Program;

// The side a file box belongs to, and which of its two boxes.
enum class EditorSide { Question, Answer };
enum class FileBox { EQAVI, EQBMP, EAAVI, EABMP };

// The editor's associated-files page: Browse, Play and Display over the form the window
// holds (`shown`, UTF-8) and the form as it was read (`read`, deck bytes), and the
// editor's own player.
class AssociatedFiles {
  public:
    explicit AssociatedFiles(Program& program);
    ~AssociatedFiles();
    // The media player calls back into this object.
    AssociatedFiles(const AssociatedFiles&) = delete;
    AssociatedFiles& operator=(const AssociatedFiles&) = delete;

    // Browse asks for a file through the UserInterface; the form with the file in its box
    // (file name alone when it lies in the deck's, the sound or the graphics folder), or
    // nothing when none was chosen or the deck cannot be changed.
    std::optional<EditorForm> browse(FileBox box, const EditorForm& shown);
    // Play: plays the side's audio/video file on the editor's player.
    void play(EditorSide side, const EditorForm& shown, const EditorForm& read);
    // Display: the side's picture file, found and checked, for the picture viewer.
    std::optional<std::string> display(EditorSide side, const EditorForm& shown,
                                       const EditorForm& read);
    // The editor goes: its player stops.
    void stop();

  private:
    std::optional<std::string> lookUp(MediaKind kind, const std::string& box,
                                      const std::string& readBox);

    Program& program_;
    // The file Play started, and whether its failure was reported (players may report a
    // failure found after the start more than once).
    std::string playing_;
    bool playFailureShown_ = false;
};

}  // namespace cardwise
