// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the page's markup, the characters its font must hold and the layout
// table for the browser tests into the folder given, when the page is built.
#include "web/page_markup.h"

#include <fstream>
#include <iostream>
#include <string>

namespace {

bool Write(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
    out.close();
    if (!out) {
        std::cerr << "cannot write " << path << "\n";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "usage: generate_page OUTPUT_FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    const bool ok = Write(folder + "/page_template.html", page::PageTemplate()) &&
                    Write(folder + "/drawn_characters.txt", page::DrawnCharacters()) &&
                    Write(folder + "/layout.json", page::LayoutJson());
    return ok ? 0 : 1;
}
