#!/usr/bin/env python3
"""Times one command of the running editor: sends its key, then watches the program.

  busy_time.py PID idle KEY-COMMAND...   from the first moment a thread of PID runs after
                                         the key was sent (xdotool's own start-up is not
                                         counted) to the last moment any ran, once all
                                         have slept for a while
  busy_time.py PID exit KEY-COMMAND...   from that first moment until PID has ended (or is
                                         a zombie)

Polls every 2 ms; prints the wall seconds and the CPU seconds PID used meanwhile (user and
system, all threads: on a busy machine the wall time also holds the waits for a processor),
with three decimals. Bounded by 300 s.
"""
import os
import subprocess
import sys
import time

POLL = 0.002
QUIET = 0.6  # asleep this long in a row: the command is over
LIMIT = 300.0


def states(pid):
    result = []
    try:
        tasks = os.listdir(f"/proc/{pid}/task")
    except FileNotFoundError:
        return None
    for task in tasks:
        try:
            with open(f"/proc/{pid}/task/{task}/stat") as f:
                result.append(f.read().rsplit(")", 1)[1].split()[0])
        except (FileNotFoundError, ProcessLookupError, IndexError):
            pass
    return result


def cpu_seconds(pid):
    try:
        with open(f"/proc/{pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
    except (FileNotFoundError, ProcessLookupError, IndexError):
        return None


def main():
    pid, mode, key = int(sys.argv[1]), sys.argv[2], sys.argv[3:]
    if mode not in ("idle", "exit") or not key:
        sys.exit(f"usage: {sys.argv[0]} PID idle|exit KEY-COMMAND...")
    cpu_start = cpu_seconds(pid) or 0.0
    cpu_last = cpu_start
    start = time.time()
    sender = subprocess.Popen(key)
    deadline = start + LIMIT
    first_run = None
    last_run = time.time()
    end = None
    while time.time() < deadline:
        now = time.time()
        s = states(pid)
        gone = s is None or (s and all(x in ("Z", "X") for x in s))
        if s is not None:
            cpu_last = cpu_seconds(pid) or cpu_last
        if gone:
            end = now
            break
        running = "R" in s or "D" in s
        if running:
            last_run = now
            if first_run is None:
                first_run = now
        elif mode == "idle" and first_run is not None and now - last_run > QUIET:
            end = last_run
            break
        time.sleep(POLL)
    if end is None:
        end = time.time()
    sender.wait()
    begin = first_run if first_run is not None else start
    print(f"{max(0.0, end - begin):.3f} {cpu_last - cpu_start:.3f}")


if __name__ == "__main__":
    main()
