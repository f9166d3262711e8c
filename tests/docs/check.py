# Every file, make target, test and test function that the README and docs/
# name exists: the words of each `code span` and fenced code line are looked
# up in the tree (what builds write aside), the Makefile's targets, and the
# tests that CTest knows or the sources name.
# Usage: check.py SOURCE_DIR BUILD_DIR
import fnmatch, glob, os, re, subprocess, sys

os.chdir(sys.argv[1])
listing = subprocess.run(["ctest", "--test-dir", sys.argv[2], "-N"], capture_output=True, text=True, check=True)
tests = re.findall(r"Test +#\d+: (\S+)", listing.stdout)
targets = " ".join(re.findall(r"^([a-z][a-z -]*):", open("Makefile").read(), re.M)).split()
sources = "".join(open(f).read() for f in glob.glob("tests/**/*.*", recursive=True) + glob.glob("*/*.h"))
missing = []
for page in ["README.md"] + glob.glob("docs/*.md"):
    text = open(page).read()
    fenced = "\n".join(re.findall(r"```\w*\n(.*?)```", text, re.S)).splitlines()
    for span in re.findall(r"`([^`\n]+)`", re.sub(r"```.*?```", "", text, flags=re.S)) + fenced:
        words = span.split("#")[0].split()
        for before, word in zip([""] + words, words):
            if before == "make" and "=" not in word:
                word in targets or missing.append(page + ": make " + word)
            elif re.fullmatch(r"[\w.*-]+(/[\w.*-]+)+/?", word) and not re.match(r"(build|dist)\b|\./", word):
                glob.glob(word) or missing.append(page + ": file " + word)
            elif re.fullmatch(r"tst_\w+|e2e[._][a-z0-9_.*]+|[a-z]+_twice|install_and_package|docs_\w+|[a-z]+[A-Z]\w+",
                              word):
                fnmatch.filter(tests, word) or word.removeprefix("e2e.") in sources or missing.append(page + ": " + word)
if missing:
    sys.exit("FAIL: the docs name what does not exist: " + ", ".join(sorted(set(missing))))
print("ok: the README and docs/ name only what exists")
