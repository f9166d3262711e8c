#include "systemcolors.h"

#include <QPalette>

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
        // No palette role stands for the desktop. Teal is the classic desktop
        // colour of the platform the window was designed on, and it reads at
        // better than 4:1 on the light grey of a 3D face.
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
