#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QStringList>

namespace cardwise::gui {

// Makes sure one copy of the program runs per user. The first copy listens on a local
// socket only its user can open; a later copy hands its deck names over and ends.
class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // The socket name: in the user's runtime folder when there is one, else a name per
    // user in the temporary folder.
    static QString defaultName();

    explicit SingleInstance(QString name = defaultName(), QObject* parent = nullptr);

    // True when this is the first copy (it now listens). Otherwise the decks have been
    // handed to the first copy, which comes to the front, and this copy should end.
    // When neither works (the name is taken by something that is no socket of ours), the
    // program runs on its own: a user is never locked out of it.
    bool claim(const QStringList& decks);

    bool listening() const { return server_.isListening(); }
    QString name() const { return name_; }

  signals:
    // Another copy was started; decks are the names on its command line (maybe none).
    void decksHandedOver(const QStringList& decks);

  private:
    bool handOver(const QStringList& decks);
    bool listen();
    void receive();

    QString name_;
    QLocalServer server_;
};

}  // namespace cardwise::gui
