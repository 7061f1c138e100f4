// SPDX-License-Identifier: GPL-3.0-or-later
// Writes what the page is built from and then the page itself, when the page is built:
//   generate_page layout FOLDER
// writes the characters its font must hold and the layout table for the browser
// tests into FOLDER;
//   generate_page page TEMPLATE FONT.woff2 ICON.png PROGRAM.wasm SCRIPT.js PAGE.html
// fills the template's slots from the layout table and with the font, the icon,
// the WebAssembly and the script, into one file.
#include "web/page_controls.h"
#include "web/page_markup.h"
#include "web/page_template.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return content;
}

void Write(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string Base64(const std::string& bytes) {
    constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t at = 0; at < bytes.size(); at += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - at);
        unsigned group = 0;
        for (std::size_t i = 0; i < 3; ++i)
            group = (group << 8) | (i < count ? static_cast<unsigned char>(bytes[at + i]) : 0U);
        for (std::size_t i = 0; i < 4; ++i)
            text += i <= count ? kDigits[(group >> (18 - 6 * i)) & 0x3F] : '=';
    }
    return text;
}

// Inside <script> these would end the element or open a comment early.
std::string Script(const std::string& path) {
    std::string script = Read(path);
    std::string lower = script;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower.find("</script") != std::string::npos || lower.find("<!--") != std::string::npos)
        throw std::runtime_error(path + " holds text that cannot stand inside <script>");
    return script;
}

// The page's code finds these elements by id; the template writes them.
void CheckElements(const std::string& html) {
    for (std::string_view id : {page::kFormId, page::kErrorDialog, page::kErrorText})
        if (html.find("id=\"" + std::string(id) + "\"") == std::string::npos)
            throw std::runtime_error("no element has the id " + std::string(id) +
                                     ", which the page's code looks up");
}

void WriteLayout(const std::string& folder) {
    Write(folder + "/drawn_characters.txt", page::DrawnCharacters());
    Write(folder + "/layout.json", page::LayoutJson());
}

void WritePage(char* paths[]) {
    const std::string templatePath = paths[0];
    page::Slots slots = page::TableSlots();
    page::Fill(slots, "FONT_WOFF2_BASE64", Base64(Read(paths[1])));
    page::Fill(slots, "ICON_PNG_BASE64", Base64(Read(paths[2])));
    page::Fill(slots, "WASM_BASE64", Base64(Read(paths[3])));
    page::Fill(slots, "SCRIPT", Script(paths[4]));
    const std::string html = Read(templatePath);
    std::string filled;
    try {
        CheckElements(html);
        filled = page::FillTemplate(html, slots);
    } catch (const std::runtime_error& error) {
        throw std::runtime_error(templatePath + ": " + error.what());
    }
    Write(paths[5], filled);
}

} // namespace

int main(int argc, char* argv[]) {
    const std::string mode = argc > 1 ? argv[1] : "";
    try {
        if (mode == "layout" && argc == 3)
            WriteLayout(argv[2]);
        else if (mode == "page" && argc == 8)
            WritePage(argv + 2);
        else {
            std::cerr << "usage: generate_page layout FOLDER\n"
                         "       generate_page page TEMPLATE FONT.woff2 ICON.png PROGRAM.wasm "
                         "SCRIPT.js PAGE.html\n";
            return 2;
        }
    } catch (const std::exception& error) {
        std::cerr << "generate_page: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
