#pragma once

#include "ui/frmMain.h"

#include <QByteArray>

// Hands bytes to the main window's receive path as if the server had sent them, without a
// connection: the window reads them, as it reads its socket, no more at a time than it has
// room for, and comes back for the rest by itself.
class ArrivalFeed {
public:
    explicit ArrivalFeed(frmMain* main)
        : m_main(main)
    {
        LineDispatcher::Source source;
        source.bytesAvailable = [this] { return qint64(m_waiting.size() - m_readPos); };
        source.read = [this](qint64 maxBytes) { return take(maxBytes); };
        m_main->receiveFrom(std::move(source));
    }
    ArrivalFeed(const ArrivalFeed&) = delete;
    ArrivalFeed& operator=(const ArrivalFeed&) = delete;

    // The bytes arrive and the arrival is announced.
    void arrive(const QByteArray& bytes)
    {
        m_waiting += bytes;
        m_main->BattleSock_DataArrival();
    }

    // Bytes arrived and not read by the window yet.
    qint64 waiting() const { return m_waiting.size() - m_readPos; }

private:
    QByteArray take(qint64 maxBytes)
    {
        const qint64 size = qMin(maxBytes, waiting());
        QByteArray front = m_waiting.mid(m_readPos, size);
        m_readPos += size;
        if (m_readPos == m_waiting.size()) {
            m_waiting.clear();
            m_readPos = 0;
        }
        return front;
    }

    frmMain* m_main;
    QByteArray m_waiting;
    qsizetype m_readPos = 0;
};
