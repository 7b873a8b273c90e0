#include "core/media/file_validation.h"

#include <array>

#include "core/media/media_control.h"
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

std::string referenceAsPath(std::string_view reference) {
    std::string path(reference);
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    const bool drive = path.size() >= 2 && path[1] == ':' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    const bool server = path.rfind("//", 0) == 0;
    if (drive) return fileNameOf(std::string_view(path).substr(2));
    return server ? fileNameOf(path) : path;
}

std::optional<std::string> findIgnoringCase(const FileSystem& files, std::string_view base,
                                            std::string_view path) {
    std::string found = pathFrom(base, path);
    if (files.fileExists(found)) return found;
    std::string current(isAbsolutePath(path) ? std::string_view("/") : base);
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos) end = path.size();
        const std::string_view part = path.substr(start, end - start);
        const bool last = end == path.size();
        start = end + 1;
        if (part.empty()) continue;
        auto usable = [&](const std::string& candidate) {
            return last ? files.fileExists(candidate) : files.directoryExists(candidate);
        };
        std::string exact = joinPath(current, part);
        if (usable(exact)) {
            if (last) return exact;
            current = std::move(exact);
            continue;
        }
        std::optional<std::string> match;
        for (const std::string& name : files.directoryEntries(current.empty() ? "." : current)) {
            if (!equalsIgnoreCase(name, part)) continue;
            std::string candidate = joinPath(current, name);
            if (!usable(candidate)) continue;
            if (match) return std::nullopt;  // ambiguous
            match = std::move(candidate);
        }
        if (!match) return std::nullopt;
        current = std::move(*match);
        if (last) return current;
    }
    return std::nullopt;
}

std::optional<std::string> findReferencedFile(const FileSystem& files,
                                              const FileLookupPlaces& places, MediaKind kind,
                                              std::string_view reference) {
    const std::string path = referenceAsPath(reference);
    if (path.empty()) return std::nullopt;
    if (isAbsolutePath(path)) return findIgnoringCase(files, "", path);
    // A directory setting usually ends in a separator; joinPath adds one when it does not.
    const std::string configured = referenceAsPath(
        kind == MediaKind::Picture ? places.graphicsDirectory : places.soundDirectory);
    const std::string program = referenceAsPath(places.programDirectory);
    // Exact names everywhere first: a file that matches as written wins over one that
    // matches only ignoring case.
    for (const std::string* directory : {&places.currentDirectory, &program, &configured}) {
        if (directory != &places.currentDirectory && directory->empty()) continue;
        std::string candidate = joinPath(*directory, path);
        if (files.fileExists(candidate)) return candidate;
    }
    for (const std::string* directory : {&places.currentDirectory, &program, &configured}) {
        if (directory != &places.currentDirectory && directory->empty()) continue;
        if (auto found = findIgnoringCase(files, *directory, path)) return found;
    }
    return std::nullopt;
}

std::optional<std::string> checkedReferencedFile(UserInterface& ui, const FileSystem& files,
                                                 const FileLookupPlaces& places, MediaKind kind,
                                                 std::string_view reference) {
    bool picture = kind == MediaKind::Picture;
    std::optional<std::string> found = findReferencedFile(files, places, kind, reference);
    if (!found) {
        ui.message(picture ? "Missing Graphics File" : "Missing Multi-Media File",
                   missingText(kind, reference), Icon::Warning);
        return std::nullopt;
    }
    if (!isAcceptedExtension(kind, reference)) {
        ui.message(picture ? "Incompatible Graphics File" : "Incompatible Multi-Media File",
                   incompatibleText(kind, reference), Icon::Warning);
        return std::nullopt;
    }
    const std::optional<std::uint64_t> size = files.fileSize(*found);
    if (!picture && size && *size > kMaxMediaFileBytes) {
        ui.message(kCantPlayCaption,
                   "The Multi-Media File " + std::string(reference) +
                       " Is Larger Than 1 GB, Far Larger Than Any Sound Or Video Of A Deck.",
                   Icon::Error);
        return std::nullopt;
    }
    return found;
}

bool validateReference(UserInterface& ui, const FileSystem& files, const FileLookupPlaces& places,
                       MediaKind kind, std::string_view reference) {
    return checkedReferencedFile(ui, files, places, kind, reference).has_value();
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
