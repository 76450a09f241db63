#!/usr/bin/env python3
"""talvex-calc at a terminal, through a pseudo-terminal: the banner and the
prompt, editing and history recall with the arrow keys (also in a second
session), ans, quit and Ctrl-D, the banner in Russian, completion with Tab,
control characters shown as escapes on the terminal, and nothing but results
(byte for byte) when the output is redirected. Every wait is bounded.

    interactive.py TALVEX_CALC
"""
import fcntl
import os
import pty
import select
import shutil
import struct
import subprocess
import sys
import tempfile
import termios
import time

CALC = sys.argv[1]
WAIT = 20  # seconds for any one answer; the sanitizer build starts slowly
UP, LEFT = "\x1b[A", "\x1b[D"


class Terminal:
    """talvex-calc with a pseudo-terminal as standard input (and output,
    unless Output is a file)."""

    def __init__(self, env, output=None, args=()):
        self.master, slave = pty.openpty()
        fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", 24, 80, 0, 0))
        self.proc = subprocess.Popen([CALC, *args], stdin=slave, stdout=output or slave, stderr=slave,
                                     env=env, start_new_session=True)
        os.close(slave)
        self.seen = ""

    def expect(self, text):
        """Reads until text has appeared after what earlier calls consumed."""
        deadline = time.monotonic() + WAIT
        while text not in self.seen:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.master], [], [], left)[0]:
                fail(f"waited for {text!r}; the terminal showed {self.seen!r}")
            try:
                chunk = os.read(self.master, 4096)
            except OSError:  # the program ended and closed the terminal
                chunk = b""
            if not chunk:
                fail(f"the terminal closed before {text!r}; it showed {self.seen!r}")
            self.seen += chunk.decode("utf-8", "replace")
        self.seen = self.seen[self.seen.index(text) + len(text):]

    def send(self, keys):
        os.write(self.master, keys.encode())

    def prompt(self):
        """Waits for the prompt and for the line editor to take the terminal
        out of line mode: a Ctrl-D typed before that is the terminal's own
        end of file, which the editor never sees."""
        self.expect("> ")
        deadline = time.monotonic() + WAIT
        while termios.tcgetattr(self.master)[3] & termios.ICANON:
            if time.monotonic() > deadline:
                fail("the line editor never took the terminal")
            time.sleep(0.01)

    def line(self, keys, answer):
        """At the prompt, types keys and Enter and waits for the answer line."""
        self.prompt()
        self.send(keys + "\r")
        self.expect(answer + "\r\n")

    def ends_with(self, status, why):
        """Waits for the end and fails with why unless it ends with status."""
        if self.finish() != status:
            fail(why)

    def finish(self):
        try:
            status = self.proc.wait(WAIT)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            fail("talvex-calc did not end")
        os.close(self.master)
        return status


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def main(state):
    env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "TERM": "xterm", "HOME": state,
           "XDG_STATE_HOME": state + "/xdg", "LANG": "C.UTF-8"}
    for name in ("ASAN_OPTIONS", "UBSAN_OPTIONS"):
        if name in os.environ:
            env[name] = os.environ[name]

    # First session: banner, results, ans, history within the session, editing.
    t = Terminal(env)
    t.expect("Leave with quit, exit or Ctrl-D. The language: man talvex-calc.")
    t.line("6*7", "42")
    t.line("ans+1", "43")
    t.line(UP + UP, "42")                # 6*7 again
    t.line("2+3" + LEFT + LEFT + "1", "24")  # 21+3
    t.line("1/0", "error: position 4: division by zero")
    t.prompt()
    t.send("quit\r")
    t.ends_with(1, "a session with an error must end with status 1")

    history = os.path.join(state, "xdg", "talvex-calc", "history")
    if not os.path.isfile(history):
        fail("no history file at " + history)
    if os.stat(history).st_mode & 0o077:
        fail("the history file is readable by others")

    # Second session: the history of the first, Ctrl-D leaves on a line of its own.
    t = Terminal(env)
    t.line(UP + UP + UP, "24")           # quit, 1/0, 21+3
    t.line("ans*2", "48")
    t.prompt()
    t.send("\x04")
    t.expect("\n")
    t.ends_with(0, "Ctrl-D after successes must end with status 0")

    # exit leaves too; the banner speaks the language of the messages.
    t = Terminal(dict(env, LANG="ru_RU.UTF-8"))
    t.expect("Выход: quit, exit или Ctrl-D. Язык выражений: man talvex-calc.")
    t.prompt()
    t.send("exit\r")
    t.ends_with(0, "exit must end with status 0")

    # Tab completes a name, a second Tab lists the choices; a tab typed
    # after Ctrl-V is a blank. Control characters of results and messages
    # show as escapes.
    t = Terminal(env)
    t.line("sqrt\t16)", "4")
    t.prompt()
    t.send("sq\t\t")
    t.expect("sqr(  sqrt(\r\n")
    t.send("t\t2)\r")
    t.expect("\r\n1.414213562373\r\n")
    t.line("price := 5", "")
    t.line("pr\t*2 + an\t", "11.41421356237")  # price*2 + ans
    t.line("1\x16\t+2", "3")
    t.line('Chr(27)+"]0;x"+Chr(7)', '"\\x1b]0;x\\x07"')
    t.line("\x16\x1b]0;x\x16\x07", 'error: position 1: unknown identifier "\\x1b]0;x\\x07" or bad number format')
    t.prompt()
    t.send("ex\t\tit\r")
    t.expect("exit  exp(\r\n")
    t.ends_with(1, "a session with an error must end with status 1")
    t = Terminal(env, args=["--messages=en", "--\x1b[2J"])
    t.expect("talvex-calc: unrecognized option '--\\x1b[2J'\r\n")
    t.ends_with(2, "a bad option must end with status 2")

    # Output redirected to a file: results only, byte for byte, no banner, no prompt.
    with tempfile.TemporaryFile() as out:
        t = Terminal(env, out)
        # The terminal's own line discipline delivers the lines, then the end.
        t.send("1+1\r2*5\rChr(27)+\"x\"\r\x04")
        status = t.finish()
        out.seek(0)
        written = out.read()
    if written != b'2\n10\n"\x1bx"\n' or status != 0:
        fail(f"redirected output held {written!r} (status {status})")
    print("interactive: all passed")


STATE = tempfile.mkdtemp(prefix="talvex-calc-state-")
try:
    main(STATE)
finally:
    shutil.rmtree(STATE, ignore_errors=True)
