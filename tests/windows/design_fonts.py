#!/usr/bin/env python3
"""Makes the faces Tarnwell's screens are designed for, as a Windows PC has
them, from the Debian stand-ins the Linux build uses: Tahoma from fonts-wine
and Arial from fonts-liberation's Liberation Sans (metric-compatible), named
Arial. Wine's Tahoma carries bitmaps for small sizes whose glyphs Qt draws cut
off under Wine; they are left out, so every size comes from the outlines.
Usage: design_fonts.py OUT_FOLDER   (needs python3-fonttools)"""
import os
import sys

from fontTools.ttLib import TTFont

BITMAP_TABLES = ("EBDT", "EBLC", "EBSC", "BDF ")
FACES = [
    ("/usr/share/wine/fonts/tahoma.ttf", "tahoma.ttf", None),
    ("/usr/share/wine/fonts/tahomabd.ttf", "tahomabd.ttf", None),
    ("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf", "arial.ttf", ("Arial", "Regular")),
    ("/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf", "arialbd.ttf", ("Arial", "Bold")),
    ("/usr/share/fonts/truetype/liberation/LiberationSans-Italic.ttf", "ariali.ttf", ("Arial", "Italic")),
    ("/usr/share/fonts/truetype/liberation/LiberationSans-BoldItalic.ttf", "arialbi.ttf", ("Arial", "Bold Italic")),
]


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for source, name, rename in FACES:
        font = TTFont(source)
        for table in BITMAP_TABLES:
            if table in font:
                del font[table]
        if rename:
            family, style = rename
            full = family if style == "Regular" else f"{family} {style}"
            names = font["name"]
            for record in list(names.names):
                if record.nameID in (16, 17):  # typographic family and style: the plain ones serve
                    names.removeNames(nameID=record.nameID)
            for name_id, text in ((1, family), (2, style), (3, f"Tarnwell test: {full}"), (4, full),
                                  (6, full.replace(" ", "-"))):
                names.setName(text, name_id, 3, 1, 0x409)
                names.setName(text, name_id, 1, 0, 0)
        font.save(os.path.join(out, name))


if __name__ == "__main__":
    main()
