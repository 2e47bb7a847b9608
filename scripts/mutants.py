#!/usr/bin/python3
"""Plants small faults in the game's code and sees whether the tests notice.

Usage:
  mutants.py run [--seed N] [--per-kind K] [--build DIR] [--out PREFIX] [--rev REV]
  mutants.py list [--seed N] [--per-kind K]
  mutants.py compare BEFORE.json AFTER.json

`run` copies the work tree (or commit REV) into DIR/tree, only the files
that changed since the last run so the build there stays incremental, builds the unit and GL
test programs once, then for each mutant in a fixed, seeded sample changes
one spot in one src/*.cpp, rebuilds, runs the unit tests and, if they all
pass, the GL tests under Xvfb. A mutant is killed when a test fails, crashes
or hangs. The end-to-end scenarios start the real game and take minutes
each, so they are not run per mutant; neither is the content tool re-run:
data/ is generated once from the unchanged code. src/app/main.cpp and code
built only with a build option are left alone: the tested library has
neither.

The sample: every place in src/*.cpp where one of six kinds of change
applies (flip a comparison, change a number by one, negate an if or while,
drop a statement, swap + and -, swap two arguments), shuffled per kind with
the seed; the first K of each kind that compile are kept. The same code
and seed always give the same mutants, so runs before and after a change to
the tests can be compared mutant by mutant.

`run` writes PREFIX.json (every mutant and its fate) and PREFIX.md (a
table); `compare` prints what a second run killed that the first did not
and, above all, what it let live that the first had killed.
"""
import argparse
import json
import os
import random
import re
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
# Only the game links the entry point; no test can see it.
PROGRAM_ENTRY = "src/app/main.cpp"
KINDS = ["comparison", "constant", "negate", "drop", "arith", "swap_args"]
FLIPPED = {"<": ">=", ">=": "<", ">": "<=", "<=": ">", "==": "!=", "!=": "=="}
XVFB = ["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24"]
UNIT_TIMEOUT = 120
GL_TIMEOUT = 300

STRING = re.compile(r'"(?:\\.|[^"\\])*"' + r"|'(?:\\.|[^'\\])*'")
COMPARISON = re.compile(r"(?<= )(<=|>=|==|!=|<|>)(?= )")
NUMBER = re.compile(r"(?<![\w.])(\d+\.\d*|\d*\.\d+|\d+)(f|u|U)?(?![\w.])")
CONDITION = re.compile(r"\b(if|while) \(")
ARITH = re.compile(r"(?<= )([+-])(?= )")
TWO_ARGS = re.compile(r"\b([A-Za-z_][\w:]*)\(([^(),]+), ([^(),]+)\)")
PARAMETER = re.compile(r"^(const )?[\w:<>]+[&*]? [&*]?\w+$")
ASSIGNMENT = re.compile(
    r"^(?:[A-Za-z_]\w*(?:\.|->|::))*[A-Za-z_]\w*(?:\[[^\]]*\])?"
    r" (?:=|\+=|-=|\*=|/=|\|=|&=) .*;$")
CALL = re.compile(r"^(?:[A-Za-z_]\w*(?:\.|->|::))*[A-Za-z_]\w*\(.*\);$")
STEP = re.compile(r"^(?:\+\+|--)[\w.\->\[\]]+;$|^[\w.\->\[\]]+(?:\+\+|--);$")


def code_part(line):
    """The line with comments cut and string contents blanked (same length)."""
    masked = STRING.sub(lambda m: m.group(0)[0] + " " * (len(m.group(0)) - 2) +
                        m.group(0)[-1], line)
    cut = masked.find("//")
    return masked if cut < 0 else masked[:cut]


def closing_paren(text, open_at):
    depth = 0
    for i in range(open_at, len(text)):
        if text[i] == "(":
            depth += 1
        elif text[i] == ")":
            depth -= 1
            if depth == 0:
                return i
    return -1


def sites_in_line(line, code, previous):
    """(kind, column, old text, new text) for every change this line allows.

    Matching runs on `code` (comments cut, strings blanked); the text that
    is replaced comes from `line`, which has the same columns.
    """
    found = []
    if code.lstrip().startswith("#"):
        return found
    for m in COMPARISON.finditer(code):
        found.append(("comparison", m.start(), m.group(1), FLIPPED[m.group(1)]))
    for m in NUMBER.finditer(code):
        number, suffix = m.group(1), m.group(2) or ""
        if "." in number:
            decimals = len(number.split(".")[1])
            changed = f"{float(number) + 1:.{max(decimals, 1)}f}"
        else:
            changed = str(int(number) + 1)
        found.append(("constant", m.start(), m.group(0), changed + suffix))
    for m in CONDITION.finditer(code):
        start = m.end() - 1
        end = closing_paren(code, start)
        if end > start:
            old = line[start:end + 1]
            found.append(("negate", start, old, f"(!{old})"))
    stripped = code.strip()
    starts_statement = previous.rstrip().endswith((";", "{", "}", ":")) or re.match(
        r"^\s*(?:\} )?(?:if|else|for|while)\b", previous)
    if starts_statement and (ASSIGNMENT.match(stripped) or CALL.match(stripped) or
                             STEP.match(stripped)):
        if not stripped.startswith(("return", "delete", "throw")):
            column = code.index(stripped)
            found.append(("drop", column, line[column:column + len(stripped)], ";"))
    for m in ARITH.finditer(code):
        found.append(("arith", m.start(), m.group(1), "-" if m.group(1) == "+" else "+"))
    for m in TWO_ARGS.finditer(code):
        name = m.group(1)
        first, second = line[m.start(2):m.end(2)], line[m.start(3):m.end(3)]
        if name in ("if", "while", "for", "switch", "return", "sizeof"):
            continue
        if first == second or PARAMETER.match(first) or PARAMETER.match(second):
            continue
        found.append(("swap_args", m.start(), line[m.start():m.end()],
                      f"{name}({second}, {first})"))
    return found


def all_sites(tree):
    sites = []
    for path in sorted((tree / "src").rglob("*.cpp")):
        relative = path.relative_to(tree).as_posix()
        if relative == PROGRAM_ENTRY:
            continue
        previous = ""
        optional = False
        for number, line in enumerate(path.read_text().splitlines(), start=1):
            code = code_part(line)
            # Code built only with a build option is not in the tested library.
            if code.startswith("#ifdef ZUMBRA_"):
                optional = True
            elif optional and code.startswith("#endif"):
                optional = False
            if optional:
                continue
            for kind, column, old, new in sites_in_line(line, code, previous):
                sites.append({"kind": kind, "file": relative, "line": number,
                              "column": column, "old": old, "new": new})
            if code.strip():
                previous = code
    return sites


def sample_order(sites, seed):
    """Per kind, every site in a seeded order; the run takes them until K build."""
    rng = random.Random(seed)
    ordered = {}
    for kind in KINDS:
        of_kind = [s for s in sites if s["kind"] == kind]
        rng.shuffle(of_kind)
        ordered[kind] = of_kind
    return ordered


def apply(tree, site):
    path = tree / site["file"]
    original = path.read_text()
    lines = original.split("\n")
    line = lines[site["line"] - 1]
    column, old = site["column"], site["old"]
    if line[column:column + len(old)] != old:
        raise RuntimeError(f"{site['file']}:{site['line']}: expected {old!r}")
    lines[site["line"] - 1] = line[:column] + site["new"] + line[column + len(old):]
    path.write_text("\n".join(lines))
    return original


def git(*args):
    return subprocess.run(["git", *args], cwd=ROOT, check=True,
                          capture_output=True).stdout


def source_files(rev):
    """Path -> a function giving its bytes: from commit `rev`, or the work tree."""
    if rev:
        listed = git("ls-tree", "-r", "-z", "--name-only", rev).decode().split("\0")
        return {f: (lambda f=f: git("show", f"{rev}:{f}")) for f in listed if f}
    listed = git("ls-files", "-z", "--cached", "--others", "--exclude-standard")
    return {f: (ROOT / f).read_bytes for f in listed.decode().split("\0")
            if f and (ROOT / f).is_file()}


def sync_tree(tree, rev):
    """Writes changed files only, and removes files the source no longer has."""
    wanted = source_files(rev)
    for relative, content in wanted.items():
        target = tree / relative
        data = content()
        if target.is_file() and target.read_bytes() == data:
            continue
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_bytes(data)
    for path in tree.rglob("*"):
        if path.is_file() and path.relative_to(tree).as_posix() not in wanted:
            path.unlink()


def build(out, log):
    """True when the library and both test programs built."""
    steps = [["cmake", "--build", str(out), "-j", str(os.cpu_count() or 2),
              "--target", "zumbra_core"],
             ["make", "-C", str(out / "tests"), "-j", str(os.cpu_count() or 2),
              "zumbra_tests/fast", "zumbra_gl_tests/fast"]]
    for step in steps:
        done = subprocess.run(step, stdout=log, stderr=subprocess.STDOUT)
        if done.returncode != 0:
            return False
    return True


def run_tests(out):
    """('unit' | 'gl' | None, failing tests) -- who killed the mutant."""
    env = dict(os.environ, SDL_AUDIODRIVER="dummy", LIBGL_ALWAYS_SOFTWARE="1")
    programs = [("unit", [str(out / "tests" / "zumbra_tests")], UNIT_TIMEOUT),
                ("gl", XVFB + [str(out / "tests" / "zumbra_gl_tests")], GL_TIMEOUT)]
    for name, command, timeout in programs:
        try:
            done = subprocess.run(command, cwd=out / "tests", env=env, timeout=timeout,
                                  stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        except subprocess.TimeoutExpired:
            return name, ["(timed out)"]
        if done.returncode != 0:
            text = done.stdout.decode(errors="replace")
            failed = sorted(set(re.findall(r"^\[  FAILED  \] (\S+\.\S+)", text, re.M)))
            return name, failed or [f"(exit status {done.returncode})"]
    return None, []


def configure(tree, out):
    subprocess.run(["cmake", "-S", str(tree), "-B", str(out),
                    "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DZUMBRA_BUILD_BENCH=OFF"],
                   check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", str(out), "-j", str(os.cpu_count() or 2),
                    "--target", "content", "zumbra_tests", "zumbra_gl_tests"], check=True,
                   stdout=subprocess.DEVNULL)


def run(args):
    build_dir = Path(args.build).resolve()
    tree, out = build_dir / "tree", build_dir / "out"
    tree.mkdir(parents=True, exist_ok=True)
    sync_tree(tree, args.rev)
    configure(tree, out)
    killer, failed = run_tests(out)
    if killer:
        sys.exit(f"the unmutated code fails its {killer} tests: {failed}")

    ordered = sample_order(all_sites(tree), args.seed)
    results = []
    log_path = build_dir / "build.log"
    for kind in KINDS:
        kept = 0
        for site in ordered[kind]:
            if kept == args.per_kind:
                break
            started = time.monotonic()
            original = apply(tree, site)
            try:
                with log_path.open("w") as log:
                    built = build(out, log)
                killer, failed = run_tests(out) if built else (None, [])
            finally:
                (tree / site["file"]).write_text(original)
            result = dict(site, built=built, killed_by=killer, failed=failed,
                          seconds=round(time.monotonic() - started, 1))
            results.append(result)
            if built:
                kept += 1
            print(f"{kind:10} {site['file']}:{site['line']:<4} "
                  f"{site['old']!r} -> {site['new']!r}: "
                  f"{fate(result)} ({result['seconds']} s)", flush=True)
    build(out, subprocess.DEVNULL)  # leaves the build as the code is

    Path(args.out).parent.mkdir(parents=True, exist_ok=True)
    Path(args.out + ".json").write_text(json.dumps(
        {"seed": args.seed, "per_kind": args.per_kind, "mutants": results}, indent=1) + "\n")
    Path(args.out + ".md").write_text(report(results, args))
    print(summary_line(results))


def fate(result):
    if not result["built"]:
        return "does not compile"
    if result["killed_by"]:
        return f"killed by the {result['killed_by']} tests"
    return "SURVIVED"


def mutant_id(result):
    return f"{result['file']}:{result['line']}:{result['column']}:{result['kind']}"


def summary_line(results):
    built = [r for r in results if r["built"]]
    killed = [r for r in built if r["killed_by"]]
    return (f"{len(built)} mutants built ({len(results) - len(built)} more did not "
            f"compile): {len(killed)} killed, {len(built) - len(killed)} survived")


def report(results, args):
    rows = ["| # | kind | where | change | fate | first failing tests |",
            "|---|---|---|---|---|---|"]
    for n, r in enumerate((r for r in results if r["built"]), start=1):
        change = f"`{r['old']}` → `{r['new']}`".replace("|", "\\|")
        failed = ", ".join(r["failed"][:3]) + (" …" if len(r["failed"]) > 3 else "")
        rows.append(f"| {n} | {r['kind']} | {r['file']}:{r['line']} | {change} | "
                    f"{fate(r)} | {failed} |")
    stillborn = [r for r in results if not r["built"]]
    lines = [f"# Mutants (seed {args.seed}, {args.per_kind} per kind)", "",
             summary_line(results) + ".", "", *rows, ""]
    if stillborn:
        lines += ["Drawn but did not compile (not counted):", ""]
        lines += [f"- {r['kind']} {r['file']}:{r['line']} `{r['old']}` → `{r['new']}`"
                  for r in stillborn]
        lines.append("")
    return "\n".join(lines)


def compare(args):
    before = {mutant_id(r): r for r in json.loads(Path(args.before).read_text())["mutants"]
              if r["built"]}
    after = {mutant_id(r): r for r in json.loads(Path(args.after).read_text())["mutants"]
             if r["built"]}
    common = [k for k in before if k in after]
    lost = [k for k in common if before[k]["killed_by"] and not after[k]["killed_by"]]
    gained = [k for k in common if not before[k]["killed_by"] and after[k]["killed_by"]]
    both = [k for k in common if not before[k]["killed_by"] and not after[k]["killed_by"]]
    print(f"mutants in both runs: {len(common)} (before {len(before)}, after {len(after)})")
    print(f"killed before: {sum(1 for k in common if before[k]['killed_by'])}, "
          f"killed after: {sum(1 for k in common if after[k]['killed_by'])}")
    for title, keys in (("killed before, SURVIVE after", lost),
                        ("survived before, killed after", gained),
                        ("survive both", both)):
        print(f"{title}: {len(keys)}")
        for k in keys:
            r = after[k]
            print(f"  {k}  {r['old']!r} -> {r['new']!r}")
    return 1 if lost else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    commands = parser.add_subparsers(dest="command", required=True)
    for name in ("run", "list"):
        sub = commands.add_parser(name)
        sub.add_argument("--seed", type=int, default=13)
        sub.add_argument("--per-kind", type=int, default=12)
        if name == "run":
            sub.add_argument("--build", default=str(ROOT / "build-mutants"))
            sub.add_argument("--out", default=str(ROOT / "build-mutants" / "report"))
            sub.add_argument("--rev", default=None,
                             help="mutate this commit instead of the work tree")
    sub = commands.add_parser("compare")
    sub.add_argument("before")
    sub.add_argument("after")
    args = parser.parse_args()
    if args.command == "run":
        run(args)
    elif args.command == "list":
        ordered = sample_order(all_sites(ROOT), args.seed)
        for kind in KINDS:
            print(f"{kind}: {len(ordered[kind])} places")
            for site in ordered[kind][:args.per_kind + 3]:
                print(f"  {site['file']}:{site['line']} {site['old']!r} -> {site['new']!r}")
    else:
        sys.exit(compare(args))


if __name__ == "__main__":
    main()
