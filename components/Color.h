#pragma once
// TColor: the 32-bit colour of the component properties. A plain colour is
// 0x00BBGGRR (red in the low byte); a value with the top bit set names a
// system colour, which is looked up in the application's palette each time it
// is drawn, so a palette change recolours every control that uses it.

#include <QColor>
#include <QPalette>
#include <cstdint>

using TColor = std::uint32_t;

// Plain colours.
constexpr TColor clBlack = 0x000000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clWhite = 0xFFFFFF;

// System colours.
constexpr TColor clWindow = 0x80000005;
constexpr TColor clWindowText = 0x80000008;
constexpr TColor clBtnFace = 0x8000000F;
constexpr TColor clBtnShadow = 0x80000010;
constexpr TColor clGrayText = 0x80000011;
constexpr TColor clBtnText = 0x80000012;
constexpr TColor clBtnHighlight = 0x80000014;

constexpr bool IsSystemColor(TColor c)
{
    return (c & 0x80000000u) != 0;
}

// Builds a plain colour from its components.
constexpr TColor RGBColor(int r, int g, int b)
{
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}

// The colour to paint with. System colours come from `palette` (the
// application's palette when none is given); a system index we do not know
// falls back to the window colour rather than to an arbitrary black.
QColor ColorToQColor(TColor c, const QPalette& palette);
QColor ColorToQColor(TColor c);
