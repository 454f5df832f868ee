#!/usr/bin/env python3
"""Writes the documents the documents bench reads: a DOCX, an XLSX and an ODT each holding about
TEXT_MB of visible text (words and numbers, each paragraph split in runs), and a PDF of PAGES
pages. Prints "name bytes-of-text" for each, the text the extractor is to read.
Usage: make_bench_documents.py OUT_DIR TEXT_MB PAGES [SEED]"""

import os
import random
import sys
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'documents'))
from make_documents import A, ODF, S, W, XML, content_types, pdf  # noqa: E402

WORDS = ('call the office at or fax desk sales support extension room floor north south '
         'building open from monday to friday please ask for').split()


def paragraph_runs(rng):
    """One paragraph's text, as three runs."""
    words = [rng.choice(WORDS) for _ in range(rng.randint(6, 14))]
    number = f'({rng.randint(200, 999)}) {rng.randint(200, 999)}-{rng.randint(0, 9999):04d}'
    text = ' '.join(words[:4]) + ' ' + number + ' ' + ' '.join(words[4:])
    third = len(text) // 3
    return [text[:third], text[third:2 * third], text[2 * third:]]


def write_stream(z, name, head, body, tail, text_bytes):
    written = 0
    with z.open(name, 'w', force_zip64=True) as f:
        f.write(head.encode())
        for chunk, text in body:
            f.write(chunk.encode())
            written += text
            if written >= text_bytes:
                break
        f.write(tail.encode())
    return written


def docx(path, text_bytes, rng):
    def body():
        while True:
            runs = paragraph_runs(rng)
            yield ('<w:p>' + ''.join(f'<w:r><w:t xml:space="preserve">{r}</w:t></w:r>' for r in runs)
                   + '</w:p>', sum(map(len, runs)) + 1)
    with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as z:
        z.writestr(*content_types())
        return write_stream(z, 'word/document.xml', XML + f'<w:document {W}><w:body>', body(),
                            '</w:body></w:document>', text_bytes)


def xlsx(path, text_bytes, rng):
    def body():
        row = 0
        while True:
            row += 1
            cells = [f'{rng.randint(200, 999)}-{rng.randint(200, 999)}-{rng.randint(0, 9999):04d}',
                     ' '.join(rng.choice(WORDS) for _ in range(5)), str(rng.randint(10**9, 10**10))]
            yield (f'<row r="{row}">' + ''.join(f'<c t="inlineStr"><is><t>{c}</t></is></c>' for c in cells[:2])
                   + f'<c><v>{cells[2]}</v></c></row>', sum(len(c) + 1 for c in cells) + 1)
    with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as z:
        z.writestr(*content_types())
        z.writestr('xl/workbook.xml', XML + f'<workbook {S}/>')
        return write_stream(z, 'xl/worksheets/sheet1.xml', XML + f'<worksheet {S}><sheetData>',
                            body(), '</sheetData></worksheet>', text_bytes)


def odt(path, text_bytes, rng):
    def body():
        while True:
            runs = paragraph_runs(rng)
            yield (f'<text:p>{runs[0]}<text:span>{runs[1]}</text:span>{runs[2]}</text:p>',
                   sum(map(len, runs)) + 1)
    with zipfile.ZipFile(path, 'w') as z:
        z.writestr(zipfile.ZipInfo('mimetype'), 'application/vnd.oasis.opendocument.text')
        z.writestr('styles.xml', XML + f'<office:document-styles {ODF}/>', zipfile.ZIP_DEFLATED)
        z.compression = zipfile.ZIP_DEFLATED
        return write_stream(z, 'content.xml',
                            XML + f'<office:document-content {ODF}><office:body><office:text>',
                            body(), '</office:text></office:body></office:document-content>',
                            text_bytes)


def main():
    out, text_mb, pages = sys.argv[1], float(sys.argv[2]), int(sys.argv[3])
    rng = random.Random(int(sys.argv[4]) if len(sys.argv) > 4 else 7)
    os.makedirs(out, exist_ok=True)
    text_bytes = int(text_mb * 1024 * 1024)
    for name, make in (('bench.docx', docx), ('bench.xlsx', xlsx), ('bench.odt', odt)):
        print(name, make(os.path.join(out, name), text_bytes, rng))
    # Pages of 45 lines, brackets for parentheses, which would end a PDF string.
    pages_text = [[' '.join(paragraph_runs(rng)).replace('(', '[').replace(')', ']')
                   for _ in range(45)] for _ in range(pages)]
    pdf(os.path.join(out, 'bench.pdf'), pages_text)
    print('bench.pdf', sum(len(line) + 1 for page in pages_text for line in page))


if __name__ == '__main__':
    main()
