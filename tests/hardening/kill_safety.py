"""Kill-safety of a real installation: the host-built Amiga-family program (MorphOS or AmigaOS 4
deliverable) started as a user starts it, or, with --rules windows, the Windows build of the
trivelo command line (the same installation core and Win32 system layer as the deliverable) under
Wine. The installation is killed with SIGKILL at many moments. After every
kill each file of the game is exactly as before the installation or exactly as after a complete one
(no torn roster or list, no half-written image); the only other files a kill may leave in the game
folder are the installer's own temporary names, which the next run removes, after which the game's
roster is a whole merge again.

    python3 kill_safety.py --program PATH [--rules amiga|windows] [--emulator WORD ...]
                           [--source-dir DIR] [--points N]
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import amiga_e2e_support as e2e  # noqa: E402

# Names a stopped run may leave beside the game's files; the next run removes them.
TEMPORARY = {"texte/trivelo_lst_ext.txt.new", "data/perso.dta.new", "data/trivelo_extension_image.new",
             "texte/trivelo_lst_ext.txt.old", "data/perso.dta.old", "data/trivelo_extension_image.nom"}


def temporary(name):
    """A name a cut installation may leave for the next run to put right: the files written beside
    their targets, the journal of an image replacement, and a file moved aside (".old")."""
    return name in TEMPORARY or name.endswith(".old")

# "amiga" or "windows": which installation runs, and the line ends and game program of its game.
RULES = "amiga"
GAME = ["Game hero %d;quiz;%d" % (k, k * 7) for k in range(1, 13)]
ADDON = ["Knight %d;felgrove;%d" % (k, k * 3) for k in range(1, 8)]


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def make_fixture(root):
    game, addon = os.path.join(root, "game"), os.path.join(root, "addon")
    write(os.path.join(game, "data", "perso.dta"), e2e.scramble("".join(l + "\n" for l in GAME).encode()))
    windows = RULES == "windows"
    write(os.path.join(game, "Trivelo.exe" if windows else "Trivelo"), b"game program")
    end = b"\r\n" if windows else b"\n"
    write(os.path.join(game, "texte", "trivelo_lst_ext.txt"), b"Base game" + end + b"Other add-on" + end)
    for k in range(1, 13):
        write(os.path.join(game, "data", "perso%d_a.png" % k), b"game image %d" % k)
    # An image of the game that the installation replaces.
    write(os.path.join(game, "data", "mini14.png"), b"old game image" * 1000)
    write(os.path.join(addon, "data", "perso.dta"), e2e.scramble("".join(l + "\n" for l in ADDON).encode()))
    write(os.path.join(addon, "texte", "trivlo_extension_fichiers.txt"), b"perso@_a\nmini@\n")
    write(os.path.join(addon, "texte", "trivelo_avatars.msg"), b"01       Knights of Felgrove\n")
    catalogue = b"".join(b"01    %03d%s\r\n" % (len(b"m%d" % n), b"m%d" % n) for n in range(1, 41))
    write(os.path.join(addon, "texte", "trivelo_extension.msg"), catalogue)
    write(os.path.join(addon, "data", "install.png"), b"logo")
    for k in range(1, 8):
        # Images large enough that copying them takes a while, each with its own bytes.
        for pattern in ("perso%d_a", "mini%d"):
            name = pattern % k
            write(os.path.join(addon, "data", name + ".png"), (name.encode() + b"-") * 150000)
    os.makedirs(os.path.join(root, "ram"))
    os.makedirs(os.path.join(addon, "temp"))


def windows_path(path):
    """The path under Wine, whose drive Z: is the host's root."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def start(root, arguments=None):
    if RULES == "windows":
        addon = os.path.join(root, "addon")
        if arguments is None:
            arguments = ["install", "--game", windows_path(os.path.join(root, "game")), "--addon", windows_path(addon)]
        # Its own session, so that the kill reaches the program under Wine and not only its starter.
        return subprocess.Popen(e2e.EMULATOR + [e2e.PROGRAM] + arguments, cwd=addon, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, start_new_session=True)
    env = {k: v for k, v in os.environ.items() if not k.startswith("TRIVELO_AMIGA_")}
    script = os.path.join(root, "script.txt")
    write(script, b"type Work:game\npress right\n")
    env["TRIVELO_AMIGA_SCRIPT"] = script
    env["TRIVELO_AMIGA_VOLUMES"] = "Work=%s;RAM=%s" % (root, os.path.join(root, "ram"))
    return subprocess.Popen(e2e.EMULATOR + [e2e.PROGRAM], cwd=os.path.join(root, "addon"), env=env,
                            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                            start_new_session=True)


def kill(proc):
    try:
        os.killpg(proc.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    proc.communicate()


def roster(root):
    with open(os.path.join(root, "game", "data", "perso.dta"), "rb") as f:
        return e2e.scramble(f.read()).decode().splitlines()


class KillSafety:
    def __init__(self, points):
        self.points = points
        self.base = tempfile.mkdtemp(prefix="kill-safety-")
        self.fixture = os.path.join(self.base, "fixture")
        make_fixture(self.fixture)
        self.before = e2e.tree_bytes(os.path.join(self.fixture, "game"))
        self.failures = []
        self.failed_kills = set()

    def fresh(self, name):
        root = os.path.join(self.base, name)
        shutil.copytree(self.fixture, root)
        return root

    def reference(self):
        root = self.fresh("reference")
        # Under Wine a start alone takes a while: the kills are spread over the time after it.
        self.startup = 0.0
        if RULES == "windows":
            starts = []
            for _ in range(2):
                began = time.monotonic()
                start(root, ["--help"]).communicate(timeout=600)
                starts.append(time.monotonic() - began)
            self.startup = 0.9 * min(starts)
        began = time.monotonic()
        proc = start(root)
        _, err = proc.communicate(timeout=600)
        self.duration = time.monotonic() - began
        if proc.returncode != 0:
            raise SystemExit("the reference installation failed: %r %r" % (proc.returncode, err[-2000:]))
        self.after = e2e.tree_bytes(os.path.join(root, "game"))
        if roster(root) != GAME + ADDON:
            raise SystemExit("the reference installation did not merge the rosters")
        shutil.rmtree(root)

    def check_kill(self, index, delay):
        root = self.fresh("kill%d" % index)
        proc = start(root)
        time.sleep(delay)
        kill(proc)
        now = e2e.tree_bytes(os.path.join(root, "game"))
        problems, leftovers, state = [], [], set()
        for name in sorted(set(now) | set(self.before) | set(self.after)):
            current = now.get(name)
            if temporary(name) and name not in self.before:
                if current is not None:
                    leftovers.append(name)
                continue
            if current == self.before.get(name) and current == self.after.get(name):
                continue
            if current == self.before.get(name):
                state.add("before")
            elif current == self.after.get(name):
                state.add("after")
            elif current is None and (name + ".old") in now:
                leftovers.append(name + " (moved aside)")
            else:
                problems.append("%s is neither as before nor as after (%s bytes)" %
                                (name, "missing" if current is None else len(current)))
        if problems:
            self.failed_kills.add(index)
            self.failures.append("kill %d after %.2f s: %s" % (index, delay, "; ".join(problems)))
        outcome = "/".join(sorted(state)) or "unchanged"
        if leftovers:
            outcome += ", left " + ", ".join(leftovers)
            # The next run removes what the killed one left and installs again.
            proc = start(root)
            _, err = proc.communicate(timeout=600)
            now = e2e.tree_bytes(os.path.join(root, "game"))
            left = sorted(n for n in now if temporary(n) and n not in self.before)
            missing = sorted(n for n in self.before if n not in now)
            left += ["%s (missing)" % n for n in missing]
            lines = roster(root)
            merged = lines in (GAME + ADDON, GAME + ADDON + ADDON)
            if proc.returncode != 0 or left or not merged:
                self.failed_kills.add(index)
                self.failures.append("kill %d: the next run (code %r) left %r; roster of %d lines%s" %
                                     (index, proc.returncode, left, len(lines), "" if merged else " not a merge"))
            else:
                outcome += "; cleaned by the next run"
        print("kill %2d at %.2f s: %s" % (index, delay, outcome), flush=True)
        shutil.rmtree(root, ignore_errors=True)

    def run(self):
        try:
            self.reference()
            print("a whole installation takes %.2f s (%.2f s of it starting the program)" %
                  (self.duration, self.startup), flush=True)
            span = self.duration - self.startup
            for i in range(self.points):
                self.check_kill(i, self.startup + span * (i + 0.5) / self.points)
        finally:
            shutil.rmtree(self.base, ignore_errors=True)
        for f in self.failures:
            print("FAILED " + f)
        failed = len(self.failed_kills)
        print("kill-safety: %d passed, %d failed" % (self.points - failed, failed))
        return 1 if self.failures else 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--emulator", action="append", default=[])
    parser.add_argument("--rules", choices=["amiga", "windows"], default="amiga")
    parser.add_argument("--source-dir")
    parser.add_argument("--points", type=int, default=int(os.environ.get("TRIVELO_KILL_POINTS", "16")))
    args = parser.parse_args()
    e2e.PROGRAM = os.path.abspath(args.program)
    e2e.EMULATOR = [w for w in args.emulator if w]
    global RULES
    RULES = args.rules
    sys.exit(KillSafety(args.points).run())


if __name__ == "__main__":
    main()
