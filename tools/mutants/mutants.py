#!/usr/bin/env python3
"""Mutation check: puts one small, realistic slip into the code at a time, rebuilds
incrementally, runs the tests that cover it and records whether a test caught it.

    tools/mutants/mutants.py --list                 the mutants, one a line
    tools/mutants/mutants.py                        run every mutant
    tools/mutants/mutants.py ID [ID ...]            run these mutants
    tools/mutants/mutants.py --survivors            run the mutants the last results left alive
    tools/mutants/mutants.py --check                only check that every mutant still applies

The mutants are in tools/mutants/mutants.txt. Results are kept in BUILD/mutants.json (a rerun
updates the entries it ran) and the Markdown report is written to BUILD/mutants-report.md
(or --report FILE). The source file is always restored, also on Ctrl-C or a failed build.
"""
import argparse
import fnmatch
import json
import os
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
LIST = Path(__file__).resolve().parent / "mutants.txt"
AREAS = ["base", "persist", "net", "lcd", "core", "disasm", "games", "debugger", "app"]

# A test group: the build targets it needs and how it is run.
#   gtest:AREA   the GoogleTest program of one source area, run directly with fail-fast
#   cli          the tarvolin-cli scripts (ctest -R ^cli_)
#   ui           the Qt Test window tests (ctest -R ^ui_)
#   py           the layer and translation checks (ctest, no build)


def groups_for(path):
    """The test groups that cover a source file, the most likely killer first."""
    parts = Path(path).parts
    if parts[0] == "src" and len(parts) > 2:
        area = parts[1]
        if "ui" in parts[2:-1]:
            return ["ui"]
        above = AREAS[AREAS.index(area):] if area in AREAS else AREAS
        return ["gtest:" + a for a in above] + ["cli", "ui"]
    if parts[0] == "tools":
        if len(parts) > 1 and parts[1] == "cli":
            return ["cli"]
        if len(parts) > 1 and parts[1] in ("lcdgen",):
            return ["gtest:games", "gtest:debugger", "ui"]
        if len(parts) > 1 and parts[1] in ("pingen",):
            return ["ui"]
        if path.endswith(".py"):
            return ["py"]
    return ["gtest:" + a for a in AREAS] + ["cli", "ui", "py"]


class Mutant:
    def __init__(self, ident, lineno):
        self.id, self.lineno = ident, lineno
        self.file = self.find = self.replace = self.why = None
        self.tests = None

    def describe(self):
        return f"{self.id:28} {self.file}: {self.why}"


def unescape(text):
    return text.replace("\\n", "\n").replace("\\t", "\t")


def load_mutants(path=LIST):
    """Blocks of 'key: value' lines, each started by '== ID'. Keys: file, find, replace, why,
    and optionally tests (space-separated groups). '\\n' in find/replace stands for a line break."""
    mutants, current = [], None
    for n, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        if line.startswith("== "):
            current = Mutant(line[3:].strip(), n)
            mutants.append(current)
            continue
        key, sep, value = line.partition(": ")
        if not sep or current is None or key not in ("file", "find", "replace", "why", "tests"):
            sys.exit(f"{path}:{n}: expected '== ID' or 'file|find|replace|why|tests: VALUE'")
        if key == "tests":
            current.tests = value.split()
        else:
            setattr(current, key, unescape(value) if key in ("find", "replace") else value)
    ids = set()
    for m in mutants:
        if m.id in ids:
            sys.exit(f"{path}:{m.lineno}: mutant {m.id} appears twice")
        ids.add(m.id)
        if not (m.file and m.find is not None and m.replace is not None and m.why):
            sys.exit(f"{path}:{m.lineno}: mutant {m.id} lacks file, find, replace or why")
        if m.find == m.replace:
            sys.exit(f"{path}:{m.lineno}: mutant {m.id} changes nothing")
    return mutants


def applies(m):
    """None when the mutant applies, otherwise why not."""
    target = ROOT / m.file
    if not target.is_file():
        return f"mutant {m.id} does not apply: {m.file} does not exist"
    count = target.read_text(encoding="utf-8").count(m.find)
    if count != 1:
        where = "is not found" if count == 0 else f"is found {count} times"
        return f"mutant {m.id} does not apply: its anchor {m.find!r} {where} in {m.file}"
    return None


class Runner:
    def __init__(self, build, timeout, verbose, new_gtests=None, new_ctests=None):
        self.build, self.timeout, self.verbose = build, timeout, verbose
        self.targets = None
        # Tests new in the change under review: a mutant they kill is run again without them,
        # which tells whether the tests before the change caught it ("first" result).
        self.new_gtests, self.new_ctests = new_gtests, new_ctests

    def log(self, text):
        print(text, flush=True)

    def run(self, cmd, timeout=None):
        """(exit code or None on a timeout, output). The command runs in its own process group,
        which is ended as a whole on a timeout or an interruption (ninja's compilers too)."""
        if self.verbose:
            self.log("  $ " + " ".join(str(c) for c in cmd))
        p = subprocess.Popen(cmd, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                             errors="replace", start_new_session=True)
        try:
            out, _ = p.communicate(timeout=timeout)
            return p.returncode, out
        except subprocess.TimeoutExpired:
            os.killpg(p.pid, signal.SIGKILL)
            out, _ = p.communicate()
            return None, out
        except BaseException:
            os.killpg(p.pid, signal.SIGKILL)
            p.wait()
            raise

    def configure(self):
        if not (self.build / "build.ninja").exists():
            code, out = self.run(["cmake", "-S", ".", "-B", str(self.build), "-G", "Ninja",
                                  "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DTARVOLIN_BUILD_BENCH=OFF"])
            if code != 0:
                sys.exit("configuring the mutant build failed:\n" + out)
        code, out = self.run(["cmake", "--build", str(self.build), "--target", "help"])
        self.targets = set(re.findall(r"^(\S+): \w+", out, re.M))

    def build_targets(self, group):
        if group.startswith("gtest:"):
            return ["tarvolin_tests_" + group[6:]]
        if group == "cli":
            return ["tarvolin-cli", "tarvolin_examples"] if "tarvolin_examples" in self.targets else ["tarvolin-cli"]
        if group == "ui":
            return sorted(t for t in self.targets if t.startswith("tarvolin_ui_") or t == "tarvolin")
        return []

    def compile(self, targets):
        targets = [t for t in targets if t in self.targets]
        if not targets:
            return True, ""
        code, out = self.run(["nice", "-n", "10", "cmake", "--build", str(self.build), "-j2", "--target"] + targets)
        return code == 0, out

    def test(self, group, baseline=False):
        """(killed, killer) for one group; with baseline, without the new tests."""
        if group.startswith("gtest:"):
            exe = self.build / "tests" / ("tarvolin_tests_" + group[6:])
            env_cmd = ["env", "QT_QPA_PLATFORM=offscreen", str(exe), "--gtest_fail_fast", "--gtest_brief=1"]
            if baseline and self.new_gtests:
                env_cmd.append("--gtest_filter=-" + self.new_gtests)
            code, out = self.run(env_cmd, self.timeout)
            if code is None:
                return True, f"{group} (timed out after {self.timeout} s)"
            if code == 0:
                return False, None
            failed = re.findall(r"^\[  FAILED  \] ([^\s,]+)", out, re.M)
            if failed:
                return True, failed[0]
            return True, f"{group} (exit {code}: {out.strip().splitlines()[-1] if out.strip() else 'crash'})"
        regex = {"cli": "^cli_", "ui": "^ui_", "py": "^(layers_|translations_)"}[group]
        cmd = ["ctest", "--test-dir", str(self.build), "-R", regex, "--stop-on-failure", "-j2",
               "--timeout", str(self.timeout)]
        if baseline and self.new_ctests:
            cmd += ["-E", self.new_ctests]
        code, out = self.run(cmd, self.timeout * 4)
        if code is None:
            return True, f"{group} (timed out)"
        if code == 0:
            return False, None
        failed = re.findall(r"^\s*\d+ - (\S+) \((\w+)", out, re.M)
        if failed:
            return True, failed[0][0] + ("" if failed[0][1] == "Failed" else f" ({failed[0][1]})")
        return True, f"{group} (ctest exit {code})"

    def is_new(self, killer):
        name = killer.split(" ")[0]
        if self.new_gtests and any(fnmatch.fnmatchcase(name, p) for p in self.new_gtests.split(":")):
            return True
        return bool(self.new_ctests and re.search(self.new_ctests, name))

    def mutate(self, m):
        target = ROOT / m.file
        original = target.read_bytes()

        def restore():
            target.write_bytes(original)
            os.utime(target)  # newer than the mutated objects, so the next build takes it back

        text = original.decode("utf-8")
        started = time.monotonic()
        try:
            target.write_text(text.replace(m.find, m.replace, 1), encoding="utf-8")
            groups = m.tests or groups_for(m.file)
            built = set()
            for g in groups:
                need = [t for t in self.build_targets(g) if t not in built]
                ok, out = self.compile(need)
                if not ok:
                    errors = [l for l in out.splitlines() if "error" in l][:3]
                    return "did not build", "; ".join(errors)[:200], time.monotonic() - started, "did not build"
                built.update(need)
                killed, killer = self.test(g)
                if not killed:
                    continue
                if not self.is_new(killer):
                    return "killed", killer, time.monotonic() - started, "killed"
                # Killed by a new test: would the older tests of the same group have caught it?
                # (The groups after it are not built and tried for this: that would cost a full
                # cascade per mutant, so "survived" here means "not caught in its own group".)
                before = "killed" if self.test(g, baseline=True)[0] else "survived"
                return "killed", killer, time.monotonic() - started, before
            return "survived", "", time.monotonic() - started, "survived"
        finally:
            restore()


def write_report(results, mutants, path):
    order = {m.id: i for i, m in enumerate(mutants)}
    rows = sorted(results.values(), key=lambda r: order.get(r["id"], 1 << 30))
    rows = [r for r in rows if r["id"] in order]

    def rate(key):
        counted = [r for r in rows if r.get(key) in ("killed", "survived")]
        killed = sum(1 for r in counted if r[key] == "killed")
        return killed, len(counted)

    k1, n1 = rate("first")
    k2, n2 = rate("status")
    lines = ["# Mutation check report", "",
             f"Mutants: {len(rows)}. Killed now: {k2} of {n2} ({100.0 * k2 / max(n2, 1):.1f} %). Before (the first"
             f" run, or without the tests given as new): {k1} of {n1} ({100.0 * k1 / max(n1, 1):.1f} %).",
             "Mutants that do not build or do not apply are counted apart.", "",
             "| Mutant | File | Slip | Before | Now | Caught by | Seconds |",
             "|---|---|---|---|---|---|---|"]
    for r in rows:
        killer = (r.get("killer") or "").replace("|", "\\|")
        lines.append(f"| {r['id']} | {r['file']} | {r['why']} | {r['first']} | {r['status']} | {killer} |"
                     f" {r['seconds']:.0f} |")
    for status in ("did not build", "does not apply"):
        bad = [r["id"] for r in rows if r["status"] == status]
        if bad:
            lines += ["", f"{status}: " + ", ".join(bad)]
    Path(path).write_text("\n".join(lines) + "\n", encoding="utf-8")


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("ids", nargs="*", help="mutants to run (default: all)")
    ap.add_argument("--list", action="store_true", help="list the mutants and exit")
    ap.add_argument("--check", action="store_true", help="only check that every mutant applies")
    ap.add_argument("--survivors", action="store_true", help="run the mutants that survived the last run")
    ap.add_argument("--build", default=str(ROOT / "build-mutants"), help="build folder (default build-mutants)")
    ap.add_argument("--report", help="Markdown report (default BUILD/mutants-report.md)")
    ap.add_argument("--timeout", type=int, default=300, help="seconds one test program may take")
    ap.add_argument("--new-gtests", help="gtest filter (A.B:C.*) of the tests new in this change: a mutant"
                    " they kill is tried without them too, and the report's first column says whether the"
                    " tests before the change caught it")
    ap.add_argument("--new-ctests", help="ctest regex of the new CLI or window tests, likewise")
    ap.add_argument("-v", "--verbose", action="store_true")
    args = ap.parse_args()

    mutants = load_mutants()
    if args.list:
        for m in mutants:
            print(m.describe())
        print(f"{len(mutants)} mutants")
        return 0
    problems = [p for p in (applies(m) for m in mutants) if p]
    if args.check:
        for p in problems:
            print(p)
        print(f"{len(mutants) - len(problems)} of {len(mutants)} mutants apply")
        return 1 if problems else 0

    build = Path(args.build)
    build.mkdir(parents=True, exist_ok=True)
    store = build / "mutants.json"
    results = json.loads(store.read_text()) if store.exists() else {}
    by_id = {m.id: m for m in mutants}
    if args.ids:
        unknown = [i for i in args.ids if i not in by_id]
        if unknown:
            sys.exit("unknown mutants: " + ", ".join(unknown))
        chosen = [by_id[i] for i in args.ids]
    elif args.survivors:
        chosen = [m for m in mutants if results.get(m.id, {}).get("status") == "survived"]
    else:
        chosen = mutants

    # Ctrl-C and a kill restore the file through the finally clause of Runner.mutate.
    signal.signal(signal.SIGTERM, lambda *_: (_ for _ in ()).throw(KeyboardInterrupt()))
    runner = Runner(build, args.timeout, args.verbose, args.new_gtests, args.new_ctests)
    report = args.report or str(build / "mutants-report.md")
    try:
        runner.log(f"configuring and building {build} ...")
        runner.configure()
        ok, out = runner.compile(sorted(runner.targets & ({"tarvolin-cli", "tarvolin"} |
                                                           {t for t in runner.targets
                                                            if t.startswith("tarvolin_tests_") or
                                                            t.startswith("tarvolin_ui_")})))
        if not ok:
            sys.exit("the unmutated tree does not build:\n" + out[-3000:])
        for i, m in enumerate(chosen, 1):
            problem = applies(m)
            if problem:
                status, killer, seconds, before = "does not apply", problem, 0.0, "does not apply"
            else:
                status, killer, seconds, before = runner.mutate(m)
            previous = results.get(m.id, {})
            results[m.id] = {"id": m.id, "file": m.file, "why": m.why, "status": status, "killer": killer,
                             "seconds": seconds, "first": previous.get("first", before)}
            runner.log(f"[{i}/{len(chosen)}] {m.id}: {status} {killer} ({seconds:.0f} s)")
            store.write_text(json.dumps(results, indent=1))
    except KeyboardInterrupt:
        runner.log("interrupted; the mutated file is restored")
        return 130
    finally:
        write_report(results, mutants, report)
        runner.log(f"report: {report}")
    survived = [m.id for m in chosen if results[m.id]["status"] == "survived"]
    if survived:
        runner.log("survived: " + " ".join(survived))
    return 0


if __name__ == "__main__":
    sys.exit(main())
