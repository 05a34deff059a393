#!/usr/bin/env python3
"""Runs one command and prints its wall time, peak memory and bytes written.

    measure.py DIR STDIN_TEXT COMMAND...

The command runs in DIR with STDIN_TEXT as its standard input and its
standard output and error discarded. The bytes written are the kernel's count of bytes
the process passed to write calls (wchar of /proc/PID/io), read while the
process is a zombie, so nothing it wrote escapes the count. The disk peak is
the most the files below DIR held at one time, sampled every 50 ms, so a
short peak may be missed. Prints one line: wall seconds, peak resident
kilobytes, bytes written, CPU seconds (user and system), disk peak bytes.
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
    sampler.start()
    child.stdin.write(keys.encode())
    child.stdin.close()
    # Wait without reaping, so that /proc still holds the process's counters.
    os.waitid(os.P_PID, child.pid, os.WEXITED | os.WNOWAIT)
    wall = time.monotonic() - start
    done.set()
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
