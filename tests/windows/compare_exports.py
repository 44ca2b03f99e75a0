#!/usr/bin/env python3
"""Compares the Windows build's picture of a plan with the Linux build's.

Every pixel outside the plan's texts must be the same. The texts are drawn by each system's own
rasteriser (GDI on Windows, FreeType on Linux) from the same faces, so their glyphs may differ in
a pixel here and there; each place where the pictures differ must be one text: a region of at
most one line's height across, whose ink on Windows lies within the box the Linux text inks
(widened by two pixels), with ink in both.

usage: compare_exports.py WINDOWS.ppm LINUX.ppm   (binary PPM, as ImageMagick's convert writes)
"""
import sys

LINE = 18        # a text line's height, or a turned label's width, in pixels at most
LONGEST = 120    # the longest text along its line
SLACK = 2        # how far a Windows glyph may stand outside the Linux text's box


def read_ppm(path):
    data = open(path, 'rb').read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            pos = data.index(b'\n', pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b'P6' or fields[3] != b'255':
        raise SystemExit(f'{path}: not an 8-bit binary PPM')
    w, h = int(fields[1]), int(fields[2])
    return w, h, data[pos + 1:pos + 1 + w * h * 3]


def main():
    ww, wh, win = read_ppm(sys.argv[1])
    lw, lh, lin = read_ppm(sys.argv[2])
    if (ww, wh) != (lw, lh):
        print(f'the pictures differ in size: {ww}x{wh} on Windows, {lw}x{lh} on Linux')
        return 1
    w, h = ww, wh
    differs = set()
    for i in range(w * h):
        if win[3 * i:3 * i + 3] != lin[3 * i:3 * i + 3]:
            differs.add((i % w, i // w))

    def ink(img, x, y):
        return img[3 * (y * w + x):3 * (y * w + x) + 3] != b'\xff\xff\xff'

    # Regions: differing pixels joined when at most two pixels apart (a glyph's strokes).
    seen, regions = set(), []
    for start in differs:
        if start in seen:
            continue
        seen.add(start)
        stack, members = [start], []
        while stack:
            x, y = stack.pop()
            members.append((x, y))
            for dx in range(-SLACK - 1, SLACK + 2):
                for dy in range(-SLACK - 1, SLACK + 2):
                    p = (x + dx, y + dy)
                    if p in differs and p not in seen:
                        seen.add(p)
                        stack.append(p)
        regions.append(members)

    bad = 0
    for members in regions:
        xs = [p[0] for p in members]
        ys = [p[1] for p in members]
        x0, x1, y0, y1 = min(xs), max(xs), min(ys), max(ys)
        across, along = sorted((x1 - x0 + 1, y1 - y0 + 1))
        where = f'{x1 - x0 + 1}x{y1 - y0 + 1} at ({x0},{y0})'
        if across > LINE or along > LONGEST:
            print(f'differs over a region too large for a text: {where}')
            bad += 1
            continue
        # the text's box in each picture: its ink around the region
        def box(img):
            pts = [(x, y) for x in range(max(0, x0 - SLACK), min(w, x1 + SLACK + 1))
                   for y in range(max(0, y0 - SLACK), min(h, y1 + SLACK + 1)) if ink(img, x, y)]
            if not pts:
                return None
            return (min(p[0] for p in pts), min(p[1] for p in pts),
                    max(p[0] for p in pts), max(p[1] for p in pts))
        wb, lb = box(win), box(lin)
        if wb is None or lb is None:
            print(f'a text is missing in the {"Windows" if wb is None else "Linux"} picture: {where}')
            bad += 1
            continue
        if (wb[0] < lb[0] - SLACK or wb[1] < lb[1] - SLACK or
                wb[2] > lb[2] + SLACK or wb[3] > lb[3] + SLACK):
            print(f'a Windows text stands outside its box: {wb} against {lb}')
            bad += 1
    print(f'{len(differs)} pixels differ, in {len(regions)} texts; {bad} wrong')
    return 1 if bad else 0


if __name__ == '__main__':
    sys.exit(main())
