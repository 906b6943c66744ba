#include "ui/LineKinds.h"

#include <QtMath>

#include <algorithm>

namespace {

double channel(double c)
{
    return c <= 0.04045 ? c / 12.92 : qPow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour)
{
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

// The colour with its hue and saturation, made darker or lighter (whichever end contrasts
// more with the backgrounds) until it contrasts enough with both. Black or white always
// does, so the search ends.
QColor readableOn(QColor colour, const QColor& background, const QColor& tint)
{
    const auto enough = [&](const QColor& c) {
        return contrastRatio(c, background) >= MinContrast && contrastRatio(c, tint) >= MinContrast;
    };
    const bool darker =
        contrastRatio(Qt::black, background) >= contrastRatio(Qt::white, background);
    float hue = 0;
    float saturation = 0;
    float lightness = 0;
    colour.getHslF(&hue, &saturation, &lightness);
    while (!enough(colour) && lightness > 0.0f && lightness < 1.0f) {
        lightness = std::clamp(lightness + (darker ? -0.02f : 0.02f), 0.0f, 1.0f);
        colour = QColor::fromHslF(hue, saturation, lightness);
    }
    return colour;
}

// A hue for a kind, at middle lightness: readableOn moves it just far enough towards dark
// or light, which keeps it as colourful as the contrast allows.
QColor hued(int hue, int saturation)
{
    return QColor::fromHsl(hue, saturation, 128);
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

LogColours logColours(const QPalette& palette)
{
    LogColours colours;
    colours.background = palette.color(QPalette::Active, QPalette::Base);
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    // A fifth of the way from the background to the highlight: visible, but quiet enough
    // for the line's own colour to stay readable on it.
    const QColor highlight = palette.color(QPalette::Active, QPalette::Highlight);
    const QColor& base = colours.background;
    colours.mention = QColor::fromRgbF(base.redF() * 0.8f + highlight.redF() * 0.2f,
                                       base.greenF() * 0.8f + highlight.greenF() * 0.2f,
                                       base.blueF() * 0.8f + highlight.blueF() * 0.2f);
    const auto kind = [&](LineKind k, const QColor& c) {
        colours.text[static_cast<int>(k)] = readableOn(c, base, colours.mention);
    };
    kind(LineKind::Plain, text);
    kind(LineKind::Talk, text);
    kind(LineKind::OwnEcho, hued(210, 160));    // blue
    kind(LineKind::WhisperIn, hued(300, 200));  // magenta
    kind(LineKind::WhisperOut, hued(270, 120)); // violet
    kind(LineKind::Emote, hued(30, 220));       // amber
    kind(LineKind::Info, hued(150, 200));       // green
    kind(LineKind::Error, hued(0, 220));        // red
    kind(LineKind::JoinLeave, hued(0, 0));      // grey
    colours.link =
        readableOn(palette.color(QPalette::Active, QPalette::Link), base, colours.mention);
    return colours;
}
