#include "analysis/AnalysisCsv.h"

#include "analysis/AnalysisTexts.h"

#include <initializer_list>

namespace selektor {

namespace {

constexpr char kRowEnd[] = "\r\n";
constexpr char kNumberColumns[] = "Liczba 1,Liczba 2,Liczba 3,Liczba 4,Liczba 5,Liczba 6";

void appendRow(std::string& csv, std::initializer_list<std::string_view> fields) {
    bool first = true;
    for (std::string_view field : fields) {
        if (!first)
            csv += ',';
        csv += csvField(field);
        first = false;
    }
    csv += kRowEnd;
}

std::string numberFields(const Combination& numbers) {
    std::string text;
    for (int k = 0; k < kNumbersPerCombination; ++k) {
        if (k > 0)
            text += ',';
        text += std::to_string(numbers[k]);
    }
    return text;
}

} // namespace

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

std::string filterHistoryCsv(const FilterHistoryCheck& check, const FilterFunnel& funnel) {
    std::string csv;
    appendRow(csv, {"Zakładka", "Tryb", "Losowania przepuszczone", "Udział losowań [%]", "Kombinacje po zakładce",
                    "Udział kombinacji [%]"});
    if (check.refusal || funnel.refusal)
        return csv;
    for (std::size_t k = 0; k < kPanelCount; ++k) {
        const TabOnHistory& tab = check.tabs[k];
        const FunnelStep& step = funnel.steps[k];
        appendRow(csv, {panelCaption(tab.panel), tab.active ? "wybrane układy" : "dowolny", std::to_string(tab.passed),
                        percentText(tab.passed, check.draws), std::to_string(step.left),
                        percentText(step.left, kAllCombinations)});
    }
    const std::int32_t left = funnel.steps[kPanelCount - 1].left;
    appendRow(csv,
              {"Wszystkie zakładki", "", std::to_string(check.passedAll), percentText(check.passedAll, check.draws),
               std::to_string(left), percentText(left, kAllCombinations)});
    return csv;
}

std::string rejectedDrawsCsv(const FilterHistoryCheck& check) {
    std::string csv;
    csv += std::string("Nr losowania,Data,") + kNumberColumns + ",Odrzucone przez zakładkę" + kRowEnd;
    for (const RejectedDraw& draw : check.rejected) {
        csv += std::to_string(draw.drawNumber) + ',' + csvField(draw.date) + ',' + numberFields(draw.numbers) + ',' +
               csvField(panelCaption(draw.firstRefusingTab)) + kRowEnd;
    }
    return csv;
}

std::string systemHistoryCsv(const SystemHistoryCheck& check) {
    std::string csv;
    csv += std::string("Nr losowania,Data,") + kNumberColumns +
           ",Najwięcej trafień,Linie z 3 trafieniami,Linie z 4 trafieniami,Linie z 5 trafieniami,Linie z 6 "
           "trafieniami" +
           kRowEnd;
    for (const DrawAgainstSystem& draw : check.draws) {
        csv += std::to_string(draw.drawNumber) + ',' + csvField(draw.date) + ',' + numberFields(draw.numbers) + ',' +
               std::to_string(draw.bestHits);
        for (int h = 3; h <= kNumbersPerCombination; ++h)
            csv += ',' + std::to_string(draw.linesByHits[h]);
        csv += kRowEnd;
    }
    return csv;
}

std::string coverageCsv(const SystemCoverage& coverage) {
    std::string csv;
    csv += std::string("Nr w puli,") + kNumberColumns + ",Najwięcej trafień" + kRowEnd;
    for (std::size_t r = 0; r < coverage.poolRows.size(); ++r)
        csv += std::to_string(r + 1) + ',' + numberFields(coverage.poolRows[r]) + ',' +
               std::to_string(coverage.bestHits[r]) + kRowEnd;
    return csv;
}

} // namespace selektor
