// The period dialog of the export: a start and an end date, an empty side taking its open default.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

class TInputDate : public QDialog {
    Q_OBJECT
public:
    explicit TInputDate(QWidget *parent = nullptr);

    QString dataInizio() const;
    QString dataFine() const;

    void OKClick();

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    QLineEdit *EDdaData = nullptr;
    QLineEdit *EDaData = nullptr;
    QPushButton *BTannulla = nullptr;
    QPushButton *BTok = nullptr;
};
