#include "ui/clickablelabel.h"

#include <QMouseEvent>

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

ClickableLabel *createLinkLabel(QWidget *parent, const QString &name, const QString &text, const QString &tooltip)
{
    auto *l = new ClickableLabel(parent);
    l->setObjectName(name);
    l->setText(text);
    l->setToolTip(tooltip);
    QFont f = l->font();
    f.setUnderline(true);
    l->setFont(f);
    l->setStyleSheet(QStringLiteral("color: #1f5fbf;"));
    l->setCursor(Qt::PointingHandCursor);
    return l;
}
