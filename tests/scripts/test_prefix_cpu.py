#!/usr/bin/env python3
"""The whole-prefix CPU count of scripts/prefix_cpu.py: what each way a
process can start, run and end in a window adds up to, and a real window over
processes of a made-up prefix."""
import os
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
import prefix_cpu  # noqa: E402
from prefix_cpu import Proc, window_cost  # noqa: E402

WATCHER = 4242


def look(ticks, children=0.0, threads=None, ppid=1000):
    return Proc(ppid, ticks, children, threads)


class WindowCost(unittest.TestCase):
    def test_each_way_through_a_window(self):
        A, B = (10, 1), (11, 1)
        cases = [
            # (what, start, end, last, reaped, expected ms)
            ("same threads, nothing reaped: the scheduler's nanoseconds, not the ticks",
             {A: look(100, threads={1: 100_000_000, 2: 5_000_000})},
             {A: look(100, threads={1: 103_500_000, 2: 5_250_000})}, {}, {}, 3.75),
            ("a thread ended: its time is only in the ticks",
             {A: look(100, threads={1: 100_000_000, 2: 5_000_000})},
             {A: look(120, threads={1: 101_000_000})}, {}, {}, 20.0),
            ("a child reaped in the window: the ticks, cutime included",
             {A: look(100, threads={1: 1})},
             {A: look(150, children=40, threads={1: 1})}, {}, {}, 50.0),
            ("no thread readable: the ticks",
             {A: look(100)}, {A: look(130)}, {}, {}, 30.0),
            ("started in the window: all it spent",
             {}, {A: look(70, threads={1: 1})}, {}, {}, 70.0),
            ("ended and reaped by the watcher: wait4's total less the start",
             {A: look(100, ppid=WATCHER)}, {}, {A: look(110, ppid=WATCHER)}, {10: 135.5}, 35.5),
            ("started and ended in the window, reaped by the watcher",
             {}, {}, {A: look(20, ppid=WATCHER)}, {10: 42.0}, 42.0),
            ("ended and reaped by its parent in the prefix: counted once, in the parent's cutime",
             {A: look(100, ppid=11), B: look(300, threads={1: 1})},
             {B: look(300 + 160, children=160, threads={1: 1})},
             {A: look(140, ppid=11)}, {}, 60.0),
            ("ended and reaped out of sight: up to its last look",
             {A: look(100, ppid=1)}, {}, {A: look(125, ppid=1)}, {}, 25.0),
            ("a reused pid is another process",
             {A: look(500, ppid=WATCHER)}, {(10, 9): look(8, threads={1: 1})},
             {A: look(500, ppid=WATCHER)}, {10: 503.0}, 11.0),
        ]
        for what, start, end, seen, reaped, expected in cases:
            with self.subTest(what):
                last = dict(start)
                last.update(seen)
                last.update(end)
                total, parts = window_cost(start, end, last, reaped, WATCHER)
                self.assertAlmostEqual(total, expected, places=6)
                self.assertAlmostEqual(sum(parts.values()), total, places=6)


class ParseStat(unittest.TestCase):
    def test_names_with_spaces_and_brackets(self):
        tick = prefix_cpu.TICK_MS
        fields = ["S", "77"] + ["0"] * 9 + ["3", "4", "5", "6"] + ["0"] * 4 + ["987654"] + ["0"] * 30
        for name in ["wine", "C:\\a b\\x.exe", "odd) (name", ")"]:
            with self.subTest(name):
                ppid, ticks, children, started, got = prefix_cpu.parse_stat(f"123 ({name}) " + " ".join(fields))
                self.assertEqual((ppid, started, got), (77, 987654, name))
                self.assertAlmostEqual(ticks, 18 * tick)
                self.assertAlmostEqual(children, 11 * tick)


BURN = """
import sys, time
time.sleep(float(sys.argv[1]))
while time.process_time() < float(sys.argv[2]):
    pass
time.sleep(float(sys.argv[3]))
"""


class RealWindow(unittest.TestCase):
    def start(self, prefix, *times):
        env = dict(os.environ, WINEPREFIX=prefix)
        return subprocess.Popen([sys.executable, "-c", BURN] + [str(t) for t in times], env=env)

    def test_counts_the_prefix_only_and_a_process_that_ends(self):
        with tempfile.TemporaryDirectory() as root:
            ours, other = os.path.join(root, "pre"), os.path.join(root, "pre-other")
            # One ends inside the window after 0.3 s of CPU; one burns 0.2 s
            # and stays; one of another prefix whose name begins alike burns 0.3 s.
            ending = self.start(ours, 0.4, 0.3, 0)
            staying = self.start(ours, 0.4, 0.2, 10)
            foreign = self.start(other, 0.4, 0.3, 10)
            try:
                time.sleep(0.3)  # the interpreters have started
                prefix = prefix_cpu.Prefix(ours)
                ms, parts, names = prefix.measure(3.0)
                self.assertIn(ending.pid, prefix.reaped)
                self.assertIn(ending.pid, {k[0] for k in parts})
                self.assertIn(staying.pid, {k[0] for k in parts})
                self.assertNotIn(foreign.pid, {k[0] for k in parts})
                self.assertNotIn(os.getpid(), {k[0] for k in parts})
                # 0.5 s burnt, less what the interpreters spent starting (more
                # on a busy machine); without the ending one it would be 0.2 s
                self.assertGreater(ms, 300)
                self.assertLess(ms, 650)
            finally:
                for p in (ending, staying, foreign):
                    p.kill()
                    try:
                        p.wait(timeout=5)
                    except ChildProcessError:
                        pass


if __name__ == "__main__":
    unittest.main()
