#!/bin/sh
# Empties the desktop's trash, the same one the file manager shows.
exec gio trash --empty
