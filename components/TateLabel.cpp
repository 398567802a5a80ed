#include "TateLabel.h"

#include "Palette.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

namespace {

// Every line is one line: tabs expand and nothing is clipped, and "&" marks
// the next character as the accelerator ("&&" shows one "&").
constexpr int kTextFlags = Qt::TextSingleLine | Qt::TextExpandTabs | Qt::TextDontClip | Qt::TextShowMnemonic;

Qt::Alignment qtAlignment(int flags)
{
    Qt::Alignment a;
    if (flags & TTateLabel::DT_RIGHT)
        a |= Qt::AlignRight;
    else if (flags & TTateLabel::DT_CENTER)
        a |= Qt::AlignHCenter;
    else
        a |= Qt::AlignLeft;
    if (flags & TTateLabel::DT_BOTTOM)
        a |= Qt::AlignBottom;
    else if (flags & TTateLabel::DT_VCENTER)
        a |= Qt::AlignVCenter;
    else
        a |= Qt::AlignTop;
    return a;
}

} // namespace

TTateLabel::TTateLabel(QWidget* parent) : QWidget(parent)
{
    resize(56, 12);
    // Built here as well as on every font change, so that a label whose font
    // never changes still measures and draws with a font of its own.
    TateFontSakusei();
}

TTateLabel::~TTateLabel() = default;

void TTateLabel::SetTategaki(bool on)
{
    // Also when unchanged: callers use it to rebuild and re-measure.
    m_tategaki = on;
    TateFontSakusei();
    AdjustBounds();
}

void TTateLabel::SetAutoSize(bool on)
{
    if (on == m_autoSize)
        return;
    m_autoSize = on;
    AdjustBounds();
}

void TTateLabel::SetAlignment(TAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    update();
}

void TTateLabel::SetLayout(TTextLayout layout)
{
    if (layout == m_layout)
        return;
    m_layout = layout;
    update();
}

void TTateLabel::SetCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
    AdjustBounds();
}

void TTateLabel::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void TTateLabel::SetFontColor(TColor color)
{
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    update();
}

void TTateLabel::SetTransparent(bool on)
{
    if (on == m_transparent)
        return;
    m_transparent = on;
    update();
}

void TTateLabel::Loaded()
{
    m_loading = false;
    AdjustBounds();
}

void TTateLabel::TateFontSakusei()
{
    // The drawing font is the label's font; vertical writing turns the whole
    // line by 270 degrees counter-clockwise, and every character with it, in
    // the same face (no vertical variant of the glyphs is chosen).
    m_drawFont = font();
    m_escapement = m_tategaki ? 2700 : 0;
}

void TTateLabel::FontChanged()
{
    TateFontSakusei();
    AdjustBounds();
}

QSize TTateLabel::TextExtent() const
{
    const QFontMetrics fm(m_drawFont);
    return QSize(fm.horizontalAdvance(m_caption), fm.height());
}

void TTateLabel::AdjustBounds()
{
    if (!m_loading && m_autoSize) {
        const QSize extent = TextExtent();
        // resize() keeps Left and Top whatever the alignment.
        if (m_escapement == 2700)
            resize(extent.height(), extent.width());
        else
            resize(extent.width(), extent.height());
    }
    update();
}

void TTateLabel::OffsetText(QRect& rect, int& horizontalFlag, int& verticalFlag) const
{
    // The line is placed by its unrotated size cx x cy, but once turned it
    // hangs cx pixels down and cy pixels to the left of its start point. The
    // offsets move the rectangle so that the turned block, cy wide and cx
    // tall, lands where Alignment and Layout ask.
    const QSize extent = TextExtent();
    const int cx = extent.width();
    const int cy = extent.height();
    const bool vertical = m_escapement == 2700;
    int dx = 0;
    int dy = 0;
    switch (m_alignment) {
    case taLeftJustify:
        horizontalFlag = DT_LEFT;
        dx = cy;
        break;
    case taRightJustify:
        horizontalFlag = DT_RIGHT;
        dx = cx;
        break;
    case taCenter:
        horizontalFlag = DT_CENTER;
        dx = (cx + cy) / 2;
        break;
    }
    switch (m_layout) {
    case tlTop:
        verticalFlag = DT_TOP;
        dy = 0;
        break;
    case tlCenter:
        verticalFlag = DT_VCENTER;
        dy = (cy - cx) / 2;
        break;
    case tlBottom:
        verticalFlag = DT_BOTTOM;
        dy = cy - cx;
        break;
    }
    if (vertical)
        rect.translate(dx, dy);
}

void TTateLabel::drawLine(QPainter& painter, const QRect& rect, int flags) const
{
    if (m_escapement != 2700) {
        painter.drawText(rect, int(qtAlignment(flags)) | kTextFlags, m_caption);
        return;
    }
    // Place the line as an unrotated one would be placed in `rect` (by the
    // width it shows, after "&" handling), then turn it about its start point.
    const QFontMetrics fm(m_drawFont);
    const int shown = fm.size(kTextFlags, m_caption).width();
    const int lineHeight = fm.height();
    int x = rect.left();
    if (flags & DT_RIGHT)
        x = rect.left() + rect.width() - shown;
    else if (flags & DT_CENTER)
        x = rect.left() + (rect.width() - shown) / 2;
    int y = rect.top();
    if (flags & DT_BOTTOM)
        y = rect.top() + rect.height() - lineHeight;
    else if (flags & DT_VCENTER)
        y = rect.top() + (rect.height() - lineHeight) / 2;

    painter.save();
    painter.translate(x, y);
    painter.rotate(90);
    painter.drawText(QRect(0, 0, shown, lineHeight), Qt::AlignLeft | Qt::AlignTop | kTextFlags, m_caption);
    painter.restore();
}

void TTateLabel::Paint(QPainter& painter)
{
    QRect rect(0, 0, width(), height());
    if (!m_transparent)
        painter.fillRect(rect, ColorToQColor(m_color, palette()));

    int horizontalFlag = DT_LEFT;
    int verticalFlag = DT_TOP;
    OffsetText(rect, horizontalFlag, verticalFlag);
    const int flags = horizontalFlag | verticalFlag;

    painter.setFont(m_drawFont);
    if (isEnabled()) {
        painter.setPen(ColorToQColor(m_fontColor, palette()));
        drawLine(painter, rect, flags);
    } else {
        // Engraved: a light copy one pixel below and right, the shadow on top.
        painter.setPen(ColorToQColor(clBtnHighlight, palette()));
        drawLine(painter, rect.translated(1, 1), flags);
        painter.setPen(ColorToQColor(clBtnShadow, palette()));
        drawLine(painter, rect, flags);
    }
}

void TTateLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Paint(painter);
}

void TTateLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        FontChanged();
    QWidget::changeEvent(event);
}

namespace TateLabel {
void Register()
{
    Palette::RegisterComponents(QStringLiteral("Standard"), {QStringLiteral("TTateLabel")});
}
} // namespace TateLabel
