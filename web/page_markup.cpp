// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page_markup.h"

#include "layout/layout.h"
#include "layout/spoken.h"
#include "layout/texts.h"
#include "layout/units.h"
#include "puzzle/digit_sequence.h"
#include "web/page_controls.h"

#include <algorithm>
#include <set>
#include <stdexcept>

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
            out += c;
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

std::string Style(const std::vector<Control>& controls) {
    if (kDigitFont.fallback != kWindowFont.fallback)
        throw std::logic_error("the page embeds one font; the digit font needs another");
    std::string css =
        "@font-face{font-family:\"" + std::string(kWindowFont.fallback) +
        "\";src:url(data:font/woff2;base64," + std::string(kFontPlaceholder) +
        ") format(\"woff2\")}\n"
        "html,body{margin:0;height:100%}\n"
        // Printed in the window's colours; every tap a click, none a zoom.
        "html{print-color-adjust:exact;-webkit-print-color-adjust:exact;"
        "touch-action:manipulation}\n"
        "body{display:flex;background:#fff}\n"
        "[hidden]{display:none!important}\n"
        "#" +
        std::string(kFormId) +
        "{position:relative;flex:none;margin:auto;overflow:hidden;"
        "width:" +
        Px(kClientWidth) + ";height:" + Px(kClientHeight) +
        ";"
        "background:" +
        Css(kWindowBack) +
        ";color:#000;"
        "font:" +
        std::to_string(PointsToPixels(kWindowFont.points)) + "px " + FontFamilies(kWindowFont) +
        "}\n"
        // Centred on whole pixels where the browser can round, so edges stay
        // sharp; where the window is scaled down to fit, the flex box centres it.
        "@media (min-width:" +
        Px(kClientWidth) + ") and (min-height:" + Px(kClientHeight) +
        "){@supports (margin:round(down,1.5px,1px)){#" + std::string(kFormId) +
        "{margin:max(0px,round(down,(100vh - " + Px(kClientHeight) +
        ")/2,1px)) max(0px,round(down,(100vw - " + Px(kClientWidth) +
        ")/2,1px))}}}\n"
        ".c{position:absolute;box-sizing:border-box;margin:0;padding:0;font:inherit;color:inherit}"
        "\n"
        ".df{font-size:" +
        std::to_string(PointsToPixels(kDigitFont.points)) +
        "px;font-family:" + FontFamilies(kDigitFont) +
        "}\n"
        ".lb{display:flex;align-items:center;overflow:hidden;white-space:pre;cursor:default;"
        "-webkit-user-select:none;user-select:none}\n"
        ".ct{justify-content:center;text-align:center}\n"
        ".c{touch-action:manipulation}\n"
        ".box{-webkit-tap-highlight-color:transparent}\n"
        // Until the first row is dealt the boxes hold no digit worth showing:
        // the window appears with its row.
        "#" +
        std::string(kFormId) +
        ":not([data-dealt]){opacity:0}\n"
        ".bt{border:1px solid;border-color:#fff #000 #000 #fff;cursor:default}\n"
        ".bt:active{border-color:#a9a9a9 #fff #fff #a9a9a9;padding:1px 0 0 1px}\n"
        // Focus as the desktop window marks it: a solid 2 px line, inside a
        // button and just outside a text box.
        ".bt:focus-visible{outline:2px solid #000;outline-offset:-3px}\n"
        // Text boxes as the desktop window draws them.
        ".tb{border:1px solid rgba(0,0,0,.23);border-radius:2px;background:#fff}\n"
        "output.tb{display:flex;align-items:center;justify-content:center;overflow:hidden;"
        "white-space:pre;-webkit-user-select:none;user-select:none;cursor:default;"
        "box-shadow:inset 0 1px rgba(0,0,0,.07)}\n"
        ".tb:focus{outline:2px solid #000;outline-offset:1px}\n"
        ".ml{resize:none;overflow-x:hidden;padding:2px 4px;white-space:pre-wrap;line-height:1.19}\n"
        ".vs{overflow-y:scroll}\n"
        ".fr::before{content:\"\";position:absolute;inset:.55em 1px 1px 0;"
        "border:1px solid #a0a0a0;box-shadow:1px 1px #fff,inset 1px 1px #fff}\n"
        ".fr>.cap{position:absolute;left:.5em;top:0;padding:0 .3em;line-height:1.1;"
        "background:inherit;white-space:pre;cursor:default;-webkit-user-select:none;"
        "user-select:none}\n"
        // High contrast keeps the meaning of green and red: the counters and
        // buttons keep their colours, with black text and a focus mark that
        // stands out from the theme's background.
        "@media (forced-colors:active){.bt,output.tb{forced-color-adjust:none;color:#000}"
        "output.tb:focus{outline-color:CanvasText}}\n"
        "dialog{font:inherit;border:1px solid #000;padding:12px 16px}\n"
        "dialog p{margin:0 0 12px;max-width:28em}\n"
        "dialog form{text-align:right;margin:0}\n";
    // A box is measured from the frame's corner: the frame is its element's parent.
    for (const Control& c : controls) {
        css += "#" + ElementId(c) + "{left:" + Px(c.left()) + ";top:" + Px(c.row->top) +
               ";width:" + Px(c.row->width) + ";height:" + Px(c.row->height) +
               ";z-index:" + std::to_string(c.creation);
        if (!c.row->back.isDefault)
            css += ";background:" + Css(c.row->back);
        css += "}\n";
    }
    return css;
}

void SortInReadingOrder(std::vector<Control>& controls) {
    std::stable_sort(controls.begin(), controls.end(), [](const Control& a, const Control& b) {
        return ReadsBefore(a.row->top, a.left(), b.row->top, b.left());
    });
}

} // namespace

std::string PageTemplate() {
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

    // A title collapses runs of blanks; a no-break space keeps the caption's two.
    std::string title = Html(texts::kCaption);
    for (std::size_t at = title.find("  "); at != std::string::npos; at = title.find("  ", at))
        title.replace(at + 1, 1, "\u00A0");

    return "<!DOCTYPE html>\n<html lang=\"bg\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1\">\n"
           "<link rel=\"icon\" type=\"image/png\" href=\"data:image/png;base64," +
           std::string(kIconPlaceholder) +
           "\">\n"
           "<title>" +
           title + "</title>\n<style>\n" + Style(all) +
           "</style>\n</head>\n<body>\n"
           "<div id=\"" +
           std::string(kFormId) + "\">\n" + body +
           "</div>\n"
           "<dialog id=\"" +
           std::string(kErrorDialog) + "\" aria-labelledby=\"" + std::string(kErrorDialog) +
           "_title\"><p id=\"" + std::string(kErrorDialog) + "_title\"><b>" +
           Html(texts::kShortTitle) + "</b></p><p id=\"" + std::string(kErrorText) +
           "\"></p><form method=\"dialog\"><button>OK</button></form>"
           "</dialog>\n"
           // Where the window does not fit, it is scaled down as a whole, never up.
           // The root element spans the viewport, however wide the content is.
           "<script>(function(){var form=document.getElementById(\"" +
           std::string(kFormId) +
           "\"),root=document.documentElement;function fit(){var r=root.getBoundingClientRect();"
           "form.style.zoom=Math.min(1,r.width/" +
           std::to_string(TwipsToPixels(kClientWidth)) + ",r.height/" +
           std::to_string(TwipsToPixels(kClientHeight)) +
           ")}fit();addEventListener(\"resize\",fit)})();\n"
           // Emscripten's minimal runtime takes its Module object, and the
           // WebAssembly's bytes in it, from the page. The browser's own base64
           // decoder is the quickest where it has one.
           "var Module={wasm:(function(text){if(Uint8Array.fromBase64)return "
           "Uint8Array.fromBase64(text);var bytes=atob(text),wasm=new Uint8Array(bytes.length);"
           "for(var i=0;i<bytes.length;++i)wasm[i]=bytes.charCodeAt(i);return wasm})(\"" +
           std::string(kWasmPlaceholder) + "\")};\n" + std::string(kScriptPlaceholder) +
           "</script>\n</body>\n</html>\n";
}

std::string DrawnCharacters() {
    std::string text = "0123456789OK";
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
