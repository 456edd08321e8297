#include "history/DrawImport.h"

#include <gtest/gtest.h>

using namespace selektor;

TEST(DrawImport, ReadsEveryDrawOrRefusesTheWholeFileAtItsFirstBadLine) {
    const DrawImport good = readDrawCsv("date,n1,n2,n3,n4,n5,n6\r\n"
                                        "1957-01-27,8,12,31,39,43,45\r\n"
                                        "2024-02-29,49,1,17,3,25,40\r\n"); // a leap day; numbers in any order
    ASSERT_FALSE(good.refusal);
    ASSERT_EQ(good.draws.size(), 2u);
    EXPECT_EQ(good.draws[0].date, "27.01.1957");
    EXPECT_EQ(good.draws[1].date, "29.02.2024");
    EXPECT_EQ(good.draws[1].numbers, (Combination{1, 3, 17, 25, 40, 49}));

    for (const char* bad : {
             "2002-05-18,1,2,3,4,5",     // five numbers
             "2002-05-18,1,2,3,4,5,6,7", // seven
             "2002-05-18,1,2,3,4,5,5",   // one twice
             "2002-05-18,0,2,3,4,5,6",   // below 1
             "2002-05-18,1,2,3,4,5,50",  // above 49
             "2002-05-18,1,2,3,4,5,x",   // no number
             "2002-05-18, 1,2,3,4,5,6",  // a blank
             "2023-02-29,1,2,3,4,5,6",   // no such day
             "18.05.2002,1,2,3,4,5,6",   // not the file's date form
         }) {
        const DrawImport refused = readDrawCsv(std::string("date,n1,n2,n3,n4,n5,n6\n2002-05-11,1,2,3,4,5,6\n") + bad);
        EXPECT_TRUE(refused.draws.empty()) << bad;
        EXPECT_EQ(refused.refusal,
                  "Wiersz 3 pliku nie zawiera daty i sześciu różnych liczb od 1 do 49 - nic nie zostało dodane !")
            << bad;
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
