#!/usr/bin/env python3
"""The program's include graph: no cycle among its files, and no folder
including one above it. A file and its header count as one unit
(diagram/mapping.cpp and diagram/mapping.h are diagram/mapping).

Usage: check_includes.py [source root]   (default: the checkout)
Prints every cycle and every upward include; exits 1 if there is any.
"""
import os
import re
import sys

# What each folder may include besides itself: the calculation and the
# settings stand on nothing of the window; the shell may use everything.
ALLOWED = {
    "calc": {"calc"},
    "settings": {"calc", "settings"},
    "form": {"calc", "settings", "form", "diagram"},
    "diagram": {"calc", "settings", "form", "diagram"},
    "shell": {"calc", "settings", "form", "diagram", "shell"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def units(root):
    graph = {}
    for folder in ALLOWED:
        if not os.path.isdir(os.path.join(root, folder)):
            continue
        for name in sorted(os.listdir(os.path.join(root, folder))):
            stem, ext = os.path.splitext(name)
            if ext not in (".cpp", ".h", ".rc"):
                continue
            unit = folder + "/" + stem
            with open(os.path.join(root, folder, name), encoding="utf-8", errors="replace") as f:
                text = f.read()
            edges = graph.setdefault(unit, set())
            for target in INCLUDE.findall(text):
                other = os.path.splitext(target)[0]
                if other != unit and other.split("/")[0] in ALLOWED:
                    edges.add(other)
    return graph


def cycles(graph):
    """Strongly connected components of more than one unit (Tarjan)."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(unit):
        index[unit] = low[unit] = len(index)
        stack.append(unit)
        on_stack.add(unit)
        for other in sorted(graph.get(unit, ())):
            if other not in index:
                visit(other)
                low[unit] = min(low[unit], low[other])
            elif other in on_stack:
                low[unit] = min(low[unit], index[other])
        if low[unit] == index[unit]:
            component = []
            while True:
                other = stack.pop()
                on_stack.discard(other)
                component.append(other)
                if other == unit:
                    break
            if len(component) > 1:
                found.append(sorted(component))

    for unit in sorted(graph):
        if unit not in index:
            visit(unit)
    return found


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    graph = units(root)
    faults = 0
    for component in cycles(graph):
        print("include cycle: " + " <-> ".join(component))
        faults += 1
    for unit in sorted(graph):
        for other in sorted(graph[unit]):
            if other.split("/")[0] not in ALLOWED[unit.split("/")[0]]:
                print("upward include: %s includes %s" % (unit, other))
                faults += 1
    edges = sum(len(e) for e in graph.values())
    print("%d units, %d includes between them, %d faults" % (len(graph), edges, faults))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
