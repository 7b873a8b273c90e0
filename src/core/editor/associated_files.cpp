#include "core/editor/associated_files.h"

#include "core/content/windows1252.h"
#include "core/editor/edited_text_store.h"
#include "core/platform/file_system.h"
#include "core/profile/profile.h"
#include "core/program.h"

namespace cardwise {
namespace {

constexpr std::string_view kCannotPlayCaption = "Can't Play Multi-Media File";
constexpr std::string_view kAudioVideoFilter =
    "AVI, WAV or MID files|*.avi;*.wav;*.mid|Image files|"
    "*.bmp;*.cms;*.gif;*.ico;*.jpg;*.pcx;*.png;*.scm;*.wmf";
constexpr std::string_view kImageFilter =
    "Image files|*.bmp;*.cms;*.gif;*.ico;*.jpg;*.pcx;*.png;*.scm;*.wmf|"
    "AVI, WAV or MID files|*.avi;*.wav;*.mid";

std::string cannotPlayText(const std::string& file) {
    return "Your System Indicates It Doesn't Know How To Play The File " + file +
           ". It Is Likely That The Multi-Media Drivers For This File Type Are Not Installed. "
           "To Check For This, Try Double-Clicking On The Indicated File In "
           "FileManager Or Explorer.";
}

std::string withoutTrailingSeparator(std::string_view folder) {
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) {
        folder.remove_suffix(1);
    }
    return std::string(folder);
}

bool sameFolder(std::string_view a, std::string_view b) {
    return !b.empty() && equalsIgnoreCase(withoutTrailingSeparator(a), withoutTrailingSeparator(b));
}

std::string& boxOf(EditorForm& form, FileBox box) {
    switch (box) {
        case FileBox::EQAVI:
            return form.EQAVI;
        case FileBox::EQBMP:
            return form.EQBMP;
        case FileBox::EAAVI:
            return form.EAAVI;
        case FileBox::EABMP:
            break;
    }
    return form.EABMP;
}

}  // namespace

AssociatedFiles::AssociatedFiles(Program& program) : program_(program) {
    // A codec or sound device found missing after the start is reported like a file the
    // player could not open at all, once.
    MediaPlayer::Listener listener;
    listener.failed = [this](MediaChannel) {
        if (!program_.editor.EditorPlaying || playFailureShown_) return;
        playFailureShown_ = true;
        program_.platform.media.close(MediaChannel::Editor);
        program_.ui().message(kCannotPlayCaption, cannotPlayText(playing_), Icon::Error);
    };
    program_.platform.media.setListener(MediaChannel::Editor, std::move(listener));
}

AssociatedFiles::~AssociatedFiles() {
    program_.platform.media.setListener(MediaChannel::Editor, {});
}

std::optional<EditorForm> AssociatedFiles::browse(FileBox box, const EditorForm& shown) {
    Program& p = program_;
    if (!readOnlyReason(p.deck).empty()) return std::nullopt;
    const DeckSettings& s = p.settings;
    const bool audioVideo = box == FileBox::EQAVI || box == FileBox::EAAVI;
    FileDialogRequest request;
    request.title = "Open";
    request.filter = std::string(audioVideo ? kAudioVideoFilter : kImageFilter);
    if (audioVideo && s.UseSoundDIR == 1) {
        request.directory = s.SoundDIR;
    } else if (!audioVideo && s.UseGraphicsDIR == 1) {
        request.directory = s.GraphicsDIR;
    } else {
        request.directory = p.currentDirectory;
    }
    std::optional<std::string> chosen = p.ui().chooseOpenFile(request);
    if (!chosen || chosen->empty()) return std::nullopt;
    const std::string folder = directoryOf(*chosen);
    const bool bare = sameFolder(folder, p.currentDirectory) ||
                      sameFolder(folder, audioVideo ? s.SoundDIR : s.GraphicsDIR);
    EditorForm form = shown;
    boxOf(form, box) = bare ? fileNameOf(*chosen) : *chosen;
    return form;
}

std::optional<std::string> AssociatedFiles::lookUp(MediaKind kind, const std::string& box,
                                                   const std::string& readBox) {
    if (box.empty()) return std::nullopt;
    Program& p = program_;
    const std::string& reference = box == displayText(readBox) ? readBox : box;
    const FileLookupPlaces places{p.currentDirectory, p.programDirectory, p.settings.GraphicsDIR,
                                  p.settings.SoundDIR};
    return checkedReferencedFile(p.ui(), p.files(), places, kind, reference);
}

void AssociatedFiles::play(EditorSide side, const EditorForm& shown, const EditorForm& read) {
    Program& p = program_;
    const bool question = side == EditorSide::Question;
    std::optional<std::string> file =
        lookUp(MediaKind::AudioVideo, question ? shown.EQAVI : shown.EAAVI,
               question ? read.EQAVI : read.EAAVI);
    if (!file) return;
    MediaPlayer& media = p.platform.media;
    media.close(p.drill.QuestionShowing ? MediaChannel::Question : MediaChannel::Answer);
    if (p.editor.EditorPlaying) media.close(MediaChannel::Editor);
    p.editor.EditorPlaying = true;
    playing_ = *file;
    playFailureShown_ = false;
    if (!media.play(MediaChannel::Editor, *file)) {
        playFailureShown_ = true;
        p.ui().message(kCannotPlayCaption, cannotPlayText(*file), Icon::Error);
    }
}

std::optional<std::string> AssociatedFiles::display(EditorSide side, const EditorForm& shown,
                                                    const EditorForm& read) {
    const bool question = side == EditorSide::Question;
    return lookUp(MediaKind::Picture, question ? shown.EQBMP : shown.EABMP,
                  question ? read.EQBMP : read.EABMP);
}

void AssociatedFiles::stop() {
    if (program_.editor.EditorPlaying) program_.platform.media.close(MediaChannel::Editor);
    program_.editor.EditorPlaying = false;
}

}  // namespace cardwise
