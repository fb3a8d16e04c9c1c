#!/usr/bin/env python3
"""How many of the words a reader meets the compiled dictionary has an entry of its own for.

Usage: coverage.py VQLOOKUP DICTIONARY_FOLDER [--misses FILE]

A word has its own entry when vqlookup answers it with a headword equal to it, ignoring case:
the headword itself or an inflected form that the dictionary holds as a headword. The lookup's
own stripping of an ending, and the nearest headword it shows for a miss, do not count.

The words are split by Debian's wamerican word list, so that each figure says what it counts:
- words: in the list in lower case ("house", "online");
- names: in the list only with a capital ("York", "PDF", "Monday");
- not in the list: web tokens, foreign words, misspellings ("und", "sexcam", "pics").
"""

import argparse
import re
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
COMMON = HERE / "data" / "common-english-10000.txt"
# The first text's misses were written into the core while it was made; the second was written
# afterwards and its misses are left as they are, so it measures what a reader meets.
PROSE = [HERE / "data" / "prose.txt", HERE / "data" / "prose-held-out.txt"]
WORD_LIST = "/usr/share/dict/american-english"

# Left out of the prose figure: they carry grammar rather than meaning.
FUNCTION_WORDS = set("""
a an the and or but nor so yet if then than as of in on at by to for from with without into onto
upon about above below over under up down out off through across along around after before
between behind beyond near past since until till toward towards via per against among during
within i me my mine myself you your yours yourself yourselves he him his himself she her hers
herself it its itself we us our ours ourselves they them their theirs themselves this that these
those who whom whose which what whoever whatever be am is are was were been being have has had
having do does did doing done will would shall should can could may might must not no yes
there here where when why how all any both each either neither every some such own same other
another very too also just only even still again ever never s t
""".split())


def classify(words):
    listed = set()
    with open(WORD_LIST, encoding="utf-8") as handle:
        listed = {line.strip() for line in handle}
    lowered = {w.lower() for w in listed}
    kinds = {}
    for word in words:
        if word in listed:
            kinds[word] = "words"
        elif word in lowered:
            kinds[word] = "names"
        else:
            kinds[word] = "not in the list"
    return kinds


def own_entries(vqlookup, folder, words):
    """The words that are headwords of the dictionary, ignoring case."""
    answer = subprocess.run([vqlookup, "-d", folder], input="\n".join(words) + "\n",
                            capture_output=True, text=True, check=True).stdout.splitlines()
    if len(answer) != len(words):
        sys.exit(f"vqlookup answered {len(answer)} lines for {len(words)} words")
    return {word for word, line in zip(words, answer)
            if line.split("\t")[1].lower() == word.lower()}


def content_words(prose):
    """The words of a text that carry meaning: no function words, no contractions, no names
    (a capital inside a sentence marks one: "Maryam")."""
    tokens = [re.sub(r"'s$", "", t) for t in re.findall(r"[A-Za-z]+(?:'[a-z]+)?", prose)]
    names = set(re.findall(r"(?<![.!?\"] )(?<!^)\b([A-Z][a-z]+)", prose, re.M))
    return [t.lower() for t in tokens
            if "'" not in t and t.lower() not in FUNCTION_WORDS and t not in names]


def share(found, total):
    return f"{len(found)}/{len(total)} = {100 * len(found) / max(1, len(total)):.1f} %"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("vqlookup")
    parser.add_argument("folder")
    parser.add_argument("--misses", help="write the words without an entry here")
    args = parser.parse_args()

    common = [line.strip() for line in open(COMMON, encoding="utf-8") if line.strip()]
    texts = {path.name: content_words(path.read_text(encoding="utf-8")) for path in PROSE}
    everything = set(common).union(*texts.values())
    kinds = classify(everything)
    found = own_entries(args.vqlookup, args.folder, sorted(everything))

    print("| most common words | words | names | not in the list | all |")
    print("|---|---|---|---|---|")
    misses = []
    for size in (1000, 5000, 10000):
        row = [f"{size:,}"]
        for kind in ("words", "names", "not in the list", None):
            total = [w for w in common[:size] if kind is None or kinds[w] == kind]
            row.append(share([w for w in total if w in found], total))
        print("| " + " | ".join(row) + " |")
    misses = [w for w in common if kinds[w] == "words" and w not in found]

    print()
    for name, content in texts.items():
        words = [w for w in content if kinds[w] != "names"]
        print(f"Prose ({name}): {len(words)} content words that are not names; with an entry of"
              f" their own: {share([w for w in words if w in found], words)} (distinct words: "
              f"{share({w for w in words if w in found}, set(words))}); misses: "
              f"{' '.join(sorted({w for w in words if w not in found})) or 'none'}")
    print(f"Misses among the 5,000 most common words: "
          f"{' '.join(w for w in common[:5000] if kinds[w] == 'words' and w not in found)}")
    if args.misses:
        Path(args.misses).write_text("\n".join(misses) + "\n", encoding="utf-8")


if __name__ == "__main__":
    main()
