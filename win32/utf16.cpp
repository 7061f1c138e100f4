// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/utf16.h"

#include "win32/system_error.h"

#include <windows.h>

#include <limits>

namespace win32 {
namespace {

int Length(std::size_t size) {
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        throw std::length_error("text too long for Windows");
    return static_cast<int>(size);
}

} // namespace

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty())
        return {};
    const int size = Length(utf8.size());
    const int wide =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (wide == 0)
        throw LastError("MultiByteToWideChar");
    std::wstring result(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, result.data(), wide);
    return result;
}

std::string Narrow(std::wstring_view utf16) {
    if (utf16.empty())
        return {};
    const int size = Length(utf16.size());
    const int narrow = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, utf16.data(), size,
                                           nullptr, 0, nullptr, nullptr);
    if (narrow == 0)
        throw LastError("WideCharToMultiByte");
    std::string result(static_cast<std::size_t>(narrow), '\0');
    WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, utf16.data(), size, result.data(), narrow,
                        nullptr, nullptr);
    return result;
}

} // namespace win32
