#include "gui/editor/character_map.h"

#include <QProcess>
#include <QStandardPaths>

namespace cardwise::gui {

QStringList CharacterMap::knownPrograms() {
    return {"gucharmap", "gnome-characters", "kcharselect", "charmap"};
}

CharacterMap::CharacterMap() : CharacterMap(knownPrograms(), {}) {}

CharacterMap::CharacterMap(const QStringList& candidates, const QStringList& folders) {
    for (const QString& name : candidates) {
        program_ = QStandardPaths::findExecutable(name, folders);
        if (!program_.isEmpty()) return;
    }
}

bool CharacterMap::start() const {
    return available() && QProcess::startDetached(program_, {});
}

}  // namespace cardwise::gui
