#include "championship/grigliagiornata.h"

#include "ui/datacontrols.h"
#include "ui/namedwidgets.h"
#include "store/campigiornata.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>

namespace {
// Shown, never typed into: the form's own background.
void soloLettura(QLineEdit *e)
{
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    QPalette sfondo = e->palette();
    sfondo.setColor(QPalette::Base, sfondo.color(QPalette::Window));
    e->setPalette(sfondo);
}
} // namespace

GrigliaGiornata::GrigliaGiornata(QWidget *form, store::Table *giornate, Accanto accanto)
{
    griglia = new QGridLayout;
    griglia->setHorizontalSpacing(6);
    griglia->setVerticalSpacing(4);
    griglia->setColumnStretch(0, 1);
    griglia->setColumnStretch(4, 1);
    griglia->setColumnMinimumWidth(2, 16);
    for (int k = 1; k <= Campi; ++k) {
        DBEdit *sq = createNamed<DBEdit>(form, Campo("SQ", k));
        soloLettura(sq);
        sq->setMinimumWidth(sq->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 16);
        sq->setDataField(giornate, CampoSquadra(k));
        squadre[size_t(k - 1)] = sq;

        QWidget *vicino = nullptr;
        if (accanto == Accanto::Segni) {
            QLabel *v = createNamed<QLabel>(form, Campo("V", k));
            QFont f = v->font();
            f.setBold(true);
            v->setFont(f);
            v->setMinimumWidth(v->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 8);
            v->setAlignment(Qt::AlignCenter);
            segni[size_t(k - 1)] = v;
            vicino = v;
        } else {
            QLineEdit *p = nullptr;
            if (accanto == Accanto::SetMostrati) {
                auto *dati = createNamed<DBEdit>(form, Campo("P", k));
                soloLettura(dati);
                dati->setDataField(giornate, CampoSet(k));
                p = dati;
            } else {
                p = createNamed<QLineEdit>(form, Campo("P", k));
                p->setMaxLength(1);
            }
            p->setAlignment(Qt::AlignCenter);
            p->setFixedWidth(p->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 3 + 12);
            set[size_t(k - 1)] = p;
            vicino = p;
        }

        // Match (k + 1) / 2 on its own row: home team on the left, the visitor on the right.
        const int riga = (k - 1) / 2;
        if (k % 2 == 1) {
            griglia->addWidget(sq, riga, 0);
            griglia->addWidget(vicino, riga, 1);
            auto *trattino = new QLabel(QStringLiteral("-"), form);
            trattino->setAlignment(Qt::AlignCenter);
            trattini[size_t(riga)] = trattino;
            griglia->addWidget(trattino, riga, 2);
        } else if (accanto == Accanto::Segni) {
            griglia->addWidget(sq, riga, 3);
            griglia->addWidget(vicino, riga, 4);
        } else {
            griglia->addWidget(vicino, riga, 3);
            griglia->addWidget(sq, riga, 4);
        }
    }
    if (accanto == Accanto::Segni) {
        griglia->setColumnStretch(3, 1);
        griglia->setColumnStretch(4, 0);
    }
}

void GrigliaGiornata::MostraSoloPartita(int partita)
{
    for (int k = 1; k <= Campi; ++k) {
        const bool mostra = (k + 1) / 2 == partita;
        SQ(k)->setVisible(mostra);
        if (P(k))
            P(k)->setVisible(mostra);
        if (k % 2 == 1)
            trattini[size_t(k / 2)]->setVisible(mostra);
    }
}
