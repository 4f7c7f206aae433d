#!/usr/bin/env python3
"""Web galleries written by `lumivelle-cli web`, opened in headless Chromium and used as a
visitor uses them: the thumbnails load, clicking one shows the full picture in the page with
"Retour à la liste", that link returns to the page it came from, the navigation links lead
from page to page, and names and captions holding quotes, accents, blanks and markup arrive
as typed.

The browser is driven through its DevTools protocol on 127.0.0.1 with real mouse clicks.

    gallery_in_browser.py --cli PATH [--chromium PATH] [--screenshots DIR] CHECK...
CHECK: names, navigation, captions.
"""
import argparse
import base64
import json
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.parse
import urllib.request

import websocket

CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--remote-debugging-address=127.0.0.1", "--remote-debugging-port=0", "--window-size=1280,1024",
]
BACK = "Retour à la liste"


class CheckFailed(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise CheckFailed(message)


class Browser:
    """One headless Chromium with a fresh profile, and its first tab over DevTools."""

    def __init__(self, executable, work):
        self.profile = work / "profile"
        self.log = open(work / "chromium.log", "wb")
        # A home of its own too: nothing of the user's desktop is read or written.
        environment = dict(os.environ, HOME=str(work), XDG_CONFIG_HOME=str(work / "config"),
                           XDG_CACHE_HOME=str(work / "cache"))
        self.process = subprocess.Popen([executable, *CHROMIUM_FLAGS, f"--user-data-dir={self.profile}",
                                         "about:blank"], stdout=self.log, stderr=self.log, env=environment)
        port = self._port()
        targets = json.load(urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list", timeout=10))
        page = next(t for t in targets if t["type"] == "page")
        self.socket = websocket.create_connection(page["webSocketDebuggerUrl"], timeout=20, suppress_origin=True)
        self.next_id = 0
        self.events = []
        self.call("Page.enable")
        self.call("Runtime.enable")

    def _port(self):
        active = self.profile / "DevToolsActivePort"
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            if active.exists() and active.read_text().strip():
                return int(active.read_text().split()[0])
            expect(self.process.poll() is None, "Chromium stopped at start-up")
            time.sleep(0.05)
        raise CheckFailed("Chromium gave no DevTools port")

    def close(self):
        try:
            self.call("Browser.close")
        except Exception:
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.log.close()

    def call(self, method, **params):
        self.next_id += 1
        ident = self.next_id
        self.socket.send(json.dumps({"id": ident, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == ident:
                expect("error" not in message, f"{method}: {message.get('error')}")
                return message.get("result", {})
            self.events.append(message)

    def wait_event(self, name, timeout=15):
        deadline = time.monotonic() + timeout
        while True:
            for i, event in enumerate(self.events):
                if event.get("method") == name:
                    del self.events[: i + 1]
                    return event
            expect(time.monotonic() < deadline, f"no {name} event")
            self.socket.settimeout(max(0.05, deadline - time.monotonic()))
            try:
                self.events.append(json.loads(self.socket.recv()))
            except websocket.WebSocketTimeoutException:
                pass
            finally:
                self.socket.settimeout(20)

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        expect("exceptionDetails" not in result, f"script failed: {expression}: {result.get('exceptionDetails')}")
        return result["result"].get("value")

    def wait_for(self, expression, what, timeout=15):
        deadline = time.monotonic() + timeout
        while True:
            try:
                if self.evaluate(expression):
                    return
            except CheckFailed:
                pass  # the document is being replaced
            expect(time.monotonic() < deadline, f"timed out waiting for {what}")
            time.sleep(0.05)

    def open(self, url):
        self.events.clear()
        self.call("Page.navigate", url=url)
        self.wait_event("Page.loadEventFired")

    def click(self, selector_expression, what):
        """A real left click in the middle of the element the expression gives."""
        box = self.evaluate(f"""(() => {{ const e = {selector_expression}; if (!e) return null;
            e.scrollIntoView({{block: 'center'}}); const r = e.getBoundingClientRect();
            return [r.left + r.width / 2, r.top + r.height / 2]; }})()""")
        expect(box is not None, f"nothing to click: {what}")
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=box[0], y=box[1], button="left", clickCount=1)

    def location_name(self):
        return urllib.parse.unquote(self.evaluate("location.pathname").rsplit("/", 1)[-1])

    def screenshot(self, path):
        data = self.call("Page.captureScreenshot", format="png")["data"]
        pathlib.Path(path).write_bytes(base64.b64decode(data))


class Gallery:
    """Pictures of known sizes, a show made of them, and its gallery written by the CLI."""

    def __init__(self, cli, work, name):
        self.cli, self.folder = cli, work / name
        self.pictures = self.folder / "photos"
        self.pictures.mkdir(parents=True)
        self.sizes = {}

    def picture(self, name, width, height):
        subprocess.run([self.cli, "demo-picture", str(self.pictures / name), str(width), str(height)],
                       check=True, stdout=subprocess.DEVNULL)
        self.sizes[pathlib.Path(name).stem + ".jpg"] = (width, height)

    def write(self, slides, *options):
        """slides: (file name, caption) in show order. Returns the first page's path."""
        script = self.folder / "show.spr"
        lines = [str(len(slides) - 1), "", "1", "1"]
        for name, caption in slides:
            lines += [str(self.pictures / name), "5", "1", "12632256", "0", caption, "12632256"]
        script.write_bytes("\r\n".join(lines).encode("utf-8") + b"\r\n")
        run = subprocess.run([self.cli, "project", "import-spr", str(script), "-o", str(self.folder / "show.dap")],
                             capture_output=True)
        expect(run.returncode == 0, f"import failed: {run.stderr.decode()}")
        out = self.folder / "site"
        out.mkdir()
        run = subprocess.run([self.cli, "web", str(self.folder / "show.dap"), str(out / "galerie.htm"), *options],
                             capture_output=True)
        expect(run.returncode == 0, f"web failed: {run.stderr.decode()}")
        return out / "galerie.htm"


def thumbnails_loaded(browser):
    return browser.evaluate("""Array.from(document.images).map(i => ({src: decodeURIComponent(i.src),
        complete: i.complete, width: i.naturalWidth, height: i.naturalHeight}))""")


def check_page_thumbnails(browser, page, expected_count):
    browser.wait_for("Array.from(document.images).every(i => i.complete)", f"the thumbnails of {page}")
    images = thumbnails_loaded(browser)
    expect(len(images) == expected_count, f"{page}: {len(images)} thumbnails instead of {expected_count}")
    for image in images:
        expect(image["width"] > 0, f"{page}: thumbnail {image['src']} did not load")
        expect(max(image["width"], image["height"]) == 100, f"{page}: {image['src']} is not a thumbnail")
        expect(image["src"].rsplit("/", 1)[-1].startswith("s_"), f"{page}: {image['src']} is not a thumbnail")
    return [image["src"].rsplit("/", 1)[-1][2:] for image in images]


def check_full_view(browser, gallery, page, index, image_name):
    """Clicks thumbnail `index` of `page`, checks the full view, comes back."""
    browser.click(f"document.querySelectorAll('a img')[{index}]", f"thumbnail {index} of {page}")
    browser.wait_for(f"document.body && document.body.innerText.includes({json.dumps(BACK)})"
                     " && document.images.length == 1 && document.images[0].complete",
                     f"the full view of {image_name}")
    shown = thumbnails_loaded(browser)[0]
    expect(shown["src"].rsplit("/", 1)[-1] == image_name, f"full view shows {shown['src']}, not {image_name}")
    expect((shown["width"], shown["height"]) == gallery.sizes[image_name],
           f"{image_name} shown at {shown['width']}x{shown['height']}, not its full size")
    browser.events.clear()
    browser.click(f"Array.from(document.links).find(a => a.innerText == {json.dumps(BACK)})", BACK)
    browser.wait_event("Page.loadEventFired")
    expect(browser.location_name() == page, f"{BACK} led to {browser.location_name()} instead of {page}")


def check_names(cli, chromium, work, shots):
    """Names with an apostrophe, a double quote, accents, blanks, %, # and a letter beyond
    ISO-8859-1, plus two pictures that would take the same copy's name."""
    gallery = Gallery(cli, work, "names")
    names = ["l'été 2.jpg", 'un "grand" jour.png', "Œuvre ñ.png", "x%20y#z.jpg", "plain.jpg"]
    for i, name in enumerate(names):
        gallery.picture(name, 300 + 40 * i, 200 + 10 * i)
    (gallery.pictures / "other").mkdir()
    twin = gallery.pictures / "other" / "plain.jpg"
    subprocess.run([cli, "demo-picture", str(twin), "520", "260"], check=True, stdout=subprocess.DEVNULL)
    gallery.sizes["plain_2.jpg"] = (520, 260)
    slides = [(n, "") for n in names] + [("other/plain.jpg", "")]
    first = gallery.write(slides, "--title", "Noms")
    browser = Browser(chromium, work)
    try:
        browser.open(first.as_uri())
        shown = check_page_thumbnails(browser, "galerie.htm", len(slides))
        expected = [pathlib.Path(n).stem + ".jpg" for n in names] + ["plain_2.jpg"]
        expect(shown == expected, f"cells show {shown}, expected {expected}")
        if shots:
            browser.screenshot(shots / "page0.png")
        for index, image_name in enumerate(expected):
            check_full_view(browser, gallery, "galerie.htm", index, image_name)
            check_page_thumbnails(browser, "galerie.htm", len(slides))
        if shots:
            browser.click("document.querySelectorAll('a img')[1]", "thumbnail 1")
            browser.wait_for("document.images.length == 1 && document.images[0].complete", "a full view")
            browser.screenshot(shots / "full_view.png")
    finally:
        browser.close()


def check_navigation(cli, chromium, work, shots):
    """Five pictures, two per row and one row per page: three pages linked both ways, and
    each page's full views lead back to that page."""
    gallery = Gallery(cli, work, "navigation")
    names = [f"p{i}.png" for i in range(5)]
    for i, name in enumerate(names):
        gallery.picture(name, 200 + 10 * i, 150)
    first = gallery.write([(n, "") for n in names], "--col", "2", "--rows", "1")
    pages = ["galerie.htm", "galerie1.htm", "galerie2.htm"]
    browser = Browser(chromium, work)

    def follow(text, expected):
        browser.events.clear()
        browser.click(f"Array.from(document.links).find(a => a.innerText.includes({json.dumps(text)}))", text)
        browser.wait_event("Page.loadEventFired")
        expect(browser.location_name() == expected, f"{text} led to {browser.location_name()}, not {expected}")

    def links():
        return browser.evaluate("Array.from(document.links).map(a => a.innerText).filter(t => /Suite|Pr/.test(t))")

    try:
        browser.open(first.as_uri())
        expect(links() == ["Suite >>"], f"page 0 navigation: {links()}")
        follow("Suite", pages[1])
        expect(links() == ["<< Précédent", "Suite >>"], f"page 1 navigation: {links()}")
        follow("Précédent", pages[0])
        follow("Suite", pages[1])
        follow("Suite", pages[2])
        expect(links() == ["<< Précédent"], f"page 2 navigation: {links()}")
        expect(check_page_thumbnails(browser, pages[2], 1) == ["p4.jpg"], "page 2 holds the fifth picture")
        check_full_view(browser, gallery, pages[2], 0, "p4.jpg")
        follow("Précédent", pages[1])
        expect(check_page_thumbnails(browser, pages[1], 2) == ["p2.jpg", "p3.jpg"], "page 1 holds pictures 3 and 4")
        check_full_view(browser, gallery, pages[1], 1, "p3.jpg")
    finally:
        browser.close()


def check_captions(cli, chromium, work, shots):
    """Captions, title, link, e-mail and copyright holding markup, ampersands, quotes and
    letters inside and beyond ISO-8859-1 show as typed."""
    gallery = Gallery(cli, work, "captions")
    captions = ["<b>Gras</b> & co", "", 'Dit "oui" à l\'été œ €']
    for i in range(3):
        gallery.picture(f"c{i}.png", 120, 90)
    first = gallery.write([(f"c{i}.png", captions[i]) for i in range(3)], "--captions", "--title", "Mes <b>vacances</b> & Cie",
                          "--copyright", "© 2024 <moi> & œ", "--email", "a&b@exemple.fr",
                          "--link-text", "<Retour>", "--url", "index.htm?a=1&b=\"2\"")
    browser = Browser(chromium, work)
    try:
        browser.open(first.as_uri())
        check_page_thumbnails(browser, "galerie.htm", 3)
        cells = browser.evaluate("Array.from(document.querySelectorAll('font')).map(f => f.innerText)")
        expect(cells == [captions[0], captions[2]], f"captions read {cells}")
        expect(browser.evaluate("document.querySelectorAll('td b, font b').length") == 0, "a caption became markup")
        expect(browser.evaluate("document.querySelector('h1').innerText") == "Mes <b>vacances</b> & Cie", "title")
        expect(browser.evaluate("document.title") == "Mes <b>vacances</b> & Cie", "window title")
        link = browser.evaluate("""Array.from(document.links).filter(a => !a.href.startsWith('javascript:'))
            .map(a => [a.innerText, a.getAttribute('href')])""")
        expect(["<Retour>", 'index.htm?a=1&b="2"'] in link, f"extra link reads {link}")
        expect(["a&b@exemple.fr", "mailto:a&b@exemple.fr"] in link, f"e-mail link reads {link}")
        expect("© 2024 <moi> & œ" in browser.evaluate("document.body.innerText"), "copyright")
    finally:
        browser.close()


CHECKS = {"names": check_names, "navigation": check_navigation, "captions": check_captions}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--chromium", default=shutil.which("chromium") or "/usr/bin/chromium")
    parser.add_argument("--screenshots", type=pathlib.Path)
    parser.add_argument("checks", nargs="+", choices=sorted(CHECKS))
    args = parser.parse_args()
    if args.screenshots:
        args.screenshots.mkdir(parents=True, exist_ok=True)
    failed = 0
    for name in args.checks:
        with tempfile.TemporaryDirectory(prefix=f"gallery-{name}-") as work:
            try:
                CHECKS[name](args.cli, args.chromium, pathlib.Path(work), args.screenshots)
                print(f"{name}: ok")
            except CheckFailed as failure:
                failed += 1
                print(f"{name}: FAILED: {failure}")
                log = pathlib.Path(work) / "chromium.log"
                if log.exists():
                    sys.stdout.write(log.read_text(errors="replace")[-2000:])
    print(f"{len(args.checks) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
