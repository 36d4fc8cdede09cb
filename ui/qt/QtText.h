#pragma once
// Qt text and the plain wide text of the Qt-free code are both UTF-16.

#include <QString>

#include <string>
#include <string_view>

inline std::u16string_view view(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

inline QString fromU16(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
