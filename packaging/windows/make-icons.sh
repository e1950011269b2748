#!/usr/bin/env bash
# Remakes the Windows icons (*.ico, committed) from the scalable icons of packaging/: each
# SVG drawn by headless Chromium at the sizes Windows asks for, the PNGs packed into one .ico.
# Run by hand after an SVG changes.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for name in ocai-plot ocai-survey ocai-desk; do
    pngs=()
    for size in 16 24 32 48 64 256; do
        printf '<html><body style="margin:0"><img src="%s" width="%d" height="%d"></body></html>' \
            "file://$here/../$name.svg" "$size" "$size" >"$work/$name.html"
        chromium --headless --no-sandbox --disable-gpu --hide-scrollbars \
            --default-background-color=00000000 --window-size=$size,$size \
            --screenshot="$work/$name-$size.png" "file://$work/$name.html" >/dev/null 2>&1
        pngs+=("$work/$name-$size.png")
    done
    /usr/bin/python3 - "$here/$name.ico" "${pngs[@]}" <<'PY'
import struct, sys
out, pngs = sys.argv[1], [open(p, 'rb').read() for p in sys.argv[2:]]
head = struct.pack('<HHH', 0, 1, len(pngs))
offset, entries = 6 + 16 * len(pngs), b''
for data in pngs:
    width, height = struct.unpack('>II', data[16:24])
    entries += struct.pack('<BBBBHHII', width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
open(out, 'wb').write(head + entries + b''.join(pngs))
PY
done
