#!/usr/bin/env bash
# The layer check passes on the sources as they are and fails, naming the file and the
# line, on each kind of wrong include planted into a copy of them.
set -euo pipefail
source_root=$1
check="$source_root/scripts/check-layers.sh"
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

if ! output=$(bash "$check" "$source_root" 2>&1); then
  fail "the sources themselves are refused:"
  echo "$output" >&2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Plants `line` as line 2 of `file` in a fresh copy of the layers and expects the check
# to refuse it at that file and line; `expected` is a part of the message.
expect_refused() {
  local file=$1 line=$2 expected=$3
  rm -rf "$work/tree"
  mkdir "$work/tree"
  for layer in core cli modules shell documents ui desktop; do
    if [[ -d $source_root/$layer ]]; then
      cp -r "$source_root/$layer" "$work/tree/"
    fi
  done
  mkdir -p "$(dirname "$work/tree/$file")"
  if [[ -f $work/tree/$file ]]; then
    sed -i "1a $line" "$work/tree/$file"
  else
    printf '#pragma once\n%s\n' "$line" >"$work/tree/$file"
  fi
  local out
  if out=$(bash "$check" "$work/tree" 2>&1); then
    fail "$file with '$line' passed the check"
  elif [[ $out != *"$file:2:"*"$expected"* ]]; then
    fail "$file with '$line': the message does not name the file, line and cause: $out"
  fi
}

expect_refused core/common/Errors.h '#include <QString>' 'is a Qt header'
expect_refused core/text/Planted.h '#include <QtCore/qglobal.h>' 'is a Qt header'
expect_refused core/claim/Planted.h '#include "shell/Convert.h"' 'is in shell/'
expect_refused core/report/Planted.h '#  include "ui/main/AnaForm.h"' 'is in ui/'
expect_refused cli/Planted.h '#include "ui/report/Planted.h"' 'is in ui/'
expect_refused cli/Planted.h '#include "shell/Messages.h"' 'is in shell/'
expect_refused cli/Planted.h '#include <QFile>' 'is a Qt header'
expect_refused shell/Planted.h '#include "ui/main/AnaForm.h"' 'is in ui/'
expect_refused shell/Planted.h '#include "desktop/Startup.h"' 'is in desktop/'
expect_refused modules/Planted.h '#include "shell/LazyLibrary.h"' 'is in shell/'
expect_refused documents/Planted.h '#include "ui/main/AnaForm.h"' 'is in ui/'
expect_refused ui/main/Planted.h '#include "desktop/Startup.h"' 'is in desktop/'
expect_refused ui/main/Planted.h '#include "../../desktop/Startup.h"' 'climbs out'
expect_refused core/claim/Planted.h '#include "common/Errors.h"' 'not written from the repository root'
expect_refused ui/claim/Planted.h '#include "report/Report.h"' 'not written from the repository root'

# What a layer may include passes: a window of the shell and Qt, the start of a window,
# a commented-out include.
rm -rf "$work/tree"
mkdir "$work/tree"
mkdir -p "$work/tree/ui/main" "$work/tree/desktop" "$work/tree/core/common"
printf '#include "shell/Convert.h"\n#include <QWidget>\n#include "core/common/Errors.h"\n' \
  >"$work/tree/ui/main/Allowed.h"
printf '#include "ui/main/AnaForm.h"\n#include "shell/Messages.h"\n' >"$work/tree/desktop/Allowed.h"
printf '// #include "ui/main/AnaForm.h"\n#include <string>\n#include <nlohmann/json.hpp>\n' \
  >"$work/tree/core/common/Allowed.h"
if ! out=$(bash "$check" "$work/tree" 2>&1); then
  fail "allowed includes were refused: $out"
fi

if ((failures > 0)); then
  echo "$failures layer check case(s) failed" >&2
  exit 1
fi
echo "layer check: every case as expected"
