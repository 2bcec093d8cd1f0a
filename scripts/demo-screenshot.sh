#!/usr/bin/env bash
# Builds a demo (default toolkit-demo, tools/ToolkitDemo.cpp; editor-demo,
# tools/EditorDemo.cpp; skin-demo, tools/SkinDemo.cpp; shell-demo, tools/ShellDemo.cpp, which also
# saves OUTPUT-menu.png and the About box as OUTPUT-about.png and OUTPUT-about2.png; main-window-shot, tools/MainWindowShot.cpp, which also saves
# OUTPUT-compact.png (with --skin under the test skin); evaluator-shot, tools/EvaluatorShot.cpp; workspace-shot,
# tools/WorkspaceShot.cpp, which also saves OUTPUT-dialog.png) and takes a screenshot of it under Xvfb:
# scripts/demo-screenshot.sh [DEMO] [OUTPUT.png] [DEMO ARGUMENTS...]
# (default build/DEMO.png).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
demo=toolkit-demo
if [ $# -gt 0 ] && [[ "$1" != *.png ]]; then demo=$1; shift; fi
"$root/scripts/build.sh" "$demo"
output=$(realpath -m "${1:-$root/build/$demo.png}")
[ $# -gt 0 ] && shift
export XDG_RUNTIME_DIR=$(mktemp -d)
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
  "$root/build/bin/$demo" "$@" --screenshot "$output"
echo "$output"
