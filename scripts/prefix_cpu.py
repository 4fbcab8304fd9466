#!/usr/bin/env python3
"""Runs a command under Wine and measures, from outside Wine, the CPU time the
whole Wine prefix spends (wineserver, Wine's services, every program of the
prefix) whenever the command asks for it.

Usage: prefix_cpu.py [-v] COMMAND...   (WINEPREFIX set, no wineserver running)

The command's stdout is passed through, except for the requests it writes
there, one a line:
    @prefix-idle LABEL    waits until the prefix is quiet, then measures 10 s
The answer goes to the command's stdin, one line: the milliseconds of CPU the
prefix spent per 10 s and, after a space, wineserver's part of them; or -1
when the prefix did not come to rest.

The prefix's processes are those whose environment holds this WINEPREFIX,
this script and its ancestors aside. Their CPU is utime + stime (+ cutime +
cstime: the children they reaped) from /proc, and, where a process kept the
same threads and reaped nothing, the sum of its threads' scheduler run times,
which counts in nanoseconds where utime and stime count in 10 ms ticks. This
script takes the prefix's orphans as their reaper, so a process that ends is
counted up to its very end by wait4's figures.
"""
import ctypes
import os
import subprocess
import sys
import time

WINDOW_S = 10.0
# At rest is when two seconds in a row cost the same, within a few ms, and
# little: a program that ticks every 10 ms is at rest too (about 15 ms a
# second under Wine), one still loading or animating is not.
SETTLE_STEP_S = 1.0
SETTLE_BUSY_MS = 40.0
SETTLE_SAME_MS = 3.0
SETTLE_MAX_S = 15.0
POLL_S = 0.25
PR_SET_CHILD_SUBREAPER = 36

TICK_MS = 1000.0 / os.sysconf("SC_CLK_TCK")


class Proc:
    """One look at one process: `ticks_ms` counts the children it reaped too."""

    def __init__(self, ppid, ticks_ms, children_ms=0.0, threads_ns=None, name=""):
        self.ppid = ppid
        self.ticks_ms = ticks_ms
        self.children_ms = children_ms
        self.threads_ns = threads_ns  # {tid: ns}, None when unreadable
        self.name = name


def window_cost(start, end, last, reaped, watcher_pid):
    """CPU in ms spent between two scans.

    start, end: {key: Proc} of the scans opening and closing the window;
    last: {key: Proc}, each process's latest look, including those seen only
    between the scans; reaped: {pid: ms}, wait4's total for the processes this
    script reaped in the window; watcher_pid: this script. A key is (pid,
    start time) so that a reused pid is another process.
    Returns (total_ms, {key: ms}).
    """
    parts = {}
    for key in set(start) | set(last) | set(end):
        s, e, seen = start.get(key), end.get(key), last.get(key)
        before = s.ticks_ms if s else 0.0
        if s and e:
            steady = (s.threads_ns is not None and e.threads_ns is not None
                      and set(s.threads_ns) == set(e.threads_ns) and e.children_ms == s.children_ms)
            if steady:
                parts[key] = sum(e.threads_ns.values()) / 1e6 - sum(s.threads_ns.values()) / 1e6
            else:
                parts[key] = e.ticks_ms - before
        elif e:
            parts[key] = e.ticks_ms
        else:
            pid = key[0]
            if pid in reaped:
                parts[key] = reaped[pid] - before
            elif seen is not None and seen.ppid != watcher_pid and seen.ppid != 1:
                # Its parent reaped it: its whole time is in the parent's cutime.
                parts[key] = -before
            else:
                # Reaped out of sight: counted up to its last look.
                parts[key] = (seen.ticks_ms if seen else before) - before
    return sum(parts.values()), parts


def parse_stat(text):
    """(ppid, utime+stime+cutime+cstime in ms, cutime+cstime in ms, start time, name)."""
    name = text[text.index("(") + 1:text.rindex(")")]
    f = text[text.rindex(")") + 2:].split()
    # f[0] is field 3 (state) of proc(5): field n is f[n - 3].
    ppid = int(f[1])
    own = (int(f[11]) + int(f[12])) * TICK_MS
    children = (int(f[13]) + int(f[14])) * TICK_MS
    return ppid, own + children, children, int(f[19]), name


def read_stat(pid):
    with open(f"/proc/{pid}/stat") as f:
        return parse_stat(f.read())


class Prefix:
    def __init__(self, prefix):
        self.marker = b"WINEPREFIX=" + os.fsencode(prefix)
        self.self_pid = os.getpid()
        self.outside = set()  # this script and its ancestors
        pid = self.self_pid
        while pid > 0:
            self.outside.add(pid)
            try:
                pid = read_stat(pid)[0]
            except (OSError, ValueError):
                break
        self.members = {}  # (pid, start time) -> whether in the prefix
        self.reaped = {}   # pid -> ms, since the last reset
        self.on_exit = None

    def _belongs(self, pid):
        if pid in self.outside:
            return False
        try:
            with open(f"/proc/{pid}/environ", "rb") as f:
                return self.marker in f.read().split(b"\0")
        except OSError:
            return False

    def reap(self):
        while True:
            try:
                pid, status, usage = os.wait4(-1, os.WNOHANG)
            except ChildProcessError:
                return
            if pid == 0:
                return
            self.reaped[pid] = (usage.ru_utime + usage.ru_stime) * 1000.0
            if self.on_exit:
                self.on_exit(pid, status)

    def scan(self):
        found = {}
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            pid = int(entry)
            try:
                ppid, ticks, children, started, name = read_stat(pid)
            except (OSError, ValueError, IndexError):
                continue
            key = (pid, started)
            if key not in self.members:
                self.members[key] = self._belongs(pid)
            if not self.members[key]:
                continue
            threads = {}
            try:
                for tid in os.listdir(f"/proc/{pid}/task"):
                    with open(f"/proc/{pid}/task/{tid}/schedstat") as f:
                        threads[int(tid)] = int(f.read().split()[0])
            except (OSError, ValueError, IndexError):
                threads = None
            found[key] = Proc(ppid, ticks, children, threads or None, name)
        return found

    def measure(self, seconds):
        """CPU of the prefix over `seconds`, per that time: (ms, parts, names)."""
        self.reap()
        self.reaped = {}
        start = self.scan()
        last = dict(start)
        t0 = time.monotonic()
        while True:
            left = seconds - (time.monotonic() - t0)
            if left <= 0:
                break
            time.sleep(min(POLL_S, left))
            self.reap()
            last.update(self.scan())
        self.reap()
        end = self.scan()
        elapsed = time.monotonic() - t0
        last.update(end)
        total, parts = window_cost(start, end, last, self.reaped, self.self_pid)
        names = {k: last[k].name for k in last}
        return total * seconds / elapsed, parts, names


def at_rest(before, now):
    return max(before, now) <= SETTLE_BUSY_MS and abs(now - before) <= max(SETTLE_SAME_MS, 0.15 * now)


def settle_and_measure(prefix, verbose):
    before = prefix.measure(SETTLE_STEP_S)[0]
    waited = SETTLE_STEP_S
    while True:
        now = prefix.measure(SETTLE_STEP_S)[0]
        waited += SETTLE_STEP_S
        if at_rest(before, now):
            break
        if waited >= SETTLE_MAX_S:
            return -1.0, 0.0
        before = now
    ms, parts, names = prefix.measure(WINDOW_S)
    total = sum(parts.values())
    if verbose:
        print(f"    {ms:8.2f} ms per {WINDOW_S:.0f} s over {len(parts)} processes, "
              f"at rest after {waited:.0f} s", file=sys.stderr)
        for key, v in sorted(parts.items(), key=lambda kv: -kv[1]):
            if abs(v) >= 0.05:
                print(f"    {names.get(key, '?'):>16} {key[0]:>7}: {v:8.2f} ms", file=sys.stderr)
    server = sum(v for k, v in parts.items() if names.get(k, "").startswith("wineserver"))
    return ms, server * ms / total if total else 0.0


def main(argv):
    verbose = len(argv) > 1 and argv[1] == "-v"
    command = argv[2:] if verbose else argv[1:]
    wineprefix = os.environ.get("WINEPREFIX")
    if not command or not wineprefix:
        print("usage: WINEPREFIX=... prefix_cpu.py [-v] COMMAND...", file=sys.stderr)
        return 2
    try:
        libc = ctypes.CDLL(None, use_errno=True)
        if libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0) != 0:
            raise OSError(ctypes.get_errno(), "prctl")
    except (OSError, AttributeError) as e:
        print(f"prefix_cpu: cannot reap the prefix's orphans ({e}); a process that ends "
              "mid-window is counted up to its last look", file=sys.stderr)
    prefix = Prefix(wineprefix)
    # The server and the services start here, so that they are this script's
    # descendants and reaped by it.
    subprocess.run(["wineserver", "-p"], check=False)
    subprocess.run(["wine", "cmd", "/c", "exit"], stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
    load_before = os.getloadavg()[0]
    child = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    exit_status = []
    prefix.on_exit = lambda pid, status: exit_status.append(status) if pid == child.pid else None
    for raw in child.stdout:
        line = raw.decode("utf-8", "replace").rstrip("\r\n")
        if line.startswith("@prefix-idle"):
            if verbose:
                print(f"  [{line[len('@prefix-idle'):].strip()}]", file=sys.stderr)
            ms, server = settle_and_measure(prefix, verbose)
            try:
                child.stdin.write(f"{ms:.3f} {server:.3f}\n".encode())
                child.stdin.flush()
            except BrokenPipeError:
                break
        else:
            print(line, flush=True)
    child.stdout.close()
    while not exit_status:
        try:
            pid, status, _ = os.wait4(-1, 0)
        except ChildProcessError:
            break
        if pid == child.pid:
            exit_status.append(status)
    print(f"Machine load (the other programs running, which slow start-up down): load average "
          f"{load_before:.1f} at the start, {os.getloadavg()[0]:.1f} at the end, on {os.cpu_count()} CPUs.")
    subprocess.run(["wineserver", "-k"], stderr=subprocess.DEVNULL, check=False)
    prefix.reap()
    if not exit_status:
        return 1
    return os.waitstatus_to_exitcode(exit_status[0])


if __name__ == "__main__":
    sys.exit(main(sys.argv))
