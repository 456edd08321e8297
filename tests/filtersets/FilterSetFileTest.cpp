// Filter set files: the text they are written as, the whole file read back into the same settings, and
// every kind of fault refused with the sentence that names its line.

#include "filtersets/FilterSetFile.h"

#include "core/NumberGroups.h"
#include "core/TemplateCatalogue.h"
#include "support/DirectoryTest.h"
#include "support/RandomSettings.h"

#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

using namespace selektor;

namespace {

// The lines of a set with something on every line: a favourite group of three with two shares, the
// captions of every kind (blanks left out, the sum's ends, the D S G digits) and both " Pary   " options.
FilterSettings everyLineUsed() {
    FilterSettings s;
    s.setMode(Panel::Numbers, 1);
    for (int n : {7, 13, 22})
        s.setNumberRole(static_cast<Number>(n), Favourite);
    for (int n : {1, 2, 3, 40, 49})
        s.setNumberRole(static_cast<Number>(n), Basic);
    s.shareBoxChecked[0] = s.shareBoxChecked[2] = 1;
    s.setMode(Panel::EvenOdd, 1);
    s.evenOddTemplates[2] = s.evenOddTemplates[3] = 1;
    s.rowColumnTemplates[3][3] = s.rowColumnTemplates[5][6] = 1; // kept while the tab is free
    s.setMode(Panel::Sum, 1);
    s.sumTemplates[19] = s.sumTemplates[27] = s.sumTemplates[36] = 1;
    s.setMode(Panel::Dsg, 1);
    s.dsgTemplates[6][0] = s.dsgTemplates[2][2] = 1;
    s.setMode(Panel::Neighbours, 3);
    s.neighbourTemplates[1] = s.neighbourTemplates[9] = s.neighbourTemplates[48] = 1;
    s.setMode(Panel::Pairs, 1);
    s.endingTemplates[0] = s.endingTemplates[9] = 1;
    s.pairGroupLimit = 2;
    s.otherDigitsRule = 3;
    s.gapTemplates[16] = 1;
    return s;
}

const std::string kEveryLineUsed = "Filtry Selektora, wersja 1\r\n"
                                   "Liczby: tryb 1\r\n"
                                   "Grupa faworytów: 7 13 22\r\n"
                                   "Grupa podstawowa: 1 2 3 40 49\r\n"
                                   "Zakres: 0 2\r\n"
                                   "P-N: tryb 1; 2-4 3-3\r\n"
                                   "W-K: tryb 0; 3-3 5-6\r\n"
                                   "Suma: tryb 1; 2-19 27 36-53\r\n"
                                   "Brzeg: tryb 0\r\n"
                                   "DSG: tryb 1; 600 222\r\n"
                                   "L. sdne: tryb 3; 1-2 9-10 48-49\r\n"
                                   "Pary: tryb 1; 0-0 9-9\r\n"
                                   "Liczby zakończone tą samą cyfrą: 2\r\n"
                                   "Reszta liczb tworzących szóstke: 3\r\n"
                                   "Odlg: tryb 0; 16\r\n";

// The settings as the player's clicks can leave them: a share box above the number of favourites is
// locked and unticked on the tab.
FilterSettings reachable(FilterSettings s) {
    ShareBoxesEnabled enabled = kInitialShareBoxesEnabled;
    updateShareBoxes(s, enabled);
    return s;
}

// The text with line `line` (1-based) replaced; an empty replacement leaves the line out.
std::string withLine(std::string text, int line, const std::string& replacement) {
    std::size_t start = 0;
    for (int i = 1; i < line; ++i)
        start = text.find("\r\n", start) + 2;
    const std::size_t end = text.find("\r\n", start) + 2;
    text.replace(start, end - start, replacement.empty() ? "" : replacement + "\r\n");
    return text;
}

} // namespace

TEST(FilterSetText, IsWrittenLineByLineWithTheTabsCaptions) {
    EXPECT_EQ(filterSetText(everyLineUsed()), kEveryLineUsed);
    // Nothing set: every tab free, the groups and the share boxes empty.
    EXPECT_EQ(filterSetText(FilterSettings{}), "Filtry Selektora, wersja 1\r\n"
                                               "Liczby: tryb 0\r\n"
                                               "Grupa faworytów:\r\n"
                                               "Grupa podstawowa:\r\n"
                                               "Zakres:\r\n"
                                               "P-N: tryb 0\r\n"
                                               "W-K: tryb 0\r\n"
                                               "Suma: tryb 0\r\n"
                                               "Brzeg: tryb 0\r\n"
                                               "DSG: tryb 0\r\n"
                                               "L. sdne: tryb 0\r\n"
                                               "Pary: tryb 0\r\n"
                                               "Liczby zakończone tą samą cyfrą: 0\r\n"
                                               "Reszta liczb tworzących szóstke: 0\r\n"
                                               "Odlg: tryb 0\r\n");
}

TEST(FilterSetText, ReadsBackEveryRandomSettingExactly) {
    std::mt19937 rng(20261208);
    for (int round = 0; round < 2000; ++round) {
        const FilterSettings saved = reachable(test::randomFilterSettings(rng));
        const FilterSetReading opened = readFilterSetText(filterSetText(saved));
        ASSERT_FALSE(opened.refusal) << "round " << round << ": " << *opened.refusal;
        ASSERT_EQ(opened.settings, saved) << "round " << round << "\n" << filterSetText(saved);
    }
}

TEST(FilterSetText, TakesTheFileAsAnEditorMayLeaveIt) {
    const FilterSettings expected = everyLineUsed();
    std::string lf = kEveryLineUsed;
    for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;)
        lf.erase(at, 1);
    // LF alone, no line end after the last line, a byte order mark, empty lines, extra blanks, and the
    // lines in another order.
    const std::string edited[] = {
        lf,
        kEveryLineUsed.substr(0, kEveryLineUsed.size() - 2),
        "\xEF\xBB\xBF" + kEveryLineUsed,
        withLine(kEveryLineUsed, 5, "\r\nZakres: 0 2\r\n"),
        withLine(withLine(kEveryLineUsed, 6, "  P-N :\ttryb   1 ;  2-4    3-3  "), 3, "Grupa faworytów:22 7 13"),
        withLine(withLine(kEveryLineUsed, 2, ""), 14, "Odlg: tryb 0; 16\r\nLiczby: tryb 1"),
    };
    for (const std::string& text : edited) {
        const FilterSetReading opened = readFilterSetText(text);
        ASSERT_FALSE(opened.refusal) << text << *opened.refusal;
        EXPECT_EQ(opened.settings, expected) << text;
    }
}

TEST(FilterSetText, RefusesTheFirstFaultNamingItsLine) {
    const std::string header = "Wiersz 1 pliku nie jest nagłówkiem filtrów Selektora (Filtry Selektora, wersja 1) !";
    const struct {
        std::string text;
        std::string refusal;
    } cases[] = {
        // Not a filter set, or one of another version.
        {"", header},
        {"  1  2  3  4  5  6\r\n", header},
        {withLine(kEveryLineUsed, 1, ""), header},
        {withLine(kEveryLineUsed, 1, "Filtry Selektora, wersja 2"),
         "Wiersz 1 pliku filtrów: nieznana wersja 2 - program zna tylko wersję 1 !"},
        // Lines that are no setting, a setting twice or not at all.
        {withLine(kEveryLineUsed, 9, "Brzeg tryb 0"), "Wiersz 9 pliku filtrów: brak dwukropka po nazwie ustawienia !"},
        {withLine(kEveryLineUsed, 9, "Kolor: zielony"), "Wiersz 9 pliku filtrów: nieznane ustawienie Kolor !"},
        {withLine(kEveryLineUsed, 9, "Ustawienie o bardzo długiej nazwie: 1"),
         "Wiersz 9 pliku filtrów: nieznane ustawienie Ustawienie o bardzo ... !"},
        {withLine(kEveryLineUsed, 9, "Suma: tryb 0"), "Wiersz 9 pliku filtrów: ustawienie Suma powtarza się !"},
        {withLine(kEveryLineUsed, 9, ""), "W pliku filtrów brakuje wiersza Brzeg !"},
        {withLine(kEveryLineUsed, 13, ""), "W pliku filtrów brakuje wiersza Liczby zakończone tą samą cyfrą !"},
        // A tab's mode and templates.
        {withLine(kEveryLineUsed, 6, "P-N: 1; 2-4"), "Wiersz 6 pliku filtrów: brak trybu zakładki P-N (np. tryb 0) !"},
        {withLine(kEveryLineUsed, 6, "P-N: tryb"), "Wiersz 6 pliku filtrów: brak trybu zakładki P-N (np. tryb 0) !"},
        {withLine(kEveryLineUsed, 6, "P-N: tryb 2; 2-4"), "Wiersz 6 pliku filtrów: zakładka P-N nie ma trybu 2 !"},
        {withLine(kEveryLineUsed, 11, "L. sdne: tryb 4"), "Wiersz 11 pliku filtrów: zakładka L. sdne nie ma trybu 4 !"},
        {withLine(kEveryLineUsed, 6, "P-N: tryb -1"), "Wiersz 6 pliku filtrów: zakładka P-N nie ma trybu -1 !"},
        {withLine(kEveryLineUsed, 7, "W-K: tryb 1; 3-3 3-7"),
         "Wiersz 7 pliku filtrów: zakładka W-K nie ma szablonu 3-7 !"},
        {withLine(kEveryLineUsed, 11, "L. sdne: tryb 3;  1 - 2"),
         "Wiersz 11 pliku filtrów: zakładka L. sdne nie ma szablonu 1 !"},
        {withLine(kEveryLineUsed, 10, "DSG: tryb 1; 222; 600"),
         "Wiersz 10 pliku filtrów: zakładka DSG nie ma szablonu 222; !"},
        {withLine(kEveryLineUsed, 2, "Liczby: tryb 1; 3-3"),
         "Wiersz 2 pliku filtrów: zakładka Liczby nie ma szablonu 3-3 !"},
        {withLine(kEveryLineUsed, 8, "Suma: tryb 1; 20 36-53 20"), "Wiersz 8 pliku filtrów: szablon 20 powtarza się !"},
        // The number groups and the share boxes.
        {withLine(kEveryLineUsed, 3, "Grupa faworytów: 7 50"),
         "Wiersz 3 pliku filtrów: 50 nie jest liczbą od 1 do 49 !"},
        {withLine(kEveryLineUsed, 3, "Grupa faworytów: 0"), "Wiersz 3 pliku filtrów: 0 nie jest liczbą od 1 do 49 !"},
        {withLine(kEveryLineUsed, 3, "Grupa faworytów: 7,13"),
         "Wiersz 3 pliku filtrów: 7,13 nie jest liczbą od 1 do 49 !"},
        {withLine(kEveryLineUsed, 3, "Grupa faworytów: 7 13 7"), "Wiersz 3 pliku filtrów: liczba 7 powtarza się !"},
        {withLine(kEveryLineUsed, 4, "Grupa podstawowa: 1 13"),
         "Wiersz 4 pliku filtrów: liczba 13 jest już w grupie faworytów !"},
        {withLine(withLine(kEveryLineUsed, 2, "Grupa podstawowa: 1 13"), 4, "Liczby: tryb 1"),
         "Wiersz 3 pliku filtrów: liczba 13 jest już w grupie podstawowej !"},
        {withLine(kEveryLineUsed, 5, "Zakres: 0 7"), "Wiersz 5 pliku filtrów: 7 nie jest polem zakresu od 0 do 6 !"},
        {withLine(kEveryLineUsed, 5, "Zakres: 2 2"), "Wiersz 5 pliku filtrów: pole 2 powtarza się !"},
        {withLine(kEveryLineUsed, 5, "Zakres: 0 4"),
         "Wiersz 5 pliku filtrów: pola 4 nie można zaznaczyć przy 3 liczbach w grupie faworytów !"},
        {withLine(withLine(kEveryLineUsed, 5, "Zakres: 2"), 3, "Grupa faworytów: 7"),
         "Wiersz 5 pliku filtrów: pola 2 nie można zaznaczyć przy 1 liczbie w grupie faworytów !"},
        // The options of " Pary   ".
        {withLine(kEveryLineUsed, 13, "Liczby zakończone tą samą cyfrą: 3"),
         "Wiersz 13 pliku filtrów: 3 nie jest numerem opcji od 0 do 2 !"},
        {withLine(kEveryLineUsed, 14, "Reszta liczb tworzących szóstke: 1 2"),
         "Wiersz 14 pliku filtrów: 1 2 nie jest numerem opcji od 0 do 3 !"},
        {withLine(kEveryLineUsed, 14, "Reszta liczb tworzących szóstke:"),
         "Wiersz 14 pliku filtrów: brak numeru opcji od 0 do 3 !"},
    };
    for (const auto& c : cases) {
        const FilterSetReading opened = readFilterSetText(c.text);
        ASSERT_TRUE(opened.refusal) << c.text;
        EXPECT_EQ(*opened.refusal, c.refusal) << c.text;
    }
}

TEST(FilterSetText, AcceptsEverySettingAPlayerCanClick) {
    // Seven favourites and more leave every share box free; " 0" is free with none.
    FilterSettings s;
    for (int n = 1; n <= 7; ++n)
        s.setNumberRole(static_cast<Number>(n), Favourite);
    s.shareBoxChecked = {1, 1, 1, 1, 1, 1, 1};
    EXPECT_FALSE(readFilterSetText(filterSetText(s)).refusal);
    FilterSettings none;
    none.shareBoxChecked[0] = 1;
    EXPECT_FALSE(readFilterSetText(filterSetText(none)).refusal);
    // Every template of every tab at once, and every mode of "L. sdne".
    FilterSettings all;
    all.setMode(Panel::Neighbours, 2);
    all.pairGroupLimit = 2;
    all.otherDigitsRule = 3;
    for (int p = 1; p < kPanelCount; ++p)
        for (int position = 0; position < templateCount(static_cast<Panel>(p)); ++position)
            templateFlag(all, static_cast<Panel>(p), position) = 1;
    const FilterSetReading opened = readFilterSetText(filterSetText(all));
    ASSERT_FALSE(opened.refusal) << *opened.refusal;
    EXPECT_EQ(opened.settings, all);
}

class FilterSetFileTest : public test::DirectoryTest {};

TEST_F(FilterSetFileTest, IsWrittenInFullAndReadBack) {
    writeBytes(path("a.sel"), "an older set");
    writeFilterSetFile(path("a.sel"), everyLineUsed());
    EXPECT_EQ(bytesOf(path("a.sel")), kEveryLineUsed);
    EXPECT_EQ(entries(), std::set<std::string>{"a.sel"}); // the new version took the old one's place
    EXPECT_EQ(readFilterSetBytes(path("a.sel")), kEveryLineUsed);
}

TEST_F(FilterSetFileTest, RefusesWhatIsNoFilterSetByItsName) {
    writeBytes(path("big.sel"), std::string(kLargestFilterSetFile + 1, '\n'));
    writeBytes(path("edge.sel"), std::string(kLargestFilterSetFile, '\n'));
    ASSERT_EQ(mkfifo(path("pipe.sel").c_str(), 0600), 0);
    const struct {
        std::string name;
        std::string error;
    } cases[] = {
        {"big.sel", "Plik big.sel jest za duży na plik filtrów !"},
        {"pipe.sel", "Plik pipe.sel nie jest zwykłym plikiem i nie może zostać odczytany !"},
        {"missing.sel", "File not found"},
    };
    for (const auto& c : cases) {
        try {
            readFilterSetBytes(path(c.name));
            ADD_FAILURE() << c.name << " was read";
        } catch (const FileError& error) {
            EXPECT_EQ(error.what(), c.error);
        }
    }
    EXPECT_EQ(readFilterSetBytes(path("edge.sel")).size(), kLargestFilterSetFile);
}
