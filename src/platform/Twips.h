#pragma once

#include <QRect>

// Window layouts are given in twips (1440 to the inch). At 96 dpi fifteen twips make one
// pixel; Qt's high-dpi scaling takes care of other screens.
constexpr int Px(int twips)
{
    return (twips + 7) / 15;
}

constexpr QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(Px(left), Px(top), Px(width), Px(height));
}
