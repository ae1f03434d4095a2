#!/usr/bin/env python3
"""The Russian interface texts: translations/tarvolin_ru.ts against the texts of the code.

The program's texts are found by Qt's lupdate in src/: tr() and QCoreApplication::translate()
in the Qt views, Tr(Context, Text) and TR_NOOP(Context, Text) in the code without Qt.

    tools/translations.py update [ROOT]   brings the .ts file up to the code (new texts are
                                          added untranslated, texts the code lost are dropped)
    tools/translations.py check [ROOT]    fails when the .ts file is not up to the code or a
                                          text has no Russian translation, naming each
"""

import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

TS = os.path.join("translations", "tarvolin_ru.ts")
ALIASES = "translate+=Tr,QT_TRANSLATE_NOOP+=TR_NOOP"


def lupdate_binary():
    for candidate in ("/usr/lib/qt6/bin/lupdate", shutil.which("lupdate-qt6"), shutil.which("lupdate")):
        if candidate and os.path.exists(candidate):
            return candidate
    sys.exit("translations: lupdate not found (Debian package qt6-l10n-tools)")


def run_lupdate(root, ts_path):
    cmd = [lupdate_binary(), "-silent", "-no-obsolete", "-locations", "none", "-tr-function-alias", ALIASES,
           "-extensions", "cpp,h", os.path.join(root, "src"), "-target-language", "ru_RU", "-ts", ts_path]
    result = subprocess.run(cmd, capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit("translations: lupdate failed:\n" + result.stdout + result.stderr)


def messages(ts_path):
    """(context, source) -> (translation text, type attribute) of every message."""
    found = {}
    for context in ET.parse(ts_path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source")
            tr = message.find("translation")
            numerus = tr.findall("numerusform") if tr is not None else []
            text = "".join(n.text or "" for n in numerus) if numerus else (tr.text or "" if tr is not None else "")
            found[(name, source)] = (text, tr.get("type") if tr is not None else "unfinished")
    return found


def update(root):
    ts = os.path.join(root, TS)
    os.makedirs(os.path.dirname(ts), exist_ok=True)
    run_lupdate(root, ts)
    unfinished = [k for k, (text, kind) in messages(ts).items() if kind == "unfinished" or not text]
    print(f"{TS}: {len(messages(ts))} texts, {len(unfinished)} without a translation")
    return 0


def check(root):
    ts = os.path.join(root, TS)
    if not os.path.exists(ts):
        print(f"{TS} is missing: run tools/translations.py update")
        return 1
    committed = messages(ts)
    with tempfile.TemporaryDirectory() as work:
        fresh_path = os.path.join(work, "fresh.ts")
        shutil.copy(ts, fresh_path)
        run_lupdate(root, fresh_path)
        fresh = messages(fresh_path)
    problems = []
    for key in sorted(set(fresh) - set(committed)):
        problems.append(f"new text not in {TS}: [{key[0]}] {key[1]!r}")
    for key in sorted(set(committed) - set(fresh)):
        problems.append(f"text no longer in the code: [{key[0]}] {key[1]!r}")
    for key, (text, kind) in sorted(committed.items()):
        if key in fresh and (kind in ("unfinished", "vanished", "obsolete") or not text.strip()):
            problems.append(f"no Russian translation: [{key[0]}] {key[1]!r}")
    for line in problems:
        print(line)
    if problems:
        print(f"{len(problems)} problem(s): run tools/translations.py update, then translate in {TS}")
        return 1
    print(f"{TS}: all {len(committed)} texts of the code have a Russian translation")
    return 0


def main(argv):
    root = argv[2] if len(argv) > 2 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    if len(argv) >= 2 and argv[1] == "update":
        return update(root)
    if len(argv) >= 2 and argv[1] == "check":
        return check(root)
    print(__doc__.strip(), file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
