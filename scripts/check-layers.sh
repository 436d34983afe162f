#!/usr/bin/env bash
# Fails, naming file and line, when a folder includes one of a layer it must not know:
#
#   core/      nothing of Qt, cli/, modules/, shell/, documents/, ui/ or desktop/
#   cli/       nothing of Qt, modules/, shell/, documents/, ui/ or desktop/
#   modules/   nothing of Qt, cli/, shell/, documents/, ui/ or desktop/
#   shell/     nothing of cli/, documents/, ui/ or desktop/
#   documents/ nothing of ui/ or desktop/
#   ui/        nothing of cli/ or desktop/
#
# desktop/ (the program's start) may include every layer; tests, benchmarks and tools are
# no layer. Every include of the project's own headers is written from the repository root
# ("core/common/Errors.h", "shell/Convert.h"): one in quotes that names a folder must begin
# with a layer's, and a path that climbs out of its folder ("../") is refused everywhere,
# since it hides the layer it reaches.
#
# Usage: check-layers.sh [SOURCE-ROOT]   (the repository by default)
set -euo pipefail
root=${1:-"$(dirname "$0")/.."}
cd "$root"

# The folders a layer must not include, and whether Qt's headers are refused too.
declare -A forbidden=(
  [core]="cli modules shell documents ui desktop"
  [cli]="modules shell documents ui desktop"
  [modules]="cli shell documents ui desktop"
  [shell]="cli documents ui desktop"
  [documents]="ui desktop"
  [ui]="cli desktop"
  [desktop]=""
)
declare -A qtFree=([core]=1 [cli]=1 [modules]=1)

status=0
for layer in core cli modules shell documents ui desktop; do
  [[ -d $layer ]] || continue
  # file:line:text of every include in the layer's sources.
  while IFS= read -r hit; do
    file=${hit%%:*}
    rest=${hit#*:}
    line=${rest%%:*}
    text=${rest#*:}
    [[ $text =~ include[[:space:]]*[\<\"]([^\>\"]*) ]] || continue
    target=${BASH_REMATCH[1]}
    first=${target%%/*}
    reason=""
    if [[ $target == ../* || $target == */../* ]]; then
      reason="climbs out of its folder"
    elif [[ -n ${qtFree[$layer]:-} && ( $target =~ ^Qt[A-Za-z]*/ || $target =~ ^Q[A-Z][A-Za-z]*$ ) ]]; then
      reason="is a Qt header"
    elif [[ $target == */* ]] && [[ " ${forbidden[$layer]} " == *" $first "* ]]; then
      reason="is in $first/"
    elif [[ $text == *include*\"* && $target == */* && -z ${forbidden[$first]+layer} ]]; then
      reason="is not written from the repository root"
    fi
    if [[ -n $reason ]]; then
      echo "$file:$line: $layer/ must not include \"$target\": it $reason" >&2
      status=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "$layer" \
             --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.in' || true)
done

if ((status == 0)); then
  echo "layers: every include goes downwards"
fi
exit $status
