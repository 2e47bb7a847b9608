#!/usr/bin/env bash
# A round lasts its 120 seconds on the wall clock even when the window is
# hidden (unmapped, as a minimised window is) for 20 of them in the middle,
# and while hidden the game waits between steps instead of spinning: at most
# a fifth of a core. It plays a whole round, so it runs in the normal build only.
source "$(dirname "$0")/lib/common.sh"  # fail; the round clock starts the game
out=$(bash "$(dirname "$0")/../../scripts/round_clock.sh" --hide 20 "$2")
echo "${out}"
ticks=$(echo "${out}" | sed -nE 's/^hidden for 20 s: ([0-9]+) of ([0-9]+) .*/\1 \2/p')
seconds=$(echo "${out}" | sed -nE 's/^round: ([0-9.]+) real seconds.*/\1/p')
awk -v t="${ticks}" 'BEGIN { split(t, v, " "); exit !(v[1] <= 20 * v[2] / 5) }' ||
    fail "more than a fifth of a core while hidden"
awk -v t="${seconds}" 'BEGIN { exit !(t >= 117 && t <= 123) }' ||
    fail "the round took ${seconds} s, expected 120 +- 3"
echo "hidden_round: ok"
