#!/bin/sh
# Asks the desktop's session manager to log out, so that programs can save their work or
# ask first: GNOME's (which MATE and Cinnamon answer too), KDE's, then Xfce's. Ending the
# login session instead would stop every program at once without asking, losing unsaved
# work, so where no session manager answers the user is told and nothing is ended.
ask() { dbus-send --session --print-reply "$@" >/dev/null 2>&1; }
ask --dest=org.gnome.SessionManager /org/gnome/SessionManager org.gnome.SessionManager.Logout uint32:0 && exit 0
ask --dest=org.kde.ksmserver /KSMServer org.kde.KSMServerInterface.logout int32:1 int32:0 int32:0 && exit 0
xfce4-session-logout --logout 2>/dev/null && exit 0
echo "Log Out: no session manager answered (GNOME, KDE or Xfce), so nothing was ended; log out from the desktop's own menu." >&2
exit 1
