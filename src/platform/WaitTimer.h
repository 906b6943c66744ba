#pragma once

#include <QObject>
#include <QTimer>

// A one-shot wait of the connection's own (the pause before reconnecting, the patience
// with a silent server). It runs on a QTimer; tests switch all of them to a hand-driven
// clock instead, so waits of seconds pass at once and in a known order.
class WaitTimer : public QObject {
    Q_OBJECT
public:
    explicit WaitTimer(QObject* parent = nullptr);
    ~WaitTimer() override;

    // Starts the wait afresh; a wait already running is replaced.
    void start(int milliseconds);
    void stop();
    bool isActive() const { return m_active; }
    // The length of the latest wait started.
    int interval() const { return m_interval; }

    // For tests: while on, every wait started runs on a clock that moves only through
    // advanceHandClock(). Switching it off drops the waits still running on it.
    static void useHandClock(bool on);
    // Moves the hand clock on; each wait that falls due on the way ends, in the order of
    // its deadline, and may start new waits that fall due later in the same advance.
    static void advanceHandClock(int milliseconds);

signals:
    void timeout();

private:
    void elapse();

    QTimer m_timer;
    qint64 m_deadline = 0; // on the hand clock
    int m_interval = 0;
    bool m_active = false;
};
