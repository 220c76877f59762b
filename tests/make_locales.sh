#!/bin/sh
# Builds the locales the table tests run in, de_DE, en_US, en_IN, fr_FR and
# de_CH in UTF-8, into the folder $1 of the build tree, for use with LOCPATH:
# no root needed and nothing on the system changed.
set -eu
folder=$1
if ! command -v localedef >/dev/null; then
  echo "localedef is missing: install it (Debian: apt-get install locales)"
  exit 1
fi
mkdir -p "$folder"
for name in de_DE en_US en_IN fr_FR de_CH ps_AF; do
  if [ ! -f "/usr/share/i18n/locales/$name" ]; then
    echo "The $name locale definition is missing: install it (Debian: apt-get install locales)"
    exit 1
  fi
  [ -d "$folder/$name.UTF-8" ] || localedef -i "$name" -f UTF-8 "$folder/$name.UTF-8"
done
