#!/usr/bin/env python3
"""The page's guards and layouts in headless Chromium: ux_tests.py CASE PAGE_DIR TOOL.

The way out of GAME OVER, the keys the page keeps, the questions before a
match is lost, the pointer after Volume, the colours, the phone held
upright and a start that fails. A page without its files is skipped (77)
unless PINWICK_REQUIRE_WEB=1."""
import os
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from page_driver import Failure, serve  # noqa: E402
from share_tests import link_of  # noqa: E402
from web_tests import run_case, CARD, click_element, click_game, frames, key, open_game, rect, wait_frames  # noqa: E402

CASE, PAGE_DIR = sys.argv[1:3]
SCENE_TITLE, SCENE_MATCH, SCENE_ENDING, SCENE_GAME_OVER = 2, 3, 4, 5
END_CARD = (20, 30)
# Two players, white first: white takes every black stone in nine moves.
WIPEOUT = [(4, 2), (3, 2), (2, 1), (5, 1), (4, 1), (5, 2), (2, 4), (3, 1), (6, 1)]
MOVE_FRAMES = 45        # a move's stones have turned
LEAVE_SHOWN_S = 6       # the way out shows a few seconds into GAME OVER
WON_MATCH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "replays", "win_ending.txt")
ENDING_SHARED_FRAME = 2700  # the ending scene starts at frame 2554
PHONE = (390, 844, 3)   # CSS pixels and device pixels per CSS pixel
SQUARE_GAME_PIXELS = 6
MOST_TAPS_AFTER_VOLUME = 7  # each tap on the picture is 8 messages; 13 when only its touches counted
CONTRAST = 4.5

# The contrast of an element's text with the colour behind it (the first
# ancestor that paints one), by the WCAG formula.
CONTRAST_JS = r"""
(element) => {
  const rgb = text => text.match(/[\d.]+/g).map(Number);
  const luminance = ([r, g, b]) => [r, g, b].map(c => c / 255)
      .map(c => c <= 0.03928 ? c / 12.92 : Math.pow((c + 0.055) / 1.055, 2.4))
      .reduce((sum, c, i) => sum + c * [0.2126, 0.7152, 0.0722][i], 0);
  let behind = element;
  while (behind && rgb(getComputedStyle(behind).backgroundColor)[3] === 0) behind = behind.parentElement;
  const back = behind ? rgb(getComputedStyle(behind).backgroundColor) : [255, 255, 255];
  const [a, b] = [luminance(rgb(getComputedStyle(element).color)), luminance(back)];
  return (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05);
}"""


def scene(page):
    return page.evaluate("PinwickUx.scene()")


def wait_scene(page, code, what):
    page.wait_for("PinwickUx.scene() == %d" % code, what)


def shown(page, element_id):
    return page.evaluate("(e => !!e && !e.hidden && e.getClientRects().length > 0)(document.getElementById(%r))"
                         % element_id)


def space(page):
    for kind in ("keyDown", "keyUp"):
        page.call("Input.dispatchKeyEvent", type=kind, key=" ", code="Space", windowsVirtualKeyCode=32,
                  text=" " if kind == "keyDown" else "")


def tap(page, x, y):
    page.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
    page.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])


def centre(page, selector):
    r = rect(page, selector)
    return r["x"] + r["width"] / 2, r["y"] + r["height"] / 2


def start_match(page):
    click_game(page, *CARD)
    wait_scene(page, SCENE_MATCH, "the match")
    wait_frames(page, 60)


def case_leave(page, address, work):
    # GAME OVER is no dead end: a few seconds in, new game and a line on how
    # to leave show beside the picture, and new game goes to the title.
    open_game(page, address + "?two-players")
    page.wait_for("PinwickUx.scene() == %d" % SCENE_TITLE, "the title")
    start_match(page)
    for column, row in WIPEOUT:
        click_game(page, 56 + column * 6 + 3, 6 + row * 6 + 3)
        wait_frames(page, MOVE_FRAMES)
    deadline = time.monotonic() + 30
    while scene(page) != SCENE_GAME_OVER:
        if time.monotonic() > deadline:
            raise Failure("the wiped-out match never led to GAME OVER")
        click_game(page, *END_CARD)
        wait_frames(page, 10)
    if shown(page, "below-new-game"):
        raise Failure("the way out shows at once, over the GAME OVER banner's arrival")
    page.wait_for("!document.getElementById('below-new-game').hidden", "new game in GAME OVER", LEAVE_SHOWN_S)
    if not shown(page, "leave-line") or "Esc" not in page.evaluate("document.getElementById('leave-line').textContent"):
        raise Failure("no line says how to leave GAME OVER")
    x, y = centre(page, "#below-new-game")
    page.call("Input.dispatchMouseEvent", type="mousePressed", x=x, y=y, button="left", clickCount=1)
    page.call("Input.dispatchMouseEvent", type="mouseReleased", x=x, y=y, button="left", clickCount=1)
    wait_scene(page, SCENE_TITLE, "the title after new game")
    if shown(page, "below-new-game") or page.evaluate("Pinwick.exitCode") is not None:
        raise Failure("new game did not lead back to a running title")

    # The ending likewise. A won match cannot be played here against the
    # computer (its choices follow the clock), so the golden won match is
    # shared as a link, played back into the ending and played on from there.
    version = [line for line in page.evaluate("Pinwick.fileText('/pinwick-run.txt') || ''").splitlines()
               if line.startswith("0 version ")]
    if not version:
        open_game(page, address + "?record")
        version = [line for line in page.evaluate("Pinwick.fileText('/pinwick-run.txt')").splitlines()
                   if line.startswith("0 version ")]
    with open(WON_MATCH) as script:
        events = [line.split("#")[0].strip() for line in script]
    events = [line for line in events if line and int(line.split()[0]) <= ENDING_SHARED_FRAME]
    run = "\n".join(version + ["0 seconds 0"] + events + ["# complete up to frame %d" % ENDING_SHARED_FRAME, ""])
    open_game(page, address + "#replay=" + link_of(run))
    page.wait_for("Pinwick.replay == 'playing'", "the won match's playback")
    page.evaluate("(s => { s.value = '16'; s.dispatchEvent(new Event('change')); })"
                  "(document.getElementById('share-speed'))")
    page.wait_for("Pinwick.replay == 'over'", "the end of the won match's playback", 60)
    if scene(page) != SCENE_ENDING:
        raise Failure("the won match played back to scene %d, not the ending" % scene(page))
    page.evaluate("[...document.querySelectorAll('#share-panel button')].find(b => b.textContent == 'play on'"
                  " || b.textContent == '続きを遊ぶ').click()")
    page.wait_for("!document.getElementById('below-new-game').hidden", "new game in the ending", LEAVE_SHOWN_S)
    x, y = centre(page, "#below-new-game")
    page.call("Input.dispatchMouseEvent", type="mousePressed", x=x, y=y, button="left", clickCount=1)
    page.call("Input.dispatchMouseEvent", type="mouseReleased", x=x, y=y, button="left", clickCount=1)
    wait_scene(page, SCENE_TITLE, "the title after new game in the ending")


def case_keys(page, address, work):
    # Space on a focused menu title opens its menu, Esc closes it, and the
    # game runs on; in a match Esc and Reset are asked about first, and No
    # keeps the match.
    open_game(page, address)
    page.wait_for("PinwickUx.scene() == %d" % SCENE_TITLE, "the title")
    page.evaluate("document.querySelector('#menubar .menu button').focus()")
    space(page)
    page.wait_for("!!document.querySelector('#menubar .menu.open')", "Space to open the focused menu")
    key(page, "Escape")
    page.wait_for("!document.querySelector('#menubar .menu.open')", "Esc to close the menu")
    wait_frames(page, 10)
    if page.evaluate("Pinwick.exitCode") is not None:
        raise Failure("the Esc that closed the menu ended the game")

    page.evaluate("document.activeElement.blur()")
    start_match(page)
    key(page, "Escape")
    page.wait_for("document.getElementById('confirm').open", "the question before Esc ends the match")
    if "ゲームを終了" not in page.evaluate("document.getElementById('confirm-text').textContent"):
        raise Failure("the Japanese page does not ask in Japanese")
    asked = frames(page)
    time.sleep(0.5)
    if frames(page) != asked:
        raise Failure("the match ran on under the question")
    key(page, "Escape")
    page.wait_for("!document.getElementById('confirm').open", "No to close the question")
    wait_frames(page, 10)
    if page.evaluate("Pinwick.exitCode") is not None or scene(page) != SCENE_MATCH:
        raise Failure("No to the question still ended the match")
    page.evaluate("document.documentElement.lang = 'en'; window.dispatchEvent(new Event('pinwick-language'))")
    click_element(page, "Game")
    click_element(page, "Reset")
    page.wait_for("document.getElementById('confirm').open", "the question before Reset throws the match away")
    if page.evaluate("[document.getElementById('confirm-text').textContent, document.getElementById('confirm-no')"
                     ".textContent]") != ["Leave this match and go back to the title?", "No"]:
        raise Failure("the English page does not ask in English")
    click_element(page, page.evaluate("document.getElementById('confirm-no').textContent"))
    wait_frames(page, 10)
    if scene(page) != SCENE_MATCH:
        raise Failure("No to the Reset question still left the match")
    if not page.evaluate("(() => { const e = new Event('beforeunload', {cancelable: true});"
                         " window.dispatchEvent(e); return e.defaultPrevented; })()"):
        raise Failure("leaving the page in a match is not asked about")


def case_panels(page, address, work):
    # The dialog's buttons and every text on the page are readable; the
    # volume panel never lies over a menu; touches count after Volume.
    open_game(page, address)
    page.call("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=1)
    page.wait_for("PinwickUx.scene() == %d" % SCENE_TITLE, "the title")
    low = page.evaluate("[...document.querySelectorAll('body *')].filter(e => e.getClientRects().length &&"
                        " [...e.childNodes].some(n => n.nodeType == 3 && n.textContent.trim()))"
                        ".map(e => [e.id || e.textContent.trim(), (%s)(e)]).filter(([_, c]) => c < %s)"
                        % (CONTRAST_JS, CONTRAST))
    if low:
        raise Failure("text below %s:1 on the page: %s" % (CONTRAST, low))
    click_element(page, "Ver")
    page.wait_for("document.getElementById('message').open", "the version box")
    x, y = centre(page, "#message-ok")
    page.call("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y)
    for state in ("focused and hovered", "focused"):
        contrast = page.evaluate("(%s)(document.getElementById('message-ok'))" % CONTRAST_JS)
        if contrast < CONTRAST:
            raise Failure("the dialog's default button, %s, has a contrast of %.2f:1" % (state, contrast))
        page.call("Input.dispatchMouseEvent", type="mouseMoved", x=1, y=y)
    key(page, "Enter")
    page.wait_for("!document.getElementById('message').open", "the version box to close")

    for title in ("Setting", "Volume"):
        tap(page, *page.evaluate("(() => { const b = [...document.querySelectorAll('button')]"
                                 ".find(b => b.textContent == %r); const r = b.getBoundingClientRect();"
                                 " return [r.left + r.width / 2, r.top + r.height / 2]; })()" % title))
    page.wait_for("!document.getElementById('volume').hidden", "the volume panel")
    click_element(page, "Game")
    exit_at = page.evaluate("(() => { const b = [...document.querySelectorAll('.items button')]"
                            ".find(b => b.textContent == 'Exit'); const r = b.getBoundingClientRect();"
                            " return document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2)"
                            " === b; })()")
    if not exit_at:
        raise Failure("the volume panel lies over the Game menu's Exit")
    key(page, "Escape")
    page.wait_for("!document.querySelector('#menubar .menu.open')", "Esc to close the menu")

    # After Volume the game waits for 50 messages: taps bring it back.
    r = rect(page, "#screen")
    scale = r["width"] / 160
    for taps in range(1, MOST_TAPS_AFTER_VOLUME + 1):
        tap(page, r["x"] + (CARD[0] + 0.5) * scale, r["y"] + (CARD[1] + 0.5) * scale)
        time.sleep(0.3)
        if scene(page) == SCENE_MATCH:
            break
    else:
        raise Failure("%d taps after Volume did not start the match" % MOST_TAPS_AFTER_VOLUME)


def case_upright(page, address, work):
    # A phone held upright: the match's board squares are at least 30 CSS
    # pixels, every piece at a whole factor of device pixels, and a tap on
    # a square plays it.
    width, height, ratio = PHONE
    open_game(page, address + "?two-players")
    page.call("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=ratio, mobile=True)
    page.call("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=1)
    page.wait_for("PinwickUx.scene() == %d && document.body.classList.contains('upright')" % SCENE_TITLE,
                  "the title, upright")
    r = rect(page, "#screen")
    scale = r["width"] / 160
    tap(page, r["x"] + (CARD[0] + 0.5) * scale, r["y"] + (CARD[1] + 0.5) * scale)
    wait_scene(page, SCENE_MATCH, "the match")
    layout = page.evaluate("PinwickUx.pieces()")
    if not layout["pieces"]:
        raise Failure("the match is shown whole on an upright phone")
    board = layout["pieces"][0]
    square = SQUARE_GAME_PIXELS * board["scale"] / layout["ratio"]
    if square < 30:
        raise Failure("a board square is %.1f CSS pixels" % square)
    s = rect(page, "#screen")
    if s["x"] + s["width"] > width or s["y"] + s["height"] + 48 > height:
        raise Failure("the pieces and the controls below do not fit the phone: %s" % s)
    wait_frames(page, 60)
    before = page.evaluate("Array.from(document.getElementById('canvas').getContext('2d')"
                           ".getImageData(%d, %d, 1, 1).data)" % (56 + 5 * 6 + 3, 6 + 3 * 6 + 3))
    gx = (5 * 6 + 3 + 56 - board["sourceLeft"]) * board["scale"] + board["left"]
    gy = (3 * 6 + 6 + 3) * board["scale"] + board["top"]
    tap(page, s["x"] + gx / layout["ratio"], s["y"] + gy / layout["ratio"])
    page.wait_for("(a => a[0] != %d || a[1] != %d)(Array.from(document.getElementById('canvas').getContext('2d')"
                  ".getImageData(%d, %d, 1, 1).data))" % (before[0], before[1], 56 + 5 * 6 + 3, 6 + 3 * 6 + 3),
                  "a stone on the tapped square (5, 3)")


def case_failed(page, address, work):
    # Without its code, or opened as a file, the page says what failed.
    folder = os.path.join(work, "page")
    shutil.copytree(PAGE_DIR, folder)
    os.remove(os.path.join(folder, "pinwick.wasm"))
    server, missing = serve(folder)
    try:
        for url, word in ((missing, "pinwick.wasm"), ("file://" + os.path.abspath(os.path.join(PAGE_DIR, "index.html")), "http.server")):
            page.open_page(url)
            page.wait_for("(e => e && !e.hidden)(document.getElementById('failed'))", "the message for " + url)
            text = page.evaluate("document.getElementById('failed').textContent")
            if word not in text:
                raise Failure("the message for %s says %r" % (url, text))
    finally:
        server.shutdown()


if __name__ == "__main__":
    sys.exit(run_case(globals()))
