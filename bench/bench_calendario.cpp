// The whole calendar of a 20-team season (38 matchdays, 380 matches, every matchday dated and timed)
// printed to PDF, and the same season written as an .ics file. Prints the median of several runs of
// each, with the parts of the print (reading the tables, laying out the pages, painting the PDF).
// Never part of the test run's pass or fail.
#include "championship/calendarioics.h"
#include "championship/dategiornate.h"
#include "championship/stcalendario.h"
#include "core/cartella.h"
#include "store/table.h"
#include "store/tabelle.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {
double mediana(QList<double> t)
{
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    ImpostaCartellaProgramma(dir.path());
    CreaTabellaEsportazione();
    CreaTabelle();
    constexpr int Teams = 20;
    QStringList names;
    for (int i = 0; i < Teams; ++i)
        names << QStringLiteral("Polisportiva d'Esempio %1").arg(i + 1);
    {
        store::Table giornate(QStringLiteral("giornate.db"));
        giornate.open();
        store::Transaction tr;
        QStringList giro = names;
        const int meta = Teams - 1;
        for (int k = 1; k <= meta; ++k) {
            for (int leg = 0; leg < 2; ++leg) {
                giornate.append();
                giornate.fieldByName(QStringLiteral("Giornata")).setAsInteger(k + leg * meta);
                for (int i = 0; i < Teams / 2; ++i) {
                    const QString &a = giro[i], &b = giro[Teams - 1 - i];
                    giornate.fieldByName(QStringLiteral("Squadra%1").arg(2 * i + 1)).setAsString(leg ? b : a);
                    giornate.fieldByName(QStringLiteral("Squadra%1").arg(2 * i + 2)).setAsString(leg ? a : b);
                    if (k <= 10) {
                        giornate.fieldByName(QStringLiteral("Set%1").arg(2 * i + 1)).setAsString(QStringLiteral("3"));
                        giornate.fieldByName(QStringLiteral("Set%1").arg(2 * i + 2)).setAsString(QStringLiteral("1"));
                    }
                }
                giornate.post();
            }
            giro.insert(1, giro.takeLast());
        }
        tr.commit();
    }
    DateGiornate date = ProponiDate(38, QDate(2024, 10, 12), 7, QDate(2025, 2, 22));
    for (auto it = date.begin(); it != date.end(); ++it)
        it->ora = QStringLiteral("20:30");
    SalvaDateGiornate(date);

    constexpr int Runs = 7;
    QList<double> lettura, impaginazione, pdf, totale, ics;
    int pagine = 0;
    qsizetype byte = 0;
    const QString file = dir.filePath(QStringLiteral("calendario.pdf"));
    for (int r = 0; r < Runs; ++r) {
        QElapsedTimer t;
        t.start();
        const QList<GiornataCalendario> calendario = LeggiCalendario();
        const DateGiornate lette = LeggiDateGiornate();
        const double a = double(t.nsecsElapsed()) / 1e6;
        TStCalendario stampa;
        const ReportDocument d = stampa.Pagine(calendario, lette, QStringLiteral("2024/2025"), QStringLiteral("Serie C"), Lingua::Italiano);
        const double b = double(t.nsecsElapsed()) / 1e6;
        writeReportPdf(d, file);
        const double c = double(t.nsecsElapsed()) / 1e6;
        lettura << a;
        impaginazione << b - a;
        pdf << c - b;
        totale << c;
        pagine = int(d.pages.size());

        QElapsedTimer u;
        u.start();
        OpzioniIcs o;
        o.annata = QStringLiteral("2024/2025");
        o.categoria = QStringLiteral("Serie C");
        const CalendarioIcs scritto = ComponiIcs(LeggiCalendario(), LeggiDateGiornate(), o);
        ics << double(u.nsecsElapsed()) / 1e6;
        byte = scritto.testo.size();
        if (scritto.eventi != 380)
            std::printf("unexpected: %d events\n", scritto.eventi);
    }
    std::printf("calendar print, 20 teams, 38 matchdays: %d pages\n", pagine);
    std::printf("  reading the tables: median %.1f ms\n", mediana(lettura));
    std::printf("  laying out the pages: median %.1f ms\n", mediana(impaginazione));
    std::printf("  painting the PDF: median %.1f ms\n", mediana(pdf));
    std::printf("  whole print to PDF: median %.1f ms (target under 1000 ms)\n", mediana(totale));
    std::printf(".ics of 380 matches (tables read, %lld bytes): median %.1f ms (target under 50 ms)\n",
                static_cast<long long>(byte), mediana(ics));
    return 0;
}
