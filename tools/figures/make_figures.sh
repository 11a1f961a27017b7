#!/bin/sh
# Draws the three study figures of the bundled pool (KF1, KF2, KF3) as
# 900 x 600 JPEG files. Needs ImageMagick's `convert` and the Liberation
# fonts. Usage: tools/figures/make_figures.sh [output directory]
# (default: the data directory of the repository).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-"$here/../../data"}
mkdir -p "$out"

FONT=Liberation-Sans-Bold
QUALITY=90

# label X Y N: a numbered marker, a white disc with a black ring and the
# number in its middle.
label() {
    printf " -stroke black -strokewidth 3 -fill white -draw 'circle %d,%d %d,%d'" \
        "$1" "$2" "$1" $(($2 + 24))
    printf " -stroke none -fill black -pointsize 30 -draw \"text %d,%d '%s'\"" \
        $(($1 - 8)) $(($2 + 11)) "$3"
}

# leader X1 Y1 X2 Y2: a thin line from a marker to the part it names.
leader() {
    printf " -stroke black -strokewidth 2 -fill none -draw 'line %d,%d %d,%d'" \
        "$1" "$2" "$3" "$4"
}

render() {
    # $1 = output file, $2 = drawing options
    eval "convert -size 900x600 xc:white -font $FONT $2 -type TrueColor -quality $QUALITY \"\$1\""
}

# ---------------------------------------------------------------- KF1
# A DC circuit: battery (1), switch (2), resistor (3), LED (4),
# ammeter (5), all in one series loop.
kf1="-stroke black -strokewidth 4 -fill none"
# wires of the loop
kf1="$kf1 -draw 'line 150,262 150,150' -draw 'line 150,150 274,150'"
kf1="$kf1 -draw 'line 380,150 500,150'"
kf1="$kf1 -draw 'line 620,150 750,150' -draw 'line 750,150 750,268'"
kf1="$kf1 -draw 'line 750,322 750,450' -draw 'line 750,450 490,450'"
kf1="$kf1 -draw 'line 410,450 150,450' -draw 'line 150,450 150,322'"
# battery: two cells, long plate is positive
kf1="$kf1 -draw 'line 105,262 195,262' -draw 'line 105,302 195,302'"
kf1="$kf1 -strokewidth 8 -draw 'line 128,282 172,282' -draw 'line 128,322 172,322'"
kf1="$kf1 -strokewidth 3 -draw 'line 205,240 225,240' -draw 'line 215,230 215,250'"
# switch, drawn open
kf1="$kf1 -strokewidth 4 -fill white -draw 'circle 280,150 280,157' -draw 'circle 380,150 380,157'"
kf1="$kf1 -fill none -draw 'line 285,146 372,100'"
# resistor zigzag
kf1="$kf1 -draw 'polyline 500,150 510,130 530,170 550,130 570,170 590,130 610,170 620,150'"
# LED: anode at the top, light arrows to the right
kf1="$kf1 -fill black -draw 'polygon 718,268 782,268 750,322'"
kf1="$kf1 -fill none -draw 'line 716,322 784,322'"
kf1="$kf1 -strokewidth 3 -draw 'line 790,300 828,270' -draw 'line 790,322 828,292'"
kf1="$kf1 -fill black -draw 'polygon 834,265 818,268 828,280' -draw 'polygon 834,287 818,290 828,302'"
# ammeter
kf1="$kf1 -strokewidth 4 -fill white -draw 'circle 450,450 450,490'"
kf1="$kf1 -stroke none -fill black -pointsize 40 -draw \"text 436,464 'A'\""
# numbered markers
kf1="$kf1 $(label 60 292 1) $(leader 84 292 102 292)"
kf1="$kf1 $(label 330 60 2) $(leader 330 84 330 118)"
kf1="$kf1 $(label 560 70 3) $(leader 560 94 560 124)"
kf1="$kf1 $(label 650 295 4) $(leader 674 295 712 295)"
kf1="$kf1 $(label 450 550 5) $(leader 450 526 450 494)"
render "$out/KF1.jpg" "$kf1"

# ---------------------------------------------------------------- KF2
# A station: power supply (1) feeds the transceiver (2); RF goes through
# an SWR meter (3) and an antenna tuner (4), then along the feed line to
# the antenna (5).
box="-stroke black -strokewidth 3 -fill '#e8e8e8'"
kf2=""
# DC leads from the power supply to the transceiver
kf2="$kf2 -strokewidth 4 -fill none -stroke '#c00000' -draw 'line 150,395 215,395'"
kf2="$kf2 -stroke black -draw 'line 150,425 215,425'"
# coax jumpers between the boxes, and the feed line to the antenna
kf2="$kf2 -stroke '#404040' -strokewidth 7 -draw 'line 365,410 410,410' -draw 'line 510,410 560,410'"
kf2="$kf2 -strokewidth 9 -draw 'polyline 690,410 800,410 800,275'"
# 1: power supply, with output terminals and a mains cord
kf2="$kf2 $box -draw 'rectangle 30,360 150,460'"
kf2="$kf2 -fill '#c00000' -draw 'circle 135,395 135,402' -fill black -draw 'circle 135,425 135,432'"
kf2="$kf2 -fill white -draw 'rectangle 45,375 105,405'"
# 2: transceiver, with display, tuning knob and microphone
kf2="$kf2 $box -draw 'rectangle 215,350 365,470'"
kf2="$kf2 -fill '#bcd4ec' -draw 'rectangle 230,365 330,395'"
kf2="$kf2 -fill white -draw 'circle 290,435 290,457' -draw 'circle 245,445 245,453'"
kf2="$kf2 -fill none -strokewidth 3 -draw 'line 250,470 230,510' -draw 'line 230,510 192,542'"
kf2="$kf2 -fill black -draw 'roundrectangle 170,540 205,580 8,8'"
# 3: SWR meter, with a dial and needle
kf2="$kf2 $box -draw 'rectangle 410,360 510,460'"
kf2="$kf2 -fill white -draw 'rectangle 422,372 498,425'"
kf2="$kf2 -fill none -strokewidth 2 -draw 'arc 427,385 493,451 200,340'"
kf2="$kf2 -strokewidth 3 -stroke '#c00000' -draw 'line 460,418 440,392'"
kf2="$kf2 -stroke black -fill white -draw 'circle 460,443 460,450'"
# 4: antenna tuner, with two large knobs
kf2="$kf2 $box -draw 'rectangle 560,360 690,460'"
kf2="$kf2 -fill white -draw 'circle 595,410 595,432' -draw 'circle 655,410 655,432'"
kf2="$kf2 -strokewidth 3 -draw 'line 595,410 595,390' -draw 'line 655,410 670,396'"
# 5: antenna on a short mast
kf2="$kf2 -stroke black -strokewidth 5 -fill none -draw 'line 800,275 800,170'"
kf2="$kf2 -draw 'polyline 800,170 750,95 850,95 800,170'"
kf2="$kf2 -draw 'line 800,170 800,95'"
# numbered markers
kf2="$kf2 $(label 90 300 1) $(leader 90 324 90 358)"
kf2="$kf2 $(label 290 290 2) $(leader 290 314 290 348)"
kf2="$kf2 $(label 460 300 3) $(leader 460 324 460 358)"
kf2="$kf2 $(label 625 300 4) $(leader 625 324 625 358)"
kf2="$kf2 $(label 700 130 5) $(leader 724 130 770 130)"
render "$out/KF2.jpg" "$kf2"

# ---------------------------------------------------------------- KF3
# Left: a half-wave dipole fed at the centre with coax. Right: a
# quarter-wave vertical with radials.
kf3="-stroke '#b0b0b0' -strokewidth 2 -fill none -draw 'line 450,40 450,560'"
# dipole arms and centre insulator
kf3="$kf3 -stroke black -strokewidth 6 -draw 'line 40,190 215,190' -draw 'line 245,190 420,190'"
kf3="$kf3 -strokewidth 3 -fill white -draw 'rectangle 215,178 245,202'"
kf3="$kf3 -draw 'circle 36,190 36,196' -draw 'circle 424,190 424,196'"
# coax down from the centre
kf3="$kf3 -stroke '#404040' -strokewidth 9 -fill none -draw 'line 230,202 230,560'"
# vertical radiator, base insulator and radials
kf3="$kf3 -stroke black -strokewidth 6 -draw 'line 675,70 675,360'"
kf3="$kf3 -strokewidth 3 -fill white -draw 'rectangle 663,360 687,384'"
kf3="$kf3 -fill none -strokewidth 5"
kf3="$kf3 -draw 'line 675,390 505,470' -draw 'line 675,390 845,470'"
kf3="$kf3 -draw 'line 675,390 590,510' -draw 'line 675,390 760,510'"
kf3="$kf3 -stroke '#404040' -strokewidth 9 -draw 'line 675,392 675,560'"
# numbered markers
kf3="$kf3 $(label 110 110 1) $(leader 110 134 110 184)"
kf3="$kf3 $(label 350 110 1) $(leader 350 134 350 184)"
kf3="$kf3 $(label 320 280 2) $(leader 302 264 247 200)"
kf3="$kf3 $(label 140 420 3) $(leader 164 420 222 420)"
kf3="$kf3 $(label 780 200 4) $(leader 756 200 681 200)"
kf3="$kf3 $(label 830 370 5) $(leader 815 389 790 440)"
render "$out/KF3.jpg" "$kf3"
