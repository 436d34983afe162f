#!/usr/bin/env bash
# Signs Windows programs (Authenticode) with osslsigncode, in place, when a certificate is
# given; otherwise says that they stay unsigned and succeeds.
# Usage: scripts/sign-windows.sh FILE.exe...
#   MIRVANE_SIGN_PFX        the code-signing certificate with its key (PKCS#12, .pfx)
#   MIRVANE_SIGN_PASSWORD   its password (handed to osslsigncode through a private file,
#                           never on a command line)
#   MIRVANE_SIGN_TIMESTAMP  optional: the time-stamping service's address (RFC 3161), so
#                           that the signature outlives the certificate
set -euo pipefail
if [ $# -eq 0 ]; then
  echo "Kullanım: $0 PROGRAM.exe..." >&2
  exit 2
fi
if [ -z "${MIRVANE_SIGN_PFX:-}" ]; then
  for file in "$@"; do
    echo "İMZASIZ: $(basename "$file") (MIRVANE_SIGN_PFX verilmedi)"
  done
  exit 0
fi
if [ ! -f "$MIRVANE_SIGN_PFX" ]; then
  echo "İmza sertifikası bulunamadı: $MIRVANE_SIGN_PFX" >&2
  exit 1
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
umask 077
printf '%s' "${MIRVANE_SIGN_PASSWORD:-}" >"$scratch/password"
timestamp=()
if [ -n "${MIRVANE_SIGN_TIMESTAMP:-}" ]; then
  timestamp=(-ts "$MIRVANE_SIGN_TIMESTAMP")
fi
for file in "$@"; do
  osslsigncode sign -pkcs12 "$MIRVANE_SIGN_PFX" -readpass "$scratch/password" -h sha256 \
    -n "Mirvane" -i "https://www.telvar.example.org/" "${timestamp[@]}" \
    -in "$file" -out "$scratch/signed.exe" >"$scratch/sign.log" 2>&1 || {
    cat "$scratch/sign.log" >&2
    echo "İmzalanamadı: $file" >&2
    exit 1
  }
  mv -f "$scratch/signed.exe" "$file"
  echo "imzalandı: $(basename "$file")"
done
