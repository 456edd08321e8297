#include "app/HelpWindow.h"

#include "app/Pictures.h"
#include "core/Files.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <deque>
#include <optional>
#include <set>

namespace selektor {

namespace {

// A letter as the search compares it: small, and without the marks of "ą", "ć", "ę", "ł", "ń", "ó", "ś",
// "ź", "ż", so that a word typed without them is found too. One character for one, so a place in the
// folded text is the same place in the page.
QChar foldedLetter(QChar c) {
    c = c.toLower();
    if (c.unicode() < 0x80)
        return c;
    if (c == QChar(0x0142)) // "ł" is a letter of its own, with nothing to take apart
        return QLatin1Char('l');
    return QString(c).normalized(QString::NormalizationForm_D).at(0);
}

QString folded(const QString& text) {
    QString result(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        result[i] = foldedLetter(text.at(i));
    return result;
}

// The words of the search field; the commas and full stops typed around a word are not part of it, but a
// word of nothing else ("$$$") is kept as it is.
QStringList searchWords(const QString& typed) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    static const QRegularExpression edges(QStringLiteral("^[^\\p{L}\\p{N}]+|[^\\p{L}\\p{N}]+$"));
    QStringList words;
    for (QString word : typed.split(blanks, Qt::SkipEmptyParts)) {
        QString bare = word;
        bare.remove(edges);
        word = folded(bare.isEmpty() ? word : bare);
        if (!words.contains(word))
            words << word;
    }
    return words;
}

// Every link of a page as the window shows it.
QStringList linksOf(const QTextDocument& document) {
    QStringList links;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            if (format.isAnchor() && !format.anchorHref().isEmpty() && !links.contains(format.anchorHref()))
                links << format.anchorHref();
        }
    return links;
}

// A help page or its style sheet is a few kilobytes; a file far larger is none of them.
constexpr std::uint64_t kLargestHelpFile = std::uint64_t{1} << 20;

// A file of the help as the window reads it: a regular file within the bound, never a pipe or a device
// that would keep the window waiting. Nothing when it cannot be read.
std::optional<QByteArray> helpFile(const QUrl& url) {
    try {
        const std::string bytes =
            readWholeFile(systemFiles(), QFile::encodeName(url.toLocalFile()).toStdString(), kLargestHelpFile);
        return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
    } catch (const FileError&) {
        return std::nullopt;
    }
}

// The page view reads the pages, and what they link in, through helpFile.
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override {
        const QUrl url = name.isRelative() && source().isValid() ? source().resolved(name) : name;
        if (!url.isLocalFile())
            return QTextBrowser::loadResource(type, name);
        if (std::optional<QByteArray> bytes = helpFile(url))
            return *bytes;
        return {};
    }
};

bool isHelpPage(const QUrl& url) {
    return url.isLocalFile() && url.path().endsWith(QStringLiteral(".html"), Qt::CaseInsensitive) &&
           QFileInfo(url.toLocalFile()).isFile();
}

// A few words around the first place the page mentions one of the words.
QString excerpt(const QString& text, const QString& foldedText, const QStringList& words) {
    qsizetype first = text.size();
    for (const QString& word : words)
        if (const qsizetype at = foldedText.indexOf(word); at >= 0)
            first = std::min(first, at);
    const qsizetype from = std::max<qsizetype>(0, first - 40);
    QString piece = text.mid(from, 120).simplified();
    if (from > 0)
        piece.prepend(QStringLiteral("… "));
    if (from + 120 < text.size())
        piece.append(QStringLiteral(" …"));
    return piece;
}

QToolButton* toolButton(const QString& caption, QStyle::StandardPixmap icon, const QString& name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QStringLiteral("Selektor - Pomoc"));
    setWindowIcon(programIcon());

    auto* contents =
        toolButton(QStringLiteral("Spis treści"), QStyle::SP_DirHomeIcon, QStringLiteral("contentsButton"), this);
    m_back = toolButton(QStringLiteral("Wstecz"), QStyle::SP_ArrowBack, QStringLiteral("backButton"), this);
    m_forward = toolButton(QStringLiteral("Dalej"), QStyle::SP_ArrowForward, QStringLiteral("forwardButton"), this);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    m_searchField = new QLineEdit(this);
    m_searchField->setObjectName(QStringLiteral("searchField"));
    m_searchField->setPlaceholderText(QStringLiteral("słowa do znalezienia"));
    m_searchField->setClearButtonEnabled(true);
    m_searchField->setMinimumWidth(220);
    auto* find = new QToolButton(this);
    find->setObjectName(QStringLiteral("searchButton"));
    find->setText(QStringLiteral("Szukaj"));

    auto* bar = new QHBoxLayout;
    bar->addWidget(contents);
    bar->addWidget(m_back);
    bar->addWidget(m_forward);
    bar->addStretch();
    bar->addWidget(new QLabel(QStringLiteral("Szukaj:"), this));
    bar->addWidget(m_searchField);
    bar->addWidget(find);

    m_results = new QTextBrowser(this);
    m_results->setObjectName(QStringLiteral("searchResults"));
    m_results->setOpenLinks(false);
    m_results->hide();
    m_page = new HelpBrowser(this);
    m_page->setObjectName(QStringLiteral("helpPage"));
    m_page->setOpenExternalLinks(false);
    m_split = new QSplitter(this);
    m_split->addWidget(m_results);
    m_split->addWidget(m_page);
    m_split->setStretchFactor(1, 1);
    m_split->setChildrenCollapsible(false);
    m_split->setSizes({250, 610});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(bar);
    layout->addWidget(m_split, 1);
    resize(860, 640);

    connect(contents, &QToolButton::clicked, this, [this] { m_page->setSource(m_contents); });
    connect(m_back, &QToolButton::clicked, m_page, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_page, &QTextBrowser::forward);
    connect(m_page, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_page, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    connect(m_page, &QTextBrowser::sourceChanged, this, &HelpWindow::markWords);
    connect(m_results, &QTextBrowser::anchorClicked, this, &HelpWindow::openFound);
    const auto searchTyped = [this] { search(m_searchField->text()); };
    connect(m_searchField, &QLineEdit::returnPressed, this, searchTyped);
    connect(find, &QToolButton::clicked, this, searchTyped);
    // An emptied field puts the list and the marks away.
    connect(m_searchField, &QLineEdit::textChanged, this, [this](const QString& typed) {
        if (typed.trimmed().isEmpty())
            search(QString());
    });
    // Alt+Left and Alt+Right go back and forward wherever the focus is, not only in the page.
    connect(new QShortcut(QKeySequence::Back, this), &QShortcut::activated, m_page, &QTextBrowser::backward);
    connect(new QShortcut(QKeySequence::Forward, this), &QShortcut::activated, m_page, &QTextBrowser::forward);
    auto* findKey = new QShortcut(QKeySequence::Find, this);
    connect(findKey, &QShortcut::activated, this, [this] {
        m_searchField->setFocus();
        m_searchField->selectAll();
    });
}

bool HelpWindow::openContents(const QString& contentsFile) {
    const QFileInfo file(contentsFile);
    if (!file.isFile() || !file.isReadable())
        return false;
    m_contents = QUrl::fromLocalFile(file.absoluteFilePath());
    m_page->setSource(m_contents);
    return true;
}

void HelpWindow::learnPages() {
    // The pages are those the contents page leads to, so a page is searched exactly when the player can
    // reach it by its links.
    m_pages.clear();
    m_learnt = m_contents;
    std::set<QUrl> known{m_contents};
    std::deque<QUrl> waiting{m_contents};
    while (!waiting.empty()) {
        const QUrl url = waiting.front();
        waiting.pop_front();
        const std::optional<QByteArray> bytes = helpFile(url);
        if (!bytes)
            continue;
        QTextDocument document;
        document.setMetaInformation(QTextDocument::DocumentUrl, url.toString());
        document.setHtml(QString::fromUtf8(*bytes));
        Page page;
        page.url = url;
        page.title = document.metaInformation(QTextDocument::DocumentTitle).simplified();
        if (page.title.isEmpty())
            page.title = QFileInfo(url.toLocalFile()).completeBaseName();
        page.text = page.title + QLatin1Char('\n') + document.toPlainText();
        page.foldedText = folded(page.text);
        m_pages.push_back(page);
        for (const QString& link : linksOf(document)) {
            QUrl target = url.resolved(QUrl(link));
            target.setFragment(QString());
            if (isHelpPage(target) && known.insert(target).second)
                waiting.push_back(target);
        }
    }
}

QList<QUrl> HelpWindow::search(const QString& words) {
    m_words = searchWords(words);
    QList<QUrl> urls;
    if (m_words.isEmpty()) {
        m_results->hide();
        markWords();
        return urls;
    }
    if (m_learnt != m_contents)
        learnPages();
    std::vector<std::pair<qsizetype, const Page*>> hits;
    for (const Page& page : m_pages) {
        qsizetype mentions = 0;
        for (const QString& word : m_words) {
            const qsizetype count = page.foldedText.count(word);
            if (count == 0) {
                mentions = 0;
                break;
            }
            mentions += count;
        }
        if (mentions > 0)
            hits.emplace_back(mentions, &page);
    }
    std::stable_sort(hits.begin(), hits.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    QList<const Page*> found;
    for (const auto& hit : hits) {
        found << hit.second;
        urls << hit.second->url;
    }
    showFound(found, words.simplified());
    markWords();
    return urls;
}

void HelpWindow::showFound(const QList<const Page*>& found, const QString& typed) {
    const QString asTyped = typed.toHtmlEscaped();
    QString html;
    if (found.isEmpty()) {
        html = QStringLiteral("<p>Żadna strona pomocy nie zawiera słów <b>%1</b>.</p>"
                              "<p>Sprawdź pisownię albo wpisz mniej słów lub ich początki.</p>")
                   .arg(asTyped);
    } else {
        html = QStringLiteral("<p>Strony ze słowami <b>%1</b> (%2):</p>").arg(asTyped).arg(found.size());
        for (const Page* page : found)
            html += QStringLiteral("<p><a href=\"%1\">%2</a><br><small>%3</small></p>")
                        .arg(page->url.toString(QUrl::FullyEncoded), page->title.toHtmlEscaped(),
                             excerpt(page->text, page->foldedText, m_words).toHtmlEscaped());
    }
    m_results->setHtml(html);
    if (m_results->isHidden()) {
        m_results->show();
        m_split->setSizes({250, std::max(width() - 250, 300)});
    }
}

void HelpWindow::openFound(const QUrl& url) {
    m_page->setSource(url);
    // The page opens where it first mentions the words.
    const QList<QTextEdit::ExtraSelection> marks = m_page->extraSelections();
    if (marks.isEmpty())
        return;
    QTextCursor first = marks.constFirst().cursor;
    for (const QTextEdit::ExtraSelection& mark : marks)
        if (mark.cursor.selectionStart() < first.selectionStart())
            first = mark.cursor;
    first.clearSelection();
    m_page->setTextCursor(first);
    m_page->ensureCursorVisible();
}

void HelpWindow::markWords() {
    QList<QTextEdit::ExtraSelection> marks;
    QTextDocument* document = m_page->document();
    const QString text = folded(document->toPlainText());
    QTextCharFormat marked;
    marked.setBackground(QColor(255, 240, 120));
    for (const QString& word : std::as_const(m_words))
        for (qsizetype at = text.indexOf(word); at >= 0; at = text.indexOf(word, at + word.size())) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = QTextCursor(document);
            mark.cursor.setPosition(static_cast<int>(at));
            mark.cursor.setPosition(static_cast<int>(at + word.size()), QTextCursor::KeepAnchor);
            mark.format = marked;
            marks << mark;
        }
    m_page->setExtraSelections(marks);
}

} // namespace selektor
