// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page_board.h"

#include "layout/spoken.h"
#include "runtime/runtime_error.h"
#include "web/page_controls.h"

#include <emscripten.h>

#include <cstdlib>
#include <memory>

// The runtime's helpers the script below calls. Older Emscripten always puts
// them in the page and has no such declaration; newer ones leave them out
// unless declared.
#ifdef EM_JS_DEPS
EM_JS_DEPS(page_board, "$UTF8ToString,$lengthBytesUTF8,$stringToUTF8");
#endif

namespace page {
namespace {

// Texts cross from the page as UTF-8 in memory the program frees; no element
// with that id gives a null pointer.
EM_JS(char*, page_text_of, (const char* id), {
    const element = document.getElementById(UTF8ToString(id));
    if (!element)
        return 0;
    const text = element.textContent;
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
});

EM_JS(char*, page_option_of, (const char* id, int index), {
    const list = document.getElementById(UTF8ToString(id));
    if (!list)
        return 0;
    const option = list.options[index];
    const text = option ? option.text : "";
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
});

EM_JS(int, page_set_text, (const char* id, const char* text, const char* label), {
    const element = document.getElementById(UTF8ToString(id));
    if (!element)
        return 0;
    element.textContent = UTF8ToString(text);
    if (label)
        element.setAttribute("aria-label", UTF8ToString(label));
    return 1;
});

std::string Taken(char* text, std::string_view array, int index) {
    if (!text)
        throw runtime::NoSuchMember(array, index);
    const std::unique_ptr<char, decltype(&std::free)> owned(text, &std::free);
    return std::string(owned.get());
}

std::string TextOf(std::string_view array, int index) {
    return Taken(page_text_of(ElementId(array, index).c_str()), array, index);
}

void SetText(std::string_view array, int index, const std::string& text, const char* label) {
    if (!page_set_text(ElementId(array, index).c_str(), text.c_str(), label))
        throw runtime::NoSuchMember(array, index);
}

} // namespace

std::string PageBoard::ListEntry(std::int16_t position) const {
    // Past either end the list has no option, and the entry reads as empty.
    const std::string id = ElementId(kSequenceList, -1);
    return Taken(page_option_of(id.c_str(), position), kSequenceList, -1);
}

std::string PageBoard::BoxCaption(std::int16_t box) const {
    return TextOf(kBoxes, box);
}

void PageBoard::SetBoxCaption(std::int16_t box, const std::string& caption) {
    // The box's name carries its digit, so a screen reader hears the new one.
    SetText(kBoxes, box, caption, layout::DigitBoxSpokenName(box, caption).c_str());
}

std::string PageBoard::CounterText(std::int16_t counter) const {
    return TextOf(kCounters, counter);
}

void PageBoard::SetCounterText(std::int16_t counter, const std::string& text) {
    SetText(kCounters, counter, text, nullptr);
}

} // namespace page
