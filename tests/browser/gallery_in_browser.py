#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Opens the gallery page of a real run in headless Chromium: every swatch's
image loads, a click on a swatch fills the window with that tile's repeat,
Right and Left step to the next and previous tile, a zoom button sets the
repeat's size, and Escape goes back to the grid. A gallery page written into
another folder than the tiles finds them too. The page of a batch of two
such folders, written by quillmore-cli --gallery-of, loads every tile of
both, and Right steps from the last tile of one to the first of the next.

gallery_in_browser.py <WriteSamplePage> <picture> <quillmore-cli>

Exits 77 (skipped) when no Chromium is installed.
"""

import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from index_page_in_browser import SKIP, Browser, Failure, attach, centre_of, check, find_browser  # noqa: E402

COUNT = 7


def key(browser, session, name, code):
    for kind in ("keyDown", "keyUp"):
        browser.send("Input.dispatchKeyEvent",
                     {"type": kind, "key": name, "code": name, "windowsVirtualKeyCode": code},
                     session)


def shown(browser, session):
    return browser.evaluate(session, """[document.body.classList.contains('viewing'),
        getComputedStyle(document.getElementById('view')).backgroundImage.split('/').pop(),
        document.getElementById('view').style.backgroundSize]""")


def check_swatches_load(browser, session, page, count=COUNT):
    browser.send("Page.navigate", {"url": "file://" + page}, session)
    browser.wait_event("Page.loadEventFired", session=session)
    widths = browser.evaluate(session, """Promise.all([...document.querySelectorAll('.repeat')]
        .map(r => new Promise(done => {
            const image = new Image();
            image.onload = () => done(image.naturalWidth);
            image.onerror = () => done(0);
            image.src = getComputedStyle(r).backgroundImage.slice(5, -2);
        })))""")
    check(len(widths) == count and all(w > 0 for w in widths),
          f"all {count} swatch images of {os.path.basename(page)} load (widths {sorted(set(widths))})")


def check_gallery(browser, folder, prefix, elsewhere):
    targets = browser.send("Target.getTargets")["targetInfos"]
    page = next(t for t in targets if t["type"] == "page")
    session = attach(browser, page["targetId"])
    check_swatches_load(browser, session, elsewhere)
    check_swatches_load(browser, session, os.path.join(folder, "gallery.html"))

    x, y = centre_of(browser, session, ".swatch:nth-child(3) .repeat")
    browser.click(session, x, y)
    viewing, image, size = shown(browser, session)
    check(viewing and image.endswith("003.png\")"), f"a click shows tile 3 ({image})")
    key(browser, session, "ArrowRight", 39)
    check(shown(browser, session)[1].endswith("004.png\")"), "Right shows tile 4")
    key(browser, session, "ArrowLeft", 37)
    key(browser, session, "ArrowLeft", 37)
    check(shown(browser, session)[1].endswith("002.png\")"), "Left twice shows tile 2")
    x, y = centre_of(browser, session, "#bar [data-zoom='2']")
    browser.click(session, x, y)
    width = browser.evaluate(session, "document.querySelector('.swatch').dataset.width")
    check(shown(browser, session)[2].startswith(f"{int(width) * 2}px"), "200 % doubles the repeat")
    key(browser, session, "Escape", 27)
    check(not shown(browser, session)[0], "Escape returns to the grid")


def check_batch_gallery(browser, page):
    targets = browser.send("Target.getTargets")["targetInfos"]
    session = attach(browser, next(t for t in targets if t["type"] == "page")["targetId"])
    check_swatches_load(browser, session, page, 2 * COUNT)
    last = "section:first-of-type .swatch:last-child .repeat"
    browser.evaluate(session, f"document.querySelector('{last}').scrollIntoView()")
    x, y = centre_of(browser, session, last)
    browser.click(session, x, y)
    key(browser, session, "ArrowRight", 39)
    image = browser.evaluate(session, "document.getElementById('view').style.backgroundImage")
    check(image.startswith('url("tiles2/') and image.endswith('001.png")'),
          f"Right steps from the first picture's last tile to the next picture's first ({image})")


def main():
    if len(sys.argv) < 4:
        print(__doc__)
        return 2
    writer, picture, cli = sys.argv[1], sys.argv[2], sys.argv[3]
    executable = find_browser()
    if not executable:
        print("skipped: no Chromium installed (scripts/install-deps.sh installs it)")
        return SKIP
    prefix = "a&b #模様"
    with tempfile.TemporaryDirectory(prefix="quillmore-gallery-") as work:
        tiles = os.path.join(work, "tiles")
        os.mkdir(tiles)
        os.mkdir(os.path.join(work, "pages"))
        subprocess.run([writer, tiles, picture, "title", prefix, str(COUNT), "5", "2",
                        "../pages/g.html"], check=True)
        shutil.copytree(tiles, os.path.join(work, "tiles2"))
        subprocess.run([cli, "--gallery-of", work], check=True)
        browser = Browser(executable, tempfile.mkdtemp(prefix="profile-", dir=work))
        try:
            browser.send("Target.setDiscoverTargets", {"discover": True})
            check_gallery(browser, tiles, prefix, os.path.join(work, "pages", "g.html"))
            check_batch_gallery(browser, os.path.join(work, "gallery.html"))
        except Failure as failure:
            print("FAILED:", failure)
            return 1
        finally:
            browser.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
