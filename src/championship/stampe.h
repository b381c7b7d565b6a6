// What the championship's prints share: their fonts, the page footer with the credit line and the
// maker's addresses right-aligned, and the word printed for a team's rest turn.
#pragma once

#include "ui/report.h"

#include <QFont>
#include <QString>

// The credit line of every footer, as designed (translated with the other captions).
inline constexpr const char *CreditoStampa = "Brivo_Rotaset, realizzato da Brivo";

// The reports' fonts: the family as designed ("Arial", "Verdana"), its point size, bold or not.
QFont CarattereStampa(const char *famiglia, int punti, bool grassetto = false);
// The font made smaller, down to 6 points, until the text fits the width (report units): a
// translated header never runs into the next column.
QFont CarattereCheEntra(const QFont &carattere, const QString &testo, qreal larghezza);
// The maker's web address and support mailbox on one line.
QString ContattiStampa();
// The page footer: a rule across the page, the credit line on the left (item `nomeCredito`) and the
// addresses right-aligned (item `nomeContatti`).
ReportBand PiedeStampa(const QString &credito, const QString &contatti, const QString &nomeCredito,
                       const QString &nomeContatti, const QString &nomeRiga);
// "Fatto" when the stored Riposo reads "True" (the team has had its rest turn), "Da fare" otherwise;
// nothing at all among an even number of teams, where nobody ever rests.
QString ParolaRiposo(const QString &riposo, int squadre);
