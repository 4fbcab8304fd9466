#!/usr/bin/env python3
"""The folders of src/ depend one way: no chain of includes between them
comes back to where it started."""
import graphlib
import os
import re
import sys
import unittest

SRC = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^/"]+)/', re.M)


def folder_graph(src):
    graph = {}
    for root, _, files in os.walk(src):
        folder = os.path.relpath(root, src).split(os.sep)[0]
        for name in files:
            if name.endswith((".h", ".cpp")):
                with open(os.path.join(root, name), encoding="utf-8") as f:
                    graph.setdefault(folder, set()).update(INCLUDE.findall(f.read()))
    for folder, used in graph.items():
        used.discard(folder)
    return graph


class IncludeDirection(unittest.TestCase):
    def test_no_folder_includes_back_what_includes_it(self):
        try:
            tuple(graphlib.TopologicalSorter(folder_graph(SRC)).static_order())
        except graphlib.CycleError as e:
            self.fail("folders include each other: " + " -> ".join(e.args[1]))


if __name__ == "__main__":
    sys.exit(unittest.main())
