#include "app/QtServices.h"

#include "app/HelpWindow.h"
#include "app/PagePainter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSoundEffect>
#include <QUrl>

namespace selektor {

namespace {
const QString kTitle = QStringLiteral("Selektor");

// A message box breaks its sentence at about half the screen's width, which leaves "49 ?" or a lone "!"
// on a line of their own. A sentence that a wide box holds stays on one line; a longer one may break,
// but its closing "?" or "!" stays with the word before it.
QString keptTogether(const QString& text, const QFontMetrics& metrics) {
    constexpr int kWidestLine = 640;
    const QChar noBreak(0x00A0);
    const QChar wordJoiner(0x2060); // a line may still break after a dash, unless joined
    QString kept = text;
    if (!text.contains(QLatin1Char('\n')) && metrics.horizontalAdvance(text) <= kWidestLine) {
        kept.replace(QLatin1Char(' '), noBreak);
        kept.replace(QLatin1Char('-'), QString(QLatin1Char('-')) + wordJoiner);
    } else if (kept.endsWith(QLatin1String(" ?")) || kept.endsWith(QLatin1String(" !"))) {
        kept[kept.size() - 2] = noBreak;
    }
    return kept;
}

QMessageBox::StandardButton ask(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                QMessageBox::StandardButtons buttons, QMessageBox::StandardButton preferred) {
    QMessageBox box(icon, kTitle, QString(), buttons, parent);
    box.setText(keptTogether(text, box.fontMetrics()));
    box.setDefaultButton(preferred);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void QtDialogService::information(const QString& text) {
    ask(m_parent, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtDialogService::error(const QString& text) {
    ask(m_parent, QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtDialogService::question(const QString& text) {
    return ask(m_parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

bool QtDialogService::warningQuestion(const QString& text) {
    return ask(m_parent, QMessageBox::Warning, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

QString QtDialogService::saveFileName(const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(m_parent, QString(), QDir::currentPath(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtDialogService::openFileName(const QString& filter, const QString& defaultSuffix) {
    // A name typed without its extension finds "name.txt"; a name of no file at all is refused by the
    // dialog itself.
    QFileDialog dialog(m_parent, QString(), QDir::currentPath(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QtSoundPlayer::QtSoundPlayer() : m_effect(new QSoundEffect) {}

QtSoundPlayer::~QtSoundPlayer() {
    delete m_effect;
}

void QtSoundPlayer::play(const QString& fileName) {
    const QFileInfo file(fileName);
    if (!file.isFile())
        return;
    m_effect->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    m_effect->play();
}

std::optional<QString> QtPrinterService::print(const std::vector<PrintPage>& pages) {
    // The positions are printer pixels: printing always at 300 to the inch makes one calibration serve
    // every printer and the PDF file alike.
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(kPrintResolution);
    QPrintPreviewDialog preview(&printer, m_parent);
    preview.setWindowTitle(QStringLiteral("Selektor - Wydruk"));
    std::optional<QString> failure;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* target) { failure = paintPages(*target, pages); });
    preview.exec();
    return failure;
}

QtHelpViewer::QtHelpViewer(Complaint complain) : m_complain(std::move(complain)) {
    if (!m_complain)
        m_complain = [](const QString& text) {
            QMessageBox::warning(nullptr, QStringLiteral("Selektor - Pomoc"), text);
        };
}

QtHelpViewer::~QtHelpViewer() = default;

void QtHelpViewer::showContents(const QString& helpFile) {
    // The viewer, not the program, tells the player that the help cannot be shown.
    const QFileInfo file(helpFile);
    if (!m_window)
        m_window = std::make_unique<HelpWindow>();
    if (!m_window->openContents(file.absoluteFilePath())) {
        m_complain(QStringLiteral("Nie można otworzyć pliku pomocy %1 !").arg(file.absoluteFilePath()));
        return;
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

} // namespace selektor
