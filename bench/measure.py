#!/usr/bin/env python3
"""Runs one command and prints its wall time, peak memory and bytes written.

    measure.py DIR STDIN_TEXT COMMAND...

The command runs in DIR with STDIN_TEXT as its standard input and its
standard output and error discarded. The bytes written are the kernel's count of bytes
the process passed to write calls (wchar of /proc/PID/io), read while the
process is a zombie, so nothing it wrote escapes the count. With MEASURE_DISK
set, the disk peak is the most the files below DIR held at one time,
sampled every 50 ms (so a short peak may be missed, and the sampling takes
time of its own); otherwise it is 0. Prints one line: wall seconds, peak resident
kilobytes, bytes written, CPU seconds (user and system), disk peak bytes.
With MEASURE_LIMIT set, a command still running after that many seconds is
killed, and nothing is printed (exit status 1).
"""
import os
import subprocess
import sys
import threading
import time


def folder_bytes(folder):
    total = 0
    for root, _, files in os.walk(folder):
        for name in files:
            try:
                total += os.lstat(os.path.join(root, name)).st_size
            except OSError:
                pass
    return total


def waitid_limited(child, limit):
    """Waits, without reaping, until the child ends or `limit` seconds pass."""
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        if os.waitid(os.P_PID, child.pid, os.WEXITED | os.WNOWAIT | os.WNOHANG):
            return
        time.sleep(0.05)
    raise TimeoutError


def main():
    folder, keys, command = sys.argv[1], sys.argv[2], sys.argv[3:]
    start = time.monotonic()
    child = subprocess.Popen(command, cwd=folder, stdin=subprocess.PIPE,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    peak = [0]
    done = threading.Event()

    def sample():
        while not done.wait(0.05):
            peak[0] = max(peak[0], folder_bytes(folder))

    sampler = threading.Thread(target=sample)
    if os.environ.get("MEASURE_DISK"):
        sampler.start()
    child.stdin.write(keys.encode())
    child.stdin.close()
    limit = float(os.environ.get("MEASURE_LIMIT", "0"))
    if limit > 0:
        try:
            waitid_limited(child, limit)
        except TimeoutError:
            child.kill()
            child.wait()
            done.set()
            if sampler.is_alive():
                sampler.join()
            sys.exit(1)
    # Wait without reaping, so that /proc still holds the process's counters.
    os.waitid(os.P_PID, child.pid, os.WEXITED | os.WNOWAIT)
    wall = time.monotonic() - start
    done.set()
    if sampler.is_alive():
        sampler.join()
    written = 0
    with open("/proc/%d/io" % child.pid) as io:
        for line in io:
            name, value = line.split(":")
            if name == "wchar":
                written = int(value)
    _, _, usage = os.wait4(child.pid, 0)
    child.returncode = 0
    print("%.3f %d %d %.3f %d" % (wall, usage.ru_maxrss, written, usage.ru_utime + usage.ru_stime,
                                  peak[0]))


if __name__ == "__main__":
    main()
