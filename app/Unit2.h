#pragma once
// TForm2, the import dialog: asks for a genre and a text file, and hands both
// to the main window through the shared state.

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class TForm2;
}

class TForm2 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    // Asks for the file to import, starting at the last one chosen; returns
    // an empty string when the person cancels. Tests put their own in place
    // of the file dialog.
    using FileChooser = std::function<QString(QWidget* parent, const QString& lastFile)>;
    static void setFileChooser(FileChooser chooser);
    static QString filter();

    QString lastFile() const { return m_lastFile; }

public slots:
    // Esc and "キャンセル".
    void reject() override;

private:
    void FormCreate();
    void BitBtn1Click();
    void BitBtn2Click();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

    std::unique_ptr<Ui::TForm2> m_ui;
    QString m_lastFile;
};
