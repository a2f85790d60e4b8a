#!/usr/bin/env bash
# Draws every picture Tovrek ships: the splash and idle pictures, the button
# glyphs and the demo knowledge base's pictures. All shapes are drawn here, so
# the outputs can be rebuilt byte for byte:  tools/make-pictures.sh [name ...]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
pics=$root/resources/pictures
demo=$root/demo
media=$demo/mediafiles
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

SANS=DejaVu-Sans
BOLD=DejaVu-Sans-Bold
SERIF=DejaVu-Serif
SERIF_BOLD=DejaVu-Serif-Bold

# Palette
GREEN_DEEP='#0A2218'
GREEN='#164A3A'
GOLD='#C9A227'
GOLD_LIGHT='#F2D98A'
GOLD_DARK='#6E5410'
CREAM='#F7EED2'
# Glyph background: our toolkit treats the bottom-left colour as transparent.
KEY_COLOUR='#808000'

# ---------------------------------------------------------------- helpers
# Every helper works on a PNG in $tmp, in place; only save_* write outputs.

size_of() { identify -format '%wx%h' "$1"; }

# Solid drawing: draw IMG convert-options...
draw() { local img=$1; shift; convert "$img" "$@" "$img"; }

# Fill the shapes of MVG with TEXTURE (an image the size of IMG), so that a
# gradient stays anchored to the picture and not to each shape.
fill_tex() {
  local img=$1 tex=$2 mvg=$3
  convert "$img" \( "$tex" \( -size "$(size_of "$img")" xc:black \
      -fill white -stroke none -draw "$mvg" \) -alpha off \
      -compose copy-opacity -composite \) -compose over -composite "$img"
}

# Light: the shapes of MVG in COLOUR, blurred by SIGMA, screened onto IMG.
glow() {
  local img=$1 colour=$2 sigma=$3 mvg=$4
  convert "$img" \( -size "$(size_of "$img")" xc:black -fill "$colour" \
      -stroke none -draw "$mvg" -blur "0x$sigma" \) -compose screen -composite "$img"
}

# Soft shadow: the shapes of MVG in black at OPACITY (0..1), blurred by SIGMA.
shadow() {
  local img=$1 opacity=$2 sigma=$3 mvg=$4
  convert "$img" \( -size "$(size_of "$img")" xc:none \
      -fill "rgba(0,0,0,$opacity)" -stroke none -draw "$mvg" -blur "0x$sigma" \) \
      -compose over -composite "$img"
}

# Textures the size of a picture.
tex_vgrad() { convert -size "$2" gradient:"$3"-"$4" "$1"; }     # top to bottom
tex_hgrad() {                                                  # left to right
  local w=${2%x*} h=${2#*x}
  convert -size "${h}x${w}" gradient:"$3"-"$4" -rotate -90 "$1"
}
# BASE colour with a soft LIGHT ellipse (cx,cy rx,ry) blurred by SIGMA.
tex_lit() {
  convert -size "$2" xc:"$3" -fill "$4" -draw "ellipse $5 0,360" -blur "0x$6" "$1"
}

save_jpeg() {
  mkdir -p "$(dirname "$2")"
  convert "$1" -alpha off -strip -type TrueColor -sampling-factor 2x2 \
      -interlace none -quality 85 "$2"
}

# Coordinates that need fractions or trigonometry, which bash lacks.
calc() { awk "BEGIN{ pi = atan2(0, -1); $1 }"; }

# ---------------------------------------------------------------- motifs
# An open book seen from the front, spine top at X,Y, scaled by S.
# book_mvg PART X Y S   with PART cover | block | pages | lines
book_mvg() {
  calc "x = $2; y = $3; s = $4; part = \"$1\";
    if (part == \"cover\") {
      printf \"path 'M %.1f,%.1f\", x, y+8*s
      for (side = -1; side <= 1; side += 2) {
        if (side == -1) printf \" C %.1f,%.1f %.1f,%.1f %.1f,%.1f L %.1f,%.1f C %.1f,%.1f %.1f,%.1f %.1f,%.1f\",
          x-30*s,y-6*s, x-65*s,y-6*s, x-92*s,y+2*s, x-96*s,y+58*s, x-66*s,y+52*s, x-30*s,y+54*s, x,y+66*s
        else printf \" C %.1f,%.1f %.1f,%.1f %.1f,%.1f L %.1f,%.1f C %.1f,%.1f %.1f,%.1f %.1f,%.1f\",
          x+30*s,y+54*s, x+66*s,y+52*s, x+96*s,y+58*s, x+92*s,y+2*s, x+65*s,y-6*s, x+30*s,y-6*s, x,y+8*s
      }
      printf \" Z' \"
    } else if (part == \"lines\") {
      for (i = 0; i < 6; i++) for (side = -1; side <= 1; side += 2) {
        d = (12 + i*7.5)*s
        printf \"path 'M %.1f,%.1f C %.1f,%.1f %.1f,%.1f %.1f,%.1f' \",
          x+side*9*s,y+d, x+side*28*s,y+d-10*s, x+side*54*s,y+d-10*s, x+side*76*s,y+d-4*s
      }
      printf \"line %.1f,%.1f %.1f,%.1f \", x,y+1, x,y+57*s
    } else {
      kmax = (part == \"block\") ? 3 : 0
      for (k = kmax; k >= (part == \"block\" ? 1 : 0); k--) for (side = -1; side <= 1; side += 2) {
        dy = k*1.6*s
        printf \"path 'M %.1f,%.1f C %.1f,%.1f %.1f,%.1f %.1f,%.1f L %.1f,%.1f C %.1f,%.1f %.1f,%.1f %.1f,%.1f Z' \",
          x,y+dy, x+side*28*s,y-12*s+dy, x+side*60*s,y-12*s+dy, x+side*86*s,y-4*s+dy,
          x+side*88*s,y+50*s+dy, x+side*60*s,y+44*s+dy, x+side*28*s,y+46*s+dy, x,y+58*s+dy
      }
    }"
}

# Paints the whole book onto IMG: shadow, leather cover, page block, pages
# shaded towards the spine, and ruled lines.
paint_book() {
  local img=$1 x=$2 y=$3 s=$4 size
  size=$(size_of "$img")
  shadow "$img" 0.55 6 "ellipse $x,$(calc "printf \"%d\", $y+64*$s") $(calc "printf \"%d,%d\", 104*$s, 14*$s") 0,360"
  draw "$img" -fill '#0E3A2A' -stroke "$GOLD" -strokewidth 1.2 -draw "$(book_mvg cover "$x" "$y" "$s")"
  draw "$img" -fill '#E6D8B0' -stroke '#B9A577' -strokewidth 0.6 -draw "$(book_mvg block "$x" "$y" "$s")"
  # Pages: light at the outer edges, shaded into the spine.
  local w=${size%x*} h=${size#*x}
  convert \( -size "${h}x${x}" gradient:'#FFF9E8'-'#D8C690' -rotate -90 \) \
          \( -size "${h}x$((w - x))" gradient:'#D8C690'-'#FFF9E8' -rotate -90 \) +append \
          "$tmp/page.png"
  fill_tex "$img" "$tmp/page.png" "$(book_mvg pages "$x" "$y" "$s")"
  draw "$img" -fill none -stroke '#B9A577' -strokewidth 0.6 -draw "$(book_mvg pages "$x" "$y" "$s")" \
       -stroke '#A8976C' -strokewidth 0.8 -draw "$(book_mvg lines "$x" "$y" "$s")"
}

# A key with its bow centred on the origin and its bit pointing along +x.
KEY_MVG="path 'M -11,0 A 11,11 0 1 1 11,0 A 11,11 0 1 1 -11,0 Z M -5,0 A 5,5 0 1 0 5,0 A 5,5 0 1 0 -5,0 Z'
path 'M 10,-3.5 L 15,-5 L 15,5 L 10,3.5 Z'
path 'M 15,-2.6 L 54,-2.6 L 54,2.6 L 15,2.6 Z'
path 'M 40,2 L 54,2 L 54,13 L 50,13 L 50,8 L 46,8 L 46,12 L 40,12 Z'
path 'M 19,-4 L 21,-4 L 21,4 L 19,4 Z'
path 'M 23,-4 L 25,-4 L 25,4 L 23,4 Z'"

# paint_key IMG TRANSFORM (an MVG prefix such as "translate 200,290 rotate -14 scale 1")
paint_key() {
  local img=$1 where=$2
  shadow "$img" 0.5 2 "translate 2,3 $where $KEY_MVG"
  # The key catches the light on its upper side.
  convert -size "$(size_of "$img")" xc:'#8E6C16' -fill '#FBE7A0' \
      -draw "$where ellipse 28,-6 40,10 0,360" -blur 0x7 "$tmp/brass.png"
  fill_tex "$img" "$tmp/brass.png" "$where $KEY_MVG"
  draw "$img" -fill none -stroke '#5A430A' -strokewidth 0.9 -draw "$where $KEY_MVG"
}

# A round-headed gateway: columns from BASE up to the springing line CY,
# a semicircular head of outer radius RO and inner radius RI about CX,CY.
arch_outer() { echo "path 'M $(($1-$4)),$3 L $(($1-$4)),$2 A $4,$4 0 0 1 $(($1+$4)),$2 L $(($1+$4)),$3 Z'"; }
arch_ring() {   # cx cy base ro ri
  echo "path 'M $(($1-$4)),$3 L $(($1-$4)),$2 A $4,$4 0 0 1 $(($1+$4)),$2 L $(($1+$4)),$3 L $(($1+$5)),$3 L $(($1+$5)),$2 A $5,$5 0 0 0 $(($1-$5)),$2 L $(($1-$5)),$3 Z'"
}

# ---------------------------------------------------------------- pictures

# Splash: an open book and a key before a lit gateway. The top-left band
# (two labels) and the bottom-right corner ("Loading") are left dark.
make_splash() {
  local img=$tmp/splash.png W=424 H=310
  local cx=296 cy=166 ro=84 ri=52 base=262
  tex_vgrad "$img" ${W}x$H "$GREEN_DEEP" "$GREEN"

  # Rays from the gateway, fading with distance so the corners stay calm.
  convert -size ${W}x$H xc:black -fill '#5A4C1C' -draw "$(calc "
      for (i = 0; i < 13; i++) { a = pi*(0.04 + 0.92*i/12); r = 330
        printf \"polygon %d,%d %.1f,%.1f %.1f,%.1f \", $cx, $cy+30,
          $cx-r*cos(a-0.03), $cy+30-r*sin(a-0.03), $cx-r*cos(a+0.03), $cy+30-r*sin(a+0.03) }")" \
      -blur 0x5 \
      \( -size ${W}x$H xc:black -fill white -draw "ellipse $cx,$((cy+30)) 150,140 0,360" -blur 0x50 \) \
      -compose multiply -composite "$tmp/rays.png"
  convert "$img" "$tmp/rays.png" -compose screen -composite "$img"
  glow "$img" '#B08A20' 38 "ellipse $cx,$((cy+20)) 95,100 0,360"

  # Ground, with a path of light running out of the gateway.
  convert "$img" \( -size ${W}x$((H-base)) gradient:'#14402F'-'#061710' \) \
      -geometry +0+$base -compose over -composite "$img"
  convert -size ${W}x$base xc:'#F4E2A6' \( -size ${W}x$((H-base)) gradient:'#F4E2A6'-'#1A4434' \) \
      -append "$tmp/lightpath.png"
  fill_tex "$img" "$tmp/lightpath.png" \
      "polygon $((cx-ri)),$base $((cx+ri)),$base $((cx+30)),$H $((cx-130)),$H"

  # The opening: dawn light, with the left reveal in soft shade.
  tex_vgrad "$tmp/light.png" ${W}x$H '#EFC75A' '#FFFAE6'
  fill_tex "$img" "$tmp/light.png" "$(arch_outer $cx $cy $base $ri)"
  draw "$img" -fill '#C8A04A' -stroke none -draw "$(calc "
      r = $ri; d = 9; yi = $cy - sqrt(r*r - d*d/4)
      printf \"path 'M %d,%d L %d,%d A %d,%d 0 0 1 %.1f,%.1f A %d,%d 0 0 0 %d,%d L %d,%d Z'\",
        $cx-r, $base, $cx-r, $cy, r, r, $cx+d/2, yi, r, r, $cx-r+d, $cy, $cx-r+d, $base")"

  # Stonework, lit from the opening.
  tex_lit "$tmp/stone.png" ${W}x$H '#6E5212' '#E2BE5A' "$cx,$((cy+10)) 90,110" 40
  local keystone
  keystone=$(calc "a = pi*4/9 + 0.02; b = pi*5/9 - 0.02; r1 = $ri-3; r2 = $ro+5
      printf \"polygon %.1f,%.1f %.1f,%.1f %.1f,%.1f %.1f,%.1f\",
        $cx+r1*cos(a), $cy-r1*sin(a), $cx+r2*cos(a)+1, $cy-r2*sin(a),
        $cx+r2*cos(b)-1, $cy-r2*sin(b), $cx+r1*cos(b), $cy-r1*sin(b)")
  local imposts="rectangle $((cx-ro-5)),$((cy-3)) $((cx-ri+2)),$((cy+4)) rectangle $((cx+ri-2)),$((cy-3)) $((cx+ro+5)),$((cy+4))"
  fill_tex "$img" "$tmp/stone.png" "$(arch_ring $cx $cy $base $ro $ri) $keystone $imposts"
  draw "$img" -fill none -stroke '#5E470C' -strokewidth 1.4 \
      -draw "$(arch_ring $cx $cy $base $ro $ri) $keystone" -strokewidth 1.1 -draw "$imposts" \
      -stroke "$GOLD_DARK" -strokewidth 1.1 -draw "$(calc "
      for (i = 1; i < 9; i++) { if (i == 4 || i == 5) continue; a = pi*i/9
        printf \"line %.1f,%.1f %.1f,%.1f \", $cx-$ri*cos(a), $cy-$ri*sin(a), $cx-$ro*cos(a), $cy-$ro*sin(a) }
      for (j = 1; j <= 2; j++) { y = $cy + 32*j
        printf \"line %d,%d %d,%d line %d,%d %d,%d \", $cx-$ro, y, $cx-$ri, y, $cx+$ri, y, $cx+$ro, y }")" \
      -fill '#3C2C06' -stroke none \
      -draw "circle $cx,$((cy-ro+12)) $cx,$((cy-ro+16))" \
      -draw "polygon $((cx-2)),$((cy-ro+13)) $((cx+2)),$((cy-ro+13)) $((cx+4)),$((cy-ro+22)) $((cx-4)),$((cy-ro+22))" \
      -fill '#0B2A1E' -draw "rectangle $((cx-ro-6)),$((base-1)) $((cx+ro+6)),$((base+5))" \
      -fill "$GOLD" -draw "rectangle $((cx-ro-6)),$((base-1)) $((cx+ro+6)),$base"

  paint_book "$img" 112 222 1
  paint_key "$img" "translate 212,293 rotate -14"
  save_jpeg "$img" "$pics/splash.jpg"
}

# Idle picture of the main window: an open book under a desk lamp.
make_main_default() {
  local img=$tmp/main_default.png W=440 H=260 desk=182
  local lx=368   # lamp stem
  tex_vgrad "$img" ${W}x$H "$GREEN_DEEP" '#154535'
  # Faint wainscot: a dado rail and panels below it.
  draw "$img" -fill none -stroke 'rgba(242,217,138,0.10)' -strokewidth 1 -draw "line 0,112 $W,112" \
      -stroke 'rgba(242,217,138,0.06)' -draw "$(calc "
      for (i = 0; i < 5; i++) printf \"roundrectangle %d,%d %d,%d 3,3 \", 10 + i*88, 122, 90 + i*88, $desk-10")"

  # Desk top: green leather with a gilt edge.
  convert "$img" \( -size ${W}x$((H-desk)) gradient:'#145040'-'#061610' \) \
      -geometry +0+$desk -compose over -composite "$img"
  draw "$img" -stroke "$GOLD_DARK" -strokewidth 1 -draw "line 0,$desk $W,$desk" \
      -stroke 'rgba(242,217,138,0.25)' -draw "line 0,$((desk+1)) $W,$((desk+1))"

  # Lamplight: a soft cone and a pool on the desk.
  glow "$img" '#4A4226' 20 "polygon $((lx-62)),104 $((lx+62)),104 $W,228 110,228"
  glow "$img" '#6A5A2C' 26 "ellipse 262,212 150,30 0,360"

  paint_book "$img" 212 170 0.95

  # Inkwell and quill on the left of the book.
  shadow "$img" 0.5 3 "ellipse 76,212 24,5 0,360"
  tex_lit "$tmp/ink.png" ${W}x$H '#06140E' '#3A6E58' "64,196 6,12" 5
  fill_tex "$img" "$tmp/ink.png" "roundrectangle 56,188 94,212 6,6"
  draw "$img" -fill "$GOLD" -stroke "$GOLD_DARK" -strokewidth 0.8 -draw "roundrectangle 64,181 86,189 2,2"
  local quill="path 'M 78,184 C 84,160 104,124 134,98 C 128,118 112,150 82,180 Z'"
  tex_hgrad "$tmp/quill.png" ${W}x$H '#D9CBA0' '#FFFBEF'
  fill_tex "$img" "$tmp/quill.png" "$quill"
  draw "$img" -fill none -stroke '#A8976C' -strokewidth 0.7 -draw "$quill" \
      -stroke '#9C8C66' -strokewidth 0.9 -draw "path 'M 79,186 C 92,158 110,128 132,100'" \
      -stroke '#B8A678' -strokewidth 0.6 -draw "$(calc "
      for (i = 0; i < 7; i++) { t = 0.15 + i*0.11; x = 79 + 53*t; y = 186 - 86*t
        printf \"line %.1f,%.1f %.1f,%.1f \", x, y, x+6, y-2 }")"

  # Lamp: brass foot and stem, green glass shade lit from below.
  shadow "$img" 0.5 4 "ellipse $((lx+4)),222 46,8 0,360"
  tex_lit "$tmp/brass.png" ${W}x$H '#7A5A12' '#F8E3A0' "$((lx-14)),150 22,120" 8
  fill_tex "$img" "$tmp/brass.png" "ellipse $lx,214 40,9 0,360 rectangle $((lx-40)),206 $((lx+40)),214 ellipse $lx,206 40,9 0,360
      rectangle $((lx-4)),104 $((lx+4)),208 ellipse $lx,200 10,4 0,360"
  draw "$img" -fill none -stroke "$GOLD_DARK" -strokewidth 0.8 \
      -draw "ellipse $lx,206 40,9 0,360 line $((lx-40)),206 $((lx-40)),214 line $((lx+40)),206 $((lx+40)),214"
  draw "$img" -fill none -stroke "$GOLD_DARK" -strokewidth 0.8 -draw "path 'M $((lx-40)),214 A 40,9 0 0 0 $((lx+40)),214'"
  local shade="path 'M $((lx-52)),74 Q $lx,62 $((lx+52)),74 L $((lx+64)),104 Q $lx,112 $((lx-64)),104 Z'"
  tex_lit "$tmp/glass.png" ${W}x$H '#0B3A22' '#3FA86A' "$((lx-18)),98 60,14" 10
  fill_tex "$img" "$tmp/glass.png" "$shade"
  draw "$img" -fill none -stroke '#D8B657' -strokewidth 1.4 -draw "$shade" \
      -stroke 'rgba(255,255,255,0.35)' -strokewidth 2 -draw "path 'M $((lx-40)),74 Q $((lx-10)),68 $((lx+20)),70'" \
      -fill '#FFF4C8' -stroke '#D8B657' -strokewidth 1 -draw "path 'M $((lx-64)),104 Q $lx,112 $((lx+64)),104 Q $lx,100 $((lx-64)),104 Z'" \
      -stroke "$GOLD" -strokewidth 1 -draw "line $((lx+30)),107 $((lx+30)),140" \
      -fill "$GOLD" -stroke none -draw "circle $((lx+30)),142 $((lx+30)),145"

  # Wordmark.
  draw "$img" -font "$SERIF" -pointsize 28 -kerning 7 -fill "$GOLD" -annotate +26+50 'TOVREK' \
      -stroke "$GOLD_DARK" -strokewidth 1 -draw "line 28,62 214,62" -stroke none \
      -font "$SANS" -pointsize 10 -kerning 3.2 -fill "$CREAM" -annotate +28+78 'KNOWLEDGE SYSTEM'
  save_jpeg "$img" "$pics/main_default.jpg"
}

# A ridge of hills as a polygon closed along the bottom edge:
# ridge W H BASE A1 F1 P1 A2 F2 P2
ridge() {
  calc "printf \"polygon 0,$2 \"
    for (x = 0; x <= $1; x += 4)
      printf \"%d,%.1f \", x, $3 + $4*sin(x*$5 + $6) + $7*sin(x*$8 + $9)
    printf \"$1,$2\""
}

# The default idle picture: hills at dawn.
make_default() {
  local img=$tmp/default.png W=440 H=260 sx=300 sy=156
  convert -size ${W}x80 gradient:'#0E302C'-'#3F6652' \
      -size ${W}x60 gradient:'#3F6652'-'#D9B664' \
      -size ${W}x40 gradient:'#D9B664'-'#FAEBC4' \
      -size ${W}x80 xc:'#FAEBC4' -append "$img"
  glow "$img" '#A07A30' 45 "ellipse $sx,$sy 130,70 0,360"
  glow "$img" '#FFE9A8' 10 "circle $sx,$sy $sx,$((sy-30))"
  draw "$img" -fill '#FFF8E2' -stroke none -draw "circle $sx,$sy $sx,$((sy-24))"
  # Thin clouds lit from below.
  convert -size ${W}x$H xc:none -fill 'rgba(255,240,200,0.55)' \
      -draw "ellipse 150,118 70,3 0,360 ellipse 190,124 40,2 0,360 ellipse 352,104 86,3 0,360 ellipse 396,128 38,2 0,360" \
      -blur 0x1.5 "$tmp/clouds.png"
  convert "$img" "$tmp/clouds.png" -compose over -composite "$img"

  # Ridges: misty far away, deep green close by.
  tex_vgrad "$tmp/hill1.png" ${W}x$H '#7F9A76' '#D2D6A8'
  fill_tex "$img" "$tmp/hill1.png" "$(ridge $W $H 160 9 0.012 0.2 4 0.033 1.2)"
  tex_vgrad "$tmp/hill2.png" ${W}x$H '#55805E' '#A3B284'
  fill_tex "$img" "$tmp/hill2.png" "$(ridge $W $H 182 12 0.010 2.4 4 0.029 0.3)"
  tex_vgrad "$tmp/hill3.png" ${W}x$H '#2C5C44' '#3F7050'
  fill_tex "$img" "$tmp/hill3.png" "$(ridge $W $H 206 12 0.008 4.0 5 0.022 2.0)"
  # A river catching the dawn, running out of the valley towards us.
  local river="path 'M 228,206 C 222,212 210,216 212,224 C 214,232 236,234 232,244 C 228,252 206,256 196,260 L 252,260 C 258,252 250,244 246,238 C 240,230 222,228 224,222 C 226,216 234,212 234,206 Z'"
  tex_vgrad "$tmp/river.png" ${W}x$H '#F7E3A6' '#FFF7DC'
  fill_tex "$img" "$tmp/river.png" "$river"
  draw "$img" -fill none -stroke 'rgba(201,162,39,0.6)' -strokewidth 0.8 -draw "$river"
  # Near hills on either bank.
  local near="path 'M 0,222 C 60,214 140,226 204,260 L 0,260 Z' path 'M 440,226 C 380,222 300,236 244,260 L 440,260 Z'"
  tex_vgrad "$tmp/hill4.png" ${W}x$H '#0F3A2A' '#0A2419'
  fill_tex "$img" "$tmp/hill4.png" "$near"

  # A lone tree on the near hill, and birds over the valley.
  draw "$img" -fill '#0A2419' -stroke none \
      -draw "polygon 72,222 75,192 78,192 81,222" \
      -draw "circle 68,186 68,174 circle 84,184 84,173 circle 76,174 76,161 circle 60,194 60,185 circle 92,193 92,185" \
      -fill none -stroke '#143A2C' -strokewidth 1.4 \
      -draw "$(calc "split(\"120,70 134,62 146,74 330,58\", b, \" \")
        for (i = 1; i <= 4; i++) { split(b[i], c, \",\"); x = c[1]; y = c[2]
          printf \"path 'M %d,%d Q %d,%d %d,%d Q %d,%d %d,%d' \", x-7, y, x-3, y-4, x, y+1, x+3, y-4, x+7, y }")"
  save_jpeg "$img" "$pics/default.jpg"
  cp "$pics/default.jpg" "$demo/default.jpg"
}

# ---------------------------------------------------------------- demo media

# Faint stars at fixed places (a Park-Miller sequence, so always the same).
# stars W H COUNT SEED
stars() {
  calc "seed = $4; for (i = 0; i < $3; i++) {
      seed = (seed*16807) % 2147483647; x = seed % $1
      seed = (seed*16807) % 2147483647; y = seed % $2
      seed = (seed*16807) % 2147483647; a = 0.25 + (seed % 60)/100
      printf \"fill 'rgba(247,238,210,%.2f)' circle %d,%d %d.6,%d \", a, x, y, x, y }"
}

# A disc lit from the left: paint_planet IMG CX CY R COLOUR SHADE
paint_planet() {
  local img=$1 cx=$2 cy=$3 r=$4
  tex_lit "$tmp/planet.png" "$(size_of "$img")" "$6" "$5" \
      "$((cx - r/3)),$((cy - r/4)) $r,$r" "$(calc "printf \"%.1f\", $r*0.45 + 0.5")"
  fill_tex "$img" "$tmp/planet.png" "circle $cx,$cy $((cx + r)),$cy"
}

# The planets in order from the Sun, with their orbits and names.
make_planets() {
  local img=$tmp/planets.png W=440 H=260 y=132
  tex_hgrad "$img" ${W}x$H '#0E3326' '#040D09'
  draw "$img" -stroke none -draw "$(stars $W $H 70 4242)"
  glow "$img" '#C9A227' 30 "circle -70,$y 60,$y"
  tex_lit "$tmp/sun.png" ${W}x$H '#E0A030' '#FFF4C0' "-40,$y 70,80" 30
  fill_tex "$img" "$tmp/sun.png" "circle -70,$y 34,$y"
  #         name     x   r  colour    shade
  local planets="Mercury  66  3 #B8B2A8 #5A5650
Venus    96  5 #F0DCA0 #8A7440
Earth   128  6 #5C9AD6 #1C3C66
Mars    158  4 #D8704A #6A2A18
Jupiter 206 17 #E2BC84 #7A5A30
Saturn  272 13 #EED9A0 #806A3C
Uranus  334  9 #A8E0E0 #3C7272
Neptune 392  9 #5A80DC #1E3470"
  local orbits=""
  while read -r name x r colour shade; do
    orbits+="circle -70,$y $x,$y "
  done <<< "$planets"
  draw "$img" -fill none -stroke 'rgba(242,217,138,0.18)' -strokewidth 1 -draw "$orbits"
  local row=0
  while read -r name x r colour shade; do
    if [ "$name" = Saturn ]; then
      draw "$img" -fill none -stroke 'rgba(226,200,140,0.9)' -strokewidth 2.2 \
          -draw "translate $x,$y rotate -14 ellipse 0,0 26,6 0,360"
    fi
    paint_planet "$img" "$x" "$y" "$r" "$colour" "$shade"
    case $name in
      Saturn) draw "$img" -fill none -stroke 'rgba(236,214,160,0.95)' -strokewidth 2.2 \
                  -draw "translate $x,$y rotate -14 ellipse 0,0 26,6 0,180" ;;
      Jupiter) draw "$img" -fill none -stroke 'rgba(140,90,50,0.55)' -strokewidth 1.6 -draw "$(calc "
                  split(\"-8 -3 4 9\", d, \" \"); for (i = 1; i <= 4; i++) { h = sqrt($r*$r - d[i]*d[i]) - 1
                    printf \"line %.1f,%d %.1f,%d \", $x-h, $y+d[i], $x+h, $y+d[i] }")" ;;
      Earth) draw "$img" -fill 'rgba(80,160,80,0.85)' -stroke none \
                  -draw "ellipse $((x-2)),$((y-2)) 2,3 0,360 ellipse $((x+2)),$((y+2)) 2,1 0,360" ;;
    esac
    # Names alternate above and below the line so neighbours never collide.
    local ty=$(( row % 2 ? y - 28 : y + 40 ))
    [ "$r" -gt 10 ] && ty=$(( row % 2 ? y - r - 14 : y + r + 22 ))
    draw "$img" -font "$SANS" -pointsize 11 -fill "$CREAM" -gravity northwest \
        -annotate "+$(( x - ${#name} * 3 ))+$(( ty - 10 ))" "$name"
    row=$((row + 1))
  done <<< "$planets"
  draw "$img" -font "$BOLD" -pointsize 14 -fill "$GOLD" -annotate +16+26 'The planets in order from the Sun' \
      -font "$SANS" -pointsize 10 -fill 'rgba(247,238,210,0.7)' -annotate +16+246 'Sizes and distances not to scale' \
      -font "$BOLD" -pointsize 11 -fill '#3A2A06' -annotate +6+$((y + 4)) 'SUN'
  save_jpeg "$img" "$media/planets.JPG"
}

# A compass rose with the four cardinal and four intermediate points.
make_compass() {
  local img=$tmp/compass.png W=440 H=260 cx=220 cy=130
  # Parchment, darker towards the edges.
  tex_lit "$img" ${W}x$H '#D9C792' "$CREAM" "$cx,$cy 200,110" 50
  draw "$img" -fill none -stroke "$GOLD_DARK" -strokewidth 1.4 -draw "rectangle 6,6 433,253" \
      -stroke "$GOLD" -strokewidth 0.8 -draw "rectangle 10,10 429,249"
  shadow "$img" 0.25 4 "circle $((cx+2)),$((cy+3)) $((cx+2)),$((cy-92))"
  draw "$img" -fill '#FBF5E4' -stroke "$GOLD_DARK" -strokewidth 1.2 -draw "circle $cx,$cy $cx,$((cy-96))" \
      -fill none -stroke "$GOLD" -strokewidth 3 -draw "circle $cx,$cy $cx,$((cy-91))" \
      -stroke "$GOLD_DARK" -strokewidth 0.8 -draw "circle $cx,$cy $cx,$((cy-88)) circle $cx,$cy $cx,$((cy-46))" \
      -strokewidth 0.8 -draw "$(calc "for (d = 0; d < 360; d += 10) { a = d*pi/180; r2 = (d % 30 == 0) ? 80 : 83
        printf \"line %.1f,%.1f %.1f,%.1f \", $cx+88*sin(a), $cy-88*cos(a), $cx+r2*sin(a), $cy-r2*cos(a) }")"
  # Star points: each is a kite split into a dark and a light half.
  # star R BASE ANGLES DARK LIGHT
  star() {
    calc "split(\"$3\", ang, \" \"); for (k in ang) { t = ang[k]*pi/180
        tx = $cx + $1*sin(t); ty = $cy - $1*cos(t)
        lx = $cx + $2*sin(t - pi/4); ly = $cy - $2*cos(t - pi/4)
        rx = $cx + $2*sin(t + pi/4); ry = $cy - $2*cos(t + pi/4)
        printf \"fill '$4' polygon $cx,$cy %.1f,%.1f %.1f,%.1f \", tx, ty, lx, ly
        printf \"fill '$5' polygon $cx,$cy %.1f,%.1f %.1f,%.1f \", tx, ty, rx, ry }"
  }
  draw "$img" -stroke "$GOLD_DARK" -strokewidth 0.7 \
      -draw "$(star 64 13 '45 135 225 315' '#A8821E' "$GOLD_LIGHT")" \
      -draw "$(star 86 17 '0 90 180 270' '#0F3A2A' '#2F7A52')" \
      -fill "$GOLD" -draw "circle $cx,$cy $cx,$((cy-6))" -fill '#0F3A2A' -stroke none -draw "circle $cx,$cy $cx,$((cy-2))"
  draw "$img" -font "$SERIF_BOLD" -pointsize 20 -fill '#0F3A2A' -gravity center \
      -annotate +0-105 N -annotate +0+106 S -annotate +110+0 E -annotate -110+0 W \
      -font "$SERIF" -pointsize 12 -fill "$GOLD_DARK" \
      -annotate +76-76 NE -annotate +76+76 SE -annotate -76+76 SW -annotate -76-76 NW
  save_jpeg "$img" "$media/compass.JPG"
}

# Five plane shapes, lettered A to E.
make_shapes() {
  local img=$tmp/shapes.png W=440 H=260
  tex_lit "$img" ${W}x$H '#DCCB98' "$CREAM" "220,130 200,110" 50
  draw "$img" -fill none -stroke "$GOLD_DARK" -strokewidth 1.4 -draw "rectangle 6,6 433,253"
  tex_vgrad "$tmp/gold.png" ${W}x$H "$GOLD_LIGHT" '#B88E22'
  # polygon N sides about X,Y radius R, one corner up (the square sits flat)
  poly() {
    calc "n = $1; off = (n == 4) ? pi/4 : 0; printf \"polygon\"
      for (i = 0; i < n; i++) { a = off + 2*pi*i/n
        printf \" %.1f,%.1f\", $2 + $4*sin(a), $3 - $4*cos(a) }
      printf \" \""
  }
  local shapes="" letter=A labels=()
  for spec in "3 54 40" "4 136 40" "5 218 37" "6 300 37" "8 382 37"; do
    set -- $spec
    shapes+="$(poly "$1" "$2" 118 "$3")"
    labels+=(-annotate "+$(( $2 - 6 ))+196" "$letter")
    letter=$(echo "$letter" | tr 'A-D' 'B-E')
  done
  shadow "$img" 0.3 3 "translate 2,3 $shapes"
  fill_tex "$img" "$tmp/gold.png" "$shapes"
  draw "$img" -fill none -stroke '#0F3A2A' -strokewidth 2 -draw "$shapes" \
      -stroke none -fill '#0F3A2A' -font "$SERIF_BOLD" -pointsize 22 "${labels[@]}" \
      -font "$BOLD" -pointsize 14 -fill "$GOLD_DARK" -annotate +16+30 'Shapes' \
      -font "$SANS" -pointsize 11 -fill '#0F3A2A' -annotate +16+236 'Count the sides of each shape.'
  save_jpeg "$img" "$media/shapes.JPG"
}

# ---------------------------------------------------------------- glyphs
# Glyphs are drawn at 8x on a clear canvas in a 24-unit grid, shrunk, and
# given hard edges over the key colour, which must not bleed into them.
G=8

# glyph_art OUT MVG...  (each argument one -draw, in 24-unit coordinates)
glyph_art() {
  local out=$1; shift
  local args=()
  for mvg in "$@"; do args+=(-draw "scale $G,$G $mvg"); done
  convert -size $((24*G))x$((24*G)) xc:none "${args[@]}" \
      -filter box -resize 24x24 -channel A -threshold 50% +channel "$out"
}

# Disabled state, as old toolkits draw it: a grey silhouette over a white
# one shifted one pixel down and right.
glyph_disabled() {
  convert "$1" \( +clone -fill white -colorize 100 -repage +1+1 \) \
      \( -clone 0 -fill "#808080" -colorize 100 \) -delete 0 -background none -layers merge \
      -crop 24x24+0+0 +repage "$2"
}

# save_glyph OUT PNG...  side by side, flattened over the key colour.
save_glyph() {
  local out=$1; shift
  # The key colour inside a glyph, or the glyph on its bottom-left pixel,
  # would punch a hole in it.
  local clash corner
  clash=$(convert "$@" +append -background black -alpha remove -fill black +opaque "$KEY_COLOUR" \
      -fill white -opaque "$KEY_COLOUR" -format '%[fx:int(mean*w*h+0.5)]' info:)
  corner=$(convert "$1" -format '%[fx:p{0,h-1}.a]' info:)
  if [ "$clash" != 0 ] || [ "$corner" != 0 ]; then
    echo "make-pictures: $out: key colour clash" >&2; exit 1
  fi
  mkdir -p "$(dirname "$out")"
  convert "$@" +append -background "$KEY_COLOUR" -alpha remove -alpha off \
      -strip -type TrueColor "BMP3:$out"
}

make_glyph_search() {
  glyph_art "$tmp/search.png" \
      "stroke '#0C3322' stroke-width 4.6 stroke-linecap round line 14.5,14.5 20.5,20.5" \
      "stroke '#2F7A52' stroke-width 2.6 stroke-linecap round line 14.8,14.8 20.3,20.3" \
      "fill '#E4F1EC' stroke '#5E470C' stroke-width 3.4 circle 9.5,9.5 9.5,3.6" \
      "fill none stroke '#E0B84A' stroke-width 1.6 circle 9.5,9.5 9.5,3.6" \
      "fill none stroke '#FFFFFF' stroke-width 1.3 stroke-linecap round path 'M 6.2,9.6 A 3.4,3.4 0 0 1 9.6,6.2'"
  save_glyph "$pics/glyph_search.bmp" "$tmp/search.png"
}

make_glyph_close() {
  glyph_art "$tmp/close.png" \
      "fill '#1D2E27' stroke '#5E470C' stroke-width 1.2 rectangle 7,2.5 17,21.5" \
      "fill '#C99A3A' stroke '#5E470C' stroke-width 1 polygon 7,2.5 2.6,1 2.6,23 7,21.5" \
      "fill '#5E470C' circle 4,12.5 4,13.4" \
      "fill '#3DAA55' stroke '#0E4A1E' stroke-width 1 polygon 10,10.4 16.5,10.4 16.5,6.8 22.6,12 16.5,17.2 16.5,13.6 10,13.6"
  save_glyph "$pics/glyph_close.bmp" "$tmp/close.png"
}

make_glyph_correct() {
  glyph_art "$tmp/correct.png" \
      "fill none stroke '#0E4A1E' stroke-width 5.2 stroke-linecap round stroke-linejoin round polyline 4.5,12.5 9.5,17.5 19.5,6" \
      "fill none stroke '#3DBA5A' stroke-width 3 stroke-linecap round stroke-linejoin round polyline 4.5,12.5 9.5,17.5 19.5,6"
  glyph_disabled "$tmp/correct.png" "$tmp/correct_off.png"
  save_glyph "$pics/glyph_correct.bmp" "$tmp/correct.png" "$tmp/correct_off.png"
}

make_glyph_abort() {
  glyph_art "$tmp/abort.png" \
      "stroke '#6A0C0C' stroke-width 5.4 stroke-linecap round line 5.5,5.5 18.5,18.5 line 18.5,5.5 5.5,18.5" \
      "stroke '#E0402E' stroke-width 3.2 stroke-linecap round line 5.5,5.5 18.5,18.5 line 18.5,5.5 5.5,18.5"
  glyph_disabled "$tmp/abort.png" "$tmp/abort_off.png"
  save_glyph "$pics/glyph_abort.bmp" "$tmp/abort.png" "$tmp/abort_off.png"
}


# ---------------------------------------------------------------- portraits
# The About window's three portraits, 75x75: animal friends of study drawn
# here, not photographs of anyone.

make_portrait_owl() {
  local img=$tmp/owl.png
  tex_vgrad "$img" 75x75 '#2F7A52' "$GREEN_DEEP"
  draw "$img" -stroke none \
      -fill '#8A6A3A' -draw "ellipse 37,48 22,24 0,360" \
      -fill '#E8D7B0' -draw "ellipse 37,56 12,14 0,360" \
      -fill '#8A6A3A' -draw "polygon 18,20 24,8 30,22 polygon 56,20 50,8 44,22" \
      -fill '#8A6A3A' -draw "ellipse 37,30 20,16 0,360" \
      -fill "$CREAM" -draw "circle 29,30 29,21 circle 45,30 45,21" \
      -fill "$GOLD" -draw "circle 29,30 29,25 circle 45,30 45,25" \
      -fill '#10140F' -draw "circle 29,30 29,27 circle 45,30 45,27" \
      -fill '#E0A030' -draw "polygon 34,36 40,36 37,43" \
      -fill none -stroke '#5E470C' -strokewidth 1 \
      -draw "path 'M 30,52 Q 33,55 36,52' path 'M 38,58 Q 41,61 44,58' path 'M 30,62 Q 33,65 36,62'" \
      -stroke "$GOLD_DARK" -strokewidth 2 -draw "line 8,72 67,72"
  save_jpeg "$img" "$pics/portrait_owl.jpg"
}

make_portrait_fox() {
  local img=$tmp/fox.png
  tex_vgrad "$img" 75x75 '#F2D98A' '#C9A227'
  draw "$img" -stroke none \
      -fill '#C8582A' -draw "polygon 14,8 28,26 20,34 polygon 61,8 47,26 55,34" \
      -fill '#3A1A0A' -draw "polygon 17,13 25,25 21,29 polygon 58,13 50,25 54,29" \
      -fill '#C8582A' -draw "polygon 12,30 37,18 63,30 60,46 37,68 15,46" \
      -fill '#FFF4E0' -draw "polygon 15,44 27,44 37,66 polygon 60,44 48,44 37,66" \
      -fill '#10140F' -draw "ellipse 28,38 3,4 0,360 ellipse 47,38 3,4 0,360 circle 37,64 37,61" \
      -fill white -draw "circle 29,37 29,36 circle 48,37 48,36"
  save_jpeg "$img" "$pics/portrait_fox.jpg"
}

make_portrait_tortoise() {
  local img=$tmp/tortoise.png
  tex_vgrad "$img" 75x75 "$CREAM" '#D9C792'
  draw "$img" -stroke none \
      -fill '#7FA05A' -draw "ellipse 60,50 10,7 0,360 ellipse 20,60 5,6 0,360 ellipse 52,62 5,6 0,360" \
      -fill '#3F6A2C' -draw "ellipse 34,50 24,17 180,360 rectangle 10,49 58,58" \
      -fill none -stroke '#C9A227' -strokewidth 1.4 \
      -draw "polygon 26,38 34,34 42,38 42,46 34,50 26,46 line 34,34 34,28 line 26,46 16,52 line 42,46 52,52 line 26,38 16,42 line 42,38 52,42" \
      -stroke none -fill '#10140F' -draw "circle 63,48 63,46" \
      -fill none -stroke '#0F3A2A' -strokewidth 1 -draw "path 'M 62,53 Q 65,55 68,53'" \
      -stroke "$GOLD_DARK" -strokewidth 2 -draw "line 6,68 69,68"
  save_jpeg "$img" "$pics/portrait_tortoise.jpg"
}

# ---------------------------------------------------------------- main
all=(splash main_default default glyph_search glyph_close glyph_correct glyph_abort planets compass shapes portrait_owl portrait_fox portrait_tortoise)
[ $# -gt 0 ] || set -- "${all[@]}"
for name in "$@"; do "make_$name"; done
