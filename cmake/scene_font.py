#!/usr/bin/python3
"""Cuts the scene's own font out of a CJK font: the glyphs of printable ASCII, Latin-1,
a few symbols the scene draws, and every character of the shipped language files,
under a family name of its own.

    scene_font.py <source font (.ttf/.ttc)> <output .ttf> <language file>...

Drawing only these few hundred glyphs from a small font keeps the window from mapping
most of a 5 MB font file when it shows its Chinese texts. Characters outside the cut
(names the user types) fall back to the system's fonts.
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

FAMILY = "Corvane Scene Sans"
POSTSCRIPT_NAME = "CorvaneSceneSans"
# Elision, dashes and the arrows of the panels.
SYMBOLS = "\u2014\u2026\u25b2\u25ba\u25bc\u25c4"


def characters(language_files):
    text = "".join(chr(c) for c in range(0x20, 0x7f)) + "".join(chr(c) for c in range(0xa0, 0x100))
    text += SYMBOLS
    for path in language_files:
        with open(path, encoding="utf-8") as f:
            text += f.read()
    return "".join(sorted(set(c for c in text if ord(c) >= 0x20)))


def main(argv):
    if len(argv) < 4:
        sys.stderr.write(__doc__)
        return 2
    source, output, language_files = argv[1], argv[2], argv[3:]
    font = TTFont(source, fontNumber=0, recalcTimestamp=False)
    options = subset.Options()
    options.name_IDs = ["*"]
    options.layout_features = ["*"]
    options.notdef_outline = True
    options.drop_tables += ["FFTM"]  # the font editor's time stamps
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=characters(language_files))
    subsetter.subset(font)
    for record in font["name"].names:
        if record.nameID in (1, 4, 16):
            record.string = FAMILY
        elif record.nameID == 6:
            record.string = POSTSCRIPT_NAME
    font.save(output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
