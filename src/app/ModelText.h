#pragma once

// The model's texts are UTF-8 (the Polish letters of every message and caption); the windows show them
// as QString.

#include <QString>
#include <string_view>

namespace selektor {

inline QString fromModel(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace selektor
