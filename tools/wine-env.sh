# Shared set-up of the run and test commands: packages, the virtual display and the private
# Wine prefix. Sourced, not run.

PRESOVOL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
: "${PRESOVOL_BUILD:=$PRESOVOL_ROOT/build}"
: "${PRESOVOL_WINEPREFIX:=$PRESOVOL_BUILD/wineprefix}"
export WINEPREFIX=$PRESOVOL_WINEPREFIX
export WINEDEBUG=-all
export WINEARCH=win64

# Wine takes its ANSI code page from the locale: 936, as on the users' machines, unless
# PRESOVOL_LOCALE names another (en_US.UTF-8 gives the Western 1252). Set for Wine alone: the
# shell itself has no such locale installed.
presovol_wine() { env LC_ALL="${PRESOVOL_LOCALE:-zh_CN.UTF-8}" wine "$@"; }

presovol_log() { printf '[presovol] %s\n' "$*" >&2; }

# Installs what is missing, with apt-get (as root, or through sudo).
presovol_ensure_packages() {
    local need=()
    command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix)
    command -v wine >/dev/null || need+=(wine)
    [ -e /usr/lib/wine/wine64 ] || command -v wine64 >/dev/null || need+=(wine64)
    command -v Xvfb >/dev/null || need+=(xvfb)
    command -v xdpyinfo >/dev/null || need+=(x11-utils)
    command -v import >/dev/null || need+=(imagemagick)
    [ -e /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc ] || need+=(fonts-wqy-zenhei)
    command -v cmake >/dev/null || need+=(cmake)
    command -v ninja >/dev/null || need+=(ninja-build)
    command -v g++ >/dev/null || need+=(g++)
    command -v clang++ >/dev/null || need+=(clang)
    compgen -G '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a' >/dev/null ||
        need+=(libclang-rt-dev)
    [ -e /usr/include/benchmark/benchmark.h ] || need+=(libbenchmark-dev)
    [ -e /usr/include/nlohmann/json.hpp ] || need+=(nlohmann-json3-dev)
    [ -e /usr/include/CLI/CLI.hpp ] || need+=(libcli11-dev)
    [ -d /usr/src/googletest ] && [ -e /usr/lib/x86_64-linux-gnu/libgtest.a ] ||
        need+=(googletest libgtest-dev)
    [ ${#need[@]} -eq 0 ] && return 0
    presovol_log "installing: ${need[*]}"
    local sudo=
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${need[@]}" >/dev/null
}

presovol_configure() { # build-dir [cmake args...]
    local dir=$1
    shift
    # Configuring again is cheap and picks up folders added since; it rebuilds nothing.
    cmake -S "$PRESOVOL_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
}

presovol_build_windows() {
    presovol_configure "$PRESOVOL_BUILD/win" \
        -DCMAKE_TOOLCHAIN_FILE="$PRESOVOL_ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release
    cmake --build "$PRESOVOL_BUILD/win" "$@"
}

# Starts a private Xvfb on a display number it picks itself and exports DISPLAY; fails, saying
# why, when no display comes up. Each call starts one more; presovol_stop ends them all.
PRESOVOL_XVFB_PIDS=()
presovol_start_xvfb() {
    local fdfile xlog
    fdfile=$(mktemp)
    xlog=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>"$xlog" &
    local pid=$!
    PRESOVOL_XVFB_PIDS+=("$pid")
    local i
    for i in $(seq 200); do
        [ -s "$fdfile" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    local display
    display=$(tr -d '[:space:]' <"$fdfile")
    rm -f "$fdfile"
    if [ -z "$display" ] || ! kill -0 "$pid" 2>/dev/null; then
        presovol_log "the virtual display did not start: Xvfb ended or gave no display within 10 s."
        presovol_log "Xvfb said: $(tr '\n' ' ' <"$xlog")"
        rm -f "$xlog"
        kill "$pid" 2>/dev/null || true
        unset 'PRESOVOL_XVFB_PIDS[-1]'
        return 1
    fi
    rm -f "$xlog"
    export DISPLAY=":$display"
}

# Sets the resolution, in dots per inch, at which the Wine programs started from now on lay out
# and draw: the prefix's LogPixels.
presovol_set_dpi() {
    presovol_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        >/dev/null 2>&1
}

# Creates the prefix once; later calls only start its server. PRESOVOL_SERVER_STARTED is 1 when
# this call started the server, empty when one of the prefix ran already. The prefix then draws
# at PRESOVOL_DPI dots per inch, 96 when it is unset.
PRESOVOL_SERVER_STARTED=
presovol_prepare_prefix_once() {
    mkdir -p "$WINEPREFIX" || return 1
    # A server of this prefix may run already; then this one ends at once, answering 2.
    if wineserver -p 2>/dev/null; then
        PRESOVOL_SERVER_STARTED=1
    fi
    # The marker names the set-up's version: a prefix made by an older one is set up again.
    if [ ! -f "$WINEPREFIX/.presovol-ready-2" ]; then
        presovol_log "creating the Wine prefix $WINEPREFIX"
        presovol_wine wineboot -i >/dev/null 2>&1 || true
        # Without a window manager every hide costs two seconds unless Wine manages nothing.
        presovol_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 ||
            return 1
        # The dialogs' face "宋体" (SimSun, on every Windows) is WenQuanYi Zen Hei here, under
        # every code page; by itself Wine finds it only through the Chinese character set. A
        # Unicode .reg file, since Wine's command line loses the name.
        printf 'Windows Registry Editor Version 5.00\r\n\r\n%s\r\n"宋体"="WenQuanYi Zen Hei"\r\n' \
            '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' |
            iconv -f UTF-8 -t UTF-16 >"$WINEPREFIX/fonts.reg" || return 1
        presovol_wine regedit /S "Z:$WINEPREFIX/fonts.reg" >/dev/null 2>&1 || return 1
        # Stopping the server writes the registry to disk; then start it afresh. The server may
        # have ended by itself already.
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
        wineserver -p 2>/dev/null || true
        PRESOVOL_SERVER_STARTED=1
        presovol_wine wineboot >/dev/null 2>&1 || true
        touch "$WINEPREFIX/.presovol-ready-2" || return 1
    else
        # The first command after the server starts launches services that hold stderr open.
        presovol_wine wineboot >/dev/null 2>&1 || true
    fi
    presovol_set_dpi "${PRESOVOL_DPI:-96}" || return 1
}

# The set-up above, once more from the start when it fails: a new prefix's first commands have
# been seen to fail once on a heavily loaded machine.
presovol_prepare_prefix() {
    presovol_prepare_prefix_once && return 0
    presovol_log "setting up the Wine prefix $WINEPREFIX again"
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    presovol_prepare_prefix_once
}

# The tests run on desktops: a virtual display with a Wine prefix of its own, and so a server,
# a registry and a mouse of its own. Desktop 0 is the display of DISPLAY with the prefix of
# WINEPREFIX, as ./run uses them; desktop N is the display PRESOVOL_DISPLAY_N with the prefix
# wineprefix-N beside it.
presovol_desktop_prefix() { # N
    if [ "$1" -eq 0 ]; then
        echo "$PRESOVOL_WINEPREFIX"
    else
        echo "$PRESOVOL_WINEPREFIX-$1"
    fi
}

# Starts N desktops (displays 0 to N-1) and prepares their prefixes side by side.
PRESOVOL_DESKTOPS=0
presovol_start_desktops() { # N
    local i pids=()
    for ((i = 0; i < $1; ++i)); do
        presovol_start_xvfb || return 1
        export "PRESOVOL_DISPLAY_$i=$DISPLAY"
    done
    PRESOVOL_DESKTOPS=$1
    for ((i = 0; i < $1; ++i)); do
        (presovol_use_desktop "$i" && presovol_prepare_prefix) &
        pids+=($!)
    done
    local pid failed=0
    for pid in "${pids[@]}"; do
        wait "$pid" || failed=1
    done
    export DISPLAY=$PRESOVOL_DISPLAY_0
    return "$failed"
}

# Points DISPLAY and WINEPREFIX at desktop N.
presovol_use_desktop() { # N
    local display="PRESOVOL_DISPLAY_$1"
    if [ -n "${!display:-}" ]; then
        export DISPLAY=${!display}
    fi
    WINEPREFIX=$(presovol_desktop_prefix "$1")
    export WINEPREFIX
}

# Ends the Wine servers of the prefixes and the displays that this shell started.
presovol_stop() {
    wineserver -k >/dev/null 2>&1 || true
    local i
    for ((i = 1; i < PRESOVOL_DESKTOPS; ++i)); do
        WINEPREFIX=$(presovol_desktop_prefix "$i") wineserver -k >/dev/null 2>&1 || true
    done
    local pid
    for pid in "${PRESOVOL_XVFB_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    PRESOVOL_XVFB_PIDS=()
}
