#pragma once
// Small helpers that give the windows their designed look: fonts in pixels,
// colours, and the bevels drawn as lines.

#include <QColor>
#include <QFont>
#include <QPalette>

class QFrame;
class QWidget;

namespace FormLook {

// The windows' font, "ＭＳ Ｐゴシック" unless another family is named.
QFont pixelFont(int pixels, bool bold = false, const QString& family = QString());

void setColor(QWidget* widget, QPalette::ColorRole role, const QColor& color);

// A bevel that shows only its top line, lowered: a shadow line over a
// highlight line.
void makeTopLineBevel(QFrame* frame);

// A panel with a raised outer and a lowered inner bevel on a plain colour.
void makeBevelledPanel(QFrame* frame, const QColor& color);

// Places a top-level window in the middle of the primary screen.
void centreOnScreen(QWidget* window);

} // namespace FormLook
