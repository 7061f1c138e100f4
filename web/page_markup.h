// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "web/page_template.h"

#include <string>

// The page drawn from the layout table, written out when the page is built.
namespace page {

// The slots of the page's template that the layout table fills: the caption,
// the form's size, colour and fonts, each control's place and colour, and every
// control as an element, in reading order.
Slots TableSlots();

// Every character the page can draw, for cutting the font down to them.
std::string DrawnCharacters();

// The controls as the table gives them (twips, &H00BBGGRR& colours), with their
// element ids, and the texts a check of the page needs.
std::string LayoutJson();

} // namespace page
