#!/usr/bin/env bash
# check-zip.sh ZIP LINUX_CLI WORK: the zip as a user gets it, under Wine (OCAI_LINUX_CLI, when
# set, names the Linux build's ocai-cli instead of LINUX_CLI). Unpacked into an empty folder and
# run in a fresh Wine prefix with no DLL path of the build: `ocai-cli.exe profile` prints what
# the Linux build's ocai-cli prints, `ocai-cli.exe serve` takes a questionnaire on 127.0.0.1,
# and each window program opens its window on an X server of its own (Xvfb); WORK/shots/ keeps
# a screenshot of each.
set -euo pipefail
zip=$1 linux_cli=${OCAI_LINUX_CLI:-$2} work=$3
here=$(cd "$(dirname "$0")" && pwd)
fail() {
    echo "check-zip: $*" >&2
    exit 1
}
[ -f "$zip" ] || fail "$zip is missing; make windows-zip writes it"
[ -x "$linux_cli" ] || fail "the Linux build's $linux_cli is missing; make build writes it"

rm -rf "$work"
mkdir -p "$work/shots"
work=$(cd "$work" && pwd)
/usr/bin/python3 -m zipfile -e "$zip" "$work/unpacked"
folder=$(find "$work/unpacked" -mindepth 1 -maxdepth 1 -type d)
[ "$(echo "$folder" | wc -l)" -eq 1 ] || fail "the zip must hold one folder"

# Each program as Windows shows it: the window programs without a console, ocai-cli in one,
# every one with its icon and version information (resource types 14 and 16).
for program in ocai-plot ocai-survey ocai-desk ocai-cli; do
    headers=$(LC_ALL=C x86_64-w64-mingw32-objdump -p "$folder/$program.exe")
    subsystem="(Windows GUI)"
    [ "$program" = ocai-cli ] && subsystem="(Windows CUI)"
    grep -qF "$subsystem" <<<"$(grep '^Subsystem' <<<"$headers")" ||
        fail "$program.exe is not a $subsystem program"
    types=$(sed -n 's/^[0-9a-f]\{3\}   Entry: ID: 0x0000\([0-9a-f]*\),.*/\1/p' <<<"$headers")
    { grep -qx 0e <<<"$types" && grep -qx 10 <<<"$types"; } ||
        fail "$program.exe lacks its icon or its version information"
done
echo "programs: console and window subsystems, icons, version information"

unset WINEPATH DISPLAY WAYLAND_DISPLAY
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8
while IFS='=' read -r name _; do
    [[ $name == QT_* || $name == WINEQT_* ]] && unset "$name"
done < <(env)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wineserver -k 2>/dev/null || true
}
trap cleanup EXIT
# A screen of its own before the first Wine program, whose desktop it then is; its frame
# buffer file is the screenshot.
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x800x24 -fbdir "$work" -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 100); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
mkdir -p "$WINEPREFIX"
wineserver -p >/dev/null 2>&1
# The first program starts Wine's services, which keep its output open: a file, not a pipe.
wine wineboot -i >"$work/wineboot.log" 2>&1
cd "$folder"

# The same profile as the Linux build, from the samples inside the zip.
expected=$(cd "$(dirname "$linux_cli")" && QT_QPA_PLATFORM=offscreen ./ocai-cli profile Data/Примеры)
actual=$(wine ocai-cli.exe profile 'Data\Примеры' 2>"$work/profile.err" | tr -d '\r') ||
    fail "ocai-cli.exe profile failed: $(cat "$work/profile.err")"
[ "$actual" = "$expected" ] || fail "profile differs from Linux:
$actual
--- Linux:
$expected"
echo "profile: as on Linux"

# One questionnaire through the server.
mkdir Опрос
wine ocai-cli.exe serve Опрос --address 127.0.0.1 --port 0 >"$work/serve.out" 2>"$work/serve.err" &
pids+=($!)
url=
for _ in $(seq 300); do
    url=$(grep -o 'http://127\.0\.0\.1:[0-9]*/[0-9a-f]*/' "$work/serve.out" | head -1) || true
    [ -n "$url" ] && break
    sleep 0.1
done
[ -n "$url" ] || fail "ocai-cli.exe serve gave no link: $(cat "$work/serve.err")"
submission='{"id":"123e4567-e89b-42d3-a456-426614174000","code":"Web-1","free":"","instructionSeconds":3,"answers":[[40,30,20,10],[40,30,20,10],[40,30,20,10],[40,30,20,10],[40,30,20,10],[40,30,20,10],[10,20,30,40],[10,20,30,40],[10,20,30,40],[10,20,30,40],[10,20,30,40],[10,20,30,40]],"seconds":[1,2,3,4,5,6,7,8,9,10,11,12]}'
answer=$(curl -sS --max-time 30 --data-binary "$submission" "${url}submit")
[ "$answer" = '{"file":"Web-1OCAI.cry"}' ] || fail "serve answered: $answer"
[ -f "Опрос/Web-1OCAI.cry" ] || fail "serve wrote no Опрос/Web-1OCAI.cry"
kill "${pids[-1]}"
echo "serve: the questionnaire written"

# Each window program on the screen.
for program in ocai-plot ocai-survey ocai-desk; do
    wine "$program.exe" >"$work/$program.log" 2>&1 &
    pid=$!
    pids+=("$pid")
    shown=
    for _ in $(seq 600); do
        # A mapped top-level window with a title (Wine's own have none or are unmapped).
        if xwininfo -root -children | grep -v '"Default IME"' | grep -q '^ *0x[0-9a-f]* "[^"]'; then
            shown=1
            break
        fi
        sleep 0.1
    done
    [ -n "$shown" ] || fail "$program.exe opened no window: $(cat "$work/$program.log")"
    sleep 10 # painted, on a busy machine too
    /usr/bin/python3 "$here/xwd-to-png.py" "$work/Xvfb_screen0" "$work/shots/$program.png"
    xwininfo -root -children | grep -v '"Default IME"' | grep '^ *0x[0-9a-f]* "' |
        sed "s/^/$program: window /"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    for _ in $(seq 100); do
        xwininfo -root -children | grep -v '"Default IME"' | grep -q '^ *0x[0-9a-f]* "[^"]' || break
        sleep 0.1
    done
done
echo "check-zip: all passed; screenshots in $work/shots"
