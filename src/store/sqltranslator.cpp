#include "store/sqltranslator.h"

#include "store/engineerror.h"

#include <QRegularExpression>
#include <QSet>

namespace store {

namespace {

enum class Tok { Ident, Quoted, String, Number, Symbol, End };

struct Token {
    Tok kind;
    QString text; // identifiers and symbols as written; quoted and string tokens without quotes
};

[[noreturn]] void syntaxError(const QString &why)
{
    throw EngineError(QStringLiteral("Errore di sintassi nella query: %1").arg(why), HcQuery);
}

bool isIdentStart(QChar c) { return c.isLetter() || c == QLatin1Char('_') || c.unicode() >= 0x80; }
bool isIdentPart(QChar c) { return isIdentStart(c) || c.isDigit() || c == QLatin1Char('$'); }

QList<Token> tokenize(const QString &s)
{
    QList<Token> out;
    int i = 0;
    const int n = int(s.size());
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            QString text;
            ++i;
            bool closed = false;
            while (i < n) {
                if (s[i] == c) {
                    if (i + 1 < n && s[i + 1] == c) { // doubled quote inside
                        text += c;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                text += s[i++];
            }
            if (!closed)
                syntaxError(QStringLiteral("virgolette non chiuse"));
            out.append({c == QLatin1Char('\'') ? Tok::String : Tok::Quoted, text});
            continue;
        }
        if (c.isDigit()) {
            int j = i;
            while (j < n && (s[j].isDigit() || s[j] == QLatin1Char('.')))
                ++j;
            out.append({Tok::Number, s.mid(i, j - i)});
            i = j;
            continue;
        }
        if (isIdentStart(c)) {
            int j = i;
            while (j < n && isIdentPart(s[j]))
                ++j;
            out.append({Tok::Ident, s.mid(i, j - i)});
            i = j;
            continue;
        }
        static const QStringList twoChar = {QStringLiteral("<>"), QStringLiteral("<="), QStringLiteral(">="),
                                            QStringLiteral("!="), QStringLiteral("||")};
        const QString two = s.mid(i, 2);
        if (twoChar.contains(two)) {
            out.append({Tok::Symbol, two});
            i += 2;
            continue;
        }
        if (QStringLiteral("=<>(),.*+-/;?").contains(c)) {
            out.append({Tok::Symbol, QString(c)});
            ++i;
            continue;
        }
        syntaxError(QStringLiteral("carattere non ammesso '%1'").arg(c));
    }
    out.append({Tok::End, QString()});
    return out;
}

const QSet<QString> &keywords()
{
    static const QSet<QString> k = {
        QStringLiteral("SELECT"), QStringLiteral("DISTINCT"), QStringLiteral("ALL"), QStringLiteral("FROM"),
        QStringLiteral("WHERE"), QStringLiteral("AND"), QStringLiteral("OR"), QStringLiteral("NOT"),
        QStringLiteral("ORDER"), QStringLiteral("BY"), QStringLiteral("ASC"), QStringLiteral("DESC"),
        QStringLiteral("GROUP"), QStringLiteral("HAVING"), QStringLiteral("AS"), QStringLiteral("IS"),
        QStringLiteral("NULL"), QStringLiteral("LIKE"), QStringLiteral("IN"), QStringLiteral("BETWEEN"),
        QStringLiteral("UNION"), QStringLiteral("JOIN"), QStringLiteral("INNER"), QStringLiteral("LEFT"),
        QStringLiteral("RIGHT"), QStringLiteral("OUTER"), QStringLiteral("ON"), QStringLiteral("CASE"),
        QStringLiteral("WHEN"), QStringLiteral("THEN"), QStringLiteral("ELSE"), QStringLiteral("END"),
        QStringLiteral("ESCAPE"), QStringLiteral("EXISTS"), QStringLiteral("ASCENDING"),
        QStringLiteral("DESCENDING")};
    return k;
}

bool isKeyword(const Token &t, const char *word)
{
    return t.kind == Tok::Ident && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool isSymbol(const Token &t, const char *sym) { return t.kind == Tok::Symbol && t.text == QLatin1String(sym); }

QString quoteString(const QString &value)
{
    QString q = value;
    q.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

// The name a table is known by inside the query: its file name without the ".db" extension.
QString tableAlias(const QString &written)
{
    QString name = written;
    if (name.endsWith(QLatin1String(".db"), Qt::CaseInsensitive))
        name.chop(3);
    return name;
}

// One piece of the output; a field reference, qualified or not, is one piece.
struct Piece {
    enum Kind { Other, FieldRef, Compare } kind;
    QString text;
};

class Translator {
public:
    Translator(const QString &sql, const std::function<QString(const QString &)> &ref)
        : toks(tokenize(sql)), tableReference(ref)
    {
    }

    TranslatedQuery run()
    {
        if (!isKeyword(peek(), "SELECT"))
            throw EngineError(QStringLiteral("Sono ammesse solo interrogazioni SELECT."), HcReadOnlyQuery);
        while (peek().kind != Tok::End) {
            if (isSymbol(peek(), ";")) {
                ++pos;
                if (peek().kind != Tok::End)
                    throw EngineError(QStringLiteral("È ammessa una sola istruzione per interrogazione."),
                                      HcReadOnlyQuery);
                break;
            }
            step();
        }
        QString sql;
        for (const Piece &p : out) {
            if (!sql.isEmpty() && p.text != QLatin1String(",") && p.text != QLatin1String(")") &&
                !sql.endsWith(QLatin1Char('(')))
                sql += QLatin1Char(' ');
            sql += p.text;
        }
        return {sql, tables};
    }

private:
    const Token &peek(int ahead = 0) const
    {
        const int i = std::min(pos + ahead, int(toks.size()) - 1);
        return toks[i];
    }

    void put(const QString &text, Piece::Kind kind = Piece::Other) { out.append({kind, text}); }

    void step()
    {
        const Token &t = peek();
        if (t.kind == Tok::Ident && !isFunctionCall()) {
            const QString upper = t.text.toUpper();
            if (upper == QLatin1String("FROM")) {
                ++pos;
                put(QStringLiteral("FROM"));
                fromClause = true;
                expectTable = true;
                fromDepth = depth;
                return;
            }
            if (fromClause && depth == fromDepth &&
                (upper == QLatin1String("WHERE") || upper == QLatin1String("GROUP") ||
                 upper == QLatin1String("ORDER") || upper == QLatin1String("HAVING") ||
                 upper == QLatin1String("UNION"))) {
                fromClause = false;
            }
            if (fromClause && (upper == QLatin1String("JOIN"))) {
                ++pos;
                put(upper);
                expectTable = true;
                return;
            }
            if (fromClause && expectTable) {
                tableItem();
                return;
            }
            if (upper == QLatin1String("FALSE") || upper == QLatin1String("TRUE")) {
                ++pos;
                logicalLiteral(upper == QLatin1String("TRUE"));
                return;
            }
            if (upper == QLatin1String("ASCENDING") || upper == QLatin1String("DESCENDING")) {
                ++pos;
                put(upper.left(upper == QLatin1String("ASCENDING") ? 3 : 4));
                return;
            }
            if (keywords().contains(upper)) {
                ++pos;
                put(upper);
                return;
            }
            fieldReference();
            return;
        }
        if (t.kind == Tok::Ident) { // a function call
            function();
            return;
        }
        if (t.kind == Tok::Quoted) {
            static const QRegularExpression date(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"));
            if (fromClause && expectTable) {
                tableItem();
                return;
            }
            if (auto m = date.match(t.text); m.hasMatch() && !isSymbol(peek(1), ".")) {
                ++pos;
                put(quoteString(QStringLiteral("%1-%2-%3")
                                     .arg(m.captured(3))
                                     .arg(m.captured(1).toInt(), 2, 10, QLatin1Char('0'))
                                     .arg(m.captured(2).toInt(), 2, 10, QLatin1Char('0'))));
                return;
            }
            fieldReference();
            return;
        }
        ++pos;
        switch (t.kind) {
        case Tok::String:
            put(quoteString(t.text));
            return;
        case Tok::Number:
            put(t.text);
            return;
        default:
            break;
        }
        if (t.text == QLatin1String("(")) {
            ++depth;
        } else if (t.text == QLatin1String(")")) {
            --depth;
            if (fromClause && depth < fromDepth)
                fromClause = false;
        } else if (t.text == QLatin1String(",") && fromClause && depth == fromDepth) {
            expectTable = true;
        }
        const bool compare = t.text == QLatin1String("=") || t.text == QLatin1String("<>") ||
                             t.text == QLatin1String("!=");
        put(t.text, compare ? Piece::Compare : Piece::Other);
    }

    bool isFunctionCall() const
    {
        return peek().kind == Tok::Ident && isSymbol(peek(1), "(") && !keywords().contains(peek().text.toUpper());
    }

    // A table in the FROM list: Class.db, class, "giornate.db", optionally followed by an alias.
    void tableItem()
    {
        QString written;
        const Token &t = peek();
        if (t.kind == Tok::Quoted) {
            written = t.text;
            ++pos;
        } else if (t.kind == Tok::Ident) {
            written = t.text;
            ++pos;
            if (isSymbol(peek(), ".") && peek(1).kind == Tok::Ident) {
                written += QLatin1Char('.') + peek(1).text;
                pos += 2;
            }
        } else {
            syntaxError(QStringLiteral("nome di tabella atteso"));
        }
        // Only the tables of the program folder: a name with a path never reaches the engine.
        if (written.contains(QLatin1Char('/')) || written.contains(QLatin1Char('\\')) ||
            written.contains(QLatin1String("..")) || written.contains(QLatin1Char(':')))
            throw EngineError(QStringLiteral("Nome di tabella non valido: '%1'. Le tabelle sono solo i file della cartella "
                                             "del programma, indicati senza percorso.")
                                  .arg(written),
                              HcQuery);
        const QString file = tableFileName(written);
        if (!tables.contains(file, Qt::CaseInsensitive))
            tables.append(file);
        QString alias = tableAlias(written);
        if (isKeyword(peek(), "AS")) {
            ++pos;
            if (peek().kind != Tok::Ident && peek().kind != Tok::Quoted)
                syntaxError(QStringLiteral("alias atteso"));
        }
        if ((peek().kind == Tok::Ident && !keywords().contains(peek().text.toUpper())) ||
            peek().kind == Tok::Quoted) {
            alias = peek().text;
            ++pos;
        }
        put(tableReference(file) + QStringLiteral(" AS ") + quoteIdentifier(alias));
        expectTable = false;
    }

    // A field, written as field, table.field, table.db.field or "table.db"."field".
    void fieldReference()
    {
        QStringList parts;
        parts << peek().text;
        ++pos;
        while (isSymbol(peek(), ".") && (peek(1).kind == Tok::Ident || peek(1).kind == Tok::Quoted ||
                                        isSymbol(peek(1), "*"))) {
            parts << peek(1).text;
            pos += 2;
        }
        // "giornate.db.Squadra1" written without quotes: the middle "db" belongs to the table.
        if (parts.size() == 3 && parts[1].compare(QLatin1String("db"), Qt::CaseInsensitive) == 0)
            parts = {parts[0] + QStringLiteral(".db"), parts[2]};
        if (parts.size() > 2)
            syntaxError(QStringLiteral("riferimento a campo non valido"));
        QString text;
        if (parts.size() == 2)
            text = quoteIdentifier(tableAlias(parts[0])) + QLatin1Char('.');
        const QString &field = parts.last();
        text += field == QLatin1String("*") ? field : quoteIdentifier(field);
        put(text, Piece::FieldRef);
    }

    // max(field) and the like read back as "max of field", as the original engine named them.
    void function()
    {
        const QString name = peek().text;
        const int start = int(out.size());
        put(name.toUpper());
        ++pos; // name
        ++pos; // (
        put(QStringLiteral("("));
        const int myDepth = depth;
        ++depth;
        while (depth > myDepth) {
            if (peek().kind == Tok::End)
                syntaxError(QStringLiteral("parentesi non chiusa"));
            step();
        }
        static const QSet<QString> aggregates = {QStringLiteral("MAX"), QStringLiteral("MIN"),
                                                 QStringLiteral("SUM"), QStringLiteral("AVG"),
                                                 QStringLiteral("COUNT")};
        // The pieces between the parentheses: exactly one field reference.
        const bool singleField = out.size() - start == 4 && out[start + 2].kind == Piece::FieldRef;
        const bool aliased = isKeyword(peek(), "AS") ||
                             (peek().kind == Tok::Ident && !keywords().contains(peek().text.toUpper())) ||
                             peek().kind == Tok::Quoted;
        if (aggregates.contains(name.toUpper()) && singleField && !aliased && !fromClause) {
            QString field = out[start + 2].text;
            field = field.mid(field.lastIndexOf(QLatin1Char('.')) + 1);
            if (field.startsWith(QLatin1Char('"')))
                field = field.mid(1, field.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
            put(QStringLiteral("AS ") + quoteIdentifier(name.toLower() + QStringLiteral(" of ") + field));
        }
    }

    // A blank logical reads as false, so "field = false" also finds the rows never set.
    void logicalLiteral(bool value)
    {
        const int n = int(out.size());
        if (n >= 2 && out[n - 1].kind == Piece::Compare && out[n - 2].kind == Piece::FieldRef)
            out[n - 2].text = QStringLiteral("coalesce(%1, 0)").arg(out[n - 2].text);
        put(value ? QStringLiteral("1") : QStringLiteral("0"));
    }

    QList<Token> toks;
    std::function<QString(const QString &)> tableReference;
    QList<Piece> out;
    QStringList tables;
    int pos = 0;
    int depth = 0;
    int fromDepth = 0;
    bool fromClause = false;
    bool expectTable = false;
};

} // namespace

QString quoteIdentifier(const QString &name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString tableFileName(const QString &written)
{
    if (written.endsWith(QLatin1String(".db"), Qt::CaseInsensitive))
        return written;
    return written + QStringLiteral(".db");
}

TranslatedQuery translateLocalSql(const QString &localSql,
                                  const std::function<QString(const QString &fileName)> &tableReference)
{
    return Translator(localSql, tableReference).run();
}

} // namespace store
