#!/usr/bin/env python3
"""Writes COUNT source lines "headword<TAB>meaning": the words of Debian's wamerican word list,
then their forms (s, ing, ed, ...), with Persian meanings. Usage: make_entries.py COUNT OUT"""
import sys

count, out_path = int(sys.argv[1]), sys.argv[2]
words = [w.strip() for w in open("/usr/share/dict/american-english", encoding="utf-8")]
words = [w for w in words if w.isascii() and w.isprintable() and 0 < len(w) <= 24]
meanings = ["سگ", "گربه اهلی", "کتاب، دفتر (book)", "می‌خواهم ۱۲۳"]
endings = ["", "s", "ing", "ed", "ly", "er", "ness", "ful", "less"]
seen = set()
with open(out_path, "w", encoding="utf-8") as out:
    written, round_ = 0, 0
    while written < count:
        suffix = endings[round_ % len(endings)] + (str(round_ // len(endings)) if round_ >= len(endings) else "")
        for word in words:
            form = (word + suffix)[:32]
            if written == count or form.lower() in seen:
                continue
            seen.add(form.lower())
            out.write(f"{form}\t{meanings[written % 4]} {written}\n")
            written += 1
        round_ += 1
