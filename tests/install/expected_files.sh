#!/usr/bin/env bash
# expected_files.sh SOURCE_DIR
# Prints, one a line and sorted, every file that an install puts under its
# prefix (and so every file of the Debian package under /usr), relative to
# the prefix. The install test and the package check both compare with it.
set -euo pipefail
source=$1
{
  echo bin/popwright
  echo bin/popwright-cli
  echo share/applications/io.github.popwright.Popwright.desktop
  echo share/metainfo/io.github.popwright.Popwright.metainfo.xml
  echo share/icons/hicolor/scalable/apps/popwright.svg
  echo share/mime/packages/popwright.xml
  echo share/man/man1/popwright.1.gz
  echo share/man/man1/popwright-cli.1.gz
  echo share/doc/popwright/copyright
  echo share/doc/popwright/changelog.gz
  (cd "$source/help" && find . -type f | sed 's|^\./|share/popwright/help/|')
  for n in 0 1 2 3; do echo "share/popwright/sound/s$n.wav"; done
  echo share/thumbnailers/popwright.thumbnailer
  (cd "$source/data/gallery" && find . -type f | sed 's|^\./|share/popwright/gallery/|')
  for f in "$source"/examples/*.kpf "$source"/examples/*.pwf "$source"/examples/*.obj; do echo "share/popwright/examples/$(basename "$f")"; done
} | LC_ALL=C sort
