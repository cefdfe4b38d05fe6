"""Runs a host-built Amiga-family program (MorphOS or AmigaOS 4 deliverable) the way a user starts it,
through the stand-in's harness, and reads back what the user would have seen.

The harness is set up only through the environment (TRIVELO_AMIGA_*); the working directory is the
add-on folder. The transcript is one JSON object a line whose texts carry one byte per character
(character n stands for byte n): here every text except the event name comes back as `bytes`, so a
test compares it byte for byte with the catalogue.

Use from a test script:

    import amiga_e2e_support as e2e
    class MyTests(unittest.TestCase): ...
    if __name__ == "__main__":
        e2e.main()          # takes --program PATH [--emulator WORD]... from the command line

The program can run through an emulator (qemu-ppc-static for the big-endian build, wine for the
mingw build); CMake passes it with --emulator.
"""

import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

PROGRAM = None
EMULATOR = []
SOURCE_DIR = None


def text(value):
    """Bytes of a transcript text (one character per byte)."""
    return value.encode("latin-1")


def _decode(value):
    if isinstance(value, str):
        return text(value)
    if isinstance(value, list):
        return [_decode(v) for v in value]
    if isinstance(value, dict):
        return {k: (v if k == "event" else _decode(v)) for k, v in value.items()}
    return value


def parse_transcript(data):
    """Events of a transcript file's bytes, texts as bytes."""
    events = []
    for line in data.decode("ascii").splitlines():
        if line.strip():
            events.append(_decode(json.loads(line)))
    return events


class Run:
    """What one run of the program left: return code, standard output and error, transcript events."""

    def __init__(self, returncode, stdout, stderr, events):
        self.returncode = returncode
        self.stdout = stdout
        self.stderr = stderr
        self.events = events

    def of(self, kind):
        return [e for e in self.events if e["event"] == kind]

    def kinds(self):
        return [e["event"] for e in self.events]

    def exit_code(self):
        exits = self.of("exit")
        return exits[-1]["code"] if exits else None

    def describe(self):
        lines = ["return code %r" % self.returncode, "stdout %r" % self.stdout, "stderr %r" % self.stderr[-2000:]]
        lines += [repr(e) for e in self.events]
        return "\n".join(lines)


def _env_bytes(value):
    if isinstance(value, bytes):
        return value
    return str(value).encode("utf-8")


def run_program(cwd, volumes=None, locale=None, codeset=None, fail=(), apps=(), tasks=(), script=(),
                extra_env=None, timeout=180, program=None):
    """Starts the program in `cwd` with the harness set up as given and waits for it.

    volumes: {"Work": "/host/dir", ...}; locale: bytes or str (None leaves the default); script: lines
    (str or bytes) of user actions; fail, apps, tasks: lists joined with commas.
    """
    program = program or PROGRAM
    work = tempfile.mkdtemp(prefix="amiga-run-")
    try:
        transcript = os.path.join(work, "transcript.jsonl")
        script_file = os.path.join(work, "script.txt")
        with open(script_file, "wb") as f:
            for line in script:
                f.write(_env_bytes(line) + b"\n")
        env = {k: v for k, v in os.environb.items() if not k.startswith(b"TRIVELO_AMIGA_")}
        env[b"WINEDEBUG"] = env.get(b"WINEDEBUG", b"-all")
        env[b"TRIVELO_AMIGA_TRANSCRIPT"] = transcript.encode()
        env[b"TRIVELO_AMIGA_SCRIPT"] = script_file.encode()
        if volumes:
            env[b"TRIVELO_AMIGA_VOLUMES"] = b";".join(
                _env_bytes(name) + b"=" + _env_bytes(path) for name, path in volumes.items())
        if locale is not None:
            env[b"TRIVELO_AMIGA_LOCALE"] = _env_bytes(locale)
        if codeset is not None:
            env[b"TRIVELO_AMIGA_CODESET"] = _env_bytes(codeset)
        if fail:
            env[b"TRIVELO_AMIGA_FAIL"] = b",".join(_env_bytes(f) for f in fail)
        if apps:
            env[b"TRIVELO_AMIGA_APPS"] = b",".join(_env_bytes(a) for a in apps)
        if tasks:
            env[b"TRIVELO_AMIGA_TASKS"] = b",".join(_env_bytes(t) for t in tasks)
        for k, v in (extra_env or {}).items():
            env[_env_bytes(k)] = _env_bytes(v)
        proc = subprocess.run(list(EMULATOR) + [program], cwd=cwd, env=env, stdin=subprocess.DEVNULL,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=timeout)
        data = b""
        if os.path.exists(transcript):
            with open(transcript, "rb") as f:
                data = f.read()
        return Run(proc.returncode, proc.stdout, proc.stderr, parse_transcript(data))
    finally:
        shutil.rmtree(work, ignore_errors=True)


def fresh_copy(source, destination):
    """A fresh copy of a folder tree (the destination must not exist)."""
    shutil.copytree(source, destination)
    return destination


def tree_bytes(root):
    """{relative path: bytes} of every file under root, to compare a folder before and after."""
    result = {}
    for folder, _, files in os.walk(root):
        for name in files:
            path = os.path.join(folder, name)
            with open(path, "rb") as f:
                result[os.path.relpath(path, root).replace(os.sep, "/")] = f.read()
    return result


def scramble(data):
    """The roster transform (its own inverse): byte i becomes NOT(byte XOR key[i mod 118])."""
    key = (b"wpotmebnarlxquvt\xe9tonbrelaxqmewp71oystubor8vemqalot:pyxwenbum<;tayorek<pulmo"
           b"9627580b9e2d8d0e7bxtolymepb09q7w8t6e51mo7p0")
    assert len(key) == 118
    return bytes((~(b ^ key[i % 118])) & 0xFF for i, b in enumerate(data))


def main():
    """Reads --program, --emulator and --source-dir, then runs the unittest cases of __main__."""
    global PROGRAM, EMULATOR, SOURCE_DIR
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--program", required=True)
    parser.add_argument("--emulator", action="append", default=[])
    parser.add_argument("--source-dir")
    args, rest = parser.parse_known_args()
    PROGRAM = os.path.abspath(args.program)
    EMULATOR = [w for w in args.emulator if w]
    SOURCE_DIR = args.source_dir
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
