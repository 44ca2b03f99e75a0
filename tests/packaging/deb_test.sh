#!/usr/bin/env bash
# Builds the Debian package, looks into it without installing it on this machine, runs the
# unpacked program and has lintian check the package.
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$work"/pkg/*.deb)
echo "built $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for dep in libqt6widgets6 libqt6gui6 libqt6core6 libjpeg62-turbo libpng16-16 libc6 \
  fonts-wine fonts-dejavu-core qt6-translations-l10n; do
  grep -Eq "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends lacks $dep"
done
[ "$(dpkg-deb -f "$deb" Section)" = graphics ] || fail "section"
dpkg-deb -e "$deb" "$work/control"
for script in preinst postinst prerm postrm triggers; do
  [ ! -e "$work/control/$script" ] || fail "the package carries a $script"
done

dpkg-deb -x "$deb" "$work/root"
program=$work/root/usr/bin/tarvosk
for f in usr/share/applications/org.tarvosk.Tarvosk.desktop usr/share/mime/packages/tarvosk.xml \
  usr/share/metainfo/org.tarvosk.Tarvosk.metainfo.xml usr/share/thumbnailers/tarvosk.thumbnailer \
  usr/share/man/man1/tarvosk.1.gz usr/share/icons/hicolor/256x256/apps/tarvosk.png \
  usr/share/icons/hicolor/scalable/mimetypes/application-x-tarvosk.svg usr/share/doc/tarvosk/copyright; do
  [ -f "$work/root/$f" ] || fail "the package lacks /$f"
done

export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data \
  XDG_STATE_HOME=$work/home/state XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_STATE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
doc=$work/plan.tarvosk
cp "$source/fuzz/corpus/document/bells_and_chords.tarvosk" "$doc"
"$program" --version | grep -qx "tarvosk $(dpkg-deb -f "$deb" Version)" || fail "--version"
"$program" --export "$work/plan.png" "$doc" --size 640x480 || fail "--export"
[ "$(file -b "$work/plan.png" | grep -o '[0-9]* x [0-9]*')" = "640 x 480" ] || fail "the export's size"
"$program" --thumbnail "$doc" "$work/thumb.png" 256 || fail "--thumbnail"
[ "$(file -b "$work/thumb.png" | grep -o '[0-9]* x [0-9]*')" = "256 x 256" ] || fail "the thumbnail's size"
if "$program" --thumbnail "$work/none.tarvosk" "$work/none.png" 256 2>/dev/null; then fail "no document, yet success"; fi
[ ! -e "$work/none.png" ] || fail "a thumbnail of no document"

# Starts the editor without a display and waits until `ready` holds; then ends it.
run_editor() {
  local editor=$1 ready=$2
  QT_QPA_PLATFORM=offscreen "$editor" -ns >/dev/null 2>&1 &
  local pid=$!
  pids+=("$pid")
  for _ in $(seq 1 300); do
    if eval "$ready"; then kill "$pid"; wait "$pid" 2>/dev/null || true; return 0; fi
    sleep 0.1
  done
  kill "$pid"
  return 1
}
entry=$XDG_DATA_HOME/applications/tarvosk.desktop
mime=$XDG_DATA_HOME/mime/packages/tarvosk.xml
# A copy run from its build folder registers itself for the user ...
run_editor "$build/app/tarvosk" '[ -f "$entry" ] && [ -f "$mime" ]' || fail "the build's program did not register"
touch "$XDG_DATA_HOME/applications/mine.desktop"
# ... and the unpacked, installed one takes that away again, and only that.
run_editor "$program" '[ ! -e "$entry" ] && [ ! -e "$mime" ]' || fail "the installed program left the user's entry"
[ -f "$XDG_DATA_HOME/applications/mine.desktop" ] || fail "a file of the user's went"

lintian --version
lintian --fail-on error --display-info --tag-display-limit 0 "$deb" | tee "$work/lintian.log" \
  || fail "lintian found errors"
echo "package: all checks passed"
