#!/usr/bin/env bash
# Lists the files named in SHIPPED (one path a line, relative to the folder
# SourceDir names when wixl runs) as the installer's components: the
# component group Files, under the directory INSTALLDIR. wixl-heat names
# components and files after their paths, but wraps each file of the top
# folder in a folder "." of its own and names folders at random: the files of
# the top folder go straight under INSTALLDIR, and the other folders are
# numbered in order, so that the same files give the same installer.
# Usage: components.sh SHIPPED OUT.wxs
set -euo pipefail
sed 's|^|Tarvelo/|' "$1" |
    wixl-heat --directory-ref INSTALLDIR --component-group Files --var var.SourceDir --prefix Tarvelo/ --win64 |
    awk '/<Directory / { top[++depth] = index($0, "Name=\".\"") > 0; if (top[depth]) next
                         sub(/Id="dir[0-9A-F]+"/, "Id=\"dir" ++n "\"") }
         /<\/Directory>/ { if (top[depth--]) next }
         { print }' >"$2"
