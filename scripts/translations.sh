#!/usr/bin/env bash
# Keeps translations/tav_*.ts in step with the texts of the sources.
#   scripts/translations.sh update  lupdate adds new texts to each .ts file
#                                   (unfinished) and marks vanished ones;
#                                   translate them, then delete the vanished
#   scripts/translations.sh check   fails when a .ts file is not what update
#                                   would make of it, or has an entry that is
#                                   unfinished, vanished or obsolete
# LUPDATE names the lupdate program (default: Qt 6's from qt6-l10n-tools).
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
folders=(app cli commands correct fit history lang profile render series session text translations view)

# lupdate, without source lines, so that moving code changes no .ts file.
run_lupdate() {
  local ts=$1 target=$2
  "$lupdate" -silent -locations none -no-ui-lines -extensions cpp,h -I . \
    -source-language ja -target-language "$target" "${folders[@]}" -ts "$ts"
}

language_of() { basename "$1" .ts | sed 's/^tav_//'; }

case ${1:-} in
  update)
    for ts in translations/tav_*.ts; do run_lupdate "$ts" "$(language_of "$ts")"; done
    ;;
  check)
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    status=0
    for ts in translations/tav_*.ts; do
      cp "$ts" "$scratch/"
      run_lupdate "$scratch/$(basename "$ts")" "$(language_of "$ts")"
      if ! diff -u "$ts" "$scratch/$(basename "$ts")"; then
        echo "$ts: not up to date with the sources (scripts/translations.sh update)" >&2
        status=1
      fi
      if grep -n -E 'type="(unfinished|vanished|obsolete)"' "$ts"; then
        echo "$ts: entries above lack a translation or are no longer in the sources" >&2
        status=1
      fi
    done
    exit $status
    ;;
  *)
    echo "usage: scripts/translations.sh update|check" >&2
    exit 2
    ;;
esac
