#include "gui/media/module_library.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

namespace cardwise::gui {

QFunctionPointer loadModuleEntry(const char* fromProgram, const char* built, const char* entry,
                                 std::unique_ptr<QLibrary>& library, QString& errors) {
    const QStringList places{
        QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromUtf8(fromProgram)),
        QString::fromUtf8(built)};
    QStringList reasons;
    for (const QString& place : places) {
        auto candidate = std::make_unique<QLibrary>(place);
        if (QFunctionPointer found = candidate->resolve(entry)) {
            library = std::move(candidate);
            return found;
        }
        reasons << candidate->errorString();
    }
    errors = reasons.join(QStringLiteral("; "));
    return nullptr;
}

}  // namespace cardwise::gui
