#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Checks the message catalogues against the program's sources.

Every text the program shows is a Japanese literal passed to T() or marked
with N_(); xgettext collects them. The check fails when
  - a Japanese literal of the program is neither (a text no catalogue sees)
    nor listed in po/not-texts.txt,
  - a catalogue lacks a text, leaves it untranslated or fuzzy, or keeps one
    the program no longer has,
  - msgfmt finds a translation whose %s/%d placeholders differ from its id.

    scripts/check-catalogue.py [source folder]
"""
import pathlib
import re
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent)
FOLDERS = ["app", "cli", "core", "effects", "engine", "gui", "imageio", "plugin"]
JAPANESE = re.compile(r"[\u3000-\u30ff\u4e00-\u9fff\uff00-\uffef]")
LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
# T("...") or N_("..."), the literal possibly split over adjacent pieces.
MARKED = re.compile(r'(?<![\w.>:])(?:qm::)?(?:T|N_)\(\s*((?:"(?:[^"\\\n]|\\.)*"\s*)+)[,)]')
COMMENT = re.compile(r"//[^\n]*|/\*.*?\*/", re.S)
# Japanese literals that are not texts of the program: data it reads or
# writes whatever the language.
NOT_TEXTS = ROOT / "po" / "not-texts.txt"


def sources():
    for folder in FOLDERS:
        for path in sorted((ROOT / folder).rglob("*")):
            if path.suffix in (".cpp", ".h"):
                yield path


def read_pot(path):
    ids, current, in_id = set(), [], False
    for line in path.read_text(encoding="utf-8").splitlines() + [""]:
        if line.startswith("msgid "):
            current, in_id = [line[6:]], True
        elif in_id and line.startswith('"'):
            current.append(line)
        elif in_id:
            ids.add("".join(part[1:-1] for part in current))
            in_id = False
    ids.discard("")
    return ids


def main():
    failures = []
    with tempfile.TemporaryDirectory() as work:
        pot = pathlib.Path(work) / "quillmore.pot"
        # xgettext warns of every non-ASCII id; the ids are Japanese by design.
        subprocess.run(["xgettext", "--from-code=UTF-8", "--language=C++", "--keyword=T",
                        "--keyword=N_", "--no-location", "--package-name=Quillmore",
                        "-o", str(pot)] + [str(p) for p in sources()],
                       check=True, stderr=subprocess.DEVNULL)
        if not pot.exists():
            pot.write_text("", encoding="utf-8")
        ids = read_pot(pot)
        allowed = set()
        if NOT_TEXTS.exists():
            allowed = {line for line in NOT_TEXTS.read_text(encoding="utf-8").splitlines()
                       if line and not line.startswith("#")}

        for path in sources():
            text = COMMENT.sub("", path.read_text(encoding="utf-8"))
            marked = [match.span(1) for match in MARKED.finditer(text)]
            for match in LITERAL.finditer(text):
                literal = match.group(1)
                if not JAPANESE.search(literal) or literal in allowed:
                    continue
                if not any(start <= match.start() < end for start, end in marked):
                    failures.append(f"{path.relative_to(ROOT)}: text outside the catalogue: \"{literal}\"")

        for po in sorted((ROOT / "po").glob("*.po")):
            # Merged with the program's texts, the catalogue carries their
            # c-format marks, so msgfmt compares every translation's
            # placeholders with its id's.
            merged = pathlib.Path(work) / po.name
            subprocess.run(["msgmerge", "--quiet", "--no-fuzzy-matching", "--no-wrap",
                            "-o", str(merged), str(po), str(pot)], check=True)
            checked = subprocess.run(["msgfmt", "--check", "-o", "/dev/null", str(merged)],
                                     capture_output=True, text=True)
            if checked.returncode != 0:
                failures.append(f"{po.name}: {checked.stderr.strip()}")
            for option, problem in (("--only-fuzzy", "fuzzy, or its placeholders differ"), ("--untranslated", "missing"),
                                    ("--only-obsolete", "no longer in the program")):
                listed = subprocess.run(["msgattrib", option, "--no-wrap", str(merged)],
                                        capture_output=True, text=True, check=True).stdout
                for message in sorted(read_pot_text(listed.replace("#~ ", ""))):
                    failures.append(f"{po.name}: {problem}: \"{message}\"")

    for failure in failures:
        print(failure)
    print(f"{len(ids)} texts, {len(failures)} problems")
    return 1 if failures else 0


def read_pot_text(text):
    with tempfile.NamedTemporaryFile("w", suffix=".po", encoding="utf-8", delete=False) as f:
        f.write(text)
    try:
        return read_pot(pathlib.Path(f.name))
    finally:
        pathlib.Path(f.name).unlink()


if __name__ == "__main__":
    sys.exit(main())
