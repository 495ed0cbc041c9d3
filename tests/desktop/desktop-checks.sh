#!/usr/bin/env bash
# The program as the desktop and the package manager see it:
#   desktop-checks.sh entry SOURCE_DIR      the desktop entry passes the validator
#   desktop-checks.sh association BUILD_DIR SOURCE_DIR
#                                           installed into a scratch prefix, figure
#                                           files are our type and open with us
#   desktop-checks.sh package BUILD_DIR     the Debian package holds what it must
# Exit 77 (skipped) only when a tool is not installed; scripts/install-deps
# brings them all.
set -euo pipefail

readonly kType=application/x-plandra-figure
readonly kSkipped=77

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

need() {
  local tool=$1 package=$2
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed (Debian package $package; scripts/install-deps installs it)"
    exit "$kSkipped"
  fi
}

scratch() {
  local base=${PLANDRA_TEST_TMP:-${TMPDIR:-/tmp}}
  mkdir -p "$base"
  work=$(mktemp -d "$base/desktop.XXXXXX")
  trap 'rm -rf "$work"' EXIT
}

# The width of a PNG from its header (bytes 16..19, big-endian).
png_width() {
  od -An -tu1 -j16 -N4 "$1" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }'
}

check_entry() {
  local source=$1
  need desktop-file-validate desktop-file-utils
  desktop-file-validate "$source/desktop/plandra.desktop" || fail "desktop-file-validate"
  echo "desktop entry valid"
}

# xdg-mime and xdg-open as a desktop without its own tools runs them, seeing
# only the scratch prefix's data and no user's choices.
in_scratch_desktop() {
  env -i PATH="$work/shim:$work/usr/bin:$PATH" HOME="$work/home" \
    XDG_DATA_HOME="$work/usr/share" XDG_DATA_DIRS=/usr/share \
    XDG_CONFIG_HOME="$work/config" XDG_CONFIG_DIRS="$work/config" \
    DISPLAY=:99 QT_QPA_PLATFORM=offscreen PLANDRA_EXIT_AFTER_FIRST_PAINT=1 \
    PLANDRA_HOME="$work/home/plandra" "$@"
}

expect_type() {
  local file=$1 expected=$2 got
  got=$(in_scratch_desktop xdg-mime query filetype "$file") || fail "xdg-mime query filetype $file"
  [ "$got" = "$expected" ] || fail "$(basename "$file") is $got, not $expected"
}

check_installed_icons() {
  local icons=$work/usr/share/icons/hicolor size png
  [ -s "$icons/scalable/apps/plandra.svg" ] || fail "no scalable icon"
  for size in 16 22 24 32 48 64 128 256; do
    png=$icons/${size}x${size}/apps/plandra.png
    [ -s "$png" ] || fail "no ${size}x${size} icon"
    [ "$(png_width "$png")" = "$size" ] || fail "the ${size}x${size} icon is $(png_width "$png") wide"
  done
}

check_association() {
  local build=$1 source=$2
  need desktop-file-validate desktop-file-utils
  need update-desktop-database desktop-file-utils
  need update-mime-database shared-mime-info
  need xdg-mime xdg-utils
  need xdg-open xdg-utils
  # Without it xdg-mime asks file(1), which knows nothing of the shared MIME database.
  need mimetype libfile-mimeinfo-perl
  scratch
  cmake --install "$build" --prefix "$work/usr" >"$work/install.log" || fail "cmake --install"
  local apps=$work/usr/share/applications
  desktop-file-validate "$apps/plandra.desktop" || fail "installed entry does not validate"
  grep -qx 'Exec=plandra %f' "$apps/plandra.desktop" || fail "Exec does not pass the file"
  check_installed_icons
  update-mime-database "$work/usr/share/mime" || fail "update-mime-database"
  update-desktop-database "$apps" || fail "update-desktop-database"

  local figures=$work/figures sample=$source/sample.pd4/triangle.pd4
  mkdir -p "$figures" "$work/home" "$work/config" "$work/shim"
  cp "$sample" "$figures/triangle.pd4"
  cp "$sample" "$figures/events.pd5"
  cp "$sample" "$figures/no-extension"
  printf '0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n' >"$figures/empty-figure"
  printf '12 apples\r\n"and pears"\r\n' >"$figures/shopping"
  # The name alone decides for a figure whose first lines are unusual.
  printf 'Ver 5\r\n' >"$figures/unusual.pd5"
  expect_type "$figures/triangle.pd4" "$kType"
  expect_type "$figures/events.pd5" "$kType"
  expect_type "$figures/no-extension" "$kType"
  expect_type "$figures/empty-figure" "$kType"
  expect_type "$figures/shopping" text/plain
  expect_type "$figures/unusual.pd5" "$kType"

  local default
  default=$(in_scratch_desktop xdg-mime query default "$kType") || fail "xdg-mime query default"
  [ "$default" = plandra.desktop ] || fail "the default for $kType is '$default'"

  # Opening the figure as a file manager does: the entry's command gets the
  # file, and the installed program starts on it (and ends after its first
  # paint). The shim notes the arguments on the way.
  cat >"$work/shim/plandra" <<SHIM
#!/bin/sh
printf '%s\n' "\$@" >"$work/opened-with"
exec "$work/usr/bin/plandra" "\$@"
SHIM
  chmod +x "$work/shim/plandra"
  timeout 120 bash -c "$(declare -f in_scratch_desktop); work='$work'; \
    in_scratch_desktop xdg-open '$figures/triangle.pd4'" || fail "xdg-open did not start the program"
  [ -f "$work/opened-with" ] || fail "xdg-open did not run the entry's command"
  [ "$(cat "$work/opened-with")" = "$figures/triangle.pd4" ] ||
    fail "the program got '$(cat "$work/opened-with")'"
  echo "figure files open with plandra.desktop"
}

check_package() {
  local build=$1
  need cpack cmake
  need dpkg-deb dpkg
  need dpkg-shlibdeps dpkg-dev
  scratch
  cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack -G DEB"; }
  local debs=("$work"/out/plandra_*.deb)
  [ -f "${debs[0]}" ] || fail "no package in $work/out"
  local deb=${debs[0]} depends
  [ "$(dpkg-deb -f "$deb" Package)" = plandra ] || fail "package name"
  depends=$(dpkg-deb -f "$deb" Depends)
  for library in libqt6widgets6 libqt6gui6 libqt6svg6 libqt6printsupport6 fonts-ipafont-gothic; do
    [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
  done

  local root=$work/root
  dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
  local file
  for file in usr/bin/plandra usr/bin/plandra-cli usr/share/applications/plandra.desktop \
    usr/share/mime/packages/plandra.xml usr/share/icons/hicolor/scalable/apps/plandra.svg \
    usr/share/icons/hicolor/48x48/apps/plandra.png usr/share/plandra/help/manual.html \
    usr/share/plandra/sample.pd4/triangle.pd4 usr/share/plandra/web/pd_html_org.htm \
    usr/share/plandra/web/plandra-viewer.js; do
    [ -s "$root/$file" ] || fail "the package lacks /$file"
  done
  [ -x "$root/usr/bin/plandra" ] || fail "/usr/bin/plandra is not executable"
  # The packaged command line works from where the package put it.
  "$root/usr/bin/plandra-cli" report "$root/usr/share/plandra/sample.pd4/triangle.pd4" \
    --lang english >"$work/report.txt" || fail "the packaged plandra-cli does not run"
  grep -q "Circle (three points)" "$work/report.txt" || fail "the packaged report is wrong"
  echo "package $(basename "$deb") installs its files"
}

case ${1:-} in
  entry) check_entry "$2" ;;
  association) check_association "$2" "$3" ;;
  package) check_package "$2" ;;
  *) fail "usage: $0 entry SOURCE | association BUILD SOURCE | package BUILD" ;;
esac
