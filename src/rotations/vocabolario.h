// The words of the rotation module: court zones, role letters, serve types and playing methods.
#pragma once

#include <QString>
#include <QStringList>

namespace rotazioni {

// Role letters stored in a player's "ruolo".
inline const QString Palleggiatore = QStringLiteral("P");
inline const QString Schiacciatore = QStringLiteral("S");
inline const QString Centrale = QStringLiteral("C");
inline const QString Opposto = QStringLiteral("O");
inline const QString Libero = QStringLiteral("L");

// Serve types stored in "battuta".
inline const QStringList TipiBattuta = {QStringLiteral("FLOAT"), QStringLiteral("SALTO"), QStringLiteral("SALTOFLOAT")};

// The two playing methods: the roles of line-up slots 1 to 6.
inline const QString MetodoPSCOSC = QStringLiteral("P-S-C-O-S-C");
inline const QString MetodoPCSOCS = QStringLiteral("P-C-S-O-C-S");

// The role of a line-up slot (1 to 6) under a method; an empty text for another slot or method.
QString RuoloDelPosto(const QString &metodo, int posto);

} // namespace rotazioni
