// The Designer plugin as Designer itself finds it: loaded from the build.

#include <QPluginLoader>
#include <QTest>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

class TestDesignerPlugin : public QObject
{
    Q_OBJECT

private slots:
    void listsBothWidgetsOnTheirPages()
    {
        QPluginLoader loader(QStringLiteral(EMOTIPAD_DESIGNER_PLUGIN));
        QObject* instance = loader.instance();
        QVERIFY2(instance, qPrintable(loader.errorString()));
        auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(instance);
        QVERIFY(collection);

        QStringList entries;
        for (QDesignerCustomWidgetInterface* w : collection->customWidgets()) {
            entries << w->name() + QLatin1Char('@') + w->group();
            QWidget parent;
            QWidget* made = w->createWidget(&parent);
            QVERIFY(made);
            QCOMPARE(QString::fromLatin1(made->metaObject()->className()), w->name());
            QVERIFY(w->domXml().contains(QStringLiteral("class=\"%1\"").arg(w->name())));
            QCOMPARE(w->includeFile(), w->name().mid(1) + QStringLiteral(".h"));
        }
        QCOMPARE(entries, (QStringList{"TUrlShowPanel@Samples", "TTateLabel@Standard"}));
    }
};

QTEST_MAIN(TestDesignerPlugin)
#include "tst_designerplugin.moc"
