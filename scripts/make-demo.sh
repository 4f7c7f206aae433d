#!/usr/bin/env bash
# Makes the demo folder that scripts/run.sh opens in the editor:
#   OUT/Photos/      generated landscapes in several formats (JPEG with a camera's EXIF
#                    data, PNG, BMP, GIF, TIFF, Targa, PCX), portrait and landscape
#   OUT/Photos/Vacances.dap   a show project of the pictures (captions, times, colours),
#                    imported from an old script by lumivelle-cli
#   OUT/Photos/Vacances.ccl   an album of the pictures with their EXIF texts
#   OUT/Vacances.exe the show built from the project, as "Créer le lumivelle" builds it
#
#   scripts/make-demo.sh OUT [BUILD_DIR]
set -euo pipefail
out=$1
build=${2:-build}
cli=$build/bin/lumivelle-cli
im=convert-im6.q16
photos=$out/Photos
rm -rf "$photos"
mkdir -p "$photos"

# Landscapes drawn by ImageMagick from a few shapes.
draw() {
  local name=$1 size=$2
  shift 2
  $im -size "$size" "$@" "$photos/$name"
}
draw "Coucher de soleil.jpg" 1600x1067 gradient:'#ff9a3c-#6b2d5c' -fill '#ffd86b' -draw "circle 800,640 800,520" \
  -fill '#2b1a2f' -draw "polygon 0,1067 0,760 300,640 620,800 980,620 1320,760 1600,690 1600,1067"
draw "Montagne.jpg" 1600x1067 gradient:'#7ec8f2-#eaf6ff' \
  -fill '#7a8594' -draw "polygon 0,800 380,300 620,560 900,220 1250,620 1600,420 1600,800" \
  -fill '#ffffff' -draw "polygon 830,300 900,220 975,310 930,290 880,320" -fill '#4f8a3a' -draw "rectangle 0,800 1600,1067"
draw "Plage.jpg" 1600x1067 gradient:'#5bb8f0-#d8f0ff' -fill '#1f78b4' -draw "rectangle 0,560 1600,760" \
  -fill '#f3dfa2' -draw "polygon 0,760 1600,700 1600,1067 0,1067" -fill '#ffffff' -draw "ellipse 300,200 120,40 0,360"
draw "Forêt.png" 1200x800 -seed 7 plasma:'#2f7d32-#0c3b12' -blur 0x2
draw "Nuit étoilée.bmp" 1000x700 xc:'#0b1036' -fill '#f6f1c7' -draw "circle 760,160 760,110" \
  -draw "point 100,80" -draw "point 230,150" -draw "point 420,60" -draw "point 560,210" -draw "point 900,90" \
  -fill '#283060' -draw "polygon 0,700 0,560 260,500 520,600 800,520 1000,580 1000,700" -type TrueColor
draw "Fleurs.gif" 900x900 -seed 11 plasma:'#ff5a7a-#ffd23f' -blur 0x3
draw "Lac.tif" 1200x800 gradient:'#9fd3ff-#2a6f97' \
  -fill '#3d6b35' -draw "polygon 0,420 300,300 640,380 900,280 1200,400 1200,440 0,440" \
  -fill '#6fa8dc' -draw "rectangle 0,440 1200,800"
draw "Portrait.tga" 600x900 gradient:'#fbe3c8-#b5651d' -fill '#8b4513' -draw "ellipse 300,380 150,190 0,360" \
  -fill '#3b2314' -draw "ellipse 300,260 160,120 180,360"
draw "Carte postale.pcx" 800x533 -seed 5 plasma:'#e0c3fc-#8ec5fc' -fill '#ffffff' -draw "roundrectangle 60,60 740,473 30,30" \
  -fill '#8ec5fc' -draw "rectangle 100,100 700,433"

# A camera's data in the three JPEG pictures, as the album and the EXIF report read it.
exiftool -q -overwrite_original -Make=Canon -Model="Canon PowerShot A80" \
  -DateTimeOriginal="2004:07:14 21:32:10" -ExposureTime=1/60 -FNumber=2.8 -FocalLength=7.8 -Flash#=0 \
  -UserComment="Fin de journée" "$photos/Coucher de soleil.jpg"
exiftool -q -overwrite_original -Make=NIKON -Model=E4300 \
  -DateTimeOriginal="2004:07:16 10:05:42" -ExposureTime=1/500 -FNumber=5.6 -FocalLength=5.8 -Flash#=16 \
  "$photos/Montagne.jpg"
exiftool -q -overwrite_original -Make=FUJIFILM -Model="FinePix S602" \
  -DateTimeOriginal="2004:07:18 15:47:03" -ExposureTime=1/250 -FNumber=8 -FocalLength=7.8 -Flash#=1 \
  "$photos/Plage.jpg"

# The show, written as an old script (one value per line, CR LF) and imported.
abs=$(cd "$photos" && pwd)
spr=$photos/Vacances.spr
{
  printf '%s\r\n\r\n1\r\n1\r\n' 5 # six slides, no music, loop, copy allowed
  while IFS='|' read -r name seconds caption colour; do
    printf '%s\r\n%s\r\n1\r\n12632256\r\n0\r\n%s\r\n%s\r\n' "$abs/$name" "$seconds" "$caption" "$colour"
  done <<'LIST'
Coucher de soleil.jpg|3|Le soir sur la côte|16777215
Montagne.jpg|3|Le sommet enneigé|16777215
Plage.jpg|3|La plage au matin|65535
Lac.tif|3|Reflets sur le lac|16777215
Forêt.png|2|Promenade en forêt|12632256
Nuit étoilée.bmp|3|Nuit étoilée|65535
LIST
} | iconv -f UTF-8 -t CP1252 >"$spr"
"$cli" project import-spr "$spr" -o "$photos/Vacances.dap" >/dev/null
rm "$spr"
"$cli" project build "$photos/Vacances.dap" -o "$out/Vacances.exe" >/dev/null

# The album of every picture, with the EXIF texts of the JPEG ones.
pictures=()
for picture in "$abs"/*; do
  case "$picture" in *.dap|*.ccl) ;; *) pictures+=("$picture") ;; esac
done
rm -f "$photos/Vacances.ccl"
"$cli" album add "$photos/Vacances.ccl" "${pictures[@]}" --locale fr_FR >/dev/null
echo "make-demo: ${#pictures[@]} pictures, the show Vacances.dap and the album Vacances.ccl in $photos;" \
     "the built show in $out/Vacances.exe"
