#pragma once

#include <QString>
#include <QStringList>

namespace cardwise::gui {

// The desktop's character map, from which accented letters and symbols are copied into
// the editor.
class CharacterMap {
  public:
    // Looks the known programs up in PATH, in this order.
    CharacterMap();
    // For a test: the candidates and the folders they are looked for in.
    CharacterMap(const QStringList& candidates, const QStringList& folders);

    // The program found; empty when none is installed.
    const QString& program() const { return program_; }
    bool available() const { return !program_.isEmpty(); }

    // Starts it detached; its outcome is not waited for. False when it could not start.
    bool start() const;

    static QStringList knownPrograms();

  private:
    QString program_;
};

}  // namespace cardwise::gui
