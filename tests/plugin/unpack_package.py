#!/usr/bin/env python3
"""Unpacks a release zip for the Wine plugin test, so that the plugin a user
downloads is the one loaded and checked.

    unpack_package.py ZIP OUT_DIR

A missing zip is a failure that says how to make it, never a quiet pass.
"""
import pathlib
import shutil
import sys
import zipfile


def main(zip_path, out_dir):
    zip_path, out_dir = pathlib.Path(zip_path), pathlib.Path(out_dir)
    # An earlier unpacking goes first, so no stale plugin outlives its zip.
    shutil.rmtree(out_dir, ignore_errors=True)
    if not zip_path.is_file():
        sys.exit(f"unpack_package: {zip_path} is missing; tools/package makes it from the built trees")
    out_dir.mkdir(parents=True)
    with zipfile.ZipFile(zip_path) as z:
        z.extractall(out_dir)
        names = z.namelist()
    print(f"unpack_package: {zip_path} -> {out_dir}: {' '.join(sorted(names))}")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
