#include "ui/stile.h"

#include <QApplication>
#include <QBoxLayout>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleOption>

namespace {
class StileProgramma : public QProxyStyle {
public:
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override
    {
        QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
        if (type == CT_PushButton)
            s.rwidth() += 2 * pixelMetric(PM_ButtonMargin, option, widget);
        return s;
    }
};
// Each form, as it is shown, widened to its title.
class TitoliInteri : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (evento->type() == QEvent::Show)
            if (auto *finestra = qobject_cast<QDialog *>(oggetto); finestra && finestra->isWindow())
                AdattaAlTitolo(*finestra);
        return QObject::eventFilter(oggetto, evento);
    }
};

// Room for the window manager's icon and buttons beside the title.
constexpr int Decorazioni = 160;
} // namespace

void InstallaStileProgramma()
{
    QApplication::setStyle(new StileProgramma);
    static bool installato = false;
    if (!installato) {
        qApp->installEventFilter(new TitoliInteri(qApp));
        installato = true;
    }
}

void AdattaAlTitolo(QWidget &finestra)
{
    QString titolo = finestra.windowTitle();
    if (titolo.isEmpty())
        return;
    const QString programma = QGuiApplication::applicationDisplayName();
    if (!programma.isEmpty() && !titolo.contains(programma))
        titolo += QStringLiteral(" \u2014 ") + programma;
    QFont grassetto = finestra.font();
    grassetto.setBold(true);
    int serve = QFontMetrics(grassetto).horizontalAdvance(titolo) + Decorazioni;
    if (const QScreen *schermo = finestra.screen())
        serve = qMin(serve, schermo->availableGeometry().width());
    if (QLayout *layout = finestra.layout())
        layout->activate();
    if (finestra.width() >= serve)
        return;
    QLayout *layout = finestra.layout();
    if (layout && layout->sizeConstraint() == QLayout::SetFixedSize) {
        // The layout sets the size from its contents: a strut across a column of rows widens it.
        auto *colonna = qobject_cast<QBoxLayout *>(layout);
        if (!colonna || (colonna->direction() != QBoxLayout::TopToBottom && colonna->direction() != QBoxLayout::BottomToTop))
            return;
        const QMargins margini = colonna->contentsMargins();
        colonna->addStrut(serve - margini.left() - margini.right());
        colonna->activate();
        return;
    }
    if (finestra.minimumWidth() == finestra.maximumWidth())
        finestra.setFixedWidth(serve);
    else {
        finestra.setMinimumWidth(qMin(serve, finestra.maximumWidth()));
        finestra.resize(qMin(serve, finestra.maximumWidth()), finestra.height());
    }
}
