#!/bin/sh
# The vertical scale captions of the histogram, 11 x 125 pixels, read from
# bottom to top: T1BG for counts, T2BG for percent. Needs ImageMagick and
# DejaVu Sans Condensed; run from this folder.
set -e
caption() {
  convert -size 125x11 xc:white -font DejaVu-Sans-Condensed -pointsize 8 -fill black \
    -gravity center -annotate +0+0 "$2" -rotate -90 +repage -type TrueColor "PNG24:$1"
}
caption T1BG.png "Брой наблюдения"
caption T2BG.png "Относителна честота, %"
