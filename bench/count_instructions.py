#!/usr/bin/env python3
"""Instructions per call of one function, counted by callgrind (repeatable where wall
time is not).

usage: bench/count_instructions.py BENCH_BINARY BENCHMARK_FILTER FUNCTION_SUBSTRING

Runs the benchmark binary under callgrind with the given filter and prints, for every
function whose name contains FUNCTION_SUBSTRING, the calls made to it and the inclusive
instructions per call.
"""
import os
import re
import subprocess
import sys
import tempfile


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    binary, bench_filter, wanted = sys.argv[1:]
    with tempfile.NamedTemporaryFile(suffix=".callgrind") as out:
        subprocess.run(
            ["valgrind", "--tool=callgrind", f"--callgrind-out-file={out.name}", binary,
             f"--benchmark_filter={bench_filter}", "--benchmark_min_time=0.02"],
            check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            # Bind symbols at start-up so the first call does not pay for it.
            env={**os.environ, "LD_BIND_NOW": "1"})
        names = {}
        calls = {}
        cost = {}
        current_cfn = None
        pending_calls = None
        for line in open(out.name, encoding="utf-8", errors="replace"):
            m = re.match(r"^(c?fn)=\((\d+)\)(?: (.*))?$", line.rstrip("\n"))
            if m:
                kind, ident, name = m.groups()
                if name:
                    names[ident] = name
                if kind == "cfn":
                    current_cfn = ident
                continue
            m = re.match(r"^calls=(\d+)", line)
            if m:
                pending_calls = int(m.group(1))
                continue
            if pending_calls is not None:
                parts = line.split()
                inclusive = int(parts[1]) if len(parts) > 1 else 0
                calls[current_cfn] = calls.get(current_cfn, 0) + pending_calls
                cost[current_cfn] = cost.get(current_cfn, 0) + inclusive
                pending_calls = None
        for ident, name in sorted(names.items(), key=lambda kv: kv[1]):
            if wanted in name and calls.get(ident):
                print(f"{calls[ident]:>8} calls  {cost[ident] // calls[ident]:>10} "
                      f"instructions per call  {name}")


if __name__ == "__main__":
    main()
