#!/usr/bin/env python3
"""Checks the include rules of src/ and prints each offending line; exits 1 when there is one.

- A file includes headers of its own folder, or of a folder in a lower layer. Folders that share
  a layer (the subsystem dialogs) do not include each other.
- Qt appears only under ui/.
- No include cycle between units (a unit is a .h with its .cpp).

Usage: check-layers.py [SOURCE_DIR]   (default: the checkout this script lies in)
"""
import re
import sys
from pathlib import Path

# Lowest first; the folders of one entry share a layer.
LAYERS = [
    ["base"],
    ["settings"],
    ["jpegtools"],
    ["core"],
    ["imageops"],
    ["batch"],
    ["shell"],
    ["cli"],
    ["ui/kit"],
    ["ui/jpegtools", "ui/imageops", "ui/batch"],
    ["ui/shell"],
]
# cli and ui are two tops of the same library: neither includes the other.
APART = {("cli", "ui"), ("ui", "cli")}

# Cycles that predate this check, being taken apart; none may grow and no new one may appear.
KNOWN_CYCLES = [
    ["batch/BatchFile", "batch/BatchJob", "batch/BatchRunner"],
    ["settings/RecentFiles", "settings/SettingKeys", "settings/SettingOverride",
     "settings/SettingRules", "settings/SettingsStore"],
]

LOCAL_INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SYSTEM_INCLUDE = re.compile(r'^\s*#\s*include\s*<([^>]+)>')
QT_HEADER = re.compile(r'^(Q[A-Za-z0-9_]*(\.h)?|Qt[A-Za-z0-9_]*/.*)$')


def is_ui(path):
    return path.startswith("ui/")


def folder_of(path):
    """The layer folder a path relative to src/ lies in, or None."""
    for layer in LAYERS:
        for folder in layer:
            if path.startswith(folder + "/"):
                return folder
    return None


def rank_of(folder):
    return next(rank for rank, layer in enumerate(LAYERS) if folder in layer)


def include_problem(own, target):
    """Why a file of folder `own` may not include a header of folder `target`, or None."""
    if own == target:
        return None
    if (own.split("/")[0], target.split("/")[0]) in APART:
        return "includes a header of another top"
    if rank_of(target) > rank_of(own):
        return "includes a higher layer"
    if rank_of(target) == rank_of(own):
        return "includes a folder of its own layer"
    return None


def includes_of(source, relative):
    """(line number, line, header as written, header relative to src/) for each local include."""
    folder = str(Path(relative).parent)
    for number, line in enumerate(source.read_text(errors="replace").splitlines(), 1):
        local = LOCAL_INCLUDE.match(line)
        if local:
            header = local.group(1)
            yield number, line, header, header if "/" in header else f"{folder}/{header}"


def problems_of(source, relative):
    own = folder_of(relative)
    if own is None:
        yield f"{relative}: lies in no layer"
        return
    for number, line in enumerate(source.read_text(errors="replace").splitlines(), 1):
        system = SYSTEM_INCLUDE.match(line)
        if system and QT_HEADER.match(system.group(1)) and not is_ui(relative):
            yield f"src/{relative}:{number}: Qt outside ui/: {line.strip()}"
    for number, line, written, header in includes_of(source, relative):
        where = f"src/{relative}:{number}"
        if written.startswith("Q") and not is_ui(relative):
            yield f"{where}: Qt outside ui/: {line.strip()}"
            continue
        target = folder_of(header)
        why = target and include_problem(own, target)
        if why:
            yield f"{where}: {why}: {line.strip()}"


def unit_of(relative):
    return str(Path(relative).with_suffix(""))


def cycles_of(graph):
    """The strongly connected components of more than one unit (Tarjan, iterative)."""
    index, low, on_stack, stack, found = {}, {}, set(), [], []
    for start in sorted(graph):
        if start in index:
            continue
        work = [(start, iter(sorted(graph[start])))]
        index[start] = low[start] = len(index)
        stack.append(start)
        on_stack.add(start)
        while work:
            node, successors = work[-1]
            advanced = False
            for successor in successors:
                if successor not in graph:
                    continue
                if successor not in index:
                    index[successor] = low[successor] = len(index)
                    stack.append(successor)
                    on_stack.add(successor)
                    work.append((successor, iter(sorted(graph[successor]))))
                    advanced = True
                    break
                if successor in on_stack:
                    low[node] = min(low[node], index[successor])
            if advanced:
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[node])
            if low[node] == index[node]:
                component = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    component.append(member)
                    if member == node:
                        break
                if len(component) > 1:
                    found.append(sorted(component))
    return found


def main():
    root = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent)
    src = root / "src"
    if not src.is_dir():
        print(f"no src/ in {root}", file=sys.stderr)
        return 2
    problems = []
    graph = {}
    for source in sorted(src.rglob("*")):
        if source.suffix in (".cpp", ".h") and source.is_file():
            relative = source.relative_to(src).as_posix()
            problems += problems_of(source, relative)
            unit = graph.setdefault(unit_of(relative), set())
            unit.update(unit_of(header) for _, _, _, header in includes_of(source, relative))
    for cycle in cycles_of(graph):
        if cycle in KNOWN_CYCLES:
            continue
        problems.append(f"include cycle between {len(cycle)} units: {' '.join(cycle)}")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
