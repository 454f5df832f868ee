#!/usr/bin/env python3
"""Writes the documents the documents layer's tests read into the folder given: office
documents built entry by entry with zipfile, web pages, e-mail messages and PDF files written by
hand, and hostile ones (damaged, bombs, entity expansion, deep nesting)."""

import base64
import os
import sys
import zipfile

W = 'xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"'
A = 'xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main"'
S = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
ODF = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
       'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
       'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
       'xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" '
       'xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" '
       'xmlns:presentation="urn:oasis:names:tc:opendocument:xmlns:presentation:1.0" '
       'xmlns:dc="http://purl.org/dc/elements/1.1/"')
XML = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'


def write_zip(path, entries, method=zipfile.ZIP_DEFLATED):
    with zipfile.ZipFile(path, 'w', method) as z:
        for name, data in entries:
            z.writestr(name, data)


def content_types():
    return ('[Content_Types].xml', XML + '<Types xmlns="http://schemas.openxmlformats.org/'
            'package/2006/content-types"/>')


def word_body(paragraphs):
    return XML + f'<w:document {W}><w:body>{paragraphs}</w:body></w:document>'


def wp(*runs):
    return '<w:p>' + ''.join(runs) + '</w:p>'


def wr(text):
    return f'<w:r><w:t xml:space="preserve">{text}</w:t></w:r>'


def docx(path, body, extra=()):
    write_zip(path, [content_types(), ('word/document.xml', word_body(body))] + list(extra))


def odf(path, mimetype, body, styles=None):
    entries = [('mimetype', mimetype),
               ('content.xml', XML + f'<office:document-content {ODF}><office:body>{body}'
                               '</office:body></office:document-content>')]
    if styles:
        entries.append(('styles.xml', XML + f'<office:document-styles {ODF}>{styles}'
                                          '</office:document-styles>'))
    with zipfile.ZipFile(path, 'w') as z:
        z.writestr(zipfile.ZipInfo('mimetype'), mimetype)  # stored, first, as the format asks
        for name, data in entries[1:]:
            z.writestr(name, data, zipfile.ZIP_DEFLATED)


def pdf(path, pages):
    """A PDF whose pages are a line of text each, or a list of lines, offsets counted as it is
    written."""
    objects = []
    kids = ' '.join(f'{3 + 2 * i} 0 R' for i in range(len(pages)))
    objects.append('<< /Type /Catalog /Pages 2 0 R >>')
    objects.append(f'<< /Type /Pages /Kids [{kids}] /Count {len(pages)} >>')
    font = 3 + 2 * len(pages)
    for i, text in enumerate(pages):
        lines = [text] if isinstance(text, str) else text
        stream = 'BT /F1 12 Tf 14 TL 72 740 Td ' + ' '.join(f'({line}) \'' for line in lines) + ' ET'
        objects.append(f'<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] '
                       f'/Resources << /Font << /F1 {font} 0 R >> >> /Contents {4 + 2 * i} 0 R >>')
        objects.append(f'<< /Length {len(stream)} >>\nstream\n{stream}\nendstream')
    objects.append('<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>')
    out = b'%PDF-1.4\n'
    offsets = []
    for n, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += f'{n} 0 obj\n{body}\nendobj\n'.encode()
    xref = len(out)
    out += f'xref\n0 {len(objects) + 1}\n0000000000 65535 f \n'.encode()
    for o in offsets:
        out += f'{o:010d} 00000 n \n'.encode()
    out += f'trailer\n<< /Size {len(objects) + 1} /Root 1 0 R >>\nstartxref\n{xref}\n%%EOF\n'.encode()
    with open(path, 'wb') as f:
        f.write(out)


def text(path, data, mode='w'):
    with open(path, mode, **({} if 'b' in mode else {'encoding': 'utf-8', 'newline': ''})) as f:
        f.write(data)


def office(out):
    # Runs split across elements join; a tab or a break parts them; headers, footers, notes,
    # comments read after the body.
    docx(f'{out}/joins.docx',
         wp(wr('Call (617) 55'), wr('5-0182 today')) +
         wp(wr('617'), '<w:r><w:tab/></w:r>', wr('5550183')) +
         wp(wr('212'), '<w:r><w:br/></w:r>', wr('5550199')) +
         wp('<w:r><w:delText>3125550000</w:delText></w:r>', wr('7185550100')),
         [('word/header1.xml', XML + f'<w:hdr {W}>' + wp(wr('Head 4155550101')) + '</w:hdr>'),
          ('word/footer1.xml', XML + f'<w:ftr {W}>' + wp(wr('Foot 4155550102')) + '</w:ftr>'),
          ('word/footnotes.xml', XML + f'<w:footnotes {W}>'
           '<w:footnote w:type="separator" w:id="-1"><w:p><w:r><w:separator/></w:r></w:p></w:footnote>'
           '<w:footnote w:type="continuationSeparator" w:id="0"><w:p/></w:footnote>'
           '<w:footnote w:id="1">' + wp(wr('Note')) + '</w:footnote>'
           '<w:footnote w:id="2">' + wp(wr('Note 4155550103')) + '</w:footnote></w:footnotes>'),
          ('word/endnotes.xml', XML + f'<w:endnotes {W}><w:endnote>' +
           wp(wr('End 4155550104')) + '</w:endnote></w:endnotes>'),
          ('word/comments.xml', XML + f'<w:comments {W}><w:comment>' +
           wp(wr('Said 4155550105')) + '</w:comment></w:comments>')])
    # Shared strings (a rich one split in runs, with a phonetic reading left out), an inline
    # string, numbers as stored; cells part, rows end lines; sheet2 before sheet10.
    shared = (XML + f'<sst {S}><si><t>Sales desk</t></si>'
              '<si><r><t>(303) 555</t></r><r><t>-0111</t></r><rPh><t>9995550000</t></rPh></si>'
              '</sst>')
    def sheet(rows):
        return XML + f'<worksheet {S}><sheetData>{rows}</sheetData></worksheet>'
    write_zip(f'{out}/cells.xlsx', [
        content_types(),
        ('xl/workbook.xml', XML + f'<workbook {S} xmlns:r="r"><sheets>'
         '<sheet name="Sales" sheetId="1" r:id="rId1"/><sheet name="R&amp;D" sheetId="2" r:id="rId2"/>'
         '</sheets></workbook>'),
        ('xl/_rels/workbook.xml.rels', XML + '<Relationships xmlns="r">'
         '<Relationship Id="rId2" Target="/xl/worksheets/sheet10.xml"/>'
         '<Relationship Id="rId1" Target="worksheets/sheet2.xml"/></Relationships>'),
        ('xl/sharedStrings.xml', shared),
        ('xl/worksheets/sheet10.xml', sheet('<row><c><v>3035550113</v></c></row>')),
        ('xl/worksheets/sheet2.xml', sheet(
            '<row><c t="s"><v>0</v></c><c t="s"><v>1</v></c></row>'
            '<row><c><v>303</v></c><c><v>5550112</v></c>'
            '<c t="inlineStr"><is><t>303-555-0114</t></is></c></row>'
            '<row><c><v>0303555011</v></c></row>'
            '<row r="7"><c r="B7"><v>3035550115</v></c></row>'))])
    # A sheet whose text is longer than the piece a reader hands over at a time.
    write_zip(f'{out}/big.xlsx', [
        content_types(),
        ('xl/workbook.xml', XML + f'<workbook {S} xmlns:r="r"><sheets>'
         '<sheet name="Big" sheetId="1" r:id="rId1"/></sheets></workbook>'),
        ('xl/_rels/workbook.xml.rels', XML + '<Relationships xmlns="r">'
         '<Relationship Id="rId1" Target="worksheets/sheet1.xml"/></Relationships>'),
        ('xl/worksheets/sheet1.xml', sheet(''.join(
            f'<row r="{r}"><c r="A{r}" t="inlineStr"><is><t>Desk {r}</t></is></c>'
            f'<c r="B{r}"><v>{5550000000 + r}</v></c></row>' for r in range(1, 4001))))])
    slide = lambda t: XML + f'<p:sld xmlns:p="p" {A}><a:p><a:r><a:t>{t[0]}</a:t></a:r><a:r><a:t>{t[1]}</a:t></a:r></a:p></p:sld>'
    write_zip(f'{out}/slides.pptx', [
        content_types(), ('ppt/presentation.xml', XML + '<p:presentation xmlns:p="p"/>'),
        ('ppt/slides/slide10.xml', slide(('Ten 503555', '0120'))),
        ('ppt/slides/slide1.xml', slide(('One 503555', '0121'))),
        ('ppt/notesSlides/notesSlide1.xml', slide(('Note 503555', '0122'))),
        ('ppt/notesSlides/_rels/notesSlide1.xml.rels', XML + '<Relationships xmlns="r">'
         '<Relationship Id="rId1" Target="../slides/slide10.xml"/></Relationships>')])
    odf(f'{out}/joins.odt', 'application/vnd.oasis.opendocument.text',
        '<office:text><text:p>Call <text:span>(719) 555</text:span>-0130</text:p>'
        '<text:p>719<text:s text:c="3"/>555 0131</text:p>'
        '<text:p>719<text:tab/>5550132</text:p>'
        '<text:h>719<text:line-break/>5550133</text:h>'
        '<text:p>Call 719-555-0135<text:note text:note-class="footnote"><text:note-citation>1'
        '</text:note-citation><text:note-body><text:p>Note 719-555-0136</text:p></text:note-body>'
        '</text:note> or<office:annotation><dc:creator>Ann</dc:creator><dc:date>2026-12-07'
        '</dc:date><text:p>Said 719-555-0137</text:p></office:annotation> 719-555-0138</text:p>'
        '</office:text>',
        '<office:master-styles><style:master-page><style:header><text:p>Head 7195550134</text:p>'
        '</style:header></style:master-page></office:master-styles>')
    # Blanks alone between tags are text as any other, here a line break.
    odf(f'{out}/layout.odt', 'application/vnd.oasis.opendocument.text',
        '<office:text><text:p><text:span>808</text:span>\n<text:span>5550199</text:span></text:p>'
        '<text:p>808-555-0198</text:p></office:text>')
    odf(f'{out}/cells.ods', 'application/vnd.oasis.opendocument.spreadsheet',
        '<office:spreadsheet><table:table table:name="Sales"><table:table-row>'
        '<table:table-cell><text:p>808</text:p></table:table-cell>'
        '<table:table-cell><text:p>5550140</text:p></table:table-cell></table:table-row>'
        '<table:table-row><table:table-cell><text:p>808-555-0141</text:p></table:table-cell>'
        '</table:table-row>'
        '<table:table-row table:number-rows-repeated="2"><table:table-cell/></table:table-row>'
        '<table:table-row><table:table-cell table:number-columns-repeated="2"/>'
        '<table:covered-table-cell/><table:table-cell><text:p>808-555-0142</text:p>'
        '</table:table-cell></table:table-row></table:table>'
        '<table:table><table:table-row><table:table-cell><text:p>808-555-0143</text:p>'
        '</table:table-cell></table:table-row></table:table></office:spreadsheet>')
    odf(f'{out}/slides.odp', 'application/vnd.oasis.opendocument.presentation',
        '<office:presentation><draw:page><draw:frame><draw:text-box>'
        '<text:p>Slide 907-555-0150</text:p></draw:text-box></draw:frame></draw:page>'
        '<draw:page><presentation:notes><draw:frame><draw:text-box>'
        '<text:p>Notes 907-555-0151</text:p></draw:text-box></draw:frame></presentation:notes>'
        '</draw:page></office:presentation>')
    # Hostile: cut in half, expanding past 100 times, an entity expansion, nesting past the
    # parser's bound, a zip that is no office document, a huge cell.
    with open(f'{out}/joins.docx', 'rb') as f:
        whole = f.read()
    text(f'{out}/truncated.docx', whole[:len(whole) // 2], 'wb')
    docx(f'{out}/bomb.docx', wp(wr('4155550106')) + wp(wr(' ' * (4 << 20))))
    laughs = ('<!DOCTYPE w:document [<!ENTITY a "4155550107">' +
              ''.join(f'<!ENTITY {chr(98 + i)} "' + f'&{chr(97 + i)};' * 10 + '">'
                      for i in range(8)) + ']>')
    write_zip(f'{out}/entities.docx', [content_types(), ('word/document.xml',
              XML + laughs + f'<w:document {W}><w:body>' + wp(wr('&i;')) + '</w:body></w:document>')])
    docx(f'{out}/deep.docx', '<w:p>' * 5000 + wr('4155550108') + '</w:p>' * 5000)
    write_zip(f'{out}/archive.zip', [('notes.txt', 'Call 4155550109\n')])
    docx(f'{out}/hugecell.docx', wp(wr('4155550110 ' + 'x' * (12 << 20))))


def html(out):
    text(f'{out}/page.html',
         '<!DOCTYPE html>\n<html><head><title>Contact</title>\n'
         '<style>.a { width: 2025-01-31 }</style>\n'
         '<script>var d = "2024-12-31 1234567890";</script></head>\n'
         '<body><p>Office: (617)&nbsp;555&#8209;0182</p><div>Fax\n(617)\n555-0183</div>'
         '<p>612</p><p>5550184</p>'
         '<table><tr><td>612</td><td>5550185</td></tr></table>'
         '<a href="tel:+1%20612%20555%200186">call us</a>'
         '<pre>612\n5550187</pre></body></html>\n')
    text(f'{out}/start-only.txt', '<html><body>Call 612-555-0188</body></html>')
    text(f'{out}/deep.html', '<div>' * 3000 + '612-555-0189' + '</div>' * 3000)
    text(f'{out}/not-html.txt', 'a < b\n<p>612-555-0190</p>\n')


def mail(out):
    docx(f'{out}/attached.docx', wp(wr('Attached 3125550200')),
         [('word/footer1.xml', XML + f'<w:ftr {W}>' + wp(wr('Foot 3125550205')) + '</w:ftr>')])
    with open(f'{out}/attached.docx', 'rb') as f:
        attached = base64.encodebytes(f.read()).decode().replace('\n', '\r\n')
    message = ('From: =?ISO-8859-1?Q?Jos=E9?= <jose@example.com>\r\n'
               'To: desk@example.com\r\n'
               'Subject: =?UTF-8?B?Q2FsbCAzMTItNTU1LTAyMDE=?=\r\n'
               'Date: Mon, 7 Dec 2026 10:00:00 +0000\r\n'
               'Message-ID: <88591.303555@example.com>\r\n'
               'MIME-Version: 1.0\r\n'
               'Content-Type: multipart/mixed; boundary="outer"\r\n\r\n'
               '--outer\r\n'
               'Content-Type: text/plain; charset=ISO-8859-1\r\n'
               'Content-Transfer-Encoding: quoted-printable\r\n\r\n'
               'Caf=E9 line 312-555-=\r\n0202 joined\r\n'
               '--outer\r\n'
               'Content-Type: text/html; charset=UTF-8\r\n'
               'Content-Transfer-Encoding: base64\r\n\r\n' +
               base64.encodebytes('<p>HTML (312)&nbsp;555-0203</p><script>9995550000</script>'.encode()).decode().replace('\n', '\r\n') +
               '--outer\r\n'
               'Content-Type: application/vnd.openxmlformats-officedocument.wordprocessingml.document\r\n'
               'Content-Disposition: attachment; filename="report.docx"\r\n'
               'Content-Transfer-Encoding: base64\r\n\r\n' + attached +
               '--outer\r\n'
               'Content-Type: message/rfc822\r\n\r\n'
               'From: inner@example.com\r\nSubject: inner\r\n\r\nInner 312-555-0204\r\n'
               '--outer--\r\n')
    text(f'{out}/message.eml', message)
    text(f'{out}/mailbox.mbox',
         'From a@example.com Mon Dec  7 10:00:00 2026\nFrom: a@example.com\nSubject: one\n\n'
         'First 773-555-0210\n\n'
         'From b@example.com Mon Dec  7 11:00:00 2026\nFrom: b@example.com\nSubject: two\n\n'
         'Second 773-555-0211\n')
    nested = 'Inner 773-555-0212\r\n'
    for level in range(40):
        nested = (f'From: level{level}@example.com\r\nSubject: level {level}\r\n'
                  'Content-Type: message/rfc822\r\n\r\n' + nested)
    text(f'{out}/nested.eml', nested)


def pdfs(out):
    pdf(f'{out}/pages.pdf', ['Call (415) 555-0300', 'Fax 415-555-0301'])
    text(f'{out}/damaged.pdf', b'%PDF-1.4\n1 0 obj\n<< /Type /Catalog >>\n', 'wb')


def plain(out):
    text(f'{out}/program.bin', b'\x7fELF\x02\x01\x01\0' + b'\0' * 64 + b'5551234567\n', 'wb')
    text(f'{out}/nul.dat', b'Call 555-123-4567\0\0\x01\x02', 'wb')
    text(f'{out}/wide-le.txt', 'Call 555-123-4568\r\n\U0001F600 555 123 4569\r\n'.encode('utf-16-le'), 'wb')
    text(f'{out}/wide-be.txt', 'Call 555-123-4570\n'.encode('utf-16-be'), 'wb')
    text(f'{out}/marked-le.txt', '\ufeffCall 555-123-4571\n'.encode('utf-16-le'), 'wb')
    text(f'{out}/legacy.doc', b'\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1' + b'5551234572' * 4, 'wb')


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for make in (office, html, mail, pdfs, plain):
        make(out)


if __name__ == '__main__':
    main()
