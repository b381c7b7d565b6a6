#include "utilities/scritturaesportazione.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <xlsxwriter.h>

bool ScriviArchivioTesto(const QString &percorso, const QByteArray &contenuto)
{
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(contenuto) != contenuto.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

double LarghezzaColonnaFoglio(const CampoEsportazione &campo, const QList<QList<QVariant>> &righe, int colonna)
{
    int larghezza = 10;
    switch (campo.tipo) {
    case TipoEsportazione::Testo:
        larghezza = campo.dimensione;
        break;
    case TipoEsportazione::Intero:
        larghezza = 11;
        break;
    case TipoEsportazione::Logico:
        larghezza = 5;
        break;
    case TipoEsportazione::Virgola:
    case TipoEsportazione::Decimale:
        larghezza = 14;
        break;
    case TipoEsportazione::Data:
        larghezza = 10;
        break;
    case TipoEsportazione::Altro:
        for (const QList<QVariant> &r : righe) {
            larghezza = std::max(larghezza, int(r.value(colonna).toString().size()));
            if (larghezza >= 50)
                break;
        }
        break;
    }
    return std::clamp(larghezza, 1, 50);
}

namespace {
// The cell's value: numbers as numbers, everything else as the text the engine shows.
lxw_error ScriviCella(lxw_worksheet *foglio, int riga, int colonna, const CampoEsportazione &campo,
                      const QVariant &valore)
{
    if (valore.isNull() || !valore.isValid())
        return LXW_NO_ERROR;
    switch (campo.tipo) {
    case TipoEsportazione::Intero:
    case TipoEsportazione::Virgola:
    case TipoEsportazione::Decimale: {
        bool ok = false;
        const double n = valore.toDouble(&ok);
        if (ok)
            return worksheet_write_number(foglio, lxw_row_t(riga), lxw_col_t(colonna), n, nullptr);
        break;
    }
    case TipoEsportazione::Logico: {
        const bool vero = valore.typeId() == QMetaType::QString
                              ? valore.toString().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0
                              : valore.toLongLong() != 0;
        return worksheet_write_string(foglio, lxw_row_t(riga), lxw_col_t(colonna), vero ? "True" : "False", nullptr);
    }
    default:
        break;
    }
    const QByteArray testo = valore.toString().toUtf8();
    if (testo.isEmpty())
        return LXW_NO_ERROR;
    return worksheet_write_string(foglio, lxw_row_t(riga), lxw_col_t(colonna), testo.constData(), nullptr);
}
} // namespace

EsitoFoglio ScriviCartellaDiLavoro(const QString &percorso, const QString &nomeFoglio,
                                   const QList<CampoEsportazione> &campi, const QList<QList<QVariant>> &righe,
                                   const std::function<void(int)> &avanzamento)
{
    EsitoFoglio esito;
    const QFileInfo destinazione(percorso);
    if (!QFileInfo(destinazione.absolutePath()).isDir()) {
        esito.stato = EsitoFoglio::ErroreFile;
        return esito;
    }
    // A name of our own beside the target, so that the last step is one rename.
    QTemporaryFile appoggio(destinazione.absolutePath() + QStringLiteral("/.") + destinazione.completeBaseName() +
                            QStringLiteral("-XXXXXX.xlsx"));
    if (!appoggio.open()) {
        esito.stato = EsitoFoglio::ErroreFile;
        return esito;
    }
    appoggio.close();
    const QByteArray nomeFile = QFile::encodeName(appoggio.fileName());
    lxw_workbook *cartella = workbook_new(nomeFile.constData());
    if (!cartella) {
        esito.stato = EsitoFoglio::ErroreFile;
        return esito;
    }
    lxw_worksheet *foglio = workbook_add_worksheet(cartella, nomeFoglio.toUtf8().constData());
    lxw_format *grassetto = workbook_add_format(cartella);
    if (!foglio || !grassetto) {
        workbook_close(cartella);
        esito.stato = EsitoFoglio::ErroreCella;
        esito.colonna = 1;
        esito.riga = 1;
        return esito;
    }
    format_set_bold(grassetto);
    auto interrompi = [&](int colonna, int riga) {
        workbook_close(cartella);
        esito.stato = EsitoFoglio::ErroreCella;
        esito.colonna = colonna + 1;
        esito.riga = riga + 1;
        return esito;
    };
    for (int c = 0; c < campi.size(); ++c) {
        if (worksheet_write_string(foglio, 0, lxw_col_t(c), campi[c].nome.toUtf8().constData(), grassetto) !=
                LXW_NO_ERROR ||
            worksheet_set_column(foglio, lxw_col_t(c), lxw_col_t(c), LarghezzaColonnaFoglio(campi[c], righe, c),
                                 nullptr) != LXW_NO_ERROR)
            return interrompi(c, 0);
    }
    for (int r = 0; r < righe.size(); ++r) {
        for (int c = 0; c < campi.size(); ++c)
            if (ScriviCella(foglio, r + 2, c, campi[c], righe[r].value(c)) != LXW_NO_ERROR)
                return interrompi(c, r + 2);
        if (avanzamento)
            avanzamento(r + 1);
    }
    if (workbook_close(cartella) != LXW_NO_ERROR) {
        esito.stato = EsitoFoglio::ErroreFile;
        return esito;
    }
    std::error_code errore;
    std::filesystem::rename(nomeFile.toStdString(), QFile::encodeName(destinazione.absoluteFilePath()).toStdString(),
                            errore);
    if (errore) {
        esito.stato = EsitoFoglio::ErroreFile;
        return esito;
    }
    appoggio.setAutoRemove(false);
    QFile::setPermissions(destinazione.absoluteFilePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                               QFileDevice::ReadGroup | QFileDevice::ReadOther);
    return esito;
}
