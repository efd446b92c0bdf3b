#!/bin/sh
# Ends the current session through logind, whatever the desktop.
exec loginctl terminate-session "${XDG_SESSION_ID:-self}"
