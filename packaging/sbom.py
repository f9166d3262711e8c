#!/usr/bin/env python3
"""Bills of materials of the files a release hands out, as SPDX 2.3 JSON,
written from the build's own data, and their check.

  sbom.py deb FILE.deb
      Tarvelo and each file in the package, with its checksums, and each
      package it depends on, with the version installed where it was built
      and the licences that package's Debian copyright file names.
  sbom.py windows FILE FOLDER QT_PREFIX
      FILE, the installer or the zip, installs FOLDER as the build laid it
      out (its shipped-files.txt and debian-files.txt): each file with its
      checksums, and where it comes from: Tarvelo; Qt, built from the source
      package in QT_PREFIX/source, and each third-party component compiled
      into it, as Qt's attribution data lists them; and the Debian packages
      of the MinGW runtime.
  sbom.py check FILE.spdx.json...
      Each against the SPDX 2.3 JSON schema, its licence expressions against
      the SPDX licence list, and against the file it describes: its checksum,
      every package the .deb depends on, and the very files the installer or
      zip holds, with their checksums.

The first two write FILE.spdx.json beside FILE, dated SOURCE_DATE_EPOCH."""
import glob
import hashlib
import json
import os
import re
import subprocess
import sys
import tarfile
import tempfile
import time
import uuid
import zipfile

import debian.copyright
import license_expression

HERE = os.path.dirname(os.path.abspath(__file__))
LICENSE_LIST = "/usr/share/nodejs/spdx-license-ids"
EXCEPTION_LIST = "/usr/share/nodejs/spdx-exceptions/index.json"


def digests(path):
    sha1, sha256 = hashlib.sha1(), hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            sha1.update(block)
            sha256.update(block)
    return sha1.hexdigest(), sha256.hexdigest()


def spdx_id(kind, name):
    return "SPDXRef-%s-%s" % (kind, re.sub(r"[^A-Za-z0-9.-]", "-", name))


class Licences:
    """Turns Debian's licence names into SPDX expressions; a name that is
    not on the SPDX list becomes a LicenseRef that carries its text."""

    # Debian's names where SPDX spells them otherwise.
    RENAMED = {"expat": "MIT", "boost-1.0": "BSL-1.0", "zlib/libpng": "Zlib",
               "gfdl-niv-1.3": "GFDL-1.3-no-invariants-only", "public-domain": None}
    EXCEPTIONS = {"qt-1.0": "Qt-GPL-exception-1.0", "gcc-3.1": "GCC-exception-3.1"}

    def __init__(self):
        with open(os.path.join(LICENSE_LIST, "index.json")) as f:
            self.known = {i.lower(): i for i in json.load(f)}
        self.extracted = {}

    def reference(self, name, text):
        ref = "LicenseRef-" + re.sub(r"[^A-Za-z0-9.-]+", "-", name).strip("-")
        self.extracted.setdefault(ref, {"licenseId": ref, "name": name,
                                        "extractedText": text or name})
        return ref

    def atom(self, name, texts):
        """One licence, without 'or' or 'and'; texts: name -> its text."""
        key = name.strip()
        if key.startswith("LicenseRef-"):
            return self.reference(key[11:], texts.get(key, key))
        lower = key.lower()
        spdx = self.RENAMED.get(lower, key)
        m = re.fullmatch(r"(a?gpl|lgpl|gfdl)-(\d)(\.\d)?(\+)?", lower)
        if m:
            spdx = "%s-%s%s-%s" % (m[1].upper(), m[2], m[3] or ".0",
                                   "or-later" if m[4] else "only")
        m = re.fullmatch(r"bsd-(\d)-clause", lower)
        if m:
            spdx = "BSD-%s-Clause" % m[1]
        if spdx and spdx.lower() in self.known:
            return self.known[spdx.lower()]
        return self.reference("Debian-" + key, texts.get(lower))

    def expression(self, debian, texts):
        """A Debian licence field ('GPL-3 with Qt-1.0 exception or LGPL-3')
        as an SPDX expression."""
        alternatives = []
        for choice in re.split(r"\s+or\s+", debian.strip(), flags=re.I):
            parts = []
            for part in re.split(r"\s*(?:,\s*)?\band\b\s*", choice, flags=re.I):
                m = re.fullmatch(r"(.+?)\s+with\s+(\S+)\s+exception", part, flags=re.I)
                if m and m[2].lower() in self.EXCEPTIONS:
                    parts.append("%s WITH %s" % (self.atom(m[1], texts),
                                                 self.EXCEPTIONS[m[2].lower()]))
                else:
                    parts.append(self.atom(part, texts))
            alternatives.append(" AND ".join(parts))
        if len(alternatives) == 1:
            return alternatives[0]
        return " OR ".join("(%s)" % a if " AND " in a else a for a in alternatives)

    def of_copyright(self, text, origin, whole=True):
        """The licences of a Debian copyright file: every one it names, or,
        if not whole, those of 'Files: *'. A file not in the machine-readable
        format is itself the licence's text."""
        try:
            parsed = debian.copyright.Copyright(text.splitlines(), strict=False)
        except debian.copyright.NotMachineReadableError:
            return self.reference("Debian-copyright-" + origin, text)
        texts = {}
        for paragraph in parsed.all_paragraphs():
            licence = getattr(paragraph, "license", None)
            if licence and licence.text.strip():
                texts[licence.synopsis.strip().lower()] = texts[licence.synopsis.strip()] = licence.text
        found = []
        for paragraph in parsed.all_files_paragraphs():
            if paragraph.license and (whole or paragraph.files == ("*",)):
                expr = self.expression(paragraph.license.synopsis, texts)
                if expr not in found:
                    found.append(expr)
        return " AND ".join("(%s)" % e if " OR " in e else e for e in found) or "NOASSERTION"


def debian_package(licences, name, kind="Debian"):
    version = subprocess.run(["dpkg-query", "-W", "-f=${Version}", name],
                             capture_output=True, text=True).stdout
    package = {"SPDXID": spdx_id(kind, name), "name": name, "downloadLocation": "NOASSERTION",
               "filesAnalyzed": False, "supplier": "Organization: Debian",
               "licenseConcluded": "NOASSERTION", "copyrightText": "NOASSERTION"}
    copyright = "/usr/share/doc/%s/copyright" % name
    if version:
        package["versionInfo"] = version
        package["externalRefs"] = [{
            "referenceCategory": "PACKAGE-MANAGER", "referenceType": "purl",
            "referenceLocator": "pkg:deb/debian/%s@%s?arch=%s" % (
                name, version.replace(":", "%3A"), subprocess.run(
                    ["dpkg-query", "-W", "-f=${Architecture}", name],
                    capture_output=True, text=True).stdout)}]
    if os.path.exists(copyright):
        # Packages of one source often share the file, through a link.
        owner = os.path.basename(os.path.dirname(os.path.realpath(copyright)))
        with open(copyright, encoding="utf-8", errors="replace") as f:
            package["licenseDeclared"] = licences.of_copyright(f.read(), owner)
        package["comment"] = "Licences as named by " + copyright
    else:
        package["licenseDeclared"] = "NOASSERTION"
    return package


class Document:
    def __init__(self, artefact, licences):
        self.artefact, self.licences = artefact, licences
        self.packages, self.files, self.relationships = [], [], []
        self.sha1, self.sha256 = digests(artefact)
        name = os.path.basename(artefact)
        with open(os.path.join(HERE, "..", "CMakeLists.txt")) as f:
            self.version = re.search(r"project\(tarvelo VERSION (\S+)", f.read())[1]
        with open(os.path.join(HERE, "copyright.in"), encoding="utf-8") as f:
            own = licences.of_copyright(f.read(), "tarvelo")
        self.main = {
            "SPDXID": "SPDXRef-Package-tarvelo", "name": "tarvelo", "versionInfo": self.version,
            "packageFileName": name, "supplier": "Organization: Tarvelo",
            "downloadLocation": "NOASSERTION", "filesAnalyzed": True,
            "checksums": [{"algorithm": "SHA1", "checksumValue": self.sha1},
                          {"algorithm": "SHA256", "checksumValue": self.sha256}],
            "licenseConcluded": "NOASSERTION", "licenseDeclared": own,
            "copyrightText": "2026 The Tarvelo project"}
        self.packages.append(self.main)
        self.relationships.append(("SPDXRef-DOCUMENT", "DESCRIBES", self.main["SPDXID"]))

    def add_file(self, name, path, origin=None):
        sha1, sha256 = digests(path)
        entry = {"SPDXID": spdx_id("File", name), "fileName": "./" + name,
                 "checksums": [{"algorithm": "SHA1", "checksumValue": sha1},
                               {"algorithm": "SHA256", "checksumValue": sha256}]}
        if name.endswith((".exe", ".dll")) or "/bin/" in "/" + name:
            entry["fileTypes"] = ["BINARY"]
        self.files.append(entry)
        self.relationships.append((self.main["SPDXID"], "CONTAINS", entry["SPDXID"]))
        if origin:
            self.relationships.append((entry["SPDXID"], "GENERATED_FROM", origin))

    def write(self):
        self.files.sort(key=lambda f: f["fileName"])
        code = hashlib.sha1("".join(sorted(f["checksums"][0]["checksumValue"]
                                           for f in self.files)).encode()).hexdigest()
        self.main["packageVerificationCode"] = {"packageVerificationCodeValue": code}
        epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "0"))
        name = os.path.basename(self.artefact)
        doc = {
            "spdxVersion": "SPDX-2.3", "dataLicense": "CC0-1.0", "SPDXID": "SPDXRef-DOCUMENT",
            "name": name,
            "documentNamespace": "https://spdx.org/spdxdocs/%s-%s" % (
                name, uuid.uuid5(uuid.NAMESPACE_URL, "sha256:" + self.sha256)),
            "creationInfo": {"created": time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime(epoch)),
                             "creators": ["Organization: Tarvelo", "Tool: tarvelo-sbom.py"]},
            "packages": self.packages, "files": self.files,
            "relationships": [{"spdxElementId": a, "relationshipType": t, "relatedSpdxElement": b}
                              for a, t, b in self.relationships],
            "hasExtractedLicensingInfos": sorted(self.licences.extracted.values(),
                                                 key=lambda e: e["licenseId"])}
        with open(self.artefact + ".spdx.json", "w", encoding="utf-8") as out:
            json.dump(doc, out, indent=1, ensure_ascii=False)
            out.write("\n")


def depends(deb):
    field = subprocess.run(["dpkg-deb", "-f", deb, "Depends"], capture_output=True,
                           text=True, check=True).stdout
    return [[re.match(r"[^\s(:]+", alt.strip())[0] for alt in item.split("|")]
            for item in field.split(",") if item.strip()]


def from_deb(deb):
    licences = Licences()
    doc = Document(deb, licences)
    with tempfile.TemporaryDirectory() as root:
        subprocess.run(["dpkg-deb", "-x", deb, root], check=True)
        for top, _, names in os.walk(root):
            for n in names:
                path = os.path.join(top, n)
                if os.path.isfile(path) and not os.path.islink(path):
                    doc.add_file(os.path.relpath(path, root), path)
    for alternatives in depends(deb):
        for name in alternatives:
            package = debian_package(licences, name)
            doc.packages.append(package)
            doc.relationships.append((doc.main["SPDXID"], "DEPENDS_ON", package["SPDXID"]))
    doc.write()


def from_windows(artefact, folder, qt):
    licences = Licences()
    doc = Document(artefact, licences)
    dsc = glob.glob(os.path.join(qt, "source", "*.dsc"))[0]
    with open(dsc) as f:
        source_version = re.search(r"^Version: (\S+)", f.read(), re.M)[1]
    with tarfile.open(glob.glob(os.path.join(qt, "source", "*.debian.tar.*"))[0]) as t:
        copyright = t.extractfile("debian/copyright").read().decode("utf-8")
    # Debian's version of the source names its security fixes too: a scanner
    # that knows Debian's advisories reads the package URL.
    with open("/etc/os-release") as f:
        distro = "debian-" + re.search(r'^VERSION_ID="?(\d+)', f.read(), re.M)[1]
    qt_package = {
        "SPDXID": "SPDXRef-Package-Qt", "name": "qt6-base", "versionInfo": source_version,
        "supplier": "Organization: Debian", "originator": "Organization: The Qt Company",
        "downloadLocation": "NOASSERTION", "homepage": "https://www.qt.io/", "filesAnalyzed": False,
        "sourceInfo": "Qt %s, built for Windows from Debian's qt6-base %s, shipped as %s" % (
            re.match(r"[\d.]+", source_version)[0], source_version, os.path.basename(dsc)),
        "externalRefs": [{
            "referenceCategory": "PACKAGE-MANAGER", "referenceType": "purl",
            "referenceLocator": "pkg:deb/debian/qt6-base@%s?arch=source&distro=%s" % (
                source_version.replace("+", "%2B"), distro)}],
        "licenseConcluded": "NOASSERTION", "copyrightText": "NOASSERTION",
        "licenseDeclared": licences.of_copyright(copyright, "qt6-base", whole=False)}
    doc.packages.append(qt_package)
    doc.relationships.append((doc.main["SPDXID"], "CONTAINS", qt_package["SPDXID"]))
    with open(os.path.join(qt, "licenses", "attributions.json")) as f:
        for part in json.load(f):
            expr = part.get("LicenseId") or ""
            expr = re.sub(r"\b(GPL|LGPL)-(\d\.\d)(\+?)(?![-\w])",
                          lambda m: "%s-%s-%s" % (m[1], m[2], "or-later" if m[3] else "only"), expr)
            with open(os.path.join(qt, "licenses", part["Id"] + ".txt")) as t:
                notice = t.read()
            # A licence that is not on the SPDX list here (Qt's own
            # LicenseRefs, or one newer than the list) carries the notice.
            tokens, after_with = [], False
            for token in re.findall(r"[()]|[^\s()]+", expr):
                if token not in ("(", ")", "AND", "OR", "WITH") and not after_with:
                    token = licences.known.get(token.lower()) or licences.reference(
                        "Qt-%s-%s" % (part["Id"], token.replace("LicenseRef-", "")), notice)
                tokens.append(token)
                after_with = token == "WITH"
            expr = " ".join(tokens).replace("( ", "(").replace(" )", ")")
            if not expr:
                expr = licences.reference("Qt-" + part["Id"], notice)
            package = {
                "SPDXID": spdx_id("Qt", part["Id"]), "name": part["Name"],
                "downloadLocation": part.get("DownloadLocation") or "NOASSERTION",
                "filesAnalyzed": False, "licenseConcluded": "NOASSERTION",
                "licenseDeclared": expr, "copyrightText": part.get("Copyright") or "NOASSERTION",
                "comment": part.get("QtUsage", "")}
            if part.get("Version"):
                package["versionInfo"] = part["Version"]
            if part.get("Homepage"):
                package["homepage"] = part["Homepage"]
            doc.packages.append(package)
            doc.relationships.append((qt_package["SPDXID"], "CONTAINS", package["SPDXID"]))
    with open(os.path.join(folder, "debian-files.txt")) as f:
        debian = dict(line.split() for line in f if line.strip())
    for name in sorted(set(debian.values())):
        package = debian_package(licences, name)
        doc.packages.append(package)
        doc.relationships.append((doc.main["SPDXID"], "CONTAINS", package["SPDXID"]))
    with open(os.path.join(folder, "shipped-files.txt")) as f:
        for path in (line.strip() for line in f if line.strip()):
            # Tarvelo's own program, a Debian package's file, or else Qt's.
            origin = (None if path == "tarvelo.exe" else spdx_id("Debian", debian[path])
                      if path in debian else qt_package["SPDXID"])
            doc.add_file("Tarvelo/" + path, os.path.join(folder, path), origin)
    doc.write()


def contents(artefact):
    """What the file holds: name -> SHA-256, or, for a .deb, the packages it
    depends on."""
    if artefact.endswith(".deb"):
        return {alt: None for item in depends(artefact) for alt in item}
    found = {}
    if artefact.endswith(".zip"):
        with zipfile.ZipFile(artefact) as z:
            for info in z.infolist():
                if not info.is_dir():
                    found["./" + info.filename] = hashlib.sha256(z.read(info)).hexdigest()
        return found
    with tempfile.TemporaryDirectory() as root:
        subprocess.run(["msiextract", "-C", root, artefact], check=True, capture_output=True)
        for top, _, names in os.walk(root):
            for n in names:
                path = os.path.join(top, n)
                found["./" + os.path.relpath(path, root)] = digests(path)[1]
    return found


def check(path):
    import jsonschema
    problems = []
    with open(path, encoding="utf-8") as f:
        doc = json.load(f)
    with open(os.path.join(HERE, "spdx", "spdx-schema.json")) as f:
        schema = json.load(f)
    for error in jsonschema.Draft7Validator(schema).iter_errors(doc):
        problems.append("schema: %s at %s" % (error.message, list(error.absolute_path)))
    with open(os.path.join(LICENSE_LIST, "index.json")) as f:
        known = set(json.load(f))
    with open(EXCEPTION_LIST) as f:
        exceptions = set(json.load(f))
    refs = {e["licenseId"] for e in doc.get("hasExtractedLicensingInfos", [])}
    ids = [e["SPDXID"] for e in doc.get("packages", []) + doc.get("files", [])]
    if len(set(ids)) != len(ids):
        problems.append("an SPDX id is used twice")
    for r in doc.get("relationships", []):
        for end in (r["spdxElementId"], r["relatedSpdxElement"]):
            if end not in ids and end != "SPDXRef-DOCUMENT":
                problems.append("relationship to %s, which is not defined" % end)
    licensing = license_expression.Licensing(
        [license_expression.LicenseSymbol(k) for k in known | refs]
        + [license_expression.LicenseSymbol(e, is_exception=True) for e in exceptions])
    for p in doc.get("packages", []):
        for field in ("licenseConcluded", "licenseDeclared"):
            expr = p.get(field, "NOASSERTION")
            if expr in ("NOASSERTION", "NONE"):
                continue
            try:
                errors = licensing.validate(expr, strict=True).errors
            except Exception as error:  # an expression it cannot even parse
                errors = ["not a licence expression (%s)" % type(error).__name__]
            problems += ["%s of %s: %r: %s" % (field, p["name"], expr, e) for e in errors]
    artefact = path[:-len(".spdx.json")]
    main = next(p for p in doc["packages"] if p["SPDXID"] == "SPDXRef-Package-tarvelo")
    if {"algorithm": "SHA256", "checksumValue": digests(artefact)[1]} not in main["checksums"]:
        problems.append("the checksum is not that of " + artefact)
    listed = {f["fileName"]: c["checksumValue"] for f in doc.get("files", [])
              for c in f.get("checksums", []) if c.get("algorithm") == "SHA256"}
    names = {p["name"] for p in doc["packages"]}
    held = contents(artefact)
    for item, sha256 in held.items():
        if sha256 is None and item not in names:
            problems.append("the package %s it depends on is not listed" % item)
        elif sha256 is not None and listed.get(item) != sha256:
            problems.append("%s, which it holds, is not listed as it is" % item)
    if not artefact.endswith(".deb"):
        problems += ["%s is listed but not held" % f for f in sorted(set(listed) - set(held))]
    for p in problems:
        print("%s: %s" % (path, p), file=sys.stderr)
    return not problems


def main(argv):
    if argv[:1] == ["deb"] and len(argv) == 2:
        from_deb(argv[1])
    elif argv[:1] == ["windows"] and len(argv) == 4:
        from_windows(*argv[1:])
    elif argv[:1] == ["check"] and len(argv) > 1:
        if not all([check(p) for p in argv[1:]]):
            return 1
        print("valid SPDX 2.3, complete: " + " ".join(argv[1:]))
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
