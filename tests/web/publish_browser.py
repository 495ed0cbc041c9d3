#!/usr/bin/python3
"""The published page and the online-saving form in headless Chromium.

Usage: publish_browser.py PLANDRA_CLI TEST_DATA_FOLDER
Exit status 77 (a skipped test) when Chromium, its driver or Selenium is missing.
"""
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


def skip(reason):
    print("skipped: " + reason)
    sys.exit(SKIP)


try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
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
    check(found[0]["pdfile"] == "odd figure.pd4", "the figure named: %r" % found[0]["pdfile"])
    check(ODD_NAME in found[0]["staticNames"], "the static picture shows the odd name")
    check(driver.title == "odd figure.pd4", "the title: " + driver.title)
    link = driver.find_element(By.CSS_SELECTOR, "a.plandra-download").get_attribute("href")
    check(link == "file://" + urllib.parse.quote(os.path.join(out, "odd figure.pd4")),
          "the download link: " + link)
    check(driver.find_element(By.CSS_SELECTOR, "div.plandra-static svg").is_displayed(),
          "the static picture is shown")


def main():
    cli, data_folder = sys.argv[1], sys.argv[2]
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
    finally:
        if driver is not None:
            driver.quit()
        shutil.rmtree(folder, ignore_errors=True)
    print("ok")


if __name__ == "__main__":
    main()
