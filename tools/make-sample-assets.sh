#!/usr/bin/env bash
# Regenerates every picture of the bundled sample catalog from data/games.json:
# the posters (assets/post), the QR codes of the APK addresses (assets/qrcod)
# and the two button icons (assets/icon). All artwork is drawn here from
# gradients, shapes and text, so nothing third-party ends up in the bundle.
#
# Needs the Debian packages: qrencode, imagemagick, fonts-dejavu-core
# (and python3, only its standard library, to read the JSON).
#
# Usage: tools/make-sample-assets.sh [DATA_DIR]   (default: data/ of this repo)
#
# The output is byte-for-byte the same on every run: metadata and PNG time
# chunks are stripped and the "random" shapes come from a seeded generator,
# so regenerating does not make noise in version control.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
data_dir=${1:-"$here/../data"}
data_dir=$(cd "$data_dir" && pwd)
json="$data_dir/games.json"
font_dir=/usr/share/fonts/truetype/dejavu
font_bold="$font_dir/DejaVuSans-Bold.ttf"
font_regular="$font_dir/DejaVuSans.ttf"

die() { echo "make-sample-assets: $*" >&2; exit 1; }

command -v python3 >/dev/null || die "python3 is missing (apt-get install python3)"
command -v qrencode >/dev/null || die "qrencode is missing (apt-get install qrencode)"
[[ -f $font_bold && -f $font_regular ]] ||
    die "DejaVu fonts are missing in $font_dir (apt-get install fonts-dejavu-core)"
[[ -f $json ]] || die "no games.json in $data_dir"

# Pick a real ImageMagick: IM7 calls it "magick"; on IM6 "convert" may be
# shadowed by an unrelated program of the same name, so check each candidate.
im=""
for candidate in $(type -ap magick convert); do
    if "$candidate" -version 2>/dev/null | head -n1 | grep -q '^Version: ImageMagick'; then
        im=$candidate
        break
    fi
done
[[ -n $im ]] || die "ImageMagick is missing (apt-get install imagemagick)"

# Keep results independent of the machine: fixed thread count (OpenMP
# reductions can differ in the last bit) and no timestamps in the files.
export MAGICK_THREAD_LIMIT=1
png_stable=(-strip -define "png:exclude-chunks=date,time,tIME,tEXt,zTXt,iTXt")

post_dir="$data_dir/assets/post"
qr_dir="$data_dir/assets/qrcod"
icon_dir="$data_dir/assets/icon"
mkdir -p "$post_dir" "$qr_dir" "$icon_dir"

# ---------------------------------------------------------------- icons

# White robot holding a download arrow: the "install APK" button is green,
# so the glyph is white on transparent.
make_apk_icon() {
    local out="$icon_dir/apk-icon.png"
    # Drawn as a grey mask (white = glyph, black = hole), then turned into
    # white with that mask as alpha; holes thus stay truly transparent.
    "$im" -size 128x128 xc:black \
        -fill white -stroke white -strokewidth 5 \
        -draw "stroke-linecap round line 64,27 64,14" \
        -stroke none \
        -draw "circle 64,10 64,16" \
        -draw "roundrectangle 30,26 98,62 12,12" \
        -draw "roundrectangle 21,36 33,52 4,4" \
        -draw "roundrectangle 95,36 107,52 4,4" \
        -draw "roundrectangle 26,68 102,122 12,12" \
        -fill black \
        -draw "roundrectangle 43,37 57,49 4,4" \
        -draw "roundrectangle 71,37 85,49 4,4" \
        -draw "rectangle 59,76 69,95" \
        -draw "polygon 46,93 82,93 64,110" \
        -draw "roundrectangle 42,112 86,116 2,2" \
        -background white -alpha shape \
        "${png_stable[@]}" -define png:color-type=6 "$out"
}

# White paper plane for the blue "share" button: two wings split by a fold,
# with the keel hanging below.
make_telegram_icon() {
    local out="$icon_dir/telegram-icon.png"
    "$im" -size 96x96 xc:black \
        -fill white -stroke none \
        -draw "polygon 6,46 90,10 38,60" \
        -draw "polygon 40,62 90,10 70,84" \
        -draw "polygon 38,62 41,86 52,71" \
        -fill black -stroke black -strokewidth 3 \
        -draw "stroke-linecap round line 38,60 87,13" \
        -background white -alpha shape \
        "${png_stable[@]}" -define png:color-type=6 "$out"
}

# ------------------------------------------------------------- posters

poster_w=672
poster_h=400

# Gradient colours for games without a hand-picked look, dark enough that
# white titles read well and the posters sit comfortably in a dark interface.
palettes=(
    "#1a2980:#26d0ce" "#42275a:#b24592" "#134e5e:#71b280" "#3a1c71:#d76d77"
    "#0f2027:#2c5364" "#cb356b:#bd3f32" "#000428:#004e92" "#614385:#516395"
    "#093028:#237a57" "#8e2de2:#4a00e0" "#c0392b:#8e44ad" "#232526:#5b6467"
)
motif_count=9

# Hand-picked looks for the bundled games, keyed by poster name without its
# extension: "motif from to". Any other game gets one derived from its id.
declare -A looks=(
    [zvezdny-kartograf]="4 #0b1026 #2b4c7e"
    [turbo-yozhik]="5 #f12711 #f5af19"
    [khroniki-korolevstva]="1 #3a1c71 #d76d77"
    [labirint-tenej]="6 #141e30 #4b2a5e"
    [oblachnaya-ferma]="0 #2f80ed #56ccf2"
    [quantum-shakhmaty]="8 #1a2980 #26d0ce"
    [podvodny-patrul]="0 #000428 #00707a"
    [arena-mekhanoidov]="3 #190a05 #a83279"
    [pixel-povar]="7 #eb5757 #f2994a"
    [severny-ekspress]="1 #0f2027 #2c5364"
    [neon-kolibri]="2 #2a0845 #6441a5"
)

# Tiny linear congruential generator: deterministic per game, and plain
# bash so the same id gives the same shapes everywhere.
seed=1
rnd() { # rnd N -> R in [0, N)
    seed=$(((seed * 1103515245 + 12345) % 2147483648))
    R=$(((seed / 65536) % $1))
}

isqrt() { # isqrt N -> R = floor(sqrt(N))
    R=0
    while (((R + 1) * (R + 1) <= $1)); do R=$((R + 1)); done
}

alpha() { # alpha PERCENT -> "0.PP", for rgba() colours
    printf '0.%02d' "$1"
}

# Fills the array "motif" with drawing arguments for one of a few styles.
build_motif() {
    local style=$1 i x y r x2 y2 a d
    motif=()
    case $style in
    0) # floating orbs (clouds, bubbles) and a couple of rings
        for ((i = 0; i < 9; i++)); do
            rnd $poster_w; x=$R; rnd 260; y=$R; rnd 90; r=$((R + 20)); rnd 14; a=$((R + 6))
            motif+=(-fill "rgba(255,255,255,$(alpha $a))" -draw "circle $x,$y $((x + r)),$y")
        done
        for ((i = 0; i < 2; i++)); do
            rnd $poster_w; x=$R; rnd 200; y=$R; rnd 80; r=$((R + 60))
            motif+=(-fill none -stroke "rgba(255,255,255,0.30)" -strokewidth 3
                -draw "circle $x,$y $((x + r)),$y" -stroke none)
        done
        ;;
    1) # a low sun behind layered mountain ridges
        rnd 400; x=$((R + 140))
        motif+=(-fill "rgba(255,236,179,0.55)" -draw "circle $x,170 $((x + 70)),170")
        local layer pts step h
        for layer in 0 1 2; do
            pts="0,$poster_h"
            for ((step = 0; step <= 8; step++)); do
                rnd 90; h=$((150 + layer * 55 + R))
                pts+=" $((step * poster_w / 8)),$h"
            done
            pts+=" $poster_w,$poster_h"
            motif+=(-fill "rgba(0,0,0,$(alpha $((22 + layer * 12))))" -draw "polygon $pts")
        done
        ;;
    2) # striped sun setting behind a perspective grid
        local cx=$((poster_w / 2)) horizon=215 sr=120
        motif+=(-fill "rgba(255,196,70,0.80)" -draw "circle $cx,$horizon $((cx + sr)),$horizon")
        # Bands across the lower half of the sun, each exactly as wide as
        # the disc at its height so nothing sticks out at the sides.
        for ((i = 0; i < 5; i++)); do
            y=$((horizon - 70 + i * 15)); d=$((horizon - y))
            isqrt $((sr * sr - d * d))
            motif+=(-fill "rgba(0,0,0,0.55)"
                -draw "rectangle $((cx - R)),$y $((cx + R)),$((y + 2 + i))")
        done
        motif+=(-fill "rgba(8,0,24,0.88)" -draw "rectangle 0,$horizon $poster_w,$poster_h")
        motif+=(-fill none -stroke "rgba(255,90,220,0.75)" -strokewidth 2)
        for ((i = 0; i < 7; i++)); do
            y=$((horizon + 2 + i * i * 5))
            motif+=(-draw "line 0,$y $poster_w,$y")
        done
        for ((i = -8; i <= 8; i++)); do
            motif+=(-draw "line $cx,$horizon $((cx + i * 110)),$poster_h")
        done
        motif+=(-stroke none)
        ;;
    3) # scattered glass shards
        for ((i = 0; i < 14; i++)); do
            rnd $poster_w; x=$R; rnd $poster_h; y=$R
            rnd 160; x2=$((x + R - 80)); rnd 160; y2=$((y + R - 80))
            rnd 120; r=$((R - 60)); rnd 16; a=$((R + 5))
            motif+=(-fill "rgba(255,255,255,$(alpha $a))"
                -draw "polygon $x,$y $x2,$y2 $((x + r)),$((y2 + 40))")
        done
        ;;
    4) # star field with a ringed planet
        for ((i = 0; i < 70; i++)); do
            rnd $poster_w; x=$R; rnd $poster_h; y=$R; rnd 3; r=$((R + 1))
            motif+=(-fill "rgba(255,255,255,$(alpha $((50 + r * 15))))"
                -draw "circle $x,$y $((x + r)),$y")
        done
        rnd 200; x=$((R + 420)); rnd 60; y=$((R + 90))
        motif+=(-fill "rgba(255,255,255,0.22)" -draw "circle $x,$y $((x + 62)),$y"
            -fill none -stroke "rgba(255,255,255,0.55)" -strokewidth 4
            -draw "ellipse $x,$y 110,24 0,360" -stroke none)
        ;;
    5) # speed streaks
        for ((i = 0; i < 16; i++)); do
            rnd $poster_w; x=$((R - 100)); rnd 300; y=$((R + 10))
            rnd 260; d=$((R + 80)); rnd 6; r=$((R + 3)); rnd 30; a=$((R + 12))
            motif+=(-fill "rgba(255,255,255,$(alpha $a))"
                -draw "roundrectangle $x,$y $((x + d)),$((y + r)) $r,$r")
        done
        ;;
    6) # a maze of diagonal walls on a square grid
        local cell=32 walls=""
        for ((y = 0; y < poster_h; y += cell)); do
            for ((x = 0; x < poster_w; x += cell)); do
                rnd 2
                if ((R)); then
                    walls+=" line $x,$y $((x + cell)),$((y + cell))"
                else
                    walls+=" line $((x + cell)),$y $x,$((y + cell))"
                fi
            done
        done
        motif+=(-fill none -stroke "rgba(255,255,255,0.16)" -strokewidth 3
            -draw "stroke-linecap round$walls" -stroke none)
        ;;
    7) # chunky pixels
        local px=24
        for ((i = 0; i < 60; i++)); do
            rnd $((poster_w / px)); x=$((R * px)); rnd $((poster_h / px)); y=$((R * px))
            rnd 20; a=$((R + 6)); rnd 3
            if ((R)); then r=255; else r=0; fi
            motif+=(-fill "rgba($r,$r,$r,$(alpha $a))"
                -draw "rectangle $x,$y $((x + px - 1)),$((y + px - 1))")
        done
        ;;
    8) # a board of light and dark squares running off the right edge
        local sq=46 bx=380 by=16 col row squares=""
        for ((row = 0; row < 8; row++)); do
            for ((col = 0; col < 8; col++)); do
                if (((row + col) % 2 == 0)); then
                    x=$((bx + col * sq)); y=$((by + row * sq))
                    squares+=" rectangle $x,$y $((x + sq - 1)),$((y + sq - 1))"
                fi
            done
        done
        motif+=(-fill "rgba(255,255,255,0.14)" -draw "${squares# }"
            -fill none -stroke "rgba(255,255,255,0.40)" -strokewidth 2
            -draw "rectangle $((bx - 6)),$((by - 6)) $((bx + 8 * sq + 5)),$((by + 8 * sq + 5))"
            -stroke none)
        for ((i = 0; i < 3; i++)); do
            rnd 300; x=$((R + 60)); rnd 200; y=$((R + 40)); rnd 40; r=$((R + 14))
            motif+=(-fill "rgba(160,255,250,0.28)" -draw "circle $x,$y $((x + r)),$y")
        done
        ;;
    esac
}

make_poster() {
    local id=$1 name=$2 genre=$3 out=$4
    local key=${out##*/}
    key=${key%.*}
    local style from to
    if [[ -n ${looks[$key]:-} ]]; then
        read -r style from to <<<"${looks[$key]}"
    else
        local palette=${palettes[$(((id - 1) % ${#palettes[@]}))]}
        style=$(((id - 1) % motif_count)) from=${palette%%:*} to=${palette##*:}
    fi
    local angle=$((100 + (id * 37) % 140))
    local len=${#name} size
    # Short titles get big letters; long ones wrap onto two or three lines.
    if ((len <= 12)); then size=64; elif ((len <= 20)); then size=52; else size=42; fi

    seed=$((id * 7919 + 17))
    build_motif "$style"

    local quality=()
    case $out in
    *.jpg | *.jpeg) quality=(-sampling-factor 4:2:0 -quality 80 -interlace none) ;;
    *) quality=(-depth 8 "${png_stable[@]}" -quality 95) ;;
    esac

    # The genre sits top left under a short accent bar; no genre, no bar.
    local tag=()
    if [[ -n $genre ]]; then
        tag=(-fill "rgba(255,255,255,0.85)" -draw "rectangle 32,30 72,34"
            -font "$font_regular" -pointsize 20 -kerning 2 -annotate +32+42 "$genre")
    fi

    "$im" -size ${poster_w}x${poster_h} -define gradient:angle=$angle "gradient:$from-$to" \
        "${motif[@]}" \
        \( -size ${poster_w}x${poster_h} gradient:"rgba(0,0,0,0)-rgba(0,0,0,0.70)" \) \
        -compose over -composite \
        \( -background none -fill white -font "$font_bold" -pointsize $size \
        -interline-spacing -4 -size $((poster_w - 64))x caption:"$name" \
        \( +clone -background black -shadow 70x3+0+3 \) +swap \
        -background none -layers merge +repage \) \
        -gravity southwest -geometry +30+26 -compose over -composite \
        -gravity northwest "${tag[@]}" \
        -alpha off "${quality[@]}" "$out"
}

# ---------------------------------------------------------------- run

# One record per game, fields split by the ASCII unit separator so empty
# values survive "read" (tabs would be merged as whitespace).
read_games() {
    python3 -c '
import json, sys
with open(sys.argv[1], encoding="utf-8") as f:
    games = json.load(f)
for g in games:
    info = g.get("info") or {}
    fields = [str(g.get("id", "")), g.get("name", ""), info.get("genre", "").upper(),
              g.get("post", ""), g.get("qrcode", ""), g.get("apkUrl", "")]
    print("\x1f".join(f.replace("\x1f", " ").replace("\n", " ") for f in fields))
' "$json"
}

# File names come from the JSON: refuse anything that could leave the folder.
safe_name() {
    [[ $1 =~ ^[A-Za-z0-9._-]+$ && $1 != .* ]] || die "unsafe file name in games.json: '$1'"
}

records=$(read_games)

make_apk_icon
make_telegram_icon
echo "icons: $icon_dir"

while IFS=$'\x1f' read -r id name genre post qrcode apk; do
    if [[ -n $post ]]; then
        safe_name "$post"
        make_poster "$id" "$name" "$genre" "$post_dir/$post"
        echo "poster: $post"
    fi
    if [[ -n $qrcode ]]; then
        safe_name "$qrcode"
        [[ -n $apk ]] || die "game $id has a qrcode but no apkUrl"
        # Level M survives a little blur from scaling in the interface.
        qrencode -l M -s 4 -m 2 -t PNG -o "$qr_dir/$qrcode" "$apk"
        echo "qrcode: $qrcode -> $apk"
    fi
done <<<"$records"
