#!/usr/bin/python3
"""Counts the project's code: tests against everything else.

Usage: code_count.py [--max-tests PERCENT]

Counts non-blank, non-comment lines of C++, shell and Python under tests/
and under src/, tools/, bench/, fuzz/ and scripts/, prints both and the
tests' share of all code. With --max-tests the exit status is 1 when the
share is above PERCENT, so a script can hold the line.
"""
import argparse
import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
CODE_DIRS = ["src", "tools", "bench", "fuzz", "scripts"]
TEST_DIRS = ["tests"]
CPP = {".cpp", ".cc", ".c", ".h", ".hpp"}
SHELL = {".sh", ".bash"}
PYTHON = {".py"}

# A string literal, so that a "//" inside one does not start a comment.
CPP_STRING = re.compile(r'"(?:\\.|[^"\\])*"' + r"|'(?:\\.|[^'\\])*'")


def language(path):
    if path.suffix in CPP:
        return "cpp"
    if path.suffix in SHELL:
        return "shell"
    if path.suffix in PYTHON:
        return "python"
    if path.suffix == "":
        try:
            first = path.open("rb").readline()
        except OSError:
            return None
        if first.startswith(b"#!") and b"sh" in first:
            return "shell"
        if first.startswith(b"#!") and b"python" in first:
            return "python"
    return None


def cpp_lines(text):
    count = 0
    in_block = False
    for line in text.splitlines():
        code = ""
        rest = CPP_STRING.sub('""', line)
        while rest:
            if in_block:
                end = rest.find("*/")
                if end < 0:
                    rest = ""
                else:
                    in_block = False
                    rest = rest[end + 2:]
                continue
            line_comment = rest.find("//")
            block = rest.find("/*")
            if line_comment >= 0 and (block < 0 or line_comment < block):
                code += rest[:line_comment]
                rest = ""
            elif block >= 0:
                code += rest[:block]
                in_block = True
                rest = rest[block + 2:]
            else:
                code += rest
                rest = ""
        if code.strip():
            count += 1
    return count


def hash_comment_lines(text):
    return sum(1 for line in text.splitlines()
               if line.strip() and not line.strip().startswith("#"))


def count_dir(name):
    total = 0
    base = ROOT / name
    if not base.is_dir():
        return 0
    for path in sorted(base.rglob("*")):
        if not path.is_file():
            continue
        kind = language(path)
        if kind is None:
            continue
        text = path.read_text(errors="replace")
        total += cpp_lines(text) if kind == "cpp" else hash_comment_lines(text)
    return total


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--max-tests", type=float, default=None)
    args = parser.parse_args()

    lines = {d: count_dir(d) for d in CODE_DIRS + TEST_DIRS}
    tests = sum(lines[d] for d in TEST_DIRS)
    rest = sum(lines[d] for d in CODE_DIRS)
    share = 100.0 * tests / (tests + rest)
    for d, n in lines.items():
        print(f"{d:8} {n:6}")
    print(f"tests {tests}, the rest {rest}: tests are {share:.1f} % of all code "
          f"({100.0 * tests / rest:.0f} % of the rest)")
    if args.max_tests is not None and share > args.max_tests:
        print(f"tests are above {args.max_tests} % of all code", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
