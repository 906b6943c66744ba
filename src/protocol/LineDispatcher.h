#pragma once

#include "protocol/LineBuffer.h"

#include <QByteArray>
#include <QObject>

#include <functional>

class QTimer;

// The receive pump: takes the connection's bytes, cuts them into lines (LineBuffer.h) and
// hands each line to its handler, in the order the server sent them, while the window keeps
// answering.
//
// - Only what the line buffer has room for is read; the rest waits at the source, so a fast
//   sender is held back by TCP flow control and not by the client's memory growing.
// - The window gets a turn (the yield) after at most MaxReceiveWorkMs of work and after the
//   last line of each arrival, so a long burst does not freeze it and a quiet stream does
//   not pay for a repaint on every line.
// - Whatever runs inside a yield may bring more bytes; they are handled after the lines
//   already being handled. A handler that opens a menu or a message box runs an event loop
//   of its own; lines that arrive meanwhile are shown at once, in order.
// - The end of the stream is reported after every line that came before it.
//
// Qt Core only: the source of the bytes and the handlers are given as functions.
class LineDispatcher : public QObject {
    Q_OBJECT
public:
    // Longest stretch of receive work before the window gets a turn, in milliseconds.
    static constexpr int MaxReceiveWorkMs = 20;

    // Where the bytes come from. A source announces new bytes by a call of receive(); it is
    // read again after each turn, as it does not announce bytes while one is being handled.
    struct Source {
        std::function<qint64()> bytesAvailable;
        std::function<QByteArray(qint64 maxBytes)> read;
    };
    struct Handlers {
        // A complete line, without its line end; `unterminated` when it had none (cut by
        // the server, or unfinished when the stream ended).
        std::function<void(const QByteArray& line, bool unterminated)> line;
        // A line stood here that was too long to keep (LineBuffer::MaxLineLength).
        std::function<void()> droppedLine;
        // The stream has ended and every line before the end has been handled.
        std::function<void()> endOfStream;
    };

    LineDispatcher(Source source, Handlers handlers, QObject* parent = nullptr);
    ~LineDispatcher() override;

    // Reads from another source from now on.
    void setSource(Source source);
    // Runs every waiting window event; by default QCoreApplication::processEvents().
    void setYield(std::function<void()> yield);
    // Milliseconds from any fixed point, for the turn rule; by default a steady clock.
    void setClock(std::function<qint64()> clock);

    // The source has new bytes: takes what there is room for and handles the lines, unless
    // a dispatch below on the stack will take them after its own.
    void receive();
    // Handles every complete line buffered, in order, and then whatever the source holds.
    void dispatchLines();
    // The stream has ended: an unfinished last line is handled as a line of its own, then
    // the end is reported.
    void endOfStream();
    // A new stream: the old one's unfinished line is dropped. An end of the old stream still
    // waiting behind lines being handled is reported first.
    void startAfresh();
    // No more lines for good (the program is ending): a dispatch under way stops at its
    // next line, and no end of stream is reported.
    void stop();

    // Bytes taken from the source and not handled yet.
    qsizetype bytesWaiting() const { return m_received.bufferedBytes(); }

signals:
    // receive() ran: the source announced bytes, or was looked at inside a nested loop.
    void receiving();

private:
    void dispatchUnlessRunning();
    void receiveInNestedLoop();
    void reportEndOfStream();
    void readSource();

    Source m_source;
    Handlers m_handlers;
    std::function<void()> m_yield;
    std::function<qint64()> m_clock;
    LineBuffer m_received;
    bool m_dispatching = false;
    int m_dispatchLoopLevel = 0; // event loops running when the innermost dispatch began
    QTimer* m_receiveInNestedLoops = nullptr;
    bool m_streamEnded = false; // reported once the lines before it are handled
    bool m_stopped = false;
};
