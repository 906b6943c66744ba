#include "ui/StatusLine.h"

#include <QLabel>
#include <QResizeEvent>

namespace {
// A label that asks for no width of its own and shows its text cut with "…" where the
// width the status bar gives it is too short, so a long text never widens the window.
class ElidedLabel : public QLabel {
public:
    explicit ElidedLabel(QWidget* parent)
        : QLabel(parent)
    {
        setTextFormat(Qt::PlainText);
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }

    QString fullText() const { return m_full; }
    void setFullText(const QString& text)
    {
        m_full = text;
        setAccessibleName(text);
        showFitting();
    }
    QSize minimumSizeHint() const override { return {0, QLabel::minimumSizeHint().height()}; }
    QSize sizeHint() const override { return {0, QLabel::sizeHint().height()}; }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QLabel::resizeEvent(event);
        showFitting();
    }

private:
    void showFitting()
    {
        setText(fontMetrics().elidedText(m_full, Qt::ElideRight, contentsRect().width()));
    }

    QString m_full;
};
} // namespace

StatusLine::StatusLine(QWidget* parent)
    : QStatusBar(parent)
    , m_text(new ElidedLabel(this))
    , m_right(new QLabel(this))
{
    setSizeGripEnabled(false);
    m_right->setTextFormat(Qt::PlainText);
    m_right->setContentsMargins(0, 0, 4, 0); // clear of the window's edge
    addWidget(m_text, 1);
    addPermanentWidget(m_right);
    m_right->hide();
}

QString StatusLine::simpleText() const
{
    return static_cast<const ElidedLabel*>(m_text)->fullText();
}

QString StatusLine::shownText() const
{
    return m_text->text();
}

void StatusLine::setSimpleText(const QString& text)
{
    static_cast<ElidedLabel*>(m_text)->setFullText(text);
}

QString StatusLine::rightText() const
{
    return m_right->text();
}

void StatusLine::setRightText(const QString& text)
{
    m_right->setText(text);
    m_right->setVisible(!text.isEmpty());
}
