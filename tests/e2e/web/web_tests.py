#!/usr/bin/env python3
"""The page end to end in headless Chromium: web_tests.py CASE PAGE_DIR TOOL.

Each case starts its own browser on a fresh profile and serves the page on
127.0.0.1 at a free port. Pictures are compared pixel for pixel with the
headless tool's frames; a page without the page's files is skipped (77)
unless PINWICK_REQUIRE_WEB=1."""
import json
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from page_driver import Browser, Failure, serve  # noqa: E402

CASE, PAGE_DIR, TOOL = sys.argv[1:4]
WIDTH, HEIGHT = 160, 60
CARD = (40, 30)                       # a game pixel on the white card
SQUARE = (56 + 5 * 6 + 3, 6 + 3 * 6 + 3)  # (5, 3): white's first move, capturing (4, 3)
STONE = (56 + 3 * 6 + 3, 6 + 3 * 6 + 3)   # (3, 3), white from the start
HIDDEN_SETTLE_S = 1.5  # a hidden page's timers fire once a second at most
SMALL_VIEWPORT = (500, 400)  # fits the picture 3 times
FRAMES_TO_SETTLE = 75  # the wipe into the match is over
TOOL_TIMEOUT_S = 60  # one headless replay


def open_game(page, url):
    """A new tab at url, once the page's script has run."""
    page.open_page(url)
    page.wait_for("typeof Pinwick != 'undefined'", "the page's script")


def pixels_of_png(data):
    """RGBA bytes of a PNG, decoded by ImageMagick."""
    return subprocess.run(["convert", "png:-", "-depth", "8", "rgba:-"], input=data, capture_output=True,
                          check=True).stdout


def magnified(rgba, width, factor):
    rows = [rgba[y * width * 4:(y + 1) * width * 4] for y in range(len(rgba) // (width * 4))]
    out = bytearray()
    for row in rows:
        wide = b"".join(row[x * 4:x * 4 + 4] * factor for x in range(width))
        out += wide * factor
    return bytes(out)


def headless(*args):
    try:
        run = subprocess.run([TOOL, "replay"] + list(args), capture_output=True, text=True, timeout=TOOL_TIMEOUT_S)
    except subprocess.TimeoutExpired:
        raise Failure("the replay %s took longer than %d s" % (" ".join(args), TOOL_TIMEOUT_S))
    if run.returncode != 0:
        raise Failure("the replay failed (%d): %s" % (run.returncode, run.stderr))


def headless_frame(work, frame, *args):
    shot = os.path.join(work, "frame%d.png" % frame)
    headless("--frames", str(frame), "--shot", "%d:%s" % (frame, shot), *args)
    with open(shot, "rb") as f:
        return pixels_of_png(f.read())


def canvas(page):
    values = page.evaluate("Array.from(document.getElementById('canvas').getContext('2d')"
                           ".getImageData(0, 0, %d, %d).data)" % (WIDTH, HEIGHT))
    return bytes(values)


def rect(page, selector):
    return page.evaluate("(() => { const r = document.querySelector(%r).getBoundingClientRect();"
                         " return {x: r.left, y: r.top, width: r.width, height: r.height}; })()" % selector)


def pixel(rgba, x, y):
    return rgba[(y * WIDTH + x) * 4:(y * WIDTH + x) * 4 + 4]


def press(page, x, y):
    for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
        page.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)


def click_game(page, gx, gy):
    """A click on the middle of game pixel (gx, gy)."""
    r = rect(page, "#screen")
    scale = r["width"] / WIDTH
    press(page, r["x"] + (gx + 0.5) * scale, r["y"] + (gy + 0.5) * scale)


def click_element(page, text):
    """A click on the page's button that reads text."""
    r = page.evaluate("(() => { const b = [...document.querySelectorAll('button')].find(b => b.textContent == %r);"
                      " const r = b.getBoundingClientRect(); return {x: r.left + r.width / 2, y: r.top + r.height / 2};"
                      " })()" % text)
    press(page, r["x"], r["y"])


KEYS = {"Escape": ("Escape", 27, ""), "Enter": ("Enter", 13, "\r"), "z": ("KeyZ", 90, "z")}


def key(page, name):
    code, virtual, text = KEYS[name]
    page.call("Input.dispatchKeyEvent", type="keyDown", key=name, code=code, windowsVirtualKeyCode=virtual, text=text)
    page.call("Input.dispatchKeyEvent", type="keyUp", key=name, code=code, windowsVirtualKeyCode=virtual)


def frames(page):
    return page.evaluate("Pinwick.frames()")


def wait_frames(page, count):
    target = frames(page) + count
    page.wait_for("Pinwick.frames() >= %d" % target, "frame %d" % target)


def wait_canvas(page, expected, what):
    deadline = time.monotonic() + 30
    while time.monotonic() < deadline:
        if canvas(page) == expected:
            return
        time.sleep(0.1)
    raise Failure("the canvas never showed " + what)


def set_window(page, state):
    window = page.call("Browser.getWindowForTarget", session=False, targetId=page.target)["windowId"]
    page.call("Browser.setWindowBounds", session=False, windowId=window, bounds={"windowState": state})


def untimed(trace):
    return re.sub(r" t=[0-9]+", "", trace)


def replay_trace(work, script, *args):
    path = os.path.join(work, "run.txt")
    with open(path, "w") as f:
        f.write(script)
    trace = os.path.join(work, "replay.trace")
    headless("--script", path, "--trace", trace, *args)
    with open(trace) as f:
        return f.read()


def written_back(work, script):
    """The recording's events as the recorder's writer writes them back."""
    path = os.path.join(work, "recorded.txt")
    with open(path, "w") as f:
        f.write(script)
    echo = os.path.join(os.path.dirname(TOOL), "pinwick-test-script")
    return subprocess.run([echo, path], capture_output=True, text=True, timeout=TOOL_TIMEOUT_S, check=True).stdout


def recorded_up_to(script, last):
    """The recording's lines for frames up to last, and its comments."""
    kept = [line for line in script.splitlines(True) if line.startswith("#") or int(line.split()[0]) <= last]
    return "".join(kept)


def case_title(page, address, work):
    # The title, pixel for pixel, magnified by the largest whole factor that
    # fits, with sharp pixels; laid out again when the viewport changes.
    open_game(page, address)
    title = headless_frame(work, 60)
    wait_canvas(page, title, "the headless title")
    page.wait_for("document.getElementById('canvas').style.cursor.startsWith('url(\"blob:')", "the game's cursor")
    for viewport in (None, SMALL_VIEWPORT):
        if viewport:
            page.call("Emulation.setDeviceMetricsOverride", width=viewport[0], height=viewport[1],
                      deviceScaleFactor=1, mobile=False)
            page.wait_for("document.getElementById('screen').getBoundingClientRect().width == %d" % (WIDTH * 3),
                          "the layout for the small viewport")
        stage, screen = rect(page, "#stage"), rect(page, "#screen")
        factor = min(int(stage["width"]) // WIDTH, int(stage["height"]) // HEIGHT)
        if screen["width"] != WIDTH * factor or screen["height"] != HEIGHT * factor:
            raise Failure("the picture is %(width)sx%(height)s" % screen + ", not %d times" % factor)
        shot = page.call("Page.captureScreenshot", format="png",
                         clip=dict(screen, scale=1))["data"]
        import base64
        if pixels_of_png(base64.b64decode(shot)) != magnified(title, WIDTH, factor):
            raise Failure("the page does not show the title magnified %d times with sharp pixels" % factor)


def case_play(page, address, work):
    # A recorded match: the white card, a legal square; a hidden page stands
    # still; the canvas equals the headless frame of the page's own
    # recording, which replays to the page's trace, to the end.
    open_game(page, address + "?record")
    wait_canvas(page, headless_frame(work, 60), "the headless title")
    click_game(page, *CARD)
    wait_frames(page, FRAMES_TO_SETTLE)
    board = canvas(page)
    if pixel(board, *SQUARE) == pixel(board, *STONE):
        raise Failure("the white card started no match")
    # A second of silence parks the audio; the move's sound wakes it.
    page.wait_for("Pinwick.audio && Pinwick.audio.parked && Pinwick.audio.ctx.state == 'suspended'",
                  "the audio to rest in the silence")
    click_game(page, *SQUARE)
    page.wait_for("Pinwick.audio.ctx.state == 'running' && !Pinwick.audio.parked", "the move's sound to wake the audio")
    deadline = time.monotonic() + 10
    while pixel(canvas(page), *SQUARE) != pixel(board, *STONE):
        if time.monotonic() > deadline:
            raise Failure("no white stone on (5, 3)")
        time.sleep(0.1)

    set_window(page, "minimized")
    page.wait_for("document.visibilityState == 'hidden'", "the page to be hidden")
    time.sleep(HIDDEN_SETTLE_S)
    stopped, picture = frames(page), canvas(page)
    time.sleep(HIDDEN_SETTLE_S)
    if frames(page) != stopped:
        raise Failure("frames ran while the page was hidden: %d, then %d" % (stopped, frames(page)))
    script = page.evaluate("Pinwick.fileText('/pinwick-run.txt')")
    live = untimed(page.evaluate("Pinwick.fileText('/pinwick-run.trace')"))
    replayed = replay_trace(work, recorded_up_to(script, stopped), "--frames", str(stopped),
                            "--shot", "%d:%s" % (stopped, os.path.join(work, "stopped.png")))
    if "".join(live.splitlines(True)[:stopped]) != replayed:
        raise Failure("the replay differs from the page up to frame %d" % stopped)
    with open(os.path.join(work, "stopped.png"), "rb") as f:
        if pixels_of_png(f.read()) != picture:
            raise Failure("the canvas differs from the headless frame %d" % stopped)

    set_window(page, "normal")
    page.wait_for("Pinwick.frames() > %d" % (stopped + 10), "frames after the page came back")
    key(page, "z")  # the computer replies at once
    wait_frames(page, 25)
    key(page, "Escape")  # mid-match: the page asks first, and Yes lets the game have it
    page.wait_for("document.getElementById('confirm').open", "the question before Esc ends the match")
    key(page, "Enter")
    page.wait_for("Pinwick.exitCode == 1", "the end of the game")
    page.wait_for("!document.getElementById('ended').hidden", "the play-again control")
    script = page.evaluate("Pinwick.fileText('/pinwick-run.txt')")
    live = untimed(page.evaluate("Pinwick.fileText('/pinwick-run.trace')"))
    if " sc=3 " not in live or not live.endswith("exit=1\n"):
        raise Failure("the page's trace holds no match or no end")
    if replay_trace(work, script) != live:
        raise Failure("the whole recording replays to another trace")
    if written_back(work, script) != "".join(l for l in script.splitlines(True) if not l.startswith("#")):
        raise Failure("the recording does not read back as it was written")


def case_close(page, address, work):
    # Game > Exit asks; while the question is open no frame runs; No (Esc)
    # leaves the game running; Yes (Enter) ends it.
    open_game(page, address)
    wait_canvas(page, headless_frame(work, 60), "the headless title")
    for answer in ("Escape", "Enter"):
        click_element(page, "Game")
        click_element(page, "Exit")
        page.wait_for("document.getElementById('confirm').open", "the close question")
        texts = page.evaluate("['confirm-text', 'confirm-yes', 'confirm-no']"
                              ".map(id => document.getElementById(id).textContent)")
        if texts != ["End？", "はい", "いいえ"]:
            raise Failure("the close question reads %s" % texts)
        asked = frames(page)
        time.sleep(0.5)
        if frames(page) != asked:
            raise Failure("frames ran while the close question was open")
        key(page, answer)
        page.wait_for("!document.getElementById('confirm').open", "the question to close")
        if answer == "Escape":
            wait_frames(page, 10)
            if page.evaluate("Pinwick.exitCode") is not None:
                raise Failure("No ended the game")
    page.wait_for("Pinwick.exitCode == 1", "Yes to end the game")
    page.wait_for("!document.getElementById('ended').hidden", "the play-again control")


def options_recorded(page):
    """The option lines at the head of the page's recording, once it runs."""
    page.wait_for("Pinwick.frames() > 0", "the game to run")
    script = page.evaluate("Pinwick.fileText('/pinwick-run.txt')")
    return [line for line in script.splitlines() if line.startswith("0 ") and not line.startswith("0 version")]


def panel(page):
    return page.evaluate("[document.getElementById('setting-level').value,"
                         " document.getElementById('setting-two-players').checked,"
                         " document.getElementById('setting-mute').checked, location.search]")


STORED = json.dumps(["volume", "muted", "level", "twoPlayers"])


def stored(page):
    return page.evaluate("%s.map(k => localStorage.getItem('pinwick.' + k))" % STORED)


def store(page, *values):
    page.evaluate("%s.forEach((k, i) => localStorage.setItem('pinwick.' + k, %s[i]))" % (STORED, json.dumps(values)))


def case_settings(page, address, work):
    # Corrupt storage: the page starts and plays the defaults, and each bad
    # value is rewritten.
    open_game(page, address)
    store(page, "abc", "false", "", "no")
    open_game(page, address + "?record")
    if options_recorded(page) != [] or panel(page) != ["3", False, False, "?record"]:
        raise Failure("corrupt storage plays %s, the panel shows %s" % (options_recorded(page), panel(page)))
    if stored(page) != ["100", "0", "3", "0"]:
        raise Failure("corrupt storage was left as %s" % stored(page))

    # The address's choices reach the game and are remembered; a plain
    # address then takes the remembered ones; the panel changes them for the
    # next game; mute stays the page's own and never reaches the game.
    open_game(page, address + "?record&level=1&two-players")
    if options_recorded(page) != ["0 level 1", "0 two-players"]:
        raise Failure("the address's options were recorded as %s" % options_recorded(page))
    if panel(page)[:3] != ["1", True, False]:
        raise Failure("the panel shows %s for ?level=1&two-players" % panel(page))
    open_game(page, address + "?record")
    if options_recorded(page) != ["0 level 1", "0 two-players"]:
        raise Failure("a plain address did not take the remembered choices: %s" % options_recorded(page))
    if panel(page)[3] != "?record&level=1&two-players":
        raise Failure("the address does not show the choices: %s" % panel(page)[3])

    page.evaluate("(() => { const s = document.getElementById('setting-level'); s.value = '3';"
                  " s.dispatchEvent(new Event('change')); })()")
    page.evaluate("document.getElementById('setting-two-players').click()")
    page.evaluate("document.getElementById('setting-mute').click()")
    if page.evaluate("document.getElementById('setting-new-game').hidden"):
        raise Failure("no new-game button after the level changed")
    if options_recorded(page) != ["0 level 1", "0 two-players"]:
        raise Failure("the running game's options changed under it")
    click_element(page, "新しいゲーム")  # "new game" in the Japanese browser
    page.wait_for("performance.getEntriesByType('navigation')[0].type == 'reload'", "the new game")
    if options_recorded(page) != [] or panel(page) != ["3", False, True, "?record&mute"]:
        raise Failure("the new game plays with %s, the panel shows %s" % (options_recorded(page), panel(page)))
    click_element(page, "Setting")
    click_element(page, "Volume")
    page.wait_for("!document.getElementById('volume').hidden", "the volume panel")
    if not page.evaluate("document.getElementById('volume-mute').checked"):
        raise Failure("the volume panel does not show the panel's mute")

    # A refused address plays the remembered choices, leaves them stored and
    # is named below the picture; the game hears no word of the address but
    # the checked choices, however long it is.
    store(page, "1e6", "0", "1", "1")
    open_game(page, address + "?level=9&x=--record")
    page.wait_for("Pinwick.frames() > 0 && Pinwick.audio", "the game and its audio")
    if panel(page)[:3] != ["1", True, False] or stored(page) != ["100", "0", "1", "1"]:
        raise Failure("?level=9 shows %s and left %s stored" % (panel(page), stored(page)))
    if page.evaluate("Pinwick.audio.gain.gain.value") != 1 or not page.evaluate("document.getElementById('files').hidden"):
        raise Failure("the volume 1e6 or the address's x=--record was taken")
    if page.evaluate("(e => e.hidden ? '' : e.textContent)(document.getElementById('setting-note'))") != \
            "リンクの level=9 は無視しました":
        raise Failure("the refused level is not named below the picture")
    for words in ("level=2&foo=--two-players&pad=" + "x" * 600, "two-players=%00"):
        open_game(page, address + "?record&" + words)
        if options_recorded(page) != ["0 level 2"]:
            raise Failure("?%s plays %s" % (words[:40], options_recorded(page)))
    if not any("foo" in line for line in page.console()):
        raise Failure("the address's unknown words were not named")


def run_case(cases, served=True):
    """Runs CASE, the function case_CASE among cases (a test file's globals()),
    in a fresh browser: with the page served, as case(page, address, work),
    or else as case(page, work). Returns the exit status: 0, 1, or 77 when
    there is no page to test."""
    # Stopped (the test's timeout): leave through the finally below, which
    # closes the browser and the server, instead of leaving them running.
    signal.signal(signal.SIGTERM, lambda signum, frame: sys.exit(128 + signum))
    if not os.path.exists(os.path.join(PAGE_DIR, "index.html")):
        if os.environ.get("PINWICK_REQUIRE_WEB") == "1":
            print("FAIL (%s): no page in %s (make web)" % (CASE, PAGE_DIR), file=sys.stderr)
            return 1
        print("skipped: no page in %s (make web builds it)" % PAGE_DIR)
        return 77
    page = Browser()  # before the server opens anything: its pipes may become 3 and 4
    server = None
    try:
        with tempfile.TemporaryDirectory(prefix="pinwick-web-e2e.") as work:
            if served:
                server, address = serve(PAGE_DIR)
                cases["case_" + CASE](page, address, work)
            else:
                cases["case_" + CASE](page, work)
    except Failure as failure:
        print("FAIL (%s): %s" % (CASE, failure), file=sys.stderr)
        for line in page.console():
            print("the page said: " + line, file=sys.stderr)
        return 1
    finally:
        page.close()
        if server is not None:
            server.shutdown()
    print("ok: " + CASE)
    return 0


if __name__ == "__main__":
    sys.exit(run_case(globals()))
