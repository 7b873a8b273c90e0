#include "core/drill/side_picture.h"

#include "core/program.h"

namespace cardwise {

FileLookupPlaces sideFilePlaces(const Program& program) {
    return FileLookupPlaces{program.currentDirectory, program.programDirectory,
                            program.settings.GraphicsDIR, program.settings.SoundDIR};
}

std::string sidePictureFile(Program& program, const DrillWindowView& view, SideFiles files) {
    if (view.content == SideContent::TextOnly) return {};
    if (files == SideFiles::Checked) return view.pictureFile;
    if (view.picturePath.empty()) return {};
    return findReferencedFile(program.files(), sideFilePlaces(program), MediaKind::Picture,
                              view.picturePath)
        .value_or("");
}

}  // namespace cardwise
