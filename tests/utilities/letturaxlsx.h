// Reads the parts of an .xlsx workbook back for the export tests: the workbook, the first sheet,
// the shared strings and the styles, as XML texts taken out of the ZIP archive with libzip.
#pragma once

#include <QByteArray>
#include <QString>
#include <zip.h>

struct CartellaLetta {
    bool aperta = false;
    QString workbook;
    QString foglio;
    QString stringhe;
    QString stili;
};

inline QString ParteZip(zip_t *archivio, const char *nome)
{
    zip_file_t *f = zip_fopen(archivio, nome, 0);
    if (!f)
        return QString();
    QByteArray dati;
    char blocco[4096];
    zip_int64_t letti;
    while ((letti = zip_fread(f, blocco, sizeof blocco)) > 0)
        dati.append(blocco, int(letti));
    zip_fclose(f);
    return QString::fromUtf8(dati);
}

inline CartellaLetta LeggiCartella(const QString &percorso)
{
    CartellaLetta c;
    int errore = 0;
    zip_t *archivio = zip_open(percorso.toLocal8Bit().constData(), ZIP_RDONLY, &errore);
    if (!archivio)
        return c;
    c.aperta = true;
    c.workbook = ParteZip(archivio, "xl/workbook.xml");
    c.foglio = ParteZip(archivio, "xl/worksheets/sheet1.xml");
    c.stringhe = ParteZip(archivio, "xl/sharedStrings.xml");
    c.stili = ParteZip(archivio, "xl/styles.xml");
    zip_close(archivio);
    return c;
}
