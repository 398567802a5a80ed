#pragma once
// A panel base for the visual components: it fills its background, draws an
// outer bevel and centres a one-line caption. Derived panels change only the
// data it draws (colours, font, caption) and react to the pointer through the
// virtual hooks below.

#include "Color.h"

#include <QWidget>

class CustomPanel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(TBevelCut BevelOuter READ BevelOuter WRITE SetBevelOuter)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)

public:
    enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
    Q_ENUM(TBevelCut)

    explicit CustomPanel(QWidget* parent = nullptr);

    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int width);
    TBevelCut BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TBevelCut cut);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);

    // The background colour the panel paints with.
    TColor BackgroundColor() const { return m_color; }
    void SetBackgroundColor(TColor color);

    // While ParentColor is on, the panel paints with its parent's background.
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool on);

    TColor FontColor() const { return m_fontColor; }
    void SetFontColor(TColor color);

    // The hint is kept always but shows as a tooltip only while ShowHint is on.
    QString Hint() const { return m_hint; }
    void SetHint(const QString& hint);
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool on);

    // The setter spellings that uic generates from a .ui file.
    void setBevelWidth(int width) { SetBevelWidth(width); }
    void setBevelOuter(TBevelCut cut) { SetBevelOuter(cut); }
    void setHint(const QString& hint) { SetHint(hint); }

signals:
    // The colour-changed notification: repaint and let children follow.
    void colorChanged();

protected:
    // Sends the colour-changed notification.
    void NotifyColorChanged();

    virtual void Click() {}
    virtual void CMMouseEnter() {}
    virtual void CMMouseLeave() {}

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int m_bevelWidth = 1;
    TBevelCut m_bevelOuter = bvRaised;
    QString m_caption;
    TColor m_color = clBtnFace;
    bool m_parentColor = false;
    TColor m_fontColor = clWindowText;
    bool m_pressed = false;
    QString m_hint;
    bool m_showHint = false;
};
