// The printed matchday: an A4 page with the title and the matchday number, the column headers, the
// ten match lines (home team, visitor, the sets of each) and the footer with the maker's addresses.
#pragma once

#include "store/query.h"
#include "ui/report.h"

class QWidget;

class TStGiornata {
public:
    TStGiornata();
    ~TStGiornata();
    TStGiornata(const TStGiornata &) = delete;
    TStGiornata &operator=(const TStGiornata &) = delete;

    // The pages of matchday `numero` as they print now: its record read again, the captions
    // translated when LINGUA asks for it. Throws store::EngineError when the table cannot be read.
    ReportDocument Pagine(int numero);
    // The print preview of the pages; throws store::EngineError, showing nothing, on a read fault.
    void Anteprima(int numero, QWidget *parent);
    // The pages written into a PDF file; false when the file cannot be written.
    bool SalvaPdf(int numero, const QString &file);

    store::Query Query1;

private:
    void StGiornataBeforePrint(int numero);

    QString titolo;
    QString localeIntestazione;
    QString ospiteIntestazione;
    QString credito;
};
