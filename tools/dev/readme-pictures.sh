#!/usr/bin/env bash
# Makes the pictures in docs/ that the README shows: four shipped stages as a player sees them,
# a contact sheet of the whole set, four stages at full size with and without their differences
# outlined, and the built-in artwork with a stage and the status elements laid in where the game
# draws them. Needs a build in build/ and ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")/../.."
tool=build/tools/tavrelo-stage
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p docs

for stage in 01-meadow 05-sea 08-garden 11-underwater; do
  "$tool" preview "Stage/$stage.stg" "$work/$stage.png"
done
convert \( "$work/01-meadow.png" "$work/05-sea.png" +append \) \
        \( "$work/08-garden.png" "$work/11-underwater.png" +append \) -append docs/stages.png
"$tool" sheet docs/stages-sheet.png Stage/*.stg
# Four stages at full size, as a player sees them and with their differences outlined.
mkdir -p docs/stages
for stage in 03-street 07-still-life 12-night-town 16-orchard; do
  "$tool" preview "Stage/$stage.stg" "docs/stages/$stage.png"
  "$tool" preview "Stage/$stage.stg" "docs/stages/$stage-marks.png" --marks
done

# The playfield: the background, the left picture plain and the right one with its patches,
# a score of 250, 97 seconds left, four lives and the status line.
"$tool" preview Stage/03-street.stg "$work/street.png"
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
