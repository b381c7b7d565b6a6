#include "rotations/letturarotazioni.h"

#include "rotations/registro.h"
#include "store/table.h"

namespace rotazioni {

const Giocatore *ElencoDaTabelle::giocatore(int id) const
{
    auto it = letti.find(id);
    if (it == letti.end()) {
        ++lette;
        std::optional<Giocatore> g;
        if (id != 0) {
            auto q = apriQuery(QStringLiteral("select * from rt_giocatori where idgiocatore = ?"), {id});
            if (!q->isEmpty()) {
                auto campo = [&q](const char *nome) { return q->fieldByName(QLatin1String(nome)).asString(); };
                g = Giocatore{id, campo("numeromaglia"), campo("nome"), campo("cognome"), campo("ruolo"), campo("battuta")};
            }
        }
        it = letti.insert(id, g);
    }
    return it->has_value() ? &**it : nullptr;
}

RigaFormazione CaricaFormazione(int idSquadra)
{
    RigaFormazione riga;
    auto q = apriQuery(QStringLiteral("select * from rt_formazioni where idsquadra = ?"), {idSquadra});
    if (q->isEmpty())
        return riga;
    q->first();
    riga.metodo = q->fieldByName(QStringLiteral("metodo")).asString();
    for (int i = 0; i < 6; ++i)
        riga.posti[i] = q->fieldByName(QStringLiteral("pos%1").arg(i + 1)).asString();
    riga.libero = q->fieldByName(QStringLiteral("libe")).asString();
    return riga;
}

ImpostazioniRotazioni LeggiImpostazioniRotazioni()
{
    ImpostazioniRotazioni i;
    store::Table t(QStringLiteral("impostazioni.db"));
    t.open();
    if (t.isEmpty())
        return i;
    t.first();
    auto si = [&t](const char *campo) { return t.fieldByName(QLatin1String(campo)).asBoolean(); };
    auto testo = [&t](const char *campo) { return t.fieldByName(QLatin1String(campo)).asString(); };
    i.campo.letteraP = si("LETTERA_P_COLORE_PALL");
    i.campo.nomeInCampoGrande = si("NOMEINCAMPOGRANDE");
    i.campo.cognomeInCampoGrande = si("COGNOMEINCAMPOGRANDE");
    i.campo.grassettoBattuta = si("GRASSETTO_BATTUTA_PIC");
    i.campo.coloraGiocatori = si("COLOR_GIOCATORI");
    i.campo.coloreP = testo("COLOR_PALLEGGIATORE");
    i.campo.coloreO = testo("COLOR_OPPOSTO");
    i.campo.coloreS = testo("COLOR_SCHIACCIATORI");
    i.campo.coloreC = testo("COLOR_CENTRALI");
    i.campo.coloreL = testo("COLOR_LIBERO");
    i.campo.colorePic = testo("COLOR_PALLEGGIATORE_PIC");
    i.scambioAutomatico = si("PROPONISCAMBIOAUTOM");
    i.carattereCampoGrande = t.fieldByName(QStringLiteral("CAR_CAMPO_GRANDE")).asInteger();
    i.regola = RegolaDaTesto(testo("REGOLA_POSIZIONI"));
    t.close();
    return i;
}

} // namespace rotazioni
