#!/usr/bin/env bash
# Makes the picture readers' fuzz seeds: small valid files of every variant a reader takes,
# written by ImageMagick as an independent writer, into <folder>/graphic_<format>_fuzz/.
# Usage: fuzz-seeds.sh <folder>
set -euo pipefail
out=$1
jpeg="$out/graphic_jpeg_fuzz" png="$out/graphic_png_fuzz" bmp="$out/graphic_bmp_fuzz" aai="$out/graphic_aai_fuzz"
mkdir -p "$jpeg" "$png" "$bmp" "$aai"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Odd sides, so that the decoders' edge blocks and padded rows are reached.
convert -size 19x13 gradient:red-blue -fill white -draw 'rectangle 3,3 9,7' "$scratch/opaque.png"
convert -size 19x13 gradient:'rgba(255,0,0,1)-rgba(0,0,255,0.2)' "$scratch/alpha.png"
opaque="$scratch/opaque.png" alpha="$scratch/alpha.png"

convert "$opaque" -quality 80 "$jpeg/baseline.jpg"
convert "$opaque" -interlace JPEG "$jpeg/progressive.jpg"
convert "$opaque" -colorspace Gray "$jpeg/grey.jpg"
convert "$opaque" -colorspace CMYK "$jpeg/cmyk.jpg"
convert "$opaque" -sampling-factor 1x1 "$jpeg/444.jpg"
convert "$opaque" -sampling-factor 2x1 "$jpeg/422.jpg"
# The baseline file with an EXIF segment that turns it (orientation 6), after its SOI marker.
python3 - "$jpeg/baseline.jpg" "$jpeg/exif-rotated.jpg" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
tiff = b"MM\x00\x2a" + struct.pack(">I", 8) + struct.pack(">H", 1)
tiff += struct.pack(">HHIHH", 0x0112, 3, 1, 6, 0) + struct.pack(">I", 0)
app1 = b"Exif\x00\x00" + tiff
open(sys.argv[2], "wb").write(data[:2] + b"\xff\xe1" + struct.pack(">H", len(app1) + 2) + app1 + data[2:])
PY
# The baseline file with zero bytes padded before its end marker.
python3 - "$jpeg/baseline.jpg" "$jpeg/padded.jpg" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
open(sys.argv[2], "wb").write(data[:-2] + bytes(64) + data[-2:])
PY

for depth in 1 2 4 8 16; do
  convert "$opaque" -colorspace Gray -define png:color-type=0 -define png:bit-depth=$depth "$png/grey$depth.png"
done
convert "$opaque" -define png:color-type=2 -define png:bit-depth=8 "$png/rgb8.png"
convert "$opaque" -define png:color-type=2 -define png:bit-depth=16 "$png/rgb16.png"
convert "$opaque" PNG8:"$png/palette.png"
convert "$alpha" -channel A -threshold 50% +channel PNG8:"$png/palette-trns.png"
convert "$alpha" -colorspace Gray -define png:color-type=4 -define png:bit-depth=8 "$png/grey-alpha8.png"
convert "$alpha" -colorspace Gray -define png:color-type=4 -define png:bit-depth=16 "$png/grey-alpha16.png"
convert "$alpha" -define png:color-type=6 -define png:bit-depth=8 "$png/rgba8.png"
convert "$alpha" -define png:color-type=6 -define png:bit-depth=16 "$png/rgba16.png"
convert "$alpha" -interlace PNG "$png/interlaced.png"

convert "$opaque" BMP3:"$bmp/rgb24.bmp"
convert "$alpha" -define bmp:format=bmp4 BMP:"$bmp/rgba32.bmp"
convert "$opaque" -type Palette BMP3:"$bmp/palette.bmp"

convert "$opaque" "$aai/opaque.aai"
convert "$alpha" "$aai/alpha.aai"
