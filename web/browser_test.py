#!/usr/bin/python3
"""The page scripts/build-web.sh builds, in headless Chromium, served on 127.0.0.1: the maze and
the title are drawn, an arrow key moves Torvel, E + click + Ctrl+S saves a level that a reload
still shows, an uploaded level joins the list and a bad one is refused with the game's message.
Prints the page's transfer size and the time from navigation to the first frame.
Usage: browser_test.py BUILD_WEB_FOLDER"""
import functools
import http.server
import io
import json
import os
import sys
import tempfile
import threading
import time

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

CELL = 64
STRIP = (152, 66, 86)  # the play colour, under the strip's text
FLOOR_REF = (5, 1)     # floor in the shipped Maze.json, never touched here


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(folder):
    handler = functools.partial(QuietHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def start_browser(profile):
    options = webdriver.ChromeOptions()
    for arg in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage", "--use-angle=swiftshader",
                "--enable-unsafe-swiftshader", "--window-size=1100,900", f"--user-data-dir={profile}"):
        options.add_argument(arg)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def wait_until(what, condition, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.1)
    raise AssertionError(f"timed out waiting until {what}")


class Page:
    def __init__(self, driver, url):
        self.driver = driver
        self.url = url
        self.log = []

    def open(self):
        self.driver.get(self.url)
        first = wait_until("the first frame is drawn", lambda: self.driver.execute_script("return Module.firstFrameAt"))
        self.canvas = self.driver.find_element(By.ID, "canvas")
        return first

    def canvas_image(self):
        shot = Image.open(io.BytesIO(self.driver.get_screenshot_as_png())).convert("RGB")
        r = self.canvas.rect
        return shot.crop((int(r["x"]), int(r["y"]), int(r["x"]) + 800, int(r["y"]) + 600))

    def cell(self, image, column, row):
        # The middle of the cell: a duct's glow may reach over the edges.
        x, y = -48 + column * CELL + 16, row * CELL + 16
        return image.crop((x, y, x + 32, y + 32))

    def keys(self, *keys, hold=0.1):
        chain = ActionChains(self.driver)
        for k in keys:
            chain.key_down(k)
        chain.pause(hold)
        for k in reversed(keys):
            chain.key_up(k)
        chain.perform()

    def click(self, x, y):
        # Held over a frame or two, as a hand would.
        ActionChains(self.driver).move_to_element_with_offset(self.canvas, x - 400, y - 300) \
            .click_and_hold().pause(0.1).release().perform()

    def click_cell(self, column, row):
        self.click(-48 + column * CELL + 32, row * CELL + 32)

    def title(self):
        return self.driver.title

    def console(self):
        # The driver hands each entry out once: keep them all.
        self.log += [(e["level"], e["message"]) for e in self.driver.get_log("browser")]
        return [message for level, message in self.log]


def difference(a, b):
    pa, pb = a.getdata(), b.getdata()
    return sum(abs(x - y) for p, q in zip(pa, pb) for x, y in zip(p, q)) / (3 * len(pa))


def text_pixels(image, box):
    region = image.crop(box)
    return sum(1 for p in region.getdata() if sum(abs(c - s) for c, s in zip(p, STRIP)) > 150)


def looks_like_floor(page, image, column, row):
    return difference(page.cell(image, column, row), page.cell(image, *FLOOR_REF)) < 8


def is_zigzag(page, image):
    return looks_like_floor(page, image, 4, 1) and not looks_like_floor(page, image, 7, 1)


def transfer_bytes(driver):
    return driver.execute_script(
        "return performance.getEntriesByType('resource')"
        ".filter(e => /glimmerduct\\.(js|wasm|data)$/.test(e.name))"
        ".reduce((sum, e) => sum + (e.transferSize || e.encodedBodySize), 0)")


def main(folder):
    with tempfile.TemporaryDirectory() as temp:
        for variable, sub in (("HOME", "home"), ("XDG_CONFIG_HOME", "config"), ("XDG_DATA_HOME", "data"),
                              ("XDG_STATE_HOME", "state"), ("XDG_CACHE_HOME", "cache")):
            os.environ[variable] = os.path.join(temp, sub)
            os.makedirs(os.environ[variable])
        server = serve(folder)
        url = f"http://127.0.0.1:{server.server_address[1]}/index.html"
        try:
            for story, profile in ((run, "profile"), (storage_refused, "refused")):
                driver = start_browser(os.path.join(temp, profile))
                try:
                    story(Page(driver, url), temp)
                finally:
                    driver.quit()
        finally:
            server.shutdown()


def run(page, temp):
    first_frame_ms = page.open()
    size = transfer_bytes(page.driver)
    print(f"transfer size (.js + .wasm + .data): {size} bytes; navigation to first frame: {first_frame_ms:.0f} ms")
    assert page.title().startswith("TORVEL: Glimmerduct"), page.title()

    # Until the first input a panel over the maze asks for one; a click in the strip starts.
    waiting = page.canvas_image()
    page.click(400, 590)
    shown = wait_until("the start line goes", lambda: (lambda i: difference(page.cell(i, 6, 4), page.cell(waiting, 6, 4)) > 8 and i)(page.canvas_image()))

    # The maze (ducts and floor differ) and the title line in the strip.
    assert difference(page.cell(shown, 3, 1), page.cell(shown, *FLOOR_REF)) > 20, "no maze drawn"
    assert text_pixels(shown, (10, 578, 300, 600)) > 100, "no title drawn in the strip"

    # Torvel starts on (1, 1); Right walks him onto the floor at (2, 1).
    assert not looks_like_floor(page, shown, 1, 1) and looks_like_floor(page, shown, 2, 1)
    page.keys(Keys.ARROW_RIGHT)
    wait_until("Torvel walks right", lambda: (lambda i: looks_like_floor(page, i, 1, 1)
                                              and not looks_like_floor(page, i, 2, 1))(page.canvas_image()))

    # The editor: the cursor's tile (a duct) painted on the floor at (7, 1), saved, editor off again.
    page.keys("e")
    page.click_cell(7, 1)
    wait_until("the level is marked modified", lambda: page.title().endswith("*"))
    page.keys(Keys.CONTROL, "s")
    wait_until("the save clears the mark", lambda: not page.title().endswith("*"))
    page.keys("e")
    wait_until("the painted cell shows a duct", lambda: not looks_like_floor(page, page.canvas_image(), 7, 1))

    # After a reload the saved edit is what the level holds.
    page.open()
    page.click(400, 590)
    wait_until("the edit is shown after a reload", lambda: not looks_like_floor(page, page.canvas_image(), 7, 1))

    # A bad file gets the game's one line and joins nothing; a good one joins the list and shows.
    broken = os.path.join(temp, "Broken.json")
    with open(broken, "w") as f:
        f.write('{"Tiles": "0,1,')
    upload(page, broken)
    wait_until("the bad file is refused with the line any bad level file gets",
               lambda: any("uploads/Broken.json: line 1: unterminated string" in m for m in page.console()))
    page.keys(Keys.ENTER)
    codes = ["3"] + ["1"] * 12 + ["4"] + (["2"] + ["0"] * 12 + ["2"]) * 7 + ["5"] + ["1"] * 12 + ["6"]
    codes[14 + 1] = "7"
    codes[14 + 7] = "2"  # no shipped level has this duct with floor at (4, 1)
    good = os.path.join(temp, "Zigzag.json")
    with open(good, "w") as f:
        json.dump({"Tiles": ",".join(codes)}, f)
    upload(page, good)
    wait_until("the uploaded level is shown", lambda: is_zigzag(page, page.canvas_image()))
    # After a reload it is the last of the list (by name), before the first.
    page.open()
    page.click(400, 590)
    page.keys(Keys.CONTROL, Keys.PAGE_UP)
    wait_until("the uploaded level is in the list after a reload", lambda: is_zigzag(page, page.canvas_image()))
    page.console()
    unexpected = [m for level, m in page.log if level == "SEVERE" and "Broken.json" not in m]
    assert not unexpected, f"errors in the console: {unexpected}"


def storage_refused(page, temp):
    """A browser that refuses storage (private browsing): a save says so and the edits stay."""
    page.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source":
        "Object.defineProperty(window, 'indexedDB', {get() { return {open() { throw new Error('refused'); }}; }});"})
    page.open()
    page.click(400, 590)
    page.keys("e")
    page.click_cell(7, 1)
    wait_until("the level is marked modified", lambda: page.title().endswith("*"))
    page.keys(Keys.CONTROL, "s")
    wait_until("the save says the browser did not keep it",
               lambda: any("Maze.json: cannot save the level: the browser did not keep" in m for m in page.console()))
    page.keys(Keys.ENTER)
    time.sleep(1.5)  # the game looks for changed level files once a second
    assert page.title().endswith("*"), "the edits were taken for saved"
    print("browser test passed")


def upload(page, path):
    chooser = page.driver.find_element(By.ID, "upload")
    page.driver.execute_script("arguments[0].style.display = 'block'", chooser)
    chooser.send_keys(path)
    page.driver.execute_script("arguments[0].style.display = ''", chooser)


if __name__ == "__main__":
    if len(sys.argv) != 2 or not os.path.isfile(os.path.join(sys.argv[1], "glimmerduct.wasm")):
        sys.exit("usage: browser_test.py BUILD_WEB_FOLDER (built by scripts/build-web.sh)")
    main(sys.argv[1])
