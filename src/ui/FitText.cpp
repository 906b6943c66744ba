#include "ui/FitText.h"

#include <QFontMetrics>
#include <QLabel>

void fitCaption(QLabel* label)
{
    QFont font = label->font();
    qreal size = font.pointSizeF();
    const QString caption = label->text().remove(QLatin1Char('&'));
    while (size > 6 && QFontMetrics(font).horizontalAdvance(caption) > label->width()) {
        size -= 0.5;
        font.setPointSizeF(size);
    }
    if (font != label->font())
        label->setFont(font);
}
