#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Checks that every include of the program's sources runs downward.

The program is a house of rooms, each a folder and a library of its own; a
room may include itself and the rooms it stands on, directly or through
others (ROOMS below, the same links as the CMake libraries). A test folder
tests/<room> stands where its room does: it may include what the room may,
the tests of those rooms and the shared test support.

A file's room is the longest folder of ROOMS its path lies in; a source file
in no room fails too, so that a new folder takes its place in the table. An
include is found where the compiler looks for it: beside the file, then in
the include folders the build gives. The check fails, naming the file, the
line and the rooms, for every include into a room that is not below.

    scripts/check-includes.py [source folder]
"""
import functools
import os
import pathlib
import re
import sys

ROOT = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent)

# Each room and the rooms it stands on directly.
ROOMS = {
    "core": [],
    "engine": ["core"],
    "effects": ["core"],
    "imageio/colour": ["core"],
    "imageio": ["imageio/colour"],
    "plugin/include": [],
    "plugin": ["engine", "plugin/include"],
    "plugins": ["plugin/include"],
    "app": ["engine", "effects", "imageio", "plugin"],
    "app/pages": ["app"],
    "app/record": ["app"],
    "app/run": ["app/record"],
    "app/replay": ["app/run"],
    "app/window": ["app/pages", "app/replay"],
    "cli": ["app/window"],
    "gui": ["app/window"],
    "fuzz": ["imageio"],
    "tests/support": ["core"],
    "tests/fixtures": [],
    "tests/browser": ["app/pages", "app/run", "tests/app"],
    "bench": ["cli", "gui", "tests/support"],
}
# Where the compiler looks after the including file's own folder.
INCLUDE_FOLDERS = ["", "tests", "tests/app", "plugin/include"]
SOURCES = {".c", ".cc", ".cpp", ".h", ".hpp", ".inc"}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')


def room_of(relative):
    """The room of a path relative to ROOT; the tests of room X are tests/X."""
    folder = relative.parent.as_posix()
    best = None
    for room in ROOMS:
        if folder == room or folder.startswith(room + "/"):
            if best is None or len(room) > len(best):
                best = room
    if best is not None or not folder.startswith("tests/"):
        return best
    tested = room_of(pathlib.PurePosixPath(folder[len("tests/"):]) / relative.name)
    return None if tested is None else "tests/" + tested


def stands_on(room):
    """The rooms directly below room."""
    if room in ROOMS:
        return ROOMS[room]
    tested = room[len("tests/"):]
    return [tested, "tests/support"] + ["tests/" + below for below in ROOMS[tested]]


@functools.cache
def below(room):
    """room and every room beneath it."""
    rooms = {room}
    for lower in stands_on(room):
        rooms |= below(lower)
    return frozenset(rooms)


def resolve(source, kind, name):
    """The path, relative to ROOT, that an include of source names; None when
    it lies outside the program (a system or generated header)."""
    folders = ([source.parent] if kind == '"' else []) + [ROOT / f for f in INCLUDE_FOLDERS]
    for folder in folders:
        candidate = (folder / name).resolve()
        if candidate.is_file() and ROOT.resolve() in candidate.parents:
            return candidate.relative_to(ROOT.resolve())
    return None


def sources():
    """Every source file below ROOT but in hidden folders and build trees."""
    for folder, subfolders, files in os.walk(ROOT):
        subfolders[:] = sorted(name for name in subfolders if not name.startswith(".") and
                               not (pathlib.Path(folder) / name / "CMakeCache.txt").exists())
        for name in sorted(files):
            if pathlib.Path(name).suffix in SOURCES:
                yield pathlib.Path(folder) / name


def main():
    failures = []
    tops = {room.split("/")[0] for room in ROOMS}
    for path in sources():
        relative = path.relative_to(ROOT)
        room = room_of(relative)
        if room is None:
            failures.append(f"{relative}: in no room of the table")
            continue
        lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
        for number, line in enumerate(lines, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            kind, name = match.groups()
            target = resolve(path, kind, name)
            if target is None:
                if name.split("/")[0] in tops and kind == '"':
                    failures.append(f"{relative}:{number}: includes {name}, which does not exist")
                continue
            target_room = room_of(target)
            if target_room not in below(room):
                failures.append(f"{relative}:{number}: {room} includes {target} of "
                                f"{target_room}, which is not below it")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
