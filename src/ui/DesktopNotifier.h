#pragma once

#include "ui/NotificationThrottle.h"

#include <QObject>
#include <QString>

#include <functional>

class QTimer;

// Desktop notifications through the freedesktop notification service on the session bus,
// at most one a second (NotificationThrottle). Without a session bus or a notification
// service nothing is shown, and nothing fails.
class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    explicit DesktopNotifier(QObject* parent = nullptr);

    void notify(const QString& title, const QString& body);

    // The clock in milliseconds: a monotonic one unless a test sets its own.
    void setClock(std::function<qint64()> clock);
    // While this holds (the window has become active, say), what waited is dropped when its
    // time comes instead of shown.
    void setQuietWhile(std::function<bool()> quiet) { m_quiet = std::move(quiet); }

private:
    void showWaiting();
    void show(const NotificationThrottle::Note& note);

    NotificationThrottle m_throttle;
    QTimer* m_waitTimer = nullptr;
    std::function<qint64()> m_clock;
    std::function<bool()> m_quiet = [] { return false; };
};
