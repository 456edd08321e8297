#pragma once

// "Tematy pomocy": the program's help, HTML pages beside its files, shown in a window of its own with
// the links between the pages, the way back and forward, and a search through every page.

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <vector>

class QLineEdit;
class QSplitter;
class QTextBrowser;
class QToolButton;

namespace selektor {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the contents page; the pages the search looks through are those its links lead to, page by
    // page. False, with nothing changed, when the contents page is no file that can be read.
    bool openContents(const QString& contentsFile);

    // The pages that hold every one of the words, as the player types them into the search field: letter
    // case and the Polish marks do not matter ("zrodlo" finds "Źródło"), and a word may be the beginning
    // or a part of a longer one ("losowa" finds "losowań"). The most mentions first; they are listed as
    // links beside the page, and the words are marked in every page shown while the list is there. No
    // words hide the list.
    QList<QUrl> search(const QString& words);

private:
    struct Page {
        QUrl url;
        QString title;
        QString text;       // what the page says, its title first
        QString foldedText; // the same, letter for letter, in small letters without the Polish marks
    };

    void learnPages();
    void showFound(const QList<const Page*>& found, const QString& typed);
    void openFound(const QUrl& url);
    void markWords();

    QTextBrowser* m_page;
    QTextBrowser* m_results;
    QSplitter* m_split;
    QLineEdit* m_searchField;
    QToolButton* m_back;
    QToolButton* m_forward;
    QUrl m_contents;
    QUrl m_learnt; // the contents page whose pages m_pages holds
    std::vector<Page> m_pages;
    QStringList m_words; // folded, of the search whose list is shown
};

} // namespace selektor
