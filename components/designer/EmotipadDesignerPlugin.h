#pragma once
// Offers TUrlShowPanel and TTateLabel in Qt Designer's widget box, each in
// the group named after its palette page.

#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <functional>

class ComponentWidgetInterface : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    using Factory = std::function<QWidget*(QWidget* parent)>;

    ComponentWidgetInterface(const QString& className, const QString& page, const QString& domXml,
                             Factory factory, QObject* parent);

    QString name() const override { return m_className; }
    QString group() const override { return m_page; }
    QString includeFile() const override { return m_className.mid(1) + QStringLiteral(".h"); }
    QIcon icon() const override { return {}; }
    QString toolTip() const override { return m_className; }
    QString whatsThis() const override { return m_className; }
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* parent) override { return m_factory(parent); }
    bool isInitialized() const override { return m_initialized; }
    void initialize(QDesignerFormEditorInterface*) override { m_initialized = true; }
    QString domXml() const override { return m_domXml; }

private:
    QString m_className;
    QString m_page;
    QString m_domXml;
    Factory m_factory;
    bool m_initialized = false;
};

class EmotipadDesignerPlugin : public QObject, public QDesignerCustomWidgetCollectionInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

public:
    explicit EmotipadDesignerPlugin(QObject* parent = nullptr);
    QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return m_widgets; }

private:
    QList<QDesignerCustomWidgetInterface*> m_widgets;
};
