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
    QStringList voci{VoceCartella(QStringLiteral(".")), VoceCartella(QStringLiteral(".."))};
    const QStringList cartelle =
        QDir(CartellaBackup()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &c : cartelle)
        voci << VoceCartella(c);
    return voci;
}

bool CartellaBackupValida(const QString &nome)
{
    if (nome.isEmpty() || nome == QLatin1String(".") || nome == QLatin1String("..") ||
        nome.contains(QLatin1Char('/')) || nome.contains(QLatin1Char('\\')))
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
