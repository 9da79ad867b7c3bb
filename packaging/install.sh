#!/usr/bin/env bash
# Installs the program folder that the default preset assembled
# (build/default/dist) to /opt/audio77, with links in /usr/bin, the udev rule
# and the desktop and autostart entries. Run as root from the source tree.
set -euo pipefail
cd "$(dirname "$0")/.."
dist=build/default/dist
[ -x "$dist/audio77" ] || { echo "build first: cmake --preset default && cmake --build --preset default" >&2; exit 1; }

install -d /opt/audio77
cp -a "$dist/." /opt/audio77/
ln -sf /opt/audio77/audio77 /usr/bin/audio77
ln -sf /opt/audio77/audio77ctl /usr/bin/audio77ctl
install -m 0644 packaging/70-audio77.rules /etc/udev/rules.d/70-audio77.rules
install -m 0644 packaging/audio77.desktop /usr/share/applications/audio77.desktop
install -m 0644 packaging/audio77-autostart.desktop /etc/xdg/autostart/audio77.desktop
if command -v udevadm >/dev/null; then udevadm control --reload-rules && udevadm trigger --subsystem-match=hidraw || true; fi
echo "Audio77 installed in /opt/audio77"
