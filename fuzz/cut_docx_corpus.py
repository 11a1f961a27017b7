#!/usr/bin/env python3
"""Cuts the .docx fuzz target's starting documents from the bundled release: its errata
note, the syllabus of subelement T1 with its groups set as a table, and a question naming
figure T-1 with the figure's paragraph. Each keeps the release's document element, its
content types and relations; the figure is a small grey JPEG made here, not the release's.

    python3 fuzz/cut_docx_corpus.py [RELEASE.docx [OUTDIR]]
"""
import re
import sys
import zipfile

release = sys.argv[1] if len(sys.argv) > 1 else "pool-source/official-release.docx"
outdir = sys.argv[2] if len(sys.argv) > 2 else "fuzz/corpus/docx"

with zipfile.ZipFile(release) as z:
    document = z.read("word/document.xml").decode("utf-8")
    types = z.read("[Content_Types].xml")
    rels = z.read("word/_rels/document.xml.rels").decode("utf-8")

head = document[: document.index("<w:body>") + len("<w:body>")]
paragraphs = re.findall(r"<w:p[ >].*?</w:p>", document, flags=re.S)


def text(p):
    return "".join(re.findall(r"<w:t(?: [^>]*)?>([^<]*)</w:t>", p))


def find(pattern, of=text):
    return next(i for i, p in enumerate(paragraphs) if re.search(pattern, of(p)))


# An 8x8 grey baseline JPEG: one block with no AC terms, Huffman tables of one code each.
jpeg = bytes.fromhex(
    "ffd8"
    + "ffdb0043" + "00" + "01" * 64
    + "ffc0000b080008000801011100"
    + "ffc4001400" + "01" + "00" * 15 + "00"
    + "ffc4001410" + "01" + "00" * 15 + "00"
    + "ffda0008010100003f00" + "3f" + "ffd9")

errata = paragraphs[: find(r"^2026-2030 Technician Class$")]
start = find(r"^SUBELEMENT T1 ")
groups = [p for p in paragraphs[start + 1 : find(r"^SUBELEMENT T2 ")] if re.match(r"T1[A-F] ", text(p))]
syllabus = paragraphs[find(r"^Effective ") : start + 1]
syllabus.append("<w:tbl>" + "".join("<w:tr><w:tc>" + g + "</w:tc></w:tr>" for g in groups) + "</w:tbl>")
question = find(r"^T6C02 \(")
picture = find(r'r:embed="rId5"', of=str)
figure = paragraphs[question : question + 8] + [paragraphs[find(r"^NOTE: ")], paragraphs[picture]]
figure_rels = re.sub(r'<Relationship Id="rId(?!5")[^>]*/>', "", rels)

for name, body, relations, media in [
    ("errata_note", errata, rels, False),
    ("syllabus_table", syllabus, rels, False),
    ("figure_reference", figure, figure_rels, True),
]:
    with zipfile.ZipFile(f"{outdir}/{name}.docx", "w", zipfile.ZIP_DEFLATED) as out:
        parts = [
            ("[Content_Types].xml", types),
            ("word/document.xml", (head + "".join(body) + "</w:body></w:document>").encode()),
            ("word/_rels/document.xml.rels", relations.encode()),
        ] + ([("word/media/image1.jpeg", jpeg)] if media else [])
        for entry, data in parts:
            out.writestr(zipfile.ZipInfo(entry, (1980, 1, 1, 0, 0, 0)), data, zipfile.ZIP_DEFLATED)
