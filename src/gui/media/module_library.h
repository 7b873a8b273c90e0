#pragma once

#include <QLibrary>
#include <QString>

#include <memory>

namespace cardwise::gui {

// The entry point of one of the program's modules: looked for in the library folder beside
// the installed program (fromProgram, relative to the program's folder), then where the
// build put it. Null when neither loads; errors then holds the loader's reasons. The
// library stays loaded while `library` holds it.
QFunctionPointer loadModuleEntry(const char* fromProgram, const char* built, const char* entry,
                                 std::unique_ptr<QLibrary>& library, QString& errors);

}  // namespace cardwise::gui
