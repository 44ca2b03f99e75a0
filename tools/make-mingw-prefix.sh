#!/usr/bin/env bash
# Makes the mingw-w64 prefix of the Windows build again (a static Qt 6.4.2, libjpeg-turbo, libpng, zlib
# for x86_64-w64-mingw32, posix thread model) from Debian bookworm's own source packages, so that the
# Windows build does not depend on one prebuilt archive that nobody can make again.
#
# The result is OUTDIR/mingw64, laid out like the prebuilt mingw64-qt6.4.2.tar.xz; with --pack it is
# also packed as OUTDIR/mingw64-qt6.4.2.tar.xz. Sources and build trees go to OUTDIR/work.
#
# The sources are the source packages' upstream tarballs without Debian's patch series, because the
# prebuilt prefix was made that way (its QtBuildInternalsExtra.cmake still names the source tree,
# which a Debian patch removes, and its libpng-config lacks Debian's change); so made, libjpeg and
# libpng come out as in the prebuilt archive byte for byte, but for the link time stamped in the
# .exe tools and the prefix written in the .pc files and libpng-config. --debian-patches applies the series
# instead: it brings Debian's security fixes (libpng's in particular) at the cost of a prefix that
# differs from the prebuilt one; Qt's configuration comes out the same either way.
#
# Building Qt takes about an hour on two cores. A rerun after a failure goes on where it stopped:
# a step whose stamp (OUTDIR/work/stamps) and installed files both exist is skipped, and an
# interrupted Qt build resumes in its existing build tree. Delete OUTDIR/work to start afresh.
set -euo pipefail

usage() {
  cat <<EOF
usage: ${0##*/} [--pack] [--debian-patches] OUTDIR

Builds OUTDIR/mingw64 (Qt 6.4.2 static, libjpeg-turbo, libpng, zlib for x86_64-w64-mingw32) from
Debian bookworm's source packages; work files go to OUTDIR/work.
  --pack             also write OUTDIR/mingw64-qt6.4.2.tar.xz
  --debian-patches   apply Debian's patch series to the sources (security fixes; the result
                     then differs from the prebuilt prefix, which was made without them)
  -h, --help
Environment: JOBS (parallel jobs, default: nproc).
Installs its build dependencies with apt-get, and adds deb-src lines when apt has none.
EOF
}

pack=false
debian_patches=false
outdir=""
while [ $# -gt 0 ]; do
  case "$1" in
    --pack) pack=true ;;
    --debian-patches) debian_patches=true ;;
    -h|--help) usage; exit 0 ;;
    -*) echo "${0##*/}: unknown option: $1" >&2; usage >&2; exit 2 ;;
    *)
      if [ -n "$outdir" ]; then echo "${0##*/}: only one OUTDIR, got '$outdir' and '$1'" >&2; usage >&2; exit 2; fi
      outdir=$1 ;;
  esac
  shift
done
if [ -z "$outdir" ]; then usage >&2; exit 2; fi

log() { printf '==> %s\n' "$*" >&2; }
warn() { printf 'WARNING: %s\n' "$*" >&2; }
die() { printf 'ERROR: %s\n' "$*" >&2; exit 1; }

mkdir -p "$outdir"
outdir=$(cd "$outdir" && pwd)
prefix=$outdir/mingw64
work=$outdir/work
stamps=$work/stamps
jobs=${JOBS:-$(nproc)}
mkdir -p "$prefix" "$work/downloads" "$work/src" "$work/build" "$stamps"

# What the prebuilt prefix was made from; other versions are warned about, since the prefix would differ.
qt_version=6.4.2+dfsg-10
qt_upstream=6.4.2
jpeg_upstream=2.1.5
png_upstream=1.6.39
suite=bookworm

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || die "not root and no sudo: apt-get and /etc/apt need root"
  sudo=sudo
fi

# Copies stdin to FILE only when it differs, so that a rerun does not make ninja rebuild what
# depends on FILE.
put() {
  local tmp
  tmp=$(mktemp "$1.XXXXXX")
  cat >"$tmp"
  if cmp -s "$tmp" "$1"; then rm "$tmp"; else chmod 644 "$tmp"; mv "$tmp" "$1"; fi
}

# A stamp alone is not trusted: if the prefix was deleted since, the step is made again.
step_done() { [ -e "$stamps/$1" ] && [ -e "$2" ]; }
mark_done() { touch "$stamps/$1"; }

# ---------------------------------------------------------------------------------------------------
# 1. Host packages, and Debian's source lines.

packages=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 qt6-base-dev qt6-base-dev-tools
  cmake ninja-build libwine-dev libz-mingw-w64-dev dpkg-dev xz-utils)
apt_updated=false
apt_update() {
  if ! $apt_updated; then $sudo apt-get update -qq; apt_updated=true; fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  log "installing ${missing[*]}"
  apt_update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The cross build runs the host's moc, rcc and uic, which must be the very version being built.
host_qt=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
case "$host_qt" in
  "$qt_upstream"+*|"$qt_upstream"-*) ;;
  *) die "qt6-base-dev-tools is $host_qt; the cross build needs host Qt tools $qt_upstream (Debian $suite)" ;;
esac
command -v x86_64-w64-mingw32-g++-posix >/dev/null || die "x86_64-w64-mingw32-g++-posix not found after installing g++-mingw-w64-x86-64-posix"

if [ -r /etc/os-release ]; then
  # shellcheck disable=SC1091
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  [ "$codename" = "$suite" ] || warn "this is Debian '${codename:-unknown}', not $suite: host tools and sources may not match"
fi

have_sources() { [ -n "$(apt-cache showsrc --only-source qt6-base 2>/dev/null)" ]; }

# Source lines go to the mirror that already serves this machine's binary packages for the suite,
# so that sources and the installed host packages come from the same place. The security suite is
# left out: mirrors and snapshot proxies often index its sources without serving the files, and
# apt-get source would then pick a version it cannot download.
add_source_lines() {
  local list=/etc/apt/sources.list.d/tarvosk-$suite-src.sources keyring=/usr/share/keyrings/debian-archive-keyring.gpg
  local targets uri suites text=""
  # shellcheck disable=SC2016  # apt's own $(FIELD) placeholders
  targets=$(apt-get indextargets --no-release-info --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Created-By: Packages' \
    | awk -v s="$suite" '$3 == "main" && ($2 == s || $2 == s "-updates")' | sort -u)
  if [ -z "$targets" ]; then
    warn "no $suite main in this machine's apt sources; using http://deb.debian.org/debian"
    targets="http://deb.debian.org/debian/ $suite main"$'\n'"http://deb.debian.org/debian/ $suite-updates main"
  fi
  while read -r uri; do
    suites=$(awk -v u="$uri" '$1 == u {printf "%s%s", sep, $2; sep=" "}' <<<"$targets")
    text+="Types: deb-src"$'\n'"URIs: $uri"$'\n'"Suites: $suites"$'\n'"Components: main"$'\n'
    [ -e "$keyring" ] && text+="Signed-By: $keyring"$'\n'
    text+=$'\n'
  done < <(awk '{print $1}' <<<"$targets" | sort -u)
  log "adding deb-src lines in $list"
  printf '%s' "$text" | $sudo tee "$list" >/dev/null
}

if ! have_sources; then
  # shellcheck disable=SC2016  # apt's own $(FIELD) placeholder
  configured=$(apt-get indextargets --no-release-info --format '$(RELEASE)' 'Created-By: Sources' | grep -x "$suite" || true)
  [ -n "$configured" ] || add_source_lines
  apt_updated=false
  apt_update
  have_sources || die "apt-get source still finds no qt6-base: check the deb-src lines for $suite in /etc/apt"
fi

# ---------------------------------------------------------------------------------------------------
# 2. Sources: downloaded with apt-get source, unpacked with or without Debian's patch series.

# What was built from one kind of source must not be mixed with the other's in one OUTDIR.
source_kind=upstream
$debian_patches && source_kind=debian-patched
if [ -e "$stamps/source-kind" ]; then
  [ "$(cat "$stamps/source-kind")" = "$source_kind" ] \
    || die "$work was made from $(cat "$stamps/source-kind") sources, not $source_kind: use the same option, or delete $work and $prefix"
else
  echo "$source_kind" >"$stamps/source-kind"
fi
skip_patches=(--skip-patches)
$debian_patches && skip_patches=()

# fetch PACKAGE[=VERSION] DIR: unpacks into $work/src/DIR and prints the package's Debian version.
fetch() {
  local request=$1 dir=$2 pkg=${1%%=*} dscs
  if step_done "$pkg.unpacked" "$work/src/$dir"; then
    cat "$stamps/$pkg.unpacked"
    return
  fi
  rm -rf "${work:?}/src/$dir"
  rm -f "$work/downloads/${pkg}_"*
  log "downloading the source package $request"
  if ! (cd "$work/downloads" && apt-get source --download-only -qq "$request") >"$work/$pkg.log" 2>&1; then
    cat "$work/$pkg.log" >&2
    die "apt-get source $request failed"
  fi
  dscs=("$work/downloads/${pkg}_"*.dsc)
  if [ ${#dscs[@]} -ne 1 ] || [ ! -e "${dscs[0]}" ]; then die "expected one ${pkg}_*.dsc in $work/downloads"; fi
  log "unpacking ${dscs[0]##*/}"
  # Checksums are checked; the signature cannot be without debian-keyring, and apt has already
  # checked the files against the signed index. Its warnings are kept in the log, not shown.
  if ! dpkg-source -x "${skip_patches[@]}" "${dscs[0]}" "$work/src/$dir" >>"$work/$pkg.log" 2>&1; then
    cat "$work/$pkg.log" >&2
    die "dpkg-source could not unpack ${dscs[0]}"
  fi
  sed -n 's/^Version: //p' "${dscs[0]}" >"$stamps/$pkg.unpacked"
  cat "$stamps/$pkg.unpacked"
}

upstream_of() { local v=${1#*:}; echo "${v%-*}"; }

# The exact revision is asked for first; a mirror that has moved on still gives bookworm's current one.
qt_src=$work/src/qtbase-everywhere-src-$qt_upstream
if step_done qt6-base.unpacked "$qt_src"; then
  got=$(fetch qt6-base "${qt_src##*/}")
elif apt-cache showsrc --only-source qt6-base | grep -qFx "Version: $qt_version"; then
  got=$(fetch "qt6-base=$qt_version" "${qt_src##*/}")
else
  got=$(fetch qt6-base "${qt_src##*/}")
fi
[ "$got" = "$qt_version" ] || warn "qt6-base is $got, not $qt_version: the prefix will differ from the prebuilt one"
[ "$(upstream_of "$got")" = "$qt_upstream+dfsg" ] || [ "$(upstream_of "$got")" = "$qt_upstream" ] \
  || die "qt6-base $got is not Qt $qt_upstream; the configure flags and changes below are for $qt_upstream"

got=$(fetch libjpeg-turbo libjpeg-turbo)
[ "$(upstream_of "$got")" = "$jpeg_upstream" ] || warn "libjpeg-turbo is $got, not $jpeg_upstream"
jpeg_src=$work/src/libjpeg-turbo

got=$(fetch libpng1.6 libpng)
[ "$(upstream_of "$got")" = "$png_upstream" ] || warn "libpng1.6 is $got, not $png_upstream"
png_src=$work/src/libpng

# ---------------------------------------------------------------------------------------------------
# 3. The two changes Debian's Qt sources need for this build.

# Debian's tarball leaves out Qt's copy of the Wintab headers, which the Windows platform plugin
# includes as <wintab.h> and <pktdef.h>. Wine's copies serve; Wine's wintab.h relies on two macros
# of Wine's own headers, which the wrapper defines the way Wine does.
patch_wintab() {
  local dir=$qt_src/src/3rdparty/wintab wine=/usr/include/wine/wine/windows
  grep -q 'src/3rdparty/wintab' "$qt_src/src/plugins/platforms/windows/CMakeLists.txt" \
    || die "src/plugins/platforms/windows/CMakeLists.txt no longer takes the Wintab headers from src/3rdparty/wintab"
  if [ ! -e "$wine/wintab.h" ] || [ ! -e "$wine/pktdef.h" ]; then
    die "$wine/wintab.h or pktdef.h not found: is libwine-dev installed?"
  fi
  mkdir -p "$dir"
  put "$dir/wine_wintab.h" <"$wine/wintab.h"
  put "$dir/pktdef.h" <"$wine/pktdef.h"
  put "$dir/wintab.h" <<'EOF'
#pragma once
#include <windows.h>
#ifndef API
#define API WINAPI
#endif
#ifndef DECL_WINELIB_TYPE_AW
# ifdef UNICODE
#  define WINELIB_NAME_AW(x) x##W
# else
#  define WINELIB_NAME_AW(x) x##A
# endif
# define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;
#endif
#include "wine_wintab.h"
EOF
  # The headers are compiled the way qwindowstabletsupport.cpp uses them, so that a Wine header
  # that no longer fits fails here and not forty minutes into the Qt build.
  local probe=$work/build/wintab-probe.cpp
  cat >"$probe" <<'EOF'
#include <wintab.h>
#define PACKETDATA (PK_X | PK_Y | PK_BUTTONS | PK_NORMAL_PRESSURE | PK_TANGENT_PRESSURE | PK_ORIENTATION | PK_CURSOR | PK_Z | PK_TIME)
#define PACKETMODE PK_BUTTONS
#include <pktdef.h>
static_assert(sizeof(PACKET) > 0 && sizeof(LOGCONTEXT) > 0 && sizeof(AXIS) > 0, "");
int probe(HCTX c, LOGCONTEXT *lc) { return WTInfo(WTI_DEFCONTEXT, 0, lc) + WTPacketsGet(c, 0, nullptr); }
EOF
  x86_64-w64-mingw32-g++-posix -std=c++17 -DUNICODE -D_UNICODE -fsyntax-only -I"$dir" "$probe" \
    || die "Wine's Wintab headers in $dir do not compile for x86_64-w64-mingw32"
}

# With OpenGL off, 6.4.2's Windows plugin still names QOpenGLStaticContext in isSoftwareGl() when
# dynamicgl is on, and does not compile; only that function's guard changes, not the include guard.
patch_softwaregl() {
  local f=$qt_src/src/plugins/platforms/windows/qwindowswindow.cpp
  local old='#if QT_CONFIG(dynamicgl)' new='#if QT_CONFIG(dynamicgl) && QT_CONFIG(opengl)'
  local range='/^static inline bool isSoftwareGl()$/,/^}$/'
  count_in_function() { sed -n "${range}p" "$f" | grep -cFx "$1" || true; }
  [ "$(count_in_function "$new")" -eq 1 ] && return
  [ "$(count_in_function "$old")" -eq 1 ] \
    || die "'$old' not found in isSoftwareGl() of $f: the OpenGL guard cannot be applied"
  sed -i "$range s/^#if QT_CONFIG(dynamicgl)\$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/" "$f"
  if [ "$(count_in_function "$new")" -ne 1 ] || [ "$(count_in_function "$old")" -ne 0 ]; then
    die "the OpenGL guard did not apply in isSoftwareGl() of $f"
  fi
}

if ! step_done qt.installed "$prefix/lib/libQt6Core.a"; then
  log "applying the Wintab headers and the OpenGL guard to $qt_src"
  patch_wintab
  patch_softwaregl
fi

# ---------------------------------------------------------------------------------------------------
# 4. The toolchain file; relative to its own folder, so that the prefix can be moved or unpacked anywhere.

toolchain=$prefix/mingw-w64.cmake
put "$toolchain" <<'EOF'
# Toolchain for x86_64-w64-mingw32 with the posix thread model (Debian's g++-mingw-w64-x86-64-posix),
# finding libraries in this prefix and in the compiler's own sysroot.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "${CMAKE_CURRENT_LIST_DIR}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF

# ---------------------------------------------------------------------------------------------------
# 5. Qt first, while the prefix holds no other library its configure could pick up; then the rest.

# Qt: the build tree is kept, so that an interrupted build goes on with ninja where it stopped.
if step_done qt.installed "$prefix/lib/libQt6Core.a"; then
  log "Qt is installed already"
else
  qt_build=$work/build/qt
  if ! step_done qt.configured "$qt_build/build.ninja"; then
    log "configuring Qt in $qt_build"
    rm -rf "$qt_build"
    cmake -G Ninja -S "$qt_src" -B "$qt_build" \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release \
      -DQT_QMAKE_TARGET_MKSPEC=win32-g++ -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
      -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_concurrent=OFF \
      -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_pcre2=OFF \
      -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_icu=OFF -DFEATURE_vulkan=OFF \
      -DFEATURE_system_doubleconversion=OFF
    mark_done qt.configured
  fi
  log "building Qt with $jobs jobs (about 1,160 steps)"
  ninja -C "$qt_build" -j "$jobs"
  ninja -C "$qt_build" install
  mark_done qt.installed
fi

# zlib: Debian's mingw-w64 build, copied so that the prefix is whole without the package.
zlib_root=$(dpkg -L libz-mingw-w64-dev | grep -m1 '^/usr/x86_64-w64-mingw32/include/zlib\.h$' || true)
[ -n "$zlib_root" ] || die "libz-mingw-w64-dev has no /usr/x86_64-w64-mingw32/include/zlib.h"
zlib_root=${zlib_root%/include/zlib.h}
install -D -m 644 "$zlib_root/include/zlib.h" "$prefix/include/zlib.h"
install -D -m 644 "$zlib_root/include/zconf.h" "$prefix/include/zconf.h"
install -D -m 644 "$zlib_root/lib/libz.a" "$prefix/lib/libz.a"

# cmake_step NAME SRC KEYFILE FLAGS...: configures, builds and installs a CMake project into the prefix.
cmake_step() {
  local name=$1 src=$2 key=$3 build=$work/build/$1
  shift 3
  if step_done "$name.installed" "$key"; then
    log "$name is installed already"
    return
  fi
  log "building $name"
  rm -rf "$build"
  cmake -G Ninja -S "$src" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release "$@"
  ninja -C "$build" -j "$jobs"
  ninja -C "$build" install
  mark_done "$name.installed"
}

cmake_step libjpeg-turbo "$jpeg_src" "$prefix/lib/libjpeg.a" \
  -DENABLE_SHARED=OFF -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF

# libpng is pointed at the zlib copied above, not the sysroot's, so that its exported CMake target
# names the prefix's own libz.a.
cmake_step libpng "$png_src" "$prefix/lib/libpng16.a" \
  -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.a"

# CMake exports that libz.a by its absolute path; relative to the prefix, as in the prebuilt one,
# a project that finds libpng through CMake still links after the prefix was moved or unpacked elsewhere.
png_export=$prefix/lib/libpng/libpng16.cmake
[ -e "$png_export" ] || die "$png_export was not installed"
png_text=$(<"$png_export")
zlib_absolute="\"$prefix/lib/libz.a\""
# shellcheck disable=SC2016  # CMake's variable, written as it stands
zlib_relative='"${_IMPORT_PREFIX}/lib/libz.a"'
printf '%s\n' "${png_text//"$zlib_absolute"/"$zlib_relative"}" | put "$png_export"
if ! grep -qF "$zlib_relative" "$png_export" || grep -qF "$prefix/" "$png_export"; then
  die "$png_export still names $prefix: its link to libz.a could not be made relative"
fi

# ---------------------------------------------------------------------------------------------------
# 6. The archive, packed reproducibly (names sorted, no build machine's owners).

if $pack; then
  archive=$outdir/mingw64-qt$qt_upstream.tar.xz
  log "packing $archive"
  XZ_OPT="-T$jobs" tar -C "$outdir" --sort=name --owner=0 --group=0 --numeric-owner \
    -cJf "$archive.tmp" mingw64
  mv "$archive.tmp" "$archive"
fi

log "done: $prefix (use -DCMAKE_TOOLCHAIN_FILE=$toolchain -DCMAKE_PREFIX_PATH=$prefix)"
