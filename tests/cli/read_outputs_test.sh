#!/usr/bin/env bash
# The reading recipes that --help and the README give, run on real outputs:
# pandas and R read a single run's CSV (skipping its comment line), pandas the
# flat JSON Lines and a batch's CSV, each as a table of the expected shape.
# usage: read_outputs_test.sh CORVELLAN-RUN
set -euo pipefail
run="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

"$run" --seed 3 --distR 1 --out run.csv
"$run" --seed 3 --distR 1 --format jsonl --out run.jsonl
"$run" --seed 3 --sweep paramJ=0,0.5 --replicates 2 --out batch.csv
tested=0

# Debian's python3-pandas lives with the system's Python, which another
# python3 earlier on PATH may hide.
python=""
for candidate in python3 /usr/bin/python3; do
  if "$candidate" -c 'import pandas' 2>/dev/null; then
    python="$candidate"
    break
  fi
done

if [ -n "$python" ]; then
  "$python" - <<'PY'
import pandas as pd

run = pd.read_csv("run.csv", comment="#")
assert list(run.columns) == ["step", "firstOrderRate", "secondOrderRate",
                             "meanPropensityVolunteers", "meanPropensityNonVolunteers",
                             "meanPropensity"], list(run.columns)
assert len(run) == 101 and list(run["step"]) == list(range(101))
assert all(pd.api.types.is_numeric_dtype(t) for t in run.dtypes), run.dtypes

flat = pd.read_json("run.jsonl", lines=True)
assert len(flat) == 101 and (flat["seed"] == 3).all() and (flat["distR"] == 1).all()
exact = pd.read_json("run.jsonl", lines=True, precise_float=True)
for name in run.columns:
    # Both texts carry the same 9 significant digits; read_json's default
    # parser may miss the last bit of a double, precise_float=True does not.
    assert (exact[name] - run[name]).abs().max() == 0, name
    assert (flat[name] - run[name]).abs().max() < 1e-15, name

batch = pd.read_csv("batch.csv")
assert len(batch) == 4 * 101 and sorted(batch["paramJ"].unique()) == [0, 0.5]
assert batch.groupby("run").size().eq(101).all()

# Without comment='#', the comment line turns the table into a single text column.
wrong = pd.read_csv("run.csv")
assert wrong.shape[1] != run.shape[1]
print("pandas: read the CSV, the flat JSON Lines and a batch")
PY
  tested=$((tested + 1))
else
  echo "pandas not installed: its recipe is not checked" >&2
fi

if command -v Rscript >/dev/null; then
  # shellcheck disable=SC2016 # R code, not the shell's
  Rscript -e '
    run <- read.csv("run.csv", comment.char = "#")
    stopifnot(identical(names(run), c("step", "firstOrderRate", "secondOrderRate",
      "meanPropensityVolunteers", "meanPropensityNonVolunteers", "meanPropensity")))
    stopifnot(nrow(run) == 101, all(run$step == 0:100), is.numeric(run$meanPropensity))
    cat("R: read the CSV\n")'
  tested=$((tested + 1))
else
  echo "R not installed: its recipe is not checked" >&2
fi

# Nothing checked is a skip, not a pass.
if ((tested == 0)); then exit 77; fi
