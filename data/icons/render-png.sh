#!/bin/sh
# Renders the PNG sizes of the application icon from vantric-chat.svg. Run by hand after
# changing the artwork and commit the results; the build only copies the PNGs.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -eu
cd "$(dirname "$0")"
for size in 16 32 48 64; do
    rsvg-convert --width "$size" --height "$size" vantric-chat.svg -o "vantric-chat-$size.png"
done
