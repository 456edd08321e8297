#include "filtersets/FilterSetFile.h"

#include "core/NumberGroups.h"
#include "core/TemplateCatalogue.h"

#include <array>
#include <new>
#include <vector>

namespace selektor {

namespace {

constexpr std::string_view kHeader = "Filtry Selektora, wersja ";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kModeWord = "tryb";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

enum class LineKind : std::uint8_t { Tab, Favourites, Basic, ShareBoxes, PairGroupLimit, OtherDigitsRule };

struct LineKey {
    std::string_view key;
    LineKind kind;
    Panel panel;
};

// The lines in the order they are written: the tabs in their order on the page control, the groups and
// the share boxes after " Liczby  ", the option groups after " Pary   ". The tabs go by the short names
// of the program's messages ("Panel - P-N : ..."), the rest by the captions the player sees.
constexpr std::array<LineKey, 14> kLines{{
    {"Liczby", LineKind::Tab, Panel::Numbers},
    {"Grupa faworytów", LineKind::Favourites, Panel::Numbers},
    {"Grupa podstawowa", LineKind::Basic, Panel::Numbers},
    {"Zakres", LineKind::ShareBoxes, Panel::Numbers},
    {"P-N", LineKind::Tab, Panel::EvenOdd},
    {"W-K", LineKind::Tab, Panel::RowColumn},
    {"Suma", LineKind::Tab, Panel::Sum},
    {"Brzeg", LineKind::Tab, Panel::Edge},
    {"DSG", LineKind::Tab, Panel::Dsg},
    {"L. sdne", LineKind::Tab, Panel::Neighbours},
    {"Pary", LineKind::Tab, Panel::Pairs},
    {"Liczby zakończone tą samą cyfrą", LineKind::PairGroupLimit, Panel::Pairs},
    {"Reszta liczb tworzących szóstke", LineKind::OtherDigitsRule, Panel::Pairs},
    {"Odlg", LineKind::Tab, Panel::Gaps},
}};

constexpr std::size_t kShareBoxesLine = 3;
static_assert(kLines[kShareBoxesLine].kind == LineKind::ShareBoxes);

int modeCount(Panel panel) {
    return panel == Panel::Neighbours ? 4 : 2;
}

constexpr int kPairGroupLimits = 3;
constexpr int kOtherDigitsRules = 4;

// A template's caption as the file writes it: without the blanks that centre it on the tab.
std::string fileCaption(Panel panel, int position) {
    std::string caption;
    for (char c : templateCaption(panel, position))
        if (c != ' ')
            caption += c;
    return caption;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> words(std::string_view text) {
    std::vector<std::string_view> found;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !isBlank(text[i]))
            ++i;
        if (i > start)
            found.push_back(text.substr(start, i - start));
    }
    return found;
}

// A whole number of at most three digits, nothing else: larger values are out of every range here.
std::optional<int> smallNumber(std::string_view word) {
    if (word.empty() || word.size() > 3)
        return std::nullopt;
    int value = 0;
    for (char c : word) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// A word of the file as a refusal repeats it: a long one is cut, never inside a Polish letter.
std::string shown(std::string_view word) {
    constexpr std::size_t kLongest = 20;
    if (word.size() <= kLongest)
        return std::string(word);
    std::size_t end = kLongest;
    while (end > 0 && (static_cast<unsigned char>(word[end]) & 0xC0) == 0x80)
        --end;
    return std::string(word.substr(0, end)) + "...";
}

std::string inLine(std::size_t line, const std::string& fault) {
    return "Wiersz " + std::to_string(line) + " pliku filtrów: " + fault + " !";
}

std::string notAFilterSet() {
    return "Wiersz 1 pliku nie jest nagłówkiem filtrów Selektora (" + std::string(kHeader) +
           std::to_string(kFilterSetVersion) + ") !";
}

std::string numberWord(int count) {
    return count == 1 ? "liczbie" : "liczbach";
}

class Reader {
public:
    FilterSetReading read(std::string_view text);

private:
    // Each returns the fault of the line's value, or nothing when it is sound.
    std::optional<std::string> readTab(Panel panel, std::string_view key, std::string_view value);
    std::optional<std::string> readGroup(NumberRole role, std::string_view value);
    std::optional<std::string> readShareBoxes(std::string_view value);
    std::optional<std::string> readOption(std::uint8_t& option, int options, std::string_view value);

    FilterSettings m_settings;
};

std::optional<std::string> Reader::readTab(Panel panel, std::string_view key, std::string_view value) {
    const std::size_t semicolon = value.find(';');
    const std::vector<std::string_view> mode = words(value.substr(0, semicolon));
    if (mode.size() != 2 || mode[0] != kModeWord)
        return "brak trybu zakładki " + std::string(key) + " (np. tryb 0)";
    const std::optional<int> chosen = smallNumber(mode[1]);
    if (!chosen || *chosen >= modeCount(panel))
        return "zakładka " + std::string(key) + " nie ma trybu " + shown(mode[1]);
    m_settings.setMode(panel, static_cast<std::uint8_t>(*chosen));

    if (semicolon == std::string_view::npos)
        return std::nullopt;
    for (std::string_view caption : words(value.substr(semicolon + 1))) {
        int position = 0;
        while (position < templateCount(panel) && fileCaption(panel, position) != caption)
            ++position;
        if (position == templateCount(panel))
            return "zakładka " + std::string(key) + " nie ma szablonu " + shown(caption);
        std::uint8_t& flag = templateFlag(m_settings, panel, position);
        if (flag != 0)
            return "szablon " + std::string(caption) + " powtarza się";
        flag = 1;
    }
    return std::nullopt;
}

std::optional<std::string> Reader::readGroup(NumberRole role, std::string_view value) {
    for (std::string_view word : words(value)) {
        const std::optional<int> n = smallNumber(word);
        if (!n || *n < kLowestNumber || *n > kHighestNumber)
            return shown(word) + " nie jest liczbą od 1 do 49";
        const auto number = static_cast<Number>(*n);
        const auto present = static_cast<NumberRole>(m_settings.numberRole[number]);
        if (present == role)
            return "liczba " + std::to_string(*n) + " powtarza się";
        if (present != NoGroup)
            return "liczba " + std::to_string(*n) + " jest już w " +
                   (present == Favourite ? "grupie faworytów" : "grupie podstawowej");
        m_settings.setNumberRole(number, role);
    }
    return std::nullopt;
}

std::optional<std::string> Reader::readShareBoxes(std::string_view value) {
    for (std::string_view word : words(value)) {
        const std::optional<int> share = smallNumber(word);
        if (!share || *share >= kShareBoxes)
            return shown(word) + " nie jest polem zakresu od 0 do 6";
        if (m_settings.shareBoxChecked[*share] != 0)
            return "pole " + std::to_string(*share) + " powtarza się";
        m_settings.shareBoxChecked[*share] = 1;
    }
    return std::nullopt;
}

std::optional<std::string> Reader::readOption(std::uint8_t& option, int options, std::string_view value) {
    const std::string range = "od 0 do " + std::to_string(options - 1);
    const std::vector<std::string_view> chosen = words(value);
    if (chosen.empty())
        return "brak numeru opcji " + range;
    const std::optional<int> item = chosen.size() == 1 ? smallNumber(chosen[0]) : std::nullopt;
    if (!item || *item >= options)
        return shown(trimmed(value)) + " nie jest numerem opcji " + range;
    option = static_cast<std::uint8_t>(*item);
    return std::nullopt;
}

FilterSetReading Reader::read(std::string_view text) {
    FilterSetReading reading;
    const auto refuse = [&reading](std::string sentence) {
        reading.refusal = std::move(sentence);
        return reading;
    };
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());

    std::array<std::size_t, kLines.size()> lineOf{}; // where each setting stood; 0: not yet
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        line = trimmed(line);
        ++lineNumber;

        if (lineNumber == 1) {
            if (line.substr(0, kHeader.size()) != kHeader)
                return refuse(notAFilterSet());
            const std::string_view version = line.substr(kHeader.size());
            if (smallNumber(version) != kFilterSetVersion)
                return refuse(inLine(1, "nieznana wersja " + shown(version) + " - program zna tylko wersję " +
                                            std::to_string(kFilterSetVersion)));
            continue;
        }
        if (line.empty())
            continue;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            return refuse(inLine(lineNumber, "brak dwukropka po nazwie ustawienia"));
        const std::string_view key = trimmed(line.substr(0, colon));
        const std::string_view value = line.substr(colon + 1);
        std::size_t which = 0;
        while (which < kLines.size() && kLines[which].key != key)
            ++which;
        if (which == kLines.size())
            return refuse(inLine(lineNumber, "nieznane ustawienie " + shown(key)));
        if (lineOf[which] != 0)
            return refuse(inLine(lineNumber, "ustawienie " + std::string(key) + " powtarza się"));
        lineOf[which] = lineNumber;

        const LineKey& setting = kLines[which];
        std::optional<std::string> fault;
        switch (setting.kind) {
        case LineKind::Tab:
            fault = readTab(setting.panel, key, value);
            break;
        case LineKind::Favourites:
            fault = readGroup(Favourite, value);
            break;
        case LineKind::Basic:
            fault = readGroup(Basic, value);
            break;
        case LineKind::ShareBoxes:
            fault = readShareBoxes(value);
            break;
        case LineKind::PairGroupLimit:
            fault = readOption(m_settings.pairGroupLimit, kPairGroupLimits, value);
            break;
        case LineKind::OtherDigitsRule:
            fault = readOption(m_settings.otherDigitsRule, kOtherDigitsRules, value);
            break;
        }
        if (fault)
            return refuse(inLine(lineNumber, *fault));
    }
    if (lineNumber == 0)
        return refuse(notAFilterSet());

    for (std::size_t which = 0; which < kLines.size(); ++which)
        if (lineOf[which] == 0)
            return refuse("W pliku filtrów brakuje wiersza " + std::string(kLines[which].key) + " !");

    // The boxes above the number of favourites are locked on the tab, unticked; a file cannot tick them.
    const ShareBoxesEnabled enabled = shareBoxesEnabledFor(m_settings.favouriteCount);
    for (int share = 0; share < kShareBoxes; ++share) {
        if (m_settings.shareBoxChecked[share] != 0 && !enabled[share]) {
            return refuse(
                inLine(lineOf[kShareBoxesLine], "pola " + std::to_string(share) + " nie można zaznaczyć przy " +
                                                    std::to_string(m_settings.favouriteCount) + " " +
                                                    numberWord(m_settings.favouriteCount) + " w grupie faworytów"));
        }
    }
    reading.settings = m_settings;
    return reading;
}

} // namespace

std::string filterSetText(const FilterSettings& s) {
    std::string text(kHeader);
    text += std::to_string(kFilterSetVersion);
    text += kLineEnd;
    for (const LineKey& line : kLines) {
        text += line.key;
        text += ':';
        switch (line.kind) {
        case LineKind::Tab: {
            text += ' ';
            text += kModeWord;
            text += ' ';
            text += std::to_string(s.mode(line.panel));
            const char* before = "; ";
            for (int position = 0; position < templateCount(line.panel); ++position) {
                if (templateFlag(s, line.panel, position) == 0)
                    continue;
                text += before;
                text += fileCaption(line.panel, position);
                before = " ";
            }
            break;
        }
        case LineKind::Favourites:
        case LineKind::Basic: {
            const NumberRole role = line.kind == LineKind::Favourites ? Favourite : Basic;
            for (int n = kLowestNumber; n <= kHighestNumber; ++n)
                if (s.numberRole[n] == role)
                    text += ' ' + std::to_string(n);
            break;
        }
        case LineKind::ShareBoxes:
            for (int share = 0; share < kShareBoxes; ++share)
                if (s.shareBoxChecked[share] != 0)
                    text += ' ' + std::to_string(share);
            break;
        case LineKind::PairGroupLimit:
            text += ' ' + std::to_string(s.pairGroupLimit);
            break;
        case LineKind::OtherDigitsRule:
            text += ' ' + std::to_string(s.otherDigitsRule);
            break;
        }
        text += kLineEnd;
    }
    return text;
}

FilterSetReading readFilterSetText(std::string_view text) {
    return Reader().read(text);
}

void writeFilterSetFile(const std::string& path, const FilterSettings& settings, FileOperations& files) {
    try {
        FileReplacement file(files, path);
        file.write(filterSetText(settings));
        file.commit();
    } catch (const std::bad_alloc&) {
        throw FileError("Out of memory");
    }
}

std::string readFilterSetBytes(const std::string& path, FileOperations& files) {
    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return readWholeFile(files, path, kLargestFilterSetFile, "Plik " + name + " jest za duży na plik filtrów !");
}

} // namespace selektor
