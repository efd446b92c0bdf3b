#!/bin/sh
# Opens the home folder in the default file manager.
exec xdg-open "$HOME"
