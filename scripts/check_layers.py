#!/usr/bin/env python3
"""Fails when a source file includes across the layers in a way the layering forbids.

core/ links no Qt and never reaches gui/; inside each library a folder reaches only the
folders below it, so no folder includes one that includes it back.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
CORE = {"core/platform", "core/workbench", "core/filetools", "core/compare"}
# What each folder may include besides itself.
ALLOWED = {
    "core/platform": set(),
    "core/workbench": {"core/platform"},
    "core/filetools": {"core/platform", "core/workbench"},
    "core/compare": {"core/platform", "core/workbench"},
    "gui/platform": {"core/platform"},
    "gui/workbench": CORE | {"gui/platform"},
    "gui/filetools": CORE | {"gui/platform", "gui/workbench"},
    "gui/compare": CORE | {"gui/platform", "gui/workbench"},
    "gui": CORE | {"gui/platform", "gui/workbench", "gui/filetools", "gui/compare"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)

problems = []
for path in sorted(ROOT.glob("core/**/*")) + sorted(ROOT.glob("gui/**/*")):
    if path.suffix not in (".h", ".cpp"):
        continue
    folder = path.parent.relative_to(ROOT).as_posix()
    for kind, name in INCLUDE.findall(path.read_text()):
        where = f"{path.relative_to(ROOT)}: {name}"
        if kind == "<":
            if folder.startswith("core") and name.startswith("Q"):
                problems.append(f"{where}: Qt in the window-free library")
            continue
        if name.startswith("ui_"):
            if folder.startswith("core"):
                problems.append(f"{where}: a form in the window-free library")
            continue
        target = str(pathlib.PurePosixPath(name).parent)
        if target != folder and target not in ALLOWED.get(folder, set()):
            problems.append(f"{where}: {folder} may not include from {target}")

for p in problems:
    print(p)
sys.exit(1 if problems else 0)
