#!/usr/bin/env python3
"""The layering test: every #include "..." in the program's sources must run
down the layers that layers.txt writes, and ARCHITECTURE.md must show the same
table. Prints each offending file, line and include, and fails if there is any.

usage: check_layers.py SOURCE_DIR
"""
import os
import re
import sys

# Folders with a CMakeLists.txt that build no part of the program itself.
NOT_PARTS = {"tests", "bench"}
LINE = re.compile(r"^([a-z]+(?:/[a-z]+)?)\s*:\s*([a-z/\s]*?)\s*(\[no-qt\])?$")
QUOTED = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
ANGLED = re.compile(r"^\s*#\s*include\s*<(Qt?[A-Za-z]*)[/>]")


def read_table(path):
    """Returns ({part: (named parts, no_qt)}, [table lines], [errors])."""
    parts, rows, errors = {}, [], []
    with open(path, encoding="utf-8") as table:
        for number, raw in enumerate(table, 1):
            line = raw.split("#", 1)[0].strip()
            if not line:
                continue
            match = LINE.match(line)
            if not match:
                errors.append(f"{path}:{number}: cannot read '{line}'")
                continue
            part, named, no_qt = match.group(1), match.group(2).split(), bool(match.group(3))
            for lower in named:
                if lower not in parts:
                    errors.append(f"{path}:{number}: {part} names {lower}, which stands on no earlier line")
                elif "/" in lower and "/" not in part:
                    errors.append(f"{path}:{number}: the core part {part} names the window part {lower}")
            if part in parts:
                errors.append(f"{path}:{number}: {part} stands twice")
            parts[part] = (named, no_qt)
            rows.append(" ".join(line.split()))
    return parts, rows, errors


def reachable(parts):
    """Each part with every part it may include: itself and all below what it names."""
    allowed = {}
    for part, (named, _) in parts.items():  # lower lines come first
        allowed[part] = {part}.union(*(allowed.get(lower, {lower}) for lower in named))
    return allowed


def part_of(path, parts):
    """The longest part that holds the path ('board/ui/X.h' -> 'board/ui'), or None."""
    pieces = path.split("/")
    for length in range(len(pieces) - 1, 0, -1):
        candidate = "/".join(pieces[:length])
        if candidate in parts:
            return candidate
    return None


def table_in_architecture(path):
    """The lines of the ```layers block of ARCHITECTURE.md (None without the file)."""
    rows, inside = [], False
    if not os.path.isfile(path):
        return None
    with open(path, encoding="utf-8") as text:
        for raw in text:
            if raw.strip() == "```layers":
                inside = True
            elif inside and raw.strip().startswith("```"):
                break
            elif inside:
                line = raw.split("#", 1)[0].strip()
                if line:
                    rows.append(" ".join(line.split()))
    return rows


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "."
    table_path = os.path.join(root, "layers.txt")
    parts, rows, errors = read_table(table_path)
    allowed = reachable(parts)
    tops = {part.split("/")[0] for part in parts}

    if table_in_architecture(os.path.join(root, "ARCHITECTURE.md")) != rows:
        errors.append("ARCHITECTURE.md: its ```layers block differs from layers.txt")

    files = includes = 0
    for top in sorted(os.listdir(root)):
        # A folder of program sources is one that CMake builds (a build folder is not).
        if top in NOT_PARTS or not os.path.isfile(os.path.join(root, top, "CMakeLists.txt")):
            continue
        for folder, _, names in sorted(os.walk(os.path.join(root, top))):
            for name in sorted(names):
                if not name.endswith((".cpp", ".h")):
                    continue
                path = os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")
                here = part_of(path, parts)
                if here is None:
                    errors.append(f"{path}: its folder has no line in layers.txt")
                    continue
                files += 1
                no_qt = parts[here][1]
                with open(os.path.join(root, path), encoding="utf-8", errors="replace") as source:
                    for number, line in enumerate(source, 1):
                        quoted = QUOTED.match(line)
                        if quoted:
                            target = quoted.group(1)
                            includes += 1
                            if target.split("/")[0] not in tops:
                                continue  # beside the file, or not ours
                            there = part_of(target, parts)
                            if there not in allowed[here]:
                                errors.append(f'{path}:{number}: #include "{target}": '
                                              f"{here} may not include {there} (layers.txt)")
                        elif no_qt and ANGLED.match(line):
                            errors.append(f"{path}:{number}: {line.strip()}: {here} includes no Qt (layers.txt)")

    for error in errors:
        print(error)
    if errors:
        print(f"layering: {len(errors)} fault(s) against layers.txt")
        return 1
    print(f"layering: {files} files, {includes} includes, all as layers.txt allows")
    return 0


if __name__ == "__main__":
    sys.exit(main())
