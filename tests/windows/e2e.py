#!/usr/bin/env python3
"""End-to-end scenarios of the Windows installer under Wine, on a virtual display.

Each scenario copies the sample add-on and the sample game afresh, starts the installer in the
add-on's copy as a player would, and drives it from outside with our automation program (a Win32
console program run under the same Wine). Afterwards the game's files are checked.

    e2e.py --installer EXE --automation EXE --roster-dump EXE --work DIR [--examples DIR]
           [--only NAME ...] [--screenshots DIR]

Without a display it runs itself under xvfb-run. Exit code 77 means "skipped": this machine can
run the build's programs only through a slow emulator (32-bit code without native support).
"""
import argparse
import os
import shutil
import struct
import subprocess
import sys
import time

SCREEN1_CONTROLS = 13  # logo, panel, 3 information lines, label, field, browse, frame, row, 2 buttons, gauge
SCREEN2_CONTROLS = 8   # logo, panel, done line, frame, row, 2 buttons, gauge


def fail(message):
    print("FAIL: " + message, flush=True)
    sys.exit(1)


def pe_machine(path):
    with open(path, "rb") as f:
        data = f.read(4096)
    offset = struct.unpack_from("<I", data, 0x3C)[0]
    if data[offset:offset + 4] != b"PE\0\0":
        fail(path + " is not a Windows program")
    machine = struct.unpack_from("<H", data, offset + 4)[0]
    return {0x14C: "i386", 0x8664: "amd64"}.get(machine, hex(machine))


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def escape(data):
    """Bytes as a line of the automation script."""
    out = []
    for b in data:
        if 0x20 <= b < 0x7F and b != 0x5C:
            out.append(chr(b))
        else:
            out.append("\\x%02X" % b)
    return "".join(out)


def field_number(field):
    """A number field read as atoi does: blanks, a sign, digits; nothing gives 0."""
    text = field.lstrip(b" \t\r\n\v\f")
    sign = 1
    if text[:1] in (b"+", b"-"):
        sign = -1 if text[:1] == b"-" else 1
        text = text[1:]
    digits = b""
    for b in text:
        if 0x30 <= b <= 0x39:
            digits += bytes([b])
        else:
            break
    return sign * int(digits) if digits else 0


def read_lines(path):
    with open(path, "rb") as f:
        data = f.read()
    return data.replace(b"\r\n", b"\n").replace(b"\r", b"\n").split(b"\n")[:-1] if data else []


class Addon:
    """The texts of an add-on folder for one language."""

    def __init__(self, folder, language):
        self.messages = [b""]
        for line in read_lines(os.path.join(folder, "texte", "trivelo_extension.msg")):
            if field_number(line[0:2]) != language:
                continue
            length = field_number(line[6:9])
            self.messages.append(line[9:9 + max(length, 0)])
        self.title = None
        for line in read_lines(os.path.join(folder, "texte", "trivelo_avatars.msg")):
            if field_number(line[0:2]) == language:
                self.title = line.rstrip(bytes(range(0, 33)))[9:]
                break
        self.patterns = [p.rstrip(bytes(range(0, 33)))
                         for p in read_lines(os.path.join(folder, "texte", "trivlo_extension_fichiers.txt"))]

    def msg(self, n):
        return self.messages[n] if n < len(self.messages) else b""

    def window_title(self):
        return self.msg(1) + (b" " + self.title if self.title is not None else b"")


def avatar_name(pattern, number):
    at = pattern.find(b"@")
    digits = str(number).encode()
    return pattern + digits if at < 0 else pattern[:at] + digits + pattern[at + 1:]


class Wine:
    """Runs Windows programs through scripts/wine-run, in one prefix."""

    def __init__(self, wine_run, prefix):
        self.prefix = prefix
        self.command = [wine_run, "--prefix", prefix]
        self.env = dict(os.environ)

    def run(self, program, *arguments):
        return self.command + [program] + list(arguments)

    def finish(self):
        subprocess.run(self.command + ["--stop"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class Runner:
    def __init__(self, args, wine):
        self.args = args
        self.wine = wine
        self.examples = args.examples
        self.screenshots = args.screenshots
        os.makedirs(self.screenshots, exist_ok=True)
        self.failures = []
        self.passed = 0

    def fresh_copy(self, name):
        run = os.path.join(self.args.work, "run", name)
        shutil.rmtree(run, ignore_errors=True)
        shutil.copytree(os.path.join(self.examples, "addon"), os.path.join(run, "addon"))
        shutil.copytree(os.path.join(self.examples, "game"), os.path.join(run, "game"))
        os.makedirs(os.path.join(run, "addon", "temp"), exist_ok=True)
        os.makedirs(os.path.join(run, "sync"), exist_ok=True)
        return run

    def mark(self, what):
        print("  %6.1f s  %s" % (time.time() - self.started, what), flush=True)

    def roster(self, path):
        done = subprocess.run(self.wine.run(self.args.roster_dump, windows_path(path)), env=self.wine.env,
                              stdin=subprocess.DEVNULL, capture_output=True, timeout=300)
        self.mark("roster " + os.path.basename(os.path.dirname(os.path.dirname(path))))
        if done.returncode != 0:
            raise AssertionError("cannot read the roster " + path + ": " + done.stderr.decode(errors="replace"))
        return read_lines_from_bytes(done.stdout)

    def drive(self, run, steps, locale="C.UTF-8", pauses=None):
        """Runs the installer and the automation script; returns the installer's exit code."""
        pauses = pauses or {}
        problems = []
        env = dict(self.wine.env)
        env["LC_ALL"] = locale
        env["LANG"] = locale
        script = os.path.join(run, "steps.txt")
        sync = os.path.join(run, "sync")
        steps = ["pause " + escape(windows_path(os.path.join(sync, step[6:])).encode()) if step.startswith("pause ") else step
                 for step in steps]
        with open(script, "w", encoding="latin-1", newline="\n") as f:
            f.write("\n".join(steps) + "\n")
        self.mark("start")
        installer = subprocess.Popen(self.wine.run(self.args.installer), cwd=os.path.join(run, "addon"), env=env,
                                     stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        log_path = os.path.join(run, "automation.log")
        with open(log_path, "wb") as log:
            automation = subprocess.Popen(self.wine.run(self.args.automation, windows_path(script)), cwd=run,
                                          env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT)
            deadline = time.time() + 600
            while automation.poll() is None:
                if time.time() > deadline:
                    automation.kill()
                    break
                for name in os.listdir(os.path.join(run, "sync")):
                    if not name.endswith(".ready"):
                        continue
                    point = name[:-len(".ready")]
                    os.remove(os.path.join(run, "sync", name))
                    action = pauses.get(point)
                    if action is not None:
                        try:
                            action()
                        except AssertionError as error:
                            problems.append(str(error))
                    with open(os.path.join(run, "sync", point + ".done"), "w") as done:
                        done.write("done\n")
                time.sleep(0.2)
        self.mark("automation ended")
        with open(log_path, "rb") as log:
            output = log.read().decode("latin-1")
        try:
            code = installer.wait(timeout=60)
        except subprocess.TimeoutExpired:
            installer.kill()
            code = None
        self.mark("installer ended")
        if automation.returncode != 0:
            raise AssertionError("automation failed:\n" + output)
        if problems:
            raise AssertionError("\n".join(problems))
        if code is None:
            raise AssertionError("the installer did not end:\n" + output)
        return code, output

    def screenshot(self, name):
        def take():
            path = os.path.join(self.screenshots, name + ".png")
            subprocess.run(["import", "-window", "root", path], check=False, timeout=60)
            print("  screenshot " + path, flush=True)
        return take

    def scenario(self, name, function):
        if self.args.only and name not in self.args.only:
            return
        print("[ RUN  ] " + name, flush=True)
        started = self.started = time.time()
        try:
            function()
        except AssertionError as error:
            self.failures.append(name)
            print(str(error), flush=True)
            print("[ FAIL ] %s (%.0f s)" % (name, time.time() - started), flush=True)
            return
        self.passed += 1
        print("[  OK  ] %s (%.0f s)" % (name, time.time() - started), flush=True)


def read_lines_from_bytes(data):
    return data.replace(b"\r\n", b"\n").replace(b"\r", b"\n").split(b"\n")[:-1] if data else []


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def snapshot(folder):
    """Every file of a folder with its bytes."""
    files = {}
    for root, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(root, name)
            with open(path, "rb") as f:
                files[os.path.relpath(path, folder)] = f.read()
    return files


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--installer", required=True)
    parser.add_argument("--automation", required=True)
    parser.add_argument("--roster-dump", required=True)
    parser.add_argument("--tool", help="the Windows build of the trivelo command line: its install is "
                                       "compared byte for byte with the installer's")
    parser.add_argument("--work", required=True)
    parser.add_argument("--examples", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                                           "examples"))
    parser.add_argument("--screenshots")
    parser.add_argument("--prefix", help="Wine prefix (default: WORK/wine-prefix)")
    parser.add_argument("--only", nargs="*")
    args = parser.parse_args()
    args.work = os.path.abspath(args.work)
    args.installer = os.path.abspath(args.installer)
    args.automation = os.path.abspath(args.automation)
    args.roster_dump = os.path.abspath(args.roster_dump)
    args.tool = os.path.abspath(args.tool) if args.tool else None
    args.examples = os.path.abspath(args.examples)
    args.screenshots = os.path.abspath(args.screenshots or os.path.join(args.work, "screenshots"))
    for path in (args.installer, args.automation, args.roster_dump):
        if not os.path.exists(path):
            fail("missing " + path)
    if not os.path.isdir(os.path.join(args.examples, "addon")) or not os.path.isdir(os.path.join(args.examples, "game")):
        print("SKIP: no sample add-on and game under " + args.examples)
        sys.exit(77)

    machine = pe_machine(args.installer)
    if not os.path.exists("/usr/lib/wine/wine64" if machine == "amd64" else "/usr/lib/wine/wine") or \
            shutil.which("xvfb-run") is None:
        print("SKIP: Wine or xvfb-run is missing (scripts/setup.sh installs them)")
        sys.exit(77)
    if not os.environ.get("DISPLAY"):
        # A virtual display for the whole run.
        os.execvp("xvfb-run", ["xvfb-run", "-a", "-s", "-screen 0 1024x768x24", sys.executable] + sys.argv)

    here = os.path.dirname(os.path.abspath(__file__))
    wine = Wine(os.path.join(here, "..", "..", "scripts", "wine-run"),
                os.path.abspath(args.prefix or os.path.join(args.work, "wine-prefix")))
    runner = Runner(args, wine)
    try:
        run_scenarios(runner)
    finally:
        wine.finish()
    print("%d passed, %d failed" % (runner.passed, len(runner.failures)))
    sys.exit(1 if runner.failures else 0)


def have_locale(name):
    listed = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.lower().split()
    return name.lower().replace("utf-8", "utf8") in listed


def run_scenarios(r):
    english = Addon(os.path.join(r.examples, "addon"), 1)
    m = english.msg
    title = escape(english.window_title())
    t = lambda n: escape(m(n))

    def check_installed(run, game_before, addon_roster, installs=1):
        game = os.path.join(run, "game")
        addon = os.path.join(run, "addon")
        c = len(game_before)
        n = len(addon_roster)
        strip = bytes(range(0, 33))
        want = [line.rstrip(strip) for line in game_before] + [line.rstrip(strip) for line in addon_roster] * installs
        got = r.roster(os.path.join(game, "data", "perso.dta"))
        check(got == want, "game roster after the installation: %d lines, expected %d" % (len(got), len(want)))
        titles = read_lines(os.path.join(game, "texte", "trivelo_lst_ext.txt"))
        check(titles[-installs:] == [english.title] * installs,
              "last lines of the add-on list: %r, expected the title %r" % (titles[-installs:], english.title))
        copied = 0
        for round_ in range(installs):
            for k in range(1, n + 1):
                for pattern in english.patterns:
                    source = os.path.join(addon, "data", avatar_name(pattern, k).decode("latin-1") + ".png")
                    target = os.path.join(game, "data",
                                          avatar_name(pattern, c + round_ * n + k).decode("latin-1") + ".png")
                    if not os.path.exists(source):
                        continue
                    check(os.path.exists(target), "image %s was not copied" % target)
                    with open(source, "rb") as a, open(target, "rb") as b:
                        check(a.read() == b.read(), "image %s differs from its source" % target)
                    copied += 1
        check(copied > 0, "no image was copied")
        left = [name for name in os.listdir(os.path.join(addon, "temp")) if name.lower().startswith("perso")]
        check(not left, "work files left in temp: %r" % left)
        return copied

    # A full installation, the done screen, Back, the folder browser and the close box.
    def install():
        run = r.fresh_copy("install")
        game = os.path.join(run, "game")
        game_path = escape(windows_path(game).encode())
        before = r.roster(os.path.join(game, "data", "perso.dta"))
        addon_roster = r.roster(os.path.join(run, "addon", "data", "perso.dta"))
        code, _ = r.drive(run, [
            "window " + title,
            "client 440 270",
            "gauge 5",
            "controls %d" % SCREEN1_CONTROLS,
            "static " + t(8), "static " + t(4), "static " + t(5), "static " + t(6), "static " + t(7),
            "field ",
            "pause screen1",
            # Tab and Shift+Tab walk the focus through the controls that take it, in creation order.
            "key tab", "focus <edit>",
            "key tab", "focus <browse>",
            "key tab", "focus " + t(2),
            "key tab", "focus " + t(3),
            "key shift-tab", "focus " + t(2),
            # The left button does nothing on screen 1.
            "click " + t(2), "sleep 500", "gauge 5", "static " + t(4),
            "type " + game_path,
            "click " + t(3),
            "static " + t(11),
            "static " + t(37),
            "gauge 100",
            "client 440 215",
            "controls %d" % SCREEN2_CONTROLS,
            "nostatic " + t(4),
            "enabled " + t(2) + " || 1", "enabled " + t(12) + " || 1",
            "pause screen2",
            "click " + t(2),
            "static " + t(4),
            "field " + game_path,
            "gauge 5",
            "client 440 270",
            # The folder browser opens at the remembered folder; confirming it writes that folder
            # with a backslash at its end.
            "browse",
            "folder-browser ok",
            "field " + game_path + "\\\\",
            "close",
            "gone",
        ], pauses={"screen1": r.screenshot("screen1"), "screen2": r.screenshot("screen2")})
        check(code == 0, "exit code %s" % code)
        check_installed(run, before, addon_roster)
        if r.args.tool:
            # The command line installs the same add-on into another fresh copy of the game: the
            # game folders must hold the same bytes.
            other = r.fresh_copy("install_tool")
            env = dict(r.wine.env, LC_ALL="C.UTF-8", LANG="C.UTF-8")
            done = subprocess.run(r.wine.run(r.args.tool, "install", "--game", windows_path(os.path.join(other, "game"))),
                                  cwd=os.path.join(other, "addon"), env=env, stdin=subprocess.DEVNULL,
                                  capture_output=True, timeout=600)
            r.mark("trivelo install")
            check(done.returncode == 0, "trivelo install: exit code %s: %s" %
                  (done.returncode, done.stdout.decode(errors="replace") + done.stderr.decode(errors="replace")))
            gui, tool = snapshot(game), snapshot(os.path.join(other, "game"))
            differ = sorted(name for name in set(gui) | set(tool) if gui.get(name) != tool.get(name))
            check(not differ, "trivelo install and the installer differ in the game folder: %r" % differ[:10])

    # A refused folder keeps screen 1 at 10 and remembers nothing; the right button on the done
    # screen ends the program.
    def refused():
        run = r.fresh_copy("refused")
        game = os.path.join(run, "game")
        game_path = escape(windows_path(game).encode())
        missing = escape(windows_path(os.path.join(run, "no such folder")).encode())
        not_a_game = escape(windows_path(os.path.join(run, "addon")).encode())
        untouched = snapshot(game)

        def unchanged():
            check(snapshot(game) == untouched, "a refused attempt changed the game folder")

        before = r.roster(os.path.join(game, "data", "perso.dta"))
        addon_roster = r.roster(os.path.join(run, "addon", "data", "perso.dta"))
        refusal = "message " + t(15) + " || " + t(14)
        code, _ = r.drive(run, [
            "window " + title,
            "type " + missing, "click " + t(3), refusal,
            "gauge 10", "static " + t(4), "enabled " + t(3) + " || 1", "enabled " + t(2) + " || 1",
            "field " + missing,
            "type ", "click " + t(3), refusal, "gauge 10",
            "type    ", "click " + t(3), refusal,
            "type " + not_a_game, "click " + t(3), refusal,
            "pause refused",
            # A cancelled folder browser leaves the field as it was.
            "browse", "folder-browser cancel", "field " + not_a_game,
            "type " + game_path, "click " + t(3),
            "static " + t(11), "gauge 100",
            "click " + t(12),
            "gone",
        ], pauses={"refused": unchanged})
        check(code == 0, "exit code %s" % code)
        check_installed(run, before, addon_roster)

    # A window titled exactly "Trivelo Zelto" blocks the installation; one with a suffix does not.
    # Escape ends the program.
    def running_game():
        run = r.fresh_copy("running_game")
        game = os.path.join(run, "game")
        game_path = escape(windows_path(game).encode())
        missing = escape(windows_path(os.path.join(run, "no such folder")).encode())
        untouched = snapshot(game)

        def unchanged():
            check(snapshot(game) == untouched, "the installation ran while the game was running")

        before = r.roster(os.path.join(game, "data", "perso.dta"))
        addon_roster = r.roster(os.path.join(run, "addon", "data", "perso.dta"))
        code, _ = r.drive(run, [
            "window " + title,
            "game-window Trivelo Zelto",
            "type " + game_path, "click " + t(3),
            "message " + t(15) + " || " + t(23),
            "gauge 10", "static " + t(4),
            "pause blocked",
            # The blocked folder is remembered; a refused one is not: the folder browser opens at
            # the game folder, and confirming it gives that folder with a backslash.
            "type " + missing, "click " + t(3), "message " + t(15) + " || " + t(14),
            "browse", "folder-browser ok", "field " + game_path + "\\\\",
            "close-game-windows",
            "game-window Trivelo Zelto - Demo",
            "click " + t(3),
            "static " + t(11), "gauge 100",
            "close-game-windows",
            "key escape",
            "gone",
        ], pauses={"blocked": unchanged})
        check(code == 0, "exit code %s" % code)
        check_installed(run, before, addon_roster)

    # Both pictures are needed: a missing or undecodable one ends the program after a message box.
    def picture_failures():
        body = (b"[Trivelo Zelto / Add-on install] Can't add logo image "
                b"(data\\install.png ou data\\file_select.png)!")
        box = "message " + escape(b"[Trivelo Zelto / Add-on install]") + " || " + escape(body)
        for broken, damage in (("file_select.png", None), ("install.png", b"\x89PNG\r\n\x1a\nnot really")):
            run = r.fresh_copy("picture_" + broken.split(".")[0])
            path = os.path.join(run, "addon", "data", broken)
            os.remove(path)
            if damage is not None:
                with open(path, "wb") as f:
                    f.write(damage)
            code, _ = r.drive(run, [box, "sleep 500"])
            check(code == 0, "exit code %s after the picture failure (%s)" % (code, broken))

    def need_locales():
        if not have_locale("fr_BE.UTF-8") or not have_locale("ru_RU.UTF-8"):
            # The locales are generated when missing (this needs root).
            for name in ("fr_BE", "ru_RU"):
                subprocess.run(["localedef", "-i", name, "-f", "UTF-8", name + ".UTF-8"], check=False)
        check(have_locale("fr_BE.UTF-8") and have_locale("ru_RU.UTF-8"), "the locales fr_BE.UTF-8 and ru_RU.UTF-8 are missing")

    # The language comes from the locale: French for fr_BE, with its own title and Latin-1 texts.
    def french():
        need_locales()
        fr = Addon(os.path.join(r.examples, "addon"), 0)
        f = lambda n: escape(fr.msg(n))
        run = r.fresh_copy("french")
        code, _ = r.drive(run, [
            "window " + escape(fr.window_title()),
            "static " + f(4), "static " + f(8),
            "pause french",
            "click " + f(3),
            "message " + f(15) + " || " + f(14),
            "close", "gone",
        ], locale="fr_BE.UTF-8", pauses={"french": r.screenshot("screen1_french")})
        check(code == 0, "exit code %s" % code)

    # Russian is not among the catalogue's languages: English.
    def russian():
        need_locales()
        run = r.fresh_copy("russian")
        code, _ = r.drive(run, ["window " + title, "static " + t(4), "static " + t(8), "close", "gone"],
                          locale="ru_RU.UTF-8")
        check(code == 0, "exit code %s" % code)

    # Escape on screen 1 ends the program.
    def escape_key():
        run = r.fresh_copy("escape")
        code, _ = r.drive(run, ["window " + title, "static " + t(4), "key escape", "gone"])
        check(code == 0, "exit code %s" % code)

    r.scenario("install", install)
    r.scenario("escape", escape_key)
    r.scenario("refused", refused)
    r.scenario("running_game", running_game)
    r.scenario("picture_failures", picture_failures)
    r.scenario("french", french)
    r.scenario("russian", russian)


if __name__ == "__main__":
    main()
