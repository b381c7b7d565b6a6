// libFuzzer target over the Paradox reader: the input is a table file, optionally followed by a
// memo file after the four bytes "\0MB\0". Every table is opened and read to the end; the
// sanitizers catch any read out of bounds.
#include "paradox/tabellaparadox.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray tutto(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype sep = tutto.indexOf(QByteArray("\0MB\0", 4));
    const QByteArray db = sep < 0 ? tutto : tutto.left(sep);
    std::optional<QByteArray> mb;
    if (sep >= 0)
        mb = tutto.mid(sep + 4);
    paradox::TabellaParadox t;
    if (t.apriDati(db, QStringLiteral("fuzz.db"), mb))
        t.leggi([](const QList<QVariant> &) { return true; });
    return 0;
}
