#!/usr/bin/env python3
"""Pairs the English and Persian names of the Unicode CLDR data: one of the dictionary's sources.

Usage: make_cldr_names.py NODE_MODULES > cldr-names.tsv

NODE_MODULES holds the npm packages cldr-localenames-full, cldr-dates-full, cldr-units-full and
cldr-numbers-full (version 48.2.0). Languages, territories, scripts, months, weekdays, units
and currencies are paired; emoji names ("1st place medal") are not, since no reader looks
them up. Pairs whose
English name is not plain ASCII of at most 32 characters (after accents are dropped) are left
out, and so are Persian names with characters the dictionary's code page cannot hold.
"""

import json
import sys
import unicodedata
from pathlib import Path

MAX_HEADWORD = 32

# Characters of the Persian names that the code page has no byte for, and what stands in.
PERSIAN_STAND_INS = {"«": '"', "»": '"', "٬": ",", "٫": ".", "؛": ";", "–": "-", "—": "-",
                     "\u200f": "", "\u200e": ""}


def load(root, package, *parts):
    path = Path(root, package, *parts)
    with open(path, encoding="utf-8") as handle:
        return json.load(handle)


def english_headword(name):
    name = name.replace("\u2019", "'").replace("\u201c", '"').replace("\u201d", '"')
    name = unicodedata.normalize("NFKD", name)
    name = "".join(c for c in name if not unicodedata.combining(c)).strip()
    if not name or len(name) > MAX_HEADWORD or any(not " " <= c <= "~" for c in name):
        return None
    return name


def persian_meaning(name):
    name = "".join(PERSIAN_STAND_INS.get(c, c) for c in name).strip()
    for c in name:
        # The Arabic block, ASCII and the joiners; vqbuild checks each character again.
        if not ("\u0600" <= c <= "\u06ff" or " " <= c <= "~" or c in "\u200c\u200d\u00a0"):
            return None
    return name or None


def display_names(root, file, section):
    english = load(root, "cldr-localenames-full", "main", "en", file)["main"]["en"]
    persian = load(root, "cldr-localenames-full", "main", "fa", file)["main"]["fa"]
    english = english["localeDisplayNames"][section]
    persian = persian["localeDisplayNames"][section]
    return [(name, persian[code]) for code, name in english.items()
            if code in persian and "-alt-" not in code]


def calendar_names(root):
    def gregorian(locale):
        data = load(root, "cldr-dates-full", "main", locale, "ca-gregorian.json")
        return data["main"][locale]["dates"]["calendars"]["gregorian"]
    english, persian = gregorian("en"), gregorian("fa")
    pairs = []
    for field in ("months", "days"):
        e = english[field]["stand-alone"]["wide"]
        p = persian[field]["stand-alone"]["wide"]
        pairs += [(e[key], p[key]) for key in e if key in p]
    return pairs


def unit_names(root):
    def units(locale):
        data = load(root, "cldr-units-full", "main", locale, "units.json")
        return data["main"][locale]["units"]["long"]
    english, persian = units("en"), units("fa")
    pairs = []
    for key, names in english.items():
        if not isinstance(names, dict) or key not in persian:
            continue
        singular = names.get("unitPattern-count-one", "").replace("{0}", "").strip()
        if singular and "displayName" in persian[key]:
            pairs.append((singular, persian[key]["displayName"]))
    return pairs


def currency_names(root):
    def currencies(locale):
        data = load(root, "cldr-numbers-full", "main", locale, "currencies.json")
        return data["main"][locale]["numbers"]["currencies"]
    english, persian = currencies("en"), currencies("fa")
    return [(names["displayName"], persian[code]["displayName"])
            for code, names in english.items()
            if "displayName" in names and "displayName" in persian.get(code, {})]


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "node_modules"
    pairs = (display_names(root, "languages.json", "languages")
             + display_names(root, "territories.json", "territories")
             + display_names(root, "scripts.json", "scripts")
             + calendar_names(root) + unit_names(root) + currency_names(root))
    meanings = {}
    for english, persian in pairs:
        headword, meaning = english_headword(english), persian_meaning(persian)
        if headword and meaning:
            known = meanings.setdefault(headword, [])
            if meaning not in known:
                known.append(meaning)
    version = load(root, "cldr-localenames-full", "package.json")["version"]
    out = sys.stdout
    out.write(f"# English and Persian names paired from the Unicode CLDR data {version}\n")
    out.write("# (languages, territories, scripts, months, weekdays, units and currencies).\n")
    out.write("# Licence: Unicode-3.0, see LICENSE-CLDR.txt. Made by make_cldr_names.py.\n")
    for headword in sorted(meanings, key=lambda word: (word.upper(), word)):
        out.write(headword + "\t" + "\\n".join(meanings[headword]) + "\n")


if __name__ == "__main__":
    main()
