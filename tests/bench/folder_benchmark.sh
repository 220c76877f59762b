#!/bin/sh
# Times converting a folder of photometric files as workbooks in one run
# against one run a file, side by side, and prints each run's peak memory:
#   tests/bench/folder_benchmark.sh build/lumtrel [WORK_DIR]
# The folder holds 300 generated files of varied sizes, half IES, half
# EULUMDAT: 5 to 73 vertical angles, 1 to 73 planes, some of them broken.
set -eu
tool=$(realpath "$1")
work=${2:-/tmp/lumtrel-folder-benchmark}
rm -rf "$work" && mkdir -p "$work/one-run" "$work/each"
/usr/bin/python3 - "$work/one-run" <<'PYTHON'
import math, os, random, sys
random.seed(7)
folder = sys.argv[1]
for n in range(300):
    gammas = [i * 180 / (v - 1) for v in [random.choice([5, 19, 37, 73])]
              for i in range(v)]
    planes = random.choice([1, 4, 13, 25, 37, 73])
    cs = [i * 360 / planes for i in range(planes)] if planes > 1 else [0]
    def intensity(c, g):
        return max(0.0, 500 * math.cos(math.radians(g)) ** random.choice([1, 3]))
    if n % 2 == 0:
        lines = ["IESNA:LM-63-2002", f"[TEST] {n}", "[MANUFAC] bench", "TILT=NONE",
                 f"1 1000 1 {len(gammas)} {len(cs)} 1 1 0.5 0.5 0", "1 1 40",
                 " ".join("%g" % g for g in gammas), " ".join("%g" % c for c in cs)]
        lines += [" ".join("%.1f" % intensity(c, g) for g in gammas) for c in cs]
        if n % 50 == 0:
            lines[3] = "TILT"  # broken: no tilt line
        name = f"lamp_{n:03d}.ies"
    else:
        mc = max(len(cs), 1)
        lines = ["bench", "1", "0", str(mc), "%g" % (360 / mc), str(len(gammas)),
                 "%g" % (gammas[1] - gammas[0]), "r", f"lamp {n}", "n", "f", "d",
                 "100", "100", "50", "100", "100", "10", "10", "10", "10", "100",
                 "80", "1", "0", "1", "1", "LED", "1000", "nw", "80", "40"]
        lines += ["0.5"] * 10
        lines += ["%g" % c for c in cs] + ["%g" % g for g in gammas]
        lines += ["%.1f" % intensity(c, g) for c in cs for g in gammas]
        name = f"lamp_{n:03d}.LDT"
    open(os.path.join(folder, name), "w", newline="").write("\r\n".join(lines) + "\r\n")
PYTHON
cp "$work"/one-run/* "$work/each/"
echo "one run for the folder:"
(cd "$work" && /usr/bin/time -f "%e s, peak %M KB" sh -c \
  "echo overview.xlsx | '$tool' one-run >/dev/null" 2>&1 | tail -1)
echo "one run a file:"
(cd "$work/each" && /usr/bin/time -f "%e s" sh -c \
  "for f in *.ies *.LDT; do printf '%s.xlsx\n' \"\$f\" | '$tool' \"\$f\" >/dev/null; done" 2>&1 | tail -1)
largest=$(ls -S "$work/each"/*.ies "$work/each"/*.LDT | head -1)
echo "one run on the largest file:"
(cd "$work/each" && /usr/bin/time -f "%e s, peak %M KB" sh -c \
  "echo largest.xlsx | '$tool' '$largest' >/dev/null" 2>&1 | tail -1)
