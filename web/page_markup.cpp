// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page_markup.h"

#include "layout/layout.h"
#include "layout/spoken.h"
#include "layout/texts.h"
#include "layout/units.h"
#include "puzzle/digit_sequence.h"
#include "web/page_controls.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace page {
namespace {

using namespace layout;

std::string Html(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\r':
            break; // a line break is the LF of CR LF
        default:
            out += c;
        }
    }
    return out;
}

std::string Json(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            // JSON allows no control character in a string as it stands.
            if (static_cast<unsigned char>(c) < 0x20) {
                constexpr char kHex[] = "0123456789abcdef";
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string Px(int twips) {
    return std::to_string(TwipsToPixels(twips)) + "px";
}

std::string Css(const BackColour& colour) {
    const Rgb rgb = FromBgr(colour.bgr);
    return "rgb(" + std::to_string(rgb.red) + "," + std::to_string(rgb.green) + "," +
           std::to_string(rgb.blue) + ")";
}

std::string FontFamilies(const Font& font) {
    return "\"" + std::string(font.face) + "\",\"" + std::string(font.fallback) + "\",serif";
}

bool IsBox(const Control& c) {
    return c.array == kBoxes;
}

// Focus order position counted from 1, or 0 for a control outside it.
int TabPosition(const Control& c) {
    const std::string name = c.name();
    auto found = std::find(kFocusOrder.begin(), kFocusOrder.end(), name);
    return found == kFocusOrder.end() ? 0 : static_cast<int>(found - kFocusOrder.begin()) + 1;
}

std::string ClassesOf(const Control& c) {
    std::string classes = "c";
    switch (c.row->kind) {
    case TextBox:
        classes += (c.row->other & kMultiLine) ? " tb ml" : " tb";
        break;
    case ListBox:
        classes += " ls";
        break;
    case Frame:
        classes += " fr";
        break;
    case Label:
        classes += " lb";
        break;
    case Button:
        classes += " bt";
        break;
    }
    if (c.row->other & kCentred)
        classes += " ct";
    if (c.row->other & kOwnFont)
        classes += " df";
    if (c.row->other & kVerticalScrollBar)
        classes += " vs";
    if (IsBox(c))
        classes += " box";
    return classes;
}

std::string Attributes(const Control& c) {
    std::string a = " id=\"" + ElementId(c) + "\" class=\"" + ClassesOf(c) + "\"";
    if (c.row->other & kHidden)
        a += " hidden";
    const int tab = TabPosition(c);
    if (tab > 0)
        a += " tabindex=\"" + std::to_string(tab) + "\"";
    else if (c.row->kind == TextBox || c.row->kind == Button || IsBox(c))
        a += " tabindex=\"-1\""; // like the window: only the focus order takes the focus
    if (tab == 1)
        a += " autofocus";
    if (c.row->kind == TextBox && (c.row->other & kReadOnly) && (c.row->other & kMultiLine))
        a += " readonly";
    if (IsBox(c))
        a += " role=\"button\" aria-label=\"" +
             Html(layout::DigitBoxSpokenName(c.index, c.row->text)) + "\"";
    if (c.array == kCounters)
        a += " aria-live=\"polite\" aria-atomic=\"true\"";
    if (c.array == kButtons)
        a += " type=\"button\"";
    if (c.array == "Label1" && c.index == 1)
        a += " role=\"img\"";
    // An element that shows its own name needs no label; a frame is named by its caption.
    if (const SpokenRow* spoken = SpokenFor(c)) {
        if (spoken->name != c.row->text)
            a += " aria-label=\"" + Html(spoken->name) + "\"";
        if (!spoken->description.empty())
            a += " aria-description=\"" + Html(spoken->description) + "\"";
    }
    if (c.row->kind == Frame)
        a += " role=\"group\" aria-labelledby=\"" + ElementId(c) + "_caption\"";
    return a;
}

std::string Element(const Control& c, const std::string& children) {
    const std::string attributes = Attributes(c);
    const std::string text = Html(c.row->text);
    switch (c.row->kind) {
    case TextBox:
        if (c.row->other & kMultiLine)
            return "<textarea" + attributes + ">" + text + "</textarea>\n";
        if (c.row->other & kReadOnly)
            return "<output" + attributes + ">" + text + "</output>\n";
        return "<input" + attributes + " value=\"" + text + "\">\n";
    case ListBox: {
        std::string options;
        if (c.row->other & kSequenceEntries)
            for (std::string_view entry : puzzle::DigitSequence)
                options += "<option>" + Html(entry) + "</option>";
        return "<select" + attributes + " size=\"2\">" + options + "</select>\n";
    }
    case Frame:
        return "<div" + attributes + "><span class=\"cap\" id=\"" + ElementId(c) + "_caption\">" +
               text + "</span>\n" + children + "</div>\n";
    case Label:
        return "<div" + attributes + ">" + text + "</div>\n";
    case Button:
        return "<button" + attributes + ">" + text + "</button>\n";
    }
    throw std::logic_error("unknown control kind");
}

// A box is measured from the frame's corner: the frame is its element's parent.
std::string ControlStyles(const std::vector<Control>& controls) {
    std::string css;
    for (const Control& c : controls) {
        css += (css.empty() ? "#" : "\n#") + ElementId(c) + "{left:" + Px(c.left()) +
               ";top:" + Px(c.row->top) + ";width:" + Px(c.row->width) +
               ";height:" + Px(c.row->height) + ";z-index:" + std::to_string(c.creation);
        if (!c.row->back.isDefault)
            css += ";background:" + Css(c.row->back);
        css += "}";
    }
    return css;
}

void SortInReadingOrder(std::vector<Control>& controls) {
    std::stable_sort(controls.begin(), controls.end(), [](const Control& a, const Control& b) {
        return ReadsBefore(a.row->top, a.left(), b.row->top, b.left());
    });
}

} // namespace

static_assert(kDigitFont.face == kWindowFont.face && kDigitFont.fallback == kWindowFont.fallback,
              "the page embeds one font and names one list of families");

Slots TableSlots() {
    std::vector<Control> all = Controls();
    std::vector<Control> top, inFrame;
    for (const Control& c : all)
        ((c.row->other & kInFrame) ? inFrame : top).push_back(c);
    SortInReadingOrder(top);
    SortInReadingOrder(inFrame);

    std::string frameChildren;
    for (const Control& c : inFrame)
        frameChildren += Element(c, "");
    std::string body;
    for (const Control& c : top)
        body += Element(c, c.row->kind == Frame ? frameChildren : "");
    body.pop_back(); // the template breaks the line after the last

    // A title collapses runs of blanks; a no-break space keeps the caption's two.
    std::string title = Html(texts::kCaption);
    for (std::size_t at = title.find("  "); at != std::string::npos; at = title.find("  ", at))
        title.replace(at + 1, 1, "\u00A0");

    Slots slots;
    Fill(slots, "TITLE", title);
    Fill(slots, "SHORT_TITLE", Html(texts::kShortTitle));
    Fill(slots, "FORM_WIDTH", std::to_string(TwipsToPixels(kClientWidth)));
    Fill(slots, "FORM_HEIGHT", std::to_string(TwipsToPixels(kClientHeight)));
    Fill(slots, "FORM_BACKGROUND", Css(kWindowBack));
    Fill(slots, "EMBEDDED_FONT", "\"" + std::string(kWindowFont.fallback) + "\"");
    Fill(slots, "FONT_FAMILIES", FontFamilies(kWindowFont));
    Fill(slots, "WINDOW_FONT_SIZE", std::to_string(PointsToPixels(kWindowFont.points)));
    Fill(slots, "DIGIT_FONT_SIZE", std::to_string(PointsToPixels(kDigitFont.points)));
    Fill(slots, "CONTROL_STYLES", ControlStyles(all));
    Fill(slots, "CONTROLS", body);
    return slots;
}

std::string DrawnCharacters() {
    std::string text = "0123456789OK"; // the digits, and the error dialog's button in page.html
    text += puzzle::HiddenMark;
    for (const Control& c : Controls())
        if (!(c.row->other & kHidden))
            text += c.row->text;
    for (std::string_view t :
         {texts::kShortTitle, texts::kErrorOverflow, texts::kErrorNoSuchControl,
          texts::kErrorUnexpected, texts::kErrorCarryOn})
        text += t;
    return text;
}

std::string LayoutJson() {
    std::string json = "{\n\"clientWidth\": " + std::to_string(kClientWidth) +
                       ",\n\"clientHeight\": " + std::to_string(kClientHeight) +
                       ",\n\"windowBack\": " + std::to_string(kWindowBack.bgr) +
                       ",\n\"formId\": " + Json(kFormId) + ",\n\"controls\": [\n";
    bool first = true;
    for (const Control& c : Controls()) {
        json += first ? "" : ",\n";
        first = false;
        json +=
            "{\"id\": " + Json(ElementId(c)) + ", \"array\": " + Json(c.array) +
            ", \"index\": " + std::to_string(c.index) + ", \"left\": " + std::to_string(c.left()) +
            ", \"top\": " + std::to_string(c.row->top) +
            ", \"width\": " + std::to_string(c.row->width) +
            ", \"height\": " + std::to_string(c.row->height) +
            ", \"back\": " + (c.row->back.isDefault ? "null" : std::to_string(c.row->back.bgr)) +
            ", \"inFrame\": " + ((c.row->other & kInFrame) ? "true" : "false") +
            ", \"hidden\": " + ((c.row->other & kHidden) ? "true" : "false") +
            ", \"text\": " + Json(c.row->text) + "}";
    }
    json += "\n],\n\"focusOrder\": [";
    first = true;
    for (std::string_view name : kFocusOrder) {
        json += (first ? "" : ", ") + Json(name);
        first = false;
    }
    json += "],\n\"caption\": " + Json(texts::kCaption) +
            ",\n\"errorOverflow\": " + Json(texts::kErrorOverflow) + "\n}\n";
    return json;
}

} // namespace page
