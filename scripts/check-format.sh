#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format 14 makes of it with the
# project's .clang-format, and names the files. Usage: scripts/check-format.sh [--fix]
#   --fix  formats those files in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."

format=clang-format-14
if ! command -v "$format" >/dev/null; then
  echo "check-format: $format bulunamadı (Debian: apt-get install clang-format-14)" >&2
  exit 2
fi

mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.h')
if [ ${#files[@]} -eq 0 ]; then
  echo "check-format: biçimlenecek dosya yok (git deposu mu?)" >&2
  exit 2
fi

if [ "${1:-}" = "--fix" ]; then
  printf '%s\0' "${files[@]}" | xargs -0 -n 50 "$format" -i --style=file
  exit 0
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! printf '%s\0' "${files[@]}" | xargs -0 -n 50 -P 2 "$format" --dry-run -Werror --style=file \
  2>"$log"; then
  echo "check-format: .clang-format'a uymayan dosyalar (scripts/check-format.sh --fix düzeltir):" >&2
  grep -oE '^[^:]+\.(cpp|h):' "$log" | tr -d ':' | sort -u | sed 's/^/  /' >&2
  exit 1
fi
echo "check-format: ${#files[@]} dosya biçimli"
