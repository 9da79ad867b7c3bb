#!/bin/sh
# Removes Audio77 installed from a source tree by packaging/install.sh: every
# file it listed in installed-files, then the folders left empty. Settings in
# the users' home folders stay. A package install is removed with
#   sudo apt remove audio77 audio77-virtual     (purge: sudo apt purge audio77)
# DESTDIR removes an install below another root.
set -eu
destdir=${DESTDIR:-}
folder="$destdir/opt/audio77"
if [ -z "$destdir" ] && dpkg-query -S /opt/audio77/audio77 >/dev/null 2>&1; then
  echo "Audio77 was installed as a package: sudo apt remove audio77 audio77-virtual" >&2
  exit 1
fi
manifest="$folder/installed-files"
if [ ! -f "$manifest" ]; then
  echo "$manifest is missing: Audio77 was not installed by packaging/install.sh" >&2
  exit 1
fi
folders=$(mktemp)
while IFS= read -r file; do
  [ -n "$file" ] || continue
  rm -f -- "$destdir$file"
  dirname -- "$file" >>"$folders"
done <"$manifest"
# Folders of the install that are now empty, deepest first; shared system
# folders such as /usr/bin are never empty and stay.
sort -ru "$folders" | while IFS= read -r dir; do
  while [ "$dir" != "/" ] && rmdir -- "$destdir$dir" 2>/dev/null; do dir=$(dirname -- "$dir"); done
done
rm -f "$folders"
if [ -z "$destdir" ] && command -v udevadm >/dev/null 2>&1; then
  udevadm control --reload-rules || true
  udevadm trigger --action=change --subsystem-match=hidraw || true
fi
echo "Audio77 removed"
