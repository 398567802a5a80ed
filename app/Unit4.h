#pragma once
// TForm4, the save-confirmation dialog: asks whether the edited dictionary is
// to be saved, with a blinking face. exec() returns 6 for "はい", 7 for "いいえ".

#include <QDialog>

#include <memory>

class QTimer;

namespace Ui {
class TForm4;
}

class TForm4 : public QDialog
{
    Q_OBJECT
public:
    static constexpr int ResultYes = 6;
    static constexpr int ResultNo = 7;

    explicit TForm4(QWidget* parent = nullptr);
    ~TForm4() override;

    bool blinkPhase() const { return m_blinkPhase; }
    QTimer* blinkTimer() const { return m_timer; }

    // One blink step; the timer calls it every 500 ms.
    void Timer1Timer();

public slots:
    // Neither button cancels: Escape and the window manager's close do nothing.
    void reject() override {}

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();

    std::unique_ptr<Ui::TForm4> m_ui;
    QTimer* m_timer;
    bool m_blinkPhase = false;
};
