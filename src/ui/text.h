#pragma once
// The program's texts are UTF-8 throughout; this is the one way they become Qt strings.

#include <QString>
#include <string_view>

namespace tarnwell::ui {

inline QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace tarnwell::ui
