#!/usr/bin/env python3
"""Keyboard play on the page: keys_tests.py CASE PAGE_DIR TOOL, as web_tests.py."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from page_driver import Failure  # noqa: E402
from web_tests import run_case, CASE, PAGE_DIR, open_game, replay_trace, untimed, wait_frames  # noqa: E402

# KeyboardEvent key, code and the Windows virtual key Chromium reports.
KEYS = {"ArrowRight": ("ArrowRight", 39), "Enter": ("Enter", 13),
        "NumpadEnter": ("NumpadEnter", 13), "Escape": ("Escape", 27)}
FIRST_TURN_FRAMES = 150  # the computer's first move comes after 101 frames, its stone turns 20 later


def key(page, name):
    code, virtual = KEYS[name]
    key_name = "Enter" if name == "NumpadEnter" else name
    text = "\r" if key_name == "Enter" else ""  # what a real Enter types, so that it presses a focused button
    page.call("Input.dispatchKeyEvent", type="keyDown", key=key_name, code=code, windowsVirtualKeyCode=virtual,
              text=text)
    page.call("Input.dispatchKeyEvent", type="keyUp", key=key_name, code=code, windowsVirtualKeyCode=virtual)


def case_keys(page, address, work):
    # Right and Enter pick the red card; after the computer's first move the
    # keypad's Enter plays the cursor's square, a legal one whatever the
    # computer chose. The recording holds the keys
    # and replays headless to the page's own trace, cursor fields and all.
    open_game(page, address + "?record")
    wait_frames(page, 20)
    key(page, "ArrowRight")
    wait_frames(page, 5)
    key(page, "Enter")
    wait_frames(page, FIRST_TURN_FRAMES)
    key(page, "NumpadEnter")  # the first square red may play: the cursor starts there
    wait_frames(page, 5)
    key(page, "Escape")  # mid-match: the page asks first, and Yes lets the game have it
    page.wait_for("document.getElementById('confirm').open", "the question before Esc ends the match")
    key(page, "Enter")
    page.wait_for("Pinwick.exitCode == 1", "the end of the game")
    script = page.evaluate("Pinwick.fileText('/pinwick-run.txt')")
    live = untimed(page.evaluate("Pinwick.fileText('/pinwick-run.trace')"))
    for said in ("key right down", "key enter down"):
        if said not in script:
            raise Failure("the recording holds no '%s'" % said)
    if " cur=red" not in live or " hc=2 " not in live:
        raise Failure("Right and Enter did not pick the red card")
    if not any(" ms=2 side=2 " in line and " cur=" in line for line in live.splitlines()):
        raise Failure("Enter played no red stone from the cursor")
    if replay_trace(work, script) != live:
        raise Failure("the recording of the keys replays to another trace")


if __name__ == "__main__":
    sys.exit(run_case(globals()))
