# Every file, make target, test and test function that the README and docs/
# name exists (what builds write and downloads aside): the words of each `code span` and fenced code line are looked
# up in the tree, the Makefile, the tests that CTest knows (or that
# tests/CMakeLists.txt registers on other systems) and the tests' sources.
# Usage: check.py SOURCE_DIR BUILD_DIR
import fnmatch
import glob
import os
import re
import subprocess
import sys

os.chdir(sys.argv[1])
tests = re.findall(r"Test +#\d+: (\S+)", subprocess.run(["ctest", "--test-dir", sys.argv[2], "-N"],
                                                          capture_output=True, text=True, check=True).stdout)
registered = open("tests/CMakeLists.txt").read()
targets = " ".join(re.findall(r"^([a-z][a-z -]*):", open("Makefile").read(), re.M)).split()
sources = "".join(open(f).read() for f in glob.glob("tests/*.cpp") + glob.glob("calc/*") + glob.glob("runtime/*"))
missing = []
for page in ["README.md"] + sorted(glob.glob("docs/*.md")):
    text = open(page).read()
    spans = re.findall(r"`([^`\n]+)`", re.sub(r"```.*?```", "", text, flags=re.S))
    spans += [line for block in re.findall(r"```\w*\n(.*?)```", text, re.S) for line in block.splitlines()]
    for span in spans:
        words = span.split("#")[0].split()
        for before, word in zip([""] + words, words):
            if before == "make" and "=" not in word and word not in targets:
                missing.append("make target " + word)
            elif re.fullmatch(r"[\w.*-]+(/[\w.*-]+)+/?", word) and not re.match(r"(build|dist)\b|\./", word):
                glob.glob(word) or missing.append("file " + word)
            elif re.fullmatch(r"(tst_\w+|e2e[._][a-z0-9_.*]+|install_and_package|deb_twice|windows_\w+|docs_\w+)", word):
                fnmatch.filter(tests, word) or word.removeprefix("e2e.") in registered or missing.append("test " + word)
            elif re.fullmatch(r"[a-z]+[A-Z]\w+", word) and word not in sources:
                missing.append("test function or name " + word)
    if missing:
        sys.exit("FAIL: %s names what does not exist: %s" % (page, ", ".join(sorted(set(missing)))))
print("ok: the README and docs/ name only what exists")
