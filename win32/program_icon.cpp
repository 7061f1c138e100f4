// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/program_icon.h"

#include "win32/system_error.h"

#include <string>
#include <variant>

namespace win32 {
namespace {

// A resource is named by a number or by a text, which lives only during the enumeration.
using ResourceName = std::variant<std::monostate, WORD, std::wstring>;

BOOL CALLBACK KeepFirst(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR first) {
    auto& kept = *reinterpret_cast<ResourceName*>(first);
    if (IS_INTRESOURCE(name))
        kept = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
    else
        kept = std::wstring(name);
    return FALSE;
}

} // namespace

Icon LoadProgramIcon(HINSTANCE instance, int size) {
    ResourceName first;
    EnumResourceNamesW(instance, RT_GROUP_ICON, KeepFirst, reinterpret_cast<LONG_PTR>(&first));
    if (std::holds_alternative<std::monostate>(first))
        return {};
    const LPCWSTR name = std::holds_alternative<WORD>(first)
                             ? MAKEINTRESOURCEW(std::get<WORD>(first))
                             : std::get<std::wstring>(first).c_str();
    Icon icon(
        static_cast<HICON>(LoadImageW(instance, name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    if (!icon)
        throw LastError("LoadImageW");
    return icon;
}

} // namespace win32
