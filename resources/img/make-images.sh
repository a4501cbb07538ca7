#!/usr/bin/env bash
# Draws the editor's three images with ImageMagick: bkg.png (the 1024 x 480 panel),
# switch.png (2 stacked 40 x 24 frames: off, on) and knob.png (101 stacked 56 x 56 frames,
# value 0 to 1), and the same drawings at twice the size for high-density screens:
# bkg@2x.png (2048 x 960), switch@2x.png (80 x 48 frames) and knob@2x.png (112 x 112
# frames). Run by hand after changing the artwork; the build only uses the results.
# Everything is described in the pixels of the 1x images; the 2x images are drawn from the
# same description with every coordinate, size and stroke doubled (MVG "scale"), not by
# enlarging the 1x pixels. The control positions below are those the editor places its
# knobs and switches at.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

S=1            # the scale being drawn, set by draw_images
SUFFIX=''      # "" for the 1x images, "@2x" for the 2x ones

# A 1x length in pixels of the image being drawn.
px() { echo $(($1 * S)); }
# MVG drawing commands for 1x coordinates.
mvg() { printf 'scale %s,%s\n%s\n' "$S" "$S" "$*"; }

FONT=Liberation-Sans
BOLD=Liberation-Sans-Bold
ACCENT='#e89a2c'
CAPTION='#aab0b8'

KNOB=56        # knob frame size
STRIP_X=(127 199 272 422 494 567 722 795)
SWITCH_X=(345 644 872)
BAND_KNOB_Y=(53 203 352)
BAND_SWITCH_Y=(65 215 364)
BAND_NAMES=(HIGH MID LOW)
KNOB_CAPTIONS=("Gain" "DC Offset" "Sat. Mix" "Odd" "Even" "Exc. Mix" "Bits" "Bit Mix")
LEVEL_Y=(37 185 336)
MUTE_Y=(119 267 417)

# ---------------------------------------------------------------------------- knob.png
# Angles are in degrees, 0 pointing up and growing clockwise; the indicator turns from -135
# at value 0 to +135 at value 1.

# The wedge from the knob centre between angles a and b (a < b), as an MVG polygon.
wedge() {
  awk -v a="$1" -v b="$2" 'BEGIN {
    pi = atan2(0, -1); n = int((b - a) / 2) + 1; printf "polygon 28,28"
    for (i = 0; i <= n; ++i) { t = (a + (b - a) * i / n) * pi / 180; printf " %.3f,%.3f", 28 + 40 * sin(t), 28 - 40 * cos(t) }
    printf "\n" }'
}

# A 3-pixel ring of radius 25 in a colour between two angles: a whole ring cut down to the
# wedge (stroked open arcs come out closed by a chord).
arc_image() {
  local colour=$1 from=$2 to=$3 out=$4
  local k
  k=$(px $KNOB)
  convert -size ${k}x${k} xc:none -fill none -stroke "$colour" -strokewidth 3 -draw "$(mvg "circle 28,28 28,3")" \
    \( -size ${k}x${k} xc:none -fill white -stroke none -draw "$(mvg "$(wedge "$from" "$to")")" \) \
    -compose DstIn -composite "$out"
}

knob_body() {
  arc_image '#2b2f35' -135 135 "$work/track.png"
  local d
  d=$(px 42)
  convert "$work/track.png" \
    \( -size ${d}x${d} radial-gradient:'#5a5f67'-'#26292e' \
       \( -size ${d}x${d} xc:none -fill white -draw "$(mvg "circle 20.5,20.5 20.5,0.8")" \) \
       -compose CopyOpacity -composite \) \
    -geometry +$(px 7)+$(px 6) -compose Over -composite \
    -fill none -stroke '#121316' -strokewidth 1 -draw "$(mvg "circle 28,27.5 28,7.2")" \
    -stroke '#6c717a' -strokewidth 1 -draw "$(mvg "ellipse 28,27.5 19.5,19.5 200,340")" \
    "$work/body.png"
}

knob_frame() {
  local index=$1 frame
  frame="$work/knob_$(printf %03d "$index").png"
  read -r angle x1 y1 x2 y2 < <(awk -v i="$index" 'BEGIN {
    pi = atan2(0, -1); deg = -135 + 270 * i / 100; a = deg * pi / 180
    printf "%.3f %.3f %.3f %.3f %.3f\n", deg, 28 + 7 * sin(a), 28 - 7 * cos(a), 28 + 16 * sin(a), 28 - 16 * cos(a)
  }')
  cp "$work/body.png" "$frame"
  if [[ $index -gt 0 ]]; then
    arc_image "$ACCENT" -135 "$angle" "$work/arc.png"
    convert "$frame" "$work/arc.png" -compose Over -composite "$frame"
  fi
  convert "$frame" -fill none -stroke '#f2f2f2' -strokewidth 2.6 \
    -draw "$(mvg "stroke-linecap round line $x1,$y1 $x2,$y2")" "$frame"
}

draw_knob() {
  rm -f "$work"/knob_*.png
  knob_body
  for i in $(seq 0 100); do knob_frame "$i"; done
  convert "$work"/knob_*.png -append "PNG32:knob$SUFFIX.png"
}

# -------------------------------------------------------------------------- switch.png
switch_frame() {
  local fill=$1 edge=$2 thumbX=$3 thumb=$4 out=$5
  convert -size "$(px 40)x$(px 24)" xc:none \
    -fill "$fill" -stroke "$edge" -strokewidth 1 -draw "$(mvg "roundrectangle 1.5,2.5 38.5,21.5 9.5,9.5")" \
    -fill '#00000055' -stroke none -draw "$(mvg "circle $thumbX,13 $thumbX,21")" \
    -fill "$thumb" -stroke '#1a1b1e' -strokewidth 1 -draw "$(mvg "circle $thumbX,12 $thumbX,19.5")" \
    "$out"
}

draw_switch() {
  switch_frame '#2a2d32' '#141518' 11.5 '#8d929a' "$work/switch_off.png"
  switch_frame "$ACCENT" '#7a4a0c' 28.5 '#f6f6f6' "$work/switch_on.png"
  convert "$work/switch_off.png" "$work/switch_on.png" -append "PNG32:switch$SUFFIX.png"
}

# ----------------------------------------------------------------------------- bkg.png
draw=()   # MVG drawing commands for the panels and wells, in 1x pixels
text=()   # ImageMagick options that place the texts, in pixels of the image being drawn

add() { draw+=("$*"); }

# Text centred on (cx, baseline); ImageMagick places a South-gravity text by its box, so the
# offset is taken from the bottom edge of the image.
caption() {
  local words=$1 cx=$2 baseline=$3 size=${4:-11} colour=${5:-$CAPTION} font=${6:-$FONT}
  text+=(-font "$font" -pointsize "$(px "$size")" -fill "$colour" -gravity South
         -annotate "+$(px $((cx - 512)))+$(px $((480 - baseline - size / 4)))" "$words")
}

knob_well() {
  local x=$1 y=$2
  add "fill #121316 stroke #2c3036 stroke-width 1 circle $((x + 28)),$((y + 28)) $((x + 28)),$((y + 1))"
  # Scale dots from value 0 to value 1.
  for step in 0 1 2 3 4 5 6 7 8 9 10; do
    read -r dx dy < <(awk -v s="$step" -v x="$x" -v y="$y" 'BEGIN {
      pi = atan2(0, -1); a = (-135 + 27 * s) * pi / 180
      printf "%.2f %.2f\n", x + 28 + 31 * sin(a), y + 28 - 31 * cos(a) }')
    add "fill #4a4f57 stroke none circle $dx,$dy $dx,$(awk -v v="$dy" 'BEGIN { print v + 0.9 }')"
  done
  # Recessed field behind the value read-out 4 pixels below the knob.
  add "fill #0f1012 stroke #2a2d33 stroke-width 1 roundrectangle $((x + 1)).5,$((y + 60)).5 $((x + 54)).5,$((y + 75)).5 3,3"
}

switch_well() {
  local x=$1 y=$2
  add "fill #111214 stroke #2a2d33 stroke-width 1 roundrectangle $((x - 3)).5,$((y - 1)).5 $((x + 42)).5,$((y + 24)).5 12,12"
}

draw_background() {
  draw=()
  text=()

  # Band panels, each with its knobs, switches, captions and a vertical band name.
  for band in 0 1 2; do
    ky=${BAND_KNOB_Y[$band]}
    sy=${BAND_SWITCH_Y[$band]}
    top=$((ky - 25))
    bottom=$((ky + 82))
    add "fill #1f2227 stroke #353940 stroke-width 1 roundrectangle 92.5,$top.5 925.5,$bottom.5 8,8"
    add "fill #2a2e35 stroke none roundrectangle 93,$((top + 1)) 121,$((bottom - 1)) 7,7"
    add "stroke #30343b stroke-width 1 line 403.5,$((top + 8)) 403.5,$((bottom - 8))"
    add "stroke #30343b stroke-width 1 line 703.5,$((top + 8)) 703.5,$((bottom - 8))"
    for i in "${!STRIP_X[@]}"; do
      knob_well "${STRIP_X[$i]}" "$ky"
      caption "${KNOB_CAPTIONS[$i]}" $((STRIP_X[i] + 28)) $((ky - 10))
    done
    for x in "${SWITCH_X[@]}"; do
      switch_well "$x" "$sy"
      caption "Bypass" $((x + 20)) $((ky - 10))
    done
    convert -background none -fill "$ACCENT" -font "$BOLD" -pointsize "$(px 13)" -kerning "$(px 2)" \
      label:"${BAND_NAMES[$band]}" -rotate -90 "$work/band_$band.png"
    text+=("$work/band_$band.png" -gravity NorthWest
           -geometry "+$(px 100)+$(($(px $((top + bottom))) / 2 - $(identify -format %h "$work/band_$band.png") / 2))" -composite)
  done

  # Right column: band levels and mutes.
  add "fill #1b1d21 stroke #33373e stroke-width 1 roundrectangle 931.5,8.5 1019.5,471.5 8,8"
  for band in 0 1 2; do
    ly=${LEVEL_Y[$band]}
    my=${MUTE_Y[$band]}
    knob_well 949 "$ly"
    switch_well 975 "$my"
    caption "Level" 977 $((ly - 10))
    caption "Mute" 955 $((my + 16))
    if [[ $band -lt 2 ]]; then
      add "stroke #2c3036 stroke-width 1 line 940,$((my + 33)).5 1011,$((my + 33)).5"
    fi
  done

  # Left column: the global switches, the crossover frequencies, and oversampling with the
  # switch for its quality (on for "Clean") below it.
  add "fill #1b1d21 stroke #33373e stroke-width 1 roundrectangle 5.5,8.5 86.5,471.5 8,8"
  switch_well 35 42
  caption "Multiband" 55 33
  knob_well 24 129
  caption "Freq. High" 52 119
  knob_well 24 278
  caption "Freq. Low" 52 268
  switch_well 35 381
  caption "Oversample" 55 372
  switch_well 35 431
  caption "Clean" 55 422

  # Section headings over the three stages, and the name plate at the bottom.
  caption "SATURATION" 256 20 10 "$ACCENT" "$BOLD"
  caption "EXCITER" 553 20 10 "$ACCENT" "$BOLD"
  caption "BIT REDUCTION" 814 20 10 "$ACCENT" "$BOLD"
  add "stroke #3a3e45 stroke-width 1 line 104,15.5 200,15.5"
  add "stroke #3a3e45 stroke-width 1 line 312,15.5 392,15.5"
  add "stroke #3a3e45 stroke-width 1 line 414,15.5 516,15.5"
  add "stroke #3a3e45 stroke-width 1 line 590,15.5 692,15.5"
  add "stroke #3a3e45 stroke-width 1 line 714,15.5 767,15.5"
  add "stroke #3a3e45 stroke-width 1 line 862,15.5 915,15.5"
  caption "TolvexVulcrax" 185 470 22 '#e4e6ea' "$BOLD"
  caption "three-band saturation  ·  bit reduction  ·  harmonic exciter" 715 468 11 '#6f757e'

  # The grain is seeded, so that drawing again gives the same images.
  convert -seed 17 -size "$(px 1024)x$(px 480)" gradient:'#26292e'-'#121315' \
    \( -size "$(px 1024)x$(px 480)" xc:gray50 -attenuate 0.35 +noise Gaussian -colorspace Gray \
       -blur "0x$(awk -v s="$S" 'BEGIN { print 0.4 * s }')" -fill gray50 -colorize 88% \) \
    -compose Overlay -composite -compose Over \
    -draw "$(mvg "$(printf '%s\n' "${draw[@]}")")" \
    "${text[@]}" \
    -alpha off "PNG24:bkg$SUFFIX.png"
}

# ------------------------------------------------------------------------ both sizes
draw_images() {
  S=$1
  SUFFIX=$2
  draw_knob
  draw_switch
  draw_background
}
draw_images 1 ''
draw_images 2 '@2x'

echo "made $(identify -format '%f %wx%h\n' bkg.png switch.png knob.png bkg@2x.png switch@2x.png knob@2x.png | tr '\n' ' ')"
