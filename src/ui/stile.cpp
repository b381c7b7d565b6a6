#include "ui/stile.h"

#include <QApplication>
#include <QProxyStyle>
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
} // namespace

void InstallaStileProgramma() { QApplication::setStyle(new StileProgramma); }
