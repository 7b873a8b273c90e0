#include "gui/app/single_instance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include <cstdlib>

#include "core/platform/settings_folder.h"

namespace cardwise::gui {
namespace {

constexpr int kTimeoutMs = 2000;
constexpr quint32 kMagic = 0x43574932;  // "CWI2": deck names as bytes
// Only asks whether a copy runs: no decks, and the first copy does not come forward.
constexpr quint32 kProbe = 0x43575052;  // "CWPR"

// A socket file left behind by a copy that crashed: a socket of this user that nobody
// answers on. Anything else at that path is not ours to remove. (With the user-only
// option Qt itself renames a fresh socket over a stale one; this covers the rest.)
bool staleSocketOfOurs(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0) return false;
    return S_ISSOCK(info.st_mode) && info.st_uid == ::getuid();
}

}  // namespace

QString SingleInstance::defaultName() {
    std::optional<std::string> folder = instanceSocketFolder(
        std::getenv("XDG_RUNTIME_DIR"), std::getenv("XDG_CACHE_HOME"), std::getenv("HOME"));
    if (!folder) return {};
    return QFile::decodeName(QByteArray::fromStdString(*folder)) + "/cardwise.socket";
}

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.setMaxPendingConnections(8);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::receive);
}

bool SingleInstance::claim(const QList<QByteArray>& decks, bool handOver) {
    // A bare name would be put in the shared temporary folder.
    if (!name_.startsWith('/')) return true;
    if (sendTo(decks, handOver)) return false;
    if (listen()) return true;
    // Someone may have started listening between our two tries.
    if (sendTo(decks, handOver)) return false;
    return true;
}

bool SingleInstance::sendTo(const QList<QByteArray>& decks, bool handOver) {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kTimeoutMs)) return false;
    QByteArray body;
    QDataStream out(&body, QIODevice::WriteOnly);
    out << (handOver ? kMagic : kProbe) << decks;
    // Names that do not fit are not sent in part; the first copy just comes forward.
    if (body.size() + 4 > kMaxMessageBytes) {
        body.clear();
        QDataStream empty(&body, QIODevice::WriteOnly);
        empty << kMagic << QList<QByteArray>();
    }
    QByteArray message;
    QDataStream framed(&message, QIODevice::WriteOnly);
    framed << static_cast<quint32>(body.size());
    message.append(body);
    socket.write(message);
    if (!socket.waitForBytesWritten(kTimeoutMs)) return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kTimeoutMs);
    return true;
}

bool SingleInstance::listen() {
    if (server_.listen(name_)) return true;
    if (server_.serverError() != QAbstractSocket::AddressInUseError) return false;
    if (!staleSocketOfOurs(name_)) return false;
    QLocalServer::removeServer(name_);
    return server_.listen(name_);
}

void SingleInstance::receive() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A peer that is slow or says too much is cut off; it never holds the program.
        QPointer<QLocalSocket> guarded(socket);
        QTimer::singleShot(kReceiveTimeoutMs, this, [guarded] {
            if (guarded) guarded->abort();
        });
        auto read = [this, socket] {
            // A length word, then that many bytes: the magic word and the deck names.
            if (socket->bytesAvailable() < 4) return;
            QDataStream head(socket->peek(4));
            quint32 length = 0;
            head >> length;
            if (length > kMaxMessageBytes || socket->bytesAvailable() > 4 + qint64(length)) {
                socket->abort();
                return;
            }
            if (socket->bytesAvailable() < 4 + qint64(length)) return;
            socket->skip(4);
            QDataStream message(socket->read(length));
            socket->disconnectFromServer();
            quint32 magic = 0;
            QList<QByteArray> decks;
            message >> magic >> decks;
            if (message.status() != QDataStream::Ok) return;
            if (magic == kMagic) emit decksHandedOver(decks);
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        if (socket->bytesAvailable() > 0) read();
    }
}

}  // namespace cardwise::gui
