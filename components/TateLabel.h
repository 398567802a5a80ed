#pragma once
// TTateLabel: a one-line label that draws its caption across or, with
// Tategaki on, top to bottom with every character turned a quarter turn
// clockwise. It sizes itself to the caption in either direction and places
// the turned text by the usual alignment and layout settings.

#include "Color.h"

#include <QFont>
#include <QRect>
#include <QWidget>

class TTateLabel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool Tategaki READ Tategaki WRITE SetTategaki)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(uint Color READ Color WRITE SetColor)
    Q_PROPERTY(uint FontColor READ FontColor WRITE SetFontColor)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(TTextLayout Layout READ Layout WRITE SetLayout)

public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)
    enum TTextLayout { tlTop, tlCenter, tlBottom };
    Q_ENUM(TTextLayout)

    // The text-drawing flags OffsetText hands back.
    enum DrawFlag { DT_LEFT = 0, DT_CENTER = 1, DT_RIGHT = 2, DT_TOP = 0, DT_VCENTER = 4, DT_BOTTOM = 8 };

    explicit TTateLabel(QWidget* parent = nullptr);
    ~TTateLabel() override;

    bool Tategaki() const { return m_tategaki; }
    void SetTategaki(bool on);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool on);

    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);
    TTextLayout Layout() const { return m_layout; }
    void SetLayout(TTextLayout layout);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    // The colour of the label's font.
    TColor FontColor() const { return m_fontColor; }
    void SetFontColor(TColor color);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool on);

    // The setter spellings that uic generates from a .ui file. setLayout also
    // keeps QWidget's own overload for layouts of child widgets.
    void setTategaki(bool on) { SetTategaki(on); }
    void setAutoSize(bool on) { SetAutoSize(on); }
    void setAlignment(TAlignment alignment) { SetAlignment(alignment); }
    void setLayout(TTextLayout layout) { SetLayout(layout); }
    using QWidget::setLayout;
    void setCaption(const QString& caption) { SetCaption(caption); }
    void setColor(uint color) { SetColor(color); }
    void setFontColor(uint color) { SetFontColor(color); }
    void setTransparent(bool on) { SetTransparent(on); }

    // While a form is being read, size adjustment waits for Loaded().
    void BeginLoading() { m_loading = true; }
    void Loaded();

    // Builds the drawing font from the label's font and Tategaki.
    void TateFontSakusei();
    // Resizes to the caption when AutoSize is on; repaints in every case.
    void AdjustBounds();
    // Chooses the drawing flags for the client rectangle and moves it the way
    // the turned line needs; see the .cpp for the geometry.
    void OffsetText(QRect& rect, int& horizontalFlag, int& verticalFlag) const;

    // The unrotated extent of the caption in the drawing font, every "&"
    // counted: cx across, cy the line height.
    QSize TextExtent() const;

protected:
    void FontChanged();
    void Paint(QPainter& painter);

    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void drawLine(QPainter& painter, const QRect& rect, int flags) const;

    bool m_tategaki = false;
    bool m_autoSize = true;
    bool m_loading = false;
    TAlignment m_alignment = taLeftJustify;
    TTextLayout m_layout = tlTop;
    QString m_caption;
    TColor m_color = clBtnFace;
    TColor m_fontColor = clWindowText;
    bool m_transparent = false;

    // The drawing font and its escapement in tenths of a degree
    // counter-clockwise (0 or 2700).
    QFont m_drawFont;
    int m_escapement = 0;
};

namespace TateLabel {
// Adds TTateLabel to the palette page "Standard".
void Register();
} // namespace TateLabel
