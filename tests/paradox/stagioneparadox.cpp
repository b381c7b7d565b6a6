#include "stagioneparadox.h"

#include "store/tabelle.h"

using namespace paradox;

ScritturaParadox ParadoxDaDichiarazione(const store::TableDeclaration &d, int codicePagina)
{
    ScritturaParadox s;
    s.codicePagina = codicePagina;
    for (const store::FieldDef &f : d.fields) {
        switch (f.type) {
        case store::FieldType::Text:
            s.campi << campoPx(f.name, Alfa, f.size);
            break;
        case store::FieldType::Integer:
            if (f.name.startsWith(QStringLiteral("id"), Qt::CaseInsensitive) || f.name.startsWith(QStringLiteral("pos")))
                s.campi << campoPx(f.name, Lungo, 4);
            else
                s.campi << campoPx(f.name, Corto, 2);
            break;
        case store::FieldType::Logical:
            s.campi << campoPx(f.name, Logico, 1);
            break;
        case store::FieldType::Memo:
            s.campi << campoPx(f.name, MemoBlob, 20);
            break;
        case store::FieldType::Date:
            s.campi << campoPx(f.name, Data, 4);
            break;
        }
    }
    return s;
}

StagioneParadox ScriviStagioneParadox(const QString &cartella, int nSquadre, int codicePagina, const QString &lingua)
{
    StagioneParadox st;
    st.lingua = lingua;
    const QStringList base = {QStringLiteral("L'Aquila Volley"), QStringLiteral("Città di Forlì"),
                              QStringLiteral("Pallavolo Sèvres"), QStringLiteral("Volley Épinal"),
                              QStringLiteral("Sant'Elpidio"), QStringLiteral("Niño Über")};
    for (int i = 0; i < nSquadre; ++i)
        st.squadre << (i < base.size() ? base[i] : QStringLiteral("Squadra n. %1").arg(i + 1));
    st.giornate = 2 * (nSquadre - 1);
    st.giocate = 3;
    auto scrivi = [&](ScritturaParadox &s, const char *nome) {
        s.scrivi();
        s.salva(cartella, QLatin1String(nome));
    };

    ScritturaParadox squadre = ParadoxDaDichiarazione(DichiarazioneSquadre(), codicePagina);
    for (const QString &q : st.squadre)
        squadre.righe << QList<QVariant>{q};
    scrivi(squadre, "squadre.db");

    ScritturaParadox giornate = ParadoxDaDichiarazione(DichiarazioneGiornate(), codicePagina);
    giornate.kbBlocco = 4;
    for (int g = 1; g <= st.giornate; ++g) {
        QList<QVariant> riga(giornate.campi.size());
        riga[0] = g;
        for (int k = 0; k < nSquadre / 2 && k < 10; ++k) {
            riga[1 + 4 * k] = st.squadre[(g + k) % nSquadre];
            riga[2 + 4 * k] = st.squadre[(g + nSquadre - 1 - k) % nSquadre];
            if (g <= st.giocate) {
                riga[3 + 4 * k] = QStringLiteral("3");
                riga[4 + 4 * k] = QStringLiteral("1");
            }
        }
        riga[41] = g <= st.giocate;
        giornate.righe << riga;
    }
    scrivi(giornate, "giornate.db");

    ScritturaParadox classifica = ParadoxDaDichiarazione(DichiarazioneClassifica(), codicePagina);
    for (int i = 0; i < nSquadre; ++i)
        classifica.righe << QList<QVariant>{i % 4 * 3, st.squadre[i], i % 4 * 3, i % 3, i % 4 * 3 + i % 3,
                                            i % 5 == 0 ? QVariant(true) : QVariant()};
    scrivi(classifica, "Class.db");

    ScritturaParadox impostazioni = ParadoxDaDichiarazione(DichiarazioneImpostazioni(), codicePagina);
    impostazioni.righe << QList<QVariant>{QStringLiteral("2024/2025"), QStringLiteral("Serie C femminile"), st.squadre[0],
                                          st.giornate, nSquadre, true, false, true, false, true, true, 9, true,
                                          QStringLiteral("Fucsia"), QStringLiteral("Verde"), QStringLiteral("Rosso"),
                                          QStringLiteral("Celeste"), QStringLiteral("Nessuno"), QStringLiteral("Giallo"),
                                          lingua};
    scrivi(impostazioni, "impostazioni.db");

    ScritturaParadox rtSquadre = ParadoxDaDichiarazione(DichiarazioneRtSquadre(), codicePagina);
    rtSquadre.righe << QList<QVariant>{1, st.squadre[0]} << QList<QVariant>{2, st.squadre[1]};
    scrivi(rtSquadre, "rt_squadre.db");

    ScritturaParadox rtGiocatori = ParadoxDaDichiarazione(DichiarazioneRtGiocatori(), codicePagina);
    const char *ruoli = "PSCOSCL";
    for (int id = 1; id <= 14; ++id)
        rtGiocatori.righe << QList<QVariant>{id, id <= 7 ? 1 : 2, id, QStringLiteral("Zoé"),
                                             QStringLiteral("D'Annunzio %1").arg(id), QString(QChar::fromLatin1(ruoli[(id - 1) % 7])),
                                             QStringLiteral("SALTOFLOAT")};
    scrivi(rtGiocatori, "rt_giocatori.db");

    ScritturaParadox rtFormazioni = ParadoxDaDichiarazione(DichiarazioneRtFormazioni(), codicePagina);
    rtFormazioni.righe << QList<QVariant>{1, QStringLiteral("P-S-C-O-S-C"), 1, 2, 3, 4, 5, 6, 7}
                       << QList<QVariant>{2, QStringLiteral("P-C-S-O-C-S"), 8, 9, 10, 11, 12, 13, QVariant()};
    scrivi(rtFormazioni, "rt_formazioni.db");

    ScritturaParadox tabexport = ParadoxDaDichiarazione(DichiarazioneTabExport(), codicePagina);
    const QString campi = QStringLiteral("\"giornate.db\".\"Giornata\";\"giornate.db\".\"Squadra1\";\"giornate.db\".\"Squadra2\"");
    tabexport.righe << QList<QVariant>{1, QStringLiteral("Calendario"), QStringLiteral("Le giornate con l'ultima già giocata"),
                                       campi, QStringLiteral("\"giornate.db\""),
                                       QStringLiteral("\"giornate.db\".\"Giocata\" = false").repeated(200), QStringLiteral("Giornata"),
                                       QStringLiteral("calendario.txt"), QStringLiteral("Foglio1"), 0,
                                       QStringLiteral("Giornata=5;Squadra1=30"), false, QString(), true}
                    << QList<QVariant>{2, QStringLiteral("Classifica"), QString(), QStringLiteral("*"),
                                       QStringLiteral("\"Class.db\""), QVariant(), QString(), QVariant(), QVariant(), 1,
                                       QVariant(), true, QStringLiteral("Giornata"), false};
    scrivi(tabexport, "tabexport.db");

    ScritturaParadox linguaPx = ParadoxDaDichiarazione(DichiarazioneLingua(), codicePagina);
    linguaPx.righe << QList<QVariant>{QStringLiteral("Calendario"), QStringLiteral("Calendar"), QStringLiteral("Calendrier")};
    scrivi(linguaPx, "lingua.db");
    return st;
}
