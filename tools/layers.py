#!/usr/bin/env python3
"""The layers of src/ and the rule that keeps them pointing one way.

Each folder of src/ is one layer. A file may include files of its own layer or of a lower
one; the Qt views of a layer live in its ui/ folder, which may include the layer's Qt-free
code and lower layers (their ui/ folders too), while nothing outside a ui/ folder includes
a ui/ file or Qt.

    tools/layers.py check [ROOT]          fails (exit 1) naming every include that breaks the rule
    tools/layers.py svg OUT.svg [ROOT]    draws the layers, their files and which layers include which
    tools/layers.py current SVG [ROOT]    fails when SVG is not what svg draws from the code now
    tools/layers.py selftest              shows that check finds each kind of fault
"""

import os
import re
import sys
import tempfile

# Bottom to top. The order is the one documented in docs/architecture.md.
LAYERS = ["base", "persist", "net", "lcd", "core", "disasm", "games", "debugger", "app"]

WHAT = {
    "base": "shared types, errors, program folder, resources, messages, clock, options, safe file writes, version",
    "persist": "stream primitives, user data, settings store, zip reader",
    "net": "HTTP client, ROM download, version-file rules",
    "lcd": "pin/pad/segment mappings, LCD driver, raster, PNG",
    "core": "the SM-5A / KB1013VK1-2 machine, mnemonic names",
    "disasm": "decoding, address notation, listing, hints, assembler",
    "games": "game classes, catalogue, game LCD drivers and layouts",
    "debugger": "one Qt-free controller per feature of the window, and their owner",
    "app": "ROM converters; program entry (ui)",
}

QUOTED = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
ANGLED = re.compile(r"^\s*#\s*include\s+<([^>]+)>")
QT_HEADER = re.compile(r"^(Q[A-Z]\w*|Qt\w*/|qt\w*\.h$)")
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc")
# Folders outside src/ whose sources must stay free of Qt.
QT_FREE_TOOLS = ["tools/cli", "tools/lcdgen"]


def rank(layer):
    return LAYERS.index(layer)


def is_ui(path):
    return "/ui/" in path or path.startswith("ui/")


def source_files(root, folder):
    base = os.path.join(root, folder)
    for dirpath, _, names in os.walk(base):
        for name in sorted(names):
            if name.endswith(SOURCE_SUFFIXES):
                full = os.path.join(dirpath, name)
                yield os.path.relpath(full, root).replace(os.sep, "/")


def includes(root, rel):
    with open(os.path.join(root, rel), encoding="utf-8", errors="replace") as f:
        for number, line in enumerate(f, 1):
            m = QUOTED.match(line)
            if m:
                yield number, "quoted", m.group(1)
                continue
            m = ANGLED.match(line)
            if m:
                yield number, "angled", m.group(1)


def violations(root):
    """Every include that breaks the rule, as 'file:line: text'."""
    found = []
    order = " < ".join(LAYERS)
    for rel in source_files(root, "src"):
        parts = rel.split("/")
        if len(parts) < 3:
            continue  # files directly in src/ belong to no layer
        own = parts[1]
        if own not in LAYERS:
            found.append(f"{rel}:1: the folder src/{own} is not a layer (layers: {order})")
            continue
        own_ui = is_ui("/".join(parts[2:]))
        for number, kind, target in includes(root, rel):
            where = f"{rel}:{number}"
            if kind == "angled":
                if QT_HEADER.match(target) and not own_ui:
                    found.append(f"{where}: includes <{target}>: Qt belongs in a ui/ folder")
                continue
            head = target.split("/")[0]
            if head not in LAYERS:
                continue  # a file of the same folder, or a generated header
            if rank(head) > rank(own):
                found.append(f'{where}: includes "{target}": layer {head} is above layer {own} ({order})')
            elif is_ui(target) and not own_ui:
                found.append(f'{where}: includes "{target}": only ui/ folders may include ui/ files')
    for folder in QT_FREE_TOOLS:
        for rel in source_files(root, folder):
            for number, kind, target in includes(root, rel):
                if kind == "angled" and QT_HEADER.match(target):
                    found.append(f"{rel}:{number}: includes <{target}>: {folder} is built without Qt")
                elif kind == "quoted" and is_ui(target):
                    found.append(f'{rel}:{number}: includes "{target}": {folder} is built without Qt')
    return found


def check(root):
    found = violations(root)
    for line in found:
        print(line)
    if found:
        print(f"{len(found)} include(s) break the layer order {' < '.join(LAYERS)}")
        return 1
    print(f"layers in order: {' < '.join(LAYERS)}; no include points up, no Qt outside ui/")
    return 0


def measure(root):
    """Files, lines and header names per (layer, ui) and include counts between them."""
    size = {}
    names = {}
    edges = {}
    for rel in source_files(root, "src"):
        parts = rel.split("/")
        if len(parts) < 3 or parts[1] not in LAYERS:
            continue
        own = (parts[1], is_ui("/".join(parts[2:])))
        with open(os.path.join(root, rel), encoding="utf-8", errors="replace") as f:
            lines = sum(1 for _ in f)
        files, total = size.get(own, (0, 0))
        size[own] = (files + 1, total + lines)
        stem = os.path.splitext(parts[-1])[0]
        if stem not in names.setdefault(own, []):
            names[own].append(stem)
        for _, kind, target in includes(root, rel):
            head = target.split("/")[0]
            if kind != "quoted" or head not in LAYERS:
                continue
            dest = (head, is_ui(target))
            if dest != own:
                edges[(own, dest)] = edges.get((own, dest), 0) + 1
    return size, names, edges


def wrap(words, width, rows):
    """Words joined by commas in at most `rows` lines of about `width` characters."""
    lines, line = [], ""
    for word in words:
        if line and len(line) + len(word) + 2 > width:
            lines.append(line + ",")
            line = ""
        line += ("" if not line else ", ") + word
    if line:
        lines.append(line)
    if len(lines) > rows:
        lines = lines[:rows]
        lines[-1] = lines[-1].rstrip(",") + ", ..."
    return lines


def svg(out, root):
    size, names, edges = measure(root)
    box_w, ui_w, box_h, gap = 540, 250, 80, 22
    lanes_left = 30 + 14 * len(LAYERS)  # one vertical lane per including layer, left of the boxes
    left = lanes_left + 20
    ui_left = left + box_w + 24
    right_lanes = ui_left + ui_w + 16
    top = 78
    width = right_lanes + 14 * len(LAYERS) + 30
    height = top + len(LAYERS) * (box_h + gap) + 20

    def y_of(layer):
        return top + (len(LAYERS) - 1 - rank(layer)) * (box_h + gap)

    def esc(text):
        return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")

    out_lines = [
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
        f'font-family="DejaVu Sans, Arial, sans-serif" font-size="12">',
        '<defs><marker id="a" viewBox="0 0 10 10" refX="9" refY="5" markerWidth="6" markerHeight="6" '
        'orient="auto"><path d="M0,0 L10,5 L0,10 z" fill="#4a5d75"/></marker></defs>',
        f'<rect width="{width}" height="{height}" fill="white"/>',
        f'<text x="{left}" y="28" font-size="17" font-weight="bold">Tarvolin: the layers of src/ and their includes</text>',
        f'<text x="{left}" y="48" fill="#444">Drawn by tools/layers.py from the code. A file includes only its own '
        "layer or lower ones; Qt lives only in ui/ folders.</text>",
        f'<text x="{left}" y="64" fill="#444">Left: includes between Qt-free layers, one line per including layer. '
        "Right: includes made by the ui/ folders.</text>",
    ]

    # Each arrow reaching a box gets its own height on the box's edge.
    arrivals = {}
    for (src, dest) in sorted(edges, key=lambda e: (not e[0][1], -rank(e[0][0]))):
        arrivals.setdefault((dest, src[1]), []).append(src)

    def arrival_y(dest, src):
        slot = arrivals[(dest, src[1])].index(src)
        return y_of(dest[0]) + 14 + 8 * slot

    def arrow(points, count, colour="#4a5d75"):
        d = " ".join(("M" if k == 0 else "L") + f"{x:.0f},{y:.0f}" for k, (x, y) in enumerate(points))
        w = 1.3
        out_lines.append(f'<path d="{d}" fill="none" stroke="{colour}" stroke-width="{w:.1f}" '
                         'marker-end="url(#a)"/>')

    # Qt-free layer -> lower Qt-free layer: from the includer's left edge along its lane.
    for layer in LAYERS:
        outgoing = sorted(((dest, n) for (src, dest), n in edges.items() if src == (layer, False) and not dest[1]),
                          key=lambda e: rank(e[0][0]))
        if not outgoing:
            continue
        lane = 30 + 14 * (len(LAYERS) - 1 - rank(layer))
        y0 = y_of(layer) + box_h / 2
        lowest = arrival_y(outgoing[0][0], (layer, False))
        out_lines.append(f'<path d="M{left},{y0:.0f} L{lane},{y0:.0f} L{lane},{lowest:.0f}" fill="none" '
                         'stroke="#4a5d75" stroke-width="1.2"/>')
        for dest, n in outgoing:
            y = arrival_y(dest, (layer, False))
            arrow([(lane, y), (left - 1, y)], n)
    # ui folders: to their own layer's code (short arrow) and to other layers (right-hand lanes).
    for layer in LAYERS:
        if (layer, True) not in size:
            continue
        y0 = y_of(layer) + box_h / 2
        lane = right_lanes + 14 * (len(LAYERS) - 1 - rank(layer))
        others = []
        for (src, dest), n in edges.items():
            if src != (layer, True):
                continue
            if dest == (layer, False):
                arrow([(ui_left, y0), (left + box_w + 1, y0)], n)
            else:
                others.append((dest, n))
        if not others:
            continue
        others.sort(key=lambda e: rank(e[0][0]))
        lowest = max(arrival_y(d, (layer, True)) for d, _ in others)
        out_lines.append(f'<path d="M{ui_left + ui_w},{y0 + 8:.0f} L{lane},{y0 + 8:.0f} L{lane},{lowest:.0f}" '
                         'fill="none" stroke="#b07c3a" stroke-width="1.2"/>')
        for dest, n in others:
            y = arrival_y(dest, (layer, True))
            target_x = ui_left + ui_w + 1 if dest[1] else left + box_w + 1
            arrow([(lane, y), (target_x, y)], n, "#b07c3a")
    for layer in LAYERS:
        y = y_of(layer)
        files, lines = size.get((layer, False), (0, 0))
        out_lines.append(f'<rect x="{left}" y="{y}" width="{box_w}" height="{box_h}" rx="6" fill="#e4ecf5" '
                         'stroke="#7d93ad"/>')
        out_lines.append(f'<text x="{left + 10}" y="{y + 20}" font-size="15" font-weight="bold">'
                         f"{rank(layer) + 1}  src/{layer}/</text>")
        out_lines.append(f'<text x="{left + box_w - 10}" y="{y + 20}" text-anchor="end" fill="#444">'
                         f"{files} files</text>")
        out_lines.append(f'<text x="{left + 10}" y="{y + 39}" fill="#222">{esc(WHAT.get(layer, ""))}</text>')
        for k, text in enumerate(wrap(names.get((layer, False), []), 95, 2)):
            out_lines.append(f'<text x="{left + 10}" y="{y + 56 + 13 * k}" font-size="10" fill="#555">'
                             f"{esc(text)}</text>")
        if (layer, True) in size:
            ufiles, ulines = size[(layer, True)]
            out_lines.append(f'<rect x="{ui_left}" y="{y}" width="{ui_w}" height="{box_h}" rx="6" fill="#f6ead8" '
                             'stroke="#b89a6a"/>')
            out_lines.append(f'<text x="{ui_left + 10}" y="{y + 20}" font-weight="bold">{layer}/ui/</text>')
            out_lines.append(f'<text x="{ui_left + ui_w - 10}" y="{y + 20}" text-anchor="end" fill="#444">'
                             f"Qt, {ufiles} files</text>")
            for k, text in enumerate(wrap(names[(layer, True)], 42, 3)):
                out_lines.append(f'<text x="{ui_left + 10}" y="{y + 40 + 13 * k}" font-size="10" fill="#555">'
                                 f"{esc(text)}</text>")
    out_lines.append("</svg>")
    with open(out, "w", encoding="utf-8") as f:
        f.write("\n".join(out_lines) + "\n")
    print(f"wrote {out}")
    return 0


def current(committed, root):
    with tempfile.TemporaryDirectory() as work:
        fresh = os.path.join(work, "layers.svg")
        with open(os.devnull, "w") as quiet:
            saved, sys.stdout = sys.stdout, quiet
            try:
                svg(fresh, root)
            finally:
                sys.stdout = saved
        with open(fresh, encoding="utf-8") as f:
            wanted = f.read()
    try:
        with open(committed, encoding="utf-8") as f:
            have = f.read()
    except OSError:
        have = None
    if have == wanted:
        print(f"{committed} shows the layers as the code has them")
        return 0
    print(f"{committed} is out of date: run tools/layers.py svg {committed}")
    return 1


def selftest():
    """Builds small trees with one fault each and expects check to name it."""
    cases = [
        ("src/core/a.cpp", '#include "games/x.h"\n', "layer games is above layer core"),
        ("src/core/a.cpp", "#include <QString>\n", "Qt belongs in a ui/ folder"),
        ("src/debugger/a.cpp", '#include "debugger/ui/w.h"\n', "only ui/ folders may include ui/ files"),
        ("src/lcd/ui/w.cpp", '#include "debugger/x.h"\n', "layer debugger is above layer lcd"),
        ("tools/cli/m.cpp", "#include <QtCore/QFile>\n", "tools/cli is built without Qt"),
        ("src/widgets/a.cpp", "int x;\n", "is not a layer"),
    ]
    clean = [
        ("src/debugger/ui/w.cpp", '#include <QWidget>\n#include "debugger/x.h"\n#include "disasm/ui/v.h"\n'),
        ("src/core/a.cpp", '#include "lcd/lcd_driver.h"\n#include "core/b.h"\n#include "local.h"\n'),
    ]
    failures = 0
    for path, text, expected in cases + [(p, t, None) for p, t in clean]:
        with tempfile.TemporaryDirectory() as root:
            full = os.path.join(root, path)
            os.makedirs(os.path.dirname(full))
            with open(full, "w") as f:
                f.write(text)
            found = violations(root)
            ok = (expected is None and not found) or (
                expected is not None and len(found) == 1 and expected in found[0] and found[0].startswith(path + ":"))
            if not ok:
                failures += 1
                print(f"FAIL {path}: expected {expected!r}, found {found}")
    print("selftest: " + ("all cases pass" if not failures else f"{failures} case(s) fail"))
    return 1 if failures else 0


def main(argv):
    here = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    if len(argv) >= 2 and argv[1] == "check":
        return check(argv[2] if len(argv) > 2 else here)
    if len(argv) >= 3 and argv[1] == "svg":
        return svg(argv[2], argv[3] if len(argv) > 3 else here)
    if len(argv) >= 3 and argv[1] == "current":
        return current(argv[2], argv[3] if len(argv) > 3 else here)
    if len(argv) == 2 and argv[1] == "selftest":
        return selftest()
    print(__doc__.strip(), file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
