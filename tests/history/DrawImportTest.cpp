#include "history/DrawImport.h"

#include "history/DrawEntry.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

using namespace selektor;

namespace {

std::string badLine(int line) {
    return "Wiersz " + std::to_string(line) +
           " pliku nie zawiera daty i sześciu różnych liczb od 1 do 49 w postaci 2002-05-18,3,12,25,31,40,49 lub "
           "18.05.2002;3;12;25;31;40;49 - nic nie zostało dodane !";
}

std::string fileText(const char* name) {
    std::ifstream in(std::string(SELEKTOR_TEST_DATA_DIR "/") + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The lines a history holds after storing `draws`, numbered from 1001.
std::vector<std::string> storedLines(const std::vector<ImportedDraw>& draws) {
    std::vector<std::string> lines;
    for (const ImportedDraw& draw : draws)
        lines.push_back(
            historyLine(makeDrawRecord(kFirstDrawNumber + static_cast<int>(lines.size()), draw.numbers), draw.date));
    return lines;
}

} // namespace

TEST(DrawImport, ReadsBothDateFormsEitherSeparatorAndAHeaderOnlyWhenLineOneIsNoDraw) {
    const DrawImport good = readDrawCsv("\xEF\xBB\xBF"
                                        "date,n1,n2,n3,n4,n5,n6\r\n"
                                        "1957-01-27,8,12,31,39,43,45\r\n"
                                        "\r\n"
                                        "  29.02.2000 ; 49;1 ;17; 3;25;40\n" // the program's own form, blanks around
                                        "1.3.2000,\t1,2,3,4,5,6");           // no line end at the end
    ASSERT_FALSE(good.refusal);
    ASSERT_EQ(good.draws.size(), 3u);
    EXPECT_EQ(good.draws[0].date, "27.01.1957");
    EXPECT_EQ(good.draws[1].date, "29.02.2000");
    EXPECT_EQ(good.draws[1].numbers, (Combination{1, 3, 17, 25, 40, 49}));
    EXPECT_EQ(good.draws[1].lineNumber, 4u);
    EXPECT_EQ(good.draws[2].date, "01.03.2000");

    // Without a header the first line is a draw like any other, and a bad first draw is no header.
    EXPECT_EQ(readDrawCsv("2002-05-18,1,2,3,4,5,6\n").draws.size(), 1u);
    EXPECT_EQ(readDrawCsv("2002-05-18,1,2,3,4,5,50\n2002-05-19,1,2,3,4,5,6\n").refusal, badLine(1));
    EXPECT_EQ(readDrawCsv("Data;L1;L2;L3;L4;L5;L6\n").draws.size(), 0u);

    for (const char* bad : {
             "2002-05-18,1,2,3,4,5",     // five numbers
             "2002-05-18,1,2,3,4,5,6,7", // seven
             "2002-05-18,1,2,3,4,5,5",   // one twice
             "2002-05-18,0,2,3,4,5,6",   // below 1
             "2002-05-18,1,2,3,4,5,50",  // above 49
             "2002-05-18,1,2,3,4,5,x",   // no number
             "2002-05-18,1,2 3,4,5,6,7", // a blank inside a number
             "2002-05-18;1,2,3,4,5,6",   // two separators
             "2023-02-29,1,2,3,4,5,6",   // no such day
             "29.02.1900,1,2,3,4,5,6",   // nor this: a century is a leap year only every 400 years
             "2002/05/18,1,2,3,4,5,6",   // another date form
         }) {
        const DrawImport refused = readDrawCsv(std::string("date,n1,n2,n3,n4,n5,n6\n2002-05-11,1,2,3,4,5,6\n") + bad);
        EXPECT_TRUE(refused.draws.empty()) << bad;
        EXPECT_EQ(refused.refusal, badLine(3)) << bad;
    }
}

TEST(DrawImport, AnUpdateAddsOnlyWhatTheHistoryLacksAndNeverAnOlderDraw) {
    const DrawImport file = readDrawCsv("2002-05-11,1,2,3,4,5,6\n"
                                        "2002-05-11,7,8,9,10,11,12\n" // a second draw on the same day
                                        "2002-05-18,1,2,3,4,5,6\n"    // the same Numbers on another day
                                        "2002-05-25,13,14,15,16,17,18\n");
    ASSERT_EQ(file.draws.size(), 4u);
    const std::vector<std::string> stored = storedLines({file.draws.begin(), file.draws.begin() + 2});

    const DrawUpdate update = planDrawUpdate(file, stored);
    EXPECT_FALSE(update.refusal);
    EXPECT_EQ(update.alreadyStored, 2u);
    ASSERT_EQ(update.newDraws.size(), 2u);
    EXPECT_EQ(update.newDraws[0].date, "18.05.2002");
    EXPECT_EQ(importQuestion(update), "Dodać 2 losowania ? (2 już są w historii)");
    EXPECT_EQ(importQuestion(planDrawUpdate(file, {})), "Dodać 4 losowania ?");
    EXPECT_TRUE(planDrawUpdate(file, storedLines(file.draws)).newDraws.empty());

    // A draw the history lacks, dated before its newest draw, would put the list out of order.
    const DrawImport older = readDrawCsv("2002-05-04,20,21,22,23,24,25\n");
    const DrawUpdate refused = planDrawUpdate(older, stored);
    EXPECT_TRUE(refused.newDraws.empty());
    EXPECT_EQ(refused.refusal, "Wiersz 1 pliku zawiera losowanie z dnia 04.05.2002, którego nie ma w historii, a które "
                               "jest starsze od losowania z dnia 11.05.2002 - nowe losowania muszą być nowsze od "
                               "zapisanych i iść od najstarszego do najnowszego; nic nie zostało dodane !");
    // The same within the file: newest first is the wrong way round.
    EXPECT_TRUE(planDrawUpdate(readDrawCsv("2002-05-25,1,2,3,4,5,6\n2002-05-18,1,2,3,4,5,6\n"), {}).refusal);
}

TEST(DrawImport, TheRealHistoriesImportWholeAndAgainAddNothing) {
    for (const char* name : {"poland_lotto_6of49.csv", "germany_lotto_6aus49.csv"}) {
        SCOPED_TRACE(name);
        const DrawImport real = readDrawCsv(fileText(name));
        ASSERT_FALSE(real.refusal);
        const DrawUpdate first = planDrawUpdate(real, {});
        ASSERT_FALSE(first.refusal);
        EXPECT_EQ(first.newDraws.size(), real.draws.size());
        EXPECT_EQ(first.alreadyStored, 0u);

        const DrawUpdate again = planDrawUpdate(real, storedLines(real.draws));
        EXPECT_FALSE(again.refusal);
        EXPECT_TRUE(again.newDraws.empty());
        EXPECT_EQ(again.alreadyStored, real.draws.size());
    }
}

TEST(DrawImport, CountsDrawsWithThePolishPlural) {
    const std::pair<std::size_t, const char*> counts[] = {
        {1, "1 losowanie"},   {2, "2 losowania"},     {4, "4 losowania"},     {5, "5 losowań"},
        {12, "12 losowań"},   {14, "14 losowań"},     {21, "21 losowań"},     {22, "22 losowania"},
        {112, "112 losowań"}, {124, "124 losowania"}, {7275, "7275 losowań"},
    };
    for (const auto& [count, text] : counts)
        EXPECT_EQ(drawCountText(count), text);
}
