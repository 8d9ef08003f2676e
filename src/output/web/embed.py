"""Writes a C++ source holding the web page's template and three.js as text.

Usage: embed.py OUT.cpp TEMPLATE.html THREE.min.js

Each text is a list of string literals under 32 kB (the length every C++
compiler takes), joined when the program first asks for it.
"""
import sys

CHUNK = 32000


def literal(data):
    out = []
    for b in data:
        c = chr(b)
        if c == '"' or c == '\\':
            out.append('\\' + c)
        elif 32 <= b < 127 and c != '?':
            out.append(c)
        else:
            out.append('\\%03o' % b)
    return '"' + ''.join(out) + '"'


def parts(name, data):
    lines = ['const char* const %s[] = {' % name]
    for i in range(0, len(data), CHUNK):
        piece = data[i:i + CHUNK]
        lines.append('    ' + '\n    '.join(literal(piece[j:j + 100]) for j in range(0, len(piece), 100)) + ',')
    lines.append('    nullptr};')
    return '\n'.join(lines)


def main():
    out, template, three = sys.argv[1:4]
    with open(template, 'rb') as f:
        template_data = f.read()
    with open(three, 'rb') as f:
        three_data = f.read()
    if b'</script' in three_data.lower():
        sys.exit('three.js holds "</script", which would end its script element early')
    text = '\n'.join([
        '// Made by src/output/web/embed.py from the page template and three.js.',
        '#include "output/WebPageParts.h"',
        'namespace pw {',
        'namespace {',
        parts('kTemplate', template_data),
        parts('kThree', three_data),
        'std::string Joined(const char* const* parts) {',
        '    std::string text;',
        '    for (; *parts; ++parts) text += *parts;',
        '    return text;',
        '}',
        '}  // namespace',
        'const std::string& WebPageTemplate() { static const std::string text = Joined(kTemplate); return text; }',
        'const std::string& ThreeJs() { static const std::string text = Joined(kThree); return text; }',
        '}  // namespace pw',
        ''])
    with open(out, 'w') as f:
        f.write(text)


main()
