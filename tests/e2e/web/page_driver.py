"""Headless Chromium driven over the DevTools protocol, and the page served
on the loopback: what the page's tests and its bench share.

The protocol runs over a pair of pipes (--remote-debugging-pipe): each
message is one JSON text ended by a NUL byte, so no socket and no client
library is needed."""
import fcntl
import functools
import http.server
import json
import os
import shutil
import subprocess
import tempfile
import threading
import time

CHROMIUM = shutil.which("chromium") or "/usr/bin/chromium"
WINDOW = (1280, 800)   # the viewport: the picture fits at 8 times
TIMEOUT = 30           # seconds for anything to happen


class Failure(Exception):
    pass


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(folder):
    """Serves folder on 127.0.0.1 at a free port; returns the page's address."""
    handler = functools.partial(QuietHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, "http://127.0.0.1:%d/index.html" % server.server_address[1]


def above_four(fd):
    moved = fcntl.fcntl(fd, fcntl.F_DUPFD_CLOEXEC, 5)
    os.close(fd)
    return moved


class Browser:
    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="pinwick-web-profile.")
        commands_read, self.commands = os.pipe()
        self.replies, replies_write = os.pipe()
        # The browser reads its commands from 3 and writes to 4. A pipe end
        # that already is 3 or 4 would be left close-on-exec by dup2 onto
        # itself, or overwritten by the other's: both ends move above 4 first.
        commands_read, replies_write = above_four(commands_read), above_four(replies_write)

        def pipes_as_three_and_four():
            os.dup2(commands_read, 3)
            os.dup2(replies_write, 4)

        self.process = subprocess.Popen(
            [CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--disable-extensions", "--user-data-dir=" + self.profile, "--remote-debugging-pipe",
             # A Japanese browser: the page then shows the tool's own (Japanese) pictures.
             "--lang=ja", "--accept-lang=ja",
             "--window-size=%d,%d" % WINDOW, "about:blank"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=pipes_as_three_and_four, close_fds=False)
        os.close(commands_read)
        os.close(replies_write)
        self.next_id = 0
        self.answers = {}
        self.events = []
        self.lock = threading.Condition()
        threading.Thread(target=self._read, daemon=True).start()
        self.session = None

    def _read(self):
        pending = b""
        while True:
            chunk = os.read(self.replies, 1 << 16)
            if not chunk:
                break
            pending += chunk
            while b"\0" in pending:
                text, pending = pending.split(b"\0", 1)
                message = json.loads(text)
                with self.lock:
                    if "id" in message:
                        self.answers[message["id"]] = message
                    else:
                        self.events.append(message)
                    self.lock.notify_all()
        with self.lock:
            self.closed = True
            self.lock.notify_all()

    def call(self, method, session=True, **params):
        with self.lock:
            self.next_id += 1
            number = self.next_id
        message = {"id": number, "method": method, "params": params}
        if session and self.session:
            message["sessionId"] = self.session
        os.write(self.commands, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + TIMEOUT
        with self.lock:
            while number not in self.answers:
                if getattr(self, "closed", False) or time.monotonic() > deadline:
                    raise Failure("no answer from the browser to " + method)
                self.lock.wait(0.1)
            answer = self.answers.pop(number)
        if "error" in answer:
            raise Failure("%s: %s" % (method, answer["error"].get("message")))
        return answer.get("result", {})

    def open_page(self, address):
        """A new tab at address, which the calls from now on drive."""
        target = self.call("Target.createTarget", session=False, url="about:blank")["targetId"]
        self.target = target
        self.session = self.call("Target.attachToTarget", session=False, targetId=target, flatten=True)["sessionId"]
        self.call("Page.enable")
        self.call("Runtime.enable")
        self.call("Page.navigate", url=address)

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise Failure("the page threw on %s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def wait_for(self, expression, what, timeout=TIMEOUT):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            result = self.call("Runtime.evaluate", expression=expression, returnByValue=True)
            # Until the page has loaded, its names may not exist yet.
            value = result["result"].get("value") if "exceptionDetails" not in result else None
            if value:
                return value
            time.sleep(0.05)
        raise Failure("waited in vain for " + what)

    def console(self):
        """What the page wrote to its console so far."""
        with self.lock:
            return [" ".join(str(a.get("value", a.get("description", ""))) for a in e["params"]["args"])
                    for e in self.events if e.get("method") == "Runtime.consoleAPICalled"]

    def close(self):
        try:
            self.call("Browser.close", session=False)
            self.process.wait(TIMEOUT)
        except Exception:
            self.process.kill()
            self.process.wait()
        os.close(self.commands)
        shutil.rmtree(self.profile, ignore_errors=True)
