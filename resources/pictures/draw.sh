#!/usr/bin/env bash
# Redraws every picture of the program (the bitmaps and the icon) from scratch.
#
# Maintainer's tool: the build uses the committed PNG files and does not need
# ImageMagick. Run it from anywhere; it writes beside itself, or into the folder
# given as its one argument:
#
#   bash resources/pictures/draw.sh [OUTDIR]
#
# Needs ImageMagick (convert, or magick) and the DejaVu Sans fonts.
#
# Every bitmap is drawn at twice its nominal size (bitmap 135, nominal 68 x 18,
# becomes a 136 x 36 PNG) so that it stays crisp when the dialogs scale it with
# their font. The 16-colour bitmaps use the light grey RGB(192,192,192) as their
# background and the standard 16-colour VGA palette; text is antialiased, with its
# edge shades limited to a few levels, and all lines sit on even pixel positions so
# that the pictures stay sharp at nominal size too. The output is deterministic:
# running the script twice gives byte-identical files.

set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=${1:-$here}

if command -v magick >/dev/null 2>&1; then
    IM=(magick)
elif command -v convert >/dev/null 2>&1; then
    IM=(convert)
else
    echo "draw.sh: ImageMagick (convert or magick) is required" >&2
    exit 1
fi

font_file() {
    local f
    f=$(fc-match -f '%{file}' "$1" 2>/dev/null || true)
    if [[ -z $f || ! -r $f ]]; then
        echo "draw.sh: font '$1' not found (install the DejaVu fonts)" >&2
        exit 1
    fi
    printf '%s\n' "$f"
}

BOLD=$(font_file 'DejaVu Sans:style=Bold')
COND=$(font_file 'DejaVu Sans Condensed:style=Condensed Bold')
[[ $BOLD == *DejaVuSans-Bold* ]] || { echo "draw.sh: DejaVu Sans Bold is required" >&2; exit 1; }
[[ $COND == *DejaVuSansCondensed-Bold* ]] || { echo "draw.sh: DejaVu Sans Condensed Bold is required" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The 16 VGA colours used below.
GREY='#C0C0C0'      # light grey, the background
DGREY='#808080'
BLACK='#000000'
WHITE='#FFFFFF'
GREEN='#008000'
LIME='#00FF00'
DRED='#800000'
RED='#FF0000'
BLUE='#0000FF'
MAGENTA='#FF00FF'
PURPLE='#800080'
OLIVE='#808000'
YELLOW='#FFFF00'
TEAL='#008080'

LEVELS=8            # shades of a text edge between text colour and background

im() { "${IM[@]}" "$@"; }

# text_size FONT POINTS TEXT -> "width height" of the inked area
text_size() {
    im -background black -fill white -font "$1" -pointsize "$2" \
        -interline-spacing "${SPACING:-0}" -gravity center label:"$3" \
        -trim +repage -format '%w %h\n' info:
}

# fit_points FONT MAXW MAXH TEXT -> the largest whole point size whose inked
# area fits MAXW x MAXH
fit_points() {
    local font=$1 maxw=$2 maxh=$3 text=$4 lo=4 hi=200 mid w h
    while ((hi - lo > 1)); do
        mid=$(((lo + hi) / 2))
        read -r w h < <(text_size "$font" "$mid" "$text")
        if ((w <= maxw && h <= maxh)); then lo=$mid; else hi=$mid; fi
    done
    echo "$lo"
}

# text_mask OUT FONT POINTS TEXT: white-on-black coverage mask of the inked text,
# trimmed, its edge shades reduced to $LEVELS levels
text_mask() {
    im -background black -fill white -font "$2" -pointsize "$3" \
        -interline-spacing "${SPACING:-0}" -gravity center label:"$4" \
        -trim +repage -colorspace Gray -posterize "$LEVELS" "$1"
}

# shape_mask OUT W H DRAW...: white-on-black mask of antialiased shapes
shape_mask() {
    local o=$1 w=$2 h=$3
    shift 3
    local args=()
    for d in "$@"; do args+=(-draw "$d"); done
    im -size "${w}x${h}" xc:black -fill white "${args[@]}" \
        -colorspace Gray -posterize "$LEVELS" "$o"
}

# paint CANVAS MASK COLOUR X Y: lays COLOUR through MASK onto CANVAS at X,Y
paint() {
    im "$1" \( "$2" -background "$3" -alpha shape \) \
        -geometry "+$4+$5" -compose Over -composite "$1"
}

dims() { im "$1" -format '%w %h\n' info:; }

even() { echo $(($1 / 2 * 2)); }

# save CANVAS NAME: writes a small palette PNG without time stamps
save() {
    im "$1" -strip -define png:exclude-chunks=date,time \
        -define png:compression-level=9 PNG8:"$out/$2"
}

# heading NAME W H TEXT TEXTCOLOUR LINECOLOUR FONT LINE GAP [MARGINX [MARGINY]]
# Text centred in a W x H bitmap (both already doubled) with an underline of
# thickness LINE, GAP pixels below the text; LINE=0 draws no underline. The text
# is as large as fits within the margins. The result is left in $tmp/NAME.miff.
heading() {
    local name=$1 w=$2 h=$3 text=$4 fg=$5 lc=$6 font=$7 line=$8 gap=$9
    local mx=${10:-4}
    local my=${11:-$mx}
    local maxw=$((w - 2 * mx)) maxh=$((h - 2 * my - line - gap))
    ((line > 0)) || maxh=$((h - 2 * my))
    local pt tw th c="$tmp/$name.miff" m="$tmp/$name-text.miff"
    pt=$(fit_points "$font" "$maxw" "$maxh" "$text")
    text_mask "$m" "$font" "$pt" "$text"
    read -r tw th < <(dims "$m")
    local block=$th
    ((line > 0)) && block=$((th + gap + line))
    local x=$(((w - tw) / 2)) y=$(((h - block) / 2))
    im -size "${w}x${h}" xc:"$GREY" "$c"
    paint "$c" "$m" "$fg" "$x" "$y"
    if ((line > 0)); then
        # the underline runs a little past the text on both sides, centred
        # like the text, at an even height so that it stays sharp at nominal size
        local ulen ux0 ux1 uy
        ulen=$((tw + 4))
        ((ulen <= w)) || ulen=$w
        ux0=$(((w - ulen) / 2))
        ux1=$((w - 1 - ux0))
        uy=$(even $((y + th + gap)))
        im "$c" -fill "$lc" -draw "rectangle $ux0,$uy $ux1,$((uy + line - 1))" "$c"
    fi
}

# note NAME W H TEXT FRAMECOLOUR TEXTCOLOUR FRAME PAD: lines of text centred
# inside a frame of thickness FRAME at the edge of a W x H bitmap, at least PAD
# pixels from the frame. The result is left in $tmp/NAME.miff.
note() {
    local name=$1 w=$2 h=$3 text=$4 frame=$5 fg=$6 t=$7 pad=$8
    local maxw=$((w - 2 * (t + pad))) maxh=$((h - 2 * (t + pad)))
    local pt tw th c="$tmp/$name.miff" m="$tmp/$name-text.miff"
    pt=$(fit_points "$COND" "$maxw" "$maxh" "$text")
    text_mask "$m" "$COND" "$pt" "$text"
    read -r tw th < <(dims "$m")
    im -size "${w}x${h}" xc:"$GREY" -fill "$frame" \
        -draw "rectangle 0,0 $((w - 1)),$((t - 1))" \
        -draw "rectangle 0,$((h - t)) $((w - 1)),$((h - 1))" \
        -draw "rectangle 0,0 $((t - 1)),$((h - 1))" \
        -draw "rectangle $((w - t)),0 $((w - 1)),$((h - 1))" "$c"
    paint "$c" "$m" "$fg" $(((w - tw) / 2)) $(((h - th) / 2))
}

# --- bitmap 129, 102 x 13: "Go to next page" in magenta --------------------
heading bitmap129 204 26 'Go to next page' "$MAGENTA" "$MAGENTA" "$BOLD" 0 0 2
save "$tmp/bitmap129.miff" bitmap129.png

# --- bitmap 130, 124 x 71: the standard-deduction note ---------------------
# The three tiers as the deduction is worked out: a salary of exactly 1,00,000 or
# 5,00,000 falls in the lower tier.
SPACING=-1 note bitmap130 248 142 \
    $'Standard Deduction\nfor a Gross Salary\nup to 1,00,000: 25,000\nup to 5,00,000: 20,000\nabove 5,00,000: 0' \
    "$BLUE" "$MAGENTA" 4 6
save "$tmp/bitmap130.miff" bitmap130.png

# --- bitmap 131, 14 x 119: "HRA CALCULATION" set vertically, reading upwards --
# drawn lying down, then turned a quarter left so that it reads bottom to top
heading bitmap131-flat 238 28 'HRA CALCULATION' "$PURPLE" "$PURPLE" "$BOLD" 0 0 2
im "$tmp/bitmap131-flat.miff" -rotate -90 "$tmp/bitmap131.miff"
save "$tmp/bitmap131.miff" bitmap131.png

# --- bitmap 132, 85 x 20: "DEDUCTION" in purple, underlined ----------------
heading bitmap132 170 40 'DEDUCTION' "$PURPLE" "$PURPLE" "$COND" 4 4 4 2
save "$tmp/bitmap132.miff" bitmap132.png

# --- bitmap 133, 75 x 16: "SECTION 88" in green, underlined in green -------
heading bitmap133 150 32 'SECTION 88' "$GREEN" "$GREEN" "$COND" 2 2 4 2
save "$tmp/bitmap133.miff" bitmap133.png

# --- bitmap 134, 53 x 72: three arrows pointing left at the annual fields ---
# Rows (doubled) at y 22-25, 74-77 and 126-129; heads at the left edge. The top
# and bottom shafts end in a vertical stroke at x 56-59; the middle shaft crosses
# it and turns down at x 80-83 to the bottom edge, toward the YEARLY bitmap.
# Each head is a triangle 26 pixels long and 26 high, its tip on the row's centre.
shape_mask "$tmp/arrows.miff" 106 144 \
    'polygon 0.5,23.5 26.5,10.5 26.5,36.5' \
    'polygon 0.5,75.5 26.5,62.5 26.5,88.5' \
    'polygon 0.5,127.5 26.5,114.5 26.5,140.5'
im -size 106x144 xc:"$GREY" -fill "$GREEN" \
    -draw 'rectangle 20,22 59,25' \
    -draw 'rectangle 20,126 59,129' \
    -draw 'rectangle 56,22 59,129' \
    -draw 'rectangle 20,74 83,77' \
    -draw 'rectangle 80,74 83,143' "$tmp/bitmap134.miff"
paint "$tmp/bitmap134.miff" "$tmp/arrows.miff" "$GREEN" 0 0
save "$tmp/bitmap134.miff" bitmap134.png

# --- bitmap 135, 68 x 18: "YEARLY" in dark red, underlined in blue ---------
heading bitmap135 136 36 'YEARLY' "$DRED" "$BLUE" "$BOLD" 4 4 2
save "$tmp/bitmap135.miff" bitmap135.png

# --- bitmap 136, 48 x 48: a plain blue square ------------------------------
im -size 96x96 xc:"$BLUE" "$tmp/bitmap136.miff"
save "$tmp/bitmap136.miff" bitmap136.png

# --- bitmap 137, 159 x 16: "All values are per Annum." blue, magenta line --
heading bitmap137 318 32 'All values are per Annum.' "$BLUE" "$MAGENTA" "$BOLD" 2 2 2
save "$tmp/bitmap137.miff" bitmap137.png

# --- bitmap 138, 110 x 40: the olive note -----------------------------------
SPACING=-1 note bitmap138 220 80 \
    $'Fill all the inputs\nOtherwise result may\nnot be correct.' \
    "$OLIVE" "$OLIVE" 4 4
save "$tmp/bitmap138.miff" bitmap138.png

# --- bitmap 140, 82 x 14: "SECTION 80" in blue, underlined in red ----------
heading bitmap140 164 28 'SECTION 80' "$BLUE" "$RED" "$COND" 2 2 4 2
save "$tmp/bitmap140.miff" bitmap140.png

# --- bitmap 163, 87 x 35: the Varnolix logo ---------------------------------
# A teal tile with a white V whose upper part is crossed by two gold bars, the
# way the rupee sign is, beside the word Varnolix. Transparent around the tile
# and the word, so that it sits well on any grey dialog.
logo() {
    local c="$tmp/logo.miff" w=174 h=70
    # the tile: a rounded square with a soft vertical gradient
    im -size 60x60 gradient:'#14948C-#0B4F6C' \
        \( -size 60x60 xc:black -fill white -draw 'roundrectangle 0,0 59,59 11,11' \) \
        -alpha off -compose CopyOpacity -composite "$tmp/tile.miff"
    im -size "${w}x${h}" xc:none "$tmp/tile.miff" -geometry +4+5 -compose Over -composite "$c"
    # a thin darker rim for definition on light greys
    im "$c" -fill none -stroke '#0A3F55' -strokewidth 1.5 \
        -draw 'roundrectangle 4.5,5.5 63.5,64.5 11,11' "$c"
    # the V: two strokes meeting at the bottom, the right one slightly thinner
    im "$c" -fill white -stroke none \
        -draw 'polygon 14,16.5 25.5,16.5 35.5,47 33,55 29,55' \
        -draw 'polygon 46.5,16.5 55,16.5 38,55 34.5,55 33.5,49' "$c"
    # two gold bars, as on the rupee sign: a long one capping the V and a
    # shorter one across its left arm
    im "$c" -fill '#F4B41A' -stroke none \
        -draw 'roundrectangle 11,12 57,16 2,2' \
        -draw 'roundrectangle 11,22 34,25.5 1.75,1.75' "$c"
    # the word
    local pt tw th m="$tmp/logo-word.miff"
    pt=$(fit_points "$BOLD" 100 28 'Varnolix')
    im -background none -fill '#13294B' -font "$BOLD" -pointsize "$pt" \
        label:'Varnolix' -trim +repage "$m"
    read -r tw th < <(dims "$m")
    local x=$((72 + (100 - tw) / 2)) y=$(((h - th) / 2 - 4))
    im "$c" "$m" -geometry "+$x+$y" -compose Over -composite "$c"
    # a gold rule under the word
    im "$c" -fill '#F4B41A' -draw "roundrectangle $x,$((y + th + 5)) $((x + tw - 1)),$((y + th + 8)) 1.5,1.5" "$c"
    # at most 256 colours, smooth (partly transparent) edges kept
    im "$c" +dither -colors 256 -depth 8 -strip -define png:exclude-chunks=date,time \
        -define png:compression-level=9 PNG:"$out/bitmap163.png"
}
logo

# --- icon 128: a pocket calculator on a grey panel against teal -------------
# Drawn once on a 32 x 32 grid of cells at 16 pixels a cell (512 x 512), then
# reduced by whole factors with a box filter: the four sizes are the same drawing,
# every whole-cell edge falls on a pixel boundary at every size (sharp even at
# 32 x 32), and the finer details (the digits, the rounded corners) are evenly
# antialiased.
icon() {
    local K=16 S=512 c="$tmp/icon.miff"
    # rect X0 Y0 X1 Y1 [RADIUS]: the area from cell edge X0,Y0 to cell edge
    # X1,Y1 (fractions allowed), optionally with rounded corners
    rect() {
        awk -v k="$K" -v x0="$1" -v y0="$2" -v x1="$3" -v y1="$4" -v r="${5:-0}" 'BEGIN {
            if (r == 0) printf "rectangle %d,%d %d,%d", x0*k, y0*k, x1*k-1, y1*k-1
            else printf "roundrectangle %d,%d %d,%d %g,%g", x0*k, y0*k, x1*k-1, y1*k-1, r*k, r*k
        }'
    }
    local d=()
    # teal background and the grey panel, raised: white top-left, dark bottom-right
    d+=(-fill "$BLACK" -draw "$(rect 2 2 30 30)")
    d+=(-fill "$WHITE" -draw "$(rect 2 2 29 29)")
    d+=(-fill "$DGREY" -draw "$(rect 3 3 29 29)")
    d+=(-fill "$GREY" -draw "$(rect 3 3 28 28)")
    # the calculator: black outline, yellow body, olive shading at right and bottom
    d+=(-fill "$BLACK" -draw "$(rect 7 4 25 28 1.25)")
    d+=(-fill "$OLIVE" -draw "$(rect 8 5 24 27 0.75)")
    d+=(-fill "$YELLOW" -draw "$(rect 8 5 23 26 0.75)")
    # the display: black rim, green window, three bright seven-segment digits
    d+=(-fill "$BLACK" -draw "$(rect 9 6 22 12 0.5)")
    d+=(-fill "$GREEN" -draw "$(rect 10 7 21 11)")
    d+=(-fill "$LIME")
    local x0 y0=7.5 digit seg
    for digit in 12:1 15:2 18:5; do
        x0=${digit%%:*}
        # segments a b c d e f g of each digit, 2 x 3 cells, strokes half a cell
        case ${digit##*:} in
            1) seg="b c" ;;
            2) seg="a b g e d" ;;
            5) seg="a f g c d" ;;
        esac
        for s in $seg; do
            case $s in
                a) d+=(-draw "$(rect "$x0" $y0 $((x0 + 2)) 8)") ;;
                b) d+=(-draw "$(rect "$((x0 + 1)).5" $y0 $((x0 + 2)) 9.25)") ;;
                c) d+=(-draw "$(rect "$((x0 + 1)).5" 8.75 $((x0 + 2)) 10.5)") ;;
                d) d+=(-draw "$(rect "$x0" 10 $((x0 + 2)) 10.5)") ;;
                e) d+=(-draw "$(rect "$x0" 8.75 "$x0.5" 10.5)") ;;
                f) d+=(-draw "$(rect "$x0" $y0 "$x0.5" 9.25)") ;;
                g) d+=(-draw "$(rect "$x0" 8.75 $((x0 + 2)) 9.25)") ;;
            esac
        done
    done
    # a 4 x 4 block of keys: three grey columns, a dark operator column, and one
    # red key, the clear key at the top left
    local row col x y colour
    for row in 0 1 2 3; do
        y=$((14 + row * 3))
        for col in 0 1 2 3; do
            x=$((10 + col * 3))
            colour=$DGREY
            ((col == 3)) && colour=$BLACK
            ((row == 0 && col == 0)) && colour=$RED
            d+=(-fill "$colour" -draw "$(rect "$x" "$y" $((x + 2)) $((y + 2)) 0.375)")
        done
    done
    im -size "${S}x${S}" xc:"$TEAL" "${d[@]}" "$c"
    local size
    for size in 256 128 64 32; do
        im "$c" -filter box -resize "${size}x${size}" "$tmp/icon$size.miff"
        save "$tmp/icon$size.miff" "icon128-$size.png"
    done
}
icon
