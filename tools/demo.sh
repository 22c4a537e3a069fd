#!/bin/sh
# The launcher's life cycle under Wine, in a few readable lines: run it from
# a download folder with a private temporary folder, show what the next
# stage received, run the clean-up script as the next stage eventually
# would, and check that the temporary folder is clean again.
#
#   tools/wine-session.sh BUILD_DIR tools/demo.sh BUILD_DIR
set -eu

build=$(cd "$1" && pwd)
root="$WINEPREFIX/drive_c/ovdemo"
rm -rf "$root"
mkdir -p "$root/Downloads" "$root/Temp"
cp "$build/launcher/ZAZezor.exe" "$root/Downloads/Orvane Setup.exe"
# Until the payload is embedded, the next stage is found beside the launcher.
cp "$build/tests/Bootlace.exe" "$root/Downloads/Bootlace.exe"

echo "== launcher: C:\\ovdemo\\Downloads\\Orvane Setup.exe /quiet, temporary folder C:\\ovdemo\\Temp"
# Scripts run from inside drive C: so that "cd \" stays on it.
cd "$root"
OV_RECORD='C:\ovdemo\record.txt' wine "$build/tests/ovrun.exe" --tmp 'C:\ovdemo\Temp' --cwd 'C:\ovdemo' \
    'C:\ovdemo\Downloads\Orvane Setup.exe' '"C:\ovdemo\Downloads\Orvane Setup.exe" /quiet' | tr -d '\r'

i=0
while [ ! -f "$root/record.txt" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
echo "== the next stage was started with:"
sed -n 1p "$root/record.txt" | sed 's/^/   /'
echo "   in the folder $(sed -n 2p "$root/record.txt")"

script=$(ls "$root/Temp" | grep '\.bat$' | head -1)
echo "== temporary folder after the launcher: $(ls "$root/Temp" | tr '\n' ' ')"
echo "== clean-up script $script:"
tr -d '\r' <"$root/Temp/$script" | sed 's/^/   /'

echo "== running the clean-up script as the next stage would"
wine cmd /c "C:\\ovdemo\\Temp\\$script" done >/dev/null 2>&1 || true
left=$(ls -A "$root/Temp")
if [ -z "$left" ]; then
    echo "== temporary folder is clean again"
else
    echo "== left in the temporary folder: $left"
    exit 1
fi
