#!/usr/bin/env python3
"""Writes the command-line tool's translation table (C++, no Qt) from the
translation files: the finished translations of the contexts popwright-cli
prints, for every language.

    cli_table.py OUT.cpp translations/popwright_ja.ts ...

The language is the file's code (popwright_CODE.ts). Texts with %1..%9
come after the plain ones, the most specific (most fixed characters) first,
so that a finished text is laid over the closest form."""
import os
import re
import sys
import xml.etree.ElementTree as ET

CONTEXTS = ("Messages", "ShownTexts", "CliMessages", "CliHelp", "PatternLegend")


def c_string(text):
    out = []
    for byte in text.encode("utf-8"):
        ch = chr(byte)
        if ch == "\\":
            out.append("\\\\")
        elif ch == '"':
            out.append('\\"')
        elif ch == "\n":
            out.append("\\n")
        elif 32 <= byte < 127 and ch != "?":
            out.append(ch)
        else:
            out.append("\\%03o" % byte)
    return '"' + "".join(out) + '"'


def entries(path):
    code = re.fullmatch(r"popwright_(\w+)\.ts", os.path.basename(path)).group(1)
    found = []
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        if name not in CONTEXTS:
            continue
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            if translation is None or translation.get("type") in ("unfinished", "vanished", "obsolete"):
                continue
            text = "".join(translation.itertext())
            if source and text:
                found.append((code, name, source, text))
    plain = [e for e in found if not re.search(r"%[1-9]", e[2])]
    filled = [e for e in found if re.search(r"%[1-9]", e[2])]
    filled.sort(key=lambda e: -len(re.sub(r"%[1-9]", "", e[2])))
    return plain + filled


def main():
    out, sources = sys.argv[1], sys.argv[2:]
    rows = [e for path in sources for e in entries(path)]
    lines = [
        "// Made by translations/cli_table.py from the translation files; not edited by hand.",
        '#include "cli/CliLanguage.h"',
        "",
        "namespace pw {",
        "namespace {",
        "const CliTranslation kEntries[] = {",
    ]
    for code, context, source, text in rows:
        lines.append("    {%s, %s,\n     %s,\n     %s}," % (c_string(code), c_string(context), c_string(source), c_string(text)))
    if not rows:
        lines.append('    {"", "", "", ""},')
    lines += [
        "};",
        "}  // namespace",
        "",
        "CliTranslationTable BuiltInCliTranslations() {",
        "    return {kEntries, %s};" % ("sizeof kEntries / sizeof kEntries[0]" if rows else "0"),
        "}",
        "",
        "}  // namespace pw",
        "",
    ]
    text = "\n".join(lines)
    # Rewritten only when it changes, so that the tool is not rebuilt for nothing.
    if not os.path.exists(out) or open(out, encoding="utf-8").read() != text:
        with open(out, "w", encoding="utf-8") as f:
            f.write(text)


if __name__ == "__main__":
    main()
