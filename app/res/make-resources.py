#!/usr/bin/env python3
"""Turns the pixel art of Talvex-art.txt into the program's icon and cursor.

    make-resources.py Talvex-art.txt OUT_DIR   ->  OUT_DIR/Talvex.ico, OUT_DIR/Hand.cur

The icon holds one 32-bit image (colour plus AND mask) per "icon" picture,
the 256-pixel one as PNG as Windows Vista and later expect it (XP never picks
it); the cursor holds one 1-bit monochrome image per "cursor" picture, which
every Windows version can show. A picture "from" another is that one enlarged,
each pixel taken from the nearest one of the original.
"""
import struct
import sys
import zlib


def read_art(path):
    palette, pictures, current = {'.': None}, [], None
    for raw in open(path, encoding='utf-8'):
        line = raw.rstrip('\n')
        if current is not None:
            if len(current['rows']) < current['size']:
                if len(line) != current['size']:
                    sys.exit(f'{path}: row {line!r} is not {current["size"]} wide')
                current['rows'].append(line)
                continue
            current = None
        if not line.strip() or line.startswith('#'):
            continue
        words = line.split()
        if words[0] == 'palette':
            palette[words[1]] = tuple(int(words[2][i:i + 2], 16) for i in (0, 2, 4))
        elif words[0] in ('icon', 'cursor') and 'from' in words:
            size, source = int(words[1]), int(words[words.index('from') + 1])
            original = next((p for p in pictures if p['kind'] == words[0] and p['size'] == source), None)
            if original is None:
                sys.exit(f'{path}: no {words[0]} {source} to enlarge for {line!r}')
            pictures.append(enlarged(original, size))
        elif words[0] in ('icon', 'cursor'):
            current = {'kind': words[0], 'size': int(words[1]), 'rows': [],
                       'hotspot': tuple(int(w) for w in words[2:4]) if words[0] == 'cursor' else None}
            pictures.append(current)
        else:
            sys.exit(f'{path}: unknown line {line!r}')
    for p in pictures:
        if len(p['rows']) != p['size']:
            sys.exit(f'{path}: a {p["kind"]} picture has {len(p["rows"])} rows, not {p["size"]}')
    return palette, pictures


def enlarged(picture, size):
    old = picture['size']
    if size <= old:
        sys.exit(f'a {picture["kind"]} can only be enlarged, not from {old} to {size}')
    # The original pixel under the centre of each new one.
    source = [(2 * i + 1) * old // (2 * size) for i in range(size)]
    rows = [''.join(picture['rows'][y][x] for x in source) for y in source]
    hotspot = picture['hotspot'] and tuple(v * size // old for v in picture['hotspot'])
    return {'kind': picture['kind'], 'size': size, 'rows': rows, 'hotspot': hotspot}


def mask_rows(rows, is_set):
    """1-bit rows, bottom-up, each padded to 32 bits."""
    out = b''
    for row in reversed(rows):
        bits = 0
        for ch in row:
            bits = (bits << 1) | (1 if is_set(ch) else 0)
        width = len(row)
        padded = (width + 31) // 32 * 32
        out += (bits << (padded - width)).to_bytes(padded // 8, 'big')
    return out


def bitmap_header(size, bit_count, image_bytes, colours=0):
    # Height counts the colour image and the AND mask together.
    return struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, bit_count, 0, image_bytes, 0, 0, colours, 0)


def rgba(ch, palette):
    if ch not in palette:
        sys.exit(f'colour {ch!r} is not in the palette')
    colour = palette[ch]
    return (0, 0, 0, 0) if colour is None else (*colour, 255)


def icon_image(picture, palette):
    rows, size = picture['rows'], picture['size']
    if size >= 256:
        return png_image(rows, palette)
    pixels = b''
    for row in reversed(rows):
        for ch in row:
            r, g, b, a = rgba(ch, palette)
            pixels += bytes((b, g, r, a))
    and_mask = mask_rows(rows, lambda ch: palette[ch] is None)
    return bitmap_header(size, 32, len(pixels) + len(and_mask)) + pixels + and_mask


def png_image(rows, palette):
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    # Each row: filter type 0, then RGBA pixels.
    raw = b''.join(b'\0' + b''.join(bytes(rgba(ch, palette)) for ch in row) for row in rows)
    header = struct.pack('>IIBBBBB', len(rows[0]), len(rows), 8, 6, 0, 0, 0)
    return b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')


def cursor_image(picture):
    rows, size = picture['rows'], picture['size']
    for row in rows:
        if set(row) - set('.KW'):
            sys.exit('a cursor uses only ".", "K" and "W"')
    xor_mask = mask_rows(rows, lambda ch: ch == 'W')
    and_mask = mask_rows(rows, lambda ch: ch == '.')
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    return bitmap_header(size, 1, len(xor_mask) + len(and_mask), 2) + palette + xor_mask + and_mask


def directory(kind, entries):
    """entries: (size, colours, field1, field2, image); planes and bit count for
    icons, the hot spot for cursors."""
    head = struct.pack('<HHH', 0, kind, len(entries))
    offset = len(head) + 16 * len(entries)
    table, data = b'', b''
    for size, colours, field1, field2, image in entries:
        table += struct.pack('<BBBBHHII', size % 256, size % 256, colours, 0, field1, field2, len(image), offset)
        offset += len(image)
        data += image
    return head + table + data


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    palette, pictures = read_art(sys.argv[1])
    icons = [p for p in pictures if p['kind'] == 'icon']
    cursors = [p for p in pictures if p['kind'] == 'cursor']
    if not icons or not cursors:
        sys.exit('the art needs at least one icon and one cursor')
    ico = directory(1, [(p['size'], 0, 1, 32, icon_image(p, palette)) for p in icons])
    cur_file = directory(2, [(c['size'], 2, c['hotspot'][0], c['hotspot'][1], cursor_image(c)) for c in cursors])
    with open(f'{sys.argv[2]}/Talvex.ico', 'wb') as f:
        f.write(ico)
    with open(f'{sys.argv[2]}/Hand.cur', 'wb') as f:
        f.write(cur_file)


if __name__ == '__main__':
    main()
