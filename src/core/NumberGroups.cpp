#include "core/NumberGroups.h"

namespace selektor {

namespace {

void toggleRole(FilterSettings& settings, ShareBoxesEnabled& enabled, Number n, NumberRole role) {
    settings.setNumberRole(n, settings.numberRole[n] == role ? NoGroup : role);
    updateShareBoxes(settings, enabled);
}

} // namespace

void toggleFavourite(FilterSettings& settings, ShareBoxesEnabled& enabled, Number n) {
    toggleRole(settings, enabled, n, Favourite);
}

void toggleBasic(FilterSettings& settings, ShareBoxesEnabled& enabled, Number n) {
    toggleRole(settings, enabled, n, Basic);
}

void updateShareBoxes(FilterSettings& settings, ShareBoxesEnabled& enabled) {
    const int favourites = settings.favouriteCount;
    if (favourites >= kShareBoxes)
        return;
    for (int share = 1; share < kShareBoxes; ++share) {
        enabled[share] = share <= favourites;
        if (!enabled[share])
            settings.shareBoxChecked[share] = 0;
    }
}

ShareBoxesEnabled shareBoxesEnabledFor(int favouriteCount) {
    ShareBoxesEnabled enabled{};
    for (int share = 0; share < kShareBoxes; ++share)
        enabled[share] = share <= favouriteCount || favouriteCount >= kShareBoxes;
    return enabled;
}

} // namespace selektor
