#!/usr/bin/env bash
# Sets up, builds and starts the launcher. Without a display it renders every
# screen to PNG instead and prints where the pictures are.
set -euo pipefail
cd "$(dirname "$0")"
BUILD_TARGETS=orgrights scripts/setup.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  out="${OUT_DIR:-out/screens}"
  echo "No display: rendering every screen into $out"
  QT_QPA_PLATFORM=offscreen build/orgrights --render all --out "$out"
else
  exec build/orgrights "$@"
fi
