#!/usr/bin/env python3
"""The Russian interface texts: translations/tarvolin_ru.ts against the texts of the code.

The program's texts are found by Qt's lupdate in src/: tr() and QCoreApplication::translate()
in the Qt views, Tr(Context, Text) and TR_NOOP(Context, Text) in the code without Qt.

    tools/translations.py update [ROOT]   brings the .ts file up to the code (new texts are
                                          added untranslated, texts the code lost are dropped)
    tools/translations.py check [ROOT]    fails when the .ts file is not up to the code, a text
                                          has no Russian translation, or a translation lost a
                                          placeholder or its accelerator, naming each
    tools/translations.py selftest        shows that check finds each kind of fault
    tools/translations.py merge OTHER.ts [ROOT]
                                          takes the translations of OTHER.ts for texts the
                                          .ts file has without one (joining work of branches)
    tools/translations.py set FILE.json [ROOT]
                                          fills translations from a JSON list of
                                          [context, English text, Russian text]
"""

import os
import re
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


# printf conversions (the code fills translated formats with the same values in the same order)
# and Qt's %1..%9 arguments. The space flag is left out: the program's formats never use it, and
# prose such as "75% faster" would otherwise read as a conversion.
PLACEHOLDER = re.compile(r"%(?:%|[-+#0]*(?:\*|\d+)?(?:\.(?:\*|\d+))?(?:hh|h|ll|l|z)?[diouxXcsfgeEp]|[1-9])")


def placeholders(text):
    return [p for p in PLACEHOLDER.findall(text) if p != "%%"]


def accelerators(text):
    """The number of accelerator marks (a single '&' before a character)."""
    return len(re.findall(r"(?<!&)&(?!&)\S", text))


def update(root):
    ts = os.path.join(root, TS)
    os.makedirs(os.path.dirname(ts), exist_ok=True)
    run_lupdate(root, ts)
    unfinished = [k for k, (text, kind) in messages(ts).items() if kind == "unfinished" or not text]
    print(f"{TS}: {len(messages(ts))} texts, {len(unfinished)} without a translation")
    return 0


def find_problems(committed, fresh):
    """What is wrong with the committed messages against the texts the code has now."""
    problems = []
    for key in sorted(set(fresh) - set(committed)):
        problems.append(f"new text not in {TS}: [{key[0]}] {key[1]!r}")
    for key in sorted(set(committed) - set(fresh)):
        problems.append(f"text no longer in the code: [{key[0]}] {key[1]!r}")
    for key, (text, kind) in sorted(committed.items()):
        if key not in fresh:
            continue
        if kind in ("unfinished", "vanished", "obsolete") or not text.strip():
            problems.append(f"no Russian translation: [{key[0]}] {key[1]!r}")
        elif placeholders(text) != placeholders(key[1]):
            problems.append(f"placeholders differ: [{key[0]}] {key[1]!r} -> {text!r}")
        elif accelerators(key[1]) and not accelerators(text):
            problems.append(f"accelerator lost: [{key[0]}] {key[1]!r} -> {text!r}")
    return problems


def selftest():
    """Each kind of fault is named, and a good translation passes."""
    ok = ("Готово.", "finished")  # a finished translation without marks
    cases = [
        ({("C", "&Open"): ("Открыть", "finished")}, "accelerator lost"),
        ({("C", "%d steps"): ("шагов", "finished")}, "placeholders differ"),
        ({("C", "Ready."): ("", "unfinished")}, "no Russian translation"),
        ({}, "new text not in"),
    ]
    failures = 0
    for committed, expected in cases:
        fresh = dict(committed) or {("C", "Ready."): ok}
        found = find_problems(committed, fresh)
        if not any(expected in p for p in found):
            print(f"selftest: expected a problem '{expected}', got {found}")
            failures += 1
    good = {("C", "&Open"): ("&Открыть", "finished"),
            ("C", "%d of %s"): ("%d из %s", "finished"), ("C", "Ready."): ok,
            ("C", "Save"): ("&Сохранить", "finished")}
    found = find_problems(good, dict(good))
    if found:
        print(f"selftest: good translations reported: {found}")
        failures += 1
    extra = find_problems({**good, ("C", "Gone"): ok}, good)
    if not any("text no longer in the code" in p for p in extra):
        print(f"selftest: a text the code lost is not reported: {extra}")
        failures += 1
    print("translations selftest: " + ("ok" if not failures else f"{failures} failure(s)"))
    return 1 if failures else 0


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
    problems = find_problems(committed, fresh)
    for line in problems:
        print(line)
    if problems:
        print(f"{len(problems)} problem(s): run tools/translations.py update, then translate in {TS}")
        return 1
    print(f"{TS}: all {len(committed)} texts of the code have a Russian translation")
    return 0


def merge(other, root):
    import xml.etree.ElementTree as ET
    ts = os.path.join(root, TS)
    theirs = {k: v for k, v in messages(other).items() if v[0].strip() and v[1] not in ("unfinished", "vanished", "obsolete")}
    tree = ET.parse(ts)
    taken = 0
    for context in tree.getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            key = (name, message.findtext("source"))
            tr = message.find("translation")
            mine = (tr.text or "") if tr is not None else ""
            if key in theirs and (tr is None or tr.get("type") == "unfinished" or not mine.strip()):
                if tr is None:
                    tr = ET.SubElement(message, "translation")
                tr.text = theirs[key][0]
                tr.attrib.pop("type", None)
                taken += 1
    tree.write(ts, encoding="utf-8", xml_declaration=True)
    run_lupdate(root, ts)  # lupdate writes the file back in its own form
    print(f"{TS}: took {taken} translation(s) from {other}")
    return 0


def set_translations(json_path, root):
    """Fills translations from a JSON list of [context, source, translation] triples."""
    import json
    ts = os.path.join(root, TS)
    with open(json_path, encoding="utf-8") as f:
        wanted = {(c, src): tr for c, src, tr in json.load(f)}
    tree = ET.parse(ts)
    done = set()
    for context in tree.getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            key = (name, message.findtext("source"))
            if key in wanted:
                tr = message.find("translation")
                if tr is None:
                    tr = ET.SubElement(message, "translation")
                tr.text = wanted[key]
                tr.attrib.pop("type", None)
                done.add(key)
    tree.write(ts, encoding="utf-8", xml_declaration=True)
    run_lupdate(root, ts)
    for key in sorted(set(wanted) - done):
        print(f"not a text of the code: [{key[0]}] {key[1]!r}")
    print(f"{TS}: set {len(done)} translation(s)")
    return 0


def main(argv):
    root = argv[2] if len(argv) > 2 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    if len(argv) >= 2 and argv[1] == "update":
        return update(root)
    if len(argv) >= 2 and argv[1] == "check":
        return check(root)
    if len(argv) >= 2 and argv[1] == "selftest":
        return selftest()
    if len(argv) >= 3 and argv[1] == "set":
        return set_translations(argv[2], argv[3] if len(argv) > 3 else os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    if len(argv) >= 3 and argv[1] == "merge":
        return merge(argv[2], argv[3] if len(argv) > 3 else os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    print(__doc__.strip(), file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
