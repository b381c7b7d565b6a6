// The splash form: shown modally when the main window first appears, closed by its timer.
#pragma once

#include <QDialog>

class QLabel;
class QTimer;

class TfrmStart : public QDialog {
    Q_OBJECT
public:
    explicit TfrmStart(QWidget *parent = nullptr);

    QTimer *TimerStart = nullptr;
    // The timer's handler: shows the main window and closes the splash.
    void TimerStartTimer();
    void ImageLogoClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *Label1 = nullptr;
};

// The resident splash form, created at start.
extern TfrmStart *frmStart;
