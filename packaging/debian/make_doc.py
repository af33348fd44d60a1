#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writes what the Debian package keeps in /usr/share/doc/qz-ostrel:

- copyright: the machine-readable copyright file, made from the project's REUSE data (the
  headers and .reuse/dep5, as `reuse spdx` reports them), so that nothing is kept twice;
- changelog.Debian.gz: the package's changelog, made from the release notes (NEWS.md);
- NEWS.md.gz and README.md.gz: the release notes and the README.

Every file is written the same way whenever and wherever it is made: sorted, and compressed
without a name or a time in the gzip header.

Usage: make_doc.py SOURCE_DIR OUT_DIR VERSION DEBIAN_REVISION "MAINTAINER <ADDRESS>"
"""

import collections
import datetime
import gzip
import os
import re
import subprocess
import sys
import textwrap

# The licences Debian keeps in /usr/share/common-licenses, by SPDX identifier, and the text
# the copyright file gives for each instead of the whole licence.
COMMON_LICENCES = {
    "GPL-3.0-or-later": (
        "GPL-3",
        "This program is free software: you can redistribute it and/or modify it under the\n"
        "terms of the GNU General Public License as published by the Free Software\n"
        "Foundation, either version 3 of the License, or (at your option) any later version.\n"
        "\n"
        "This program is distributed in the hope that it will be useful, but WITHOUT ANY\n"
        "WARRANTY; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A\n"
        "PARTICULAR PURPOSE. See the GNU General Public License for more details.",
    ),
    "CC0-1.0": (
        "CC0-1.0",
        "To the extent possible under law, the authors have dedicated all copyright and\n"
        "related and neighboring rights to this work to the public domain worldwide. This\n"
        "work is distributed without any warranty.",
    ),
}


def fail(message):
    sys.exit(f"make_doc.py: {message}")


def write(path, data, compress=False):
    if compress:
        # mtime 0 and no file name: the same bytes on every build (as gzip -9n).
        with open(path, "wb") as raw:
            with gzip.GzipFile(filename="", mode="wb", compresslevel=9, fileobj=raw,
                               mtime=0) as packed:
                packed.write(data)
    else:
        with open(path, "wb") as plain:
            plain.write(data)
    os.chmod(path, 0o644)


def header_fields(source):
    """The header paragraph of .reuse/dep5: Upstream-Name, Upstream-Contact, Source."""
    fields = {}
    try:
        with open(os.path.join(source, ".reuse", "dep5"), encoding="utf-8") as dep5:
            for line in dep5:
                if not line.strip():
                    break
                key, _, value = line.partition(":")
                fields[key.strip()] = value.strip()
    except FileNotFoundError:
        pass
    return fields


def reuse_files(source):
    """Each file's licences and copyright lines, as `reuse spdx` reports them."""
    report = subprocess.run(["reuse", "--root", source, "spdx"], check=True,
                            capture_output=True, text=True).stdout
    files = {}
    for block in report.split("\n\n"):
        name = re.search(r"^FileName: \./(.*)$", block, re.M)
        if not name:
            continue
        licences = sorted(set(re.findall(r"^LicenseInfoInFile: (.*)$", block, re.M))
                          - {"NONE", "NOASSERTION"})
        text = re.search(r"^FileCopyrightText: <text>(.*?)</text>", block, re.M | re.S)
        lines = []
        for line in (text.group(1).splitlines() if text else []):
            line = re.sub(r"^\s*(SPDX-FileCopyrightText:|Copyright)\s*(\(C\)|©)?\s*", "",
                          line, flags=re.I).strip()
            if line:
                lines.append(line)
        files[name.group(1)] = (tuple(sorted(set(lines))), " and ".join(licences))
    missing = sorted(name for name, (lines, licence) in files.items()
                     if not lines or not licence)
    if missing:
        fail("no copyright or licence for " + ", ".join(missing)
             + " (scripts/lib/annotate-licence gives them one)")
    return files


def copyright_file(source):
    header = header_fields(source)
    files = reuse_files(source)
    groups = collections.defaultdict(list)
    for name, terms in files.items():
        groups[terms].append(name)
    # The terms most files share cover "*"; later paragraphs name the files that differ.
    ordered = sorted(groups.items(), key=lambda group: (-len(group[1]), group[0]))
    out = ["Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/",
           "Upstream-Name: " + header.get("Upstream-Name", "QZ Ostrel")]
    for key in ("Upstream-Contact", "Source"):
        if key in header:
            out.append(f"{key}: {header[key]}")
    used = set()
    for index, ((lines, licence), names) in enumerate(ordered):
        patterns = ["*"] if index == 0 else sorted(names)
        out += ["", "Files: " + "\n ".join(patterns),
                "Copyright: " + "\n ".join(lines), "License: " + licence]
        used.update(licence.split(" and "))
    for licence in sorted(used):
        if licence not in COMMON_LICENCES:
            fail(f"no text for the licence {licence} in the copyright file")
        common, text = COMMON_LICENCES[licence]
        body = text + (f"\n\nOn Debian systems, the complete text of this licence can be found"
                       f"\nin \"/usr/share/common-licenses/{common}\".")
        out += ["", "License: " + licence]
        out += [" " + line if line else " ." for line in body.split("\n")]
    return ("\n".join(out) + "\n").encode()


def debian_changelog(source, version, revision, maintainer):
    """One entry for each release in NEWS.md, newest first, as Debian's changelog has them."""
    with open(os.path.join(source, "NEWS.md"), encoding="utf-8") as news:
        text = news.read()
    releases = re.findall(r"^## (\S+) \((\d{4}-\d{2}-\d{2})\)\n(.*?)(?=^## |\Z)", text,
                          re.M | re.S)
    if not releases or releases[0][0] != version:
        fail(f"NEWS.md's newest release is not {version}")
    out = []
    for index, (number, date, notes) in enumerate(releases):
        items = [" ".join(item.split()) for item in re.split(r"^- ", notes, flags=re.M)[1:]]
        # Releases of one day stand an hour apart, newest last, since each entry of a
        # changelog must be later than the one before it.
        same_day_before = sum(1 for older in releases[index + 1:] if older[1] == date)
        when = datetime.datetime.strptime(date, "%Y-%m-%d").replace(
            hour=12 + same_day_before, tzinfo=datetime.timezone(datetime.timedelta(hours=8)))
        out.append(f"qz-ostrel ({number}-{revision}) unstable; urgency=medium\n")
        for item in items:
            item = item.replace("`", "")
            out.append(textwrap.fill(item, width=78, initial_indent="  * ",
                                     subsequent_indent="    "))
        out.append(f"\n -- {maintainer}  {when.strftime('%a, %d %b %Y %H:%M:%S %z')}\n")
    return "\n".join(out).encode()


def main():
    if len(sys.argv) != 6:
        fail(__doc__.strip().splitlines()[-1])
    source, out, version, revision, maintainer = sys.argv[1:]
    os.makedirs(out, exist_ok=True)
    os.chmod(out, 0o755)
    write(os.path.join(out, "copyright"), copyright_file(source))
    write(os.path.join(out, "changelog.Debian.gz"),
          debian_changelog(source, version, revision, maintainer), compress=True)
    for name in ("NEWS.md", "README.md"):
        with open(os.path.join(source, name), "rb") as document:
            write(os.path.join(out, name + ".gz"), document.read(), compress=True)


if __name__ == "__main__":
    main()
