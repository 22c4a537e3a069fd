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
mkdir -p "$root/Downloads" "$root/Temp" "$root/records"
cp "$build/ZAZezor.exe" "$root/Downloads/Orvane Setup.exe"
# The stand-ins for the next stage and the gate program record what they
# were given in this folder.
export OV_RECORD='C:\ovdemo\records'

# Scripts run from inside drive C: so that "cd \" stays on it.
cd "$root"
printf '%s\n' '== running "C:\ovdemo\Downloads\Orvane Setup.exe" /quiet with the temporary folder C:\ovdemo\Temp\' 
wine "$build/tests/ovrun.exe" --tmp 'C:\ovdemo\Temp' --cwd 'C:\ovdemo' \
    'C:\ovdemo\Downloads\Orvane Setup.exe' '"C:\ovdemo\Downloads\Orvane Setup.exe" /quiet' | tr -d '\r' |
    sed 's/^/   launcher /'

wait_for() {
    i=0
    while [ ! -f "$1" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
    sleep 0.2
}
wait_for "$root/records/Bootlace.txt"
# printf, not echo: the paths are full of backslashes.
printf '== the next stage %s started\n' "$(sed -n 3p "$root/records/Bootlace.txt")"
printf '   in the folder %s with the command line\n' "$(sed -n 2p "$root/records/Bootlace.txt")"
sed -n 1p "$root/records/Bootlace.txt" | sed 's/^/   /'

script=$(ls "$root/Temp" | grep '\.bat$' | head -1)
echo "== extracted into the temporary folder:"
(cd "$root/Temp" && find . -mindepth 1 | sort | sed 's|^\./|   |')
echo "== clean-up script $script:"
tr -d '\r' <"$root/Temp/$script" | sed 's/^/   /'

echo "== running the clean-up script as the next stage would: $script finished"
wine cmd /c "C:\\ovdemo\\Temp\\$script" finished >/dev/null 2>&1 || true
wait_for "$root/records/exitgate.txt"
printf '   the gate program ran with: %s\n' "$(sed -n 1p "$root/records/exitgate.txt")"
left=$(ls -A "$root/Temp")
if [ -z "$left" ]; then
    echo "== the temporary folder is clean again"
else
    echo "== left in the temporary folder: $left"
    exit 1
fi
