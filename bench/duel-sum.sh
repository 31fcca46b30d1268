#!/usr/bin/env bash
# Adds up the pairs that runs of bench's tamsa_duel wrote (TAMSA_DUEL_PAIRS) and prints the
# duel's table over all of them: per contract and over the seven, the mean penalty points per
# deal at "střední" and at "vysoká" and the change with its 95 % interval; for Maturita, how
# often the chooser came through clean.
#
#   bench/duel-sum.sh pairs.tsv more-pairs.tsv ...
set -euo pipefail
awk -F'\t' '
  BEGIN { split("Červené Filky Pr-Po Všechny Červený·král Kvarty Desítky Maturita", name, " ") }
  { c = $1; n[c]++; a[c] += $4; b[c] += $5; d = $5 - $4; s[c] += d; q[c] += d * d
    if (c < 7) { N++; A += $4; B += $5; S += d; Q += d * d } }
  function row(label, n, a, b, s, q, pct,   m, se) {
    m = s / n; se = sqrt((q - n * m * m) / (n - 1) / n)
    if (pct) printf "| %s | %.3f | %.3f | %+.1f %% | %+.1f %% to %+.1f %% |\n", label, a / n, b / n, 100 * m / (a / n), 100 * (m - 1.96 * se) / (a / n), 100 * (m + 1.96 * se) / (a / n)
    else printf "| %s | %.1f %% | %.1f %% | %+.1f points | %+.1f to %+.1f |\n", label, 100 * a / n, 100 * b / n, 100 * m, 100 * (m - 1.96 * se), 100 * (m + 1.96 * se)
  }
  END {
    print "| contract | střední | vysoká | change | 95 % interval |"; print "|---|---:|---:|---:|---|"
    for (c = 0; c < 7; c++) if (n[c]) { l = name[c + 1]; gsub("·", " ", l); row(l " (" n[c] " pairs)", n[c], a[c], b[c], s[c], q[c], 1) }
    if (n[7]) row("Maturita, clean (" n[7] " first attempts)", n[7], a[7], b[7], s[7], q[7], 0)
    if (N) row("all seven", N, A, B, S, Q, 1)
  }' "$@"
