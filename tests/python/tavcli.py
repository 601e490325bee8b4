"""What tav-cli prints for a script, read back for the module's tests.

The tests run tav-cli (TAV_CLI) on the same files (TAV_SHARED_DATA) and compare
every field the module gives with the program's own output.
"""

import csv
import json
import os
import subprocess
import unittest

TAV_CLI = os.environ.get("TAV_CLI", "tav-cli")
SHARED_DATA = os.environ.get("TAV_SHARED_DATA", "")


def shared(name):
    """The path of a measured profile; skips the test without the folder."""
    path = os.path.join(SHARED_DATA, name)
    if not os.path.isfile(path):
        raise unittest.SkipTest("no shared data: " + path)
    return path


def run(script, lang="en"):
    """tav-cli's stdout lines and stderr lines for a script."""
    args = [TAV_CLI] + (["--lang", lang] if lang else []) + ["-e", script]
    done = subprocess.run(args, capture_output=True, text=True, check=False)
    if done.returncode != 0:
        raise AssertionError(f"tav-cli failed ({done.returncode}): {done.stderr}")
    return done.stdout.splitlines(), done.stderr.splitlines()


def quoted(path):
    return '"' + str(path) + '"'


def number(x):
    """A float as a script word that reads back to the same float."""
    return repr(float(x))


def json_line(lines, start):
    """The first line starting with start, as JSON."""
    for line in lines:
        if line.startswith(start):
            return json.loads(line)
    raise AssertionError(f"no line starting {start!r} in {lines}")


def read_csv(path):
    """A CSV file tav-cli wrote: its header and its rows as dicts."""
    with open(path, newline="", encoding="utf-8") as f:
        reader = csv.DictReader(f)
        return reader.fieldnames, list(reader)


def messages(lines):
    return [line[len("message: "):] for line in lines if line.startswith("message: ")]


def notes(err_lines):
    return [line[len("note: "):] for line in err_lines if line.startswith("note: ")]


def cell(value):
    """A value as tav-cli's CSV prints it: %.10g, empty for None."""
    if value is None:
        return ""
    if isinstance(value, float):
        return "%.10g" % value
    return str(value)
