// The help window on a small help of its own: the contents page, the links between pages, the way back and
// forward, the search, and a help file that is not there. Then the program's own help in data/: every link
// of every page leads to a file that exists, and every page can be reached from the contents page.

#include "app/HelpWindow.h"

#include "app/QtServices.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>
#include <deque>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kContents = QStringLiteral("TEMATY POMOCY.html");

QString page(const QString& title, const QString& body) {
    return QStringLiteral("<!DOCTYPE html><html lang=\"pl\"><head><meta charset=\"utf-8\"><title>%1</title></head>"
                          "<body><h1>%1</h1>%2</body></html>")
        .arg(title, body);
}

// The anchors of a page as the window shows them.
QStringList anchorsOf(const QTextDocument& document) {
    QStringList links;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            if (fragment.fragment().charFormat().isAnchor())
                links << fragment.fragment().charFormat().anchorHref();
    return links;
}

// Clicks the text at `position` of the browser's page, as the player would.
void clickAt(QTextBrowser* browser, int position) {
    QTextCursor inside(browser->document());
    inside.setPosition(position + 1);
    const QRect place = browser->cursorRect(inside);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, QPoint(place.right() + 1, place.center().y()));
}

void clickLink(QTextBrowser* browser, const QString& text) {
    const QTextCursor found = browser->document()->find(text);
    QVERIFY2(!found.isNull(), qPrintable(text));
    clickAt(browser, found.selectionStart());
}

int firstLinkPosition(const QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            if (fragment.fragment().charFormat().isAnchor())
                return fragment.fragment().position();
    return -1;
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_help;
    QStringList m_said; // what the viewer told the player
    std::unique_ptr<selektor::QtHelpViewer> m_viewer;

    QString path(const QString& name) const { return QDir(m_help.path()).absoluteFilePath(name); }
    QUrl url(const QString& name) const { return QUrl::fromLocalFile(path(name)); }
    void write(const QString& name, const QString& html) {
        QDir(m_help.path()).mkpath(QFileInfo(name).path());
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(html.toUtf8());
    }
    template <typename T> T* part(const char* name) const {
        T* found = m_viewer->window()->findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no %s in the help window", name);
        return found;
    }

private slots:
    void initTestCase() {
        write(kContents,
              page(QStringLiteral("Spis treści"), QStringLiteral("<p><a href=\"pomoc/filtry.html\">Filtry</a></p>"
                                                                 "<p><a href=\"pomoc/wydruk.html\">Wydruk</a></p>")));
        write(QStringLiteral("pomoc/filtry.html"),
              page(QStringLiteral("Filtry"),
                   QStringLiteral("<p>Liczby brzegowe leżą na obrzeżu kuponu. Źródło wiedzy o szóstkach.</p>"
                                  "<p><a href=\"../TEMATY%20POMOCY.html\">Spis treści</a></p>")));
        write(QStringLiteral("pomoc/wydruk.html"),
              page(QStringLiteral("Wydruk"),
                   QStringLiteral("<p>Kalibracja położenia znaków na kuponie. Każdy kupon ma osiem pól; "
                                  "kupon testowy drukuje się na zwykłym papierze.</p>"
                                  "<p><a href=\"filtry.html\">Filtry</a></p>")));
        m_viewer = std::make_unique<selektor::QtHelpViewer>([this](const QString& text) { m_said << text; });
    }

    void init() {
        m_said.clear();
        m_viewer->showContents(path(kContents));
        QVERIFY(m_said.isEmpty());
        QVERIFY(QTest::qWaitForWindowExposed(m_viewer->window()));
    }

    void opensTheContentsAndGoesAlongTheLinks() {
        auto* shown = part<QTextBrowser>("helpPage");
        QCOMPARE(shown->source(), url(kContents));
        clickLink(shown, QStringLiteral("Wydruk"));
        QCOMPARE(shown->source(), url(QStringLiteral("pomoc/wydruk.html")));
        clickLink(shown, QStringLiteral("Filtry"));
        QCOMPARE(shown->source(), url(QStringLiteral("pomoc/filtry.html")));

        QTest::mouseClick(part<QToolButton>("backButton"), Qt::LeftButton);
        QCOMPARE(shown->source(), url(QStringLiteral("pomoc/wydruk.html")));
        QTest::mouseClick(part<QToolButton>("forwardButton"), Qt::LeftButton);
        QCOMPARE(shown->source(), url(QStringLiteral("pomoc/filtry.html")));
        QVERIFY(!part<QToolButton>("forwardButton")->isEnabled());
        // A link up out of the folder leads back to the contents page, and so does the contents button.
        clickLink(shown, QStringLiteral("Spis treści"));
        QCOMPARE(shown->source(), url(kContents));
        clickLink(shown, QStringLiteral("Filtry"));
        QTest::mouseClick(part<QToolButton>("contentsButton"), Qt::LeftButton);
        QCOMPARE(shown->source(), url(kContents));
    }

    void searchListsThePagesWithEveryWord_data() {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QStringList>("found");
        const QString filters = QStringLiteral("pomoc/filtry.html"), printing = QStringLiteral("pomoc/wydruk.html");
        QTest::newRow("a word with Polish letters") << QStringLiteral("źródło") << QStringList{filters};
        QTest::newRow("capitals, without the marks") << QStringLiteral("ZRODLO") << QStringList{filters};
        QTest::newRow("the beginning of a word") << QStringLiteral("brzeg") << QStringList{filters};
        QTest::newRow("two words of one page") << QStringLiteral("kalibracja, znaków") << QStringList{printing};
        QTest::newRow("words of two pages") << QStringLiteral("źródło kalibracja") << QStringList{};
        QTest::newRow("a word of no page") << QStringLiteral("żółw") << QStringList{};
        QTest::newRow("most mentions first") << QStringLiteral("kupon") << QStringList{printing, filters};
    }

    void searchListsThePagesWithEveryWord() {
        QFETCH(QString, words);
        QFETCH(QStringList, found);
        auto* field = part<QLineEdit>("searchField");
        field->setText(words); // typed Polish letters do not go through QTest's key clicks
        QTest::keyClick(field, Qt::Key_Return);

        auto* results = part<QTextBrowser>("searchResults");
        QVERIFY(results->isVisible());
        QList<QUrl> listed;
        for (const QString& link : anchorsOf(*results->document()))
            listed << QUrl(link);
        QList<QUrl> expected;
        for (const QString& name : found)
            expected << url(name);
        QCOMPARE(listed, expected);

        // The first page found opens from the list, with the words marked.
        if (!found.isEmpty()) {
            clickAt(results, firstLinkPosition(*results->document()));
            QCOMPARE(part<QTextBrowser>("helpPage")->source(), expected.constFirst());
            QVERIFY(!part<QTextBrowser>("helpPage")->extraSelections().isEmpty());
        }
    }

    void aMissingHelpFileIsSaid() {
        const QString missing = path(QStringLiteral("nic/") + kContents);
        m_viewer->showContents(missing);
        QCOMPARE(m_said, QStringList{QStringLiteral("Nie można otworzyć pliku pomocy %1 !").arg(missing)});
        // The window keeps the page it showed.
        QCOMPARE(part<QTextBrowser>("helpPage")->source(), url(kContents));
    }

    // A pipe in place of a page would keep the window waiting for a writer: it shows as an empty page.
    void aPageThatIsAPipeIsNotWaitedFor() {
        const QString pipe = path(QStringLiteral("pomoc/rura.html"));
        QVERIFY(mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        alarm(30); // a window that waits would end the test here
        auto* shown = part<QTextBrowser>("helpPage");
        shown->setSource(url(QStringLiteral("pomoc/rura.html")));
        QVERIFY(shown->toPlainText().isEmpty());
        alarm(0);
        QFile::remove(pipe);
        shown->setSource(url(kContents));
        QVERIFY(shown->toPlainText().contains(QStringLiteral("Wydruk")));
    }

    void theProgramsHelpLinksOnlyToFilesThatExistAndReachesEveryPage() {
        // The tests' data folder is "<repository>/tests/data"; the program's is "<repository>/data".
        const QDir data(QDir::cleanPath(QStringLiteral(SELEKTOR_TEST_DATA_DIR "/../../data")));
        const QString contents = QFileInfo(data.filePath(kContents)).canonicalFilePath();
        QVERIFY2(!contents.isEmpty(), "data/TEMATY POMOCY.html is missing");
        static const QRegularExpression href(QStringLiteral("href\\s*=\\s*\"([^\"]*)\""));

        std::set<QString> reached{contents};
        std::deque<QString> waiting{contents};
        while (!waiting.empty()) {
            const QString file = waiting.front();
            waiting.pop_front();
            QFile page(file);
            QVERIFY(page.open(QIODevice::ReadOnly));
            QStringDecoder utf8(QStringDecoder::Utf8);
            const QString html = utf8(page.readAll());
            QVERIFY2(!utf8.hasError(), qPrintable(file + QStringLiteral(" is not UTF-8")));
            QTextDocument document;
            document.setHtml(html);
            QVERIFY2(!document.metaInformation(QTextDocument::DocumentTitle).isEmpty(),
                     qPrintable(file + QStringLiteral(" has no title")));
            for (auto link = href.globalMatch(html); link.hasNext();) {
                const QString target = link.next().captured(1);
                QUrl resolved = QUrl::fromLocalFile(file).resolved(QUrl(target));
                resolved.setFragment(QString());
                const QString where = QFileInfo(resolved.toLocalFile()).canonicalFilePath();
                QVERIFY2(resolved.isLocalFile() && QFileInfo(where).isFile(),
                         qPrintable(file + QStringLiteral(" links to a missing ") + target));
                if (where.endsWith(QStringLiteral(".html")) && reached.insert(where).second)
                    waiting.push_back(where);
            }
        }
        for (QDirIterator each(data.path(), {QStringLiteral("*.html")}, QDir::Files, QDirIterator::Subdirectories);
             each.hasNext();) {
            const QString file = QFileInfo(each.next()).canonicalFilePath();
            QVERIFY2(reached.count(file) == 1, qPrintable(file + QStringLiteral(" cannot be reached")));
        }
        QVERIFY(reached.size() > 1);
    }
};

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"
