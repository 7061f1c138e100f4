#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Puts the page together: the markup with the font, the icon, the WebAssembly
and the script inside it.

    assemble_page.py TEMPLATE FONT.woff2 ICON.png PROGRAM.wasm SCRIPT.js OUTPUT.html
"""

import base64
import re
import sys

FONT = "@FONT_WOFF2_BASE64@"
ICON = "@ICON_PNG_BASE64@"
WASM = "@WASM_BASE64@"
SCRIPT = "@SCRIPT@"


def main():
    template_path, font_path, icon_path, wasm_path, script_path, output_path = sys.argv[1:]
    with open(template_path, encoding="utf-8") as f:
        page = f.read()
    with open(font_path, "rb") as f:
        font = base64.b64encode(f.read()).decode("ascii")
    with open(icon_path, "rb") as f:
        icon = base64.b64encode(f.read()).decode("ascii")
    with open(wasm_path, "rb") as f:
        wasm = base64.b64encode(f.read()).decode("ascii")
    with open(script_path, encoding="utf-8") as f:
        script = f.read()
    # Inside <script> these would end the element or open a comment early.
    if re.search(r"</script|<!--", script, re.IGNORECASE):
        sys.exit(f"{script_path} holds text that cannot stand inside <script>")
    for placeholder in (FONT, ICON, WASM, SCRIPT):
        if page.count(placeholder) != 1:
            sys.exit(f"{template_path} must hold {placeholder} once")
    # The script last: it is the one text that could hold a placeholder's name.
    for placeholder, text in ((FONT, font), (ICON, icon), (WASM, wasm), (SCRIPT, script)):
        page = page.replace(placeholder, text)
    with open(output_path, "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    main()
