// The printed standings: an A4 page with the title, the column headers, one line per team of
// Class.db, best team first, and the footer with the maker's name, web site and mailbox.
#pragma once

#include "store/query.h"
#include "ui/report.h"

class QWidget;

class TStClassifica {
public:
    TStClassifica();
    ~TStClassifica();
    TStClassifica(const TStClassifica &) = delete;
    TStClassifica &operator=(const TStClassifica &) = delete;

    // The pages as they print now: the query is run again, the captions translated when LINGUA
    // asks for it. Throws store::EngineError when a table cannot be read.
    ReportDocument Pagine();
    // The print preview of the pages (from which the user prints or saves a PDF).
    // Throws store::EngineError when a table cannot be read; nothing is shown then.
    void Anteprima(QWidget *parent);
    // The pages written into a PDF file; false when the file cannot be written.
    bool SalvaPdf(const QString &file);

    // The word printed for the Riposo field: whether the team has had its rest turn (nothing among an
    // even number of teams).
    static QString QRDBText6Print(const QString &riposo, int squadre);

    store::Query QueryClassifica;

private:
    void StClassificaBeforePrint();
    ReportBand bandaDettaglio();

    // The captions as they print: the design's Italian texts, translated before each print.
    QString titolo;
    QStringList intestazioni;
    QString piedeProgramma;
    QString piedeContatti;
};
