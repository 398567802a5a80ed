#include "UrlShowPanel.h"

#include "Palette.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace {

constexpr int kShowNormal = 1;

void defaultShellOpen(QWidget*, const QString&, const QString& file, int)
{
    // Web addresses go as they are; anything else (a path, a bare host name)
    // is read the way a user would mean it. The result is deliberately not
    // examined: a link that does not open is the desktop's to report.
    const QUrl url =
        file.contains(QStringLiteral("://")) ? QUrl(file) : QUrl::fromUserInput(file, QDir::currentPath());
    QDesktopServices::openUrl(url);
}

TUrlShowPanel::ShellOpenFunction& shellOpen()
{
    static TUrlShowPanel::ShellOpenFunction open = defaultShellOpen;
    return open;
}

} // namespace

TUrlShowPanel::TUrlShowPanel(QWidget* parent)
    : CustomPanel(parent), m_url(QStringLiteral("http://")), m_onMouseColor(clRed), m_offMouseColor(clBlue),
      m_color(clBtnFace), m_fontSize(9)
{
    // The panel's font is its own: 9 points whatever the window's font.
    QFont f = font();
    f.setPointSize(9);
    setFont(f);
    SetFontColor(m_offMouseColor);
    SetBackgroundColor(m_color);
    resize(180, 25);
}

TUrlShowPanel::~TUrlShowPanel() = default;

void TUrlShowPanel::SetUrl(const QString& url)
{
    m_url = url;
}

void TUrlShowPanel::SetPageTitle(const QString& title)
{
    SetCaption(title);
}

void TUrlShowPanel::SetOnMouseColor(TColor color)
{
    // Shows from the next pointer entry on.
    m_onMouseColor = color;
}

void TUrlShowPanel::SetOffMouseColor(TColor color)
{
    m_offMouseColor = color;
    SetFontColor(color);
}

void TUrlShowPanel::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    SetParentColor(false);
    NotifyColorChanged();
    SetBackgroundColor(color);
}

void TUrlShowPanel::SetFont_Size(int points)
{
    QFont f = font();
    // QFont refuses sizes below 1; the stored value is still what was asked.
    if (points > 0)
        f.setPointSize(points);
    setFont(f);
    m_fontSize = points;
}

void TUrlShowPanel::SetFont_Bold(bool bold)
{
    m_fontBold = bold;
    applyStyle(false);
}

void TUrlShowPanel::applyStyle(bool underline)
{
    QFont f = font();
    f.setBold(m_fontBold);
    f.setUnderline(underline);
    f.setItalic(false);
    f.setStrikeOut(false);
    setFont(f);
    update();
}

void TUrlShowPanel::Click()
{
    // Never raises the base click: the link is the panel's only action.
    shellOpen()(this, QStringLiteral("open"), m_url, kShowNormal);
}

void TUrlShowPanel::CMMouseEnter()
{
    SetFontColor(m_onMouseColor);
    applyStyle(true);
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TUrlShowPanel::CMMouseLeave()
{
    SetFontColor(m_offMouseColor);
    applyStyle(false);
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TUrlShowPanel::SetShellOpen(ShellOpenFunction open)
{
    shellOpen() = open ? std::move(open) : ShellOpenFunction(defaultShellOpen);
}

namespace UrlShowPanel {
void Register()
{
    Palette::RegisterComponents(QStringLiteral("Samples"), {QStringLiteral("TUrlShowPanel")});
}
} // namespace UrlShowPanel
