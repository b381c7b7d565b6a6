#include "utilities/cartellebackup.h"

#include "core/cartella.h"
#include "core/helpers.h"

#include <QDir>
#include <QFileInfo>

QString CartellaBackup() { return CartellaProgramma() + QStringLiteral("backup/"); }

bool CreaCartellaBackup()
{
    const QString cartella = CartellaBackup();
    if (!QFileInfo(cartella).isDir())
        QDir().mkpath(cartella);
    return QFileInfo(cartella).isDir();
}

QString NomeCartellaGiorno(const QDate &data) { return AnnoDi(data) + MeseDi(data) + GiornoDi(data); }

QString VoceCartella(const QString &nome) { return QLatin1Char('[') + nome + QLatin1Char(']'); }

QString NomeDaVoce(const QString &voce) { return voce.size() >= 2 ? voce.mid(1, voce.size() - 2) : QString(); }

QStringList VociCartelleBackup()
{
    QStringList voci;
    const QStringList cartelle =
        QDir(CartellaBackup()).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
    for (const QString &c : cartelle)
        if (CartellaBackupValida(c))
            voci << VoceCartella(c);
    return voci;
}

namespace {
// Eight digits that read as a day: "20240305".
bool NomeDiGiorno(const QString &nome)
{
    if (nome.size() != 8)
        return false;
    for (const QChar c : nome)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return QDate(nome.left(4).toInt(), nome.mid(4, 2).toInt(), nome.mid(6, 2).toInt()).isValid();
}
} // namespace

bool CartellaBackupValida(const QString &nome)
{
    if (!NomeDiGiorno(nome))
        return false;
    const QFileInfo info(CartellaBackup() + nome);
    return info.isDir() && !info.isSymLink() && !info.isShortcut() && !info.isJunction();
}

QString PercorsoBackup(const QString &nome) { return CartellaBackup() + nome + QLatin1Char('/'); }

QStringList FileDelBackup(const QString &nome)
{
    return QDir(PercorsoBackup(nome)).entryList(QDir::Files, QDir::Name);
}

QString RigaDettaglio(const QString &nome, qsizetype file)
{
    return QStringLiteral("Backup del %1/%2/%3 - File presenti: %4")
        .arg(nome.mid(6, 2), nome.mid(4, 2), nome.mid(0, 4))
        .arg(file);
}

bool EstensioneEsclusa(const QString &nomeFile)
{
    const qsizetype punto = nomeFile.indexOf(QLatin1Char('.'));
    if (punto < 0)
        return false;
    const QString estensione = nomeFile.mid(punto, 4).toLower();
    for (const char *e : {".pas", ".exe", ".dfm", ".dcu", ".~df", ".~pa"})
        if (estensione == QLatin1String(e))
            return true;
    return false;
}

QString NomeBase(const QString &nomeFile) { return nomeFile.section(QLatin1Char('.'), 0, 0); }

SceltaBackup ScegliBackup(const QString &voce)
{
    SceltaBackup scelta;
    scelta.nome = NomeDaVoce(voce);
    scelta.valida = CartellaBackupValida(scelta.nome);
    if (scelta.valida) {
        scelta.file = FileDelBackup(scelta.nome);
        scelta.dettaglio = RigaDettaglio(scelta.nome, scelta.file.size());
    } else {
        scelta.dettaglio = QStringLiteral("Nessun dettaglio");
    }
    return scelta;
}
