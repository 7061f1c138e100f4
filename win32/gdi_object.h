// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

// Fonts, brushes and icons the program creates, each deleted with its owner.
namespace win32 {

struct DeleteGdiObject {
    void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
struct DestroyIconHandle {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};

using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, DeleteGdiObject>;
using Brush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, DeleteGdiObject>;
using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, DestroyIconHandle>;

} // namespace win32
