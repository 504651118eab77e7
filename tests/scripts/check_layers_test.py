#!/usr/bin/env python3
"""Feeds check-layers.py small source trees and checks what it refuses."""
import subprocess
import sys
import tempfile
from pathlib import Path

SCRIPT = Path(sys.argv[1])

# (files of the tree, a text every refusal must show, or None when the tree is clean)
CASES = [
    ({"base/A.h": "", "core/B.cpp": '#include "base/A.h"'}, None),
    ({"base/A.h": "", "ui/kit/K.h": "#include <QWidget>\n#include \"base/A.h\""}, None),
    ({"core/B.h": "", "base/A.cpp": '#include "core/B.h"'}, "includes a higher layer"),
    ({"ui/shell/M.h": "", "ui/batch/D.cpp": '#include "ui/shell/M.h"'}, "higher layer"),
    ({"ui/imageops/S.h": "", "ui/batch/D.h": '#include "ui/imageops/S.h"'}, "its own layer"),
    ({"ui/kit/F.h": "", "cli/C.cpp": '#include "ui/kit/F.h"'}, "another top"),
    ({"shell/V.cpp": "#include <QString>"}, "Qt outside ui/"),
    ({"core/X.cpp": "", "stray/Y.cpp": ""}, "lies in no layer"),
    ({"base/A.h": "", "base/A.cpp": '#include "base/B.h"',
      "base/B.h": "", "base/B.cpp": '#include "A.h"'}, "include cycle between 2 units"),
]


def run(files):
    with tempfile.TemporaryDirectory() as root:
        for name, text in files.items():
            path = Path(root, "src", name)
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(text + "\n")
        return subprocess.run([sys.executable, SCRIPT, root], capture_output=True, text=True)


failures = 0
for files, refusal in CASES:
    result = run(files)
    ok = result.returncode == 0 and not result.stdout if refusal is None else \
        result.returncode == 1 and refusal in result.stdout
    if not ok:
        failures += 1
        print(f"FAIL {sorted(files)}: expected {refusal!r}, got {result.returncode}: {result.stdout}")
sys.exit(1 if failures else 0)
