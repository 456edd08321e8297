// Arbitrary bytes as a filter set file.
//
// Checked for every input:
// - a refused file gets one sentence ending " !" that names a line, and when the input is valid UTF-8 so
//   is the sentence, however the words it repeats were cut;
// - an accepted file gives settings a player could have clicked: every mode, option and number role in
//   its range, the group counts matching the roles, no D S G flag outside the tab's 28 templates, and no
//   share box ticked that the favourites leave locked;
// - the accepted settings, written and read again, come back the same, and are written the same again.

#include "Require.h"
#include "core/NumberGroups.h"
#include "filtersets/FilterSetFile.h"

#include <cstdint>
#include <string>
#include <string_view>

using namespace selektor;
using fuzz::require;

namespace {

bool validUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

void requireClickable(const FilterSettings& s) {
    for (int p = 0; p < kPanelCount; ++p)
        require(s.modes[p] < (p == static_cast<int>(Panel::Neighbours) ? 4 : 2));
    require(s.pairGroupLimit <= 2 && s.otherDigitsRule <= 3);
    int favourites = 0, basic = 0;
    for (int n = 0; n <= kHighestNumber; ++n) {
        require(s.numberRole[n] <= Basic && (n > 0 || s.numberRole[n] == NoGroup));
        favourites += s.numberRole[n] == Favourite ? 1 : 0;
        basic += s.numberRole[n] == Basic ? 1 : 0;
    }
    require(s.favouriteCount == favourites && s.basicCount == basic);
    for (int d = 0; d <= 6; ++d)
        for (int sc = 0; sc <= 6; ++sc)
            require(d + sc <= 6 || s.dsgTemplates[d][sc] == 0);
    const ShareBoxesEnabled enabled = shareBoxesEnabledFor(favourites);
    for (int share = 0; share < kShareBoxes; ++share)
        require(enabled[share] || s.shareBoxChecked[share] == 0);
    require(s.favouriteShareAllowed == std::array<std::uint8_t, 7>{});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const FilterSetReading reading = readFilterSetText(text);
    if (reading.refusal) {
        const std::string& sentence = *reading.refusal;
        require(sentence.size() > 2 && sentence.substr(sentence.size() - 2) == " !");
        require(sentence.rfind("Wiersz ", 0) == 0 || sentence.rfind("W pliku filtrów brakuje wiersza ", 0) == 0);
        require(!validUtf8(text) || validUtf8(sentence));
        return 0;
    }
    requireClickable(reading.settings);
    const std::string written = filterSetText(reading.settings);
    const FilterSetReading again = readFilterSetText(written);
    require(!again.refusal && again.settings == reading.settings);
    require(filterSetText(again.settings) == written);
    return 0;
}
