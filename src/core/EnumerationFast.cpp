#include "core/Enumeration.h"

namespace selektor {

void enumerateFast(const FilterSettings& settings, CandidatePool& pool) { enumerateReference(settings, pool); }

} // namespace selektor
