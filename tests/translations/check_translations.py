#!/usr/bin/env python3
"""Every text the sources mark for translation has a finished translation in
every language: lupdate is run over the sources into a copy of each
translation file, so a new or changed English text without its translation
fails here. A translation must keep the source's %1..%9 (else a number goes
missing on the screen) and its line breaks (the commands' status tip and
tooltip, a message box's question, are split at them).

    check_translations.py LUPDATE SOURCE_DIR TS_FILE... -- LUPDATE_OPTION...
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET


def main():
    split = sys.argv.index("--")
    lupdate, source_dir, ts_files = sys.argv[1], sys.argv[2], sys.argv[3:split]
    options = sys.argv[split + 1:]
    faults = []
    with tempfile.TemporaryDirectory() as scratch:
        for ts in ts_files:
            copy = os.path.join(scratch, os.path.basename(ts))
            shutil.copyfile(ts, copy)
            subprocess.run([lupdate, *options, os.path.join(source_dir, "src"), "-ts", copy],
                           check=True, stdout=subprocess.DEVNULL)
            for context in ET.parse(copy).getroot().iter("context"):
                name = context.findtext("name")
                for message in context.iter("message"):
                    source = message.findtext("source") or ""
                    translation = message.find("translation")
                    text = "".join(translation.itertext()) if translation is not None else ""
                    where = "%s: %s: %r" % (os.path.basename(ts), name, source)
                    if translation is None or translation.get("type") == "unfinished" or not text:
                        faults.append(where + " has no finished translation")
                        continue
                    if sorted(re.findall(r"%[1-9]", source)) != sorted(re.findall(r"%[1-9]", text)):
                        faults.append(where + " and its translation fill in different parts: %r" % text)
                    if source.count("\n") != text.count("\n"):
                        faults.append(where + " and its translation break lines differently: %r" % text)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
