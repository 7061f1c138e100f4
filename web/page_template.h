// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

// The page's template (web/page.html) and the slots the build fills in it.
namespace page {

// What fills each slot, by the slot's name: NAME stands for @NAME@ in the template.
using Slots = std::map<std::string, std::string, std::less<>>;

// Adds `name` to `slots`; a slot filled twice is a fault of the build, thrown.
void Fill(Slots& slots, std::string_view name, std::string text);

// The page: `html` without its whole-line comments, each slot replaced by its
// text in one pass (a text is never searched for slots). Throws
// std::runtime_error naming a slot that `html` holds and `slots` lacks, or one
// of `slots` that `html` never holds.
std::string FillTemplate(std::string_view html, const Slots& slots);

} // namespace page
