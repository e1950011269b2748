#!/usr/bin/env bash
# make-zip.sh BUILD_DIR: packs the Windows build into BUILD_DIR/ocai-plot-<version>-windows-x64.zip,
# one folder that runs as it is unpacked: the four programs, every DLL they load (found by
# following the import tables), the Qt plugins, Qt's Russian texts, the documents' fonts, the
# sample results and ПРОЧТИ.txt.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: make-zip.sh BUILD_DIR}" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=ocai-plot-$version-windows-x64
stage=$build/zip-stage
folder=$stage/$name
objdump=x86_64-w64-mingw32-objdump
# Where the DLLs of the build come from; any other DLL is the system's.
dll_dirs=(/opt/ocai-mingw/bin /usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib)
# offscreen: ocai-cli draws without a window.
plugins=(platforms/qwindows.dll platforms/qoffscreen.dll styles/qwindowsvistastyle.dll imageformats/qgif.dll
    imageformats/qico.dll imageformats/qjpeg.dll tls/qschannelbackend.dll
    tls/qcertonlybackend.dll)

rm -rf "$stage"
mkdir -p "$folder"
for program in ocai-plot ocai-survey ocai-desk ocai-cli; do
    cp "$build/bin/$program.exe" "$folder/"
done
for plugin in "${plugins[@]}"; do
    mkdir -p "$folder/$(dirname "$plugin")"
    cp "/opt/ocai-mingw/plugins/$plugin" "$folder/$plugin"
done

# The DLLs a file imports, its own folder's and the system's left out.
imports() {
    "$objdump" -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p'
}
find_dll() {
    local dir
    for dir in "${dll_dirs[@]}"; do
        found=$(find "$dir" -maxdepth 1 -iname "$1" -print -quit)
        if [ -n "$found" ]; then
            echo "$found"
            return
        fi
    done
}
pending=("$folder"/*.exe "$folder"/*/*.dll)
while [ ${#pending[@]} -gt 0 ]; do
    file=${pending[0]}
    pending=("${pending[@]:1}")
    while read -r dll; do
        [ -e "$folder/$dll" ] && continue
        source=$(find_dll "$dll")
        [ -n "$source" ] || continue
        cp "$source" "$folder/$dll"
        pending+=("$folder/$dll")
    done < <(imports "$file")
done

# Plugins and translations beside the programs, whatever Qt finds elsewhere on the machine.
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' >"$folder/qt.conf"
mkdir -p "$folder/translations"
cp /usr/share/qt6/translations/qtbase_ru.qm "$folder/translations/"
# The documents' fonts with their licences: the programs add them from beside themselves.
cp -r "$build/bin/fonts" "$folder/fonts"
mkdir -p "$folder/Data/Примеры"
cp "$build/bin/Data/Примеры/"*.cry "$folder/Data/Примеры/"
# Notepad reads UTF-8 with a byte order mark whatever the system's code page.
{
    printf '\xef\xbb\xbf'
    sed -e "s/@VERSION@/$version/" -e 's/$/\r/' "$here/ПРОЧТИ.txt"
} >"$folder/ПРОЧТИ.txt"

# Names stored as UTF-8 and flagged so (Windows' own unpacker reads the flag), in a fixed order
# and with the release's date, so that the same build gives the same archive.
rm -f "$build/$name.zip"
epoch=$(sed -n 's/^set(OCAI_RELEASE_EPOCH \([0-9]*\)).*/\1/p' "$here/../../CMakeLists.txt")
/usr/bin/python3 - "$stage" "$name" "$build/$name.zip" "$epoch" <<'PY'
import os, sys, time, zipfile
stage, name, out, epoch = sys.argv[1:]
date = time.gmtime(int(epoch))[:6]
paths = []
for root, dirs, files in os.walk(os.path.join(stage, name)):
    dirs.sort()
    paths += [os.path.join(root, f) for f in sorted(files)]
with zipfile.ZipFile(out + '.part', 'w', zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
    for path in paths:
        info = zipfile.ZipInfo(os.path.relpath(path, stage), date)
        info.compress_type = zipfile.ZIP_DEFLATED
        info.external_attr = 0o644 << 16
        with open(path, 'rb') as f:
            archive.writestr(info, f.read())
os.replace(out + '.part', out)
PY
echo "$build/$name.zip: $(find "$folder" -type f | wc -l) files, $(du -k "$build/$name.zip" | cut -f1) kB"
