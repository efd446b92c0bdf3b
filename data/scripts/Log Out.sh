#!/bin/sh
# Asks the desktop's session manager to log out, so that programs can save their work or
# ask first: GNOME's (which MATE and Cinnamon answer too), KDE's, then Xfce's. Ending the
# logind session, which stops every program at once, is left for desktops without one.
ask() { dbus-send --session --print-reply "$@" >/dev/null 2>&1; }
ask --dest=org.gnome.SessionManager /org/gnome/SessionManager org.gnome.SessionManager.Logout uint32:0 && exit 0
ask --dest=org.kde.ksmserver /KSMServer org.kde.KSMServerInterface.logout int32:1 int32:0 int32:0 && exit 0
xfce4-session-logout --logout 2>/dev/null && exit 0
exec loginctl terminate-session "${XDG_SESSION_ID:-auto}"
