#!/usr/bin/env python3
"""Writes the licence notices of a Qt build from the source's own attribution
files (qt_attribution.json, read by Qt's qtattributionsscanner): Qt's own
licence texts, and one notice for each third-party component of which the
build compiled at least one file, source or header. attributions.json lists
those components, with paths relative to the source.

Usage: qt-notices.py SOURCE COMPILED-FILES OUTPUT
  COMPILED-FILES: the files the build compiled or included, one a line,
  relative to SOURCE."""
import json
import os
import subprocess
import sys
import tempfile

source, compiled_list, output = sys.argv[1:4]
SCANNER = "/usr/lib/qt6/libexec/qtattributionsscanner"
# Qt's libraries are under the LGPL version 3, which adds its permissions to
# the GPL version 3: both texts go with them.
QT_LICENCES = ["LGPL-3.0-only.txt", "GPL-3.0-only.txt"]

# The build's own scripts (CMake files) are among what the build read, but
# are compiled into nothing.
with open(compiled_list) as lines:
    compiled = {line.strip() for line in lines if line.strip() and not line.startswith("cmake/")
                and not line.strip().endswith((".cmake", ".cmake.in", "CMakeLists.txt"))}

with tempfile.NamedTemporaryFile(suffix=".json") as scanned:
    subprocess.run([SCANNER, "--silent", "--output-format", "json", "--basedir", source,
                    "-o", scanned.name, source], check=True)
    components = json.load(open(scanned.name))


def relative(path):
    return os.path.relpath(path, source) if path else ""


def compiled_in(component):
    folder = relative(component.get("Path", ""))
    files = component.get("Files") or []
    if isinstance(files, str):
        files = files.split()
    if files:
        return any(os.path.normpath(os.path.join(folder, f)) in compiled for f in files)
    return any(f.startswith(folder + "/") for f in compiled)


def text(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read()


os.makedirs(output, exist_ok=True)
for name in QT_LICENCES:
    with open(os.path.join(output, "Qt-" + name), "w") as notice:
        notice.write(text(os.path.join(source, "LICENSES", name)))

used = []
for component in sorted(filter(compiled_in, components), key=lambda c: c["Id"]):
    licence_files = component.get("LicenseFiles") or [component.get("LicenseFile", "")]
    licence_files = [f for f in licence_files + [component.get("CopyrightFile", "")] if f]
    with open(os.path.join(output, component["Id"] + ".txt"), "w") as notice:
        notice.write("%s %s\n%s\n\n%s\n\nLicence: %s (%s)\n" % tuple(component.get(key, "") for key in (
            "Name", "Version", "Homepage", "Copyright", "License", "LicenseId")))
        for path in licence_files:
            notice.write("\n" + text(path))
    used.append(dict(component, Path=relative(component.get("Path", "")),
                     LicenseFiles=[relative(f) for f in licence_files]))
    used[-1].pop("LicenseFile", None)
if not used:
    sys.exit("qt-notices: no third-party component found compiled in")
with open(os.path.join(output, "attributions.json"), "w") as index:
    json.dump(used, index, indent=1, sort_keys=True, ensure_ascii=False)
    index.write("\n")
