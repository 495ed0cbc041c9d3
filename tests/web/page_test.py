#!/usr/bin/python3
"""A published lesson as pupils meet it, in headless Chromium: the texts the
page fetches read as the window reads them, the page speaks one language, and
on a tablet or a phone its controls take a finger, its canvas is crisp, a
finger off the points scrolls and one on a point drags it as the window
would, a screen reader follows the figure, sampled loci never hold the tab, and
the page shows its picture before its viewer has come. Prints what it
measures."""

import argparse
import functools
import gzip
import http.server
import os
import re
import shutil
import statistics
import subprocess
import sys
import threading
import time

import viewer_test as vt
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

check = vt.check


def point_named(figure_path, prefix):
    """The index of the first point whose name starts with prefix."""
    fields = vt.fields_of(open(figure_path, 'rb').read().decode('cp932'))
    steps = int(fields[0])
    at = 1 + steps + 20 * steps
    counts = [int(f) for f in fields[at:at + 11]]
    at += 11 + 4 * counts[0]
    for k in range(counts[1]):
        if fields[at + 11 * k + 10].startswith(prefix):
            return k + 1
    raise ValueError('no point named %s... in %s' % (prefix, figure_path))


def click_point(driver, index):
    x, y, _ = vt.points_of(vt.table(driver))[index]
    column, row = vt.pixel_of(x, y, vt.DEFAULT_PIXEL)
    canvas = driver.find_element('css selector', 'canvas.plandra-figure')
    ActionChains(driver).move_to_element_with_offset(
        canvas, int(round(column) - vt.WIDTH // 2), int(round(row) - vt.HEIGHT // 2)).click().perform()


def check_memo_codes(driver, args, lesson):
    """The sample lesson's memo, written as UTF-8, as UTF-8 with a byte-order
    mark and in code page 932, shows the file's text each time."""
    memo_point = point_named(os.path.join(args.samples, 'events.pd5'), 'メモ!@')
    source = open(os.path.join(args.samples, 'events.txt'), 'rb').read()
    text = source.decode('utf-8')
    written = {'UTF-8': source, 'UTF-8 with a byte-order mark': b'\xef\xbb\xbf' + source,
               'code page 932': text.encode('cp932')}
    for what, data in written.items():
        open(os.path.join(lesson, 'events.txt'), 'wb').write(data)
        driver.get('file://' + os.path.join(lesson, 'events.htm'))
        vt.wait_painted(driver)
        driver.find_element('css selector', 'input.plandra-events-toggle').click()
        click_point(driver, memo_point)
        try:
            WebDriverWait(driver, 5).until(lambda d: d.execute_script(
                "var m = document.querySelector('pre.plandra-event-memo');"
                "return m && m.textContent;"))
        except Exception:
            pass
        shown = driver.execute_script(
            "var m = document.querySelector('pre.plandra-event-memo'); return m && m.textContent;")
        check(shown == text, 'the memo in %s shows %r' % (what, (shown or '')[:40]))


def check_one_language(driver, args, lesson):
    """A figure the viewer cannot read: the reason in the page's language
    only, Japanese on a Japanese page and English on an English one."""
    english = os.path.join(args.work, 'english')
    os.makedirs(english, exist_ok=True)
    subprocess.run([args.cli, 'html', os.path.join(args.samples, 'triangle.pd4'), '-o',
                    os.path.join(english, 'triangle.htm'), '--lang', 'english'],
                   check=True, timeout=60, env=args.env, stdout=subprocess.DEVNULL)
    shutil.copy(args.viewer, os.path.join(english, 'plandra-viewer.js'))
    for folder, foreign in ((lesson, '[A-Za-z]'), (english, '[\u3040-\u30ff\u4e00-\u9fff]')):
        page = open(os.path.join(folder, 'triangle.htm'), encoding='utf-8').read()
        page = re.sub(r'(<pre hidden class="plandra-figure-text">)[^<]*', r'\g<1>3\r\n"PNEW"\r\n',
                      page)
        open(os.path.join(folder, 'broken.htm'), 'w', encoding='utf-8').write(page)
        driver.get('file://' + os.path.join(folder, 'broken.htm'))
        check(vt.wait_painted(driver) == 'failed', '%s: a broken figure was not refused' % folder)
        notice = driver.execute_script(
            "var f = document.querySelector('.plandra-failure'); return f ? f.textContent : '';")
        print('reason shown: ' + notice)
        check(notice and re.search(foreign, notice) is None,
              'the reason mixes languages: %r' % notice)


def emulate(driver, width, height, ratio):
    """A touch screen of the size (CSS pixels) and pixel ratio."""
    driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
        'width': width, 'height': height, 'deviceScaleFactor': ratio, 'mobile': True})
    driver.execute_cdp_cmd('Emulation.setTouchEmulationEnabled',
                           {'enabled': True, 'maxTouchPoints': 5})


def open_page(driver, path):
    driver.get('file://' + path)
    return vt.wait_painted(driver)


def finger(driver):
    return ActionBuilder(driver, mouse=PointerInput(interaction.POINTER_TOUCH, 'finger'))


def content_box(driver, canvas):
    """Left, top, width and height of the canvas's content box, CSS pixels."""
    return driver.execute_script(
        "var c = arguments[0], r = c.getBoundingClientRect(), s = getComputedStyle(c);"
        "var l = c.clientLeft + parseFloat(s.paddingLeft), t = c.clientTop + parseFloat(s.paddingTop);"
        "return [r.left + l, r.top + t, c.clientWidth - parseFloat(s.paddingLeft)"
        " - parseFloat(s.paddingRight), c.clientHeight - parseFloat(s.paddingTop)"
        " - parseFloat(s.paddingBottom)];", canvas)


def scaled_drag(driver, canvas):
    """A finger's drag through figure pixels on a scaled canvas, aimed at the
    whole CSS pixel nearest the middle of each, as a touch screen reports."""
    left, top, width, height = content_box(driver, canvas)

    def css(column, row):
        return (int(round(left + (column + 0.5) * width / vt.WIDTH)),
                int(round(top + (row + 0.5) * height / vt.HEIGHT)))

    def drag(driver, canvas, start, path, touch, shift=False):
        actions = finger(driver)
        pointer = actions.pointer_action
        pointer.move_to_location(*css(*start))
        pointer.pointer_down()
        for column, row in path:
            pointer.move_to_location(*css(column, row))
        pointer.pointer_up()
        actions.perform()
    drag.css = css
    drag.pixel = lambda x, y: [int((x - left) * vt.WIDTH // width),
                               int((y - top) * vt.HEIGHT // height)]
    return drag


def check_control_sizes(driver, lesson):
    """Every control under a figure at least 24 x 24 CSS pixels."""
    smallest = None
    for name in ('triangle', 'affine', 'events'):
        open_page(driver, os.path.join(lesson, name + '.htm'))
        sizes = driver.execute_script(
            "return Array.from(document.querySelectorAll('.plandra-controls button,"
            " .plandra-controls input, .plandra-numbers input, .plandra-events input,"
            " .plandra-events button')).filter(e => e.offsetParent !== null).map(e => {"
            " var r = e.getBoundingClientRect(); return [e.className || e.type, r.width, r.height]; });")
        check(len(sizes) > 1, '%s: no controls under the figure' % name)
        for what, width, height in sizes:
            check(min(width, height) >= 24, '%s: %s is %.0f x %.0f CSS px' % (name, what, width, height))
            if smallest is None or min(width, height) < min(smallest[1:]):
                smallest = (what, width, height)
    print('smallest control: %s, %.0f x %.0f CSS px' % smallest)


def check_tablet(driver, args, lesson):
    """At pixel ratio 2 the canvas holds twice the pixels each way, a finger
    drags a point as the window does, and a swipe off the points scrolls."""
    emulate(driver, 768, 1024, 2)
    figure = os.path.join(lesson, 'triangle.pd4')
    open_page(driver, os.path.join(lesson, 'triangle.htm'))
    store = driver.execute_script(
        "var c = document.querySelector('canvas.plandra-figure'); return [c.width, c.height];")
    check(store == [2 * vt.WIDTH, 2 * vt.HEIGHT], 'the canvas at ratio 2 holds %s pixels' % store)
    check(vt.check_drag(driver, args, 'triangle at ratio 2', figure, touch=True),
          'no point to drag on the tablet')
    open_page(driver, os.path.join(lesson, 'triangle.htm'))
    driver.execute_script("document.body.style.paddingBottom = '3000px';")
    before = vt.table(driver)
    # Near the canvas's lower right corner, where the figure has nothing.
    left, top = driver.execute_script(
        "var r = document.querySelector('canvas.plandra-figure').getBoundingClientRect();"
        "return [r.left, r.top];")
    x, y = int(left + vt.WIDTH - 12), int(top + vt.HEIGHT - 12)
    actions = finger(driver)
    pointer = actions.pointer_action
    pointer.move_to_location(x, y)
    pointer.pointer_down()
    for k in range(1, 11):
        pointer.move_to_location(x, y - 30 * k)
    pointer.pointer_up()
    actions.perform()
    scrolled = driver.execute_script("return window.scrollY")
    check(scrolled > 50, 'a swipe off the points scrolled the page by %s px' % scrolled)
    check(vt.table(driver) == before, 'a swipe off the points changed the figure')


def check_phone(driver, args, lesson):
    """On a 360 px wide screen at ratio 3 the page fits without sideways
    scrolling and a finger on the scaled canvas drags as the window does."""
    emulate(driver, 360, 740, 3)
    figure = os.path.join(lesson, 'triangle.pd4')
    open_page(driver, os.path.join(lesson, 'triangle.htm'))
    widths = driver.execute_script(
        "return [document.documentElement.scrollWidth, window.innerWidth,"
        " document.querySelector('canvas.plandra-figure').clientWidth];")
    check(widths[0] <= widths[1], 'the page is %d px wide on a %d px screen' % tuple(widths[:2]))
    # A touch near a corner, where a border counted would be two pixels off.
    canvas = driver.find_element('css selector', 'canvas.plandra-figure')
    drag = scaled_drag(driver, canvas)
    corner = (vt.WIDTH - 21, vt.HEIGHT - 21)
    drag(driver, canvas, corner, [], True)
    pressed = driver.execute_script("return PlandraViewer.press(arguments[0])", canvas)
    under = drag.pixel(*drag.css(*corner))
    check(pressed == under, 'a touch over pixel %s of the phone\'s canvas landed on %s'
          % (under, pressed))
    plain = vt.drag
    vt.drag = drag
    try:
        check(vt.check_drag(driver, args, 'triangle on a phone', figure, touch=True),
              'no point to drag on the phone')
    finally:
        vt.drag = plain
    driver.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})


def accessible_description(driver):
    """The canvas's description as the browser's accessibility tree has it."""
    root = driver.execute_cdp_cmd('DOM.getDocument', {})['root']['nodeId']
    node = driver.execute_cdp_cmd('DOM.querySelector',
                                  {'nodeId': root, 'selector': 'canvas.plandra-figure'})['nodeId']
    tree = driver.execute_cdp_cmd('Accessibility.getPartialAXTree',
                                  {'nodeId': node, 'fetchRelatives': False})
    return tree['nodes'][0].get('description', {}).get('value', '')


def spoken(driver, before=None):
    """The live region's text, once it differs from before."""
    read = "var l = document.querySelector('.plandra-announce'); return l ? l.textContent : null;"
    try:
        WebDriverWait(driver, 5).until(lambda d: d.execute_script(read) not in (None, '', before))
    except Exception:
        pass
    return driver.execute_script(read)


def check_screen_reader(driver, args, lesson):
    """The canvas is described by the figure's summary and the keyboard
    hint; beside it an entry per element follows the figure; choosing a
    point and each key step announce it with its new place, a drag once at
    its end; the report opens on demand."""
    open_page(driver, os.path.join(lesson, 'triangle.htm'))
    spoken(driver)
    described = accessible_description(driver)
    check('triangle.pd4' in described and 'Tab' in described,
          'the canvas is described as %r' % described[:200])
    canvas = driver.find_element('css selector', 'canvas.plandra-figure')
    canvas.send_keys(Keys.TAB)
    point = driver.execute_script("return PlandraViewer.figures[0].chosen")
    decimals = int(driver.execute_script(
        "return JSON.parse(document.querySelector('script.plandra-texts').textContent).decimals"))

    def place():
        x, y, _ = vt.points_of(vt.table(driver))[point]
        return '(%.*f, %.*f)' % (decimals, x, decimals, y)

    def entry():
        return driver.execute_script(
            "var items = document.querySelectorAll('.plandra-description li');"
            "return items.length >= arguments[0] ? items[arguments[0] - 1].textContent : '';",
            point)
    chosen = spoken(driver)
    check(chosen and place() in chosen and place() in entry(),
          'choosing point %s said %r (its place %s)' % (point, chosen, place()))
    canvas.send_keys(Keys.ARROW_LEFT)
    moved = spoken(driver, chosen)
    check(moved and moved != chosen and place() in moved and place() in entry(),
          'a key step said %r, the description has %r (the point is at %s)'
          % (moved, entry(), place()))
    if not check(driver.execute_script("return !!document.querySelector('.plandra-announce')"),
                 'the page has no live region'):
        return
    driver.execute_script(
        "window.plandraSaid = []; new MutationObserver(() => plandraSaid.push("
        "document.querySelector('.plandra-announce').textContent))"
        ".observe(document.querySelector('.plandra-announce'), {childList: true, subtree: true,"
        " characterData: true});")
    x, y, _ = vt.points_of(vt.table(driver))[point]
    start = tuple(round(c) for c in vt.pixel_of(x, y, vt.DEFAULT_PIXEL))
    vt.drag(driver, canvas, start, [(start[0] + 5 * k, start[1] + 3 * k) for k in range(1, 6)],
            False)
    spoken(driver, moved)
    said = driver.execute_script("return plandraSaid")
    check(len(said) == 1 and place() in said[0], 'a drag said %r (ended at %s)' % (said, place()))
    closed = driver.execute_script(
        "var d = document.querySelector('details.plandra-report');"
        "if (!d || d.hidden || d.querySelector('pre')) return false;"
        "d.querySelector('summary').click(); return true;")
    read = ("var p = document.querySelector('details.plandra-report pre');"
            "return p && p.textContent;")
    try:
        WebDriverWait(driver, 5).until(lambda d: d.execute_script(read))
    except Exception:
        pass
    report = closed and driver.execute_script(read)
    check(report and 'triangle.pd4' in report, 'the report does not open on demand: %r'
          % (report or '')[:80])


LONG_TASKS = """
window.plandraLong = [];
new PerformanceObserver(function (list) {
  list.getEntries().forEach(function (e) { plandraLong.push(e.duration); });
}).observe({type: 'longtask', buffered: true});
// The frames the page shows between its first picture and its canvas painted.
window.plandraFrames = 0;
(function count() {
  var c = document.querySelector('canvas.plandra-figure');
  if (c && c.getAttribute('data-plandra-state')) return;
  if (window.PlandraViewer && PlandraViewer.firstPaint !== null) window.plandraFrames += 1;
  requestAnimationFrame(count);
})();
"""


def longest_task(driver):
    tasks = driver.execute_script("return plandraLong.splice(0)") or [0]
    return max(tasks), len(tasks)


def check_loci(driver, args):
    """150 sampled loci on one driving point come over several frames, when
    the page first draws them and while the keys move that point, and the
    finished picture is the one plandra-cli draws. Prints the longest
    tasks the browser saw."""
    figure = os.path.join(args.work, 'loci150.pd4')
    subprocess.run([args.reference, 'loci', figure, '150'], check=True, timeout=60,
                   stdout=subprocess.DEVNULL)
    subprocess.run([args.cli, 'html', figure, '-o', figure[:-4] + '.html'], check=True,
                   timeout=60, env=args.env, stdout=subprocess.DEVNULL)
    shutil.copy(args.viewer, os.path.join(args.work, 'plandra-viewer.js'))
    driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': LONG_TASKS})
    driver.get('file://' + figure[:-4] + '.html')
    vt.check_paint(driver, args, 'loci150', figure)
    first_frames = driver.execute_script("return plandraFrames")
    first = longest_task(driver)
    check(first_frames > 2, '150 loci were drawn in %d frames after the first' % first_frames)
    canvas = driver.find_element('css selector', 'canvas.plandra-figure')
    driving = 3  # the point on the line, as the figure's builder makes it
    for _ in range(driving):
        canvas.send_keys(Keys.TAB)
    check(driver.execute_script("return PlandraViewer.figures[0].chosen") == driving,
          'Tab did not reach the driving point')
    driver.execute_script("PlandraViewer.redraw(arguments[0])", canvas)
    WebDriverWait(driver, 60).until(lambda d: not d.execute_script(
        "return PlandraViewer.figures[0].drawPending"))
    longest_task(driver)
    # Three key steps, each its own task as a pupil's presses are; the frames
    # each step's curves took.
    frames = driver.execute_async_script(
        "var done = arguments[arguments.length - 1], c = arguments[0], frames = [], k = 0;"
        "function press() {"
        " c.dispatchEvent(new KeyboardEvent('keydown', {key: 'ArrowRight', bubbles: true}));"
        " var n = 0; (function wait() { n += 1;"
        "  if (PlandraViewer.figures[0].drawPending) return requestAnimationFrame(wait);"
        "  frames.push(n); if (++k < 3) setTimeout(press, 0); else done(frames); })(); }"
        "press();", canvas)
    moved = longest_task(driver)
    check(min(frames) > 2, 'key steps of the driving point swept the loci in %s frames' % frames)
    print('150 loci first drawn: %d frames, longest task %.0f ms (%d long tasks); key steps of '
          'their driving point: %s frames each, longest task %.0f ms (%d long tasks)'
          % (first_frames, first[0], first[1], frames, moved[0], moved[1]))

EARLY_PAINT = """
window.plandraEarly = null;
new PerformanceObserver(function (list) {
  list.getEntries().forEach(function (e) {
    if (e.name !== 'first-contentful-paint' || plandraEarly) return;
    var s = document.querySelector('.plandra-static');
    plandraEarly = {at: e.startTime, viewer: !!window.PlandraViewer,
                    picture: !!s && getComputedStyle(s).display !== 'none'};
  });
}).observe({type: 'paint', buffered: true});
"""


class LateViewer(http.server.SimpleHTTPRequestHandler):
    """A school's web server on a slow line: the viewer comes a second late."""

    def do_GET(self):
        if self.path.endswith('plandra-viewer.js'):
            time.sleep(1)
        super().do_GET()

    def log_message(self, *args):
        pass


def first_paints(driver, url, count=5):
    """Medians of the browser's first contentful paint and of the viewer's
    first drawing of the figure, ms after the page's start."""
    paints, drawn = [], []
    for _ in range(count):
        driver.get(url)
        vt.wait_painted(driver, 60)
        # The browser tells its paints to observers when it is idle.
        WebDriverWait(driver, 10).until(lambda d: d.execute_script("return plandraEarly"))
        paints.append(driver.execute_script("return plandraEarly.at"))
        drawn.append(driver.execute_script("return PlandraViewer.firstPaint"))
    return statistics.median(paints), statistics.median(drawn)


def check_early_picture(driver, args, lesson):
    """A page whose viewer comes late shows its static picture at once, and
    the canvas once the viewer has drawn the figure. Prints first paints."""
    driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': EARLY_PAINT})
    server = http.server.ThreadingHTTPServer(
        ('127.0.0.1', 0), functools.partial(LateViewer, directory=lesson))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        driver.get('http://127.0.0.1:%d/triangle.htm' % server.server_address[1])
        check(vt.wait_painted(driver) == 'painted', 'the served page did not paint')
        early = driver.execute_script("return plandraEarly")
        check(early and early['picture'] and not early['viewer'],
              'before its viewer came the page showed %s' % early)
        shown = driver.execute_script(
            "return [getComputedStyle(document.querySelector('canvas.plandra-figure')).display,"
            " getComputedStyle(document.querySelector('.plandra-static')).display]")
        check(shown[0] != 'none' and shown[1] == 'none', 'after the viewer: %s' % shown)
    finally:
        server.shutdown()
        server.server_close()
    steps = os.path.join(args.work, 'steps5000.pd4')
    subprocess.run([args.reference, 'large', steps, '5000'], check=True, timeout=60,
                   stdout=subprocess.DEVNULL)
    subprocess.run([args.cli, 'html', steps, '-o', steps[:-4] + '.html'], check=True,
                   timeout=60, env=args.env, stdout=subprocess.DEVNULL)
    for what, url in (('a sample page', os.path.join(lesson, 'triangle.htm')),
                      ('the 5,000-step page', steps[:-4] + '.html')):
        print('first paint of %s: %.0f ms, figure drawn at %.0f ms (medians)'
              % ((what,) + first_paints(driver, 'file://' + url)))


def check_page_without_texts(driver, lesson):
    """A page made before pages had texts of their own (no description):
    a key step still redraws the figure."""
    page = open(os.path.join(lesson, 'triangle.htm'), encoding='utf-8').read()
    page = re.sub(r'<script type="application/json" class="plandra-texts">.*?</script>', '', page,
                  flags=re.S)
    open(os.path.join(lesson, 'plain.htm'), 'w', encoding='utf-8').write(page)
    open_page(driver, os.path.join(lesson, 'plain.htm'))
    picture = ("var c = document.querySelector('canvas.plandra-figure');"
               "return Array.from(c.getContext('2d').getImageData(0, 0, c.width, c.height).data)"
               ".reduce((h, v, i) => (h * 31 + v * (i % 7 + 1)) % 1000000007, 0);")
    canvas = driver.find_element('css selector', 'canvas.plandra-figure')
    canvas.send_keys(Keys.TAB)
    frames = "requestAnimationFrame(() => requestAnimationFrame(arguments[0]))"
    driver.execute_async_script(frames)
    before = driver.execute_script(picture)
    canvas.send_keys(Keys.SHIFT + Keys.ARROW_LEFT)
    driver.execute_async_script(frames)
    check(driver.execute_script(picture) != before, 'a key step on a page without texts drew nothing')


def main():
    parser = argparse.ArgumentParser()
    for option in ('--viewer', '--cli', '--reference', '--samples', '--work'):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    args.env = dict(os.environ, PLANDRA_HOME=os.path.join(args.work, 'home'),
                    QT_QPA_PLATFORM='offscreen')
    lesson = os.path.join(args.work, 'lesson')
    subprocess.run([args.cli, 'html', args.samples, '-o', lesson], check=True, timeout=120,
                   env=args.env, stdout=subprocess.DEVNULL)
    # Beside the viewer it wrote, the lesson holds its compressed copy for web servers.
    compressed = os.path.join(lesson, 'plandra-viewer.js.gz')
    check(os.path.exists(compressed) and gzip.decompress(open(compressed, 'rb').read()) ==
          open(os.path.join(lesson, 'plandra-viewer.js'), 'rb').read(),
          'the lesson has no compressed copy of its viewer')
    # The viewer under test, not the one the program ships.
    shutil.copy(args.viewer, os.path.join(lesson, 'plandra-viewer.js'))

    driver = vt.chromium(args.work)
    try:
        check_memo_codes(driver, args, lesson)
        check_one_language(driver, args, lesson)
        check_control_sizes(driver, lesson)
        check_tablet(driver, args, lesson)
        check_phone(driver, args, lesson)
        check_screen_reader(driver, args, lesson)
        check_page_without_texts(driver, lesson)
        check_loci(driver, args)
        check_early_picture(driver, args, lesson)
    finally:
        driver.quit()
    return vt.outcome()


if __name__ == '__main__':
    sys.exit(main())
