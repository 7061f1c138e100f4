// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page_template.h"

#include <set>
#include <stdexcept>

namespace page {
namespace {

constexpr std::string_view kBlanks = " \t";

struct Comment {
    std::string_view open, close;
};
// The template's own notes, in the language of the place they stand in.
constexpr Comment kComments[] = {{"<!--", "-->"}, {"/*", "*/"}, {"//", ""}};

// The length of the comment that `lines` starts with, up to and with the line
// break after it, if it fills its lines alone; 0 otherwise. Code after a
// comment's end keeps it.
std::size_t OwnComment(std::string_view lines) {
    const std::size_t start = lines.find_first_not_of(kBlanks);
    if (start == std::string_view::npos)
        return 0;
    for (const Comment& comment : kComments) {
        if (!lines.substr(start).starts_with(comment.open))
            continue;
        std::size_t end = start + comment.open.size();
        if (!comment.close.empty()) {
            end = lines.find(comment.close, end);
            if (end == std::string_view::npos)
                return 0;
            end += comment.close.size();
        } else {
            end = std::min(lines.find('\n', end), lines.size());
        }
        const std::size_t next = lines.find_first_not_of(kBlanks, end);
        if (next == std::string_view::npos)
            return lines.size();
        return lines[next] == '\n' ? next + 1 : 0;
    }
    return 0;
}

bool IsSlotCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The name of the slot `text` starts with ("@NAME@"), or "" where it starts with none.
std::string_view SlotAt(std::string_view text) {
    if (text.size() < 3 || text[0] != '@' || text[1] < 'A' || text[1] > 'Z')
        return {};
    std::size_t end = 1;
    while (end < text.size() && IsSlotCharacter(text[end]))
        ++end;
    return end < text.size() && text[end] == '@' ? text.substr(1, end - 1) : std::string_view{};
}

} // namespace

void Fill(Slots& slots, std::string_view name, std::string text) {
    if (!slots.emplace(name, std::move(text)).second)
        throw std::logic_error("the slot @" + std::string(name) + "@ is filled twice");
}

std::string FillTemplate(std::string_view html, const Slots& slots) {
    std::string page;
    std::set<std::string_view> used;
    bool lineStart = true;
    for (std::size_t at = 0; at < html.size();) {
        if (lineStart) {
            if (const std::size_t comment = OwnComment(html.substr(at))) {
                at += comment;
                continue;
            }
        }
        lineStart = html[at] == '\n';
        const std::string_view name = SlotAt(html.substr(at));
        if (name.empty()) {
            page += html[at++];
            continue;
        }
        const auto slot = slots.find(name);
        if (slot == slots.end())
            throw std::runtime_error("the template holds @" + std::string(name) +
                                     "@, a slot the build does not fill");
        page += slot->second;
        used.insert(slot->first);
        at += name.size() + 2;
    }
    for (const auto& [name, text] : slots)
        if (!used.contains(name))
            throw std::runtime_error("the template lacks the slot @" + name + "@");
    return page;
}

} // namespace page
