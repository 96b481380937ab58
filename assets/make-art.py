#!/usr/bin/python3
"""Draws the launcher's pictures: the background art, the title-bar emblem and the icon sizes.

Everything is drawn from geometry and a fixed random seed, so every build makes the same files.
Writes background.jpg, emblem.png and launcher.ico (the seven icon sizes as PNG).
usage: make-art.py OUTPUT_DIR
"""
import io
import math
import struct
import random
import sys
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFilter

BACKGROUND_SIZE = (1240, 816)
EMBLEM_SIZE = (60, 52)
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)
SUPERSAMPLE = 8


def vertical_gradient(size, top, bottom):
    width, height = size
    column = Image.new("RGB", (1, height))
    for y in range(height):
        t = y / max(1, height - 1)
        column.putpixel((0, y), tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)))
    return column.resize(size)


def emblem_mask(width, height):
    """A crescent opening upwards with a three-pointed crown rising out of it, in white on black."""
    mask = Image.new("L", (width, height), 0)
    draw = ImageDraw.Draw(mask)
    cx = width / 2
    r_outer = width * 0.46
    cy = height * 0.40
    draw.ellipse((cx - r_outer, cy - r_outer, cx + r_outer, cy + r_outer), fill=255)
    r_inner = r_outer * 0.86
    iy = cy - r_outer * 0.30
    draw.ellipse((cx - r_inner, iy - r_inner, cx + r_inner, iy + r_inner), fill=0)
    # The crown's points stand inside the crescent's bowl.
    base = cy + r_outer * 0.42
    for offset, tip_height, half in ((-0.52, 0.78, 0.13), (0.0, 0.95, 0.15), (0.52, 0.78, 0.13)):
        x = cx + offset * r_outer
        tip = base - tip_height * r_outer
        draw.polygon([(x - half * r_outer, base), (x, tip), (x + half * r_outer, base)], fill=255)
        gem = 0.07 * r_outer
        draw.ellipse((x - gem, tip - gem * 2.6, x + gem, tip - gem * 0.6), fill=255)
    draw.rectangle((cx - 0.62 * r_outer, base - 0.02 * r_outer, cx + 0.62 * r_outer, base + 0.06 * r_outer), fill=255)
    return mask


def silver(size):
    """Brushed silver: bright at the top, a darker band low down, a pale rim at the bottom."""
    width, height = size
    column = Image.new("RGB", (1, height))
    stops = [(0.0, (244, 247, 252)), (0.45, (188, 196, 208)), (0.72, (118, 128, 144)), (1.0, (206, 212, 222))]
    for y in range(height):
        t = y / max(1, height - 1)
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t0 <= t <= t1:
                u = (t - t0) / (t1 - t0)
                column.putpixel((0, y), tuple(round(a + (b - a) * u) for a, b in zip(c0, c1)))
                break
    return column.resize(size)


def emblem(size, scale=SUPERSAMPLE):
    big = (size[0] * scale, size[1] * scale)
    mask = emblem_mask(*big)
    shadow = mask.filter(ImageFilter.GaussianBlur(scale * 0.8))
    picture = Image.new("RGBA", big, (8, 10, 16, 0))
    picture.putalpha(shadow.point(lambda v: v * 0.55))
    metal = silver(big).convert("RGBA")
    metal.putalpha(mask)
    picture = Image.alpha_composite(picture, metal)
    return picture.resize(size, Image.LANCZOS)


def icon(size):
    scale = max(2, 1024 // size)
    side = size * scale
    square = Image.new("L", (side, side), 0)
    inset = side * 0.03
    ImageDraw.Draw(square).rounded_rectangle((inset, inset, side - inset, side - inset), radius=side * 0.2, fill=255)
    face = vertical_gradient((side, side), (46, 56, 74), (12, 15, 22)).convert("RGBA")
    rim = Image.new("L", (side, side), 0)
    ImageDraw.Draw(rim).rounded_rectangle((inset, inset, side - inset, side - inset), radius=side * 0.2,
                                          outline=255, width=max(1, round(side * 0.025)))
    face = Image.composite(Image.new("RGBA", (side, side), (120, 134, 156, 255)), face, rim)
    face.putalpha(square)
    mark_width = round(side * 0.74)
    mark = emblem((mark_width, round(mark_width * EMBLEM_SIZE[1] / EMBLEM_SIZE[0])), scale=2)
    face.alpha_composite(mark, ((side - mark.width) // 2, (side - mark.height) // 2))
    return face.resize((size, size), Image.LANCZOS)


def fortress(draw, width, height, rng):
    """A wall with towers and battlements across the lower third, darkest of the layers."""
    ground = height * 0.80
    x = -20.0
    top = height * 0.62
    while x < width:
        span = rng.uniform(150, 230)
        tower = rng.random() < 0.45
        roof = top - (rng.uniform(60, 120) if tower else rng.uniform(-10, 15))
        draw.rectangle((x, roof, x + span, ground + 200), fill=(20, 25, 33))
        merlon = 16
        for mx in range(int(x), int(x + span), merlon * 2):
            draw.rectangle((mx, roof - 14, mx + merlon, roof), fill=(20, 25, 33))
        if tower:
            for wy in (roof + 30, roof + 70):
                wx = x + span / 2
                draw.rectangle((wx - 4, wy, wx + 4, wy + 18), fill=(58, 52, 44))
        x += span


def dragon(draw, cx, cy, s):
    """A dragon gliding left, wings raised: body, neck, head, tail and two bat wings."""
    colour = (30, 36, 48)
    body = [(cx - 60 * s, cy), (cx + 70 * s, cy - 10 * s), (cx + 80 * s, cy + 8 * s), (cx - 50 * s, cy + 16 * s)]
    draw.polygon(body, fill=colour)
    draw.polygon([(cx - 55 * s, cy + 2 * s), (cx - 120 * s, cy - 30 * s), (cx - 140 * s, cy - 26 * s),
                  (cx - 118 * s, cy - 18 * s), (cx - 50 * s, cy + 14 * s)], fill=colour)
    draw.polygon([(cx - 140 * s, cy - 26 * s), (cx - 165 * s, cy - 22 * s), (cx - 138 * s, cy - 14 * s)],
                 fill=colour)
    tail = [(cx + 75 * s, cy - 4 * s)]
    for i in range(1, 13):
        t = i / 12
        tail.append((cx + (75 + 170 * t) * s, cy + (40 * math.sin(t * 3.0)) * s))
    tail_back = [(x, y + 10 * s * (1 - i / 13)) for i, (x, y) in enumerate(tail)]
    draw.polygon(tail + tail_back[::-1], fill=colour)
    # The far wing first and darker, the near wing over it; each has a leading edge to a clawed
    # tip and a scalloped trailing edge between the finger bones.
    for span, shade, lean in ((0.75, (24, 29, 40), 40), (1.0, colour, 0)):
        points = [(cx - 20 * s, cy)]
        for dx, dy in ((-30 + lean, -120), (10 + lean, -200)):
            points.append((cx + dx * s * span, cy + dy * s * span))
        for finger in range(4):
            tip_x = 10 + lean + finger * 38
            tip_y = -200 + finger * 45
            points.append((cx + tip_x * s * span, cy + tip_y * s * span))
            points.append((cx + (tip_x + 10) * s * span, cy + (tip_y + 90 - finger * 12) * s * span))
        points.append((cx + 60 * s, cy - 2 * s))
        draw.polygon(points, fill=shade)


def rider(draw, cx, ground, s):
    """An armoured rider on a rearing horse, lance raised, facing the dragon."""
    colour = (14, 17, 23)
    draw.polygon([(cx - 90 * s, ground - 120 * s), (cx + 60 * s, ground - 140 * s), (cx + 80 * s, ground - 100 * s),
                  (cx - 80 * s, ground - 80 * s)], fill=colour)
    for leg_x, lift in ((-70, 0), (-45, 0), (45, 60), (70, 70)):
        draw.line((cx + leg_x * s, ground - 90 * s, cx + (leg_x + lift * 0.6) * s, ground - lift * s),
                  fill=colour, width=max(2, int(14 * s)))
    draw.polygon([(cx + 50 * s, ground - 135 * s), (cx + 95 * s, ground - 215 * s), (cx + 130 * s, ground - 205 * s),
                  (cx + 110 * s, ground - 175 * s), (cx + 80 * s, ground - 110 * s)], fill=colour)
    draw.polygon([(cx - 100 * s, ground - 118 * s), (cx - 150 * s, ground - 60 * s), (cx - 125 * s, ground - 60 * s),
                  (cx - 88 * s, ground - 100 * s)], fill=colour)
    draw.polygon([(cx - 25 * s, ground - 130 * s), (cx - 20 * s, ground - 225 * s), (cx + 15 * s, ground - 230 * s),
                  (cx + 20 * s, ground - 135 * s)], fill=colour)
    draw.ellipse((cx - 20 * s, ground - 270 * s, cx + 14 * s, ground - 225 * s), fill=colour)
    draw.polygon([(cx - 8 * s, ground - 268 * s), (cx - 2 * s, ground - 300 * s), (cx + 4 * s, ground - 266 * s)],
                 fill=colour)
    draw.line((cx - 60 * s, ground - 150 * s, cx + 180 * s, ground - 380 * s), fill=(70, 78, 92),
              width=max(2, int(5 * s)))
    draw.polygon([(cx - 40 * s, ground - 215 * s), (cx - 95 * s, ground - 150 * s), (cx - 30 * s, ground - 140 * s)],
                 fill=(40, 22, 26))


def background(size):
    width, height = size
    rng = random.Random(1701)
    sky = vertical_gradient(size, (40, 50, 66), (12, 15, 21))
    # A pale moon behind cloud, high on the right, lights the scene.
    glow = Image.new("L", size, 0)
    ImageDraw.Draw(glow).ellipse((880, 70, 1060, 250), fill=255)
    glow = glow.filter(ImageFilter.GaussianBlur(70))
    sky = Image.composite(Image.new("RGB", size, (120, 136, 160)), sky, glow.point(lambda v: v * 0.45))
    clouds = Image.new("L", size, 0)
    cloud_draw = ImageDraw.Draw(clouds)
    for _ in range(70):
        x, y = rng.uniform(-100, width), rng.uniform(0, height * 0.6)
        w, h = rng.uniform(120, 380), rng.uniform(20, 60)
        cloud_draw.ellipse((x, y, x + w, y + h), fill=rng.randint(20, 70))
    clouds = clouds.filter(ImageFilter.GaussianBlur(22))
    sky = Image.composite(Image.new("RGB", size, (70, 82, 100)), sky, clouds)

    scene = Image.new("L", size, 0)
    art = sky.copy()
    draw = ImageDraw.Draw(art)
    dragon(draw, 820, 230, 1.25)
    far_hills = [(0, height * 0.70)] + [(x, height * 0.66 - 30 * math.sin(x / 170.0) - rng.uniform(0, 14))
                                        for x in range(0, width + 40, 40)] + [(width, height)]
    draw.polygon(far_hills + [(0, height)], fill=(34, 41, 53))
    fortress(draw, width, height, rng)
    draw.rectangle((0, height * 0.80, width, height), fill=(11, 13, 18))
    rider(draw, 300, height * 0.93, 1.15)
    del scene

    mist = Image.new("L", size, 0)
    mist_draw = ImageDraw.Draw(mist)
    for _ in range(40):
        x, y = rng.uniform(-200, width), rng.uniform(height * 0.70, height * 0.92)
        mist_draw.ellipse((x, y, x + rng.uniform(250, 500), y + rng.uniform(20, 50)), fill=rng.randint(15, 45))
    mist = mist.filter(ImageFilter.GaussianBlur(26))
    art = Image.composite(Image.new("RGB", size, (62, 72, 88)), art, mist)

    grain = Image.effect_noise(size, 6).convert("RGB")
    art = ImageChops.add(art, grain, scale=1.0, offset=-128)
    vignette = Image.new("L", size, 0)
    ImageDraw.Draw(vignette).ellipse((-width * 0.25, -height * 0.30, width * 1.25, height * 1.30), fill=255)
    vignette = vignette.filter(ImageFilter.GaussianBlur(120))
    return Image.composite(art, Image.new("RGB", size, (6, 8, 12)), vignette)


def icon_file(pngs):
    """An .ico holding each size as PNG data, smallest first; 256 is written as 0 in the directory."""
    header = struct.pack("<HHH", 0, 1, len(pngs))
    offset = len(header) + 16 * len(pngs)
    directory, data = b"", b""
    for size, png in pngs:
        side = 0 if size >= 256 else size
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(png), offset + len(data))
        data += png
    return header + directory + data


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make-art.py OUTPUT_DIR")
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    background(BACKGROUND_SIZE).save(out / "background.jpg", "JPEG", quality=88, optimize=True)
    emblem(EMBLEM_SIZE).save(out / "emblem.png", optimize=True)
    pngs = []
    for size in ICON_SIZES:
        buffer = io.BytesIO()
        icon(size).save(buffer, "PNG", optimize=True)
        pngs.append((size, buffer.getvalue()))
    (out / "launcher.ico").write_bytes(icon_file(pngs))


if __name__ == "__main__":
    main()
