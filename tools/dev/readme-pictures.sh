#!/usr/bin/env bash
# Makes the pictures in docs/ that the README shows: four stages of the set as a player sees them,
# contact sheets of six places, four stages at full size with and without their differences
# outlined, and the built-in artwork with a stage and the status elements laid in where the game
# draws them. Needs a build in build/ (with its stage set) and ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")/../.."
tool=build/tools/tavrelo-stage
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p docs

stages=build/Stage
first() { local all=("$stages"/*-"$1".stg); echo "${all[0]}"; }
for place in bakery pond castle fruit-stall; do
  "$tool" preview "$(first "$place")" "$work/$place.png"
done
convert \( "$work/bakery.png" "$work/pond.png" +append \) \
        \( "$work/castle.png" "$work/fruit-stall.png" +append \) -append docs/stages.png
# A contact sheet of a few places, four stages of each, as `tavrelo-stage sheet` makes one.
rm -f docs/stages-sheet.png
rm -rf docs/places
"$tool" sheet --by-place docs/places $(for place in toy-shop farmyard aquarium snowy-village \
                                                   sewing-table rainy-street; do
                                         all=("$stages"/*-"$place".stg); printf '%s\n' "${all[@]:0:4}"
                                       done)
# Four stages at full size, as a player sees them and with their differences outlined.
rm -rf docs/stages && mkdir -p docs/stages
for place in workshop jungle train-station cake-counter; do
  "$tool" preview "$(first "$place")" "docs/stages/$place.png"
  "$tool" preview "$(first "$place")" "docs/stages/$place-marks.png" --marks
done

# The playfield: the background, the left picture plain and the right one with its patches,
# a score of 250, 97 seconds left, four lives and the status line.
"$tool" preview tests/fixtures/Stage/03-street.stg "$work/street.png"
convert resources/Digits.jpg "$work/digits.png"
glyph() { convert "$work/digits.png" -crop "15x19+$((15 * ($1 % 8)))+$((19 * ($1 / 8)))" +repage "$work/g$1.png"; }
for i in 0 2 5 7 9 10; do glyph "$i"; done
convert "$work/street.png" -crop 300x300+0+0 +repage "$work/left.png"
convert "$work/street.png" -crop 300x300+312+0 +repage "$work/right.png"
convert resources/Background.jpg \
  "$work/left.png" -geometry +13+101 -composite \
  "$work/right.png" -geometry +322+101 -composite \
  "$work/g2.png" -geometry +136+41 -composite "$work/g5.png" -geometry +153+41 -composite \
  "$work/g0.png" -geometry +170+41 -composite \
  "$work/g9.png" -geometry +344+41 -composite "$work/g7.png" -geometry +361+41 -composite \
  "$work/g10.png" -geometry +520+41 -composite "$work/g10.png" -geometry +535+41 -composite \
  "$work/g10.png" -geometry +550+41 -composite "$work/g10.png" -geometry +565+41 -composite \
  -font DejaVu-Sans -pointsize 11 -fill black -annotate +421+414 "Stage: 3 Hints: 5 Targets: 6" \
  -crop 632x420+0+0 +repage docs/playfield.png
echo "docs/stages.png docs/stages-sheet.png docs/stages/ docs/playfield.png"
