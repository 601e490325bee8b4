#!/usr/bin/env bash
# Validates a desktop entry and an AppStream metainfo file:
#   scripts/validate-desktop-files.sh FILE.desktop FILE.metainfo.xml
# Exits 77 (skipped) when desktop-file-validate or appstreamcli is missing.
set -euo pipefail
for tool in desktop-file-validate appstreamcli; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool not installed: not validated"
    exit 77
  fi
done
# desktop-file-validate passes hints and warnings with status 0: take any
# line it prints as a failure.
report=$(desktop-file-validate "$1")
if [ -n "$report" ]; then
  echo "$report"
  exit 1
fi
appstreamcli validate --no-net --pedantic "$2"
