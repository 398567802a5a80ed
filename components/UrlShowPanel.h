#pragma once
// TUrlShowPanel: a flat panel whose caption is a link. Under the pointer the
// text takes a second colour and is underlined; a click hands Url to the
// desktop, which opens a web address in the user's browser.

#include "CustomPanel.h"

#include <QString>
#include <functional>

class TUrlShowPanel : public CustomPanel
{
    Q_OBJECT
    Q_PROPERTY(uint OnMouseColor READ OnMouseColor WRITE SetOnMouseColor)
    Q_PROPERTY(uint OffMouseColor READ OffMouseColor WRITE SetOffMouseColor)
    Q_PROPERTY(QString PageTitle READ GetPageTitle WRITE SetPageTitle)
    Q_PROPERTY(QString Url READ GetUrl WRITE SetUrl)
    Q_PROPERTY(uint Color READ Color WRITE SetColor)
    Q_PROPERTY(int Font_Size READ Font_Size WRITE SetFont_Size)
    Q_PROPERTY(bool Font_Bold READ Font_Bold WRITE SetFont_Bold)

public:
    using TNotifyEvent = std::function<void(QObject* sender)>;
    // The desktop's "open": owner window, verb, the name to open, show command.
    using ShellOpenFunction =
        std::function<void(QWidget* owner, const QString& verb, const QString& file, int showCmd)>;

    explicit TUrlShowPanel(QWidget* parent = nullptr);
    ~TUrlShowPanel() override;

    QString GetUrl() const { return m_url; }
    void SetUrl(const QString& url);
    QString GetPageTitle() const { return Caption(); }
    void SetPageTitle(const QString& title);

    TColor OnMouseColor() const { return m_onMouseColor; }
    void SetOnMouseColor(TColor color);
    TColor OffMouseColor() const { return m_offMouseColor; }
    void SetOffMouseColor(TColor color);

    // The panel's own copy of its background colour.
    TColor Color() const { return m_color; }
    void SetColor(TColor color);

    int Font_Size() const { return m_fontSize; }
    void SetFont_Size(int points);
    bool Font_Bold() const { return m_fontBold; }
    void SetFont_Bold(bool bold);

    // The setter spellings that uic generates from a .ui file.
    void setUrl(const QString& url) { SetUrl(url); }
    void setPageTitle(const QString& title) { SetPageTitle(title); }
    void setOnMouseColor(uint color) { SetOnMouseColor(color); }
    void setOffMouseColor(uint color) { SetOffMouseColor(color); }
    void setColor(uint color) { SetColor(color); }
    void setFont_Size(int points) { SetFont_Size(points); }
    void setFont_Bold(bool bold) { SetFont_Bold(bold); }

    // Raised when the pointer enters and leaves the panel.
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // Replaces how a click reaches the desktop, for tests and for hosts with a
    // shell of their own; an empty function restores the default.
    static void SetShellOpen(ShellOpenFunction open);

protected:
    void Click() override;
    void CMMouseEnter() override;
    void CMMouseLeave() override;

private:
    void applyStyle(bool underline);

    QString m_url;
    TColor m_onMouseColor;
    TColor m_offMouseColor;
    TColor m_color;
    int m_fontSize;
    bool m_fontBold = false;
};

namespace UrlShowPanel {
// Adds TUrlShowPanel to the palette page "Samples".
void Register();
} // namespace UrlShowPanel
