#!/usr/bin/env bash
# Checks the release zip: exactly the program and the guide; a 64-bit GUI program that
# imports system DLLs only and carries no debugging symbols.
set -euo pipefail
zip=$1
objdump=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
python3 - "$zip" <<'PY'
import sys, zipfile
names = sorted(zipfile.ZipFile(sys.argv[1]).namelist())
expected = sorted(["Presovol.exe", "使用说明.txt"])
if names != expected:
    sys.exit(f"zip holds {names}, expected {expected}")
zipfile.ZipFile(sys.argv[1]).extractall(".")
PY
headers=$("$objdump" -p Presovol.exe)
grep -q 'file format pei-x86-64' <<<"$headers" || { echo "not a 64-bit PE" >&2; exit 1; }
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || { echo "not a GUI program" >&2; exit 1; }
allowed='^(KERNEL32|USER32|GDI32|MSIMG32|COMCTL32|SHELL32|ADVAPI32|OLE32|msvcrt)\.dll$'
status=0
while read -r dll; do
    if ! grep -qiE "$allowed" <<<"$dll"; then
        echo "imports a DLL that is not the system's: $dll" >&2
        status=1
    fi
    echo "imports $dll"
done < <(sed -n 's/^\s*DLL Name: //p' <<<"$headers")
if "$objdump" -h Presovol.exe | grep -q '\.debug_'; then
    echo "the program still carries debugging sections" >&2
    status=1
fi
echo "Presovol.exe: $(stat -c %s Presovol.exe) bytes"
exit $status
