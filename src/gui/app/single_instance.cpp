#include "gui/app/single_instance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDataStream>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace cardwise::gui {
namespace {

constexpr int kTimeoutMs = 2000;
constexpr quint32 kMagic = 0x43574931;  // "CWI1"

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
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QDir(runtime).exists()) return runtime + "/cardwise.socket";
    return QString("cardwise-%1").arg(::getuid());
}

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::receive);
}

bool SingleInstance::claim(const QStringList& decks) {
    if (handOver(decks)) return false;
    if (listen()) return true;
    // Someone may have started listening between our two tries.
    if (handOver(decks)) return false;
    return true;
}

bool SingleInstance::handOver(const QStringList& decks) {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kTimeoutMs)) return false;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << kMagic << decks;
    socket.write(bytes);
    if (!socket.waitForBytesWritten(kTimeoutMs)) return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kTimeoutMs);
    return true;
}

bool SingleInstance::listen() {
    if (server_.listen(name_)) return true;
    if (server_.serverError() != QAbstractSocket::AddressInUseError) return false;
    QString path = name_.startsWith('/') ? name_ : QDir::tempPath() + "/" + name_;
    if (!staleSocketOfOurs(path)) return false;
    QLocalServer::removeServer(name_);
    return server_.listen(name_);
}

void SingleInstance::receive() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto read = [this, socket] {
            QDataStream in(socket);
            in.startTransaction();
            quint32 magic = 0;
            QStringList decks;
            in >> magic >> decks;
            if (!in.commitTransaction()) return;
            socket->disconnectFromServer();
            if (magic == kMagic) emit decksHandedOver(decks);
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        if (socket->bytesAvailable() > 0) read();
    }
}

}  // namespace cardwise::gui
