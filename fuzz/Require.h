#pragma once

#include <cstdlib>

namespace selektor::fuzz {

// A promise of the code under fuzzing: when it is broken the run ends at once, and libFuzzer keeps the
// input that broke it.
inline void require(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace selektor::fuzz
