// SPDX-License-Identifier: GPL-3.0-or-later
// The page's program: the puzzle on the page's elements, its handlers bound to
// the clicks, and a runtime error told to the user in a dialog.
#include "layout/handler_guard.h"
#include "layout/texts.h"
#include "puzzle/puzzle.h"
#include "runtime/random.h"
#include "web/page_board.h"
#include "web/page_controls.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdint>
#include <stdexcept>
#include <string>

// As in page_board.cpp: what this script calls from the runtime.
#ifdef EM_JS_DEPS
EM_JS_DEPS(page_main, "$UTF8ToString");
#endif

namespace {

EM_JS(void, page_show_error, (const char* dialogId, const char* textId, const char* message), {
    const dialog = document.getElementById(UTF8ToString(dialogId));
    document.getElementById(UTF8ToString(textId)).textContent = UTF8ToString(message);
    if (!dialog.open)
        dialog.showModal();
});

EM_JS(void, page_mark_dealt, (const char* formId),
      { document.getElementById(UTF8ToString(formId)).setAttribute("data-dealt", ""); });

runtime::Generator generator;
page::PageBoard board;
puzzle::Puzzle exercise(board, generator);

void ReportError(std::string_view what) {
    const std::string message = std::string(what) + "\n" + std::string(texts::kErrorCarryOn);
    page_show_error(std::string(page::kErrorDialog).c_str(), std::string(page::kErrorText).c_str(),
                    message.c_str());
}

// A handler that fails stops where it failed; the user is told and the page
// carries on with whatever the handler had done.
template <typename Handler> void Run(Handler handler) {
    layout::RunHandler(handler, ReportError);
}

std::int16_t IndexOf(void* userData) {
    return static_cast<std::int16_t>(reinterpret_cast<std::intptr_t>(userData));
}

EM_BOOL OnBoxClick(int, const EmscriptenMouseEvent*, void* userData) {
    Run([index = IndexOf(userData)] { exercise.Label2_Click(index); });
    return EM_TRUE;
}

// As on the window, a box takes no focus and its text is not selected.
EM_BOOL OnBoxMouseDown(int, const EmscriptenMouseEvent*, void*) {
    return EM_TRUE;
}

EM_BOOL OnButtonClick(int, const EmscriptenMouseEvent*, void* userData) {
    Run([index = IndexOf(userData)] { exercise.Command1_Click(index); });
    return EM_FALSE;
}

void Bind(const page::Control& control) {
    const std::string selector = "#" + page::ElementId(control);
    void* index = reinterpret_cast<void*>(static_cast<std::intptr_t>(control.index));
    EMSCRIPTEN_RESULT result = EMSCRIPTEN_RESULT_SUCCESS;
    if (control.array == page::kBoxes) {
        result = emscripten_set_click_callback(selector.c_str(), index, EM_FALSE, OnBoxClick);
        if (result == EMSCRIPTEN_RESULT_SUCCESS)
            result = emscripten_set_mousedown_callback(selector.c_str(), index, EM_FALSE,
                                                       OnBoxMouseDown);
    } else if (control.array == page::kButtons) {
        result = emscripten_set_click_callback(selector.c_str(), index, EM_FALSE, OnButtonClick);
    }
    if (result != EMSCRIPTEN_RESULT_SUCCESS)
        throw std::runtime_error("cannot listen to " + selector);
}

} // namespace

int main() {
    for (const page::Control& control : page::Controls())
        Bind(control);
    Run([] { exercise.Form_Load(); });
    page_mark_dealt(std::string(page::kFormId).c_str());
    return 0;
}
