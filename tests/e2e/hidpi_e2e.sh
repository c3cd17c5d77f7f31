#!/usr/bin/env bash
# Runs fendral at the scale factors 1, 1.25, 1.5 and 2 under its own Xvfb display, starts a game,
# steers, grabs the window and checks that every cell of the field is a whole block of 8 x factor
# device pixels of one colour, and that at factor 2 the status panel's text has detail finer than
# a scaled-up 1x picture.
#   hidpi_e2e.sh <path of the built fendral>
here=$(dirname "$0")
source "$here/lib.sh"
E2E_SCREEN=2100x1600x24 e2e_setup /usr/bin/convert xwininfo import python3
for factor in 1 1.25 1.5 2; do
    e2e_start_fendral "$program" QT_SCALE_FACTOR=$factor
    width=$(xwininfo -id "$window" | sed -n 's/^ *Width: *//p')
    [ "$width" = "$(python3 -c "print(round(1024 * $factor))")" ] \
        || fail "at $factor the window is $width device pixels wide"
    e2e_start_game
    xdotool key Up
    sleep 1
    e2e_shot "scale$factor"
    e2e_stop
    /usr/bin/convert "$work/scale$factor.png" "$work/scale.ppm"
    read -r _ cells _ uneven _ fine < <(python3 "$here/cell_blocks.py" "$work/scale.ppm" "$factor") \
        || fail "at $factor the field could not be checked"
    echo "factor $factor: $uneven of $cells cells uneven, $fine fine panel blocks"
    # The few sprites (Alpha and the enemies of level 1) cover at most four cells each
    [ "$uneven" -le 40 ] || fail "at $factor $uneven cells are not one colour over their block"
    [ "$factor" != 2 ] || [ "$fine" -gt 100 ] || fail "at 2 the status panel's text is a scaled-up picture"
done
echo "PASS"
