#!/usr/bin/env python3
"""Derives frequent.txt, the review's French words by frequency, from the word
lists (common words, English first names) of the npm packages
@zxcvbn-ts/language-fr and @zxcvbn-ts/language-en (MIT; their common words are
counted in the OpenSubtitles subtitles of OPUS, ODC-BY). Run by hand when the
source changes; the build never downloads:

    npm pack @zxcvbn-ts/language-fr@4.1.2 @zxcvbn-ts/language-en@4.1.1
    mkdir fr en && tar xzf zxcvbn-ts-language-fr-4.1.2.tgz -C fr \
        && tar xzf zxcvbn-ts-language-en-4.1.1.tgz -C en
    python3 derive.py fr/package/src en/package/src /usr/share/dict/french > frequent.txt

Each line is a word, most frequent first, then a tab and "nom" or "anglais"
when the word is, in subtitles, mostly a name or an English word; the build
leaves those out. Kept: the words Debian's French word list (wfrench) knows,
with œ where French writes it, without fragments nor unaccented typos.
"""

import json
import pathlib
import re
import sys

WORD = re.compile(r"[a-zàâäçéèêëîïôöùûüÿœæ]+(?:-[a-zàâäçéèêëîïôöùûüÿœæ]+)*")
ACCENTS = str.maketrans("àâäçéèêëîïôöùûüÿ", "aaaceeeeiioouuuy")
# The words of one or two letters French has; any other is an abbreviation,
# an interjection or a piece of an elision.
SHORT = set("a à y ô au ce ça çà de du dû en es et eu il je la là le lu ma me mu mû ne ni nu "
            "on os ou où pu sa se si su ta te tu un va vu bu as ex".split())
# Pieces of words, never written alone: est-ce (que), (aujourd')hui, (c')est-à-dire.
PIECES = {"hui", "est-à-dire"}
# Names the subtitles write in lowercase that the English lists miss.
NAMES = set("paris henry jack mark martin richard marie bob dan ben han louis joseph "
            "césar christ oscar tarzan londres rome jésus noël williams stewart khan maxwell "
            "winchester weber browning parkinson kelvin kremlin kaiser derrick kota kiki chow "
            "yankee halloween pékin chine japon inde canada brésil boston seine carter vénus "
            "bible coran moïse satan pâques napoléon superman cuba écosse oxford".split())
KEPT = 25000  # of the source's ranks: past these, typos and names abound


def main():
    fr_dir, en_dir, dictionary = map(pathlib.Path, sys.argv[1:4])
    french = json.loads((fr_dir / "commonWords.json").read_text(encoding="utf-8"))[:KEPT]
    english = json.loads((en_dir / "commonWords.json").read_text(encoding="utf-8"))
    first_names = set(json.loads((en_dir / "firstnames.json").read_text(encoding="utf-8")))
    known = set(dictionary.read_text(encoding="utf-8").split())
    listed = set(french)
    english_rank = {w: i for i, w in enumerate(english)}
    first_plain = {}  # a word without accents -> the rank of its first spelling
    for rank, word in enumerate(french):
        first_plain.setdefault(word.translate(ACCENTS), rank)
    for rank, word in enumerate(french):
        if "oe" in word and word.replace("oe", "œ") in listed:
            continue  # the list has the œ spelling too
        if not WORD.fullmatch(word) or (word not in known and word.replace("œ", "oe") not in known):
            continue
        if (len(word) <= 2 and word not in SHORT) or word.endswith("-ce") or word in PIECES:
            continue
        if word.translate(ACCENTS) == word and first_plain[word] < rank:
            continue  # "voila" after "voilà": the same word, its accents lost
        mark = ""
        plain = word.translate(ACCENTS) == word
        en = english_rank.get(word)
        if plain and en is not None and en * 3 < rank:
            mark = "\tanglais"  # far more frequent in English subtitles
        elif word in NAMES or (plain and word in first_names and en is not None and en < 2 * rank):
            mark = "\tnom"  # a name, as often in English films as in French ones
        print(word + mark)


if __name__ == "__main__":
    main()
