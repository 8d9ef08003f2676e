#!/usr/bin/env bash
# Builds and runs every benchmark program in bench/ and prints one table:
# operation, card size, median time per operation over the repetitions, and
# the peak resident memory of a process that runs only that benchmark (pages
# that are allocated but never written, like most of a fresh grid, do not count).
# Then the 3D view's real OpenGL frames (bench/GlFrameBench.cpp) on a virtual
# display with Mesa's software renderer, in a table of their own.
#   bash scripts/bench.sh                 # 5 repetitions of at least 0.2 s
#   bash scripts/bench.sh 9 0.5           # repetitions, seconds per repetition
set -euo pipefail
cd "$(dirname "$0")/.."

repetitions=${1:-5}
min_time=${2:-0.2}

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOPWRIGHT_BENCH=ON >/dev/null
cmake --build build -j "$(nproc)" >/dev/null

/usr/bin/python3 - "$repetitions" "$min_time" build/bench/bench_* <<'PY'
import json, os, re, subprocess, sys, tempfile

repetitions, min_time = sys.argv[1], sys.argv[2]
programs = [p for p in sys.argv[3:] if os.path.isfile(p) and os.access(p, os.X_OK)]

# Programs whose benchmarks all use one card without naming it.
UNLABELLED_SIZE = {"bench_output": "80x40"}
SIZE = re.compile(r"(\d+)x(\d+)")
TO_SECONDS = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def run_alone(program, name):
    """Runs one benchmark in its own process; its median and the peak RSS."""
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        proc = subprocess.Popen(
            [program, "--benchmark_filter=^%s$" % re.escape(name),
             "--benchmark_repetitions=" + repetitions, "--benchmark_report_aggregates_only=true",
             "--benchmark_min_time=" + min_time, "--benchmark_out=" + out.name,
             "--benchmark_out_format=json"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _, status, usage = os.wait4(proc.pid, 0)
        proc.returncode = os.waitstatus_to_exitcode(status)
        if proc.returncode != 0:
            sys.exit("%s %s failed" % (program, name))
        runs = json.load(open(out.name))["benchmarks"]
    median = next(r for r in runs if r.get("aggregate_name") == "median")
    return median, usage.ru_maxrss * 1024


def per_operation(run):
    # A benchmark whose iteration is many operations says so in a per_* counter
    # (seconds per operation); otherwise one iteration is one operation.
    for key, value in run.items():
        if key.startswith("per_") and key != "per_family_instance_index":
            return value
    return run["real_time"] * TO_SECONDS[run["time_unit"]]


def show_time(seconds):
    for unit, scale in (("s", 1.0), ("ms", 1e-3), ("us", 1e-6)):
        if seconds >= scale:
            return "%.3g %s" % (seconds / scale, unit)
    return "%.3g ns" % (seconds / 1e-9)


rows = []
for program in programs:
    base = os.path.basename(program)
    names = subprocess.run([program, "--benchmark_list_tests=true"], capture_output=True, text=True,
                           check=True).stdout.split()
    for name in names:
        run, rss = run_alone(program, name)
        label = run.get("label", "")
        found = SIZE.search(label) or SIZE.search(name)
        size = found.group(0) if found else UNLABELLED_SIZE.get(base, "")
        operation = name[3:] if name.startswith("BM_") else name
        # Benchmarks timed by the wall clock (work on another thread) carry /real_time.
        operation = re.sub(r"/real_time$", "", operation)
        w, _, h = size.partition("x")
        operation = re.sub(r"/%s/%s$" % (w, h), "", operation) if size else operation
        extra = SIZE.sub("", label).strip(" ,")
        if extra:
            operation += " (" + extra + ")"
        rows.append((base, operation, "%s by %s" % (w, h) if size else "-", show_time(per_operation(run)),
                     "%.1f MiB" % (rss / 2**20)))

print("| program | operation | card size | median time per operation | peak memory |")
print("|---|---|---|---|---|")
for row in rows:
    print("| " + " | ".join(row) + " |")
PY

echo
LIBGL_ALWAYS_SOFTWARE=1 QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" build/bench/gl_frame_bench

echo
LIBGL_ALWAYS_SOFTWARE=1 QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" build/bench/gl_freeform_frame_bench
