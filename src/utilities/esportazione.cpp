#include "utilities/esportazione.h"

#include "store/cursor.h"
#include "store/tabelle.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <charconv>
#include <cmath>

// ---- the query ---------------------------------------------------------------------------------

bool LeggiDataPeriodo(const QString &testo, bool inizio, std::optional<QDate> &data)
{
    data.reset();
    const QString t = testo.trimmed();
    if (t.isEmpty() || t == (inizio ? InizioPeriodoAperto : FinePeriodoAperto))
        return true;
    static const QRegularExpression forma(QStringLiteral("^(\\d{1,2})[/.-](\\d{1,2})[/.-](\\d{4})$"));
    const QRegularExpressionMatch m = forma.match(t);
    if (!m.hasMatch())
        return false;
    const QDate d(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    if (!d.isValid())
        return false;
    data = d;
    return true;
}

namespace {
// Month, day and year, two, two and four digits, between double quotes: the engine's date literal.
QString LetteraleData(const QDate &d)
{
    return QStringLiteral("\"%1/%2/%3\"")
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.day(), 2, 10, QLatin1Char('0'))
        .arg(d.year(), 4, 10, QLatin1Char('0'));
}
} // namespace

QString ComponiQuery(const ParametriQuery &p)
{
    QString sql = QStringLiteral("SELECT ") + p.campi + QStringLiteral(" FROM ") + p.tabelle + QLatin1Char(' ');
    QStringList filtri;
    if (!p.condizione.trimmed().isEmpty())
        filtri << QLatin1Char('(') + p.condizione.trimmed() + QLatin1Char(')');
    const QString campo = p.campoData.trimmed();
    if (!campo.isEmpty()) {
        if (p.dal)
            filtri << campo + QStringLiteral(" >= ") + LetteraleData(*p.dal);
        if (p.al)
            filtri << campo + QStringLiteral(" <= ") + LetteraleData(*p.al);
    }
    if (!filtri.isEmpty())
        sql += QStringLiteral(" WHERE ") + filtri.join(QStringLiteral(" AND "));
    if (!p.ordinamento.trimmed().isEmpty())
        sql += QStringLiteral(" ORDER BY ") + p.ordinamento.trimmed();
    return sql;
}

QString RiferimentoCampo(const QString &tabella, const QString &campo)
{
    return QLatin1Char('"') + tabella + QStringLiteral("\".\"") + campo + QLatin1Char('"');
}

bool ContieneTabella(const QString &elenco, const QString &tabella)
{
    const QStringList voci = elenco.split(QLatin1Char(','));
    for (const QString &voce : voci) {
        // A table may be followed by its alias: only the first word names it.
        QString nome = voce.trimmed().section(QRegularExpression(QStringLiteral("\\s+")), 0, 0);
        if (nome.size() >= 2 && nome.startsWith(QLatin1Char('"')) && nome.endsWith(QLatin1Char('"')))
            nome = nome.mid(1, nome.size() - 2);
        if (nome.compare(tabella, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

namespace {
void Accoda(QString &box, const QString &voce)
{
    if (!box.trimmed().isEmpty())
        box += QStringLiteral(", ");
    box += voce;
}
} // namespace

void AggiungiCampoScelto(BoxEditor &box, int destinazione, const QString &tabella, const QString &campo)
{
    const QString riferimento = RiferimentoCampo(tabella, campo);
    switch (destinazione) {
    case DestCampi:
        if (campo == QLatin1String("*"))
            box.campi = QStringLiteral("*");
        if (!box.campi.section(QLatin1Char('\n'), 0, 0).contains(QLatin1Char('*')))
            Accoda(box.campi, riferimento);
        if (!ContieneTabella(box.tabelle, tabella))
            Accoda(box.tabelle, QLatin1Char('"') + tabella + QLatin1Char('"'));
        break;
    case DestCondizione:
        box.condizione += QLatin1Char(' ') + riferimento;
        break;
    case DestPeriodo:
        box.campoData = riferimento;
        break;
    case DestOrdinamento:
        box.ordinamento = riferimento;
        break;
    default:
        break;
    }
}

// ---- the columns -------------------------------------------------------------------------------

QList<CampoEsportazione> CampiEsportazione(store::Cursor &cursore)
{
    QList<CampoEsportazione> campi;
    const QList<store::FieldDef> &defs = cursore.fieldDefs();
    for (const store::FieldDef &d : defs) {
        CampoEsportazione c;
        c.nome = d.name;
        switch (d.type) {
        case store::FieldType::Text:
            c.tipo = TipoEsportazione::Testo;
            c.dimensione = d.size;
            break;
        case store::FieldType::Integer:
            c.tipo = TipoEsportazione::Intero;
            break;
        case store::FieldType::Logical:
            c.tipo = TipoEsportazione::Logico;
            break;
        case store::FieldType::Memo:
            c.tipo = TipoEsportazione::Altro;
            break;
        case store::FieldType::Date:
            c.tipo = TipoEsportazione::Data;
            break;
        }
        campi << c;
    }
    // A computed column (an average, a quotient) reads as memo: its values tell what it is.
    const int posizione = cursore.recNo();
    for (int i = 0; i < campi.size(); ++i) {
        if (defs[i].type != store::FieldType::Memo)
            continue;
        for (int r = 1; r <= cursore.recordCount(); ++r) {
            cursore.setRecNo(r);
            const QVariant v = cursore.field(i).value();
            if (v.typeId() == QMetaType::Double) {
                campi[i].tipo = TipoEsportazione::Virgola;
                break;
            }
            if (!v.isNull() && v.typeId() != QMetaType::LongLong)
                break;
        }
    }
    if (posizione > 0)
        cursore.setRecNo(posizione);
    return campi;
}

// ---- formatting rules --------------------------------------------------------------------------

std::optional<QString> ValoreRegola(const QString &regole, const QString &chiave, const QString &campo)
{
    const QString cercata = chiave + QLatin1Char(' ') + campo;
    const QStringList righe = regole.split(QLatin1Char('\n'));
    for (QString riga : righe) {
        if (riga.endsWith(QLatin1Char('\r')))
            riga.chop(1);
        const int uguale = int(riga.indexOf(QLatin1Char('=')));
        if (uguale < 0)
            continue;
        if (riga.left(uguale).trimmed().compare(cercata.trimmed(), Qt::CaseInsensitive) == 0)
            return riga.mid(uguale + 1);
    }
    return std::nullopt;
}

namespace {
// The digits of x >= 0 with `precisione` decimals, rounded as the C library's "%.*f" rounds them
// (an exact half to the even digit: 0.125 gives "0.12", 2.5 gives "2"), with "." as the point
// whatever the C locale.
QString CifreFisse(double x, int precisione)
{
    char testo[400]; // 309 digits of the largest double, the point, up to 20 decimals
    const std::to_chars_result r = std::to_chars(testo, testo + sizeof testo, x, std::chars_format::fixed, precisione);
    if (r.ec != std::errc())
        return QString::number(x, 'f', precisione);
    return QString::fromLatin1(testo, int(r.ptr - testo));
}

const QRegularExpression &SchemaNumerico()
{
    static const QRegularExpression schema(QStringLiteral("^%([-0]?)(\\d{0,2})(?:\\.(\\d{1,2}))?([df])$"));
    return schema;
}
} // namespace

bool FormatoNumericoValido(const QString &formato)
{
    const QRegularExpressionMatch m = SchemaNumerico().match(formato);
    if (!m.hasMatch())
        return false;
    if (!m.captured(2).isEmpty() && m.captured(2).toInt() > 50)
        return false;
    if (!m.captured(3).isEmpty() && m.captured(3).toInt() > 20)
        return false;
    return true;
}

QString ApplicaFormatoNumerico(const QString &formato, const QVariant &valore)
{
    const QRegularExpressionMatch m = SchemaNumerico().match(formato);
    if (!m.hasMatch())
        return QString();
    const bool sinistra = m.captured(1) == QLatin1String("-");
    const bool zeri = m.captured(1) == QLatin1String("0");
    const int larghezza = m.captured(2).isEmpty() ? 0 : m.captured(2).toInt();
    const int precisione = m.captured(3).isEmpty() ? -1 : m.captured(3).toInt();
    const bool intero = m.captured(4) == QLatin1String("d");

    bool negativo = false;
    QString cifre;
    if (intero && valore.typeId() == QMetaType::Double && !(std::fabs(valore.toDouble()) < 9e18)) {
        // Beyond a 64-bit whole number (or not a number at all): the digits of the rounded value.
        const double x = std::isfinite(valore.toDouble()) ? valore.toDouble() : 0;
        negativo = x < 0;
        cifre = QString::number(std::fabs(x), 'f', 0);
    } else if (intero) {
        const qlonglong n = valore.typeId() == QMetaType::Double ? qRound64(valore.toDouble()) : valore.toLongLong();
        negativo = n < 0;
        cifre = QString::number(negativo ? -static_cast<qulonglong>(n) : static_cast<qulonglong>(n));
        if (precisione > cifre.size())
            cifre = QString(precisione - cifre.size(), QLatin1Char('0')) + cifre;
    } else {
        double x = valore.toDouble();
        if (!std::isfinite(x))
            x = 0;
        negativo = std::signbit(x) && x != 0;
        cifre = CifreFisse(std::fabs(x), precisione < 0 ? 6 : precisione);
        const QString punto = QLocale().decimalPoint();
        if (punto != QLatin1String("."))
            cifre.replace(QLatin1Char('.'), punto);
        if (negativo && QString(cifre).remove(QLatin1Char('0')).remove(punto).isEmpty())
            negativo = false; // -0,000 reads as 0,000
    }
    const QString segno = negativo ? QStringLiteral("-") : QString();
    const int manca = larghezza - int(segno.size() + cifre.size());
    if (manca <= 0)
        return segno + cifre;
    if (sinistra)
        return segno + cifre + QString(manca, QLatin1Char(' '));
    if (zeri && !(intero && precisione >= 0))
        return segno + QString(manca, QLatin1Char('0')) + cifre;
    return QString(manca, QLatin1Char(' ')) + segno + cifre;
}

QString ApplicaFormatoData(const QString &formato, const QDate &data)
{
    QString out;
    for (int i = 0; i < formato.size();) {
        if (formato.mid(i, 4).compare(QLatin1String("yyyy"), Qt::CaseInsensitive) == 0) {
            out += QStringLiteral("%1").arg(data.year(), 4, 10, QLatin1Char('0'));
            i += 4;
        } else if (formato.mid(i, 2).compare(QLatin1String("dd"), Qt::CaseInsensitive) == 0) {
            out += QStringLiteral("%1").arg(data.day(), 2, 10, QLatin1Char('0'));
            i += 2;
        } else if (formato.mid(i, 2).compare(QLatin1String("mm"), Qt::CaseInsensitive) == 0) {
            out += QStringLiteral("%1").arg(data.month(), 2, 10, QLatin1Char('0'));
            i += 2;
        } else {
            out += formato[i++];
        }
    }
    return out;
}

namespace {
const QString FineMessaggio = QStringLiteral(" L'archivio non è stato scritto.");

QString FormatoPredefinito(const CampoEsportazione &c)
{
    switch (c.tipo) {
    case TipoEsportazione::Intero:
        return QStringLiteral("%14d");
    case TipoEsportazione::Virgola:
        return QStringLiteral("%14.3f");
    case TipoEsportazione::Decimale:
        return QStringLiteral("%14.%1f").arg(c.dimensione);
    case TipoEsportazione::Data:
        return QStringLiteral("dd/mm/yyyy");
    default:
        return QString();
    }
}
} // namespace

QList<FormatoCampo> PreparaFormati(const QList<CampoEsportazione> &campi, const QString &regole)
{
    QList<FormatoCampo> formati;
    for (const CampoEsportazione &c : campi) {
        FormatoCampo f;
        f.campo = c;
        switch (c.tipo) {
        case TipoEsportazione::Testo: {
            f.lunghezza = c.dimensione;
            if (const auto v = ValoreRegola(regole, QStringLiteral("Lunghezza"), c.nome)) {
                bool ok = false;
                const int n = v->trimmed().toInt(&ok);
                if (!ok || n < 0 || n > 1000)
                    throw ErroreFormattazione(
                        QStringLiteral("La lunghezza \"%1\" del campo %2 non è un numero intero da 0 a 1000.")
                            .arg(v->trimmed(), c.nome) +
                        FineMessaggio);
                if (n > 0)
                    f.lunghezza = n;
            }
            break;
        }
        case TipoEsportazione::Intero:
        case TipoEsportazione::Virgola:
        case TipoEsportazione::Decimale:
        case TipoEsportazione::Data: {
            f.formato = FormatoPredefinito(c);
            if (const auto v = ValoreRegola(regole, QStringLiteral("Formato"), c.nome))
                f.formato = v->trimmed();
            const bool data = c.tipo == TipoEsportazione::Data;
            if (data ? (f.formato.isEmpty() || f.formato.size() > 50) : !FormatoNumericoValido(f.formato))
                throw ErroreFormattazione(
                    (data ? QStringLiteral("Il formato \"%1\" del campo %2 non è valido: sono ammessi dd, mm e yyyy, "
                                           "al massimo 50 caratteri.")
                          : QStringLiteral("Il formato \"%1\" del campo %2 non è valido: sono ammessi solo formati "
                                           "come %14d o %-10.2f, con una larghezza al massimo di 50."))
                        .arg(f.formato, c.nome) +
                    FineMessaggio);
            if (c.tipo == TipoEsportazione::Virgola || c.tipo == TipoEsportazione::Decimale) {
                if (const auto v = ValoreRegola(regole, QStringLiteral("sepDec"), c.nome)) {
                    QString s = *v;
                    if (s.startsWith(QLatin1Char(' ')))
                        s.remove(0, 1);
                    f.sepDec = s.left(1);
                }
            }
            break;
        }
        default:
            break;
        }
        formati << f;
    }
    return formati;
}

namespace {
// A text value as it goes into the line: one position per character (a character the file cannot
// hold becomes one "?" anyway), and no line breaks or tabs that would split the row.
QString TestoInRiga(const QString &valore)
{
    QString out;
    out.reserve(valore.size());
    for (int i = 0; i < valore.size(); ++i) {
        const QChar c = valore[i];
        if (c.isHighSurrogate() && i + 1 < valore.size() && valore[i + 1].isLowSurrogate()) {
            out += QLatin1Char('?');
            ++i;
        } else if (c.unicode() < 0x20) {
            out += QLatin1Char(' ');
        } else {
            out += c;
        }
    }
    return out;
}

QDate DataDi(const QVariant &v)
{
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    return QDate::fromString(v.toString().left(10), Qt::ISODate);
}

void PassoSeparatore(QString &testo, const QString &sepDec)
{
    const int virgola = int(testo.indexOf(QLatin1Char(',')));
    if (virgola < 0 || sepDec == QLatin1String(","))
        return;
    if (sepDec.isEmpty()) {
        testo.remove(virgola, 1);
        testo.prepend(QLatin1Char(' '));
    } else {
        testo[virgola] = sepDec[0];
    }
}
} // namespace

QString RigaTesto(const QList<FormatoCampo> &formati, const QList<QVariant> &valori)
{
    QString riga;
    for (int i = 0; i < formati.size(); ++i) {
        const FormatoCampo &f = formati[i];
        const QVariant v = valori.value(i);
        const bool nullo = v.isNull() || !v.isValid();
        switch (f.campo.tipo) {
        case TipoEsportazione::Testo: {
            QString t = nullo ? QString() : TestoInRiga(v.toString());
            if (t.size() > f.lunghezza)
                t.truncate(f.lunghezza);
            riga += t.leftJustified(f.lunghezza, QLatin1Char(' '));
            break;
        }
        case TipoEsportazione::Intero:
            riga += ApplicaFormatoNumerico(f.formato, nullo ? QVariant(qlonglong(0)) : v);
            break;
        case TipoEsportazione::Logico:
            if (nullo)
                riga += QStringLiteral("     ");
            else if (v.typeId() == QMetaType::QString)
                riga += v.toString().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0
                            ? QStringLiteral("True ")
                            : QStringLiteral("False");
            else
                riga += v.toLongLong() ? QStringLiteral("True ") : QStringLiteral("False");
            break;
        case TipoEsportazione::Virgola:
        case TipoEsportazione::Decimale: {
            QString t = ApplicaFormatoNumerico(f.formato, nullo ? QVariant(0.0) : v);
            PassoSeparatore(t, f.sepDec);
            riga += t;
            break;
        }
        case TipoEsportazione::Data: {
            const QDate d = nullo ? QDate() : DataDi(v);
            riga += d.isValid() ? ApplicaFormatoData(f.formato, d) : QString(f.formato.size(), QLatin1Char(' '));
            break;
        }
        case TipoEsportazione::Altro:
            break;
        }
    }
    return riga;
}

QByteArray InWindows1252(const QString &testo)
{
    // 0x80 to 0x9F of Windows-1252; 0 where the code page has no character.
    static const char16_t alti[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    QByteArray out;
    out.reserve(testo.size());
    for (int i = 0; i < testo.size(); ++i) {
        const char16_t u = testo[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < testo.size() && testo[i + 1].isLowSurrogate()) {
            out += '?';
            ++i;
            continue;
        }
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out += char(u);
            continue;
        }
        char byte = '?';
        for (int k = 0; k < 32; ++k)
            if (alti[k] && alti[k] == u) {
                byte = char(0x80 + k);
                break;
            }
        out += byte;
    }
    return out;
}

// ---- names and lengths -------------------------------------------------------------------------

std::optional<QString> ControllaNomeArchivio(const QString &nome)
{
    const QString n = nome.trimmed();
    if (n.contains(QLatin1Char('/')) || n.contains(QLatin1Char('\\')) || n == QLatin1String(".") ||
        n == QLatin1String(".."))
        return QStringLiteral("Il nome dell'archivio non può contenere \"/\" o \"\\\" né essere \".\" o \"..\": la "
                              "cartella va indicata nel percorso.");
    return std::nullopt;
}

std::optional<QString> ControllaDestinazione(const QString &percorso, const QString &cartellaProgramma, const QString &eseguibile)
{
    const QFileInfo destinazione(percorso);
    const QString rifiuto = QStringLiteral("L'archivio non può essere scritto su una tabella o su un file del "
                                           "programma: scegliere un altro nome o un'altra cartella.");
    const QString canonica = destinazione.exists() ? destinazione.canonicalFilePath()
                                                   : QFileInfo(destinazione.absolutePath()).canonicalFilePath() +
                                                         QLatin1Char('/') + destinazione.fileName();
    if (!eseguibile.isEmpty() && canonica == QFileInfo(eseguibile).canonicalFilePath())
        return rifiuto;
    const QString cartella = QFileInfo(destinazione.absolutePath()).canonicalFilePath();
    if (cartella.isEmpty() || cartella != QFileInfo(cartellaProgramma).canonicalFilePath())
        return std::nullopt;
    const QString nome = destinazione.fileName().toLower();
    if (nome.endsWith(QLatin1String(".db")) || nome.contains(QLatin1String(".db-")) ||
        nome == QLatin1String("dberrori.log") || nome == QLatin1String("help.html") ||
        nome.startsWith(QLatin1String("pdxrbld")))
        return rifiuto;
    for (const store::TableDeclaration &d : TabelleProgramma())
        if (nome.startsWith(d.fileName.toLower()))
            return rifiuto;
    return std::nullopt;
}

std::optional<QString> ControllaNomeFoglio(const QString &nome)
{
    static const QString vietati = QStringLiteral("[]:*?/\\");
    bool vietato = nome.size() > 31 || nome.startsWith(QLatin1Char('\'')) || nome.endsWith(QLatin1Char('\''));
    for (QChar c : nome)
        vietato = vietato || vietati.contains(c);
    if (vietato)
        return QStringLiteral("Il nome del foglio di lavoro può avere al massimo 31 caratteri, nessuno dei caratteri "
                              "[ ] : * ? / \\ e nessun apostrofo all'inizio o alla fine.");
    return std::nullopt;
}

QString NomeCartellaDiLavoro(const QString &nomeArchivio)
{
    const QString n = nomeArchivio.trimmed();
    const int punto = int(n.lastIndexOf(QLatin1Char('.')));
    return (punto > 0 ? n.left(punto) : n) + QStringLiteral(".xlsx");
}

std::optional<QString> ControllaLunghezzeModello(const QString &descrizione, const QString &ordinamento, const QString &campoData)
{
    struct Voce {
        const char *nome;
        const QString &testo;
        int massimo;
    };
    const Voce voci[] = {{"Descrizione", descrizione, 40},
                         {"Ordine per", ordinamento, 30},
                         {"Campo richiesta periodo", campoData, 20}};
    for (const Voce &v : voci)
        if (v.testo.size() > v.massimo)
            return QStringLiteral("Il campo \"%1\" contiene %2 caratteri, ma il modello ne può conservare al massimo "
                                  "%3: il modello non è stato salvato.")
                .arg(QLatin1String(v.nome))
                .arg(v.testo.size())
                .arg(v.massimo);
    return std::nullopt;
}
