#!/bin/sh
# Locks the session through logind, whose lock request every desktop's screen locker obeys.
# Started from a desktop's autostart, Scriblo may run outside the login session itself, so
# "auto" lets logind fall back to the user's graphical session. The freedesktop screensaver
# call covers sessions without logind.
loginctl lock-session "${XDG_SESSION_ID:-auto}" 2>/dev/null || exec xdg-screensaver lock
