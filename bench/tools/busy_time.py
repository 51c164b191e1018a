#!/usr/bin/env python3
"""Times one command of the running editor from the moment its key was sent.

  busy_time.py PID START idle      seconds from START (date +%s.%N) to the last moment any
                                   thread of PID ran, once it has slept for a while
  busy_time.py PID START exit      seconds from START until PID has ended (or is a zombie)
  busy_time.py PID START title RE [NOT_ID]
                                   seconds from START until the active window's title
                                   matches the regular expression RE (xdotool), and the
                                   window is not the one with id NOT_ID

Polls every 2 ms; prints the seconds with three decimals. Bounded by 300 s.
"""
import os
import re
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


def main():
    pid, start, mode = int(sys.argv[1]), float(sys.argv[2]), sys.argv[3]
    deadline = time.time() + LIMIT
    if mode == "idle":
        last_run = time.time()
        while time.time() < deadline:
            now = time.time()
            s = states(pid)
            if s is None:
                break
            if "R" in s or "D" in s:
                last_run = now
            elif now - last_run > QUIET:
                break
            time.sleep(POLL)
        print(f"{last_run - start:.3f}")
    elif mode == "exit":
        while time.time() < deadline:
            s = states(pid)
            if s is None or (s and all(x in ("Z", "X") for x in s)):
                break
            time.sleep(POLL)
        print(f"{time.time() - start:.3f}")
    elif mode == "title":
        pattern = re.compile(sys.argv[4])
        not_id = sys.argv[5] if len(sys.argv) > 5 else ""
        while time.time() < deadline:
            lines = subprocess.run(["xdotool", "getactivewindow", "getwindowname", "getactivewindow"],
                                   capture_output=True, text=True).stdout.splitlines()
            if len(lines) == 2 and pattern.fullmatch(lines[0].strip()) and lines[1].strip() != not_id:
                break
            time.sleep(POLL)
        print(f"{time.time() - start:.3f}")
    else:
        sys.exit(f"unknown mode {mode}")


if __name__ == "__main__":
    main()
