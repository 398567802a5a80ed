// The components placed by a .ui form, the way the main window places its
// link panel: every property goes through its setter as uic generates it.

#include "TateLabel.h"
#include "UrlShowPanel.h"
#include "ui_LinkForm.h"

#include <QFontMetrics>
#include <QTest>

class TestForms : public QObject
{
    Q_OBJECT

private slots:
    void linkPanelFromAForm()
    {
        QWidget form;
        Ui::LinkForm ui;
        ui.setupUi(&form);
        TUrlShowPanel* panel = ui.UrlShowPanel1;
        QCOMPARE(panel->geometry(), QRect(32, 432, 135, 19));
        QCOMPARE(panel->BevelWidth(), 0);
        QCOMPARE(panel->OnMouseColor(), clLime);
        QCOMPARE(panel->OffMouseColor(), clYellow);
        // OffMouseColor recolours the text as it is read.
        QCOMPARE(panel->FontColor(), clYellow);
        QCOMPARE(panel->Color(), TColor(33023));
        QCOMPARE(panel->GetUrl(), QStringLiteral("http://www.example.jp/"));
        QCOMPARE(panel->GetPageTitle(), QStringLiteral("http://www.example.jp"));
        QCOMPARE(panel->Font_Size(), 9);
        // The hint waits for ShowHint, which the window turns on itself.
        QCOMPARE(panel->toolTip(), QString());
        panel->SetShowHint(true);
        QCOMPARE(panel->toolTip(), QStringLiteral("ピコリナホームページへ！"));
    }

    void tateLabelFromAForm()
    {
        QWidget form;
        Ui::LinkForm ui;
        ui.setupUi(&form);
        TTateLabel* label = ui.TateLabel1;
        QVERIFY(label->Tategaki());
        QCOMPARE(label->Alignment(), TTateLabel::taCenter);
        QCOMPARE(label->Layout(), TTateLabel::tlBottom);
        const QFontMetrics fm(label->font());
        QCOMPARE(label->size(), QSize(fm.height(), fm.horizontalAdvance(QStringLiteral("縦書き"))));
        QCOMPARE(label->pos(), QPoint(8, 8));
    }
};

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
