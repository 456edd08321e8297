// Builds the three draw history files in a folder from a CSV of past results ("date,n1,...,n6", ISO
// dates, a header first, oldest first): the files are made empty as an installation provides them, and
// every draw is then entered and stored the way the draw history window stores a draw.
//
//   make_history <results.csv> <folder>

#include "history/DrawEntry.h"
#include "history/DrawHistory.h"
#include "history/DrawImport.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

using namespace selektor;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <results.csv> <folder>\n", argv[0]);
        return 2;
    }
    std::ifstream csv(argv[1], std::ios::binary);
    if (!csv) {
        std::fprintf(stderr, "%s: cannot read\n", argv[1]);
        return 1;
    }
    const std::string text{std::istreambuf_iterator<char>(csv), {}};
    const DrawImport import = readDrawCsv(text);
    if (import.refusal) {
        std::fprintf(stderr, "%s: %s\n", argv[1], import.refusal->c_str());
        return 1;
    }

    const std::string folder = argv[2];
    std::ofstream(folder + "/" + kHistoryTextFile, std::ios::binary | std::ios::trunc);
    std::ofstream(folder + "/" + kDrawRecordFile, std::ios::binary | std::ios::trunc);
    std::ofstream(folder + "/" + kTotalsFile, std::ios::binary | std::ios::trunc) << std::string(kStatRecordSize, '\0');
    try {
        DrawHistoryStore store(folder);
        store.load();
        for (const ImportedDraw& draw : import.draws) {
            NumberBoxes ticked{};
            for (Number n : draw.numbers)
                ticked[n - 1] = 1;
            const DrawEntry entry = enterDraw(store.history().lines, draw.date, ticked);
            if (!entry.refusal.empty()) {
                std::fprintf(stderr, "%s: %s\n", draw.date.c_str(), entry.refusal.c_str());
                return 1;
            }
            store.appendDraw(entry.line, entry.record);
        }
        std::printf("%zu draws stored in %s\n", store.history().lines.size(), folder.c_str());
    } catch (const FileError& error) {
        std::fprintf(stderr, "%s: %s\n", folder.c_str(), error.what());
        return 1;
    }
    return 0;
}
