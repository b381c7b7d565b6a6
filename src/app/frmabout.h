// The About form: product, version and the maker's addresses.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class ClickableLabel;

class TFrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFrmAbout(QWidget *parent = nullptr);

    QLabel *LabelPrg = nullptr;
    QLabel *LabelVers = nullptr;

    void sbEsciClick();
    void lblLinkClick();
    void Label13Click();

private:
    void TraduciEtichette();
    QLabel *LabelTitolo = nullptr;
    QLabel *LabelTitolo2 = nullptr;
    QLabel *LabelNomeVersione = nullptr;
    QLabel *LabelTitolo3 = nullptr;
    QPushButton *sbEsci = nullptr;
};

// The resident About form, created at start.
extern TFrmAbout *FrmAbout;
