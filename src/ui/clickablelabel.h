// A label that reports a click: links in the About form and the fault report, the splash picture.
#pragma once

#include <QLabel>

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget *parent = nullptr) : QLabel(parent) {}

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// A web or mail address shown as a link: underlined, blue, with the hand cursor.
ClickableLabel *createLinkLabel(QWidget *parent, const QString &name, const QString &text,
                                const QString &tooltip = QString());
