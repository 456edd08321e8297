#pragma once

#include "core/CandidatePool.h"

namespace selektor::test {

// Every combination of the numbers 1 to `highest`, in lexicographic order (at most the capacity): an
// ordered pool with runs of hundreds of rows that share their first Numbers.
inline void fillLexicographic(CandidatePool& pool, int highest) {
    pool.clear();
    Combination c{1, 2, 3, 4, 5, 6};
    for (;;) {
        if (pool.count() == kPoolCapacity)
            return;
        pool.append(c);
        int k = 5;
        while (k >= 0 && c[k] == highest - 5 + k)
            --k;
        if (k < 0)
            return;
        ++c[k];
        for (int j = k + 1; j < 6; ++j)
            c[j] = static_cast<Number>(c[j - 1] + 1);
    }
}

} // namespace selektor::test
