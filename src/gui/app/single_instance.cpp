#include "gui/app/single_instance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDataStream>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

#include "core/platform/settings_folder.h"

namespace cardwise::gui {
namespace {

constexpr int kTimeoutMs = 2000;
constexpr quint32 kMagic = 0x43574932;  // "CWI2": deck names as bytes
// Only asks whether a copy runs: no decks, and the first copy does not come forward.
constexpr quint32 kProbe = 0x43575052;  // "CWPR"

// The socket's address; false when the path does not fit one.
bool addressOf(const QString& name, sockaddr_un& address) {
    const QByteArray path = QFile::encodeName(name);
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || static_cast<std::size_t>(path.size()) >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    return true;
}

// A socket file left behind by a copy that crashed: a socket of this user that nobody
// answers on. Anything else at that path is not ours to remove, and a copy that is only
// slow to answer keeps its socket.
bool staleSocketOfOurs(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0) return false;
    if (!S_ISSOCK(info.st_mode) || info.st_uid != ::getuid()) return false;
    sockaddr_un address{};
    if (!addressOf(path, address)) return false;
    const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (probe < 0) return false;
    const bool refused =
        ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
        errno == ECONNREFUSED;
    ::close(probe);
    return refused;
}

// Waits for the descriptor to be ready for `events`; false after the time left.
bool waitFor(int fd, short events, std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd ready{fd, events, 0};
        const int n = ::poll(&ready, 1, static_cast<int>(left.count()));
        if (n > 0) return true;
        if (n == 0 || errno != EINTR) return false;
    }
}

// A descriptor closed when it goes out of scope.
struct Descriptor {
    int fd;
    explicit Descriptor(int f) : fd(f) {}
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
};

}  // namespace

QString SingleInstance::defaultName() {
    std::optional<std::string> folder = instanceSocketFolder(
        std::getenv("XDG_RUNTIME_DIR"), std::getenv("XDG_CACHE_HOME"), std::getenv("HOME"));
    if (!folder) return {};
    return QFile::decodeName(QByteArray::fromStdString(*folder)) + "/cardwise.socket";
}

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

SingleInstance::~SingleInstance() {
    if (server_ < 0) return;
    ::close(server_);
    // The socket file goes with the copy that listened on it.
    ::unlink(QFile::encodeName(name_).constData());
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
    sockaddr_un address{};
    if (!addressOf(name_, address)) return false;
    Descriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (socket.fd < 0) return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeoutMs);
    while (::connect(socket.fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (errno == EINTR) continue;
        // The first copy's queue is full: it is busy, not gone. Try again until the time
        // is up.
        if (errno == EAGAIN && std::chrono::steady_clock::now() < deadline) {
            ::usleep(10'000);
            continue;
        }
        if (errno != EINPROGRESS || !waitFor(socket.fd, POLLOUT, deadline)) return false;
        int error = 0;
        socklen_t size = sizeof error;
        if (::getsockopt(socket.fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) {
            return false;
        }
        break;
    }
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
    qsizetype sent = 0;
    while (sent < message.size()) {
        const ssize_t n = ::send(socket.fd, message.constData() + sent,
                                 static_cast<std::size_t>(message.size() - sent), MSG_NOSIGNAL);
        if (n > 0) {
            sent += n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            if (!waitFor(socket.fd, POLLOUT, deadline)) return false;
        } else {
            return false;
        }
    }
    // What was sent stays queued for the first copy after this end closes.
    return true;
}

bool SingleInstance::listen() {
    if (bindAndListen()) return true;
    if (errno != EADDRINUSE || !staleSocketOfOurs(name_)) return false;
    ::unlink(QFile::encodeName(name_).constData());
    return bindAndListen();
}

bool SingleInstance::bindAndListen() {
    sockaddr_un address{};
    if (!addressOf(name_, address)) {
        errno = ENAMETOOLONG;
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    // Only this user may connect, whatever the umask and the folder say.
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return false;
    }
    if (::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(fd, 8) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(address.sun_path);
        errno = error;
        return false;
    }
    server_ = fd;
    notifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SingleInstance::accept);
    return true;
}

void SingleInstance::accept() {
    for (;;) {
        const int fd = ::accept4(server_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) return;
        // A peer that is slow or says too much is cut off; it never holds the program.
        auto peer = std::make_shared<Peer>();
        peer->fd = fd;
        peer->notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        auto hangUp = [peer] {
            if (peer->fd < 0) return;
            peer->notifier->setEnabled(false);
            peer->notifier->deleteLater();
            ::close(std::exchange(peer->fd, -1));
        };
        QTimer::singleShot(kReceiveTimeoutMs, this, hangUp);
        connect(peer->notifier, &QSocketNotifier::activated, this, [this, peer, hangUp] {
            if (peer->fd >= 0 && !receive(*peer)) hangUp();
        });
    }
}

bool SingleInstance::receive(Peer& peer) {
    char chunk[4096];
    bool open = true;
    for (;;) {
        const ssize_t n = ::recv(peer.fd, chunk, sizeof chunk, 0);
        if (n > 0) {
            peer.bytes.append(chunk, n);
            if (peer.bytes.size() > 4 + kMaxMessageBytes) return false;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) break;  // all there is for now
        open = false;                         // the peer hung up or failed
        break;
    }
    // A length word, then that many bytes: the magic word and the deck names.
    if (peer.bytes.size() < 4) return open;
    QDataStream head(peer.bytes.left(4));
    quint32 length = 0;
    head >> length;
    if (length > kMaxMessageBytes || peer.bytes.size() > 4 + qint64(length)) return false;
    if (peer.bytes.size() < 4 + qint64(length)) return open;
    QDataStream message(std::exchange(peer.bytes, QByteArray()).mid(4));
    quint32 magic = 0;
    QList<QByteArray> decks;
    message >> magic >> decks;
    if (message.status() == QDataStream::Ok && magic == kMagic) emit decksHandedOver(decks);
    return false;
}

}  // namespace cardwise::gui
