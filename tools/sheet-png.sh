#!/usr/bin/env bash
# Makes docs/sheet.png, a calculation sheet as it prints: the native presovol-calc writes the
# sheet of the auxiliary power example, headless Chromium prints the page to PDF on A4 paper as a
# browser prints it, and pdftoppm turns the first page into a PNG. Installs what is missing with
# apt-get, like ./run and ./test. Not part of ./test: run it when the sheet's look changes.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
cd "$PRESOVOL_ROOT"

presovol_ensure_packages
need=()
command -v chromium >/dev/null || need+=(chromium)
command -v pdftoppm >/dev/null || need+=(poppler-utils)
if [ ${#need[@]} -gt 0 ]; then
    presovol_log "installing: ${need[*]}"
    sudo=
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${need[@]}" >/dev/null
fi

presovol_configure "$PRESOVOL_BUILD/host" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$PRESOVOL_BUILD/host" --target presovol-calc

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$PRESOVOL_BUILD/host/cli/presovol-calc" aux deltaV=10 n=1.4 "p0=90 bar" p1=10 p2=20 \
    t_min=-10 t_max=50 --sheet "$work/sheet.html" >/dev/null
# Chromium runs without its sandbox (the scripts run as root) and with a profile of its own.
chromium --headless --no-sandbox --disable-gpu --disable-background-networking \
    --disable-component-update --disable-sync --no-first-run --user-data-dir="$work/profile" \
    --no-pdf-header-footer --print-to-pdf="$work/sheet.pdf" "file://$work/sheet.html" \
    >"$work/chromium.log" 2>&1 || { cat "$work/chromium.log" >&2; exit 1; }
pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$work/sheet.pdf" "$work/sheet"
cp "$work/sheet.png" docs/sheet.png
presovol_log "docs/sheet.png: $(file -b docs/sheet.png)"
