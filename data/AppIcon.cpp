#include "AppIcon.h"

#include <QIconEngine>
#include <QPainter>
#include <QSize>
#include <QString>

namespace {

constexpr int Sizes[] = {16, 32, 48, 64};

// Knows the icon's sizes from the start but decodes the PNGs only when something draws the
// icon: the window system asks for the pixmaps when it creates a window (X11 sends them all
// to the window manager), and some never ask at all, so starting the program does not wait
// for image decoding. Drawing is left to an ordinary pixmap icon built on first use.
class LazyPngIconEngine final : public QIconEngine {
public:
    LazyPngIconEngine() = default;

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Decoded().actualSize(size, mode, state);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        // A device pixel ratio of 1 hands the request on as it is: the QIcon that called
        // this engine has already applied the screen's ratio to the size.
        return Decoded().pixmap(size, 1.0, mode, state);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        Decoded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    // The images exist for the normal, off state only, as with QIcon::addFile.
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        QList<QSize> sizes;
        if (mode == QIcon::Normal && state == QIcon::Off) {
            for (int size : Sizes)
                sizes << QSize(size, size);
        }
        return sizes;
    }

    QString key() const override { return QStringLiteral("LazyPngIconEngine"); }

    QIconEngine* clone() const override { return new LazyPngIconEngine(*this); }

private:
    LazyPngIconEngine(const LazyPngIconEngine& other) = default;

    const QIcon& Decoded()
    {
        if (m_decoded.isNull()) {
            // One hand-rendered PNG per size, so Qt picks an exact match instead of scaling
            // the 64 px image down to the 16 px title bar.
            for (int size : Sizes) {
                m_decoded.addFile(QStringLiteral(":/icons/vantric-chat-%1.png").arg(size),
                                  QSize(size, size));
            }
        }
        return m_decoded;
    }

    QIcon m_decoded;
};

} // namespace

QIcon appIcon()
{
    return QIcon(new LazyPngIconEngine);
}
