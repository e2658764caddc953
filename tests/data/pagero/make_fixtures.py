#!/usr/bin/env python3
"""Writes the byte fixtures of the pagero tests, straight from the file layouts (little-endian).

doc1.ipd  - the document the tests write: requested font 120, margins 5/10/15/20 mm (19, 39, 59,
            78 hundredths of an inch), flags 14, 100 characters per line, four records.
doc1.mpd  - three entries of doc1.ipd named "Primul", "Al doilea" and a 40-character name
            (stored as its first 31 characters).
badhead.ipd - doc1.ipd with a header size of 36.
crafted_*.ipd, crafted_*.mpd, truncated.ipd - files a reader must refuse (see below).
"""
import struct

def ipd_head(font, margins, flags, chars, head_size=32):
    return struct.pack('<HHHHHHiiiiHH', 0x4D56, 1, 1, 1, head_size, font, *margins, flags, chars)

records = [('H', 'Antet pagina %d'), ('F', 'Subsol@@R:sfarsit'),
           ('B', 'Linie cu diacritice: ĂÂÎŞŢ ăâîşţ ȘșȚț'), ('P', 'ascuns')]
def body(text):
    # Windows-1250, comma-below letters as their cedilla forms
    text = text.translate({0x218: 0x15E, 0x219: 0x15F, 0x21A: 0x162, 0x21B: 0x163})
    return text.encode('cp1250')

doc = ipd_head(120, (19, 39, 59, 78), 14, 100) + b''.join(k.encode() + body(t) + b'\0' for k, t in records)
open('doc1.ipd', 'wb').write(doc)
open('badhead.ipd', 'wb').write(ipd_head(120, (19, 39, 59, 78), 14, 100, 36) + doc[32:])

def entry(name, data):
    raw = name.encode('cp1250')[:31]
    return struct.pack('<I', len(data)) + raw + b'\0' * (32 - len(raw)) + data

long_name = 'Documentul cu un nume foarte lung 123456'  # 40 characters
open('doc1.mpd', 'wb').write(entry('Primul', doc) + entry('Al doilea', doc) + entry(long_name, doc))

# Crafted files: each must be refused at once, before anything is allocated for it.
INT_MIN, INT_MAX = -2**31, 2**31 - 1
crafted = {
    # the 32-byte file that once asked for 65535 characters per line and 65535 lines a page
    'crafted_width.ipd': ipd_head(65535, (0, INT_MIN, 0, INT_MIN), 15, 65535),
    'crafted_intmin.ipd': ipd_head(120, (INT_MIN, INT_MIN, INT_MIN, INT_MIN), 14, 100),
    'crafted_intmax.ipd': ipd_head(120, (INT_MAX, 0, INT_MAX, 0), 14, 100),
    'crafted_font.ipd': ipd_head(65535, (19, 19, 19, 19), 14, 0),
    'crafted_kind.ipd': doc[:32] + b'Xnecunoscut\0',
    'truncated.ipd': doc[:-3],
}
for name, data in crafted.items():
    open(name, 'wb').write(data)
# an entry claiming 4 GB, and one whose length is shorter than an IPD header
open('crafted_count.mpd', 'wb').write(struct.pack('<I', 0xFFFFFFFF) + b'x' * 32 + doc)
open('crafted_short.mpd', 'wb').write(struct.pack('<I', 4) + b'y' * 32 + doc[:4])
