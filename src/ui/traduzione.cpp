#include "ui/traduzione.h"

#include "store/engineerror.h"
#include "store/impostazioni.h"
#include "store/segnalazioni.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLibraryInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTranslator>

namespace {
// The tab widget and index of a page, when the control is one.
QTabWidget *tabOf(const QObject *controllo, int &index)
{
    const QWidget *page = qobject_cast<const QWidget *>(controllo);
    for (QObject *p = page ? page->parent() : nullptr; p; p = p->parent())
        if (auto *tabs = qobject_cast<QTabWidget *>(p)) {
            index = tabs->indexOf(const_cast<QWidget *>(page));
            return index >= 0 ? tabs : nullptr;
        }
    return nullptr;
}
} // namespace

QString TestoControllo(const QObject *c)
{
    int index = -1;
    if (QTabWidget *tabs = tabOf(c, index))
        return tabs->tabText(index);
    if (auto *w = qobject_cast<const QLabel *>(c))
        return w->text();
    if (auto *w = qobject_cast<const QAbstractButton *>(c))
        return w->text();
    if (auto *w = qobject_cast<const QMenu *>(c))
        return w->title();
    if (auto *w = qobject_cast<const QAction *>(c))
        return w->text();
    if (auto *w = qobject_cast<const QGroupBox *>(c))
        return w->title();
    if (auto *w = qobject_cast<const QLineEdit *>(c))
        return w->text();
    if (auto *w = qobject_cast<const QWidget *>(c))
        return w->windowTitle();
    return QString();
}

void ImpostaTestoControllo(QObject *c, const QString &testo)
{
    int index = -1;
    if (QTabWidget *tabs = tabOf(c, index))
        tabs->setTabText(index, testo);
    else if (auto *w = qobject_cast<QLabel *>(c))
        w->setText(testo);
    else if (auto *w = qobject_cast<QAbstractButton *>(c))
        w->setText(testo);
    else if (auto *w = qobject_cast<QMenu *>(c))
        w->setTitle(testo);
    else if (auto *w = qobject_cast<QAction *>(c))
        w->setText(testo);
    else if (auto *w = qobject_cast<QGroupBox *>(c))
        w->setTitle(testo);
    else if (auto *w = qobject_cast<QLineEdit *>(c))
        w->setText(testo);
    else if (auto *w = qobject_cast<QWidget *>(c))
        w->setWindowTitle(testo);
}

void TraduciControlli(const QList<QObject *> &controlli)
{
    const Lingua lingua = LinguaImpostata();
    if (lingua == Lingua::Italiano)
        return;
    // Every caption is looked up before any changes: a translation table that cannot be read leaves
    // the form in Italian, with one box about the table (none when it was already reported).
    QList<QPair<QObject *, QString>> tradotti;
    try {
        for (QObject *c : controlli)
            if (c)
                tradotti.append({c, Traduci(TestoControllo(c), lingua)});
    } catch (const store::EngineError &e) {
        SegnalaErroreTabella(e);
        return;
    }
    for (const auto &[c, testo] : std::as_const(tradotti))
        ImpostaTestoControllo(c, testo);
}

bool ApplicaLinguaToolkit() { return ApplicaLinguaToolkit(LinguaImpostata()); }

bool ApplicaLinguaToolkit(const QString &lingua)
{
    return ApplicaLinguaToolkit(LinguaDaTesto(lingua).value_or(Lingua::Italiano));
}

bool ApplicaLinguaToolkit(Lingua lingua)
{
    static QTranslator *caricato = nullptr;
    if (caricato) {
        QCoreApplication::removeTranslator(caricato);
        delete caricato;
        caricato = nullptr;
    }
    QString codice = QStringLiteral("it");
    if (lingua == Lingua::English)
        codice = QStringLiteral("en");
    else if (lingua == Lingua::Francais)
        codice = QStringLiteral("fr");
    auto *traduttore = new QTranslator;
    if (!traduttore->load(QStringLiteral("qtbase_") + codice, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traduttore;
        return false;
    }
    QCoreApplication::installTranslator(traduttore);
    caricato = traduttore;
    return true;
}
