# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes a copy of an emoji font without the glyphs of some code points, under another family
name: an emoji font older than the emoji data. Sequences whose glyphs join one of those
code points go with it, as fonttools keeps a ligature only with all its parts.

Usage: lacking_emoji_font.py SOURCE OUTPUT FAMILY HEX...
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont


def main():
    source, output, family = sys.argv[1:4]
    dropped = {int(code, 16) for code in sys.argv[4:]}
    font = TTFont(source)
    options = subset.Options()
    options.layout_features = ["*"]
    options.name_IDs = ["*"]
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=[c for c in font.getBestCmap() if c not in dropped])
    subsetter.subset(font)
    for record in font["name"].names:
        if record.nameID in (1, 4, 16):
            record.string = family
        elif record.nameID == 6:
            record.string = family.replace(" ", "")
    font.save(output)


if __name__ == "__main__":
    main()
