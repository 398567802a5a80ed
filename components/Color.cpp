#include "Color.h"

#include <QGuiApplication>

namespace {

QPalette::ColorRole roleOf(TColor c)
{
    switch (c & 0xFF) {
    case 0x01: // desktop
    case 0x0F: // button face
        return QPalette::Button;
    case 0x05: // window
        return QPalette::Base;
    case 0x06: // window frame
    case 0x15: // 3-D dark shadow
        return QPalette::Shadow;
    case 0x08: // window text
        return QPalette::Text;
    case 0x0D: // highlight
        return QPalette::Highlight;
    case 0x0E: // highlight text
        return QPalette::HighlightedText;
    case 0x10: // button shadow
        return QPalette::Dark;
    case 0x11: // grey text
        return QPalette::PlaceholderText;
    case 0x12: // button text
        return QPalette::ButtonText;
    case 0x14: // button highlight
        return QPalette::Light;
    case 0x16: // 3-D light
        return QPalette::Midlight;
    case 0x17: // tooltip text
        return QPalette::ToolTipText;
    case 0x18: // tooltip background
        return QPalette::ToolTipBase;
    default:
        return QPalette::Window;
    }
}

} // namespace

QColor ColorToQColor(TColor c, const QPalette& palette)
{
    if (IsSystemColor(c))
        return palette.color(QPalette::Active, roleOf(c));
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

QColor ColorToQColor(TColor c)
{
    return ColorToQColor(c, QGuiApplication::palette());
}
