#include "championship/rinomina.h"

#include "championship/erroreregola.h"
#include "store/campigiornata.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/table.h"

namespace {

constexpr int LunghezzaNome = 30;

// The rows whose Squadre is exactly the name.
int Quante(store::Table &tabella, const QString &nome)
{
    int n = 0;
    for (tabella.first(); !tabella.eof(); tabella.next())
        if (tabella.fieldByName(QStringLiteral("Squadre")).asString() == nome)
            ++n;
    return n;
}

// Moves to the one row of the old name and writes the new one.
void RinominaRiga(store::Table &tabella, const QString &vecchio, const QString &nuovo, const QString &dove)
{
    const int righe = Quante(tabella, vecchio);
    if (righe > 1)
        throw ErroreRegola(
            QStringLiteral("Il nome '%1' appartiene a più squadre %2: non è possibile sapere quale rinominare.")
                .arg(vecchio, dove));
    if (righe == 0 || !tabella.locate(QStringLiteral("Squadre"), vecchio))
        throw ErroreRegola(QStringLiteral("La squadra '%1' non è presente %2.").arg(vecchio, dove));
    tabella.edit();
    tabella.fieldByName(QStringLiteral("Squadre")).setAsString(nuovo);
    if (!tabella.post())
        throw store::EngineError(QStringLiteral("La squadra '%1' non è stata rinominata.").arg(vecchio), store::HcWrite);
}

// Whether a row other than the old name's holds the new name by key.
bool AltraConChiave(store::Table &tabella, const QString &vecchio, const QString &chiave)
{
    for (tabella.first(); !tabella.eof(); tabella.next()) {
        const QString nome = tabella.fieldByName(QStringLiteral("Squadre")).asString();
        if (nome != vecchio && ChiaveSquadra(nome) == chiave)
            return true;
    }
    return false;
}

} // namespace

QString ChiaveSquadra(const QString &nome)
{
    QString chiave;
    chiave.reserve(nome.size());
    for (const QChar c : nome)
        if (!c.isSpace())
            chiave += c;
    return chiave.toCaseFolded();
}

int RinominaSquadra(const QString &vecchio, const QString &nuovoDigitato)
{
    const QString nuovo = nuovoDigitato.trimmed();
    if (vecchio.isEmpty() || nuovo.isEmpty() || nuovo.size() > LunghezzaNome || nuovo == vecchio)
        throw ErroreRegola(QString::fromUtf8(MsgNomeNonValido));

    store::Table squadre(QStringLiteral("squadre.db"));
    store::Table classifica(QStringLiteral("Class.db"));
    store::Table giornate(QStringLiteral("giornate.db"));
    squadre.open();
    classifica.open();
    giornate.open();
    // The team's own name in another case ("alfa" into "Alfa") is no other team.
    const QString chiave = ChiaveSquadra(nuovo);
    if (AltraConChiave(squadre, vecchio, chiave) || AltraConChiave(classifica, vecchio, chiave))
        throw ErroreRegola(QString::fromUtf8(MsgSquadraGiaInserita).arg(nuovo));

    store::Transaction transazione;
    RinominaRiga(squadre, vecchio, nuovo, QStringLiteral("nell'elenco delle squadre"));
    store::Database::faultPoint(QStringLiteral("rinomina: dopo le squadre"));
    RinominaRiga(classifica, vecchio, nuovo, QStringLiteral("in classifica"));
    store::Database::faultPoint(QStringLiteral("rinomina: dopo la classifica"));

    int posti = 0;
    for (giornate.first(); !giornate.eof(); giornate.next()) {
        for (int k = 1; k <= SlotGiornata; ++k) {
            store::Field squadra = giornate.fieldByName(CampoSquadra(k));
            if (squadra.asString() != vecchio)
                continue;
            if (!giornate.isEditing())
                giornate.edit();
            squadra.setAsString(nuovo);
            ++posti;
        }
        if (giornate.isEditing() && !giornate.post())
            throw store::EngineError(QStringLiteral("La squadra '%1' non è stata rinominata.").arg(vecchio),
                                     store::HcWrite);
    }
    transazione.commit();
    return posti;
}
