#!/usr/bin/env python3
"""Completes the installer's description with the program's files: one
component for each file, in folders as the build lays them out. Identifiers
and component codes follow from each file's path, so that a file keeps them
from build to build and from version to version.

The package code, which names one build of the installer, follows from the
description and the contents of every file: written to OUTPUT.package-code.

Usage: wxs.py TEMPLATE SHIPPED-FILES OUTPUT [FOLDER]
  SHIPPED-FILES: one path a line, relative to FOLDER, which is relative to
  the folder where wixl runs, and this script too (by default that one)."""
import hashlib
import sys
from xml.sax.saxutils import quoteattr

template, shipped, output = sys.argv[1:4]
top = sys.argv[4] + "/" if len(sys.argv) > 4 else ""
with open(shipped) as lines:
    files = sorted(line.strip() for line in lines if line.strip())


def key(kind, path):
    return kind + hashlib.sha256(("tarvelo:" + path).encode()).hexdigest()[:24]


def guid(path):
    h = hashlib.sha256(("tarvelo component:" + path).encode()).hexdigest().upper()
    return "-".join((h[:8], h[8:12], "5" + h[13:16], "8" + h[17:20], h[20:32]))


def folder(prefix, depth):
    """The directories and components of the files below prefix."""
    lines, indent = [], "  " * (depth + 5)
    below = sorted({f[len(prefix):].split("/")[0] for f in files
                    if f.startswith(prefix) and "/" in f[len(prefix):]})
    for name in below:
        lines.append("%s<Directory Id=%s Name=%s>" % (
            indent, quoteattr(key("d", prefix + name)), quoteattr(name)))
        lines += folder(prefix + name + "/", depth + 1)
        lines.append("%s</Directory>" % indent)
    for path in files:
        if path.startswith(prefix) and "/" not in path[len(prefix):]:
            name = path[len(prefix):]
            lines.append('%s<Component Id=%s Guid="%s" Win64="yes">' % (
                indent, quoteattr(key("c", path)), guid(path)))
            lines.append("%s  <File Id=%s Name=%s Source=%s KeyPath=\"yes\"/>" % (
                indent, quoteattr(key("f", path)), quoteattr(name), quoteattr(top + path)))
            lines.append("%s</Component>" % indent)
    return lines


refs = ["      <ComponentRef Id=%s/>" % quoteattr(key("c", path)) for path in files]
with open(template, encoding="utf-8") as t:
    text = t.read()
text = text.replace("          <!-- files -->", "\n".join(folder("", 0)))
text = text.replace("      <!-- components -->", "\n".join(refs))
with open(output, "w", encoding="utf-8") as out:
    out.write(text)
contents = hashlib.sha256(text.encode())
for path in files:
    with open(top + path, "rb") as f:
        contents.update(hashlib.sha256(f.read()).digest())
with open(output + ".package-code", "w") as out:
    out.write("{%s}\n" % guid(contents.hexdigest()))
