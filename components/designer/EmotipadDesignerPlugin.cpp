#include "EmotipadDesignerPlugin.h"

#include "Palette.h"
#include "TateLabel.h"
#include "UrlShowPanel.h"

#include <utility>

ComponentWidgetInterface::ComponentWidgetInterface(const QString& className, const QString& page,
                                                   const QString& domXml, Factory factory, QObject* parent)
    : QObject(parent), m_className(className), m_page(page), m_domXml(domXml), m_factory(std::move(factory))
{
}

namespace {

// The page a class was registered on; the Register routines decide it.
QString pageOf(const QString& className)
{
    for (const QString& page : Palette::Pages()) {
        if (Palette::ComponentsOn(page).contains(className))
            return page;
    }
    return QStringLiteral("Emotipad");
}

QString domXmlFor(const QString& className, const QString& objectName, int width, int height)
{
    return QStringLiteral("<ui language=\"c++\"><widget class=\"%1\" name=\"%2\">"
                          "<property name=\"geometry\"><rect><x>0</x><y>0</y>"
                          "<width>%3</width><height>%4</height></rect></property>"
                          "</widget></ui>")
        .arg(className, objectName)
        .arg(width)
        .arg(height);
}

} // namespace

EmotipadDesignerPlugin::EmotipadDesignerPlugin(QObject* parent) : QObject(parent)
{
    UrlShowPanel::Register();
    TateLabel::Register();

    const QString panel = QStringLiteral("TUrlShowPanel");
    m_widgets.append(new ComponentWidgetInterface(
        panel, pageOf(panel), domXmlFor(panel, QStringLiteral("UrlShowPanel1"), 180, 25),
        [](QWidget* parent) { return new TUrlShowPanel(parent); }, this));
    const QString label = QStringLiteral("TTateLabel");
    m_widgets.append(new ComponentWidgetInterface(
        label, pageOf(label), domXmlFor(label, QStringLiteral("TateLabel1"), 56, 12),
        [](QWidget* parent) { return new TTateLabel(parent); }, this));
}
