#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QObject>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

// How long the user-interface thread keeps a user waiting: a thread of its own posts an event
// every 50 ms, stamped with the moment it was posted, the way the window system queues a
// click or a key press whatever the program is doing; the delay is the time until the
// event is handled.
class DelayProbe : public QObject {
public:
    using Clock = std::chrono::steady_clock;

    ~DelayProbe() override { stop(); }

    void start()
    {
        m_running = true;
        m_thread = std::thread([this] {
            auto next = Clock::now();
            while (m_running) {
                next += std::chrono::milliseconds(50);
                std::this_thread::sleep_until(next);
                QCoreApplication::postEvent(this, new Stamped(Clock::now()));
            }
        });
    }

    // No event is posted after this returns; those still queued are not counted.
    void stop()
    {
        m_running = false;
        if (m_thread.joinable())
            m_thread.join();
        m_counting = false;
    }

    // Delays in microseconds, in the order handled.
    const QList<qint64>& delaysUs() const { return m_delaysUs; }

    qint64 worstUs() const
    {
        return m_delaysUs.isEmpty() ? 0 : *std::max_element(m_delaysUs.begin(), m_delaysUs.end());
    }

    // The delay that 99% of the events did not exceed.
    qint64 percentile99Us() const
    {
        if (m_delaysUs.isEmpty())
            return 0;
        QList<qint64> sorted = m_delaysUs;
        std::sort(sorted.begin(), sorted.end());
        const qsizetype index = (sorted.size() * 99 + 99) / 100 - 1;
        return sorted[std::clamp<qsizetype>(index, 0, sorted.size() - 1)];
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != StampedType)
            return QObject::event(event);
        if (m_counting) {
            const auto waited = Clock::now() - static_cast<Stamped*>(event)->posted;
            m_delaysUs.append(
                std::chrono::duration_cast<std::chrono::microseconds>(waited).count());
        }
        return true;
    }

private:
    static constexpr QEvent::Type StampedType = QEvent::Type(QEvent::User + 71);

    struct Stamped : QEvent {
        explicit Stamped(Clock::time_point at)
            : QEvent(StampedType)
            , posted(at)
        {}
        Clock::time_point posted;
    };

    std::thread m_thread;
    std::atomic<bool> m_running{false};
    bool m_counting = true;
    QList<qint64> m_delaysUs;
};
