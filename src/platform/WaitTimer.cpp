#include "platform/WaitTimer.h"

#include <QList>

namespace {
struct HandClock {
    bool on = false;
    qint64 now = 0;
    QList<WaitTimer*> running; // every WaitTimer removes itself when it stops or dies
};

HandClock& handClock()
{
    static HandClock clock;
    return clock;
}
} // namespace

WaitTimer::WaitTimer(QObject* parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &WaitTimer::elapse);
}

WaitTimer::~WaitTimer()
{
    handClock().running.removeAll(this);
}

void WaitTimer::start(int milliseconds)
{
    stop();
    m_interval = milliseconds;
    m_active = true;
    HandClock& clock = handClock();
    if (clock.on) {
        m_deadline = clock.now + milliseconds;
        clock.running.append(this);
    } else {
        m_timer.start(milliseconds);
    }
}

void WaitTimer::stop()
{
    m_active = false;
    m_timer.stop();
    handClock().running.removeAll(this);
}

void WaitTimer::elapse()
{
    stop();
    emit timeout();
}

void WaitTimer::useHandClock(bool on)
{
    HandClock& clock = handClock();
    for (WaitTimer* timer : std::as_const(clock.running))
        timer->m_active = false;
    clock = HandClock();
    clock.on = on;
}

void WaitTimer::advanceHandClock(int milliseconds)
{
    HandClock& clock = handClock();
    const qint64 target = clock.now + milliseconds;
    for (;;) {
        WaitTimer* due = nullptr;
        for (WaitTimer* timer : std::as_const(clock.running)) {
            if (timer->m_deadline <= target && (!due || timer->m_deadline < due->m_deadline))
                due = timer;
        }
        if (!due)
            break;
        clock.now = due->m_deadline;
        due->elapse();
    }
    clock.now = target;
}
