// The printed team statistics: the standings, best team first, with each team's set quotient when
// the form asks for it, and the footer with the maker's addresses.
#pragma once

#include "store/query.h"
#include "ui/report.h"

class QWidget;

// The set quotient as printed: sets won over sets lost with two decimals and thousands separators in
// the current locale ("1,75", "1.234,00" in Italian); "Nullo" when no set was lost.
QString QuozienteSet(int setV, int setP);

class TStStatisticheSquadra {
public:
    TStStatisticheSquadra();
    ~TStStatisticheSquadra();
    TStStatisticheSquadra(const TStStatisticheSquadra &) = delete;
    TStStatisticheSquadra &operator=(const TStStatisticheSquadra &) = delete;

    // Whether the quotient column prints (copied from the form's check box before printing).
    bool Quozienti = true;

    // The pages as they print now. Throws store::EngineError when the table cannot be read.
    ReportDocument Pagine();
    void Anteprima(QWidget *parent);
    bool SalvaPdf(const QString &file);

    store::Query Query1;

private:
    void StClassificaBeforePrint();

    QString titolo;
    QStringList intestazioni;
    QString credito;
};
