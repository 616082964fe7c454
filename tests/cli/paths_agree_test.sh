#!/usr/bin/env bash
# Runs 3,000-replicate summaries on every path of the dynamics the processor
# has and expects the same bytes from each; skips (77) with a single path.
set -euo pipefail
runner="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

available="$("$runner" --version | sed -n 's/^dynamics: .* (available: \(.*\))$/\1/p')"
IFS=', ' read -r -a paths <<<"$available"
if [ "${#paths[@]}" -lt 2 ]; then
  echo "only one path on this processor: ${available}"
  exit 77
fi

settings=(
  "defaults|"
  "all Normal with sanctions|--distR 1 --distI 1 --distT 1 --distE 1 --distRPrime 1 --valueI 0.6 --sigmaI 0.15 --sanctionsOn 1 --corrRRPrime 0.3 --corrRI 0.5 --corrET -0.4"
)
for setting in "${settings[@]}"; do
  name="${setting%%|*}"
  read -r -a options <<<"${setting#*|}"
  for path in "${paths[@]}"; do
    CORVELLAN_PATH="$path" "$runner" --seed 1 --replicates 3000 --summary "${options[@]}" \
      >"$work/$path.csv"
  done
  for path in "${paths[@]:1}"; do
    if ! cmp "$work/${paths[0]}.csv" "$work/$path.csv"; then
      echo "$name: $path differs from ${paths[0]}" >&2
      exit 1
    fi
  done
  echo "$name: ${paths[*]} agree on $(wc -l <"$work/${paths[0]}.csv") lines"
done

# A path the build does not know is refused before anything runs.
if CORVELLAN_PATH=avx512 "$runner" --seed 1 >"$work/out" 2>"$work/err"; then
  echo "an unknown path was taken" >&2
  exit 1
fi
grep -q '^corvellan-run: CORVELLAN_PATH=avx512: no such path' "$work/err"
[ ! -s "$work/out" ]
