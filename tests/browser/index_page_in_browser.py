#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Opens the HTML index page of a real run in headless Chromium and checks
what a user sees: every thumbnail loads, the title reads as typed, a click on
a thumbnail opens the window "img" with that tile as its tiled background and
a button "閉じる", and the button closes the window.

index_page_in_browser.py <WriteSamplePage> <picture> [screenshot folder]

Talks to the browser over the DevTools pipe (file descriptors 3 and 4), so
it needs nothing beyond the Python standard library. Exits 77 (skipped) when
no Chromium is installed.
"""

import base64
import fcntl
import json
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time
from urllib.parse import unquote

SKIP = 77
TIMEOUT = 60.0


class Failure(Exception):
    pass


def find_browser():
    for name in ("chromium", "chromium-browser", "google-chrome"):
        path = shutil.which(name)
        if path:
            return path
    return None


class Browser:
    """A headless Chromium driven over --remote-debugging-pipe."""

    def __init__(self, executable, profile):
        to_browser_r, self._to_browser = os.pipe()
        self._from_browser, from_browser_w = os.pipe()

        def wire_pipes():
            read_end = fcntl.fcntl(to_browser_r, fcntl.F_DUPFD, 10)
            write_end = fcntl.fcntl(from_browser_w, fcntl.F_DUPFD, 10)
            os.dup2(read_end, 3)
            os.dup2(write_end, 4)

        self._process = subprocess.Popen(
            [executable, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
             "--no-first-run", "--disable-background-networking",
             "--disable-component-update", "--disable-sync",
             "--user-data-dir=" + profile, "--remote-debugging-pipe",
             "--window-size=800,600", "about:blank"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=wire_pipes, pass_fds=(3, 4))
        os.close(to_browser_r)
        os.close(from_browser_w)
        self._buffer = b""
        self._next_id = 0
        self.events = []

    def close(self):
        try:
            self.send("Browser.close")
        except Failure:
            pass
        try:
            self._process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self._process.kill()
            self._process.wait()
        os.close(self._to_browser)
        os.close(self._from_browser)

    def _read_message(self, deadline):
        while b"\0" not in self._buffer:
            left = deadline - time.monotonic()
            if left <= 0:
                raise Failure("the browser did not answer in time")
            ready, _, _ = select.select([self._from_browser], [], [], left)
            if ready:
                chunk = os.read(self._from_browser, 1 << 20)
                if not chunk:
                    raise Failure("the browser closed the DevTools pipe")
                self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def post(self, method, params=None, session=None):
        """Sends a command without waiting for its answer."""
        self._next_id += 1
        request = {"id": self._next_id, "method": method, "params": params or {}}
        if session:
            request["sessionId"] = session
        os.write(self._to_browser, json.dumps(request).encode() + b"\0")

    def send(self, method, params=None, session=None):
        self.post(method, params, session)
        deadline = time.monotonic() + TIMEOUT
        while True:
            message = self._read_message(deadline)
            if message.get("id") == self._next_id:
                if "error" in message:
                    raise Failure(f"{method}: {message['error']}")
                return message.get("result", {})
            self.events.append(message)

    def wait_event(self, method, accept=lambda params: True, session=None):
        deadline = time.monotonic() + TIMEOUT
        while True:
            for index, event in enumerate(self.events):
                if (event.get("method") == method and accept(event.get("params", {}))
                        and (session is None or event.get("sessionId") == session)):
                    del self.events[index]
                    return event["params"]
            self.events.append(self._read_message(deadline))

    def evaluate(self, session, expression):
        result = self.send("Runtime.evaluate",
                           {"expression": expression, "returnByValue": True, "awaitPromise": True},
                           session)
        if "exceptionDetails" in result:
            raise Failure(f"script failed: {expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def click(self, session, x, y, closes_target=False):
        """A left click at (x, y). When the click closes the target, the
        answer to the release may never come, so it is not waited for."""
        press = {"type": "mousePressed", "x": x, "y": y, "button": "left", "clickCount": 1}
        self.send("Input.dispatchMouseEvent", press, session)
        release = dict(press, type="mouseReleased")
        if closes_target:
            self.post("Input.dispatchMouseEvent", release, session)
        else:
            self.send("Input.dispatchMouseEvent", release, session)

    def screenshot(self, session, path):
        data = self.send("Page.captureScreenshot", {"format": "png"}, session)["data"]
        with open(path, "wb") as file:
            file.write(base64.b64decode(data))


def attach(browser, target_id):
    session = browser.send("Target.attachToTarget",
                           {"targetId": target_id, "flatten": True})["sessionId"]
    browser.send("Page.enable", session=session)
    browser.send("Runtime.enable", session=session)
    return session


def check(condition, what):
    if not condition:
        raise Failure(what)
    print("ok:", what)


def centre_of(browser, session, selector):
    box = browser.evaluate(session, f"""(() => {{
        const r = document.querySelector({json.dumps(selector)}).getBoundingClientRect();
        return [r.left + r.width / 2, r.top + r.height / 2];
    }})()""")
    return box[0], box[1]


def check_page(browser, folder, title, prefix, count, shots, shot_name, link_prefix):
    targets = browser.send("Target.getTargets")["targetInfos"]
    page = next(t for t in targets if t["type"] == "page")
    session = attach(browser, page["targetId"])
    url = "file://" + os.path.join(folder, "list.html")
    browser.send("Page.navigate", {"url": url}, session)
    browser.wait_event("Page.loadEventFired", session=session)

    check(browser.evaluate(session, "document.title") == title,
          f"the page title reads {title!r} "
          f"(shown: {browser.evaluate(session, 'document.title')!r}, "
          f"decoded as {browser.evaluate(session, 'document.characterSet')})")
    widths = browser.evaluate(session, "[...document.images].map(i => i.complete && i.naturalWidth)")
    check(len(widths) == count and all(w and w > 0 for w in widths),
          f"all {count} thumbnails load (natural widths {sorted(set(widths))})")
    numbers = browser.evaluate(session, "[...document.querySelectorAll('td')].map(c => c.innerText.trim())")
    check(numbers == [str(n) for n in range(1, count + 1)], "each cell shows its number")
    if shots:
        browser.screenshot(session, os.path.join(shots, shot_name + "-page.png"))

    for clicked in (2, 1):
        name = f"{prefix}{clicked:03d}.png"
        link = f"{link_prefix}{clicked:03d}.png"
        x, y = centre_of(browser, session, f"img[src='{link}']")
        browser.click(session, x, y)
        if clicked == 2:
            created = browser.wait_event(
                "Target.targetCreated",
                lambda p: p["targetInfo"]["type"] == "page" and p["targetInfo"].get("openerId"))
            popup_id = created["targetInfo"]["targetId"]
            popup = attach(browser, popup_id)
        state = browser.evaluate(popup, f"""new Promise(done => {{
            const body = document.body;
            const probe = new Image();
            const report = width => done({{
                name: window.name,
                title: document.title,
                background: body.getAttribute('background'),
                image: getComputedStyle(body).backgroundImage,
                repeat: getComputedStyle(body).backgroundRepeat,
                button: document.querySelector('input[type=button]').value,
                width: width
            }});
            probe.onload = () => report(probe.naturalWidth);
            probe.onerror = () => report(0);
            probe.src = new URL(body.getAttribute('background'), location.href).href;
        }})""")
        check(state["name"] == "img" and state["title"] == "image",
              f"a click opens the window img titled image (thumbnail {clicked})")
        check(state["background"] == link and unquote(state["image"]).endswith(name + '")')
              and state["repeat"] == "repeat" and state["width"] > 0,
              f"the pop-up shows {name} as its tiled background ({state['image']}, {state['repeat']})")
        check(state["button"] == "閉じる", f"the pop-up's button reads 閉じる (shown: {state['button']!r})")
        check(browser.evaluate(session, "location.href") == url, "the click does not follow the link")
        if shots:
            browser.send("Emulation.setDeviceMetricsOverride",
                         {"width": 400, "height": 300, "deviceScaleFactor": 1, "mobile": False},
                         popup)
            browser.screenshot(popup, os.path.join(shots, f"{shot_name}-popup{clicked}.png"))

    x, y = centre_of(browser, popup, "input[type=button]")
    browser.click(popup, x, y, closes_target=True)
    closed = browser.evaluate(session, """new Promise(done => {
        const started = Date.now();
        const poll = () => imgwin.closed || Date.now() - started > 10000
            ? done(imgwin.closed) : setTimeout(poll, 50);
        poll();
    })""")
    check(closed is True, f"the button closes the pop-up (clicked at {x:.0f}, {y:.0f})")
    browser.send("Target.detachFromTarget", {"sessionId": session})


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    writer, picture = sys.argv[1], sys.argv[2]
    shots = sys.argv[3] if len(sys.argv) > 3 else None
    executable = find_browser()
    if not executable:
        print("skipped: no Chromium installed (scripts/install-deps.sh installs it)")
        return SKIP

    # The Japanese prefix checks that the names on the page, written in code
    # page 932, lead the browser to the files, whose names are UTF-8; the
    # markup in the third one must reach the files as a name, percent-encoded
    # in the page, without breaking it.
    cases = [("latin", "Tiles & patterns", "image", 7, "image"),
             ("japanese", "模様一覧「タイル」①", "模様", 12, "模様"),
             ("markup", "Tiles", 'q"><img src=x onerror=y>', 3, "q%22%3E%3Cimg src=x onerror=y%3E")]
    with tempfile.TemporaryDirectory(prefix="quillmore-browser-") as work:
        for shot_name, title, prefix, count, link_prefix in cases:
            folder = os.path.join(work, shot_name)
            os.mkdir(folder)
            subprocess.run([writer, folder, picture, title, prefix, str(count), "5", "2"],
                           check=True)
            profile = tempfile.mkdtemp(prefix="profile-", dir=work)
            browser = Browser(executable, profile)
            try:
                browser.send("Target.setDiscoverTargets", {"discover": True})
                check_page(browser, folder, title, prefix, count, shots, shot_name, link_prefix)
            except Failure as failure:
                print("FAILED:", failure)
                return 1
            finally:
                browser.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
