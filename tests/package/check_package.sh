#!/usr/bin/env bash
# Checks the release zip: exactly the two programs, the guide and the example catalogue;
# 64-bit programs, Presovol.exe for the Windows GUI and presovol-calc.exe for the console, that
# import system DLLs only and carry no debugging symbols. Presovol.exe imports only what its launcher needs to show itself:
# the common controls, the common dialogs, the shell and COM it loads when first needed.
set -euo pipefail
zip=$1
objdump=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
python3 - "$zip" <<'PY'
import sys, zipfile
names = sorted(zipfile.ZipFile(sys.argv[1]).namelist())
expected = sorted(["Presovol.exe", "presovol-calc.exe", "使用说明.txt", "catalogue-example.csv"])
if names != expected:
    sys.exit(f"zip holds {names}, expected {expected}")
zipfile.ZipFile(sys.argv[1]).extractall(".")
PY
system='^(KERNEL32|USER32|GDI32|MSIMG32|COMCTL32|COMDLG32|SHELL32|ADVAPI32|OLE32|msvcrt)\.dll$'
launcher='^(KERNEL32|USER32|GDI32|MSIMG32|ADVAPI32|msvcrt)\.dll$'
status=0
check() { # program subsystem allowed-DLLs
    local program=$1 subsystem=$2 allowed=$3 headers
    headers=$("$objdump" -p "$program")
    grep -q 'file format pei-x86-64' <<<"$headers" || { echo "$program: not a 64-bit PE" >&2; status=1; }
    grep -q "Subsystem.*($subsystem)" <<<"$headers" || { echo "$program: not $subsystem" >&2; status=1; }
    while read -r dll; do
        if ! grep -qiE "$system" <<<"$dll"; then
            echo "$program imports a DLL that is not the system's: $dll" >&2
            status=1
        elif ! grep -qiE "$allowed" <<<"$dll"; then
            echo "$program imports $dll, which it must load only when first needed" >&2
            status=1
        fi
        echo "$program imports $dll"
    done < <(sed -n 's/^\s*DLL Name: //p' <<<"$headers")
    if "$objdump" -h "$program" | grep -q '\.debug_'; then
        echo "$program still carries debugging sections" >&2
        status=1
    fi
    echo "$program: $(stat -c %s "$program") bytes"
}
check Presovol.exe "Windows GUI" "$launcher"
check presovol-calc.exe "Windows CUI" "$system"
exit $status
