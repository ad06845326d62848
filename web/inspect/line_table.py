#!/usr/bin/env python3
"""Makes the inspector's line table from the page's module as emscripten
built it, and takes out of the module what only the inspector reads.

For each of the program's own functions (those whose code comes from the
sources named, by default the house's app/, image/, scene/ and state/): its name, from the module's name section, and
where each of its instructions came from, from the build's source map; and
for each line of the program's files, the functions it calls. The page's
inspector reads a call stack's frames (function index and byte offset, as
the browser gives them) against this table. Binaryen's optimizer leaves
some calls without a place of their own (a call whose constant arguments it
moved into the callee, say), so that they take the place of the statement
before: the inspector settles each frame on the nearest line that calls
the function the frame called. The name section and
the source map's address leave the module, so a visit that never opens the
inspector loads no byte of either.

The source map comes from a second link of the same objects (MAPPED.wasm),
made only for it: its code must be the page's, byte for byte, wherever the
code section starts.
    line_table.py MODULE.wasm MAPPED.wasm MAPPED.wasm.map SOURCE_ROOT OUT.json [SOURCE...]"""
import json
import os
import re
import sys

PROGRAM = ('app/', 'image/', 'scene/', 'state/')
B64 = {c: i for i, c in enumerate('ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/')}


def leb(data, at):
    """An unsigned LEB128 number at `at`: the number and where it ends."""
    value = shift = 0
    while True:
        byte = data[at]
        at += 1
        value |= (byte & 0x7f) << shift
        shift += 7
        if byte < 0x80:
            return value, at


def name_at(data, at):
    size, at = leb(data, at)
    return data[at:at + size].decode('utf-8', 'replace'), at + size


def sections(data):
    """(id, start of contents, end, start of the section's header) for each section."""
    assert data[:4] == b'\0asm', 'not a WebAssembly module'
    at = 8
    while at < len(data):
        head = at
        kind = data[at]
        size, at = leb(data, at + 1)
        yield kind, at, at + size, head
        at += size


def imported_functions(data, start):
    count, at = leb(data, start)
    functions = 0
    for _ in range(count):
        _, at = name_at(data, at)
        _, at = name_at(data, at)
        kind = data[at]
        at += 1
        if kind == 0:                      # a function: its type
            _, at = leb(data, at)
            functions += 1
        elif kind in (1, 2):               # a table (its element type first) or a memory: limits
            at += kind == 1
            flags = data[at]
            _, at = leb(data, at + 1)
            if flags & 1:
                _, at = leb(data, at)
        else:                              # a global: its type and mutability
            at += 2
    return functions


def vlq_segments(mappings):
    for segment in mappings.replace(';', ',').split(','):
        if not segment:
            continue
        values, value, shift = [], 0, 0
        for c in segment:
            digit = B64[c]
            value |= (digit & 31) << shift
            shift += 5
            if not digit & 32:
                values.append(-(value >> 1) if value & 1 else value >> 1)
                value = shift = 0
        yield values


def code_section(data):
    for kind, start, end, _ in sections(data):
        if kind == 10:
            return start, data[start:end]
    raise SystemExit('no code section')


def main(wasm_path, mapped_path, map_path, root, out_path, *sources):
    with open(wasm_path, 'rb') as f:
        data = f.read()
    with open(mapped_path, 'rb') as f:
        mapped = f.read()
    with open(map_path) as f:
        source_map = json.load(f)
    start, code = code_section(data)
    mapped_start, mapped_code = code_section(mapped)
    if code != mapped_code:
        raise SystemExit('line_table.py: the source-mapped link made other code than the page\'s')
    shift = start - mapped_start

    imports, bodies, names, drop = 0, [], {}, []
    for kind, start, end, head in sections(data):
        if kind == 2:
            imports = imported_functions(data, start)
        elif kind == 10:
            count, at = leb(data, start)
            for _ in range(count):
                size, at = leb(data, at)
                bodies.append((at, at + size))
                at += size
        elif kind == 0:
            section, at = name_at(data, start)
            if section in ('name', 'sourceMappingURL'):
                drop.append((head, end))
            if section == 'name':
                while at < end:
                    sub, at = data[at], at + 1
                    size, at = leb(data, at)
                    if sub == 1:
                        count, p = leb(data, at)
                        for _ in range(count):
                            index, p = leb(data, p)
                            names[index], p = name_at(data, p)
                    at += size

    root = os.path.realpath(root) + '/'
    own_sources = [os.path.realpath(s) for s in sources] or [root + d for d in PROGRAM]
    # The program's files, by their real paths; each shown by its path from
    # the root, or its name when it lies elsewhere.
    files, shown = [], {}
    for source in source_map['sources']:
        path = os.path.realpath(os.path.join(os.path.dirname(os.path.realpath(map_path)), source))
        own = any(path == s or path.startswith(s.rstrip('/') + '/') for s in own_sources)
        files.append(path if own else None)
        shown[path] = path[len(root):] if path.startswith(root) else os.path.basename(path)

    # Where each instruction came from, as (offset, file, line), in offset order.
    places, offset, source, line = [], 0, 0, 0
    for values in vlq_segments(source_map['mappings']):
        offset += values[0]
        if len(values) >= 4:
            source += values[1]
            line += values[2]
            places.append((offset + shift, source, line + 1))

    used, functions, i = [], {}, 0
    for n, (start, end) in enumerate(bodies):
        while i < len(places) and places[i][0] < start:
            i += 1
        own = []
        while i < len(places) and places[i][0] < end:
            o, s, l = places[i]
            if files[s]:
                if files[s] not in used:
                    used.append(files[s])
                own += [o, used.index(files[s]), l]
            i += 1
        if own:
            index = imports + n
            name = re.sub(r'\(anonymous namespace\)::', '', names.get(index, 'function %d' % index))
            functions[index] = {'name': name.split('(')[0], 'lines': own}

    calls = {}
    for n, path in enumerate(used):
        with open(path) as f:
            calls[n] = {i + 1: sorted(set(re.findall(r'([A-Za-z_]\w*)\s*\(', text)))
                        for i, text in enumerate(f.read().split('\n')) if '(' in text}
    with open(out_path, 'w') as f:
        json.dump({'files': [shown[path] for path in used], 'functions': functions, 'calls': calls}, f, separators=(',', ':'))
    for head, end in reversed(drop):
        data = data[:head] + data[end:]
    with open(wasm_path, 'wb') as f:
        f.write(data)


if __name__ == '__main__':
    main(*sys.argv[1:])
