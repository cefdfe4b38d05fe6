#!/usr/bin/env python3
"""Generates the sample add-on (examples/addon) and the sample game (examples/game).

Pure Python 3 (zlib and struct only). Run it from anywhere:

    python3 examples/make_examples.py           writes every generated file
    python3 examples/make_examples.py --check   compares the files on disk with what it would write
                                                 (PNG files by their pixels), exit status 1 on a difference

Inputs: the plain rosters in examples/source/ (one character a line, LF line ends) and the texts
below. Outputs: the message catalogue and title list in each language's own 8-bit character set,
the scrambled rosters, the avatar pictures, the logo and the browse icon, and the placeholder
files of the game.
"""

import os
import struct
import sys
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------------------------------------
# Roster scrambler: byte i of a scrambled file is NOT(p XOR key[i mod 118]); the transform is its
# own inverse. The key is 118 bytes; its 17th byte is the single Latin-1 byte 0xE9.
KEY = ("wpotmebnarlxquvt\u00e9tonbrelaxqmewp71oystubor8vemqalot:pyxwenbum<;tayorek<pulmo"
       "9627580b9e2d8d0e7bxtolymepb09q7w8t6e51mo7p0").encode("latin-1")
assert len(KEY) == 118 and KEY[16] == 0xE9 and 0 not in KEY


def scramble(data: bytes) -> bytes:
    return bytes((~(b ^ KEY[i % len(KEY)])) & 0xFF for i, b in enumerate(data))


# ---------------------------------------------------------------------------------------------
# Message catalogue: language number -> (character set, {message number: text}). Messages 1 to 37
# exist in every language; the numbers no screen uses hold the language's word for "unused".
LANGUAGES = {
    0: ("latin-1", "inutilis\u00e9", {
        1: "Installateur d'extension Trivelo Zelto",
        2: "Retour",
        3: "Installer",
        4: "Choisissez le dossier de Trivelo Zelto, puis cliquez sur Installer.",
        5: "Les personnages de l'extension et leurs images",
        6: "seront ajout\u00e9s au jeu.",
        7: "Dossier du jeu :",
        8: "Choisissez le dossier du jeu",
        10: "Termin\u00e9",
        11: "L'extension est install\u00e9e.",
        12: "Quitter",
        13: "S\u00e9lectionnez le dossier de Trivelo Zelto",
        14: "Ce dossier ne contient pas Trivelo Zelto.",
        15: "Trivelo Zelto",
        17: "Trivelo Zelto semble \u00eatre lanc\u00e9. Quittez d'abord le jeu, puis recommencez l'installation.",
        23: "Trivelo Zelto est lanc\u00e9. Quittez le jeu, puis recommencez l'installation.",
        37: "Installation termin\u00e9e",
    }),
    1: ("ascii", "unused", {
        1: "Trivelo Zelto add-on installer",
        2: "Back",
        3: "Install",
        4: "Choose the folder of Trivelo Zelto, then press Install.",
        5: "The add-on's characters and their pictures",
        6: "are added to the game.",
        7: "Game folder:",
        8: "Choose the game folder",
        10: "Done",
        11: "The add-on is installed.",
        12: "Quit",
        13: "Select the folder of Trivelo Zelto",
        14: "This folder does not hold Trivelo Zelto.",
        15: "Trivelo Zelto",
        17: "Trivelo Zelto seems to be running. Quit the game first, then install again.",
        23: "Trivelo Zelto is running. Quit the game, then install again.",
        37: "Installation finished",
    }),
    3: ("latin-1", "unbenutzt", {
        1: "Trivelo Zelto Erweiterungs-Installer",
        2: "Zur\u00fcck",
        3: "Installieren",
        4: "W\u00e4hlen Sie den Ordner von Trivelo Zelto und klicken Sie auf Installieren.",
        5: "Die Figuren der Erweiterung und ihre Bilder",
        6: "werden dem Spiel hinzugef\u00fcgt.",
        7: "Spielordner:",
        8: "Spielordner w\u00e4hlen",
        10: "Fertig",
        11: "Die Erweiterung ist installiert.",
        12: "Beenden",
        13: "W\u00e4hlen Sie den Ordner von Trivelo Zelto",
        14: "Dieser Ordner enth\u00e4lt Trivelo Zelto nicht.",
        15: "Trivelo Zelto",
        17: "Trivelo Zelto scheint zu laufen. Beenden Sie zuerst das Spiel und installieren Sie dann erneut.",
        23: "Trivelo Zelto l\u00e4uft. Beenden Sie das Spiel und installieren Sie dann erneut.",
        37: "Installation abgeschlossen",
    }),
    8: ("iso8859_2", "nieu\u017cywany", {
        1: "Instalator dodatku Trivelo Zelto",
        2: "Wstecz",
        3: "Zainstaluj",
        4: "Wybierz folder gry Trivelo Zelto, a nast\u0119pnie kliknij Zainstaluj.",
        5: "Postacie z dodatku i ich obrazki",
        6: "zostan\u0105 dodane do gry.",
        7: "Folder gry:",
        8: "Wybierz folder gry",
        10: "Gotowe",
        11: "Dodatek zosta\u0142 zainstalowany.",
        12: "Zako\u0144cz",
        13: "Wybierz folder gry Trivelo Zelto",
        14: "Ten folder nie zawiera gry Trivelo Zelto.",
        15: "Trivelo Zelto",
        17: "Trivelo Zelto wydaje si\u0119 by\u0107 uruchomione. Najpierw zamknij gr\u0119, a potem zainstaluj ponownie.",
        23: "Trivelo Zelto jest uruchomione. Zamknij gr\u0119 i zainstaluj ponownie.",
        37: "Instalacja zako\u0144czona",
    }),
}
MESSAGE_COUNT = 37

# The add-on's title in each language (the title list, and the window title after message 1).
TITLES = {
    0: "Les Gardiens du Phare",
    1: "The Lighthouse Keepers",
    3: "Die Leuchtturmw\u00e4rter",
    8: "Stra\u017cnicy latarni",
}

# Avatar file-name patterns: the first "@" takes the character number.
PATTERNS = ["avatar_@", "avatar_@_petit", "portrait@", "mini_@"]
# Picture size of each pattern, in pixels.
PATTERN_SIZES = {"avatar_@": 32, "avatar_@_petit": 16, "portrait@": 48, "mini_@": 12}

# The add-on already installed in the sample game.
GAME_ADDONS = ["The Desert Nomads"]


def catalogue() -> bytes:
    """Lines: columns 1-2 language, 3-6 blanks, 7-9 byte length, 10 on the text; LF ends."""
    out = bytearray()
    for lang, (charset, unused, texts) in LANGUAGES.items():
        for n in range(1, MESSAGE_COUNT + 1):
            text = texts.get(n, unused).encode(charset)
            assert len(text) <= 999 and b"\n" not in text and b"\r" not in text and b"%" not in text
            out += b"%02d    %03d" % (lang, len(text)) + text + b"\n"
    return bytes(out)


def title_list() -> bytes:
    """Lines: columns 1-2 language, 3-9 blanks, 10 on the add-on's title; LF ends."""
    out = bytearray()
    for lang, title in TITLES.items():
        out += b"%02d       " % lang + title.encode(LANGUAGES[lang][0]) + b"\n"
    return bytes(out)


# ---------------------------------------------------------------------------------------------
# PNG writing: 8-bit RGBA, one zlib stream, filter 0 on every row.

def png(width: int, height: int, pixels) -> bytes:
    """pixels: a function (x, y) -> (r, g, b, a)."""
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for x in range(width):
            raw += bytes(pixels(x, y))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def png_pixels(data: bytes):
    """(width, height, raw scanlines) of a PNG written by png(); used by --check."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = body
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    return header, zlib.decompress(idat)


def hsv(h, s, v):
    i = int(h * 6) % 6
    f = h * 6 - int(h * 6)
    p, q, t = v * (1 - s), v * (1 - f * s), v * (1 - (1 - f) * s)
    r, g, b = [(v, t, p), (q, v, p), (p, v, t), (p, q, v), (t, p, v), (v, p, q)][i]
    return int(r * 255 + 0.5), int(g * 255 + 0.5), int(b * 255 + 0.5)


def avatar(size: int, colour) -> bytes:
    """A round badge in the character's colour with a head and shoulders on it."""
    c = (size - 1) / 2.0
    dark = tuple(v * 55 // 100 for v in colour)
    skin = (240, 200, 160)

    def px(x, y):
        dx, dy = x - c, y - c
        if dx * dx + dy * dy > (size / 2.0) ** 2:
            return (0, 0, 0, 0)
        hx, hy = x - c, y - size * 0.38
        if hx * hx + hy * hy <= (size * 0.17) ** 2:
            return skin + (255,)
        sx, sy = (x - c) / (size * 0.33), (y - size * 0.95) / (size * 0.36)
        if sx * sx + sy * sy <= 1.0:
            return dark + (255,)
        return tuple(colour) + (255,)

    return png(size, size, px)


# A 5x7 font for the logo's lettering.
FONT = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "G": [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "Z": ["#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"],
    "-": [".....", ".....", ".....", "#####", ".....", ".....", "....."],
    " ": ["....."] * 7,
}


def text_mask(text: str, x0: int, y0: int, scale: int):
    """Set of the pixels covered by the text drawn at (x0, y0)."""
    cells = set()
    for k, ch in enumerate(text):
        glyph = FONT[ch]
        for gy, row in enumerate(glyph):
            for gx, bit in enumerate(row):
                if bit == "#":
                    for sy in range(scale):
                        for sx in range(scale):
                            cells.add((x0 + k * 6 * scale + gx * scale + sx, y0 + gy * scale + sy))
    return cells


def logo() -> bytes:
    """440x120: night sky over the sea, a lighthouse with its beam, and the add-on's name."""
    w, h, radius = 440, 120, 14
    big = text_mask("LIGHTHOUSE KEEPERS", 106, 28, 3)
    big_shadow = {(x + 2, y + 2) for x, y in big}
    small = text_mask("TRIVELO ZELTO ADD-ON", 106, 72, 2)

    def in_rounded(x, y):
        cx = min(max(x, radius), w - 1 - radius)
        cy = min(max(y, radius), h - 1 - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius

    def px(x, y):
        if not in_rounded(x, y):
            return (0, 0, 0, 0)
        t = y / (h - 1)
        r, g, b = int(12 + 20 * t), int(24 + 60 * t), int(60 + 70 * t)
        if y >= 100:  # sea with a few wave crests
            r, g, b = 10, 50, 90
            if (x + 3 * (y - 100)) % 23 < 3 and y % 4 == 1:
                r, g, b = 120, 170, 210
        # beam from the lantern, widening to the right, translucent
        lx, ly = 52, 30
        if x > lx and abs(y - ly) <= (x - lx) * 0.18:
            a = max(0.0, 0.45 - (x - lx) / 900.0)
            r, g, b = int(r + (255 - r) * a), int(g + (230 - g) * a), int(b + (120 - b) * a)
        # rock under the tower
        if y >= 92 and (x - 52) ** 2 / 900.0 + (y - 104) ** 2 / 144.0 <= 1.0:
            r, g, b = 70, 70, 78
        # tower: a trapezoid with red and white bands
        if 38 <= y <= 94:
            half = 8 + (y - 38) * 6 / 56.0
            if abs(x - 52) <= half:
                r, g, b = (200, 40, 40) if ((y - 38) // 11) % 2 == 0 else (240, 240, 235)
        # gallery and lantern
        if 34 <= y < 38 and abs(x - 52) <= 11:
            r, g, b = 40, 40, 48
        if 23 <= y < 34 and abs(x - 52) <= 7:
            r, g, b = (255, 226, 110) if abs(x - 52) <= 5 else (40, 40, 48)
        if 17 <= y < 23 and abs(x - 52) <= 7 - (23 - y):
            r, g, b = 200, 40, 40
        if (x, y) in big_shadow:
            r, g, b = 5, 10, 30
        if (x, y) in big:
            r, g, b = 255, 236, 150
        if (x, y) in small:
            r, g, b = 190, 220, 240
        return (r, g, b, 255)

    return png(w, h, px)


def folder_icon() -> bytes:
    """20x20: a yellow folder with a tab."""
    def px(x, y):
        if 3 <= y <= 5 and 2 <= x <= 8:
            return (214, 160, 40, 255)
        if 5 <= y <= 16 and 1 <= x <= 18:
            if y == 16 or x in (1, 18) or y == 5:
                return (150, 105, 20, 255)
            if y <= 7:
                return (240, 196, 70, 255)
            return (252, 216, 96, 255)
        return (0, 0, 0, 0)

    return png(20, 20, px)


def avatar_name(pattern: str, number: int) -> str:
    at = pattern.find("@")
    if at < 0:
        return pattern + str(number) + ".png"
    return pattern[:at] + str(number) + pattern[at + 1:] + ".png"


def read_source(name: str) -> bytes:
    with open(os.path.join(HERE, "source", name), "rb") as f:
        return f.read()


def files():
    """Every generated file: relative path under examples/ -> bytes."""
    out = {}
    addon_plain = read_source("addon_roster.txt")
    game_plain = read_source("game_roster.txt")
    assert addon_plain.count(b"\n") == 3 and game_plain.count(b"\n") == 12
    assert b"\r" not in addon_plain + game_plain

    out["addon/texte/trivelo_extension.msg"] = catalogue()
    out["addon/texte/trivelo_avatars.msg"] = title_list()
    out["addon/texte/trivlo_extension_fichiers.txt"] = "".join(p + "\n" for p in PATTERNS).encode()
    out["addon/data/perso.dta"] = scramble(addon_plain)
    out["addon/data/install.png"] = logo()
    out["addon/data/file_select.png"] = folder_icon()
    out["addon/temp/lisezmoi.txt"] = (
        "Dossier de travail de l'installateur : il y place ses fichiers temporaires pendant\n"
        "l'installation et les efface ensuite. Ce dossier doit exister.\n"
        "\n"
        "Work folder of the installer: it keeps its temporary files here during the\n"
        "installation and deletes them afterwards. This folder must exist.\n").encode("latin-1")
    addon_colours = [(236, 128, 32), (32, 170, 160), (140, 80, 200)]
    for k, colour in enumerate(addon_colours, start=1):
        for p in PATTERNS:
            out["addon/data/" + avatar_name(p, k)] = avatar(PATTERN_SIZES[p], colour)

    placeholder = b"Placeholder for the game program: the installer only checks that this file exists.\n"
    out["game/Trivelo.exe"] = placeholder
    out["game/Trivelo"] = placeholder
    out["game/texte/trivelo_lst_ext.txt"] = "".join(t + "\r\n" for t in GAME_ADDONS).encode("latin-1")
    out["game/data/perso.dta"] = scramble(game_plain)
    for k in range(1, 13):
        colour = hsv((k - 1) / 12.0, 0.45, 0.75)
        for p in PATTERNS:
            out["game/data/" + avatar_name(p, k)] = avatar(max(8, PATTERN_SIZES[p] // 2), colour)
    return out


def same(path: str, want: bytes) -> bool:
    try:
        with open(path, "rb") as f:
            have = f.read()
    except OSError:
        return False
    if have == want:
        return True
    if path.endswith(".png"):
        try:
            return png_pixels(have) == png_pixels(want)
        except Exception:
            return False
    return False


def listed(root: str):
    """Files under addon/ and game/, except the installer's passing work files in addon/temp/."""
    found = set()
    for sub in ("addon", "game"):
        for folder, _, names in os.walk(os.path.join(root, sub)):
            for n in names:
                rel = os.path.relpath(os.path.join(folder, n), root).replace(os.sep, "/")
                if rel.startswith("addon/temp/") and rel != "addon/temp/lisezmoi.txt":
                    continue
                found.add(rel)
    return found


def main(argv):
    check = "--check" in argv[1:]
    wanted = files()
    if check:
        bad = [rel for rel, data in sorted(wanted.items()) if not same(os.path.join(HERE, rel), data)]
        extra = sorted(listed(HERE) - set(wanted))
        for rel in bad:
            print("differs or missing: examples/" + rel)
        for rel in extra:
            print("not generated: examples/" + rel)
        print("%d files checked, %d differ, %d unexpected" % (len(wanted), len(bad), len(extra)))
        return 1 if bad or extra else 0
    for rel, data in sorted(wanted.items()):
        path = os.path.join(HERE, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        if same(path, data):
            continue
        with open(path, "wb") as f:
            f.write(data)
        print("wrote examples/" + rel)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
