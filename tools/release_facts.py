#!/usr/bin/env python3
"""What a release is made from, for the build, tools/package and the release
checks alike: the version CMakeLists.txt names, the commit, and the time the
release files carry (the commit's, or SOURCE_DATE_EPOCH where set), so that
any clean build of a commit gives the same bytes.

    release_facts.py version              the version, as in CMakeLists.txt
    release_facts.py source-date-epoch    the time the release files carry
    release_facts.py head-files           the git files a new commit changes
"""
import os
import pathlib
import re
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
ARCHES = ("x86", "x64")
# Zip entries cannot hold a time before this.
ZIP_EPOCH = (1980, 1, 1, 0, 0, 0)


def version(root=ROOT):
    text = (root / "CMakeLists.txt").read_text(encoding="utf-8")
    found = re.search(r"^project\(Vexlo VERSION (\d+\.\d+\.\d+)\b", text, re.MULTILINE)
    if not found:
        sys.exit(f"release_facts: {root / 'CMakeLists.txt'} names no version MAJOR.MINOR.PATCH in project()")
    return found.group(1)


def package_name(arch, root=ROOT):
    """The folder and zip name of one architecture's release, without .zip."""
    return f"Vexlo-{version(root)}-{arch}"


def _git(root, *args):
    try:
        done = subprocess.run(["git", "-C", str(root), *args], capture_output=True, text=True, check=False)
    except FileNotFoundError:
        return None
    return done.stdout.strip() if done.returncode == 0 else None


def commit(root=ROOT):
    """The commit checked out, or None outside a git checkout."""
    return _git(root, "rev-parse", "HEAD")


def has_local_changes(root=ROOT):
    return bool(_git(root, "status", "--porcelain", "--untracked-files=no"))


def source_date_epoch(root=ROOT):
    """Seconds since 1970 (UTC) that the release files carry, and where they come from."""
    given = os.environ.get("SOURCE_DATE_EPOCH")
    if given is not None:
        if not given.isdigit():
            sys.exit(f"release_facts: SOURCE_DATE_EPOCH={given!r} is not a count of seconds")
        return int(given), "SOURCE_DATE_EPOCH"
    committed = _git(root, "log", "-1", "--format=%ct", "HEAD")
    if not committed:
        sys.exit(f"release_facts: {root} is not a git checkout; set SOURCE_DATE_EPOCH to the release's time")
    return int(committed), "the commit's time"


def zip_time(epoch):
    """A zip entry's date and time for a moment: UTC, even seconds, never before 1980."""
    t = time.gmtime(epoch)[:6]
    t = max(t, ZIP_EPOCH)
    return t[:5] + (t[5] - t[5] % 2,)


def head_files(root=ROOT):
    """HEAD and its log: a commit, checkout or reset changes one of them."""
    files = []
    for name in ("HEAD", "logs/HEAD"):
        path = _git(root, "rev-parse", "--path-format=absolute", "--git-path", name)
        if path and pathlib.Path(path).is_file():
            files.append(path)
    return files


def main(argv):
    if len(argv) != 2:
        sys.exit(__doc__)
    if argv[1] == "version":
        print(version())
    elif argv[1] == "source-date-epoch":
        print(source_date_epoch()[0])
    elif argv[1] == "head-files":
        print(";".join(head_files()))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
