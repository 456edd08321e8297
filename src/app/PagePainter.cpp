#include "app/PagePainter.h"

#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>

namespace selektor {

namespace {

QString fileNotWritten(const QPrinter& printer) {
    return QStringLiteral("Nie można zapisać wydruku w pliku %1 !").arg(printer.outputFileName());
}

// Whether the pages were printed into a file, not to a printer nor into the preview.
bool printsIntoFile(const QPrinter& printer, const QPainter& painter) {
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty() &&
           painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Pdf;
}

// Qt's PDF writer does not look at its writes: on a full disk it ends the job as if all went well. A
// PDF file is whole when it ends with its end-of-file mark, so that is what is read back.
bool wholePdf(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 16 || !file.seek(file.size() - 16))
        return false;
    return file.read(16).contains("%%EOF");
}

} // namespace

std::optional<QString> paintPages(QPrinter& printer, const std::vector<PrintPage>& pages) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
            return fileNotWritten(printer);
        return QStringLiteral("Nie można rozpocząć wydruku na wybranej drukarce !");
    }
    const bool intoFile = printsIntoFile(printer, painter);
    // The font of the blanks, or the closest the system has; its size in points follows the printer's
    // resolution like any printed text.
    QFont font(QString::fromLatin1(kPrintFontName), kPrintFontSize);
    font.setStyleHint(QFont::SansSerif);
    painter.setFont(font);
    const int ascent = QFontMetrics(painter.font(), &printer).ascent();
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (page > 0 && !printer.newPage()) {
            printer.abort();
            return QStringLiteral("Drukarka nie przyjęła strony %1 !").arg(page + 1);
        }
        // A text's point is its top-left corner; Qt draws from the baseline.
        for (const PageText& text : pages[page])
            painter.drawText(QPoint(text.x, text.y + ascent), QString::fromStdString(text.text));
    }
    if (!painter.end())
        return QStringLiteral("Wydruk nie został zakończony przez drukarkę !");
    if (intoFile && !wholePdf(printer.outputFileName()))
        return fileNotWritten(printer);
    return std::nullopt;
}

} // namespace selektor
