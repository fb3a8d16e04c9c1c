#!/usr/bin/env bash
# Draws the program's own artwork with ImageMagick: the icon (48, 32, 24 and 16 pixels, 32 bits
# with alpha) and the about box's two pictures (GIF, one frame each). The results are committed;
# run this again only to change them.
set -euo pipefail
cd "$(dirname "$0")"
# The version drawn on the banner is the project's, from the one place it is set; the banner
# carries it as its comment too, which the build checks.
version=$(sed -n 's/^project(Varkam VERSION \([0-9]*\)\.\([0-9]*\).*/\1.\2/p' ../CMakeLists.txt)
[ -n "$version" ] || { echo "no version in CMakeLists.txt" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The icon: a white V on a blue-to-teal rounded square, with an orange dot for the meaning.
for size in 48 32 24 16; do
  radius=$((size / 5))
  convert -size ${size}x${size} xc:none \
    \( -size ${size}x${size} gradient:'#1b4f9c-#1f9e9a' \) \
    \( -size ${size}x${size} xc:none -fill white \
       -draw "roundrectangle 0,0,$((size - 1)),$((size - 1)),$radius,$radius" \) \
    -delete 0 -compose CopyOpacity -composite \
    -fill white -font DejaVu-Sans-Bold -pointsize $((size * 3 / 4)) -gravity center \
    -annotate +0+$((size / 24)) 'V' \
    -fill '#f39c12' -draw "circle $((size * 3 / 4)),$((size / 4)) $((size * 3 / 4 + size / 10)),$((size / 4))" \
    -define png:color-type=6 "PNG32:$work/icon-$size.png"
done
convert "$work/icon-48.png" "$work/icon-32.png" "$work/icon-24.png" "$work/icon-16.png" \
  Varkam.ico

# The about box's pictures at a scale: 1 for 96 dpi, 2 for the larger ones, which the about box
# shrinks with a good filter at the scales between. Every size below is the 96-dpi one. They
# are few colours, and the picture's flat background is not dithered, so that the program stays
# small.
pictures() {
  local s=$1 suffix=$2
  # The banner, 298 by 166: the name on a gradient; its bottom 17 rows fall outside the frame.
  convert -size $((298 * s))x$((166 * s)) gradient:'#1b4f9c-#1f9e9a' \
    -fill white -font DejaVu-Sans-Bold -pointsize $((44 * s)) -gravity north \
    -annotate +0+$((26 * s)) 'Varkam' \
    -font DejaVu-Sans -pointsize $((15 * s)) -annotate +0+$((86 * s)) 'English to Persian dictionary' \
    -fill '#f39c12' -draw "scale $s,$s rectangle 99,120 199,123" \
    -font DejaVu-Sans -pointsize $((11 * s)) -fill '#dfeff5' -annotate +0+$((128 * s)) "version $version" \
    -colors 48 -set comment "version $version" "banner$suffix.gif"

  # The picture, 298 by 266: an open book, and the way to the web site.
  convert -size $((298 * s))x$((266 * s)) xc:'#f4f7fb' \
    -fill '#1b4f9c' -draw "scale $s,$s polygon 39,60 149,80 149,200 39,180" \
    -fill '#1f9e9a' -draw "scale $s,$s polygon 149,80 259,60 259,180 149,200" \
    -fill white -draw "scale $s,$s polygon 47,68 145,86 145,190 47,172" \
    -draw "scale $s,$s polygon 153,86 251,68 251,172 153,190" \
    -stroke '#9db4cc' -strokewidth $((2 * s)) \
    -draw "line $((57 * s)),$((90 * s)) $((135 * s)),$((104 * s))" \
    -draw "line $((57 * s)),$((106 * s)) $((135 * s)),$((120 * s))" \
    -draw "line $((57 * s)),$((122 * s)) $((135 * s)),$((136 * s))" \
    -draw "line $((57 * s)),$((138 * s)) $((120 * s)),$((149 * s))" \
    -draw "line $((163 * s)),$((104 * s)) $((241 * s)),$((90 * s))" \
    -draw "line $((163 * s)),$((120 * s)) $((241 * s)),$((106 * s))" \
    -draw "line $((163 * s)),$((136 * s)) $((241 * s)),$((122 * s))" \
    -draw "line $((178 * s)),$((149 * s)) $((241 * s)),$((138 * s))" -stroke none \
    -fill '#1b4f9c' -font DejaVu-Sans -pointsize $((14 * s)) -gravity north \
    -annotate +0+$((18 * s)) 'A word, and its meaning at once' \
    -fill '#1f6fbf' -font DejaVu-Sans-Bold -pointsize $((13 * s)) \
    -annotate +0+$((214 * s)) 'Visit the Varkam web site' \
    +dither -colors 64 "picture$suffix.gif"
}
pictures 1 ""
pictures 2 "-2x"
identify Varkam.ico banner.gif picture.gif banner-2x.gif picture-2x.gif
