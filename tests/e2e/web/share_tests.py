#!/usr/bin/env python3
"""The page installed, offline and shared, in headless Chromium:
share_tests.py CASE PAGE_DIR TOOL, as web_tests.py (whose helpers it uses).

Each case starts its browser before anything else opens a file, so that
the browser's pipes are the process's descriptors 3 and 4."""
import base64
import functools
import http.server
import json
import os
import shutil
import sys
import threading
import time
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from page_driver import Failure, QuietHandler  # noqa: E402
from web_tests import (run_case, CARD, CASE, FRAMES_TO_SETTLE, HIDDEN_SETTLE_S, PAGE_DIR, SQUARE, STONE, canvas,  # noqa: E402
                       click_game, headless_frame, open_game, pixel, set_window, untimed, wait_canvas, wait_frames)

SHARE_TIMEOUT_S = 60  # the playback at four times, with the page's start


class Server:
    """The page's folder on a port that stays the same across restarts."""

    def __init__(self, folder, port=0):
        handler = functools.partial(QuietHandler, directory=folder)
        self.http = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
        self.port = self.http.server_address[1]
        threading.Thread(target=self.http.serve_forever, daemon=True).start()

    def stop(self):
        self.http.shutdown()
        self.http.server_close()


def wait_promise(page, expression, what, timeout=30):
    """As page.wait_for, for an expression whose value is a promise."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if page.evaluate(expression):
            return
        time.sleep(0.1)
    raise Failure("waited in vain for " + what)


def cache_names(page):
    return page.evaluate("caches.keys()")


def wait_cached(page, files):
    """The service worker controls the page and its cache holds every file."""
    page.wait_for("navigator.serviceWorker.controller !== null", "the service worker to take the page")
    wait_promise(page, "caches.keys().then(n => n.length == 1 && caches.open(n[0])).then(c => c && c.keys())"
                 ".then(k => k && k.length == %d)" % (len(files) + 1), "the page's files in the cache")


def case_offline(page, work):
    folder = os.path.join(work, "page")
    shutil.copytree(PAGE_DIR, folder)
    files = [os.path.relpath(os.path.join(d, f), folder) for d, _, names in os.walk(folder) for f in names
             if f != "sw.js"]
    server = Server(folder)
    address = "http://127.0.0.1:%d/index.html" % server.port
    try:
        open_game(page, address)
        manifest = page.call("Page.getAppManifest")
        if manifest.get("errors"):
            raise Failure("the manifest has errors: %s" % manifest["errors"])
        fields = json.loads(manifest["data"])
        if fields.get("display") != "standalone" or not fields.get("theme_color"):
            raise Failure("the manifest installs no standalone page: %s" % fields)
        for icon in fields["icons"]:
            side = int(icon["sizes"].split("x")[0])
            drawn = page.evaluate("new Promise(r => { const i = new Image(); i.onload = () => r([i.naturalWidth,"
                                  " i.naturalHeight]); i.onerror = () => r(null); i.src = %r; })" % icon["src"])
            if drawn != [side, side]:
                raise Failure("the icon %s is %s" % (icon["src"], drawn))
        favicon = page.evaluate("document.getElementById('icon').href")
        if not favicon.startswith("http://") or not page.evaluate("fetch(%r).then(r => r.ok)" % favicon):
            raise Failure("the favicon is no file of the page: %s" % favicon[:60])
        wait_cached(page, files)
        first = cache_names(page)
    finally:
        server.stop()

    # No server: the page loads from the cache, with its settings in the
    # address, and plays.
    open_game(page, address + "?level=1")
    wait_canvas(page, headless_frame(work, 60), "the title from the cache")
    click_game(page, *CARD)
    wait_frames(page, FRAMES_TO_SETTLE)
    if pixel(canvas(page), *SQUARE) == pixel(canvas(page), *STONE):
        raise Failure("the page from the cache started no match")

    # A new page on the same server: its service worker replaces the cache.
    with open(os.path.join(folder, "sw.js")) as f:
        worker = f.read()
    with open(os.path.join(folder, "sw.js"), "w") as f:
        f.write(worker.replace(first[0], first[0] + "-next"))
    server = Server(folder, server.port)
    try:
        open_game(page, address)
        wait_promise(page, "caches.keys().then(n => n.length == 1 && n[0] == %r)" % (first[0] + "-next"),
                     "the new page's cache instead of the old")
    finally:
        server.stop()


def recorded_events(page, last):
    """The page's recording: its events up to frame last."""
    script = page.evaluate("Pinwick.fileText('/pinwick-run.txt')")
    return [line for line in script.splitlines() if not line.startswith("#") and int(line.split()[0]) <= last]


def panel_text(page):
    return page.evaluate("(p => p.hidden ? null : document.getElementById('share-text').textContent)"
                         "(document.getElementById('share-panel'))")


def link_of(text):
    packer = zlib.compressobj(wbits=-15)
    data = packer.compress(text.encode()) + packer.flush()
    return base64.urlsafe_b64encode(data).decode().rstrip("=")


def case_share(page, work):
    server = Server(PAGE_DIR)
    address = "http://127.0.0.1:%d/index.html" % server.port
    try:
        # A run with a move, shared while it plays.
        open_game(page, address + "?record")
        wait_canvas(page, headless_frame(work, 60), "the headless title")
        click_game(page, *CARD)
        wait_frames(page, FRAMES_TO_SETTLE)
        click_game(page, *SQUARE)
        wait_frames(page, 50)
        page.evaluate("document.getElementById('share-game').click()")
        link = page.wait_for("(f => f && f.value)(document.getElementById('share-link'))", "the share link")
        if "#replay=" not in link or "?" in link:
            raise Failure("the share link is %s" % link[:80])
        wait_frames(page, 25)
        run_trace = untimed(page.evaluate("Pinwick.fileText('/pinwick-run.trace')")).splitlines()
        version = [line for line in recorded_events(page, 0) if line.startswith("0 version ")][0]

        # The link plays it back at four times, the viewer's clicks held
        # back: the same messages and the same trace, then it stands still
        # until the viewer plays on.
        open_game(page, link.replace("#", "?record#"))
        page.wait_for("Pinwick.replay == 'playing'", "the playback")
        page.evaluate("(s => { s.value = '16'; s.dispatchEvent(new Event('change')); })"
                      "(document.getElementById('share-speed'))")
        click_game(page, *CARD)
        page.evaluate("document.getElementById('share-pause').click()")
        paused = page.evaluate("Pinwick.frames()")
        time.sleep(0.3)
        if page.evaluate("Pinwick.frames()") != paused:
            raise Failure("the paused playback ran on")
        page.evaluate("document.getElementById('share-pause').click()")
        page.wait_for("Pinwick.replay == 'over'", "the end of the playback", SHARE_TIMEOUT_S)
        last = page.evaluate("Pinwick.replayLastFrame")
        if page.evaluate("location.hash") != "":
            raise Failure("the link's game stays in the address")
        time.sleep(0.3)
        if page.evaluate("Pinwick.frames()") != last:
            raise Failure("the playback went on past frame %d to %d" % (last, page.evaluate("Pinwick.frames()")))
        replayed = untimed(page.evaluate("Pinwick.fileText('/pinwick-run.trace')")).splitlines()
        if len(run_trace) < last or replayed[:last] != run_trace[:last]:
            raise Failure("the playback's trace differs from the run's up to frame %d" % last)
        page.evaluate("[...document.querySelectorAll('#share-panel button')].find(b => b.textContent == 'play on'"
                      " || b.textContent == '続きを遊ぶ').click()")
        page.wait_for("Pinwick.frames() > %d" % (last + 10), "the game to play on")

        # Links that do not hold a recording of this version say so, in the
        # page's language, and the title plays.
        refused = [("%%%", "壊れ"), ("A" * (32 * 1024 + 1), "壊れ"),
                   (link_of("#" * (2 << 20)), "壊れ"),
                   (link_of(version + "\n5 jump\n"), "壊れ"),
                   (link_of("5 mouse 1 1\n"), "壊れ"),
                   (link_of("0 version 0.9.0.0\n5 mouse 1 1\n"), "0.9.0.0")]
        for code, said in refused:
            open_game(page, address + "#replay=" + code)
            text = page.wait_for("(p => !p.hidden && document.getElementById('share-text').textContent)"
                                 "(document.getElementById('share-panel'))", "the page to refuse the link")
            if said not in text or page.evaluate("Pinwick.replay") != "none":
                raise Failure("the link %s... reads %r" % (code[:20], text))
            wait_frames(page, 5)
        page.evaluate("document.documentElement.lang = 'en'; window.dispatchEvent(new Event('pinwick-language'))")
        if "another version of Pinwick (0.9.0.0)" not in panel_text(page):
            raise Failure("the refusal in English reads %r" % panel_text(page))

        # A run too long for a link is offered as a file.
        page.evaluate("(() => { Pinwick.fileText('/pinwick-run.txt'); let t = '';"
                      " for (let i = 1; i <= 8000; i++) t += i + ' mouse ' + Math.floor(Math.random() * 1e5) + ' '"
                      " + Math.floor(Math.random() * 1e5) + '\\n'; const b = new TextEncoder().encode(t);"
                      " const f = FS.open('/pinwick-run.txt', 'a'); FS.write(f, b, 0, b.length); FS.close(f); })()")
        page.evaluate("document.getElementById('share-game').click()")
        page.wait_for("(a => a && a.href.startsWith('blob:'))(document.getElementById('share-file'))",
                      "the long run offered as a file")
    finally:
        server.stop()


DIGEST_START, DIGEST_PRIME = 2166136261, 16777619
SILENCE = 128


def digest_of_silence(count):
    digest = DIGEST_START
    for _ in range(count):
        digest = ((digest ^ SILENCE) * DIGEST_PRIME) & 0xFFFFFFFF
    return digest


def case_audio(page, work):
    server = Server(PAGE_DIR)
    address = "http://127.0.0.1:%d/index.html" % server.port
    try:
        # The audio worklet plays what the game mixed: every sample handed
        # to it is played or still held, in order, and some were sound. A
        # tab hidden just after a sound parks its audio at once.
        open_game(page, address)
        wait_canvas(page, headless_frame(work, 60), "the headless title")
        click_game(page, *CARD)
        page.wait_for("Pinwick.audio.node instanceof AudioWorkletNode && Pinwick.audio.parked"
                      " && Pinwick.audio.ctx.state == 'suspended'", "the worklet's audio to rest in the silence")
        click_game(page, *SQUARE)
        page.wait_for("Pinwick.audio.ctx.state == 'running' && !Pinwick.audio.parked", "the move's sound")
        set_window(page, "minimized")
        page.wait_for("Pinwick.audio.parked && Pinwick.audio.ctx.state == 'suspended'",
                      "the hidden tab's audio to rest", HIDDEN_SETTLE_S)
        page.evaluate("Pinwick.audio.report = null; Pinwick.audio.node.port.postMessage({report: true})")
        report = page.wait_for("Pinwick.audio.report", "the worklet's report")
        handed, digest = page.evaluate("[Pinwick.audio.handed, Pinwick.audio.handedDigest]")
        if report["played"] + report["held"] != handed or report["digest"] != digest:
            raise Failure("the worklet played or holds %(played)d + %(held)d samples" % report +
                          ", not the %d mixed for it" % handed)
        if report["played"] == 0 or report["playedDigest"] == digest_of_silence(report["played"]):
            raise Failure("the worklet played no sound")
        set_window(page, "normal")

        # Without worklets the older script processor plays.
        page.open_page("about:blank")
        page.call("Page.addScriptToEvaluateOnNewDocument", source="delete window.AudioWorkletNode")
        page.call("Page.navigate", url=address)
        page.wait_for("typeof Pinwick != 'undefined' && Pinwick.audio && Pinwick.audio.node !== null", "the page's audio")
        click_game(page, *CARD)
        page.wait_for("Pinwick.audio.node instanceof ScriptProcessorNode && Pinwick.audio.ctx.state == 'running'",
                      "the script processor's audio")
    finally:
        server.stop()


if __name__ == "__main__":
    sys.exit(run_case(globals(), served=False))
