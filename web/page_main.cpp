// SPDX-License-Identifier: GPL-3.0-or-later
// The page's program: the puzzle on the page's elements, its handlers bound to
// the clicks, and a runtime error told to the user in a dialog.
#include "layout/handler_guard.h"
#include "layout/members.h"
#include "layout/texts.h"
#include "puzzle/digit_sequence.h"
#include "puzzle/puzzle.h"
#include "runtime/random.h"
#include "web/page_board.h"
#include "web/page_controls.h"

#include <emscripten.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

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

// What a click reached, as page_listen registers it.
enum Target : int { kBox = 0, kButton = 1 };

// A click on a box or button reaches page_click with its array and index. A box
// takes no focus and its text is not selected, as on the window. Plain listeners
// on the elements: the runtime's own event layer would bring more script into
// the page than everything else the page's program calls. (No arrow functions
// and no ===: clang-format, and the preprocessor that older Emscripten runs its
// EM_JS through, would split them.)
EM_JS(int, page_listen, (const char* id, int target, int index), {
    const element = document.getElementById(UTF8ToString(id));
    if (!element)
        return 0;
    element.addEventListener(
        "click", function() { _page_click(target, index); });
    if (target == 0)
        element.addEventListener(
            "mousedown", function(event) { event.preventDefault(); });
    return 1;
});

// Counted in the layout table when the page is built, so that the program
// carries none of the table's texts.
constexpr int kBoxMembers = layout::MembersOf(page::kBoxes);
constexpr int kButtonMembers = layout::MembersOf(page::kButtons);
static_assert(kBoxMembers == puzzle::kBoxCount);

void Listen(std::string_view array, Target target, int members) {
    for (int index = 0; index < members; ++index) {
        const std::string id = page::ElementId(array, index);
        if (!page_listen(id.c_str(), target, index))
            throw std::runtime_error("cannot listen to #" + id);
    }
}

} // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void page_click(int target, int index) {
    const auto member = static_cast<std::int16_t>(index);
    if (target == kBox)
        Run([member] { exercise.Label2_Click(member); });
    else
        Run([member] { exercise.Command1_Click(member); });
}

int main() {
    Listen(page::kBoxes, kBox, kBoxMembers);
    Listen(page::kButtons, kButton, kButtonMembers);
    Run([] { exercise.Form_Load(); });
    page_mark_dealt(std::string(page::kFormId).c_str());
    return 0;
}
