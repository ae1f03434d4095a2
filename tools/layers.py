#!/usr/bin/env python3
"""The layers of src/ and the rule that keeps them pointing one way.

Each folder of src/ is one layer. A file may include files of its own layer or of a lower
one; the Qt views of a layer live in its ui/ folder, which may include the layer's Qt-free
code and lower layers (their ui/ folders too), while nothing outside a ui/ folder includes
a ui/ file or Qt.

    tools/layers.py check [ROOT]          fails (exit 1) naming every include that breaks the rule
    tools/layers.py svg OUT.svg [ROOT]    draws the layers and the includes between them
    tools/layers.py selftest              shows that check finds each kind of fault
"""

import os
import re
import sys
import tempfile

# Bottom to top. The order is the one documented in docs/architecture.md.
LAYERS = ["base", "persist", "lcd", "core", "disasm", "games", "debugger", "app"]

WHAT = {
    "base": "shared types, errors, program folder, resources, messages, clock, options",
    "persist": "stream primitives, user data, settings store",
    "lcd": "pin/pad/segment mappings, LCD driver, raster, PNG",
    "core": "the SM-5A / KB1013VK1-2 machine, mnemonic names",
    "disasm": "decoding, address notation, listing, hints, assembler",
    "games": "game classes, catalogue, game LCD drivers and layouts",
    "debugger": "one controller per feature of the window, and their owner",
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
    """Files and lines per (layer, ui) and include counts between layers."""
    size = {}
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
        for _, kind, target in includes(root, rel):
            head = target.split("/")[0]
            if kind != "quoted" or head not in LAYERS:
                continue
            dest = (head, is_ui(target))
            if dest != own:
                edges[(own, dest)] = edges.get((own, dest), 0) + 1
    return size, edges


def svg(out, root):
    size, edges = measure(root)
    box_w, box_h, gap, left, top = 430, 58, 34, 40, 70
    ui_w = 200
    width = left + box_w + 20 + ui_w + 240
    height = top + len(LAYERS) * (box_h + gap) + 30

    def y_of(layer):
        return top + (len(LAYERS) - 1 - rank(layer)) * (box_h + gap)

    def anchor(node, side):
        layer, ui = node
        x = left + box_w + 20 if ui else left
        w = ui_w if ui else box_w
        y = y_of(layer)
        return (x + w * side, y + box_h / 2)

    out_lines = [
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
        f'font-family="DejaVu Sans, Arial, sans-serif" font-size="12">',
        '<defs><marker id="a" viewBox="0 0 10 10" refX="9" refY="5" markerWidth="7" markerHeight="7" '
        'orient="auto-start-reverse"><path d="M0,0 L10,5 L0,10 z" fill="#5a6b80"/></marker></defs>',
        f'<rect width="{width}" height="{height}" fill="white"/>',
        f'<text x="{left}" y="28" font-size="17" font-weight="bold">Tarvolin: layers of src/ and their includes</text>',
        f'<text x="{left}" y="48" fill="#444">Drawn by tools/layers.py from the includes of the code. '
        "Arrows point from includer to included, always down or sideways into ui/.</text>",
    ]
    # Arrows first, so boxes sit on top. Each arrow leaves the includer's box on its right
    # edge and enters the included box on its right edge, bending through a lane per target.
    lane_x = {}
    lanes = sorted({dest for (_, dest) in edges}, key=lambda n: (rank(n[0]), n[1]))
    for i, dest in enumerate(lanes):
        lane_x[dest] = left + box_w + 20 + ui_w + 24 + i * 12
    for (src, dest), count in sorted(edges.items(), key=lambda e: (rank(e[0][1][0]), rank(e[0][0][0]))):
        if src[1] and not dest[1] and src[0] == dest[0]:
            # a ui/ folder on its own layer's code: a short arrow between the boxes
            x1, y1 = anchor(src, 0)
            x2, y2 = anchor(dest, 1)
            out_lines.append(f'<line x1="{x1}" y1="{y1}" x2="{x2 + 2}" y2="{y2}" stroke="#5a6b80" '
                             f'stroke-width="1.2" marker-end="url(#a)"/>')
            continue
        x1, y1 = anchor(src, 1)
        x2, y2 = anchor(dest, 1)
        lx = lane_x[dest]
        y1 += (hash(dest) % 7 - 3) * 3
        y2 += 8 if dest[1] else -8
        stroke = 1 + min(count, 40) / 12
        out_lines.append(
            f'<path d="M{x1},{y1} L{lx},{y1} L{lx},{y2} L{x2 + 2},{y2}" fill="none" stroke="#5a6b80" '
            f'stroke-opacity="0.55" stroke-width="{stroke:.1f}" marker-end="url(#a)">'
            f"<title>{src[0]}{'/ui' if src[1] else ''} includes {dest[0]}{'/ui' if dest[1] else ''} "
            f"{count} times</title></path>")
    for layer in LAYERS:
        y = y_of(layer)
        files, lines = size.get((layer, False), (0, 0))
        out_lines.append(f'<rect x="{left}" y="{y}" width="{box_w}" height="{box_h}" rx="6" '
                         'fill="#e4ecf5" stroke="#7d93ad"/>')
        out_lines.append(f'<text x="{left + 10}" y="{y + 21}" font-size="15" font-weight="bold">'
                         f"{rank(layer) + 1}  src/{layer}/</text>")
        out_lines.append(f'<text x="{left + box_w - 10}" y="{y + 21}" text-anchor="end" fill="#444">'
                         f"{files} files, {lines} lines</text>")
        out_lines.append(f'<text x="{left + 10}" y="{y + 43}" fill="#333">{WHAT.get(layer, "")}</text>')
        if (layer, True) in size:
            ufiles, ulines = size[(layer, True)]
            ux = left + box_w + 20
            out_lines.append(f'<rect x="{ux}" y="{y}" width="{ui_w}" height="{box_h}" rx="6" '
                             'fill="#f6ead8" stroke="#b89a6a"/>')
            out_lines.append(f'<text x="{ux + 10}" y="{y + 21}" font-weight="bold">{layer}/ui/ (Qt)</text>')
            out_lines.append(f'<text x="{ux + 10}" y="{y + 41}" fill="#444">{ufiles} files, {ulines} lines</text>')
    out_lines.append("</svg>")
    with open(out, "w", encoding="utf-8") as f:
        f.write("\n".join(out_lines) + "\n")
    print(f"wrote {out}")
    return 0


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
    if len(argv) == 2 and argv[1] == "selftest":
        return selftest()
    print(__doc__.strip(), file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
