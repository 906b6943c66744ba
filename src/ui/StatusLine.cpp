#include "ui/StatusLine.h"

#include <QLabel>

StatusLine::StatusLine(QWidget* parent)
    : QStatusBar(parent)
    , m_text(new QLabel(this))
{
    setSizeGripEnabled(false);
    m_text->setTextFormat(Qt::PlainText);
    addWidget(m_text, 1);
}

QString StatusLine::SimpleText() const
{
    return m_text->text();
}

void StatusLine::SetSimpleText(const QString& text)
{
    m_text->setText(text);
}
