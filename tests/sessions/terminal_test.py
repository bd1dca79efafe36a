#!/usr/bin/env python3
"""symcalc-cli on a pseudo-terminal: line editing, history, completion and
Ctrl+C, typed key by key as a person would; and Ctrl+C when input is a pipe.

Usage: terminal_test.py CLI
"""
import fcntl
import os
import pty
import select
import signal
import subprocess
import sys
import tempfile
import termios
import time

CLI = sys.argv[1]
# cos nested 1,000 deep: differentiating it runs for many seconds and the
# engine checks for a cancel request all along the way.
DEEP = "big:=" + "cos(" * 1000 + "x" + ")" * 1000 + "; 0\n"

# read(2) on x86-64 and on the other 64-bit Linux ports but arm64 and
# riscv64, where it is 63.
READ_SYSCALL = 63 if os.uname().machine in ("aarch64", "riscv64") else 0

passed = 0
failed = 0


def check(description, ok, detail=""):
    global passed, failed
    if ok:
        passed += 1
    else:
        failed += 1
        print(f"FAIL: {description}\n  {detail}", flush=True)


def as_usual():
    """SIGINT as a shell in the foreground hands it on: a test run started in
    the background would otherwise pass on an ignored SIGINT."""
    signal.signal(signal.SIGINT, signal.SIG_DFL)


class Terminal:
    """The CLI with standard input and output on a pseudo-terminal that is its
    controlling terminal (so Ctrl+C raises SIGINT), standard error apart."""

    def __init__(self, *args):
        self.master, self.slave = pty.openpty()
        env = dict(os.environ, TERM="xterm", HOME=tempfile.gettempdir(), EDITRC="/dev/null")
        self.process = subprocess.Popen(
            [CLI, *args], stdin=self.slave, stdout=self.slave, stderr=subprocess.PIPE,
            start_new_session=True, env=env,
            preexec_fn=lambda: (as_usual(), fcntl.ioctl(0, termios.TIOCSCTTY, 0)))

    def wait_for(self, text, seconds=10.0):
        """Reads until `text` has appeared since the last call; returns all
        that was read, with the terminal's line ends made plain."""
        deadline = time.monotonic() + seconds
        seen = b""
        plain = lambda: seen.decode(errors="replace").replace("\r\n", "\n")
        while text not in plain() and time.monotonic() < deadline:
            ready, _, _ = select.select([self.master], [], [], 0.05)
            if ready:
                try:
                    seen += os.read(self.master, 65536)
                except OSError:
                    break
        return plain()

    def type(self, keys, at_prompt=True):
        # Keys typed before the tool waits at the prompt would meet the
        # terminal's line discipline instead of the editor (Ctrl+D would be
        # an end of file, then lost), and a Ctrl+C would find no wait to
        # break off. So wait until a thread of it blocks reading descriptor 0.
        deadline = time.monotonic() + 10
        while at_prompt and not self.reading() and time.monotonic() < deadline:
            time.sleep(0.01)
        os.write(self.master, keys.encode())

    def reading(self):
        tasks = f"/proc/{self.process.pid}/task"
        for task in os.listdir(tasks):
            try:
                with open(f"{tasks}/{task}/syscall") as f:
                    call = f.read().split()
            except OSError:
                continue
            if call[:2] == [str(READ_SYSCALL), "0x0"]:
                return True
        return False

    def wait_until_read(self):
        """Until the CLI has read all that was typed: a Ctrl+C before that
        would drop the typed line instead of stopping it."""
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            pending = fcntl.ioctl(self.slave, termios.FIONREAD, b"\0\0\0\0")
            if int.from_bytes(pending, sys.byteorder) == 0:
                return
            time.sleep(0.01)

    def finish(self):
        self.type("\x04")
        status = self.process.wait(10)
        errors = self.process.stderr.read().decode()
        os.close(self.master)
        os.close(self.slave)
        return status, errors


def editing():
    t = Terminal()
    t.wait_for("> ")
    # Each step: the keys typed, and what must then appear.
    steps = [
        ("a line is evaluated", "6*7\r", "42\n> "),
        ("Up recalls the last line", "\x1b[A\r", "6*7\n42\n> "),
        ("Left moves into the line", "12\x1b[D3\r", "132\n> "),
        ("Tab completes fact to factorial(", "fact\t", "factorial("),
        ("the completed call runs", "5)\r", "120\n> "),
        ("a further Tab offers the next name", "fact\t\t", "factorout("),
        ("Ctrl+U clears the line", "\x15", "> "),
        ("a user variable is defined", "myvalue:=3\r", "3\n> "),
        ("Tab completes a user variable", "myv\t*2\r", "6\n> "),
        ("a user function is defined", "twice(t):=2*t\r", "2*t\n> "),
        ("Tab completes a user function", "twi\t21)\r", "42\n> "),
        ("Ctrl+C at the prompt drops the typed text", "99\x03", "^C\n> "),
        ("the next line does not see it", "1+1\r", "2\n> "),
    ]
    for description, keys, expected in steps:
        t.type(keys)
        shown = t.wait_for(expected)
        check(description, expected in shown, f"typed {keys!r}, screen {shown!r}")
    status, errors = t.finish()
    check("Ctrl+D ends the session with status 0", status == 0 and errors == "",
          f"status {status}, stderr {errors!r}")


def interrupt_on_terminal(*options):
    with tempfile.NamedTemporaryFile("w", suffix=".sc") as deep:
        deep.write(DEEP)
        deep.flush()
        t = Terminal(*options, deep.name, "-")
        t.wait_for("0\n> ")
        t.type("y:=1\r")
        t.wait_for("1\n> ")
        t.type("7; y:=2; d:=diff(big,x); 8\r")
        t.wait_until_read()
        time.sleep(0.3)
        started = time.monotonic()
        t.type("\x03", at_prompt=False)
        shown = t.wait_for("^C\n7\n2\n> ")
        label = " ".join(options) or "editing"
        check(f"[{label}] Ctrl+C stops the line, the completed pieces print, the prompt returns",
              shown.endswith("^C\n7\n2\n> ") and time.monotonic() - started < 5, repr(shown))
        t.type("ans; y; d\r")
        shown = t.wait_for("d\n> ")
        check(f"[{label}] the stopped piece left no trace", shown.endswith("2\n2\nd\n> "), repr(shown))
        status, errors = t.finish()
        check(f"[{label}] 'interrupted' goes to standard error", errors == "interrupted\n",
              repr(errors))
        check(f"[{label}] the session ends normally", status == 0, str(status))


def interrupt_on_pipe():
    with tempfile.NamedTemporaryFile("w", suffix=".sc") as deep:
        deep.write(DEEP)
        deep.flush()
        process = subprocess.Popen([CLI, deep.name, "-"], stdin=subprocess.PIPE,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                   preexec_fn=as_usual)
        try:
            process.stdin.write(b"diff(big,x)\n")
            process.stdin.flush()
        except BrokenPipeError:
            pass  # the tool has already ended: the check below says so
        time.sleep(0.5)
        process.send_signal(signal.SIGINT)
        status = process.wait(10)
        check("Ctrl+C ends the tool when input is a pipe (status 130 in a shell)",
              status == -signal.SIGINT, str(status))


def no_edit():
    t = Terminal("--no-edit")
    t.wait_for("> ")
    t.type("6*7\n")
    shown = t.wait_for("42\n> ")
    check("--no-edit keeps the prompt", shown.endswith("42\n> "), repr(shown))
    t.type("\t\n")
    shown = t.wait_for("> ")
    check("--no-edit completes nothing", "factorial" not in shown and "\x1b" not in shown,
          repr(shown))
    t.type("99\x03")
    shown = t.wait_for("^C\n> ")
    check("--no-edit: Ctrl+C at the prompt gives a fresh prompt", shown.endswith("^C\n> "),
          repr(shown))
    t.type("1+1\n")
    shown = t.wait_for("2\n> ")
    check("--no-edit: the next line does not see the dropped text", shown.endswith("\n2\n> "),
          repr(shown))
    t.finish()


editing()
interrupt_on_terminal()
interrupt_on_terminal("--no-edit")
interrupt_on_pipe()
no_edit()
print(f"{passed} passed, {failed} failed", flush=True)
sys.exit(1 if failed else 0)
