#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace cardwise::gui {

// Makes sure one copy of the program runs per user. The first copy listens on a local
// socket in a folder only its user can enter; a later copy hands its deck names over (as
// the system's bytes) and ends. Plain POSIX sockets under Qt's socket notifier: Qt's own
// local sockets live in its network module, whose libraries (Kerberos, TLS, proxies) would
// cost every start several milliseconds for nothing.
class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // A peer must send its whole message within this time and size, or it is dropped.
    static constexpr int kReceiveTimeoutMs = 1000;
    static constexpr qint64 kMaxMessageBytes = 256 * 1024;

    // The socket in the user's private runtime or cache folder; empty when there is no
    // private folder (the program then runs on its own).
    static QString defaultName();

    explicit SingleInstance(QString name = defaultName(), QObject* parent = nullptr);
    ~SingleInstance() override;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this is the first copy (it now listens). Otherwise the decks have been
    // handed to the first copy, which comes to the front, and this copy should end. With
    // handOver false a running copy is only looked for, and given nothing.
    // When neither works (no private folder, or the name is taken by something that is no
    // socket of ours), the program runs on its own: a user is never locked out of it.
    bool claim(const QList<QByteArray>& decks, bool handOver = true);

    bool listening() const { return server_ >= 0; }
    QString name() const { return name_; }

  signals:
    // Another copy was started; decks are the names on its command line (maybe none).
    void decksHandedOver(const QList<QByteArray>& decks);

  private:
    bool sendTo(const QList<QByteArray>& decks, bool handOver);
    bool listen();
    bool bindAndListen();
    // One copy that connected, and its bytes so far.
    struct Peer {
        int fd = -1;
        QByteArray bytes;
        QSocketNotifier* notifier = nullptr;
    };
    void accept();
    // Reads what the peer has sent and acts on a whole message; false when the talk is over.
    bool receive(Peer& peer);

    QString name_;
    int server_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace cardwise::gui
