#include "ui/StatusLine.h"

#include <QLabel>

StatusLine::StatusLine(QWidget* parent)
    : QStatusBar(parent)
    , m_text(new QLabel(this))
    , m_right(new QLabel(this))
{
    setSizeGripEnabled(false);
    m_text->setTextFormat(Qt::PlainText);
    m_right->setTextFormat(Qt::PlainText);
    m_right->setContentsMargins(0, 0, 4, 0); // clear of the window's edge
    addWidget(m_text, 1);
    addPermanentWidget(m_right);
    m_right->hide();
}

QString StatusLine::simpleText() const
{
    return m_text->text();
}

void StatusLine::setSimpleText(const QString& text)
{
    m_text->setText(text);
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
