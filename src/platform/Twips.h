#pragma once

#include <QRect>

// Window layouts are given in twips (1440 to the inch). At 96 dpi fifteen twips make one
// pixel; Qt's high-dpi scaling takes care of other screens.
constexpr int px(int twips)
{
    return (twips + 7) / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}
