"""End-to-end tests of Trivelo_Extension_MorphOS, run as a user starts it: from a copy of the sample
add-on (its working directory), with the sample game copied into the volume Work:, through the
stand-in's harness (script of user actions in, transcript of what the user saw out).
"""

import os
import re
import shutil
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import amiga_e2e_support as e2e  # noqa: E402

GAME = "Work:Trivelo Zelto"  # the game folder as the user types it
LIBRARIES = ["intuition.library", "graphics.library", "locale.library", "datatypes.library", "asl.library",
             "utility.library", "muimaster.library"]


def atoi(field):
    m = re.match(rb"[ \t\n\v\f\r]*([+-]?\d+)", field)
    return int(m.group(1)) if m else 0


def catalogue(path, language):
    """Messages of one language, read as the Amiga-family builds read them (512-byte line buffer,
    the length field decides where a text stops)."""
    with open(path, "rb") as f:
        data = f.read()
    pieces, start = [], 0
    while start < len(data):
        end = data.find(b"\n", start, start + 511)
        end = start + 511 if end < 0 else end + 1
        end = min(end, len(data))
        pieces.append(data[start:end])
        start = end
    texts = [b""]
    for line in pieces:
        if atoi(line[0:2]) != language:
            continue
        length = atoi(line[6:9]) if len(line) >= 7 else 0
        texts.append(line[9:9 + length] if len(line) >= 10 else b"")
    # A message past the end of the catalogue is the empty text.
    return texts + [b""] * 100


def title_line(path, language):
    with open(path, "rb") as f:
        for line in f.read().split(b"\n"):
            line = line.rstrip(bytes(range(0, 33)))
            if atoi(line[0:2]) == language:
                return line[9:]
    return None


def visible(label):
    """A MUI label as shown: the first underscore marks the shortcut letter and is not shown."""
    i = label.find(b"_")
    return label if i < 0 or i + 1 >= len(label) else label[:i] + label[i + 1:]


def roster(path):
    with open(path, "rb") as f:
        return [l for l in e2e.scramble(f.read()).split(b"\n") if l]


class Fixture:
    """A fresh add-on folder, a Work: volume holding a fresh game, and a RAM: volume."""

    def __init__(self):
        source = e2e.SOURCE_DIR
        self.root = tempfile.mkdtemp(prefix="morphos-e2e-")
        self.addon = e2e.fresh_copy(os.path.join(source, "examples", "addon"), os.path.join(self.root, "addon"))
        self.work = os.path.join(self.root, "work")
        os.makedirs(self.work)
        self.game = e2e.fresh_copy(os.path.join(source, "examples", "game"), os.path.join(self.work, "Trivelo Zelto"))
        self.ram = os.path.join(self.root, "ram")
        os.makedirs(self.ram)

    def run(self, script, **kw):
        volumes = {"Work": self.work, "RAM": self.ram}
        return e2e.run_program(self.addon, volumes=volumes, script=script, **kw)

    def messages(self, language=1):
        return catalogue(os.path.join(self.addon, "texte", "trivelo_extension.msg"), language)

    def addon_title(self, language=1):
        return title_line(os.path.join(self.addon, "texte", "trivelo_avatars.msg"), language)

    def set_message(self, number, text, language=1):
        """Replaces message `number` of a language in the add-on's catalogue."""
        path = os.path.join(self.addon, "texte", "trivelo_extension.msg")
        with open(path, "rb") as f:
            lines = f.read().split(b"\n")
        seen = 0
        for i, line in enumerate(lines):
            if line and atoi(line[0:2]) == language:
                seen += 1
                if seen == number:
                    lines[i] = b"%02d    %03d" % (language, len(text)) + text
        with open(path, "wb") as f:
            f.write(b"\n".join(lines))

    def cleanup(self):
        shutil.rmtree(self.root, ignore_errors=True)


class MorphosTest(unittest.TestCase):
    def setUp(self):
        if not os.path.isdir(os.path.join(e2e.SOURCE_DIR, "examples", "addon")):
            self.skipTest("examples/addon is missing")
        self.fx = Fixture()
        self.addCleanup(self.fx.cleanup)
        self.msg = self.fx.messages()

    def assert_ended(self, run, code=0):
        self.assertEqual(run.returncode, code, run.describe())
        self.assertEqual(run.exit_code(), code, run.describe())
        self.assertNotIn(b"standin:", run.stderr, run.describe())

    def assert_workspace_removed(self):
        self.assertFalse(os.path.exists(os.path.join(self.fx.ram, "T", "Felgrove")))

    def after(self, run, event, index=0):
        """Events after the index-th event of that kind."""
        positions = [i for i, e in enumerate(run.events) if e["event"] == event]
        return run.events[positions[index] + 1:]


class Installation(MorphosTest):
    def test_full_installation(self):
        m = self.msg
        game_roster = roster(os.path.join(self.fx.game, "data", "perso.dta"))
        addon_roster = roster(os.path.join(self.fx.addon, "data", "perso.dta"))
        with open(os.path.join(self.fx.game, "texte", "trivelo_lst_ext.txt"), "rb") as f:
            registered_before = f.read().splitlines()
        c, n = len(game_roster), len(addon_roster)
        self.assertGreater(n, 0)

        # Right on screen 2 ends the program: a later Back would show screen 1 again.
        run = self.fx.run(["type " + GAME, "press right", "press right", "press left"])
        self.assert_ended(run)
        self.assertEqual(run.kinds()[:3], ["application", "window", "screen"], run.describe())
        self.assertEqual(run.events[0]["title"], m[1] + b" " + self.fx.addon_title())
        self.assertEqual(run.events[1]["title"], m[1])
        screen1 = run.events[2]
        self.assertEqual(screen1, {"event": "screen", "number": 1, "frame": m[8], "text": b"\x1bc" + m[4] + b"\n",
                                   "label": visible(m[7]), "left": visible(m[2]), "right": visible(m[3]),
                                   "left_enabled": True, "gauge": 5, "gauge_text": b"5 %", "path": b""})

        step = 70 // n
        expected_gauges = [10, 15, 20, 25, 30] + [30 + k * step for k in range(1, n + 1) if step]
        expected_gauges = [g for i, g in enumerate(expected_gauges) if i == 0 or g != expected_gauges[i - 1]]
        rest = [e for e in run.events[3:] if e["event"] != "requester"]
        self.assertEqual(rest[0], {"event": "busy", "on": True})
        self.assertEqual([e["value"] for e in rest if e["event"] == "gauge"], expected_gauges)
        self.assertEqual([e["text"] for e in rest if e["event"] == "gauge"], [b"%d %%" % g for g in expected_gauges])
        screens = [e for e in rest if e["event"] == "screen"]
        self.assertEqual(screens, [{"event": "screen", "number": 2, "frame": m[10], "text": b"\x1bc" + m[11],
                                    "label": None, "left": visible(m[2]), "right": visible(m[12]),
                                    "left_enabled": True, "gauge": 100, "gauge_text": b"100 %", "path": None}])
        self.assertEqual(rest[-2:], [{"event": "busy", "on": False}, {"event": "exit", "code": 0}])

        # The game: title registered, roster merged, images renumbered after the game's characters.
        with open(os.path.join(self.fx.game, "texte", "trivelo_lst_ext.txt"), "rb") as f:
            self.assertEqual(f.read().splitlines(), [l.rstrip() for l in registered_before] + [self.fx.addon_title()])
        self.assertEqual(roster(os.path.join(self.fx.game, "data", "perso.dta")),
                         [l.rstrip() for l in game_roster] + [l.rstrip() for l in addon_roster])
        with open(os.path.join(self.fx.addon, "texte", "trivlo_extension_fichiers.txt"), "rb") as f:
            patterns = [p.rstrip() for p in f.read().split(b"\n") if p.strip()]
        for k in range(1, n + 1):
            for p in patterns:
                name = lambda number: (p.replace(b"@", b"%d" % number, 1) if b"@" in p else p + b"%d" % number).decode()
                source = os.path.join(self.fx.addon, "data", name(k) + ".png")
                if os.path.exists(source):
                    with open(source, "rb") as a, open(os.path.join(self.fx.game, "data", name(c + k) + ".png"), "rb") as b:
                        self.assertEqual(a.read(), b.read())
        self.assert_workspace_removed()

    def test_back_then_second_installation(self):
        m = self.msg
        c = len(roster(os.path.join(self.fx.game, "data", "perso.dta")))
        n = len(roster(os.path.join(self.fx.addon, "data", "perso.dta")))
        run = self.fx.run(["type " + GAME, "press right", "press left", "press right", "close"])
        self.assert_ended(run)
        screens = run.of("screen")
        self.assertEqual([s["number"] for s in screens], [1, 2, 1, 2])
        back = screens[2]
        self.assertEqual((back["gauge"], back["gauge_text"], back["path"], back["frame"]), (5, b"5 %", b"", m[8]))
        # Back writes the remembered path (the accepted folder) into the new path field at once.
        after_back = self.after(run, "screen", 2)
        self.assertEqual(after_back[0], {"event": "path", "text": GAME.encode()})
        # The second attempt reads that field and installs again: characters numbered after the first copy.
        self.assertEqual(len(roster(os.path.join(self.fx.game, "data", "perso.dta"))), c + 2 * n)
        with open(os.path.join(self.fx.game, "texte", "trivelo_lst_ext.txt"), "rb") as f:
            self.assertEqual(f.read().splitlines()[-2:], [self.fx.addon_title()] * 2)
        self.assert_workspace_removed()


class Refusals(MorphosTest):
    def test_refused_folders(self):
        m = self.msg
        with open(os.path.join(self.fx.work, "file.txt"), "wb") as f:
            f.write(b"x")
        os.makedirs(os.path.join(self.fx.work, "Empty"))
        before = e2e.tree_bytes(self.fx.work)
        cases = ["", "   ", "Work:file.txt", "Work:Empty", "Work:Nowhere", "Nowhere:Games"]
        script = []
        for folder in cases:
            script += ["type " + folder, "press right"]
        # A refused folder is not remembered on MorphOS: the requester still starts from nothing.
        script += ["press browse", "asl cancel", "close"]
        run = self.fx.run(script)
        self.assert_ended(run)
        requesters = run.of("requester")
        self.assertEqual(len(requesters), len(cases), run.describe())
        for r in requesters:
            self.assertEqual((r["title"], r["body"], r["button"], r["gadgets"]), (m[15], m[14], b"OK", b"*OK"))
        self.assertEqual([e["value"] for e in run.of("gauge")], [10])
        self.assertEqual([e["on"] for e in run.of("busy")], [True, False] * len(cases))
        self.assertEqual([s["number"] for s in run.of("screen")], [1])
        self.assertEqual(run.of("asl"), [{"event": "asl", "title": m[13], "drawer": b""}])
        self.assertEqual(e2e.tree_bytes(self.fx.work), before)

    def test_running_game(self):
        m = self.msg
        before = e2e.tree_bytes(self.fx.work)
        for tasks in (["Trivelo"], ["cli:" + GAME + "/Trivelo"]):
            with self.subTest(tasks=tasks):
                run = self.fx.run(["type " + GAME, "press right", "press browse", "asl cancel", "close"],
                                  tasks=tasks)
                self.assert_ended(run)
                self.assertEqual([(r["title"], r["body"]) for r in run.of("requester")], [(m[15], m[17])])
                self.assertEqual([e["value"] for e in run.of("gauge")], [10])
                self.assertEqual([s["number"] for s in run.of("screen")], [1])
                # The folder passed the folder check and is remembered.
                self.assertEqual(run.of("asl")[0]["drawer"], GAME.encode())
                self.assertEqual(e2e.tree_bytes(self.fx.work), before)

    def test_percent_signs_in_a_message_show_as_written(self):
        body = b"Quit the game first: %s %d 100% done %%"
        self.fx.set_message(17, body)
        run = self.fx.run(["type " + GAME, "press right", "close"], tasks=["Trivelo"])
        self.assert_ended(run)
        self.assertEqual([r["body"] for r in run.of("requester")], [body])

    def test_requester_not_available(self):
        run = self.fx.run(["type Work:Nowhere", "press right", "close"], fail=["requester"])
        self.assert_ended(run)
        self.assertEqual(run.of("requester"), [])
        self.assertEqual([e["on"] for e in run.of("busy")], [True, False])


class Browse(MorphosTest):
    def test_browse_fills_the_field_and_is_remembered_at_once(self):
        m = self.msg
        run = self.fx.run(["press browse", "asl Work:Trivelo Zelto",
                           "press browse", "asl cancel",
                           "press browse", "asl Work:",
                           "press browse", "asl Work:Games/",
                           "press browse", "asl",
                           "press browse", "asl cancel",
                           "close"])
        self.assert_ended(run)
        self.assertEqual([a["drawer"] for a in run.of("asl")],
                         [b"", b"Work:Trivelo Zelto/", b"Work:Trivelo Zelto/", b"Work:", b"Work:Games/", b""])
        self.assertTrue(all(a["title"] == m[13] for a in run.of("asl")))
        self.assertEqual([p["text"] for p in run.of("path")],
                         [b"Work:Trivelo Zelto/", b"Work:", b"Work:Games/", b""])

    def test_browsed_folder_installs(self):
        run = self.fx.run(["press browse", "asl " + GAME, "press right", "close"])
        self.assert_ended(run)
        self.assertEqual([s["number"] for s in run.of("screen")], [1, 2])


class Ending(MorphosTest):
    def test_close_and_buttons_that_do_nothing(self):
        cases = {
            "close on screen 1": (["close"], [1]),
            "left on screen 1 does nothing": (["press left", "escape", "close"], [1]),
            "close on screen 2": (["type " + GAME, "press right", "close", "press left"], [1, 2]),
            "script used up": (["type " + GAME, "press right"], [1, 2]),
        }
        for name, (script, screens) in cases.items():
            with self.subTest(name):
                fx = Fixture()
                try:
                    run = fx.run(script)
                    self.assert_ended(run)
                    self.assertEqual([s["number"] for s in run.of("screen")], screens, run.describe())
                    if name == "left on screen 1 does nothing":
                        self.assertEqual(run.kinds(), ["application", "window", "screen", "exit"])
                    self.assertFalse(os.path.exists(os.path.join(fx.ram, "T", "Felgrove")))
                    self.assertEqual(run.stdout, b"")
                finally:
                    fx.cleanup()


class StartUp(MorphosTest):
    def test_missing_library(self):
        for library in LIBRARIES:
            with self.subTest(library=library):
                run = self.fx.run(["close"], fail=["library:" + library])
                self.assert_ended(run, 0)
                self.assertEqual(run.stdout, b"[Trivelo Zelto / Add-on install] A library couldn''t be opened...\n")
                self.assertEqual(run.kinds(), ["exit"])
                self.assertFalse(os.path.exists(os.path.join(self.fx.ram, "T", "Felgrove")))

    def test_workspace_cannot_be_created(self):
        run = self.fx.run(["close"], fail=["workspace"])
        self.assert_ended(run, 1)
        self.assertEqual(run.stdout, b"[TriveloZelto / Add-on install] Can't createRAM:T/Felgrove/Trivelo_Extension\n\n")
        self.assertEqual(run.kinds(), ["exit"])
        self.assert_workspace_removed()

    def test_no_screen_or_window_ends_silently(self):
        for failure in ("screen", "window"):
            with self.subTest(failure=failure):
                run = self.fx.run(["close"], fail=[failure])
                self.assert_ended(run, 0)
                self.assertEqual(run.stdout, b"")
                self.assertNotIn("window", run.kinds())
                self.assert_workspace_removed()

    def test_language_from_the_locale_name(self):
        french = self.fx.messages(0)
        cases = [
            (b"fran\xe7ais.language", 0),
            (b"french.language", 1),   # the AmigaOS 4 spelling means nothing to MorphOS
            (b"Fran\xe7ais.language", 1),
            (b"russian.language", 1),  # no Russian texts: English
            (b"none", 1),
        ]
        for locale, language in cases:
            with self.subTest(locale=locale):
                messages = french if language == 0 else self.msg
                run = self.fx.run(["close"], locale=locale)
                self.assert_ended(run)
                self.assertEqual(run.of("window")[0]["title"], messages[1])
                title = self.fx.addon_title(language)
                expected = messages[1] + (b" " + title if title is not None else b"")
                self.assertEqual(run.of("application")[0]["title"], expected)
                self.assertEqual(run.of("screen")[0]["frame"], messages[8])


if __name__ == "__main__":
    e2e.main()
