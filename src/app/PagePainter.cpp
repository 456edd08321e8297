#include "app/PagePainter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace selektor {

std::optional<QString> paintPages(QPrinter& printer, const std::vector<PrintPage>& pages) {
    QPainter painter;
    if (!painter.begin(&printer))
        return QStringLiteral("Nie można rozpocząć wydruku na wybranej drukarce !");
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
    return std::nullopt;
}

} // namespace selektor
