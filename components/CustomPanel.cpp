#include "CustomPanel.h"

#include <QMouseEvent>
#include <QPainter>

CustomPanel::CustomPanel(QWidget* parent) : QWidget(parent)
{
    resize(185, 41);
}

void CustomPanel::SetBevelWidth(int width)
{
    // A negative width would paint outside in; none is the sound reading.
    width = qMax(0, width);
    if (width == m_bevelWidth)
        return;
    m_bevelWidth = width;
    update();
}

void CustomPanel::SetBevelOuter(TBevelCut cut)
{
    if (cut == m_bevelOuter)
        return;
    m_bevelOuter = cut;
    update();
}

void CustomPanel::SetCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void CustomPanel::SetBackgroundColor(TColor color)
{
    m_color = color;
    update();
}

void CustomPanel::SetParentColor(bool on)
{
    if (on == m_parentColor)
        return;
    m_parentColor = on;
    update();
}

void CustomPanel::SetFontColor(TColor color)
{
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    update();
}

void CustomPanel::SetHint(const QString& hint)
{
    m_hint = hint;
    setToolTip(m_showHint ? m_hint : QString());
}

void CustomPanel::SetShowHint(bool on)
{
    m_showHint = on;
    setToolTip(m_showHint ? m_hint : QString());
}

void CustomPanel::NotifyColorChanged()
{
    update();
    emit colorChanged();
}

void CustomPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QRect r = rect();

    QColor back = ColorToQColor(m_color, palette());
    if (m_parentColor && parentWidget())
        back = parentWidget()->palette().color(parentWidget()->backgroundRole());
    p.fillRect(r, back);

    if (m_bevelOuter != bvNone && m_bevelWidth > 0) {
        QColor topLeft = back;
        QColor bottomRight = back;
        if (m_bevelOuter == bvRaised) {
            topLeft = ColorToQColor(clBtnHighlight, palette());
            bottomRight = ColorToQColor(clBtnShadow, palette());
        } else if (m_bevelOuter == bvLowered) {
            topLeft = ColorToQColor(clBtnShadow, palette());
            bottomRight = ColorToQColor(clBtnHighlight, palette());
        }
        for (int i = 0; i < m_bevelWidth && r.width() > 0 && r.height() > 0; ++i) {
            p.setPen(topLeft);
            p.drawLine(r.left(), r.top(), r.right(), r.top());
            p.drawLine(r.left(), r.top(), r.left(), r.bottom());
            p.setPen(bottomRight);
            p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
            p.drawLine(r.right(), r.top(), r.right(), r.bottom());
            r.adjust(1, 1, -1, -1);
        }
    }

    if (!m_caption.isEmpty()) {
        p.setFont(font());
        p.setPen(ColorToQColor(m_fontColor, palette()));
        p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, m_caption);
    }
}

void CustomPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    QWidget::mousePressEvent(event);
}

void CustomPanel::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release of the left button inside the panel,
    // as with a button: dragging off the panel cancels it.
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (event->button() == Qt::LeftButton && wasPressed && rect().contains(event->position().toPoint()))
        Click();
    QWidget::mouseReleaseEvent(event);
}

void CustomPanel::enterEvent(QEnterEvent* event)
{
    CMMouseEnter();
    QWidget::enterEvent(event);
}

void CustomPanel::leaveEvent(QEvent* event)
{
    CMMouseLeave();
    QWidget::leaveEvent(event);
}
