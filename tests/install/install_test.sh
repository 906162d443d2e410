#!/usr/bin/env bash
# Installs the build into a temporary prefix and uses the installed programs as
# a user would: from an unrelated folder, with a fresh home. They must find
# their data, keep their scratch files in the user's cache and write nothing
# under the prefix. Then the installed desktop entry, MIME types, AppStream
# metadata, manual pages and bash completion go through their validators.
#
# usage: install_test.sh BUILD_DIR TEST_DATA_DIR
set -uo pipefail

build=$(cd "$1" && pwd)
data=$(cd "$2" && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix=$root/prefix/usr
home=$root/home
work=$root/work
mkdir -p "$home" "$work"

failures=0
passes=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { passes=$((passes + 1)); }
check() { # check DESCRIPTION COMMAND...: the command must succeed
    local what=$1
    shift
    if "$@" >"$root/out" 2>&1; then pass; else fail "$what"; sed 's/^/    /' "$root/out"; fi
}

# The file list of the prefix with sizes, times and modes.
snapshot() { (cd "$root/prefix" && find . -printf '%p %y %s %T@ %m\n' | sort); }

if ! cmake --install "$build" --prefix "$prefix" >"$root/out" 2>&1; then
    cat "$root/out"
    echo "0 passed, 1 failed"
    exit 1
fi
for file in bin/chess-vorlix bin/vorlix lib/chess-vorlix/vorlix-rendering share/chess-vorlix/default.vxd \
    share/applications/chess-vorlix.desktop share/mime/packages/chess-vorlix.xml \
    share/metainfo/com.brantel.ChessVorlix.metainfo.xml share/man/man1/vorlix.1.gz \
    share/man/man1/chess-vorlix.1.gz share/bash-completion/completions/vorlix \
    share/icons/hicolor/scalable/apps/chess-vorlix.svg \
    share/icons/hicolor/scalable/mimetypes/application-x-vorlix-diagram.svg; do
    [ -f "$prefix/$file" ] && pass || fail "not installed: $file"
done
[ -e "$prefix/bin/vorlix-rendering" ] && fail "the rendering program stands among the user's commands" || pass
snapshot >"$root/before"

# A user with an empty home, in a folder of their own, the programs on the PATH.
run() {
    (cd "$work" && env -i PATH="$prefix/bin:/usr/bin:/bin" HOME="$home" LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
        XDG_RUNTIME_DIR="$root/runtime" "$@")
}
mkdir -m 700 "$root/runtime"

# --version and --help.
run vorlix --version >"$root/out" 2>&1
grep -qx "vorlix (Chess Vorlix) 2.21" "$root/out" && pass || fail "vorlix --version: $(cat "$root/out")"
run chess-vorlix --version >"$root/out" 2>&1
grep -qx "chess-vorlix (Chess Vorlix) 2.21" "$root/out" && pass || fail "chess-vorlix --version: $(cat "$root/out")"
run chess-vorlix --help >"$root/out" 2>&1
grep -q "usage: chess-vorlix .*FILE" "$root/out" && grep -q -- "--version" "$root/out" && pass ||
    fail "chess-vorlix --help: $(cat "$root/out")"

# The drawing commands run in the installed rendering program; batch takes the
# style of the installed default diagram.
check "vorlix render" run vorlix render --fen rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR -o e4.png
[ "$(head -c 4 "$work/e4.png" | tail -c 3)" = PNG ] && pass || fail "vorlix render wrote no PNG image"
check "vorlix batch" run vorlix batch "$data/3.pgn" --positions fixed --fen-final -o final.gif
[ "$(head -c 3 "$work/final0001.GIF" 2>/dev/null)" = GIF ] && pass || fail "vorlix batch wrote no GIF image: $(ls "$work")"
check "vorlix games" run vorlix games "$data/3.pgn"

# The editor, started with nothing remembered: it comes up with its first-start
# question and is ended from outside as at a logout.
# exec: the background job is the editor itself.
(cd "$work" && exec env -i PATH="$prefix/bin:/usr/bin:/bin" HOME="$home" LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
    XDG_RUNTIME_DIR="$root/runtime" QT_LOGGING_RULES="vorlix.paths.info=true;vorlix.windows.info=true" \
    chess-vorlix >"$root/editor.log" 2>&1) &
editor=$!
for _ in $(seq 1 200); do
    grep -q "modal window shown" "$root/editor.log" && break
    kill -0 "$editor" 2>/dev/null || break
    sleep 0.1
done
grep -q "modal window shown: File Extensions..." "$root/editor.log" && pass ||
    fail "the editor did not come up: $(cat "$root/editor.log")"
kill -TERM "$editor" 2>/dev/null
wait "$editor"
status=$?
[ $status -eq 0 ] && pass || fail "the editor ended with $status"
grep -qx "vorlix.paths: data folder: $prefix/share/chess-vorlix/" "$root/editor.log" && pass ||
    fail "the editor did not take the installed data: $(grep 'data folder' "$root/editor.log")"
grep -qx "vorlix.paths: scratch folder: $home/.cache/chess-vorlix/TEMP/" "$root/editor.log" && pass ||
    fail "the scratch folder is not in the cache: $(grep 'scratch folder' "$root/editor.log")"
[ -d "$home/.cache/chess-vorlix/TEMP" ] && pass || fail "no scratch folder in the cache"
[ -f "$home/.config/Brantel/Chess Vorlix.ini" ] && pass || fail "the editor kept no settings"

# Nothing was written under the prefix, nor in the folder the editor started in.
snapshot >"$root/after"
if diff "$root/before" "$root/after" >"$root/out"; then pass; else fail "written under the prefix:"; cat "$root/out"; fi
[ "$(cd "$work" && ls | sort | tr '\n' ' ')" = "e4.png final0001.GIF " ] && pass ||
    fail "the working folder holds more than the outputs: $(ls "$work")"

# The desktop metadata passes its validators.
share=$prefix/share
check "desktop-file-validate" desktop-file-validate "$share/applications/chess-vorlix.desktop"
check "appstreamcli validate" appstreamcli validate --no-net "$share/metainfo/com.brantel.ChessVorlix.metainfo.xml"
check "xmllint on the MIME types" xmllint --noout "$share/mime/packages/chess-vorlix.xml"
cp -r "$share/mime" "$root/mime"
check "update-mime-database" update-mime-database "$root/mime"
grep -q "application/x-vorlix-diagram:\*\.vxd" "$root/mime/globs" && pass || fail "the MIME database has no *.vxd"
grep -q "^application/x-chess-epd" "$root/mime/types" && pass || fail "the MIME database has no EPD type"

# Both manual pages render, without a warning from groff.
for page in vorlix chess-vorlix; do
    if MANWIDTH=80 man --warnings -l "$share/man/man1/$page.1.gz" >"$root/man" 2>"$root/man.err" &&
        [ ! -s "$root/man.err" ] && grep -q "^NAME" "$root/man"; then pass; else fail "man -l $page.1.gz"; cat "$root/man.err"; fi
done

# Bash completion: commands, option values and the files each command reads.
if [ -f /usr/share/bash-completion/bash_completion ]; then
    touch "$work/game.pgn" "$work/tests.epd" "$work/notes.txt" "$work/style.vxd"
    complete_line() { # the completions of a command line whose last word is being typed
        (cd "$work" && bash -c '
            source /usr/share/bash-completion/bash_completion
            source "$1"
            shift
            COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
            COMP_LINE="${COMP_WORDS[*]}"; COMP_POINT=${#COMP_LINE}
            _vorlix vorlix "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
            printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "' _ "$share/bash-completion/completions/vorlix" "$@")
    }
    while IFS='|' read -r line expected; do
        # shellcheck disable=SC2086
        got=$(complete_line $line "")
        [ "$got" = "$expected" ] && pass || fail "completion of 'vorlix${line#vorlix} <TAB>': '$got', wanted '$expected'"
    done <<'CASES'
vorlix|--help --version batch book epd games gif help render replay sheet 
vorlix sheet --per-page|1 12 2 4 6 9 
vorlix book --notation|asis de es figurine fr it letters nl 
vorlix book|game.pgn 
vorlix render --svg-text|paths text 
vorlix render --piece-style|riroz roruvoz roviravo 
vorlix render --view|black white 
vorlix batch --theme|lagoon print walnut 
vorlix batch --positions|custom entire fixed 
vorlix batch|game.pgn tests.epd 
vorlix replay|game.pgn 
vorlix epd|tests.epd 
vorlix render --vxd|style.vxd 
CASES
    got=$(complete_line vorlix ba)
    [ "$got" = "batch " ] && pass || fail "completion of 'vorlix ba<TAB>': '$got'"
    got=$(complete_line vorlix gif --la)
    [ "$got" = "--last-move " ] && pass || fail "completion of 'vorlix gif --la<TAB>': '$got'"
else
    fail "bash-completion is not installed (scripts/setup.sh installs it)"
fi

echo "$passes passed, $failures failed"
[ $failures -eq 0 ]
