#!/usr/bin/env bash
# A desktop piano makes room jazz and a browser player joins it at /r/jazz/, with the lobby open:
# notes both ways, the lobby's count as the room fills and empties, and the owner's Kick from
# the desktop's menu. The browser's side is room_lobby.mjs; this sets up the relay and the piano.
source "$E2E_HARNESS"
source "$(dirname "${BASH_SOURCE[0]}")/../session/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
sess_enter_netns "$@"
web_start_desktop 127.0.0.1/jazz
web_run_browser room_lobby.mjs
