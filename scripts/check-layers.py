#!/usr/bin/env python3
"""Checks the include rules of src/: a file includes headers of its own layer or lower ones,
and Qt only under */ui/. Prints each offending line and exits 1 when there is one.

Usage: check-layers.py [SOURCE_DIR]   (default: the checkout this script lies in)
"""
import re
import sys
from pathlib import Path

# Lowest first. cli and every */ui/ directory sit on top of all of them.
LAYERS = ["platform", "app/util", "app/settings", "jpegtools", "core", "imageops", "batch",
          "app/view", "app/commands"]
TOP = len(LAYERS)

LOCAL_INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SYSTEM_INCLUDE = re.compile(r'^\s*#\s*include\s*<([^>]+)>')
QT_HEADER = re.compile(r'^(Q[A-Za-z0-9_]*(\.h)?|Qt[A-Za-z0-9_]*/.*)$')


def is_ui(path):
    return path.startswith("ui/") or "/ui/" in path


def layer_of(path):
    """The layer of a path relative to src/ (TOP for cli and ui), or None when unknown."""
    if is_ui(path) or path.startswith("cli/"):
        return TOP
    best = None
    for rank, layer in enumerate(LAYERS):
        if path.startswith(layer + "/"):
            best = rank
    return best


def problems_of(source, relative):
    own = layer_of(relative)
    if own is None:
        yield f"{relative}: lies in no layer"
        return
    folder = str(Path(relative).parent)
    for number, line in enumerate(source.read_text(errors="replace").splitlines(), 1):
        where = f"src/{relative}:{number}"
        system = SYSTEM_INCLUDE.match(line)
        if system and QT_HEADER.match(system.group(1)) and not is_ui(relative):
            yield f"{where}: Qt outside */ui/: {line.strip()}"
        local = LOCAL_INCLUDE.match(line)
        if not local:
            continue
        header = local.group(1)
        if "/" not in header:  # a header beside the file
            header = f"{folder}/{header}"
        if header.startswith("Q") and not is_ui(relative):
            yield f"{where}: Qt outside */ui/: {line.strip()}"
            continue
        target = layer_of(header)
        if target is None:
            continue  # not a project header
        if is_ui(header) and not is_ui(relative):
            yield f"{where}: includes a ui header: {line.strip()}"
        elif target > own:
            yield f"{where}: includes a higher layer: {line.strip()}"


def main():
    root = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent)
    src = root / "src"
    if not src.is_dir():
        print(f"no src/ in {root}", file=sys.stderr)
        return 2
    problems = []
    for source in sorted(src.rglob("*")):
        if source.suffix in (".cpp", ".h") and source.is_file():
            problems += problems_of(source, source.relative_to(src).as_posix())
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
