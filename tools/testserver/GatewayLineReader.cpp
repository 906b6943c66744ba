#include "GatewayLineReader.h"

QByteArrayList GatewayLineReader::feed(const QByteArray& bytes)
{
    QByteArrayList lines;
    for (const char byte : bytes) {
        switch (byte) {
        case '\x03':
        case '\x04':
            break;
        case '\r':
        case '\n':
            if (!m_overlong && !m_line.isEmpty())
                lines << m_line;
            m_line.clear();
            m_overlong = false;
            break;
        default:
            if (m_overlong)
                break;
            if (m_line.size() == MaxLineLength) {
                // Forget the text at once so an endless line cannot grow the buffer.
                m_line.clear();
                m_overlong = true;
                break;
            }
            m_line += byte;
        }
    }
    return lines;
}
