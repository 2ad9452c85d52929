#!/usr/bin/env bash
# A browser player joins a desktop piano's session through the relay's web port: keys, lights,
# chat and "/name" both ways, the seat freed when the tab closes, and no seat for a ninth.
# The browser's side is browser_session.mjs; this sets up the relay and the desktop piano.
source "$E2E_HARNESS"
source "$(dirname "${BASH_SOURCE[0]}")/../session/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
sess_enter_netns "$@"
web_start_desktop
web_run_browser browser_session.mjs
