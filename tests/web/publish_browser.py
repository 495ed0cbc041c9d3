#!/usr/bin/python3
"""The published page, the online-saving form and a lesson in headless Chromium.

Usage: publish_browser.py PLANDRA_CLI TEST_DATA_FOLDER WEB_REFERENCE
Exit status 77 (a skipped test) when Chromium, its driver or Selenium is missing.
"""
import functools
import html
import http.server
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import urllib.parse

SKIP = 77
CHROMIUM = "/usr/bin/chromium"
DRIVER = "/usr/bin/chromedriver"
# The name that must not break either page.
ODD_NAME = "点</textarea><b>&amp;"
# Figure files whose names would make a script, an address or markup of a
# reference written as they stand.
HOSTILE_FILES = ["javascript:alert(document.title).pd4", "a:b.pd4", "c#d.pd4", "e?f%41.pd4",
                 "<img src=x onerror=alert(document.title)>.pd4", "g'h\"i&amp;.pd4"]
# Every alert a page would show is noted instead.
ALERT_TRAP = "window.plandraAlerts = []; window.alert = m => window.plandraAlerts.push(String(m));"


def skip(reason):
    print("skipped: " + reason)
    sys.exit(SKIP)


try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    skip("python3-selenium is not installed")
for program in (CHROMIUM, DRIVER):
    if not os.access(program, os.X_OK):
        skip(program + " is not installed")


def check(condition, what):
    if not condition:
        raise AssertionError(what)


def make_figure(data_folder, folder):
    """A figure with Japanese names and a name holding markup."""
    source = open(os.path.join(data_folder, "japanese.pd4"), "rb").read()
    old = '"点Ａ"'.encode("cp932")
    check(old in source, "the test figure holds the name to replace")
    figure = os.path.join(folder, "odd figure.pd4")
    with open(figure, "wb") as out:
        out.write(source.replace(old, ('"' + ODD_NAME + '"').encode("cp932")))
    return figure


def run_cli(cli, env, *args):
    done = subprocess.run([cli, *args], env=env, capture_output=True, timeout=60)
    check(done.returncode == 0, "plandra-cli %s failed: %s" % (args[0], done.stderr.decode()))
    return done.stdout


def start_browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu",
                     "--disable-dev-shm-usage", "--user-data-dir=" + profile):
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service(DRIVER), options=options)
    driver.set_page_load_timeout(30)
    driver.set_script_timeout(30)
    return driver


class FormServer(http.server.ThreadingHTTPServer):
    """Receives the posted form on 127.0.0.1 at a free port."""

    def __init__(self):
        super().__init__(("127.0.0.1", 0), FormHandler)
        self.posted = None
        self.arrived = threading.Event()


class FormHandler(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        length = int(self.headers.get("Content-Length", "0"))
        body = self.rfile.read(length).decode("ascii")
        self.server.posted = (self.path, urllib.parse.parse_qs(
            body, keep_blank_values=True, encoding="utf-8", errors="strict"))
        self.send_response(200)
        self.send_header("Content-Type", "text/plain; charset=utf-8")
        self.end_headers()
        self.wfile.write(b"saved")
        self.server.arrived.set()

    def log_message(self, *args):
        pass


def form_text(page):
    """The figure's text that the form page holds, as the browser reads it."""
    text = open(page, "rb").read().decode("utf-8")
    start = text.index("ReadOnly>\r\n") + len("ReadOnly>\r\n")
    return html.unescape(text[start:text.index("</textarea><br>\r\n<INPUT")])


def test_online_saving(cli, env, driver, figure, folder):
    server = FormServer()
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        url = "http://127.0.0.1:%d/asp/pd/pd_save.asp" % server.server_address[1]
        page = os.path.join(folder, "temp_zevav.htm")
        run_cli(cli, env, "online", figure, "-o", page, "--url", url)
        driver.get("file://" + urllib.parse.quote(page))
        fields = {"title": "三角形 & <b>", "username": "Sato",
                  "schoolname": "中学校 2年", "comment": "line one\n</textarea> two"}
        for name, value in fields.items():
            driver.find_element(By.NAME, name).send_keys(value)
        driver.find_element(By.NAME, "submitbutton").click()
        check(server.arrived.wait(30), "the form reached the server")
        path, posted = server.posted
        check(path == "/asp/pd/pd_save.asp", "posted to the address: " + path)
        check(sorted(posted) == sorted(list(fields) + ["pd_data", "submitbutton"]),
              "the posted fields: %s" % sorted(posted))
        for name, value in fields.items():
            sent = posted[name][0]
            check(sent == value.replace("\n", "\r\n"), "%s posted as %r" % (name, sent))
        pd_data = posted["pd_data"][0]
        check(ODD_NAME in pd_data, "the odd name arrives unescaped")
        check(pd_data == form_text(page), "pd_data is the form's figure text, byte for byte")
        # The program's own text of the figure, as the page holds it.
        written = os.path.join(folder, "written.pd4")
        with open(written, "wb") as out:
            out.write(pd_data.encode("cp932"))
        check(run_cli(cli, env, "dump", written).replace(b"written.pd4", b"F") ==
              run_cli(cli, env, "dump", figure).replace(b"odd figure.pd4", b"F"),
              "the posted figure reads back as the same figure")
        return pd_data
    finally:
        server.shutdown()
        server.server_close()


# A script in the viewer's place that notes what a viewer finds on the page.
PROBE = """
window.plandraProbe = Array.from(document.querySelectorAll('canvas.plandra-figure')).map(c => ({
  text: c.previousElementSibling.matches('pre[hidden].plandra-figure-text')
        ? c.previousElementSibling.textContent : null,
  width: c.getAttribute('width'), height: c.getAttribute('height'),
  pdfile: c.dataset.pdfile,
  staticNames: c.nextElementSibling.matches('div.plandra-static')
        ? Array.from(c.nextElementSibling.querySelectorAll('svg text')).map(t => t.textContent)
        : null,
}));
"""


def test_exported_page(cli, env, driver, figure, folder, posted_text):
    with open(os.path.join(env["PLANDRA_HOME"], "web", "plandra-viewer.js"), "w") as probe:
        probe.write(PROBE)
    out = os.path.join(folder, "site")
    os.mkdir(out)
    page = os.path.join(out, "odd figure.htm")
    shutil.copy(figure, out)
    run_cli(cli, env, "html", os.path.join(out, "odd figure.pd4"))
    check(os.path.exists(os.path.join(out, "plandra-viewer.js")), "the viewer is copied beside")
    driver.get("file://" + urllib.parse.quote(page))
    found = driver.execute_script("return window.plandraProbe;")
    check(found is not None and len(found) == 1, "the viewer's script ran from file://")
    # The parser reads CR LF as LF; the posted form sends CR LF again.
    check(found[0]["text"] == posted_text.replace("\r\n", "\n"),
          "the page holds the figure's text, as the form posts it")
    check((found[0]["width"], found[0]["height"]) == ("641", "481"), "the canvas size")
    check(found[0]["pdfile"] == "./odd%20figure.pd4", "the figure named: %r" % found[0]["pdfile"])
    check(ODD_NAME in found[0]["staticNames"], "the static picture shows the odd name")
    check(driver.title == "odd figure.pd4", "the title: " + driver.title)
    link = driver.find_element(By.CSS_SELECTOR, "a.plandra-download").get_attribute("href")
    check(link == "file://" + urllib.parse.quote(os.path.join(out, "odd figure.pd4")),
          "the download link: " + link)
    # Without its viewer the page shows the picture, not an empty canvas.
    os.remove(os.path.join(out, "plandra-viewer.js"))
    driver.get("file://" + urllib.parse.quote(page))
    check(driver.find_element(By.CSS_SELECTOR, "div.plandra-static svg").is_displayed(),
          "the static picture is shown when the viewer is missing")
    check(not driver.find_element(By.CSS_SELECTOR, "canvas.plandra-figure").is_displayed(),
          "an empty canvas is shown when the viewer is missing")


class SiteServer(http.server.ThreadingHTTPServer):
    """Serves a folder on 127.0.0.1 at a free port, as a school's web server would."""

    def __init__(self, folder):
        handler = functools.partial(QuietFiles, directory=folder)
        super().__init__(("127.0.0.1", 0), handler)


class QuietFiles(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def settled_page(driver, url):
    """Loads the page and waits until a failed picture would have run its handler."""
    driver.get(url)
    driver.execute_async_script(
        "const done = arguments[arguments.length - 1];"
        "const wait = () => Array.from(document.images).every(i => i.complete)"
        " ? setTimeout(done, 200) : setTimeout(wait, 50); wait();")


def no_script_ran(driver, what):
    check(driver.execute_script("return window.plandraAlerts;") == [], what + ": a script ran")
    check(driver.execute_script("return document.images.length;") == 0,
          what + ": the name became markup")


def test_hostile_names(cli, reference, env, driver, figure, folder):
    """The page's link, title and data attribute, and the record page, of
    figures with hostile names: no script runs and the link fetches the figure."""
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": ALERT_TRAP})
    site = os.path.join(folder, "hostile")
    os.mkdir(site)
    server = SiteServer(site)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        base = "http://127.0.0.1:%d/" % server.server_address[1]
        for name in HOSTILE_FILES:
            target = os.path.join(site, name)
            shutil.copy(figure, target)
            run_cli(cli, env, "html", target)
            page = os.path.splitext(name)[0] + ".htm"
            settled_page(driver, base + urllib.parse.quote(page))
            no_script_ran(driver, name)
            check(driver.title == name, "the title: %r" % driver.title)
            heading = driver.find_element(By.TAG_NAME, "h1").get_attribute("textContent")
            check(heading == name, "the heading: %r" % heading)
            link = driver.find_element(By.CSS_SELECTOR, "a.plandra-download")
            href = link.get_attribute("href")
            check(href == base + urllib.parse.quote(name), "the link of %r: %r" % (name, href))
            check(link.get_attribute("textContent").endswith(": " + name),
                  "the link's text: %r" % link.get_attribute("textContent"))
            pdfile = driver.execute_script(
                "const c = document.querySelector('canvas.plandra-figure');"
                "return new URL(c.dataset.pdfile, document.baseURI).href;")
            check(pdfile == href, "the viewer's figure of %r: %r" % (name, pdfile))
            fetched = driver.execute_async_script(
                "const done = arguments[arguments.length - 1];"
                "fetch(arguments[0]).then(r => r.arrayBuffer()).then(b => done(b.byteLength),"
                " e => done(String(e)));", href)
            check(fetched == os.path.getsize(target), "the link fetches %r: %r" % (name, fetched))

            home = os.path.join(folder, "record")
            os.makedirs(home, exist_ok=True)
            done = subprocess.run([reference, "record", target, home], env=env,
                                  capture_output=True, timeout=60)
            check(done.returncode == 0, "the record of %r: %s" % (name, done.stderr.decode()))
            settled_page(driver, "file://" + urllib.parse.quote(os.path.join(home, "temp.htm")))
            no_script_ran(driver, "the record of " + name)
            body = driver.find_element(By.TAG_NAME, "body").get_attribute("textContent")
            check(("file : " + target + ",") in body, "the record names %r: %r" % (name, body))
        # The sending page posts only to a web address: a script would run on sending.
        page = os.path.join(folder, "script_form.htm")
        refused = subprocess.run([cli, "online", figure, "-o", page, "--url",
                                  "JavaScript:alert(document.title)"],
                                 env=env, capture_output=True, timeout=60)
        check(refused.returncode != 0 and not os.path.exists(page),
              "a sending page posting to a script was written")
    finally:
        server.shutdown()
        server.server_close()


def test_lesson(cli, env, driver, samples, folder):
    """The samples published as a lesson with the real viewer: the index shows
    a thumbnail per figure and every link leads to a page that paints."""
    lesson_env = dict(env, PLANDRA_HOME=os.path.join(folder, "lesson-home"))
    out = os.path.join(folder, "lesson")
    index = run_cli(cli, lesson_env, "html", samples, "-o", out).decode().strip()
    check(index == os.path.join(out, "index.html"), "the index page: " + index)
    figures = sorted(f for f in os.listdir(samples) if f.endswith((".pd4", ".pd5")))
    settled_page(driver, "file://" + urllib.parse.quote(index))
    entries = driver.execute_script(
        "return Array.from(document.querySelectorAll('ul.plandra-lesson a')).map(a => ({"
        " href: a.href, name: a.textContent,"
        " thumbnail: a.querySelector('img').complete && a.querySelector('img').naturalWidth > 0}));")
    check([e["name"] for e in entries] == figures, "the index lists %r" % entries)
    check(all(e["thumbnail"] for e in entries), "a thumbnail per figure: %r" % entries)
    for entry in entries:
        driver.get(entry["href"])
        state = WebDriverWait(driver, 20).until(lambda d: d.execute_script(
            "const c = document.querySelector('canvas.plandra-figure');"
            "return c && c.getAttribute('data-plandra-state');"))
        check(state == "painted", "%s: the page's state is %s" % (entry["name"], state))


def main():
    cli, data_folder, reference = sys.argv[1], sys.argv[2], sys.argv[3]
    signal.alarm(170)  # ctest's timeout is the last word; this ends a hung browser first
    root = os.environ.get("PLANDRA_TEST_TMP") or tempfile.gettempdir()
    os.makedirs(root, exist_ok=True)
    folder = tempfile.mkdtemp(prefix="web-", dir=root)
    env = dict(os.environ, PLANDRA_HOME=os.path.join(folder, "home"), QT_QPA_PLATFORM="offscreen")
    os.makedirs(os.path.join(env["PLANDRA_HOME"], "web"))
    driver = None
    try:
        figure = make_figure(data_folder, folder)
        driver = start_browser(os.path.join(folder, "profile"))
        posted_text = test_online_saving(cli, env, driver, figure, folder)
        test_exported_page(cli, env, driver, figure, folder, posted_text)
        test_hostile_names(cli, reference, env, driver, figure, folder)
        samples = os.path.join(os.path.dirname(os.path.abspath(data_folder)), "..", "sample.pd4")
        test_lesson(cli, env, driver, os.path.normpath(samples), folder)
    finally:
        if driver is not None:
            driver.quit()
        shutil.rmtree(folder, ignore_errors=True)
    print("ok")


if __name__ == "__main__":
    main()
