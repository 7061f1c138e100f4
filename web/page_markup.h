// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The page drawn from the layout table, written out when the page is built.
namespace page {

// Stand in the page for the embedded font (base64 WOFF2), the tab's icon (base64
// PNG), the program's WebAssembly (base64) and its script.
inline constexpr std::string_view kFontPlaceholder = "@FONT_WOFF2_BASE64@";
inline constexpr std::string_view kIconPlaceholder = "@ICON_PNG_BASE64@";
inline constexpr std::string_view kWasmPlaceholder = "@WASM_BASE64@";
inline constexpr std::string_view kScriptPlaceholder = "@SCRIPT@";

// The whole page: head, style and every control as an element, in reading order.
std::string PageTemplate();

// Every character the page can draw, for cutting the font down to them.
std::string DrawnCharacters();

// The controls as the table gives them (twips, &H00BBGGRR& colours), with their
// element ids, and the texts a check of the page needs.
std::string LayoutJson();

} // namespace page
