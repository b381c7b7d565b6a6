#include "store/query.h"

#include "store/database.h"
#include "store/engineerror.h"
#include "store/sqltranslator.h"

namespace store {

void Query::setSql(const QString &sql)
{
    close();
    text = sql;
    params.clear();
}

void Query::close()
{
    if (!open_)
        return;
    open_ = false;
    resetRows();
    setFields({});
    emit stateChanged();
    emit dataChanged();
}

void Query::reorder(const QList<int> &order)
{
    const int count = rows.size();
    bool valid = open_ && order.size() == count;
    QList<bool> seen(valid ? count : 0, false);
    for (int i = 0; valid && i < count; ++i) {
        const int r = order[i];
        valid = r >= 0 && r < count && !seen[r];
        if (valid)
            seen[r] = true;
    }
    if (!valid)
        throw EngineError(QStringLiteral("Ordine delle righe non valido."), HcInvalidValue);
    rows.permute(order);
    pos = count == 0 ? -1 : 0;
    bof_ = true;
    eof_ = count == 0;
    emit dataChanged();
}

void Query::open()
{
    close();
    Database &db = Database::instance();
    QStringList acquired;
    auto releaseAll = [&] {
        for (const QString &f : acquired)
            db.release(f);
    };
    try {
        const TranslatedQuery tq = translateLocalSql(text, [&](const QString &file) {
            const QString ref = db.acquire(file);
            acquired << file;
            return ref;
        });
        sqliteText = tq.sql;
        Statement st(db, tq.sql);
        if (!st.readOnly())
            throw EngineError(QStringLiteral("Sono ammesse solo interrogazioni di lettura."), HcReadOnlyQuery);
        for (int i = 0; i < params.size(); ++i)
            st.bind(i + 1, params[i]);
        const int n = st.columnCount();
        QList<FieldDef> columns;
        for (int i = 0; i < n; ++i) {
            FieldDef def;
            def.name = st.columnName(i);
            if (!parseSqlType(st.columnDeclType(i), def.type, def.size))
                def.type = FieldType::Memo; // an expression: decided below by its values
            columns << def;
        }
        QList<bool> computed;
        for (int i = 0; i < n; ++i)
            computed.append(st.columnDeclType(i).isEmpty());
        RowStore result;
        result.setColumns(n);
        while (st.step()) {
            QList<QVariant> row;
            row.reserve(n);
            for (int i = 0; i < n; ++i) {
                const QVariant v = st.column(i);
                if (computed[i] && !v.isNull() && v.typeId() == QMetaType::LongLong)
                    columns[i].type = FieldType::Integer;
                row.append(v);
            }
            result.append(row);
        }
        setFields(columns);
        rows = std::move(result);
    } catch (const EngineError &e) {
        // A damaged page somewhere: the message names the table it is in.
        if (e.helpContext() == HcNotATable && e.file().isEmpty()) {
            for (const QString &f : std::as_const(acquired)) {
                bool intact = true;
                try {
                    intact = db.checkIntegrity(f);
                } catch (const EngineError &) {
                    intact = false;
                }
                if (!intact) {
                    releaseAll();
                    throw onTableFile(e, db.path(f));
                }
            }
        }
        releaseAll();
        if (e.helpContext() == HcQuery && !e.message().startsWith(QLatin1String("Errore di sintassi")))
            throw EngineError(QStringLiteral("%1\n%2").arg(e.message(), text), HcQuery);
        throw;
    }
    releaseAll();
    open_ = true;
    pos = rows.isEmpty() ? -1 : 0;
    bof_ = true;
    eof_ = rows.isEmpty();
    emit stateChanged();
    emit dataChanged();
}

} // namespace store
