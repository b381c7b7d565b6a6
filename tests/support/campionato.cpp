#include "support/campionato.h"

#include "store/table.h"

#include <QProcess>
#include <QStandardPaths>

using store::Table;

namespace prova {

void Impostazione(const char *campo, const QVariant &valore)
{
    Table t(QStringLiteral("impostazioni.db"));
    t.open();
    t.first();
    t.edit();
    t.fieldByName(QLatin1String(campo)).setValue(valore);
    t.post();
}

void Squadre(const QStringList &squadre)
{
    Table t(QStringLiteral("squadre.db"));
    t.open();
    for (const QString &s : squadre) {
        t.append();
        t.fieldByName(QStringLiteral("Squadre")).setAsString(s);
        t.post();
    }
    SquadreInClassifica(squadre);
}

void SquadreInClassifica(const QStringList &squadre)
{
    Table t(QStringLiteral("Class.db"));
    t.open();
    for (const QString &s : squadre) {
        t.append();
        t.fieldByName(QStringLiteral("Punti")).setAsInteger(0);
        t.fieldByName(QStringLiteral("Squadre")).setAsString(s);
        t.post();
    }
}

void RigaClassifica(const QString &squadra, int punti, int setV, int setP, const QVariant &riposo)
{
    Table t(QStringLiteral("Class.db"));
    t.open();
    t.append();
    t.fieldByName(QStringLiteral("Squadre")).setAsString(squadra);
    t.fieldByName(QStringLiteral("Punti")).setAsInteger(punti);
    t.fieldByName(QStringLiteral("SetV")).setAsInteger(setV);
    t.fieldByName(QStringLiteral("SetP")).setAsInteger(setP);
    t.fieldByName(QStringLiteral("SetG")).setAsInteger(setV + setP);
    t.fieldByName(QStringLiteral("Riposo")).setValue(riposo);
    t.post();
}

void AggiungiGiornata(int numero, const QStringList &squadre, bool giocata, const QMap<int, QString> &sets)
{
    Table t(QStringLiteral("giornate.db"));
    t.open();
    t.append();
    t.fieldByName(QStringLiteral("Giornata")).setAsInteger(numero);
    for (int k = 1; k <= squadre.size(); ++k)
        t.fieldByName(QStringLiteral("Squadra%1").arg(k)).setAsString(squadre[k - 1]);
    for (auto it = sets.cbegin(); it != sets.cend(); ++it)
        t.fieldByName(QStringLiteral("Set%1").arg(it.key())).setAsString(it.value());
    t.fieldByName(QStringLiteral("Giocata")).setAsBoolean(giocata);
    t.post();
}

void Calendario(const QStringList &squadre)
{
    const int n = int(squadre.size());
    const int meta = n - 1;
    QStringList giro = squadre;
    for (int k = 1; k <= meta; ++k) {
        QStringList andata, ritorno;
        for (int i = 0; i < n / 2; ++i) {
            andata << giro[i] << giro[n - 1 - i];
            ritorno << giro[n - 1 - i] << giro[i];
        }
        AggiungiGiornata(k, andata);
        AggiungiGiornata(k + meta, ritorno);
        giro.insert(1, giro.takeLast());
    }
}

QStringList Nomi(const char *prefisso, int quante)
{
    QStringList l;
    for (int i = 1; i <= quante; ++i)
        l << QStringLiteral("%1 %2").arg(QLatin1String(prefisso)).arg(i);
    return l;
}

QStringList RighePdf(const QString &file)
{
    const QString programma = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (programma.isEmpty())
        return {};
    QProcess p;
    p.start(programma, {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        qFatal("pdftotext failed on %s", qPrintable(file));
    QStringList righe;
    for (const QString &r : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (!r.trimmed().isEmpty())
            righe << r.simplified();
    if (righe.isEmpty())
        righe << QString(); // a PDF without text is not "no pdftotext"
    return righe;
}

Riga RigaDi(const QString &squadra)
{
    Table t(QStringLiteral("Class.db"));
    t.open();
    if (!t.locate(QStringLiteral("Squadre"), squadra))
        return {-1, -1, -1, -1, false};
    return {t.fieldByName(QStringLiteral("Punti")).asInteger(), t.fieldByName(QStringLiteral("SetV")).asInteger(),
            t.fieldByName(QStringLiteral("SetP")).asInteger(), t.fieldByName(QStringLiteral("SetG")).asInteger(),
            t.fieldByName(QStringLiteral("Riposo")).asBoolean()};
}

Giornata GiornataDi(int numero)
{
    Table t(QStringLiteral("giornate.db"));
    t.open();
    if (!t.locate(QStringLiteral("Giornata"), numero))
        qFatal("no matchday %d", numero);
    Giornata g;
    g.giocata = t.fieldByName(QStringLiteral("Giocata")).asBoolean();
    for (int k = 1; k <= 20; ++k) {
        g.squadre << t.fieldByName(QStringLiteral("Squadra%1").arg(k)).asString();
        g.sets << t.fieldByName(QStringLiteral("Set%1").arg(k)).asString();
    }
    return g;
}

QStringList Colonna(const QString &file, const QString &campo)
{
    Table t(file);
    t.open();
    QStringList out;
    for (t.first(); !t.eof(); t.next())
        out << t.fieldByName(campo).asString();
    return out;
}

char *toString(const Riga &r)
{
    return qstrdup(QStringLiteral("{%1, %2, %3, %4, %5}")
                       .arg(r.punti)
                       .arg(r.setV)
                       .arg(r.setP)
                       .arg(r.setG)
                       .arg(r.riposo ? QStringLiteral("riposo") : QStringLiteral("-"))
                       .toUtf8()
                       .constData());
}

} // namespace prova
