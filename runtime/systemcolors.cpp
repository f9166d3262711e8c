#include "systemcolors.h"

#include <QPalette>

#include <cmath>

namespace {

enum SystemColorIndex : int {
    Desktop = 1,
    WindowBackground = 5,
    WindowText = 8,
    Highlight = 13,
    ButtonFace = 15,
    ButtonText = 18,
};

} // namespace

QColor systemColor(int index, const QPalette& palette)
{
    switch (index) {
    case Desktop:
        // No palette role stands for the desktop: teal, the classic desktop
        // colour, reads at better than 4:1 on the light grey of a 3D face; on
        // a dark face readableOn lightens it.
        return QColor(0x00, 0x80, 0x80);
    case WindowBackground:
        return palette.color(QPalette::Base);
    case WindowText:
        return palette.color(QPalette::Text);
    case Highlight:
        return palette.color(QPalette::Highlight);
    case ButtonFace:
        return palette.color(QPalette::Button);
    case ButtonText:
        return palette.color(QPalette::ButtonText);
    }
    return {};
}

namespace {

double luminance(const QColor& color)
{
    auto channel = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) +
           0.0722 * channel(color.blueF());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& text, const QColor& background, double ratio)
{
    const bool darkBackground = luminance(background) < 0.18;
    QColor color = text;
    // Twenty steps of lightness reach white or black, which read on any
    // background at better than 3:1 on one side or the other.
    for (int step = 0; step < 20 && contrastRatio(color, background) < ratio; ++step)
        color = darkBackground ? color.lighter(115) : color.darker(115);
    if (contrastRatio(color, background) < ratio)
        color = darkBackground ? QColor(Qt::white) : QColor(Qt::black);
    return color;
}
