// The whole calendar printed, as a federation prints it: the season and category on top, then for
// each first-leg matchday a block with the first leg ("Andata") on the left and its return leg
// ("Ritorno") on the right, each with its date, every match "Home - Visitor" with the sets where
// played, and the resting team; a block is never split across pages. Portrait A4.
#pragma once

#include "championship/dategiornate.h"
#include "ui/report.h"

class QWidget;

class TStCalendario {
public:
    // The pages of the calendar as stored now, the captions translated when LINGUA asks for it.
    // Throws store::EngineError when a table cannot be read.
    ReportDocument Pagine();
    // The same pages from data already read (the benchmark, tests).
    ReportDocument Pagine(const QList<GiornataCalendario> &calendario, const DateGiornate &date,
                          const QString &annata, const QString &categoria, Lingua lingua);
    // The print preview; throws store::EngineError, showing nothing, on a read fault.
    void Anteprima(QWidget *parent);
    bool SalvaPdf(const QString &file);

    // The smallest type size used by the last pages built, in points.
    static constexpr int PuntiMinimi = 8;
};
