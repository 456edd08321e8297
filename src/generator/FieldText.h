#pragma once

#include <string_view>

namespace selektor {

// The text of an entry field without the blanks around it, as the field's conversion reads it.
inline std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace selektor
