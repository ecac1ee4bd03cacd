#!/usr/bin/env python3
"""The page for those who do not see the picture or use no mouse, in headless
Chromium: access_tests.py CASE PAGE_DIR TOOL (the cases of web_tests.py's
kind, with its driver and helpers)."""
import json
import os
import re
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import web_tests  # noqa: E402
from page_driver import Browser, Failure  # noqa: E402
from web_tests import click_game, frames, open_game, run_case, wait_frames  # noqa: E402

# A match for two players that a white pass interrupts and red ends by
# taking white's last stone: 21 stones and a pass.
MATCH = "c5 c4 d3 e6 f5 g4 b3 a2 c3 e3 d2 b6 c2 b1 d6 c1 f7 d7 f4 b4 -- g8".split()
PASS_BUTTON = (140, 48)
END_CARD = (22, 30)
COLOUR = {"1": "white", "2": "red"}
KEYS = {"Tab": ("Tab", 9, ""), "ArrowDown": ("ArrowDown", 40, ""), "ArrowUp": ("ArrowUp", 38, ""),
        "Enter": ("Enter", 13, "\r"), "Escape": ("Escape", 27, ""), "m": ("KeyM", 77, "m")}
TAB_STOPS = 20  # more than the page has
VOLUME_WAIT_MESSAGES = 60  # more than the game waits for after Volume


def key(page, name):
    code, virtual, text = KEYS[name]
    page.call("Input.dispatchKeyEvent", type="keyDown", key=name, code=code, windowsVirtualKeyCode=virtual, text=text)
    page.call("Input.dispatchKeyEvent", type="keyUp", key=name, code=code, windowsVirtualKeyCode=virtual)


def listen(page):
    """Every line the log says from now on lands in window.heard."""
    page.evaluate("window.heard = []; new MutationObserver(changes => changes.forEach(c => c.addedNodes.forEach("
                  "n => heard.push(n.textContent)))).observe(document.getElementById('announcer'), {childList: true})")


def next_line(page, heard):
    page.wait_for("heard.length > %d" % heard, "announcement %d" % (heard + 1))
    lines = page.evaluate("heard")
    if len(lines) != heard + 1:
        raise Failure("one event was said as %s" % lines[heard:])
    return lines[heard]


def board(page):
    """The board and side to move of the game's own trace, as it stands."""
    last = page.evaluate("Pinwick.fileText('/pinwick-run.trace')").splitlines()[-1]
    return re.search(r" b=([0-9]{64})", last).group(1), re.search(r" side=([0-9])", last).group(1)


def said_move(before, after):
    """A move as a sighted player sees it on the two boards."""
    placed = [i for i in range(64) if before[i] == "0" and after[i] != "0"]
    if len(placed) != 1:
        raise Failure("the click placed %d stones" % len(placed))
    square, colour = placed[0], after[placed[0]]
    taken = sum(1 for i in range(64) if before[i] not in ("0", colour) and after[i] == colour)
    counts = "White %d, red %d." % (after.count("1"), after.count("2"))
    return "%s %s%d, takes %d. %s" % (COLOUR[colour], "abcdefgh"[square % 8], square // 8 + 1, taken, counts)


def accessible_controls(page):
    """Role and name of every control Chromium's accessibility tree holds."""
    tree = page.call("Accessibility.getFullAXTree")["nodes"]
    roles = ("button", "checkbox", "slider", "combobox", "menuitem", "link", "Canvas", "application")
    return [(n["role"]["value"], n.get("name", {}).get("value", "")) for n in tree
            if not n.get("ignored") and n.get("role", {}).get("value") in roles]


def case_match(page, address, work):
    # The log says the title, the match, each move with what it took, the
    # counts and whose turn, the pass and the result, once each; the status
    # line shows the counts and the turn and follows the page's language.
    open_game(page, address + "?two-players&record&lang=en")
    listen(page)
    if next_line(page, 0) != "Title: choose a card; either starts the match for two players, white moves first.":
        raise Failure("the title was said as %r" % page.evaluate("heard[0]"))
    page.evaluate("document.getElementById('setting-status-line').click()")
    click_game(page, *web_tests.CARD)
    if next_line(page, 1) != "Match for two players. White 2, red 2. White to move.":
        raise Failure("the match's start was said as %r" % page.evaluate("heard[1]"))
    heard = 2
    before, _ = board(page)
    for number, move in enumerate(MATCH):
        if move == "--":
            click_game(page, *PASS_BUTTON)
            expected = "White passes. White %d, red %d. Red to move." % (before.count("1"), before.count("2"))
        else:
            click_game(page, 56 + "abcdefgh".index(move[0]) * 6 + 3, 6 + (int(move[1]) - 1) * 6 + 3)
        line = next_line(page, heard)
        heard += 1
        after, side = board(page)
        if move != "--":
            turn = "White has no move: press Pass." if MATCH[number + 1:number + 2] == ["--"] else \
                "%s to move." % COLOUR.get(side, "").capitalize()
            expected = said_move(before, after) + " " + (turn if number + 1 < len(MATCH) else
                                                               "The match is over.")
        if line != expected:
            raise Failure("move %d (%s) was said as %r, not %r" % (number + 1, move, line, expected))
        if number == 8:  # mid-match
            status = page.evaluate("document.getElementById('status-line').textContent")
            if status != expected[expected.index("White "):]:
                raise Failure("the status line reads %r after %s" % (status, move))
        before = after
    if next_line(page, heard) != "Red wins, 25 to 0. Press the end card (END) to go on.":
        raise Failure("the result was said as %r" % page.evaluate("heard[%d]" % heard))
    page.evaluate("document.documentElement.lang = 'ja'; window.dispatchEvent(new Event('pinwick-language'))")
    if page.evaluate("document.getElementById('status-line').textContent") != "しろ 0、あか 25。あかの勝ち、25対0。":
        raise Failure("the status line does not follow the page's language")
    click_game(page, *END_CARD)
    if next_line(page, heard + 1) != "ゲームオーバー。Game メニューの Reset でタイトルに戻ります。":
        raise Failure("the game-over scene was said as %r" % page.evaluate("heard[%d]" % (heard + 1)))


def case_controls(page, address, work):
    # Tab reaches every control, the recording's buttons among them, which
    # download the recording; the menus are menu buttons; the names are
    # unique; the cover and the dialogs take the focus and give it back; after
    # the end the menus are inert.
    page.call("Browser.setDownloadBehavior", session=False, behavior="allow", downloadPath=work, eventsEnabled=True)
    open_game(page, address + "?lang=en")
    page.evaluate("localStorage.setItem('pinwick.statusLine', 'on')")
    open_game(page, address + "?record&lang=en")
    if page.evaluate("[localStorage.getItem('pinwick.statusLine'), document.getElementById('setting-status-line')"
                     ".checked, document.getElementById('status-line').hidden]") != ["0", False, True]:
        raise Failure("a stored status line 'on' was not taken as off and stored so")
    page.wait_for("Pinwick.frames() > 0 && !document.getElementById('files').hidden", "the recording's buttons")
    stops = []
    for _ in range(TAB_STOPS):
        key(page, "Tab")
        stops.append(page.evaluate("(e => e.id || (e === document.body ? 'body' : e.textContent))(document.activeElement)"))
    for wanted in ("save-recording", "save-trace", "canvas", "setting-status-line", "how-to-play"):
        if wanted not in stops:
            raise Failure("Tab never reaches %s: %s" % (wanted, stops))
    page.evaluate("document.getElementById('save-recording').focus()")
    key(page, "Enter")
    saved = os.path.join(work, "pinwick-run.txt")
    deadline = time.monotonic() + 10
    while not os.path.exists(saved) and time.monotonic() < deadline:
        time.sleep(0.1)
    with open(saved) as f:
        if not page.evaluate("Pinwick.fileText('/pinwick-run.txt')").startswith(f.read()):
            raise Failure("save recording saved another file")

    # Esc closes how to play and reaches no further: the game plays on.
    page.evaluate("document.getElementById('how-to-play').focus()")
    key(page, "Enter")
    page.wait_for("document.getElementById('how-to').open", "how to play")
    key(page, "Escape")
    page.wait_for("!document.getElementById('how-to').open", "how to play to close")
    wait_frames(page, 10)
    if page.evaluate("[Pinwick.exitCode, document.activeElement.id]") != [None, "how-to-play"]:
        raise Failure("Esc in how to play gave %s" % page.evaluate("[Pinwick.exitCode, document.activeElement.id]"))

    expanded = "document.querySelector('[aria-controls=menu-items-0]').getAttribute('aria-expanded')"
    focused = "document.activeElement.textContent"
    page.evaluate("document.querySelector('[aria-controls=menu-items-0]').focus()")
    walk = []
    for name in ("ArrowDown", "ArrowDown", "ArrowDown", "ArrowUp"):
        key(page, name)
        walk.append((page.evaluate(expanded), page.evaluate(focused)))
    if walk != [("true", "Reset"), ("true", "Exit"), ("true", "Reset"), ("true", "Exit")]:
        raise Failure("the arrows in the Game menu gave %s" % walk)
    key(page, "Escape")
    if (page.evaluate(expanded), page.evaluate(focused)) != ("false", "Game"):
        raise Failure("Esc in the menu left %s with the focus on %s" % (page.evaluate(expanded), page.evaluate(focused)))
    wait_frames(page, 10)
    if page.evaluate("Pinwick.exitCode") is not None:
        raise Failure("Esc in the menu ended the game")

    key(page, "m")
    page.wait_for("!document.getElementById('cover').hidden", "the cover")
    if page.evaluate("document.activeElement.id") != "cover" or "Enter" not in page.evaluate(focused):
        raise Failure("the cover has no focus or does not say how to come back: %r" % page.evaluate(focused))
    key(page, "Enter")
    page.wait_for("document.getElementById('cover').hidden", "the game back")
    if page.evaluate(focused) != "Game":
        raise Failure("the cover gave the focus to %r" % page.evaluate(focused))
    page.evaluate("[...document.querySelectorAll('#menubar button')].find(b => b.textContent == 'Ver').focus()")
    key(page, "Enter")
    page.wait_for("document.getElementById('message').open", "the version box")
    key(page, "Enter")
    page.wait_for("!document.getElementById('message').open && document.activeElement.textContent == 'Ver'",
                  "the focus back on Ver")

    # Setting > Volume from the keyboard: the panel shows both mutes.
    page.evaluate("document.querySelector('[aria-controls=menu-items-1]').focus()")
    key(page, "Enter")
    key(page, "Enter")
    page.wait_for("!document.getElementById('volume').hidden", "the volume panel")
    controls = accessible_controls(page)
    names = [name for _, name in controls]
    if "" in names or len(set(names)) != len(names):
        raise Failure("the controls' names are not unique: %s" % json.dumps(controls, ensure_ascii=False))
    key(page, "Escape")
    if page.evaluate(focused) != "Setting":
        raise Failure("the volume panel gave the focus to %r" % page.evaluate(focused))
    screen = web_tests.rect(page, "#screen")
    for x in range(VOLUME_WAIT_MESSAGES):  # the game waits for them after Volume
        page.call("Input.dispatchMouseEvent", type="mouseMoved", x=screen["x"] + x, y=screen["y"] + 1)

    stopped = frames(page)
    page.evaluate("document.activeElement.blur()")
    key(page, "Escape")
    page.wait_for("Pinwick.exitCode == 1", "the end of the game (%d frames)" % stopped)
    if page.evaluate("[...document.querySelectorAll('#menubar .menu')].some(m => !m.inert)") or \
            page.evaluate("document.getElementById('save-trace').closest('[inert]') !== null"):
        raise Failure("after the end the menus are not inert, or the recording's buttons are")


if __name__ == "__main__":
    sys.exit(run_case(globals()))
