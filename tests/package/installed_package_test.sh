#!/usr/bin/env bash
# The Debian package as a user gets it: cpack packs the build (nothing is compiled again),
# the package is unpacked into a scratch root, and the programs run from there through
# their links in bin/:
#   - the files lie where the desktop and the programs look for them, and every package
#     the .deb depends on exists (it is installed here);
#   - lumivelle-cli imports an old script into a show project and builds the show from the
#     Tolvarine.bin it finds beside itself; the show plays every slide to its end;
#   - the editor starts with that project on its command line and, when it is asked to end,
#     writes its settings and keyword file beside itself where it may write there, and in
#     the user's configuration folder where it may not (another user's run).
#
#   installed_package_test.sh BUILD_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "-- $*"; }

step "packing"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pack" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/pack/lumivelle_*.deb)
dpkg-deb -x "$deb" "$work/root"
usr=$work/root/usr
programs=$usr/lib/lumivelle

step "layout"
for file in lib/lumivelle/Lumivelle lib/lumivelle/lumivelle-cli lib/lumivelle/Tolvarine.bin \
            lib/lumivelle/Lumivelle.chm share/applications/lumivelle.desktop \
            share/mime/packages/lumivelle.xml share/icons/hicolor/48x48/apps/lumivelle.png \
            share/icons/hicolor/128x128/apps/lumivelle.png; do
  [[ -f $usr/$file ]] || fail "missing $file"
done
[[ $(readlink "$usr/bin/Lumivelle") == ../lib/lumivelle/Lumivelle ]] || fail "bin/Lumivelle is not the link"
[[ $(readlink "$usr/bin/lumivelle-cli") == ../lib/lumivelle/lumivelle-cli ]] || fail "bin/lumivelle-cli is not the link"
grep -qx 'Exec=Lumivelle %f' "$usr/share/applications/lumivelle.desktop" || fail "desktop entry: Exec"
grep -qx 'MimeType=application/x-lumivelle-show;application/x-lumivelle-album;' \
  "$usr/share/applications/lumivelle.desktop" || fail "desktop entry: MimeType"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$usr/share/applications/lumivelle.desktop" || fail "desktop entry not valid"
fi
python3 - "$usr/share/mime/packages/lumivelle.xml" <<'PY' || fail "MIME types"
import sys, xml.etree.ElementTree as tree
ns = {"m": "http://www.freedesktop.org/standards/shared-mime-info"}
types = {t.get("type"): [g.get("pattern") for g in t.findall("m:glob", ns)]
         for t in tree.parse(sys.argv[1]).getroot().findall("m:mime-type", ns)}
assert types == {"application/x-lumivelle-show": ["*.dap"], "application/x-lumivelle-album": ["*.ccl"]}, types
PY

step "dependencies"
depends=$(dpkg-deb -f "$deb" Depends)
for wanted in libqt6widgets6 libqt6multimedia6 libjpeg62-turbo libchm1 qt6-translations-l10n fonts-liberation2; do
  [[ $depends == *"$wanted"* ]] || fail "Depends lacks $wanted: $depends"
done
IFS=',' read -ra items <<<"$depends"
for item in "${items[@]}"; do
  name=$(sed -E 's/^ *([^ (|]+).*/\1/' <<<"$item")
  dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q "install ok installed" || fail "no package $name"
done

step "a show built by the installed lumivelle-cli plays"
cli=$usr/bin/lumivelle-cli
mkdir -p "$work/show"
spr=$work/show/Vacances.spr
{
  printf '1\r\n\r\n0\r\n1\r\n'                    # two slides, no music, no loop, copy allowed
  for name in plage montagne; do
    "$cli" demo-picture "$work/show/$name.png" 640 480 >/dev/null
    printf '%s\r\n1\r\n1\r\n12632256\r\n0\r\n%s\r\n16777215\r\n' "$work/show/$name.png" "$name"
  done
} >"$spr"
"$cli" project import-spr "$spr" -o "$work/show/Vacances.dap" >/dev/null
"$cli" project build "$work/show/Vacances.dap" >/dev/null
show=$work/show/Vacances.exe
[[ -x $show ]] || fail "no show executable"
(( $(stat -c %s "$show") > $(stat -c %s "$programs/Tolvarine.bin") )) || fail "the show carries no payload"
trace=$work/show/trace.txt
QT_QPA_PLATFORM=offscreen TOLVARINE_TRACE=$trace LUMIVELLE_UNATTENDED=1 "$show" &
player=$!
for _ in $(seq 1 300); do
  grep -qx end "$trace" 2>/dev/null && break
  kill -0 "$player" 2>/dev/null || break
  sleep 0.1
done
kill "$player" 2>/dev/null || true
wait "$player" 2>/dev/null || true
grep -q '^show 0 .* caption=plage$' "$trace" || fail "slide 0 not shown: $(cat "$trace" 2>/dev/null)"
grep -q '^show 1 .* caption=montagne$' "$trace" || fail "slide 1 not shown: $(cat "$trace")"
grep -qx end "$trace" || fail "the show did not end: $(cat "$trace")"

# Runs the installed editor for a moment with the show on its command line, then asks it
# to end as the desktop does when the session closes.
run_editor() {
  local home=$1; shift
  env -i PATH=/usr/bin:/bin HOME="$home" USER="lumivelle-package-test-$$-$RANDOM" \
      QT_QPA_PLATFORM=offscreen LUMIVELLE_UNATTENDED=1 "$@" "$usr/bin/Lumivelle" "$work/show/Vacances.dap" \
      >"$home/editor.log" 2>&1 &
  local editor=$!
  sleep 3
  kill -0 "$editor" 2>/dev/null || { cat "$home/editor.log"; fail "the editor did not keep running"; }
  kill -TERM "$editor"
  wait "$editor" || { cat "$home/editor.log"; fail "the editor did not end cleanly"; }
}

step "the installed editor starts and keeps its settings beside itself"
mkdir -p "$work/home"
run_editor "$work/home"
config=$programs/Lumivelle.cfg
[[ -f $config ]] || fail "no Lumivelle.cfg beside the program"
grep -qx 'TIV=100' "$config" || fail "settings not written: $(cat "$config")"
grep -qx "DerFile=$work/show/Vacances.dap" "$config" || fail "the command line's show was not open: $(cat "$config")"
[[ -f $programs/motcle.cfg ]] || fail "no motcle.cfg beside the program"

if [[ $(id -u) == 0 ]] && command -v setpriv >/dev/null; then
  step "another user's editor keeps its settings in the user's configuration folder"
  rm -f "$config" "$programs/motcle.cfg"
  mkdir -p "$work/other"
  chown nobody "$work/other"
  chmod -R a+rX "$work/show"
  run_editor "$work/other" setpriv --reuid=nobody --regid=nogroup --clear-groups --
  [[ ! -e $config ]] || fail "Lumivelle.cfg written into the program's folder"
  found=$(find "$work/other/.config" -name Lumivelle.cfg)
  [[ -n $found ]] || fail "no Lumivelle.cfg in the user's configuration folder"
  grep -qx 'TIV=100' "$found" || fail "settings not written: $(cat "$found")"
  [[ -f $(dirname "$found")/motcle.cfg ]] || fail "no motcle.cfg beside the user's settings"
fi
echo "installed package: all checks passed"
