// A gallery of the visual components: the link panel in both looks and the
// vertical label in every alignment and layout, enabled and disabled.
//
//   gallery                      shows the window
//   gallery --screenshot FILE    saves the window as an image and quits

#include "Fonts.h"
#include "TateLabel.h"
#include "UrlShowPanel.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QPixmap>
#include <QStringList>

namespace {

QLabel* heading(const QString& text, QWidget* parent, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

TUrlShowPanel* linkPanel(QWidget* parent, int x, int y, bool bold)
{
    auto* panel = new TUrlShowPanel(parent);
    panel->setGeometry(x, y, 200, 22);
    panel->SetBevelWidth(0);
    panel->SetColor(33023);
    panel->SetOnMouseColor(clLime);
    panel->SetOffMouseColor(clYellow);
    panel->SetFont_Bold(bold);
    panel->SetPageTitle(QStringLiteral("http://www.example.jp/"));
    panel->SetUrl(QStringLiteral("http://www.example.jp/"));
    return panel;
}

// Shows the hover look without a pointer, as a screenshot cannot hover.
void hover(QWidget* w)
{
    QEnterEvent e(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(w, &e);
}

TTateLabel* tateLabel(QWidget* parent, const QString& caption, int x, int y, int w, int h)
{
    auto* label = new TTateLabel(parent);
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPixelSize(14);
    label->setFont(f);
    label->move(x, y);
    label->SetTategaki(true);
    label->SetCaption(caption);
    if (w > 0) {
        label->SetAutoSize(false);
        label->resize(w, h);
    }
    label->SetColor(0xF0E0D0);
    label->SetFontColor(0x602000);
    return label;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    InstallFontSubstitutions();

    QWidget window;
    window.setWindowTitle(QStringLiteral("Gallery"));
    window.resize(600, 560);

    heading(QStringLiteral("TUrlShowPanel: normal / hover, regular / bold"), &window, 10, 8);
    linkPanel(&window, 10, 30, false);
    hover(linkPanel(&window, 220, 30, false));
    linkPanel(&window, 10, 58, true);
    hover(linkPanel(&window, 220, 58, true));
    auto* plain = new TUrlShowPanel(&window);
    plain->move(10, 86);
    plain->SetPageTitle(QStringLiteral("defaults, raised bevel"));
    plain->SetBevelWidth(2);

    heading(
        QStringLiteral("TTateLabel, Tategaki on: columns left / centre / right, rows top / centre / bottom"),
        &window, 10, 124);
    const TTateLabel::TAlignment alignmentOrder[] = {TTateLabel::taLeftJustify, TTateLabel::taCenter,
                                                     TTateLabel::taRightJustify};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            auto* label =
                tateLabel(&window, QStringLiteral("縦書き(^-^)"), 10 + col * 96, 146 + row * 126, 90, 120);
            label->SetAlignment(alignmentOrder[col]);
            label->SetLayout(TTateLabel::TTextLayout(row));
        }
    }

    heading(QStringLiteral("enabled, disabled, \"&S\", \"&&\""), &window, 320, 150);
    tateLabel(&window, QStringLiteral("顔文字パッド"), 330, 172, 0, 0);
    tateLabel(&window, QStringLiteral("顔文字パッド"), 370, 172, 0, 0)->setEnabled(false);
    tateLabel(&window, QStringLiteral("保存(&S)"), 410, 172, 0, 0);
    tateLabel(&window, QStringLiteral("A&&B"), 450, 172, 0, 0);

    auto* across = tateLabel(&window, QStringLiteral("横書き: Tategaki off, &File"), 320, 420, 0, 0);
    across->SetTategaki(false);
    auto* acrossOff = tateLabel(&window, QStringLiteral("横書き: disabled"), 320, 450, 0, 0);
    acrossOff->SetTategaki(false);
    acrossOff->setEnabled(false);

    const QStringList args = app.arguments();
    const int shot = args.indexOf(QStringLiteral("--screenshot"));
    if (shot >= 0 && shot + 1 < args.size()) {
        window.show();
        QCoreApplication::processEvents();
        return window.grab().save(args.at(shot + 1)) ? 0 : 1;
    }
    window.show();
    return app.exec();
}
