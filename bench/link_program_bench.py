#!/usr/bin/env python3
"""Wall time of `kestrin-cli program` of a full parameter set against kestrin-sim.

The link moves at most one block per 55 ms tick, so a program run of blocks
0..19 followed by the verify of blocks 1..19 cannot take less than 39 ticks
(2145 ms). This prints, per run and as the median of all runs:

  run      first block frame sent .. reply to the last verify read (the
           transfer itself, comparable with the 39-tick minimum)
  start    command start .. first block frame (the tick counter reaches the
           send; 6 ticks after the port opens)
  saving   "Verify: OK" .. the unit's saving countdown at 0
  total    wall time of the whole command

usage: link_program_bench.py KESTRIN_CLI KESTRIN_SIM [RUNS]
"""

import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

TICK_MS = 55
MIN_TICKS = 20 + 19  # 20 block writes, 19 verify reads
TRACE = re.compile(r"^\s*(\d+) ms (->|<-) (\d+): ([0-9A-F]{2})")


def run_program(cli, device, path):
    start = time.monotonic()
    proc = subprocess.run([cli, "program", "--port", device, path, "--trace"],
                          stderr=subprocess.PIPE, stdout=subprocess.DEVNULL, text=True)
    total = (time.monotonic() - start) * 1000
    if proc.returncode != 0:
        sys.exit("program failed:\n" + proc.stderr[-2000:])
    first_send = last_verify = None
    polls_after = []
    for line in proc.stderr.splitlines():
        m = TRACE.match(line)
        if not m:
            continue
        ms, direction, code = int(m.group(1)), m.group(2), m.group(4)
        if direction == "->" and code == "00" and first_send is None:
            first_send = ms
        if direction == "<-" and code == "D3":
            last_verify = ms
        if direction == "<-" and code == "B0" and last_verify is not None:
            polls_after.append(ms)
    saving = (polls_after[-1] - last_verify) if polls_after else 0
    return {"run": last_verify - first_send, "start": first_send, "saving": saving, "total": total}


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    cli, sim = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    # The unit has a processor of its own; at real-time priority (where the
    # system allows it) a busy machine does not delay its answers.
    unit = subprocess.Popen([sim, "--realtime"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    try:
        device = unit.stdout.readline().strip()
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "set.ign")
            subprocess.run([cli, "read", "--port", device, "-o", path], check=True,
                           stderr=subprocess.DEVNULL)
            results = [run_program(cli, device, path) for _ in range(runs)]
    finally:
        unit.terminate()
        unit.wait()

    minimum = MIN_TICKS * TICK_MS
    print(f"{'':8}{'run ms':>10}{'start ms':>10}{'saving ms':>11}{'total ms':>10}{'run/min':>9}")
    for i, r in enumerate(results, 1):
        print(f"run {i:<4}{r['run']:>10.0f}{r['start']:>10.0f}{r['saving']:>11.0f}{r['total']:>10.0f}"
              f"{r['run'] / minimum:>9.3f}")
    med = {k: statistics.median(r[k] for r in results) for k in results[0]}
    print(f"{'median':8}{med['run']:>10.0f}{med['start']:>10.0f}{med['saving']:>11.0f}{med['total']:>10.0f}"
          f"{med['run'] / minimum:>9.3f}")
    print(f"tick-bound minimum of the transfer: {MIN_TICKS} ticks = {minimum} ms; "
          f"median run is {100 * (med['run'] / minimum - 1):+.1f} % of it")


if __name__ == "__main__":
    main()
