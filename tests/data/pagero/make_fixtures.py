#!/usr/bin/env python3
"""Writes the byte fixtures of the pagero tests, straight from the file layouts (little-endian).

doc1.ipd  - the document the tests write: requested font 120, margins 5/10/15/20 mm (19, 39, 59,
            78 hundredths of an inch), flags 14, 100 characters per line, four records.
doc1.mpd  - three entries of doc1.ipd named "Primul", "Al doilea" and a 40-character name
            (stored as its first 31 characters).
badhead.ipd - doc1.ipd with a header size of 36.
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
