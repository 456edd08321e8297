#include "analysis/AnalysisTexts.h"

#include "AnalysisFixtures.h"
#include "analysis/AnalysisCsv.h"

#include <gtest/gtest.h>

using namespace selektor;
using namespace selektor::test;

TEST(AnalysisTexts, SharesPluralsAndTheGuarantee) {
    EXPECT_EQ(percentText(3, 4), "75,00");
    EXPECT_EQ(percentText(2, 3), "66,67");
    EXPECT_EQ(percentText(1, 20000), "0,01"); // half a hundredth rounds up
    EXPECT_EQ(percentText(4655200, kAllCombinations), "33,29");
    EXPECT_EQ(percentText(7, 7), "100,00");
    // One hole in 30000 or one combination in all: not all and not nothing.
    EXPECT_EQ(percentText(29999, 30000), "99,99");
    EXPECT_EQ(percentText(1, kAllCombinations), "0,01");
    EXPECT_EQ(percentText(0, 0), "0,00");
    EXPECT_EQ(hitCountText(1), "1 trafienie");
    EXPECT_EQ(hitCountText(4), "4 trafienia");
    EXPECT_EQ(hitCountText(5), "5 trafień");
    EXPECT_EQ(guaranteeSentence(4),
              "Jeżeli wylosowana szóstka jest w puli, co najmniej jedna linia systemu ma na pewno 4 trafienia.");
    EXPECT_EQ(guaranteeSentence(2),
              "Jeżeli wylosowana szóstka jest w puli, system gwarantuje tylko 2 trafienia - nawet trójka nie jest "
              "pewna.");
    EXPECT_EQ(guaranteeSentence(0),
              "Jeżeli wylosowana szóstka jest w puli, system nie gwarantuje ani jednego trafienia.");
}

TEST(AnalysisCsv, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(csvField("P - N"), "P - N");
    EXPECT_EQ(csvField("75,00"), "\"75,00\"");
    EXPECT_EQ(csvField("say \"six\""), "\"say \"\"six\"\"\"");
    EXPECT_EQ(csvField("two\r\nlines"), "\"two\r\nlines\"");
}

TEST(AnalysisCsv, FilterTableJoinsTheDrawsAndTheFunnel) {
    FilterSettings s;
    s.setMode(Panel::EvenOdd, 1);
    s.evenOddTemplates[3] = 1;
    s.setMode(Panel::Edge, 1);
    s.edgeTemplates[0] = 1;
    const DrawHistory history = historyOf({
        {"05.01.2000", {12, 14, 21, 23, 30, 31}},
        {"08.01.2000", {1, 2, 3, 4, 5, 6}},
        {"12.01.2000", {1, 3, 5, 7, 9, 11}},
        {"15.01.2000", {12, 14, 16, 21, 23, 25}},
    });
    const FilterHistoryCheck check = checkFiltersOnHistory(s, history);
    const std::string csv = filterHistoryCsv(check, filterFunnel(s));
    EXPECT_EQ(
        csv.substr(0, csv.find("Suma")),
        "Zakładka,Tryb,Losowania przepuszczone,Udział losowań [%],Kombinacje po zakładce,Udział kombinacji [%]\r\n"
        "Liczby,dowolny,4,\"100,00\",13983816,\"100,00\"\r\n"
        "P - N,wybrane układy,3,\"75,00\",4655200,\"33,29\"\r\n");
    EXPECT_EQ(csv.substr(csv.find("Wszystkie")), "Wszystkie zakładki,,2,\"50,00\",48400,\"0,35\"\r\n");
    EXPECT_EQ(rejectedDrawsCsv(check), "Nr losowania,Data,Liczba 1,Liczba 2,Liczba 3,Liczba 4,Liczba 5,Liczba 6,"
                                       "Odrzucone przez zakładkę\r\n"
                                       "1003,12.01.2000,1,3,5,7,9,11,P - N\r\n"
                                       "1002,08.01.2000,1,2,3,4,5,6,Brzeg\r\n");
}
