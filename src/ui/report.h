// Printed reports. A report is first built as pages of drawn items (texts, rectangles, ellipses,
// lines) in report units: pixels at 96 dpi, measured from the top-left corner of the page's printable
// area (the left edge of every band). The same pages are then painted onto a printer, into the print
// preview or into a PDF file. Tests look at the items; nothing here needs a printer.
#pragma once

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QList>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>

class QPagedPaintDevice;
class QWidget;

// Report units per inch, and a few conversions.
inline constexpr qreal ReportDpi = 96.0;
inline constexpr qreal reportUnitsFromMm(qreal mm) { return mm * ReportDpi / 25.4; }

// One drawn thing of a page.
struct ReportItem {
    enum class Kind { Text, Rectangle, Ellipse, Line };

    Kind kind = Kind::Text;
    QString name; // the item's name in its report ("QRLabel1", "QRDBText3"), for tests and lookups
    // Text: its box; an empty size means the text's own size from the top-left corner.
    // Rectangle and ellipse: the box. Line: from the top-left to the bottom-right corner.
    QRectF rect;
    QString text; // "\r\n" or "\n" start a new line
    QFont font; // with the point size as designed
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    QColor color = Qt::black; // text, outline or line
    QColor fill;              // rectangles, ellipses, texts with a box (background); invalid: none
    qreal penWidth = 1;       // outline and line width in report units
    bool visible = true;

    QPointF pos() const { return rect.topLeft(); }
    qreal x() const { return rect.x(); }
    qreal y() const { return rect.y(); }
    QLineF line() const { return QLineF(rect.topLeft(), rect.bottomRight()); }
};

// A band of a banded report: items placed from the band's top-left corner, and its height.
class ReportBand {
public:
    explicit ReportBand(qreal height = 0) : bandHeight(height) {}

    qreal height() const { return bandHeight; }
    void setHeight(qreal height) { bandHeight = height; }

    ReportItem &addText(const QString &name, qreal x, qreal y, const QString &text, const QFont &font);
    // A text in a box of its own, aligned inside it (right-aligned numbers, centred titles).
    ReportItem &addText(const QString &name, const QRectF &box, const QString &text, const QFont &font,
                        Qt::Alignment alignment);
    ReportItem &addRectangle(const QString &name, const QRectF &box, const QColor &color = Qt::black,
                             const QColor &fill = QColor());
    ReportItem &addEllipse(const QString &name, const QRectF &box, const QColor &color = Qt::black,
                           const QColor &fill = QColor());
    ReportItem &addLine(const QString &name, const QPointF &from, const QPointF &to, const QColor &color = Qt::black,
                        qreal width = 1);

    QList<ReportItem> &items() { return bandItems; }
    const QList<ReportItem> &items() const { return bandItems; }
    // The first item of that name, or nullptr.
    ReportItem *item(const QString &name);

private:
    qreal bandHeight;
    QList<ReportItem> bandItems;
};

// A page: its items in drawing order.
struct ReportPage {
    QList<ReportItem> items;

    // The first item of that name, or nullptr.
    const ReportItem *item(const QString &name) const;
    // Every item of that name (a detail band's items repeat once per row).
    QList<const ReportItem *> itemsNamed(const QString &name) const;
    // The texts of the visible text items, in drawing order.
    QStringList texts() const;
};

// The pages of one report and the paper they are laid out for.
struct ReportDocument {
    QPageLayout pageLayout = a4Portrait();
    QList<ReportPage> pages;
    QString title; // the document's name in the preview, the print queue and the PDF

    // A4 portrait (landscape) with 10 mm margins on every side, the reports' paper.
    static QPageLayout a4Portrait();
    static QPageLayout a4Landscape();
    // The printable area in report units (width and height of the bands' space).
    QSizeF area() const;
    // The visible texts of every page, page after page.
    QStringList texts() const;
};

// Lays bands out on pages the way a banded report generator does: the title band at the top of the
// first page, the column header band at the top of every page (below the title on the first), the
// detail bands one after the other, and the page footer band at the bottom of every page. A band
// that does not fit above the footer starts a new page. A report without detail bands still has one
// page with its title, column header and footer. The title, header and footer are set before the
// first detail band is added.
class ReportBuilder {
public:
    explicit ReportBuilder(const QPageLayout &layout = ReportDocument::a4Portrait());

    void setTitle(const ReportBand &band) { titleBand = band; }
    void setColumnHeader(const ReportBand &band) { headerBand = band; }
    void setPageFooter(const ReportBand &band) { footerBand = band; }
    void addDetail(const ReportBand &band);

    ReportDocument finish();

private:
    void startPage();
    void endPage();
    void place(const ReportBand &band, qreal top);

    ReportDocument doc;
    ReportBand titleBand, headerBand, footerBand;
    bool pageOpen = false;
    int detailsOnPage = 0;
    qreal y = 0;
};

// Paints the pages onto the device (a printer or a PDF writer, already set up with its page layout),
// from the top-left corner of its printable area; each page after the first starts a new sheet.
// False when the device cannot be painted on.
bool paintReport(const ReportDocument &document, QPagedPaintDevice &device);

// Writes the pages into a PDF file; false when the file cannot be written.
bool writeReportPdf(const ReportDocument &document, const QString &fileName);

// Shows the pages in the print preview, from which the user prints them or saves them as PDF ("Salva
// PDF"); the preview opens maximised with the whole page in view and stays open after either. It is
// shown modally through MostraModale; the result is the dialog's.
int previewReport(const ReportDocument &document, QWidget *parent = nullptr);

// The report's plain name for files and the print queue: the title without its letter spacing and
// capitals ("C L A S S I F I C A" gives "Classifica"), "Stampa" for an empty title.
QString reportPlainName(const QString &title);

// Where "Salva PDF" writes: asked of the user with a save dialog that starts from `suggested` (the
// plain name in the documents folder); "" when the user cancels. Tests replace the question.
using PdfFileQuestion = std::function<QString(QWidget *parent, const QString &suggested)>;
void setPdfFileQuestion(PdfFileQuestion question); // nullptr restores the save dialog
