#!/usr/bin/env python3
"""The page's language in headless Chromium: lang_tests.py CASE PAGE_DIR TOOL.

The same arguments, browser and server as web_tests.py, whose helpers it
uses; the canvas is compared with the headless tool's frames in the same
language."""
import json
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from page_driver import Failure  # noqa: E402
from web_tests import run_case, CASE, PAGE_DIR, canvas, headless_frame, open_game, options_recorded, wait_canvas  # noqa: E402

TITLE_FRAME = 60


def shown(page):
    """The page's language, the level's label and the address."""
    return page.evaluate("[document.documentElement.lang,"
                         " document.getElementById('setting-level').closest('label').firstChild.nodeValue.trim(),"
                         " location.search]")


def choose(page, code):
    page.evaluate("(() => { const s = document.getElementById('setting-language'); s.value = %r;"
                  " s.dispatchEvent(new Event('change')); })()" % code)


def open_in_browser_of(page, url, languages):
    """open_game in a browser whose languages are these."""
    page.open_page("about:blank")
    page.call("Page.addScriptToEvaluateOnNewDocument",
              source="Object.defineProperty(navigator, 'languages', {get: () => %s})" % json.dumps(languages))
    page.call("Page.navigate", url=url)
    page.wait_for("typeof Pinwick != 'undefined'", "the page's script")


def case_lang(page, address, work):
    # ?lang=en: the English title and the page's texts in English.
    english, japanese = headless_frame(work, TITLE_FRAME, "--lang", "en"), headless_frame(work, TITLE_FRAME)
    if english == japanese:
        raise Failure("the tool draws the same title in both languages")
    open_game(page, address + "?record&lang=en")
    wait_canvas(page, english, "the English title")
    if shown(page)[:2] != ["en", "level"] or options_recorded(page) != ["0 lang en"]:
        raise Failure("?lang=en shows %s, recorded %s" % (shown(page), options_recorded(page)))

    # Chosen in the settings: the page and the game change at once, the
    # others hear of it, and the choice is remembered and in the address.
    page.evaluate("window.heard = 0; window.addEventListener('pinwick-language', () => ++window.heard)")
    choose(page, "ja")
    wait_canvas(page, japanese, "the Japanese title after the choice")
    if shown(page)[:2] != ["ja", "レベル"] or page.evaluate("window.heard") != 1:
        raise Failure("choosing Japanese shows %s, heard %s" % (shown(page), page.evaluate("window.heard")))
    if page.evaluate("localStorage.getItem('pinwick.language')") != "0":
        raise Failure("the choice was not remembered")
    browser_japanese = page.evaluate("/^ja/i.test(navigator.languages[0] || 'ja')")
    if ("lang=ja" in shown(page)[2]) == browser_japanese:
        raise Failure("the address is %r for a browser in %s" % (shown(page)[2], page.evaluate("navigator.languages")))

    # A plain address takes the remembered language; a bad one is named and
    # changes nothing; a stored value the page never writes is the
    # browser's language.
    open_game(page, address)
    wait_canvas(page, japanese, "the remembered Japanese title")
    open_game(page, address + "?lang=fr")
    wait_canvas(page, japanese, "the remembered title under ?lang=fr")
    if "lang=fr" not in page.evaluate("document.getElementById('setting-note').textContent"):
        raise Failure("?lang=fr is not named below the picture")
    page.evaluate("localStorage.setItem('pinwick.language', 'en')")
    open_game(page, address)
    wait_canvas(page, japanese if browser_japanese else english, "the browser's language for a bad stored one")
    if page.evaluate("localStorage.getItem('pinwick.language')") != ("0" if browser_japanese else "1"):
        raise Failure("the bad stored language was left")
    if canvas(page) != (japanese if browser_japanese else english):
        raise Failure("the title changed")

    # With nothing remembered the browser's first language decides: 'ja*'
    # Japanese, any other English, none Japanese.
    for languages, expected in ((["de-DE", "ja"], english), (["JA-jp"], japanese), ([], japanese)):
        page.evaluate("localStorage.clear()")
        open_in_browser_of(page, address, languages)
        wait_canvas(page, expected, "the title for a browser in %s" % languages)


if __name__ == "__main__":
    sys.exit(run_case(globals()))
