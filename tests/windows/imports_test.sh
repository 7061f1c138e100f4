#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The .exe runs from any folder or USB stick with nothing beside it: it imports
# only DLLs that every Windows 10 and 11 has in its system folder, never the
# compiler's own (libstdc++-6, libgcc_s_seh-1, libwinpthread-1).
#   tests/windows/imports_test.sh OBJDUMP EXE
set -euo pipefail
objdump=${1:?usage: $0 OBJDUMP EXE} exe=${2:?usage: $0 OBJDUMP EXE}
# Windows' own: the kernel, windows and drawing, common controls and their
# themes, the screen readers' interface (OLEACC, with OLE32 and OLEAUT32 for its
# objects), the shell, DPI queries (SHCORE), input methods (IMM32), security and
# the registry (ADVAPI32, where random numbers come from), the C runtime
# (msvcrt, which Windows ships for programs like this one).
allowed='^(kernel32|user32|gdi32|comctl32|uxtheme|oleacc|ole32|oleaut32|shell32|shcore|imm32|advapi32|msvcrt)\.dll$'
mapfile -t dlls < <("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
((${#dlls[@]})) || { echo "imports_test: $objdump finds no imports in $exe" >&2; exit 1; }
status=0
for dll in "${dlls[@]}"; do
    if [[ ${dll,,} =~ $allowed ]]; then
        echo "imports_test: $dll"
    else
        echo "imports_test: $exe imports $dll, which is not one of Windows' own DLLs listed here" >&2
        status=1
    fi
done
exit $status
