#!/usr/bin/env python3
"""Writes a manual page from a program's own --help text, so the page always says what the
program says.

    manpage.py PROGRAM NAME VERSION "SHORT DESCRIPTION" OUT [--files FILE]

The lines of the help text that start with "usage:" (in any case), and the lines indented under
them, become the SYNOPSIS; the rest is the DESCRIPTION, kept as written. When the help text
lists verbs (sub-commands) under a heading such as "Verbs:" or "SUBCOMMANDS:", each verb's own
"PROGRAM VERB --help" text follows in a section of its own. --files adds a FILES section from a
text file. OUT ending in ".gz" is written compressed (reproducibly, without a time stamp).
"""
import gzip
import os
import re
import subprocess
import sys

HEADINGS = re.compile(r"^\s*(verbs|sub-?commands|commands)\s*:?\s*$", re.IGNORECASE)


def help_text(args):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", LC_ALL="C")
    r = subprocess.run(args + ["--help"], capture_output=True, text=True, env=env, timeout=60)
    if r.returncode != 0 or not r.stdout.strip():
        sys.exit(f"manpage.py: '{' '.join(args)} --help' failed with status {r.returncode}: {r.stderr.strip()}")
    return r.stdout.expandtabs().rstrip("\n").split("\n")


def roff(text):
    """Escapes a line of plain text for roff: backslashes, and a leading dot or quote."""
    text = text.replace("\\", "\\e").replace("-", "\\-")
    if text.startswith((".", "'")):
        text = "\\&" + text
    return text


def split_usage(lines):
    """(usage lines, the rest): 'usage:' lines and the lines indented under them."""
    usage, rest, in_usage = [], [], False
    for line in lines:
        if line.lower().startswith("usage:"):
            usage.append(line[len("usage:"):].strip())
            in_usage = True
        elif in_usage and line.startswith(" ") and line.strip():
            usage.append(line.strip())
        else:
            in_usage = False
            rest.append(line)
    while rest and not rest[0].strip():
        rest.pop(0)
    return usage, rest


def verbs(lines):
    found, listing = [], False
    for line in lines:
        if HEADINGS.match(line):
            listing = True
            continue
        if listing:
            m = re.match(r"^\s+([a-z][a-z0-9-]*)(\s|$)", line)
            if not m:
                listing = False
                continue
            found.append(m.group(1))
    return found


def preformatted(lines):
    out = [".nf"]
    out += [roff(l) if l.strip() else "" for l in lines]
    out.append(".fi")
    return out


def page(program, name, version, short, files):
    top = help_text([program])
    usage, rest = split_usage(top)
    out = [f'.TH {name.upper()} 1 "" "Tarvolin {version}" "User Commands"',
           ".SH NAME", f"{roff(name)} \\- {roff(short)}", ".SH SYNOPSIS"]
    out += preformatted(usage or [name])
    out += [".SH DESCRIPTION"] + preformatted(rest)
    for verb in verbs(top):
        out += [f".SH {roff(verb.upper())}"] + preformatted(help_text([program, verb]))
    if files:
        with open(files, encoding="utf-8") as f:
            out += [".SH FILES"] + preformatted(f.read().rstrip("\n").split("\n"))
    others = [p for p in ("tarvolin", "tarvolin-cli") if p != name]
    out += [".SH SEE ALSO", ", ".join(f"\\fB{roff(p)}\\fR(1)" for p in others)]
    return "\n".join(out) + "\n"


def main(argv):
    files = None
    if "--files" in argv:
        i = argv.index("--files")
        files = argv[i + 1]
        del argv[i:i + 2]
    if len(argv) != 6:
        sys.exit(__doc__)
    program, name, version, short, target = argv[1:]
    data = page(program, name, version, short, files).encode("utf-8")
    tmp = target + ".tmp"
    if target.endswith(".gz"):
        with open(tmp, "wb") as raw, gzip.GzipFile(filename="", mode="wb", fileobj=raw, mtime=0, compresslevel=9) as z:
            z.write(data)
    else:
        with open(tmp, "wb") as f:
            f.write(data)
    os.replace(tmp, target)


if __name__ == "__main__":
    main(sys.argv)
