#!/usr/bin/env python3
"""Instructions per render pass, counted by callgrind (repeatable where wall time is not).

usage: bench/count_instructions.py [BUILD_DIR] [SCENARIO ...]

Runs build/bench/pass_cost under callgrind for each scenario (default: all of new, bar,
bar100, bar1000, circle, status, circle1080, rect1080, solid), collecting only the measured
passes, and prints the instructions per pass.
"""
import os
import re
import subprocess
import sys
import tempfile

PASSES = {"new": 50, "bar": 50, "bar100": 5, "bar1000": 2, "circle": 2, "status": 20,
          "circle1080": 2, "rect1080": 2, "solid": 50}


def main():
    args = sys.argv[1:]
    build = "build"
    if args and os.path.isdir(args[0]):
        build = args.pop(0)
    scenarios = args or list(PASSES)
    binary = os.path.join(build, "bench", "pass_cost")
    for name in scenarios:
        passes = PASSES.get(name, 10)
        with tempfile.NamedTemporaryFile(suffix=".callgrind") as out:
            subprocess.run(
                ["valgrind", "--tool=callgrind", "--toggle-collect=*MeasuredPasses*",
                 f"--callgrind-out-file={out.name}", binary, name, str(passes)],
                check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                env={**os.environ, "LD_BIND_NOW": "1"})
            total = 0
            for line in open(out.name, encoding="utf-8", errors="replace"):
                m = re.match(r"^summary: (\d+)", line)
                if m:
                    total = int(m.group(1))
        print(f"{name:>8}: {total // passes:>12,} instructions per pass")


if __name__ == "__main__":
    main()
