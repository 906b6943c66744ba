#include "protocol/LineDispatcher.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <utility>

LineDispatcher::LineDispatcher(Source source, Handlers handlers, QObject* parent)
    : QObject(parent)
    , m_source(std::move(source))
    , m_handlers(std::move(handlers))
    , m_yield([] { QCoreApplication::processEvents(QEventLoop::AllEvents); })
    , m_receiveInNestedLoops(new QTimer(this))
{
    QElapsedTimer steady;
    steady.start();
    m_clock = [steady] { return steady.elapsed(); };
    m_receiveInNestedLoops->setInterval(MaxReceiveWorkMs);
    connect(m_receiveInNestedLoops, &QTimer::timeout, this, &LineDispatcher::receiveInNestedLoop);
}

LineDispatcher::~LineDispatcher() = default;

void LineDispatcher::setSource(Source source)
{
    m_source = std::move(source);
}

void LineDispatcher::setYield(std::function<void()> yield)
{
    m_yield = std::move(yield);
}

void LineDispatcher::setClock(std::function<qint64()> clock)
{
    m_clock = std::move(clock);
}

void LineDispatcher::readSource()
{
    m_received.append(m_source.read(m_received.room()));
}

// Only what the line buffer has room for is taken; the rest waits at the source, and the
// dispatch below comes back for it.
void LineDispatcher::receive()
{
    emit receiving();
    readSource();
    dispatchUnlessRunning();
}

void LineDispatcher::startAfresh()
{
    if (m_streamEnded)
        reportEndOfStream();
    m_received.clear();
}

// What the source sent last is final, so an unfinished last line (a prompt, say) is a line
// of its own; the end is reported after it, once every line before it has been handled.
void LineDispatcher::endOfStream()
{
    m_received.finish();
    m_streamEnded = true;
    dispatchUnlessRunning();
}

void LineDispatcher::stop()
{
    m_stopped = true;
}

void LineDispatcher::reportEndOfStream()
{
    m_streamEnded = false;
    if (m_handlers.endOfStream)
        m_handlers.endOfStream();
}

// A dispatch further down the stack (we are inside one of its yields) takes new lines after
// the ones it is working on, so every line keeps its place. It cannot while a pop-up menu or
// a message box opened inside that yield runs an event loop of its own: the yield returns
// only once it has closed. Then the lines are handled here, in the same order; the dispatch
// below is between two lines, never inside a handler, and goes on with what is left.
void LineDispatcher::dispatchUnlessRunning()
{
    const int loopLevel = QThread::currentThread()->loopLevel();
    if (m_dispatching && loopLevel <= m_dispatchLoopLevel)
        return;
    const bool below = std::exchange(m_dispatching, true);
    const int belowLoopLevel = std::exchange(m_dispatchLoopLevel, loopLevel);
    if (!below)
        m_receiveInNestedLoops->start();
    dispatchLines();
    if (!below)
        m_receiveInNestedLoops->stop();
    m_dispatchLoopLevel = belowLoopLevel;
    m_dispatching = below;
}

// The source announces no new bytes while its announcement is still being handled, and a
// dispatch stuck behind a menu's event loop is inside that handling. So while a dispatch
// runs, a timer looks for bytes now and then; it reads only inside such a loop.
void LineDispatcher::receiveInNestedLoop()
{
    if (QThread::currentThread()->loopLevel() > m_dispatchLoopLevel)
        receive();
}

// The source does not announce bytes that came in while this runs, nor bytes it is still
// holding because the line buffer was full, so it is read again after each turn, and before
// stopping.
void LineDispatcher::dispatchLines()
{
    qint64 yieldedAt = m_clock();
    bool handledSinceYield = false;
    QByteArray raw;
    bool unterminated = false;
    while (!m_stopped) {
        const LineBuffer::Taken taken = m_received.takeNext(&raw, &unterminated);
        if (taken != LineBuffer::Taken::Nothing) {
            if (taken == LineBuffer::Taken::Line)
                m_handlers.line(raw, unterminated);
            else
                m_handlers.droppedLine();
            handledSinceYield = true;
            if (m_clock() - yieldedAt < MaxReceiveWorkMs)
                continue;
        } else if (!handledSinceYield) {
            if (m_source.bytesAvailable() == 0 || m_received.room() == 0)
                break;
            readSource();
            continue;
        }
        m_yield();
        yieldedAt = m_clock();
        handledSinceYield = false;
        readSource();
    }
    // The end of the stream is reported after the last line that came before it.
    if (m_streamEnded && !m_stopped)
        reportEndOfStream();
}
