#include "ui/DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QTimer>
#include <QVariantMap>

DesktopNotifier::DesktopNotifier(QObject* parent)
    : QObject(parent)
    , m_waitTimer(new QTimer(this))
    , m_clock([] { return QDeadlineTimer::current().deadline(); })
{
    m_waitTimer->setSingleShot(true);
    connect(m_waitTimer, &QTimer::timeout, this, &DesktopNotifier::showWaiting);
}

void DesktopNotifier::setClock(std::function<qint64()> clock)
{
    m_clock = std::move(clock);
}

void DesktopNotifier::notify(const QString& title, const QString& body)
{
    if (const auto note = m_throttle.offer(title, body, m_clock()))
        show(*note);
    else if (!m_waitTimer->isActive())
        m_waitTimer->start(int(qMax(qint64(0), m_throttle.dueAt() - m_clock())));
}

void DesktopNotifier::showWaiting()
{
    if (const auto note = m_throttle.due(m_clock())) {
        if (!m_quiet())
            show(*note);
    } else if (m_throttle.dueAt() >= 0)
        m_waitTimer->start(int(qMax(qint64(1), m_throttle.dueAt() - m_clock())));
}

// Notify(app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout).
// The reply (the notification's number) is not needed.
void DesktopNotifier::show(const NotificationThrottle::Note& note)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QVariantMap hints{
        {QStringLiteral("desktop-entry"), QStringLiteral("example.kxvantric.VantricChat")}};
    call << QStringLiteral("Vantric Chat") << 0u << QStringLiteral("vantric-chat") << note.title
         << note.body << QStringList() << hints << -1;
    bus.send(call);
}
