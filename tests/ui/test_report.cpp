// The report layer: bands laid out on pages (title once, column header and footer on every page,
// page breaks), the items' lookups, and the same pages painted into a PDF and into the print
// preview, read back to see that texts land where the items put them.
#include "support/testprogram.h"
#include "ui/modale.h"
#include "ui/report.h"

#include <QAction>

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QFont arial(int points)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(points);
    return f;
}

ReportBand textBand(qreal height, const QString &name, const QString &text, qreal x = 24)
{
    ReportBand band(height);
    band.addText(name, x, 2, text, arial(10));
    return band;
}

// A report with a title, a header with a line, a footer and `rows` detail lines of `height`.
ReportDocument sample(int rows, qreal height = 20)
{
    ReportBuilder builder;
    builder.setTitle(textBand(50, QStringLiteral("title"), QStringLiteral("TITOLO")));
    ReportBand header = textBand(30, QStringLiteral("header"), QStringLiteral("Intestazione"));
    header.addLine(QStringLiteral("rule"), QPointF(0, 28), QPointF(700, 28));
    builder.setColumnHeader(header);
    builder.setPageFooter(textBand(40, QStringLiteral("footer"), QStringLiteral("Piede")));
    for (int i = 1; i <= rows; ++i)
        builder.addDetail(textBand(height, QStringLiteral("row"), QStringLiteral("Riga%1").arg(i)));
    return builder.finish();
}

QString pdftotext(const QStringList &arguments)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return QString();
    QProcess p;
    p.start(tool, arguments);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { setModalBackend(nullptr); }

    void paperIsA4WithTenMillimetreMargins()
    {
        const ReportDocument doc;
        QCOMPARE(doc.pageLayout.pageSize().id(), QPageSize::A4);
        QCOMPARE(doc.pageLayout.orientation(), QPageLayout::Portrait);
        // 190 mm by 277 mm at 96 dpi.
        QVERIFY(qAbs(doc.area().width() - 718.11) < 0.01);
        QVERIFY(qAbs(doc.area().height() - 1046.93) < 0.01);
    }

    void bandsLaidOutOnOnePage()
    {
        const ReportDocument doc = sample(3);
        QCOMPARE(doc.pages.size(), 1);
        const ReportPage &page = doc.pages.first();
        QCOMPARE(page.item(QStringLiteral("title"))->y(), 2.0);
        QCOMPARE(page.item(QStringLiteral("header"))->y(), 52.0);
        QCOMPARE(page.item(QStringLiteral("rule"))->line(), QLineF(0, 78, 700, 78));
        const QList<const ReportItem *> rows = page.itemsNamed(QStringLiteral("row"));
        QCOMPARE(rows.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(rows[i]->text, QStringLiteral("Riga%1").arg(i + 1));
            QCOMPARE(rows[i]->pos(), QPointF(24, 82 + 20 * i));
        }
        // The footer sits at the bottom of the printable area.
        QCOMPARE(page.item(QStringLiteral("footer"))->y(), doc.area().height() - 40 + 2);
        QCOMPARE(doc.texts(), (QStringList{"TITOLO", "Intestazione", "Riga1", "Riga2", "Riga3", "Piede"}));
        QVERIFY(!page.item(QStringLiteral("missing")));
    }

    void withoutDetailsOnePageStillPrints()
    {
        const ReportDocument doc = sample(0);
        QCOMPARE(doc.pages.size(), 1);
        QCOMPARE(doc.texts(), (QStringList{"TITOLO", "Intestazione", "Piede"}));
    }

    void longReportBreaksAboveTheFooter()
    {
        // First page: 1046.93 - 40 (footer) - 80 (title, header) leaves room for 46 lines of 20;
        // later pages have no title: 1046.93 - 40 - 30 for 48 lines.
        const ReportDocument doc = sample(100);
        QCOMPARE(doc.pages.size(), 3);
        QCOMPARE(doc.pages[0].itemsNamed(QStringLiteral("row")).size(), 46);
        QCOMPARE(doc.pages[1].itemsNamed(QStringLiteral("row")).size(), 48);
        QCOMPARE(doc.pages[2].itemsNamed(QStringLiteral("row")).size(), 6);
        for (const ReportPage &page : doc.pages) {
            QCOMPARE(page.itemsNamed(QStringLiteral("header")).size(), 1);
            QCOMPARE(page.itemsNamed(QStringLiteral("footer")).size(), 1);
            const ReportItem *last = page.itemsNamed(QStringLiteral("row")).last();
            QVERIFY(last->y() - 2 + 20 <= doc.area().height() - 40);
        }
        QVERIFY(doc.pages[0].item(QStringLiteral("title")));
        QVERIFY(!doc.pages[1].item(QStringLiteral("title")));
        QCOMPARE(doc.pages[1].item(QStringLiteral("header"))->y(), 2.0);
        QCOMPARE(doc.pages[1].itemsNamed(QStringLiteral("row")).first()->text, QStringLiteral("Riga47"));

        // A band taller than a page still gets a page of its own.
        ReportBuilder tall;
        tall.addDetail(textBand(5000, QStringLiteral("a"), QStringLiteral("A")));
        tall.addDetail(textBand(5000, QStringLiteral("b"), QStringLiteral("B")));
        QCOMPARE(tall.finish().pages.size(), 2);
    }

    void pdfHoldsTheTextsWhereTheItemsPutThem()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("prova.pdf"));

        ReportDocument doc = sample(60);
        doc.pages[0].items.append(ReportItem());
        doc.pages[0].items.last().text = QStringLiteral("Invisibile");
        doc.pages[0].items.last().visible = false;
        QVERIFY(writeReportPdf(doc, file));

        const QString text = pdftotext({QStringLiteral("-layout"), file, QStringLiteral("-")});
        const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 2);
        QVERIFY(pages[0].contains(QStringLiteral("TITOLO")));
        QVERIFY(pages[0].contains(QStringLiteral("Riga46")));
        QVERIFY(!pages[0].contains(QStringLiteral("Riga47")));
        QVERIFY(pages[1].contains(QStringLiteral("Riga60")));
        QVERIFY(!pages[1].contains(QStringLiteral("TITOLO")));
        QVERIFY(pages[1].contains(QStringLiteral("Piede")));
        QVERIFY(!text.contains(QStringLiteral("Invisibile")));

        // A4 is 595 by 842 points; an item 24 report units from the band's edge stands 10 mm (28.35 pt)
        // plus 24 * 0.75 pt from the paper's edge. The first detail line is 82 units down.
        const QString boxes = pdftotext({QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                         QStringLiteral("-l"), QStringLiteral("1"), file, QStringLiteral("-")});
        QVERIFY(boxes.contains(QStringLiteral("width=\"595")));
        QVERIFY(boxes.contains(QStringLiteral("height=\"842")));
        const QRegularExpression word(QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>Riga1<"));
        const QRegularExpressionMatch m = word.match(boxes);
        QVERIFY2(m.hasMatch(), qPrintable(boxes.left(2000)));
        QVERIFY(qAbs(m.captured(1).toDouble() - (28.35 + 18)) < 1.5);
        const qreal top = 28.35 + 84 * 0.75; // 82 + the text's 2 units inside its band
        QVERIFY(qAbs(m.captured(2).toDouble() - top) < 3);
    }

    void pdfToAnUnwritablePlaceFails()
    {
        QTemporaryDir dir;
        QVERIFY(!writeReportPdf(sample(1), dir.filePath(QStringLiteral("manca/prova.pdf"))));
    }

    void previewShowsEveryPage()
    {
        TestProgram program; // the preview's own captions read the settings
        const ReportDocument doc = sample(60);
        int pages = -1;
        QString docName;
        QPageLayout layout;
        setModalBackend([&](QDialog &dialog) {
            auto *preview = qobject_cast<QPrintPreviewDialog *>(&dialog);
            if (!preview)
                return int(QDialog::Rejected);
            docName = preview->printer()->docName();
            layout = preview->printer()->pageLayout();
            auto *widget = preview->findChild<QPrintPreviewWidget *>();
            widget->updatePreview();
            pages = widget->pageCount();
            return int(QDialog::Accepted);
        });
        ReportDocument named = doc;
        named.title = QStringLiteral("Prova");
        QCOMPARE(previewReport(named), int(QDialog::Accepted));
        QCOMPARE(pages, 2);
        QCOMPARE(docName, QStringLiteral("Prova"));
        QCOMPARE(layout.pageSize().id(), QPageSize::A4);
        QCOMPARE(layout.margins(QPageLayout::Millimeter), QMarginsF(10, 10, 10, 10));
    }

    void multiLineTextsWithTheirBackground()
    {
        ReportBuilder builder;
        ReportBand band(200);
        ReportItem &name = band.addText(QStringLiteral("cell"), QRectF(100, 40, 160, 60), QStringLiteral("12\r\nMarco\r\nRossi"),
                                        arial(10), Qt::AlignLeft | Qt::AlignVCenter);
        name.fill = QColor(0xFF, 0xFF, 0x00);
        band.addText(QStringLiteral("plain"), 400, 40, QStringLiteral("Una riga"), arial(10));
        builder.setTitle(band);
        const ReportDocument doc = builder.finish();
        QCOMPARE(doc.pages.first().item(QStringLiteral("cell"))->text, QStringLiteral("12\r\nMarco\r\nRossi"));

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("righe.pdf"));
        QVERIFY(writeReportPdf(doc, pdf));
        const QString text = pdftotext({QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        if (text.isEmpty())
            QSKIP("pdftotext is not installed");
        // Three lines, one under the other, none run together.
        const QStringList lines = text.split(QLatin1Char('\n'));
        int first = -1;
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i].trimmed().startsWith(QLatin1String("12")))
                first = i;
        QVERIFY2(first >= 0, qPrintable(text));
        QVERIFY(lines[first + 1].contains(QLatin1String("Marco")) || lines[first + 2].contains(QLatin1String("Marco")));
        QVERIFY(!text.contains(QLatin1String("12Marco")));
        QVERIFY(text.contains(QLatin1String("Rossi")));

        // The background is painted behind the text's box, and only there.
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        if (tool.isEmpty())
            QSKIP("pdftoppm is not installed");
        QProcess p;
        p.start(tool, {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf,
                       dir.filePath(QStringLiteral("pagina"))});
        QVERIFY(p.waitForFinished(60000));
        const QImage page(dir.filePath(QStringLiteral("pagina.png")));
        QVERIFY(!page.isNull());
        const qreal margin = reportUnitsFromMm(10);
        QCOMPARE(page.pixelColor(int(margin + 250), int(margin + 45)), QColor(0xFF, 0xFF, 0x00));
        QCOMPARE(page.pixelColor(int(margin + 300), int(margin + 45)), QColor(Qt::white));
    }

    void landscapePreviewMaximisedWithTheWholePage()
    {
        ReportBuilder builder(ReportDocument::a4Landscape());
        builder.setTitle(textBand(50, QStringLiteral("title"), QStringLiteral("TITOLO")));
        const ReportDocument doc = builder.finish();
        QCOMPARE(doc.pageLayout.orientation(), QPageLayout::Landscape);
        QVERIFY(qAbs(doc.area().width() - reportUnitsFromMm(277)) < 0.5);
        QVERIFY(qAbs(doc.area().height() - reportUnitsFromMm(190)) < 0.5);
        bool maximised = false;
        QPrintPreviewWidget::ZoomMode zoom = QPrintPreviewWidget::CustomZoom;
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        setModalBackend([&](QDialog &dialog) {
            auto *preview = qobject_cast<QPrintPreviewDialog *>(&dialog);
            maximised = dialog.windowState().testFlag(Qt::WindowMaximized);
            zoom = preview->findChild<QPrintPreviewWidget *>()->zoomMode();
            orientation = preview->printer()->pageLayout().orientation();
            return int(QDialog::Accepted);
        });
        previewReport(doc);
        QVERIFY(maximised);
        QCOMPARE(zoom, QPrintPreviewWidget::FitInView);
        QCOMPARE(orientation, QPageLayout::Landscape);
    }

    void plainNames()
    {
        QCOMPARE(reportPlainName(QStringLiteral("C L A S S I F I C A")), QStringLiteral("Classifica"));
        QCOMPARE(reportPlainName(QStringLiteral("C L A S S E M E N T")), QStringLiteral("Classement"));
        QCOMPARE(reportPlainName(QStringLiteral("S t a t i s t i c h e   p e r   s q u a d r a")),
                 QStringLiteral("Statistiche per squadra"));
        QCOMPARE(reportPlainName(QStringLiteral("Dettaglio 6 rotazioni:")), QStringLiteral("Dettaglio 6 rotazioni"));
        QCOMPARE(reportPlainName(QStringLiteral("Giornata 3/4")), QStringLiteral("Giornata 34"));
        QCOMPARE(reportPlainName(QString()), QStringLiteral("Stampa"));
    }

    // "Salva PDF" in the preview: asks for the file starting from the plain name in the documents
    // folder, writes the pages there, tells a failure, and the preview stays open after saving and
    // after the toolkit's own accept at the end of a print.
    void previewSavesPdfAndStaysOpen()
    {
        TestProgram program;
        QTemporaryDir dir;
        ReportDocument doc = sample(3);
        doc.title = QStringLiteral("C L A S S I F I C A");
        QStringList suggested;
        QString answer = dir.filePath(QStringLiteral("mia classifica"));
        setPdfFileQuestion([&](QWidget *, const QString &s) {
            suggested << s;
            return answer;
        });
        bool stillOpen = false;
        QString docName, caption;
        setModalBackend([&](QDialog &dialog) {
            auto *preview = qobject_cast<QPrintPreviewDialog *>(&dialog);
            docName = preview->printer()->docName();
            QAction *save = preview->findChild<QAction *>(QStringLiteral("SalvaPdf"));
            if (!save)
                return -1;
            caption = save->text();
            preview->show();
            save->trigger();
            answer = dir.filePath(QStringLiteral("manca/x.pdf")); // a folder that does not exist
            save->trigger();
            answer.clear(); // the user cancels
            save->trigger();
            preview->accept(); // what the toolkit does once it has printed
            stillOpen = preview->isVisible();
            preview->reject();
            return preview->result();
        });
        previewReport(doc);
        setModalBackend(nullptr);
        setPdfFileQuestion(nullptr);
        QCOMPARE(caption, QStringLiteral("Salva PDF"));
        QCOMPARE(docName, QStringLiteral("Classifica"));
        QCOMPARE(suggested.size(), 3);
        QCOMPARE(QFileInfo(suggested.first()).fileName(), QStringLiteral("Classifica.pdf"));
        // The documents folder, or the home folder where there is none.
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(QFileInfo(suggested.first()).absolutePath(),
                 QFileInfo(QDir(documents).exists() ? documents : QDir::homePath()).absoluteFilePath());
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("mia classifica.pdf"))).size() > 0);
        QCOMPARE(program.boxes.count(), 1);
        QCOMPARE(program.boxes.last().titolo, QStringLiteral("Errore"));
        QVERIFY(program.boxes.last().testo.contains(QStringLiteral("x.pdf")));
        QVERIFY(stillOpen);
    }
};

QTEST_MAIN(TestReport)
#include "test_report.moc"
