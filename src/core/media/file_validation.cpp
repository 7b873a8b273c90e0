#include "core/media/file_validation.h"

#include <array>

#include "core/profile/profile.h"

namespace cardwise {
namespace {

constexpr std::array<std::string_view, 5> kAudioVideoTypes = {".WAV", ".MID", ".AVI", ".MOV",
                                                              ".RMI"};
constexpr std::array<std::string_view, 9> kPictureTypes = {".BMP", ".JPG", ".WMF", ".PCX", ".GIF",
                                                           ".ICO", ".SCM", ".PNG", ".CMS"};

std::string missingText(MediaKind kind, std::string_view name) {
    std::string n(name);
    if (kind == MediaKind::AudioVideo) {
        return "Cardwise Cannot Locate The Multi-Media File " + n +
               " Referenced By The Currently-Displayed Question Or Answer"
               " Please Check Its Path In The Editor's Associated Files Page.";
    }
    return "Cardwise Cannot Locate The Graphics File " + n +
           " Referenced By The Currently-Displayed Question Or Answer."
           " Please Check Its Path In The Editor's Associated Files Page.";
}

std::string incompatibleText(MediaKind kind, std::string_view name) {
    std::string n(name);
    if (kind == MediaKind::AudioVideo) {
        return "The Multi-Media File " + n +
               " Referenced By The Currently-Displayed Question Or Answer"
               " Is Not One Of The Types (.AVI, .MOV, .MID, .RMI or .WAV) That Is"
               " Compatible With Cardwise.";
    }
    return "The Graphics File " + n +
           " Referenced By The Currently-Displayed Question Or Answer"
           " Is Not One Of The Types (BMP, CMS, ICO, GIF, JPG, PCX, PNG, SCM, and  WMF)"
           " That Is Compatible With Cardwise.";
}

}  // namespace

bool isAcceptedExtension(MediaKind kind, std::string_view reference) {
    std::size_t dot = reference.rfind('.');
    if (dot == std::string_view::npos) return false;
    std::string_view extension = reference.substr(dot);
    auto matches = [&](const auto& types) {
        for (std::string_view type : types) {
            if (equalsIgnoreCase(extension, type)) return true;
        }
        return false;
    };
    return kind == MediaKind::Picture ? matches(kPictureTypes) : matches(kAudioVideoTypes);
}

std::optional<std::string> findReferencedFile(const FileSystem& files,
                                              const FileLookupPlaces& places, MediaKind kind,
                                              std::string_view reference) {
    if (reference.empty()) return std::nullopt;
    if (isAbsolutePath(reference)) {
        std::string path(reference);
        return files.fileExists(path) ? std::optional<std::string>(path) : std::nullopt;
    }
    // A directory setting usually ends in a separator; joinPath adds one when it does not.
    const std::string& configured =
        kind == MediaKind::Picture ? places.graphicsDirectory : places.soundDirectory;
    for (const std::string* directory :
         {&places.currentDirectory, &places.programDirectory, &configured}) {
        if (directory != &places.currentDirectory && directory->empty()) continue;
        std::string path = joinPath(*directory, reference);
        if (files.fileExists(path)) return path;
    }
    return std::nullopt;
}

bool validateReference(UserInterface& ui, const FileSystem& files, const FileLookupPlaces& places,
                       MediaKind kind, std::string_view reference) {
    bool picture = kind == MediaKind::Picture;
    if (!findReferencedFile(files, places, kind, reference)) {
        ui.message(picture ? "Missing Graphics File" : "Missing Multi-Media File",
                   missingText(kind, reference), Icon::Warning);
        return false;
    }
    if (!isAcceptedExtension(kind, reference)) {
        ui.message(picture ? "Incompatible Graphics File" : "Incompatible Multi-Media File",
                   incompatibleText(kind, reference), Icon::Warning);
        return false;
    }
    return true;
}

bool validateFile(UserInterface& ui, const FileSystem& files, const FileLookupPlaces& places,
                  std::string_view tag, const PairView& view,
                  const AssociatedFileFields& editorFields) {
    struct Source {
        std::string_view tag;
        MediaKind kind;
        const std::string* reference;
    };
    const std::array<Source, 6> sources = {{
        {"MM", MediaKind::AudioVideo, &view.MediaPath},
        {"MMEQ", MediaKind::AudioVideo, &editorFields.EQAVI},
        {"MMEA", MediaKind::AudioVideo, &editorFields.EAAVI},
        {"BMP", MediaKind::Picture, &view.PicturePath},
        {"BMPEQ", MediaKind::Picture, &editorFields.EQBMP},
        {"BMPEA", MediaKind::Picture, &editorFields.EABMP},
    }};
    for (const Source& source : sources) {
        if (source.tag == tag) {
            return validateReference(ui, files, places, source.kind, *source.reference);
        }
    }
    ui.message("Invalid Call", "Invalid Call To Validate File!!", Icon::Error);
    return false;
}

}  // namespace cardwise
