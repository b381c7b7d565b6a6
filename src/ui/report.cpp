#include "ui/report.h"

#include "ui/modale.h"
#include "core/messaggi.h"
#include "store/impostazioni.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QTreeView>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QToolBar>
#include <QToolButton>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace {

ReportItem &append(QList<ReportItem> &items, ReportItem item)
{
    items.append(std::move(item));
    return items.last();
}

ReportItem shape(ReportItem::Kind kind, const QString &name, const QRectF &box, const QColor &color,
                 const QColor &fill)
{
    ReportItem item;
    item.kind = kind;
    item.name = name;
    item.rect = box;
    item.color = color;
    item.fill = fill;
    return item;
}

// From report units to the device's pixels.
struct DeviceScale {
    qreal sx, sy;
    QPointF point(const QPointF &p) const { return QPointF(p.x() * sx, p.y() * sy); }
    QRectF rect(const QRectF &r) const { return QRectF(point(r.topLeft()), QSizeF(r.width() * sx, r.height() * sy)); }
};

QPen penFor(const ReportItem &item, const DeviceScale &scale)
{
    QPen pen(item.color);
    pen.setWidthF(item.penWidth * scale.sx);
    return pen;
}

void paintItem(QPainter &painter, const ReportItem &item, const DeviceScale &scale)
{
    switch (item.kind) {
    case ReportItem::Kind::Text: {
        // The font keeps its point size: the device resolves it at its own resolution.
        painter.setFont(item.font);
        QRectF box = scale.rect(item.rect);
        if (item.rect.size().isEmpty())
            box.setSize(QSizeF(1e6, 1e6)); // the text's own size, from the top-left corner
        else if (item.fill.isValid())
            painter.fillRect(box, item.fill);
        painter.setPen(item.color);
        QString text = item.text;
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        painter.drawText(box, int(item.alignment) | (text.contains(QLatin1Char('\n')) ? 0 : Qt::TextSingleLine), text);
        break;
    }
    case ReportItem::Kind::Rectangle:
    case ReportItem::Kind::Ellipse:
        painter.setPen(item.penWidth > 0 ? penFor(item, scale) : QPen(Qt::NoPen));
        painter.setBrush(item.fill.isValid() ? QBrush(item.fill) : QBrush(Qt::NoBrush));
        if (item.kind == ReportItem::Kind::Rectangle)
            painter.drawRect(scale.rect(item.rect));
        else
            painter.drawEllipse(scale.rect(item.rect));
        break;
    case ReportItem::Kind::Line:
        painter.setPen(penFor(item, scale));
        painter.drawLine(scale.point(item.rect.topLeft()), scale.point(item.rect.bottomRight()));
        break;
    }
}

} // namespace

ReportItem &ReportBand::addText(const QString &name, qreal x, qreal y, const QString &text, const QFont &font)
{
    return addText(name, QRectF(x, y, 0, 0), text, font, Qt::AlignLeft | Qt::AlignTop);
}

ReportItem &ReportBand::addText(const QString &name, const QRectF &box, const QString &text, const QFont &font,
                                Qt::Alignment alignment)
{
    ReportItem item;
    item.name = name;
    item.rect = box;
    item.text = text;
    item.font = font;
    item.alignment = alignment;
    return append(bandItems, std::move(item));
}

ReportItem &ReportBand::addRectangle(const QString &name, const QRectF &box, const QColor &color, const QColor &fill)
{
    return append(bandItems, shape(ReportItem::Kind::Rectangle, name, box, color, fill));
}

ReportItem &ReportBand::addEllipse(const QString &name, const QRectF &box, const QColor &color, const QColor &fill)
{
    return append(bandItems, shape(ReportItem::Kind::Ellipse, name, box, color, fill));
}

ReportItem &ReportBand::addLine(const QString &name, const QPointF &from, const QPointF &to, const QColor &color,
                                qreal width)
{
    ReportItem &item = append(bandItems, shape(ReportItem::Kind::Line, name, QRectF(from, to), color, QColor()));
    item.penWidth = width;
    return item;
}

ReportItem *ReportBand::item(const QString &name)
{
    for (ReportItem &i : bandItems)
        if (i.name == name)
            return &i;
    return nullptr;
}

const ReportItem *ReportPage::item(const QString &name) const
{
    for (const ReportItem &i : items)
        if (i.name == name)
            return &i;
    return nullptr;
}

QList<const ReportItem *> ReportPage::itemsNamed(const QString &name) const
{
    QList<const ReportItem *> found;
    for (const ReportItem &i : items)
        if (i.name == name)
            found.append(&i);
    return found;
}

QStringList ReportPage::texts() const
{
    QStringList list;
    for (const ReportItem &i : items)
        if (i.kind == ReportItem::Kind::Text && i.visible)
            list.append(i.text);
    return list;
}

QPageLayout ReportDocument::a4Portrait()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

QPageLayout ReportDocument::a4Landscape()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

QSizeF ReportDocument::area() const
{
    const QRectF mm = pageLayout.paintRect(QPageLayout::Millimeter);
    return QSizeF(reportUnitsFromMm(mm.width()), reportUnitsFromMm(mm.height()));
}

QStringList ReportDocument::texts() const
{
    QStringList list;
    for (const ReportPage &page : pages)
        list += page.texts();
    return list;
}

ReportBuilder::ReportBuilder(const QPageLayout &layout) { doc.pageLayout = layout; }

void ReportBuilder::place(const ReportBand &band, qreal top)
{
    for (ReportItem item : band.items()) {
        item.rect.translate(0, top);
        doc.pages.last().items.append(std::move(item));
    }
}

void ReportBuilder::startPage()
{
    doc.pages.append(ReportPage());
    pageOpen = true;
    detailsOnPage = 0;
    y = 0;
    if (doc.pages.size() == 1) {
        place(titleBand, y);
        y += titleBand.height();
    }
    place(headerBand, y);
    y += headerBand.height();
}

void ReportBuilder::endPage()
{
    place(footerBand, doc.area().height() - footerBand.height());
    pageOpen = false;
}

void ReportBuilder::addDetail(const ReportBand &band)
{
    if (!pageOpen)
        startPage();
    // A band taller than a whole page still goes on a page of its own rather than nowhere.
    if (detailsOnPage > 0 && y + band.height() > doc.area().height() - footerBand.height()) {
        endPage();
        startPage();
    }
    place(band, y);
    y += band.height();
    ++detailsOnPage;
}

ReportDocument ReportBuilder::finish()
{
    if (!pageOpen && doc.pages.isEmpty())
        startPage();
    if (pageOpen)
        endPage();
    ReportDocument result = doc;
    doc.pages.clear();
    return result;
}

bool paintReport(const ReportDocument &document, QPagedPaintDevice &device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const DeviceScale scale{device.logicalDpiX() / ReportDpi, device.logicalDpiY() / ReportDpi};
    bool first = true;
    for (const ReportPage &page : document.pages) {
        if (!first)
            device.newPage();
        first = false;
        for (const ReportItem &item : page.items)
            if (item.visible) {
                painter.save();
                paintItem(painter, item, scale);
                painter.restore();
            }
    }
    return painter.end();
}

bool writeReportPdf(const ReportDocument &document, const QString &fileName)
{
    {
        // QPdfWriter reports no failure of its own: find out first whether the file can be written.
        QFile probe(fileName);
        if (!probe.open(QIODevice::WriteOnly))
            return false;
    }
    QPdfWriter writer(fileName);
    writer.setResolution(300);
    writer.setTitle(document.title);
    writer.setCreator(QStringLiteral("Brivo_Rotaset"));
    writer.setPageLayout(document.pageLayout);
    return paintReport(document, writer);
}

QString reportPlainName(const QString &title)
{
    // Words stand three spaces apart in a spaced title, letters one space apart.
    QStringList words;
    for (const QString &word : title.split(QRegularExpression(QStringLiteral("\\s{2,}")), Qt::SkipEmptyParts)) {
        const QStringList parts = word.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool spaced = parts.size() > 1;
        for (const QString &p : parts)
            spaced = spaced && p.size() == 1;
        words << (spaced ? parts.join(QString()) : parts.join(QLatin1Char(' ')));
    }
    QString name = words.join(QLatin1Char(' '));
    name.remove(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")));
    name = name.trimmed();
    if (name.isEmpty())
        return QStringLiteral("Stampa");
    if (name == name.toUpper())
        name = name.left(1) + name.mid(1).toLower();
    return name;
}

namespace {

PdfFileQuestion &pdfQuestion()
{
    static PdfFileQuestion question;
    return question;
}

QString askPdfFile(QWidget *parent, const QString &caption, const QString &suggested)
{
    if (pdfQuestion())
        return pdfQuestion()(parent, suggested);
    QFileDialog dialogo(parent, caption, QFileInfo(suggested).absolutePath(), QStringLiteral("PDF (*.pdf)"));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setViewMode(QFileDialog::Detail);
    dialogo.selectFile(QFileInfo(suggested).fileName());
    // The toolkit's own dialog: wide enough, and each column as wide as its header at least.
    if (auto *elenco = dialogo.findChild<QTreeView *>()) {
        QHeaderView *intestazione = elenco->header();
        intestazione->setStretchLastSection(false);
        intestazione->setSectionResizeMode(QHeaderView::ResizeToContents);
        intestazione->setSectionResizeMode(0, QHeaderView::Stretch);
        dialogo.resize(qMax(dialogo.width(), 820), qMax(dialogo.height(), 480));
    }
    if (MostraModale(dialogo) != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return QString();
    return dialogo.selectedFiles().constFirst();
}

// The preview of one report: the toolkit's preview with a "Salva PDF" action, and open until the user
// closes it (the toolkit closes its preview once it has printed).
class ReportPreview : public QPrintPreviewDialog {
public:
    ReportPreview(const ReportDocument &document, QPrinter *printer, QWidget *parent)
        : QPrintPreviewDialog(printer, parent), document(document)
    {
        setObjectName(QStringLiteral("ReportPreview"));
        if (!document.title.isEmpty())
            setWindowTitle(document.title);
        connect(this, &QPrintPreviewDialog::paintRequested, this,
                [&document](QPrinter *target) { paintReport(document, *target); });
        auto *save = new QAction(savePdfText(), this);
        save->setObjectName(QStringLiteral("SalvaPdf"));
        connect(save, &QAction::triggered, this, &ReportPreview::savePdf);
        if (QToolBar *bar = findChild<QToolBar *>()) {
            // First on the bar, where a narrow window does not fold it away, and the window as
            // wide as its whole bar.
            QAction *first = bar->actions().value(0);
            bar->insertAction(first, save);
            bar->insertSeparator(first);
            if (auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(save)))
                button->setToolButtonStyle(Qt::ToolButtonTextOnly);
            const int alta = screen() ? screen()->availableGeometry().height() * 3 / 4 : 600;
            resize(qMax(sizeHint().width(), bar->sizeHint().width() + 24), qMax(sizeHint().height(), alta));
        }
        // Maximised, with the whole page in view.
        setWindowState(windowState() | Qt::WindowMaximized);
        if (auto *view = findChild<QPrintPreviewWidget *>())
            view->setZoomMode(QPrintPreviewWidget::FitInView);
    }

    void done(int result) override
    {
        if (result == QDialog::Accepted)
            return; // printed: the user may still save the same pages, or print them again
        QPrintPreviewDialog::done(result);
    }

private:
    // A toolkit-level action like the preview's own, in the language the toolkit speaks.
    static QString savePdfText()
    {
        switch (LinguaImpostata()) {
        case Lingua::English:
            return QStringLiteral("Save PDF");
        case Lingua::Francais:
            return QStringLiteral("Enregistrer en PDF");
        case Lingua::Italiano:
            break;
        }
        return QStringLiteral("Salva PDF");
    }

    void savePdf()
    {
        // The user's documents folder, made when the desktop names one that is not there yet.
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty() || !QDir().mkpath(folder))
            folder = QDir::homePath();
        QString file = askPdfFile(this, savePdfText(),
                                  QDir(folder).filePath(reportPlainName(document.title) + QStringLiteral(".pdf")));
        if (file.isEmpty())
            return;
        if (!file.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
            file += QStringLiteral(".pdf");
        if (!writeReportPdf(document, file))
            MostraErrore(QStringLiteral("Impossibile salvare il file %1.").arg(QDir::toNativeSeparators(file)));
    }

    const ReportDocument &document;
};

} // namespace

void setPdfFileQuestion(PdfFileQuestion question) { pdfQuestion() = std::move(question); }

int previewReport(const ReportDocument &document, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(document.pageLayout);
    printer.setDocName(reportPlainName(document.title));
    ReportPreview preview(document, &printer, parent);
    return MostraModale(preview);
}
