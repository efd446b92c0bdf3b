#!/bin/sh
# Locks the current session through logind, which every desktop's screen locker obeys;
# the freedesktop screensaver call covers sessions without logind.
loginctl lock-session 2>/dev/null || exec xdg-screensaver lock
