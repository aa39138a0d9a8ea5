#!/usr/bin/env python3
"""Writes core/NejblizsiZnakyGen.h: for every Unicode character that Windows-1250 lacks but
that has a sensible neighbour there, the byte of that neighbour; the characters that become
several bytes or none; and the compositions of a letter with a combining mark that follows it.

The neighbour comes from the Unicode decomposition (NFKD): the base letter keeps as many of
its marks as Windows-1250 has a letter for (e with grave -> e, u with diaeresis and macron
-> u with diaeresis), a compatibility form becomes its plain form (fullwidth A -> A), and a
space that must not break becomes the no-break space. The short table below covers what the
decomposition does not: letters with a stroke, dashes, quotes, primes and the minus sign.
A ligature or digraph (fi, Æ, ǆ) becomes its letters by the same decomposition, each
letter with its marks; zero-width characters and combining marks left over become nothing.
A letter followed by a combining mark (e + U+0301, as text copied from macOS has it) is
composed first (é), as NFC would. Everything else (Cyrillic, CJK, emoji) has no entry and
becomes "?". Run it from the repository root:

    python3 scripts/nejblizsi_znaky.py > core/NejblizsiZnakyGen.h
"""

import itertools
import sys
import unicodedata

NBSP = 0xA0

# Characters without a decomposition that still have an obvious neighbour.
KRATKA = {
    "ø": "o", "Ø": "O", "ħ": "h", "Ħ": "H", "ŧ": "t", "Ŧ": "T", "ı": "i", "ẞ": "ß",
    "\u2010": "-", "\u2012": "\u2013", "\u2015": "\u2014", "\u2212": "-", "\u2043": "-",
    "\u201B": "\u2018", "\u201F": "\u201C", "\u02BC": "\u2019", "\u2032": "'", "\u2033": '"',
    "\u2035": "'", "\u2036": '"', "\u2044": "/", "\u2215": "/", "\u2217": "*",
    "Ð": "Đ", "ð": "d", "Ŀ": "L", "ŀ": "l", "Ŋ": "N", "ŋ": "n", "ƒ": "f", "Ƶ": "Z", "ƶ": "z",
    "ɨ": "i", "ƀ": "b", "ʻ": "\u2018", "ˆ": "^", "˜": "~", "μ": "µ",
    # Romanian letters with a comma below: Windows-1250 has them with a cedilla.
    "Ș": "Ş", "ș": "ş", "Ț": "Ţ", "ț": "ţ",
}

# Ligatures without a decomposition.
VICE = {"Æ": "AE", "æ": "ae", "Œ": "OE", "œ": "oe"}

# Characters that take no room: nothing is their nearest form.
NULOVE = {0x200B, 0x200C, 0x200D, 0x2060, 0xFEFF}
ZNAMENKA = range(0x0300, 0x0370)  # the combining marks that are composed


def presne(znak):
    """The Windows-1250 byte of the character itself, or None."""
    try:
        b = znak.encode("cp1250")
    except UnicodeEncodeError:
        return None
    return b[0] if len(b) == 1 else None


def je_znamenko(znak):
    return unicodedata.category(znak).startswith("M")


def nejblizsi(znak):
    if znak in KRATKA:
        return presne(KRATKA[znak])
    rozklad = unicodedata.normalize("NFKD", znak)
    if unicodedata.decomposition(znak).startswith("<noBreak>") and rozklad == " ":
        return NBSP
    zaklad = [z for z in rozklad if not je_znamenko(z)]
    znamenka = [z for z in rozklad if je_znamenko(z)]
    if len(zaklad) != 1 or (zaklad[0] == " " and znamenka):
        return None  # several letters, or a mark standing alone
    zaklad = KRATKA.get(zaklad[0], zaklad[0])
    # As many of the marks as a Windows-1250 letter has, the bare letter last.
    for kolik in range(len(znamenka), -1, -1):
        for vyber in itertools.combinations(znamenka, kolik):
            slozeny = unicodedata.normalize("NFC", zaklad + "".join(vyber))
            if len(slozeny) == 1 and (b := presne(slozeny)) is not None:
                return b
    return None


def jeden(znak):
    """The byte of a character that is one byte: its own or its nearest, or None."""
    b = presne(znak)
    if b is None:
        b = nejblizsi(znak)
    return b if b is not None and b >= 0x20 else None


def rozvinuty(znak):
    """The bytes of a character that becomes none or several, or None."""
    kod = ord(znak)
    if kod in NULOVE or kod in ZNAMENKA:
        return b""
    if znak in VICE:
        vysledek = VICE[znak].encode("cp1250")
    else:
        if not unicodedata.category(znak).startswith("L"):
            return None
        # Each letter of the decomposition with the marks that follow it.
        shluky = []
        for z in unicodedata.normalize("NFKD", znak):
            if je_znamenko(z) and shluky:
                shluky[-1] += z
            else:
                shluky.append(z)
        if len(shluky) < 2:
            return None
        slozene = [unicodedata.normalize("NFC", s) for s in shluky]
        if any(len(s) != 1 for s in slozene):
            return None
        bajty = [jeden(s) for s in slozene]
        if None in bajty:
            return None
        vysledek = bytes(bajty)
    # The conversion writes into the text it reads: never longer than the UTF-8 form.
    return vysledek if len(vysledek) <= len(znak.encode("utf-8")) else None


def main():
    dvojice, vice, slozeni = [], [], []
    for kod in range(0x80, 0x110000):
        if 0xD800 <= kod <= 0xDFFF:
            continue
        znak = chr(kod)
        if presne(znak) is not None:
            continue
        b = nejblizsi(znak)
        if b is not None and b >= 0x20:
            dvojice.append((kod, b))
        elif (r := rozvinuty(znak)) is not None:
            vice.append((kod, r))
    mapovane = {k for k, _ in dvojice} | {k for k, _ in vice}
    for kod in range(0x80, 0x110000):
        if 0xD800 <= kod <= 0xDFFF:
            continue
        rozklad = unicodedata.decomposition(chr(kod)).split()
        if len(rozklad) != 2 or rozklad[0].startswith("<"):
            continue
        zaklad, znamenko = (int(x, 16) for x in rozklad)
        if znamenko not in ZNAMENKA:
            continue
        if unicodedata.normalize("NFC", chr(zaklad) + chr(znamenko)) != chr(kod):
            continue  # excluded from composition
        if presne(chr(kod)) is not None or kod in mapovane:
            slozeni.append((zaklad, znamenko, kod))
    slozeni.sort()
    out = sys.stdout
    out.write("// Generated by scripts/nejblizsi_znaky.py; do not edit by hand.\n")
    out.write(f"// Unicode {unicodedata.unidata_version}.\n")
    out.write("#pragma once\n\n#include <array>\n#include <cstdint>\n\n")
    out.write("struct tNejblizsiZnak {\n    char32_t Znak;\n    uint8_t Bajt;\n};\n\n")
    out.write("// Characters Windows-1250 lacks, in ascending order, with their nearest byte.\n")
    out.write("// clang-format off\n")
    out.write(f"inline constexpr std::array<tNejblizsiZnak, {len(dvojice)}> NejblizsiZnaky = {{{{\n")
    for i in range(0, len(dvojice), 6):
        out.write("    " + " ".join(f"{{0x{k:04X}, 0x{b:02X}}}," for k, b in dvojice[i:i + 6]) + "\n")
    out.write("}};\n// clang-format on\n\n")
    out.write("struct tRozvinutyZnak {\n    char32_t Znak;\n    uint8_t Delka;\n"
              "    std::array<uint8_t, 3> Bajty;\n};\n\n")
    out.write("// Characters that become several bytes (ligatures, digraphs) or none (zero-width\n"
              "// characters, combining marks left over), in ascending order.\n")
    out.write("// clang-format off\n")
    out.write(f"inline constexpr std::array<tRozvinutyZnak, {len(vice)}> RozvinuteZnaky = {{{{\n")
    def radek(kod, bajty):
        seznam = ", ".join(f"0x{b:02X}" for b in bajty) or "0"
        return "{0x%04X, %d, {{%s}}}," % (kod, len(bajty), seznam)

    for i in range(0, len(vice), 3):
        out.write("    " + " ".join(radek(k, r) for k, r in vice[i:i + 3]) + "\n")
    out.write("}};\n// clang-format on\n\n")
    out.write("struct tSlozeni {\n    char32_t Zaklad, Znamenko, Slozeny;\n};\n\n")
    out.write("// A letter and the combining mark after it (U+0300 to U+036F) that compose into a\n"
              "// character with a byte of its own or a nearest one, by letter, then mark.\n")
    out.write("// clang-format off\n")
    out.write(f"inline constexpr std::array<tSlozeni, {len(slozeni)}> Slozeni = {{{{\n")
    for i in range(0, len(slozeni), 4):
        out.write("    " + " ".join(f"{{0x{a:04X}, 0x{b:04X}, 0x{c:04X}}},"
                                    for a, b, c in slozeni[i:i + 4]) + "\n")
    out.write("}};\n// clang-format on\n")


if __name__ == "__main__":
    main()
