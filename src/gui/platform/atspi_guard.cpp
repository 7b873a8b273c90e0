#include "gui/platform/atspi_guard.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QPointer>
#include <QTimer>

namespace cardwise::gui {
namespace {

constexpr const char* kAccessiblePath = "/org/a11y/atspi/accessible";
constexpr const char* kPropertiesInterface = "org.freedesktop.DBus.Properties";
// The bridge comes up a moment after the accessibility bus answers.
constexpr int kRetryMs = 250;
constexpr int kRetries = 40;
constexpr const char* kGuardName = "cardwiseAtspiGuard";

class BridgeGuard : public QDBusVirtualObject {
  public:
    BridgeGuard(QDBusVirtualObject* bridge, QObject* parent)
        : QDBusVirtualObject(parent), bridge_(bridge) {
        setObjectName(QLatin1String(kGuardName));
    }

    QString introspect(const QString& path) const override {
        return bridge_ ? bridge_->introspect(path) : QString();
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() == QLatin1String(kPropertiesInterface) &&
            message.arguments().size() < 2) {
            connection.send(message.createErrorReply(
                QDBusError::NotSupported,
                QStringLiteral("Read the properties one at a time with Get")));
            return true;
        }
        return bridge_ ? bridge_->handleMessage(message, connection) : false;
    }

  private:
    QPointer<QDBusVirtualObject> bridge_;
};

// Swaps the bridge for the guard on the connection that carries it; false until the bridge
// is there.
bool guardConnection(QDBusConnection connection) {
    if (!connection.isConnected()) return false;
    QObject* registered = connection.objectRegisteredAt(QLatin1String(kAccessiblePath));
    if (registered != nullptr && registered->objectName() == QLatin1String(kGuardName)) return true;
    auto* bridge = qobject_cast<QDBusVirtualObject*>(registered);
    if (bridge == nullptr) return false;
    auto* guard = new BridgeGuard(bridge, bridge);
    connection.unregisterObject(QLatin1String(kAccessiblePath));
    if (!connection.registerVirtualObject(QLatin1String(kAccessiblePath), guard,
                                          QDBusConnection::SubPath)) {
        // Never leave the tree without its bridge.
        delete guard;
        connection.registerVirtualObject(QLatin1String(kAccessiblePath), bridge,
                                         QDBusConnection::SubPath);
        return false;
    }
    return true;
}

void tryGuard(int retriesLeft) {
    // Qt names the accessibility bus's connection "a11y".
    if (guardConnection(QDBusConnection(QStringLiteral("a11y")))) return;
    if (retriesLeft <= 0 || QCoreApplication::instance() == nullptr) return;
    QTimer::singleShot(kRetryMs, QCoreApplication::instance(),
                       [retriesLeft] { tryGuard(retriesLeft - 1); });
}

// Lives as long as the application; the bridge is made when accessibility turns on.
class ActivationWatch : public QObject, public QAccessible::ActivationObserver {
  public:
    explicit ActivationWatch(QObject* parent) : QObject(parent) {
        QAccessible::installActivationObserver(this);
        if (QAccessible::isActive()) accessibilityActiveChanged(true);
    }
    ~ActivationWatch() override { QAccessible::removeActivationObserver(this); }
    void accessibilityActiveChanged(bool active) override {
        if (active) QTimer::singleShot(0, this, [] { tryGuard(kRetries); });
    }
};

}  // namespace

void guardAccessibilityBridge() {
    if (QCoreApplication::instance() != nullptr) new ActivationWatch(QCoreApplication::instance());
}

}  // namespace cardwise::gui
