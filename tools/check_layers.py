#!/usr/bin/env python3
"""The direction of dependencies, read from the sources themselves (run by CTest).

Folders are layers, lowest first; a file may include headers of its own folder and of lower
layers only. Nothing outside app/ includes app/. Every file built into the widget-free
libraries (tarvosk_core, tarvosk_headless, as their CMakeLists list them) and the fuzz targets
includes no Qt Widgets or Print Support header and no header of the widget library, and neither
library links one.

    tools/check_layers.py [SOURCE_DIR]
"""
import os
import re
import sys

LAYERS = [
    ("platform",),                        # INI, CP1251, canvas, layers, pictures, files
    ("plan",),                            # the model of a plan, its scale, view and names
    ("walls",),                           # the walls' rules and geometry
    ("bells", "pedestal", "beams"),       # each subsystem's catalogue, rules and geometry
    ("document", "model"),               # opening and saving, pictures, recovery, recent list; the live document
    ("sheet", "render", "checks"),        # the sheet and bill; the plan drawn on layers; design checks
    ("controls",),                        # widgets: number edits, the drawing panel, dialogs
    ("app",),                             # the program: window, headless runs, entry
]
RANK = {folder: rank for rank, group in enumerate(LAYERS) for folder in group}
OUTSIDE = ("tests", "bench", "fuzz", "tools", "build")  # not the program's layers
INCLUDE = re.compile(r'^\s*#\s*include\s+([<"])([^>"]+)[>"]', re.M)
WIDGET_MODULES = ("QtWidgets", "QtPrintSupport")


def qt_widget_headers():
    """Class headers of Qt Widgets and Print Support, from the installed Qt."""
    names = set()
    for root in ("/usr/include/x86_64-linux-gnu/qt6", "/usr/include/qt6"):
        for module in WIDGET_MODULES:
            folder = os.path.join(root, module)
            if os.path.isdir(folder):
                names |= {n for n in os.listdir(folder) if n.startswith("Q") and "." not in n}
    # Known for certain even where Qt's headers are elsewhere.
    names |= {"QWidget", "QApplication", "QMainWindow", "QDialog", "QLabel", "QComboBox", "QPrinter",
              "QMessageBox", "QFileDialog", "QListWidget", "QToolButton", "QCheckBox", "QLineEdit"}
    return names


def library_files(root, library):
    """Sources a CMakeLists in the tree adds to `library`."""
    files = set()
    for folder, _, names in os.walk(root):
        if any(part in folder.split(os.sep) for part in ("build", ".git")) or "build-" in folder:
            continue
        if "CMakeLists.txt" not in names:
            continue
        text = open(os.path.join(folder, "CMakeLists.txt"), encoding="utf-8").read()
        for block in re.findall(r"target_sources\(\s*%s\s+PRIVATE(.*?)\)" % library, text, re.S):
            for name in block.split():
                if name.endswith((".cpp", ".h")):
                    files.add(os.path.relpath(os.path.join(folder, name), root))
    return files


def sources(root):
    for folder, dirs, names in os.walk(root):
        rel = os.path.relpath(folder, root)
        top = rel.split(os.sep)[0]
        if rel != "." and (top.startswith(".") or top.startswith("build")):
            dirs[:] = []
            continue
        for name in names:
            if name.endswith((".cpp", ".h")):
                yield os.path.normpath(os.path.join(rel, name))


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), ".."))
    widgets = qt_widget_headers()
    free = library_files(root, "tarvosk_core") | library_files(root, "tarvosk_headless")
    ui = library_files(root, "tarvosk_ui")
    problems = []
    for path in sorted(sources(root)):
        top = path.split(os.sep)[0]
        text = open(os.path.join(root, path), encoding="utf-8").read()
        widget_free = path in free or (top == "fuzz" and not path.startswith("fuzz/window_checks"))
        for kind, name in INCLUDE.findall(text):
            target_top = name.split("/")[0]
            if kind == '"' and "/" in name:
                if target_top == "app" and top != "app" and top not in OUTSIDE:
                    problems.append("%s includes %s: nothing outside app/ may" % (path, name))
                elif top in RANK and target_top in RANK and target_top != top and RANK[target_top] > RANK[top]:
                    problems.append("%s includes %s: %s/ lies above %s/" % (path, name, target_top, top))
                if widget_free and name in ui:
                    problems.append("%s includes %s, a part of the widget library" % (path, name))
            elif kind == "<" and widget_free:
                base = name.split("/")[-1]
                if base in widgets or name.split("/")[0] in WIDGET_MODULES:
                    problems.append("%s includes <%s>: it is built without widgets" % (path, name))
    top_cmake = open(os.path.join(root, "CMakeLists.txt"), encoding="utf-8").read()
    for library in ("tarvosk_core", "tarvosk_headless"):
        for links in re.findall(r"target_link_libraries\(\s*%s\b(.*?)\)" % library, top_cmake, re.S):
            for bad in ("Qt6::Widgets", "Qt6::PrintSupport", "tarvosk_ui"):
                if bad in links.split():
                    problems.append("%s links %s" % (library, bad))
    if not free:
        problems.append("no sources found for the widget-free libraries")
    for p in problems:
        print(p)
    print("%d files checked, %d problems" % (sum(1 for _ in sources(root)), len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
