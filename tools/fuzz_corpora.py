#!/usr/bin/python3
"""Builds the seed corpora of the fuzz harnesses (fuzz/).

The seeds are the shipped files of data/ and the files the tests wrote, kept
by running the tests with SORVAN_TEST_FILES_COPY naming a folder (tests/support
keeps every file a fixture writes and every project the program saved there,
with its copy folder). Each run of a harness gets one folder per target:

    <out>/<harness>-<target>/<sha1 of the seed>

A project seed is its file followed by the files of its copy folder, each
after a line "@@file <name>"; an INF file is followed by its ASC file and the
first file of a numbered set by the others, in the same way.

usage: tools/fuzz_corpora.py OUT [KEPT_TEST_FILES]
"""
import hashlib
import os
import re
import sys

MAX_SEED = 128 * 1024
MAX_SEEDS = 300

TEXT_IMPORTS = ["prefixed-text", "keyword-text", "two-column-binding", "two-column-binding-reversed",
                "two-column-kinetic-reversed", "two-column-kinetic"]


def read(path):
    with open(path, "rb") as f:
        return f.read()


def files_below(root):
    for folder, dirs, names in os.walk(root):
        dirs.sort()
        for name in sorted(names):
            path = os.path.join(folder, name)
            if os.path.isfile(path) and not os.path.islink(path):
                yield path


def packed(first, named):
    data = first
    for name, content in named:
        if not data.endswith(b"\n"):
            data += b"\n"
        data += b"@@file " + name.encode("utf-8", "replace") + b"\n" + content
    return data


def sibling(path, extensions):
    stem = os.path.splitext(path)[0]
    for ext in extensions:
        if os.path.isfile(stem + ext):
            return stem + ext
    return None


def corpora_of(path):
    """(corpus names, seed bytes) for one file, or None."""
    name = os.path.basename(path).lower()
    ext = os.path.splitext(name)[1]
    parent = os.path.basename(os.path.dirname(path)).lower()
    if ext == ".svr":
        copies = os.path.splitext(path)[0]
        named = []
        if os.path.isdir(copies) and not os.path.islink(copies):
            named = [(n, read(p)) for n, p in ((os.path.relpath(p, copies), p) for p in files_below(copies))
                     if "/" not in n]
        return ["project"], packed(read(path), named)
    if ext == ".vms":
        return ["import-vamas"], read(path)
    if ext == ".npl":
        return ["import-npl"], read(path)
    if ext == ".pcf":
        return ["import-pcf"], read(path)
    if ext in (".exp", ".spx"):
        return ["import-spx-experiment"], read(path)
    if ext == ".trm":
        return ["import-transmission-function", "settings-transmission-parameters"], read(path)
    if ext == ".inf":
        asc = sibling(path, [".ASC", ".asc", ".Asc"])
        named = [("spectrum" + os.path.splitext(asc)[1], read(asc))] if asc else []
        return ["import-inf-asc"], packed(read(path), named)
    if ext == ".tap":
        return ["import-tap-blocks", "import-eclipse-tap"], read(path)
    if re.fullmatch(r"\.1", ext):
        stem = os.path.splitext(path)[0]
        named = []
        for k in range(2, 10):
            if os.path.isfile(stem + "." + str(k)):
                named.append(("run." + str(k), read(stem + "." + str(k))))
        return ["import-numbered-files"], packed(read(path), named)
    if ext in (".txt", ".dat", ".csv", ".prn", ".xy"):
        return ["import-" + t for t in TEXT_IMPORTS], read(path)
    if ext == ".pos":
        return ["tables-line-positions", "settings-line-positions"], read(path)
    if ext == ".aup":
        return ["tables-auger-parameters", "settings-auger-list"], read(path)
    if ext == ".sen":
        return ["tables-sensitivity-factors", "settings-sensitivity-factors"], read(path)
    if ext == ".dda":
        return ["tables-doublets", "settings-doublet-table"], read(path)
    if ext == ".ele":
        return ["settings-region-names"], read(path)
    if ext == ".par":
        return ["settings-parameter-set"], read(path)
    if ext == ".set":
        if "satellite" in name:
            return ["settings-satellites"], read(path)
        if "language" in name:
            return ["settings-language"], read(path)
        if "presetting" in name or parent == "presetting":
            return ["settings-presetting"], read(path)
    return None


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    out = sys.argv[1]
    roots = [os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")] + sys.argv[2:]
    counts = {}
    for root in roots:
        if not os.path.isdir(root):
            continue
        for path in files_below(root):
            found = corpora_of(path)
            if found is None:
                continue
            names, seed = found
            if len(seed) > MAX_SEED:
                continue
            for corpus in names:
                if counts.get(corpus, 0) >= MAX_SEEDS:
                    continue
                folder = os.path.join(out, corpus)
                os.makedirs(folder, exist_ok=True)
                target = os.path.join(folder, hashlib.sha1(seed).hexdigest())
                if not os.path.exists(target):
                    with open(target, "wb") as f:
                        f.write(seed)
                    counts[corpus] = counts.get(corpus, 0) + 1
    for corpus in sorted(counts):
        print("%-40s %4d seeds" % (corpus, counts[corpus]))


if __name__ == "__main__":
    main()
