"""End-to-end tests of Trivelo_Extension, the AmigaOS 4 program, run as a user starts it: from a copy
of the sample add-on's folder, with the volume Work: holding a fresh copy of the sample game and the
user's actions taken from a script. What the user saw comes back from the harness transcript.

Run through CTest, or by hand:
    python3 test_amigaos4_e2e.py --program build/amigaos4/Trivelo_Extension --source-dir .
"""

import os
import shutil
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import amiga_e2e_support as e2e  # noqa: E402

APP_IDENTIFIER = "TriveloZelto.felgrove.com"
ENGLISH = 1


def field(line, start, width):
    """A decimal field of a catalogue line read as atoi does (1-based start)."""
    raw = line[start - 1:start - 1 + width].lstrip(b" \t")
    sign = 1
    if raw[:1] in (b"+", b"-"):
        sign = -1 if raw[:1] == b"-" else 1
        raw = raw[1:]
    digits = b""
    for c in raw:
        if 48 <= c <= 57:
            digits += bytes([c])
        else:
            break
    return sign * int(digits) if digits else 0


def catalogue(addon, language):
    """The messages of one language as the Amiga programs read them (index 0 unused)."""
    with open(os.path.join(addon, "texte", "trivelo_extension.msg"), "rb") as f:
        data = f.read()
    messages = [b""]
    for line in data.splitlines(keepends=True):
        if field(line, 1, 2) != language:
            continue
        messages.append(line[9:9 + field(line, 7, 3)])
    return messages


BLANKS = bytes(range(0x21))


def lines(path):
    """The lines of a text file as the installer loads them: without trailing blanks (bytes up to
    0x20, the line end included)."""
    with open(path, "rb") as f:
        return [l.rstrip(BLANKS) for l in f.read().split(b"\n") if l.rstrip(BLANKS) != b""]


def roster(path):
    """The lines of a scrambled roster, unscrambled and loaded the same way."""
    with open(path, "rb") as f:
        return [l.rstrip(BLANKS) for l in e2e.scramble(f.read()).split(b"\n") if l.rstrip(BLANKS) != b""]


class Fixture(unittest.TestCase):
    """A fresh add-on folder (working directory), a fresh game under Work:game and a RAM: folder."""

    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="os4-e2e-")
        self.addCleanup(shutil.rmtree, self.root, True)
        examples = os.path.join(e2e.SOURCE_DIR, "examples")
        if not os.path.isdir(os.path.join(examples, "addon")) or not os.path.isdir(os.path.join(examples, "game")):
            self.skipTest("no sample add-on and game in " + examples)
        self.addon = e2e.fresh_copy(os.path.join(examples, "addon"), os.path.join(self.root, "addon"))
        self.work = os.path.join(self.root, "work")
        os.mkdir(self.work)
        self.game = e2e.fresh_copy(os.path.join(examples, "game"), os.path.join(self.work, "game"))
        self.ram = os.path.join(self.root, "ram")
        os.mkdir(self.ram)
        self.msg = catalogue(self.addon, ENGLISH)

    def run_program(self, script=(), **kwargs):
        kwargs.setdefault("volumes", {"Work": self.work, "RAM": self.ram})
        return e2e.run_program(self.addon, script=script, **kwargs)

    def screens(self, run):
        return run.of("screen")

    def assertScreen1(self, screen, msg):
        self.assertEqual(screen["number"], 1)
        self.assertEqual(screen["frame"], msg[8])
        self.assertEqual(screen["text"], msg[4] + b"\n")
        self.assertEqual(screen["label"], msg[7])
        self.assertEqual(screen["left"], msg[2])
        self.assertEqual(screen["right"], msg[3])
        self.assertFalse(screen["left_enabled"])
        self.assertEqual(screen["gauge"], 5)
        self.assertEqual(screen["path"], b"")
        self.assertEqual(screen["groups"], 2)

    def assertScreen2(self, screen, msg):
        self.assertEqual(screen["number"], 2)
        self.assertEqual(screen["frame"], msg[10])
        self.assertEqual(screen["text"], b"\n" + msg[11] + b"\n")
        self.assertEqual(screen["left"], msg[2])
        self.assertEqual(screen["right"], msg[12])
        self.assertTrue(screen["left_enabled"])
        self.assertEqual(screen["gauge"], 100)
        self.assertEqual(screen["groups"], 2)


class Installation(Fixture):

    def test_full_installation(self):
        before_roster = roster(os.path.join(self.game, "data", "perso.dta"))
        addon_roster = roster(os.path.join(self.addon, "data", "perso.dta"))
        patterns = lines(os.path.join(self.addon, "texte", "trivlo_extension_fichiers.txt"))
        registered_before = lines(os.path.join(self.game, "texte", "trivelo_lst_ext.txt"))
        c, n = len(before_roster), len(addon_roster)
        self.assertGreater(n, 0)

        run = self.run_program(["press browse", "asl Work:game|", "press right"])
        self.assertEqual(run.returncode, 0, run.describe())
        self.assertEqual(run.exit_code(), 0)
        self.assertEqual(run.stdout, b"")

        # Window title: message 1, a space and the add-on's English title.
        titles = [l[9:] for l in lines(os.path.join(self.addon, "texte", "trivelo_avatars.msg"))
                  if field(l, 1, 2) == ENGLISH]
        self.assertEqual(run.of("window"), [{"event": "window", "title": self.msg[1] + b" " + titles[0]}])

        screens = self.screens(run)
        self.assertEqual(len(screens), 2, run.describe())
        self.assertScreen1(screens[0], self.msg)
        self.assertTrue(screens[0]["logo"])
        self.assertScreen2(screens[1], self.msg)

        # The first folder requester starts in the add-on's folder (no remembered path yet).
        self.assertEqual(run.of("asl"), [{"event": "asl", "title": self.msg[13], "drawer": b""}])
        self.assertEqual(run.of("path"), [{"event": "path", "text": b"Work:game/"}])

        step = 70 // n
        expected = [10, 15, 20, 25, 30] + [30 + k * step for k in range(1, n + 1)]
        self.assertEqual([g["value"] for g in run.of("gauge")], expected)
        self.assertEqual([b["on"] for b in run.of("busy")], [True, False])
        # The gauge is drawn before the installation returns, the done screen after it.
        kinds = run.kinds()
        self.assertLess(max(i for i, k in enumerate(kinds) if k == "gauge"),
                        kinds.index("screen", kinds.index("busy")))

        # The game: title registered once more, roster merged, images numbered after the game's.
        self.assertEqual(lines(os.path.join(self.game, "texte", "trivelo_lst_ext.txt")),
                         registered_before + [titles[0]])
        self.assertEqual(roster(os.path.join(self.game, "data", "perso.dta")), before_roster + addon_roster)
        for k in range(1, n + 1):
            for pattern in patterns:
                at = pattern.find(b"@")
                name = (lambda num: pattern + num if at < 0 else pattern[:at] + num + pattern[at + 1:])
                with open(os.path.join(self.addon, "data", (name(b"%d" % k) + b".png").decode()), "rb") as f:
                    source = f.read()
                with open(os.path.join(self.game, "data", (name(b"%d" % (c + k)) + b".png").decode()), "rb") as f:
                    self.assertEqual(f.read(), source)
        # The workspace is gone with the program.
        self.assertFalse(os.path.exists(os.path.join(self.ram, "T", "Felgrove")))

    def test_back_then_second_installation(self):
        c = len(roster(os.path.join(self.game, "data", "perso.dta")))
        n = len(roster(os.path.join(self.addon, "data", "perso.dta")))
        run = self.run_program(["type Work:game", "press right", "press left", "press right", "close"])
        self.assertEqual(run.returncode, 0, run.describe())
        screens = self.screens(run)
        self.assertEqual([s["number"] for s in screens], [1, 2, 1, 2], run.describe())
        # Back: screen 1 again with the gauge at 5, then the remembered path in the path field.
        self.assertScreen1(screens[2], self.msg)
        self.assertEqual(run.of("path"), [{"event": "path", "text": b"Work:game"}])
        self.assertEqual(len(roster(os.path.join(self.game, "data", "perso.dta"))), c + 2 * n)


class Refusals(Fixture):

    def test_refused_folder_is_remembered_for_the_next_requester(self):
        before = e2e.tree_bytes(self.game)
        run = self.run_program(["type Work:nothing", "press right", "press browse", "asl cancel"])
        self.assertEqual(run.returncode, 0, run.describe())
        self.assertEqual(run.of("requester"),
                         [{"event": "requester", "title": self.msg[15], "body": self.msg[14], "button": b"Ok"}])
        self.assertEqual([g["value"] for g in run.of("gauge")], [10])
        self.assertEqual([b["on"] for b in run.of("busy")], [True, False])
        self.assertEqual([s["number"] for s in self.screens(run)], [1])
        # The cancelled requester started at the refused folder and changed nothing.
        self.assertEqual(run.of("asl"), [{"event": "asl", "title": self.msg[13], "drawer": b"Work:nothing"}])
        self.assertEqual(run.of("path"), [])
        self.assertEqual(e2e.tree_bytes(self.game), before)

    def test_running_game(self):
        before = e2e.tree_bytes(self.game)
        run = self.run_program(["type Work:game", "press right"], apps=[APP_IDENTIFIER])
        self.assertEqual(run.returncode, 0, run.describe())
        self.assertEqual(run.of("requester"),
                         [{"event": "requester", "title": self.msg[15], "body": self.msg[23], "button": b"Ok"}])
        self.assertEqual([g["value"] for g in run.of("gauge")], [10])
        self.assertEqual([s["number"] for s in self.screens(run)], [1])
        self.assertEqual(e2e.tree_bytes(self.game), before)

    def test_requester_that_cannot_be_made_writes_to_the_console(self):
        # A percent sign in the message is printed as it is, never read as a format.
        path = os.path.join(self.addon, "texte", "trivelo_extension.msg")
        with open(path, "rb") as f:
            data = f.read().splitlines(keepends=True)
        english = [i for i, l in enumerate(data) if field(l, 1, 2) == ENGLISH]
        body = b"Game running: 100% sure %s %d %n."
        data[english[22]] = b"01    %03d" % len(body) + body + b"\n"
        with open(path, "wb") as f:
            f.write(b"".join(data))
        cases = [
            (["type Work:nothing", "press right"], [],
             b"[Trivelo_Extension /Install] Can't open requester. Wrong directory.\n"),
            (["type Work:game", "press right"], [APP_IDENTIFIER],
             b"[Trivelo_Extension] / Install] " + body + b"\n"),
        ]
        for script, apps, line in cases:
            with self.subTest(line=line):
                run = self.run_program(script, apps=apps, fail=["requester"])
                self.assertEqual(run.returncode, 0, run.describe())
                self.assertEqual(run.stdout, line)
                self.assertEqual(run.of("requester"), [])
                self.assertEqual([s["number"] for s in self.screens(run)], [1])


class Ending(Fixture):

    def test_escape_released_and_close_gadget_end_the_program(self):
        to_screen2 = ["type Work:game", "press right"]
        for before in ([], to_screen2):
            for action in ("escape", "close"):
                with self.subTest(screen=2 if before else 1, action=action):
                    shutil.rmtree(self.game)
                    e2e.fresh_copy(os.path.join(e2e.SOURCE_DIR, "examples", "game"), self.game)
                    # Nothing after the action is served: the browse requester never opens.
                    run = self.run_program(before + [action, "press browse", "asl Work:"])
                    self.assertEqual(run.returncode, 0, run.describe())
                    self.assertEqual(run.exit_code(), 0)
                    self.assertEqual(run.of("asl"), [])
                    self.assertEqual(run.kinds()[-1], "exit")
                    self.assertEqual([s["number"] for s in self.screens(run)], [1, 2] if before else [1])

    def test_left_button_is_disabled_on_screen_1_and_return_in_the_path_field_changes_nothing(self):
        run = self.run_program(["press left", "type Work:game", "press browse", "asl cancel"])
        self.assertEqual(run.returncode, 0, run.describe())
        self.assertEqual([s["number"] for s in self.screens(run)], [1])
        self.assertEqual(run.of("busy"), [])
        self.assertEqual(run.of("asl"), [{"event": "asl", "title": self.msg[13], "drawer": b""}])

    def test_missing_logo_leaves_the_logo_control_without_a_face(self):
        os.remove(os.path.join(self.addon, "data", "install.png"))
        run = self.run_program(["close"])
        self.assertEqual(run.returncode, 0, run.describe())
        screens = self.screens(run)
        self.assertEqual(len(screens), 1)
        self.assertFalse(screens[0]["logo"])


class StartupFailures(Fixture):

    def test_failures_before_the_window(self):
        cases = [
            ("library:asl.library", 0, b"[Trivelo_Extension /Install] A library couldn''t be opened...\n"),
            ("library:application.library", 0, b"[Trivelo_Extension /Install] A library couldn''t be opened...\n"),
            ("library:images/glyph.image", 0, b"[Trivelo_Extension /Install] A library couldn''t be opened...\n"),
            ("interface:application", 0,
             b"[Trivelo_Extension /Install] A library interface couldn't be opened...\n"),
            ("interface:requester.class", 0,
             b"[Trivelo_Extension /Install] A library interface couldn't be opened...\n"),
            ("workspace", 1, b"[LexivoZelto] Can't createRAM:T/Felgrove/Trivelo_Extension\n\n"),
            ("screen", 0, b""),
            ("layout", 0, b""),
            ("window-object", 0, b""),
            ("window", 0, b""),
        ]
        for failure, code, stdout in cases:
            with self.subTest(failure=failure):
                run = self.run_program(["press right"], fail=[failure])
                self.assertEqual(run.returncode, code, run.describe())
                self.assertEqual(run.exit_code(), code)
                self.assertEqual(run.stdout, stdout)
                self.assertEqual(run.of("window"), [])
                self.assertEqual(run.of("screen"), [])
                self.assertFalse(os.path.exists(os.path.join(self.ram, "T", "Felgrove", "Trivelo_Extension")))


class CodeSets(Fixture):

    def test_polish_and_greek_locales(self):
        for locale, language, code_set in (("polish.language", 8, 5), ("greek.language", 11, 10)):
            with self.subTest(locale=locale):
                msg = catalogue(self.addon, language)
                run = self.run_program(["type Work:nothing", "press right", "type Work:game", "press right"],
                                       locale=locale, codeset=4)
                self.assertEqual(run.returncode, 0, run.describe())
                if len(msg) > 1:
                    self.assertTrue(run.of("window")[0]["title"].startswith(msg[1]))
                charsets = run.of("charset")
                self.assertEqual({c["value"] for c in charsets}, {code_set}, run.describe())
                objects = [c["object"] for c in charsets]
                self.assertEqual(objects.count(b"window"), 1)
                self.assertEqual(objects.count(b"requester"), 1)
                # The root group, then the content group and button row of each of the two screens.
                self.assertEqual(objects.count(b"layout"), 5)
                self.assertEqual([c["label"] for c in charsets if c["object"] == b"layout"],
                                 [b"", msg[8] if len(msg) > 8 else b"", b"",
                                  msg[10] if len(msg) > 10 else b"", b""])


if __name__ == "__main__":
    e2e.main()
