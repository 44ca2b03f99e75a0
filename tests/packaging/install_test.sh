#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop reads there: the desktop
# entry, the AppStream metainfo, the MIME package, the manual page, the icons, and that
# xdg-mime finds the document type and the program that opens it.
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share
for f in bin/tarvosk share/applications/org.tarvosk.Tarvosk.desktop share/mime/packages/tarvosk.xml \
  share/metainfo/org.tarvosk.Tarvosk.metainfo.xml share/thumbnailers/tarvosk.thumbnailer \
  share/man/man1/tarvosk.1.gz share/doc/tarvosk/copyright share/doc/tarvosk/changelog.gz \
  share/icons/hicolor/scalable/apps/tarvosk.svg share/icons/hicolor/scalable/mimetypes/application-x-tarvosk.svg; do
  [ -f "$prefix/$f" ] || fail "$f is not installed"
done
for size in 16 22 24 32 48 64 128 256; do
  for icon in apps/tarvosk mimetypes/application-x-tarvosk; do
    png=$share/icons/hicolor/${size}x${size}/$icon.png
    [ "$(file -b "$png" | grep -o '[0-9]* x [0-9]*')" = "$size x $size" ] || fail "$png is not $size pixels"
  done
done

desktop-file-validate "$share/applications/org.tarvosk.Tarvosk.desktop" || fail "desktop-file-validate"
out=$(desktop-file-validate "$share/applications/org.tarvosk.Tarvosk.desktop" 2>&1)
[ -z "$out" ] || fail "desktop-file-validate says: $out"
grep -qx 'Name\[ru\]=Тарвоск' "$share/applications/org.tarvosk.Tarvosk.desktop" || fail "no Russian name"
grep -qx 'Categories=Graphics;Engineering;' "$share/applications/org.tarvosk.Tarvosk.desktop" || fail "categories"
appstreamcli validate --no-net "$share/metainfo/org.tarvosk.Tarvosk.metainfo.xml" || fail "appstreamcli validate"
version=$("$prefix/bin/tarvosk" --version | awk '{print $2}')
grep -q "<release version=\"$version\"" "$share/metainfo/org.tarvosk.Tarvosk.metainfo.xml" \
  || fail "the metainfo has no release $version"
zcat "$share/doc/tarvosk/changelog.gz" | head -1 | grep -q "^tarvosk ($version)" || fail "changelog is not $version"
xmllint --noout "$share/mime/packages/tarvosk.xml" || fail "xmllint"
xmllint --noout "$share/icons/hicolor/scalable/apps/tarvosk.svg" \
  "$share/icons/hicolor/scalable/mimetypes/application-x-tarvosk.svg" || fail "xmllint on the icons"
warnings=$(MANWIDTH=80 man --warnings -l "$share/man/man1/tarvosk.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man warns: $warnings"
page=$(MANWIDTH=80 man -l "$share/man/man1/tarvosk.1.gz" 2>/dev/null)
for section in NAME SYNOPSIS DESCRIPTION OPTIONS FILES "EXIT STATUS" EXAMPLES; do
  grep -qx "$section" <<<"$page" || fail "the manual page has no $section"
done
for option in -ns --export --size --scale --paper --landscape --thumbnail --check --json --strict --version --help view.ini recent.txt recovery; do
  grep -q -- "$option" <<<"$page" || fail "the manual page does not mention $option"
done
# every option of --help is in the manual page
for option in $("$prefix/bin/tarvosk" --help | grep -o -- ' --*[a-z]*' | sort -u); do
  grep -q -- "$option" <<<"$page" || fail "the manual page misses $option of --help"
done
grep -qx 'Exec=tarvosk --thumbnail %i %o %s' "$share/thumbnailers/tarvosk.thumbnailer" || fail "thumbnailer Exec"

# The desktop as a user of that prefix sees it.
XDG_DATA_DIRS=$share update-mime-database "$share/mime"
update-desktop-database "$share/applications"
mkdir -p "$work/home/config" "$work/home/data"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data
export XDG_DATA_DIRS=$share XDG_CONFIG_DIRS=$work/home/config
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
cp "$source/fuzz/corpus/document/bells_and_chords.tarvosk" "$work/Колокольня с арками.tarvosk"
type=$(xdg-mime query filetype "$work/Колокольня с арками.tarvosk")
[ "$type" = application/x-tarvosk ] || fail "xdg-mime query filetype gives '$type'"
default=$(xdg-mime query default application/x-tarvosk)
[ "$default" = org.tarvosk.Tarvosk.desktop ] || fail "xdg-mime query default gives '$default'"
echo "installed into a prefix: all checks passed"
