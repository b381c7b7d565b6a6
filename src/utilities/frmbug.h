// The fault report: opens the mail program on a report to the maker's support mailbox, with the
// product and version in the subject, and points to the forum of the maker's site.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class ClickableLabel;

class TfrmBug : public QDialog {
    Q_OBJECT
public:
    explicit TfrmBug(QWidget *parent = nullptr);

    void ButSegnalaClick();
    void ButEsciClick();
    void lblLinkClick();

private:
    void TraduciEtichette();

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QPushButton *ButSegnala = nullptr;
    QPushButton *ButEsci = nullptr;
    ClickableLabel *lblLink = nullptr;
};
