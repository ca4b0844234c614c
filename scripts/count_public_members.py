#!/usr/bin/env python3
"""Counts the public member functions of a class in a header, and its lines.

    scripts/count_public_members.py src/grid/core/TavikCustomGrid.h TTavikCustomGrid [--list]

Constructors, the destructor and overloads count once each; data members,
events, types and constants do not count. Nested types are skipped.
"""
import re
import sys


def class_body(src, name):
    m = re.search(r'\bclass\s+' + re.escape(name) + r'\b[^;{]*\{', src)
    if not m:
        sys.exit(f"no class {name}")
    i = depth = m.end()
    depth = 1
    j = i
    while depth:
        depth += {'{': 1, '}': -1}.get(src[j], 0)
        j += 1
    return src[i:j - 1]


def public_functions(body):
    body = re.sub(r'//[^\n]*', '', body)
    body = re.sub(r'/\*.*?\*/', '', body, flags=re.S)
    access = 'private'
    names = []
    depth = 0
    stmt = ''

    def strip_access(s):
        nonlocal access
        while True:
            m = re.match(r'^(public|protected|private)\s*:\s*(.*)$', s, re.S)
            if not m:
                return s
            access, s = m.group(1), m.group(2).strip()

    def take(s):
        if access == 'public' and '(' in s and not re.match(r'(using|friend|enum|struct|class)\b', s):
            names.append(s.split('(')[0].split()[-1])

    for ch in body:
        if depth == 0:
            stmt += ch
            if ch == ';':
                take(strip_access(stmt.strip()))
                stmt = ''
            elif ch == '{':
                depth = 1
                stmt = strip_access(stmt[:-1].strip())
        else:
            depth += {'{': 1, '}': -1}.get(ch, 0)
            if depth == 0:
                if not re.match(r'(enum|struct|class)\b', stmt):
                    take(stmt)
                stmt = ''
    return names


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    src = open(sys.argv[1], encoding='utf-8').read()
    names = public_functions(class_body(src, sys.argv[2]))
    print(f"{sys.argv[1]}: {src.count(chr(10))} lines, {len(names)} public member functions")
    if '--list' in sys.argv:
        print('\n'.join(names))


if __name__ == '__main__':
    main()
