#!/usr/bin/env bash
# Installs Audio77 from a source tree with the same layout as the Debian
# package (see packaging/CMakeLists.txt): the program folder /opt/audio77,
# links in /usr/bin, the udev rule, desktop and autostart entries, icons and
# manual pages. /opt/audio77/uninstall.sh removes it again.
#   cmake --preset default && cmake --build --preset default
#   sudo packaging/install.sh            # AUDIO77_WITH_VIRTUAL=1: also the virtual device
# DESTDIR installs below another root (nothing of the running system is touched).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/default
destdir=${DESTDIR:-}
[ -x "$build/dist/audio77" ] || { echo "build first: cmake --preset default && cmake --build --preset default" >&2; exit 1; }
if [ -z "$destdir" ] && dpkg-query -W -f='${db:Status-Status}' audio77 2>/dev/null | grep -qx installed; then
  echo "the audio77 package is installed; remove it first: sudo apt remove audio77" >&2
  exit 1
fi

components=(main)
[ "${AUDIO77_WITH_VIRTUAL:-0}" = 1 ] && components+=(virtual)
manifest=$(mktemp)
trap 'rm -f "$manifest"' EXIT
for component in "${components[@]}"; do
  DESTDIR="$destdir" cmake --install "$build" --prefix / --component "$component" >/dev/null
  # The manifest names files with DESTDIR in front; the uninstaller gets them without.
  # CMake's manifest ends without a newline: add one, or the next name joins its last line.
  sed -e "s|^${destdir}||" -e '$a\' "$build/install_manifest_${component}.txt" >>"$manifest"
done
install -m 0755 packaging/uninstall.sh "$destdir/opt/audio77/uninstall.sh"
echo /opt/audio77/uninstall.sh >>"$manifest"
echo /opt/audio77/installed-files >>"$manifest"
install -m 0644 "$manifest" "$destdir/opt/audio77/installed-files"

if [ -z "$destdir" ] && command -v udevadm >/dev/null; then
  udevadm control --reload-rules || true
  udevadm trigger --action=change --subsystem-match=hidraw || true
fi
echo "Audio77 installed in $destdir/opt/audio77 (remove it with: sudo /opt/audio77/uninstall.sh)"
