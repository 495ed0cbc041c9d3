#!/usr/bin/python3
"""The web viewer in headless Chromium, on pages opened from file://.

Each sample figure's page, exported by plandra-cli html, paints what plandra-cli renders at the same size;
dragging a free point moves the figure exactly as the window's move step
does for the same pointer positions, and so do the keys as the window's
deformation keys; the page says what can be done, puts the figure back, and
names a figure it cannot read; a page without the figure's text reads the
figure file beside it. Prints the viewer's size and speed."""

import argparse
import gzip
import html
import os
import shutil
import statistics
import struct
import subprocess
import sys

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.actions import interaction
    from selenium.webdriver.common.actions.action_builder import ActionBuilder
    from selenium.webdriver.common.actions.pointer_input import PointerInput
    from selenium.webdriver.common.actions.mouse_button import MouseButton
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    print('the web viewer\'s test needs python3-selenium, chromium and chromium-driver: '
          'run scripts/install-deps')
    sys.exit(1)

# The size of an exported page without a window.
WIDTH, HEIGHT = 641, 481
DEFAULT_PIXEL = 0.05
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print('FAIL: ' + message, flush=True)
    return condition


def outcome():
    """The exit status of a browser test, with its last line."""
    if failures:
        print('%d failure(s)' % len(failures))
        return 1
    print('all checks passed')
    return 0


def chromium(work, window='900,1000'):
    """Debian's headless Chromium with a fresh profile in work, nothing
    fetched behind the tests' back, and pages from folders allowed to read
    their neighbours."""
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for flag in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic',
                 '--no-first-run', '--disable-background-networking',
                 '--disable-component-update', '--disable-sync', '--disable-dev-shm-usage',
                 '--allow-file-access-from-files', '--window-size=' + window,
                 '--user-data-dir=' + os.path.join(work, 'profile')):
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    driver.set_page_load_timeout(60)
    driver.set_script_timeout(60)
    return driver


def page(figure_name, text, with_text=True):
    held = html.escape(text) if with_text else ''
    return ('<!DOCTYPE html><html><head><meta charset="utf-8"><title>%s</title></head><body>\n'
            '<pre hidden class="plandra-figure-text">%s</pre>'
            '<canvas class="plandra-figure" width="%d" height="%d" data-pdfile="%s"></canvas>'
            '<div class="plandra-static">static picture</div>\n'
            '<script src="plandra-viewer.js"></script></body></html>\n'
            % (html.escape(figure_name), held, WIDTH, HEIGHT, html.escape(figure_name)))


def read_bmp(path):
    """Pixels of an uncompressed 24- or 32-bit BMP as rows of (r, g, b)."""
    data = open(path, 'rb').read()
    offset, = struct.unpack_from('<I', data, 10)
    width, height, _, bits = struct.unpack_from('<iiHH', data, 18)
    step = bits // 8
    stride = (width * step + 3) // 4 * 4
    rows = []
    for y in range(abs(height)):
        source = y if height < 0 else abs(height) - 1 - y
        base = offset + source * stride
        rows.append([(data[base + x * step + 2], data[base + x * step + 1], data[base + x * step])
                     for x in range(width)])
    return rows


def canvas_pixels(driver):
    flat = driver.execute_script(
        "var c = document.querySelector('canvas.plandra-figure');"
        "return Array.from(c.getContext('2d').getImageData(0, 0, c.width, c.height).data);")
    return [[tuple(flat[(y * WIDTH + x) * 4:(y * WIDTH + x) * 4 + 3]) for x in range(WIDTH)]
            for y in range(HEIGHT)]


def ink(rows, background):
    return {(x, y) for y, row in enumerate(rows) for x, pixel in enumerate(row)
            if max(abs(a - b) for a, b in zip(pixel, background)) > 60}


def near(points, other, reach=1):
    return sum(1 for (x, y) in points
               if any((x + dx, y + dy) in other
                      for dx in range(-reach, reach + 1) for dy in range(-reach, reach + 1)))


def wait_painted(driver, timeout=20):
    WebDriverWait(driver, timeout).until(lambda d: d.execute_script(
        "var c = document.querySelector('canvas.plandra-figure');"
        "return c && c.getAttribute('data-plandra-state');"))
    return driver.execute_script(
        "return document.querySelector('canvas.plandra-figure').getAttribute('data-plandra-state')")


def table(driver):
    return driver.execute_script(
        "return PlandraViewer.elementTable(document.querySelector('canvas.plandra-figure'))")


def trace_table(driver):
    return driver.execute_script(
        "return PlandraViewer.traceTable(document.querySelector('canvas.plandra-figure'))")


def points_of(table_text):
    points = {}
    for line in table_text.splitlines():
        fields = line.split()
        if fields[0] == 'P':
            points[int(fields[1])] = (float(fields[2]), float(fields[3]), int(fields[4]))
    return points


def pixel_of(x, y, pixel_size):
    return (x / pixel_size + (WIDTH - 1) / 2, (HEIGHT - 1) / 2 - y / pixel_size)


def fields_of(text):
    """The fields of a figure file: commas and line ends separate them, and a
    quoted text runs to its closing quote."""
    fields, at = [], 0
    while at < len(text):
        if text[at] in ',\r\n':
            at += 1
        elif text[at] == '"':
            end = text.index('"', at + 1)
            fields.append(text[at + 1:end])
            at = end + 1
        else:
            end = at
            while end < len(text) and text[end] not in ',\r\n':
                end += 1
            fields.append(text[at:end].strip())
            at = end
    return fields


def figure_points(figure_path):
    """Bound mode and host class of each point record of a figure file."""
    fields = fields_of(open(figure_path, 'rb').read().decode('cp932'))
    steps = int(fields[0])
    kinds = fields[1:1 + steps]
    at = 1 + steps + 20 * steps
    counts = [int(f) for f in fields[at:at + 11]]
    at += 11 + 4 * counts[0]
    points = {}
    for k in range(counts[1]):
        record = fields[at + 11 * k:at + 11 * (k + 1)]
        points[k + 1] = {'bound': int(record[6]), 'host': int(record[7])}
    complex_figure = any(kind.startswith('PO') for kind in kinds)
    return points, DEFAULT_PIXEL / 4 if complex_figure else DEFAULT_PIXEL


def movable_point(figure_path, on_host):
    """A point the reader may drag: free, or on a line or circle."""
    points, pixel_size = figure_points(figure_path)
    for index, point in points.items():
        if point['bound'] == -1 and (point['host'] in (2, 3)) == on_host:
            return index, pixel_size
    return None, pixel_size


def check_paint(driver, args, name, figure_path):
    state = wait_painted(driver)
    if not check(state == 'painted', '%s: the page did not paint (%s)' % (name, state)):
        return
    hidden = driver.execute_script(
        "return getComputedStyle(document.querySelector('.plandra-static')).display")
    check(hidden == 'none', '%s: the static picture is still shown' % name)
    bmp = os.path.join(args.work, name + '.bmp')
    subprocess.run([args.cli, 'render', figure_path, '-o', bmp, '--size', '%dx%d' % (WIDTH, HEIGHT)],
                   check=True, timeout=60)
    reference = read_bmp(bmp)
    painted = canvas_pixels(driver)
    background = reference[0][0]
    check(painted[0][0] == background,
          '%s: background %s, plandra-cli has %s' % (name, painted[0][0], background))
    want, got = ink(reference, background), ink(painted, background)
    found = near(want, got) / max(len(want), 1)
    extra = near(got, want) / max(len(got), 1)
    print('%s: %d ink pixels rendered, %d painted; %.1f%% found, %.1f%% of painted expected'
          % (name, len(want), len(got), 100 * found, 100 * extra), flush=True)
    check(len(want) > 0 and found >= 0.95,
          '%s: only %.1f%% of the rendered figure painted' % (name, 100 * found))
    check(extra >= 0.95, '%s: %.1f%% of the painting is where nothing is rendered'
          % (name, 100 * (1 - extra)))


def drag(driver, canvas, start, path, touch, shift=False):
    if touch:
        actions = ActionBuilder(driver, mouse=PointerInput(interaction.POINTER_TOUCH, 'finger'))
    else:
        actions = ActionBuilder(driver)
    pointer = actions.pointer_action
    pointer.move_to(canvas, int(start[0] - WIDTH / 2), int(start[1] - HEIGHT / 2))
    pointer.pointer_down(MouseButton.LEFT)
    if shift:
        actions.key_action.key_down(Keys.SHIFT)
        pointer.pause(0)
    for column, row in path:
        pointer.move_to(canvas, int(column - WIDTH / 2), int(row - HEIGHT / 2))
        if shift:
            actions.key_action.pause(0)
    pointer.pointer_up(MouseButton.LEFT)
    if shift:
        actions.key_action.key_up(Keys.SHIFT)
    actions.perform()


def compare_drag(driver, args, what, figure_path, start, path, touch=False, shift=False,
                 traced=False):
    """A drag on the page against the window's drag through the same pixels;
    the element table after it, and with traced the traces too."""
    before = table(driver)
    canvas = driver.find_element('css selector', 'canvas.plandra-figure')
    drag(driver, canvas, start, path, touch, shift)
    WebDriverWait(driver, 10).until(lambda d: d.execute_script(
        "return PlandraViewer.figures[0] && !PlandraViewer.figures[0].dragging"))
    after = table(driver) + (trace_table(driver) if traced else '')
    moves = driver.execute_script("return PlandraViewer.moves(document.querySelector('canvas'))")
    pressed = driver.execute_script("return PlandraViewer.press(document.querySelector('canvas'))")
    check(len(moves) > 0, '%s: the drag made no move' % what)
    check(after != before, '%s: the drag changed nothing' % what)
    if shift:
        check(any(len(m) == 3 for m in moves), '%s: no move was made with Shift held' % what)
    # Each drag starts on a freshly opened page, as the window starts from the file.
    core = subprocess.run(
        [args.reference, 'trace' if traced else 'drag', figure_path, str(WIDTH), str(HEIGHT), '%d,%d' % tuple(pressed)] +
        [','.join(str(int(c)) for c in m) for m in moves], check=True, capture_output=True,
        text=True, timeout=60).stdout
    if not check(after == core, '%s: the page and the window differ after the drag' % what):
        for mine, theirs in zip(after.splitlines(), core.splitlines()):
            if mine != theirs:
                print('  page:   ' + mine + '\n  window: ' + theirs)
                break
    return after


def check_drag(driver, args, name, figure_path, on_host=False, touch=False, shift=False):
    """A movable point dragged on the page as in the window."""
    index, pixel_size = movable_point(figure_path, on_host)
    if index is None:
        return False
    what = '%s, %s point %d%s%s' % (name, 'host' if on_host else 'free', index,
                                     ' by touch' if touch else '', ' with Shift' if shift else '')
    x, y, _ = points_of(table(driver))[index]
    start = tuple(round(c) for c in pixel_of(x, y, pixel_size))
    path = [(start[0] + 7 * k, start[1] + 4 * k) for k in range(1, 6)]
    after = compare_drag(driver, args, what, figure_path, start, path, touch, shift)
    moved = points_of(after)[index]
    check(abs(moved[0] - x) + abs(moved[1] - y) > 0.1,
          '%s: the point did not follow the pointer' % what)
    return True


def check_line_drag(driver, args, name, figure_path):
    """A line through two free points, taken between them, drags whole."""
    grab = subprocess.run([args.reference, 'grab', figure_path, str(WIDTH), str(HEIGHT)],
                          check=True, capture_output=True, text=True, timeout=60).stdout.split()
    if not grab:
        return False
    start = tuple(int(c) for c in grab[0].split(','))
    path = [(start[0] + 6 * k, start[1] - 3 * k) for k in range(1, 6)]
    compare_drag(driver, args, '%s, a line' % name, figure_path, start, path)
    return True


def check_traces(driver, args, name, figure_path):
    """With the locus switch on, a drag leaves the traces the window's drag
    leaves through the same pixels; clearing takes them off the picture."""
    toggle = driver.find_elements('css selector', '.plandra-controls .plandra-locus input')
    if not check(len(toggle) == 1, '%s: no locus switch under a figure with locus colours' % name):
        return
    toggle[0].click()
    index, pixel_size = movable_point(figure_path, False)
    x, y, _ = points_of(table(driver))[index]
    start = tuple(round(c) for c in pixel_of(x, y, pixel_size))
    path = [(start[0] + 9 * k, start[1] - 5 * k) for k in range(1, 6)]
    compare_drag(driver, args, '%s with the locus switch on' % name, figure_path, start, path,
                 traced=True)
    traces = trace_table(driver).splitlines()
    check(len(traces) >= 2 * len(path), '%s: %d traces after the drag' % (name, len(traces)))
    traced = canvas_pixels(driver)
    driver.find_element('css selector', '.plandra-controls button.plandra-clear').click()
    check(trace_table(driver) == '', '%s: the traces were not cleared' % name)
    check(canvas_pixels(driver) != traced, '%s: the cleared traces are still drawn' % name)


def check_slider(driver, args, name, figure_path):
    """A number's slider varies it as the window's number variation does with
    the up and down keys, one variation step a position."""
    sliders = driver.find_elements('css selector', '.plandra-numbers input[type=range]')
    if not check(len(sliders) > 0, '%s: no slider for its independent number' % name):
        return
    number = driver.execute_script("return PlandraViewer.figures[0].sliders[0].number")
    shown = sliders[0].find_element('xpath', '..').text
    loaded = table(driver)
    sliders[0].send_keys(Keys.ARROW_RIGHT * 3 + Keys.ARROW_LEFT)
    varied = table(driver)
    core = subprocess.run(
        [args.reference, 'vary', figure_path, str(WIDTH), str(HEIGHT), str(number), 'Up', 'Up',
         'Up', 'Down'], check=True, capture_output=True, text=True, timeout=60).stdout
    check(varied != loaded, '%s: the slider changed nothing' % name)
    check(varied == core, '%s: the page and the window differ after the variation' % name)
    check(sliders[0].find_element('xpath', '..').text != shown,
          '%s: the slider\'s value was not shown anew' % name)


def check_keys_and_reset(driver, args, name, figure_path):
    """Tab takes the first movable point; the arrow keys move it as the
    window's deformation keys with the steps of one and ten pixels; the reset
    button puts the figure back as it was loaded."""
    loaded = table(driver)
    hint = driver.execute_script(
        "var h = document.querySelector('.plandra-controls .plandra-hint');"
        "return h && h.textContent")
    check(hint is not None and hint.startswith('点をドラッグできます'),
          '%s: the page does not say the points can be dragged (%r)' % (name, hint))
    canvas = driver.find_element('css selector', 'canvas.plandra-figure')
    check(canvas.get_attribute('aria-label') == name + '.pd4', '%s: the canvas has no name' % name)
    described = driver.execute_script(
        "var c = document.querySelector('canvas.plandra-figure');"
        "return c.getAttribute('aria-describedby').split(' ')"
        ".map(id => document.getElementById(id).textContent).join(' ')")
    check(name + '.pd4' in described and hint in described,
          '%s: the canvas is not described by its summary and the hint' % name)
    canvas.send_keys(Keys.TAB)
    point = driver.execute_script("return PlandraViewer.figures[0].chosen")
    if not check(bool(point), '%s: Tab chose no point' % name):
        return
    ActionChains(driver).send_keys(Keys.ARROW_LEFT).key_down(Keys.SHIFT).send_keys(
        Keys.ARROW_UP).key_up(Keys.SHIFT).perform()
    moved = table(driver)
    core = subprocess.run(
        [args.reference, 'keys', figure_path, str(WIDTH), str(HEIGHT), str(point), 'Left',
         'Up10'], check=True, capture_output=True, text=True, timeout=60).stdout
    check(moved != loaded, '%s: the keys moved nothing' % name)
    check(moved == core, '%s: the page and the window differ after the keys' % name)
    driver.find_element('css selector', '.plandra-controls button.plandra-reset').click()
    check(table(driver) == loaded, '%s: the reset did not put the figure back' % name)


def check_failure_shown(driver):
    """A figure the viewer cannot read: its reason in the page above the
    static picture, in place of the canvas."""
    shown = driver.execute_script(
        "var c = document.querySelector('canvas.plandra-figure');"
        "var f = document.querySelector('.plandra-failure');"
        "var s = document.querySelector('.plandra-static');"
        "return [getComputedStyle(c).display, f ? f.textContent : '',"
        "        f ? f.nextElementSibling === c : false, getComputedStyle(s).display];")
    check(shown[0] == 'none' and shown[1] and shown[2] and shown[3] != 'none',
          'a broken figure: the reason is not shown in place of the canvas (%s)' % shown)


def check_events(driver, args):
    """Event points on the page: nothing with events off; with them on a
    point marked to show only then shows, and each kind shows its message,
    picture, memo, address or linked figure in the page, every text as text;
    documents and "javascript:" are never opened, and an http(s) address
    opens only after the reader confirms it."""

    def event_figure(points, marks={}):
        """A figure of fixed event points, one (x, y, name) each (mark 4, or as
        marks says by name), written from the file format as the program writes
        it (code page 932, CR LF)."""
        count = len(points)
        lines = [str(count)] + ['"PNEW"'] * count + ['0,0'] * (5 * count)
        for k in range(1, count + 1):
            lines += ['1,%d' % k] + ['0,0'] * 4
        lines += ['0', str(count)] + ['0'] * 9
        for k, (x, y, name) in enumerate(points, 1):
            lines += ['%g,%g' % (x, y), '7', '0', str(-k), str(marks.get(name, 4)), '1', '0,0', '0',
                      '"%s"' % name]
        return ('\r\n'.join(lines) + '\r\n').encode('cp932')

    folder = os.path.join(args.work, 'events')
    os.makedirs(folder)
    kinds = [('message', 'm!2 < 3 <b>bold</b>'), ('board', 'b!!三角形の内角の和は180°'),
             ('picture', 'p!%pic.png'), ('memo', 'e!@memo'), ('document', 'd!#report.pdf'),
             ('script document', 'j!#javascript:alert(1)'), ('script address', 's!>js'),
             ('address', 'w!>web'), ('figure file', 'f!_other'), ('figure page', 'g!_linked'),
             ('picture outside', 'u!%../pic.png'), ('picture missing', 'q!%gone.png')]
    points = [(-12 + 6 * (k % 5), 6 - 6 * (k // 5), name) for k, (_, name) in enumerate(kinds)]
    open(os.path.join(folder, 'lesson.pd5'), 'wb').write(
        event_figure(points, {kinds[0][1]: 23}))
    for name in ('other.pd4', 'linked.pd4'):
        open(os.path.join(folder, name), 'wb').write(event_figure([(0, 0, 'A')]))
    shutil.copy(os.path.join(args.samples, 'events.png'), os.path.join(folder, 'pic.png'))
    open(os.path.join(folder, 'memo.txt'), 'wb').write('メモ: <i>読むだけ</i>\r\n'.encode('cp932'))
    open(os.path.join(folder, 'js.txt'), 'wb').write(b'\r\n  javascript:alert(1)\r\n')
    open(os.path.join(folder, 'web.txt'), 'wb').write(b'https://example.org/lesson?a=1\r\n')
    # The page alone (no page beside the linked figures), then the lesson.
    subprocess.run([args.cli, 'html', os.path.join(folder, 'lesson.pd5')], check=True, timeout=60)
    lesson = os.path.join(args.work, 'events-lesson')
    subprocess.run([args.cli, 'html', folder, '-o', lesson], check=True, timeout=60)
    for written in (folder, lesson):
        shutil.copy(args.viewer, written)  # the viewer under test, not the one the program ships
    url = 'file://' + os.path.join(folder, 'lesson.htm')
    driver.get(url)
    if not check(wait_painted(driver) == 'painted', 'events: the page did not paint'):
        return
    driver.execute_script("window.plandraOpened = [];"
                          "window.open = function () { plandraOpened.push("
                          "Array.from(arguments)); return null; };")
    canvas = driver.find_element('css selector', 'canvas.plandra-figure')
    where = {what: pixel_of(x, y, DEFAULT_PIXEL) for (what, _), (x, y, _) in zip(kinds, points)}

    def click(what):
        column, row = where[what]
        ActionChains(driver).move_to_element_with_offset(
            canvas, int(round(column) - WIDTH // 2), int(round(row) - HEIGHT // 2)).click().perform()

    def marked_shown():
        column, row = (int(round(c)) for c in where['message'])
        return driver.execute_script(
            "var c = arguments[0]; PlandraViewer.redraw(c);"
            "var d = c.getContext('2d').getImageData(arguments[1] - 1, arguments[2] - 1, 3, 3).data;"
            "for (var i = 0; i < d.length; i += 4) if (d[i] + d[i + 1] + d[i + 2] < 600) return true;"
            "return false;", canvas, column, row)

    def panel():
        return driver.execute_script(
            "var p = document.querySelector('.plandra-event-panel');"
            "return p ? [p.hidden, p.textContent, p.innerHTML] : null;")

    click('message')
    shown = panel()
    if not check(shown is not None, 'events: the page has no place for events'):
        return
    check(shown[0] and 'bold' not in shown[1], 'events: a click with events off showed %r' % shown)
    check(not marked_shown(), 'events: a point marked for events shows with events off')
    driver.find_element('css selector', 'input.plandra-events-toggle').click()
    check(marked_shown(), 'events: a point marked for events does not show with events on')
    ActionChains(driver).move_to_element_with_offset(
        canvas, int(round(where['memo'][0]) - WIDTH // 2),
        int(round(where['memo'][1]) - HEIGHT // 2)).perform()
    check(canvas.value_of_css_property('cursor') == 'pointer',
          'events: no hand over an event point')
    expected = {'message': '2 < 3 <b>bold</b>', 'board': '三角形の内角の和は180°',
                'memo': 'メモ: <i>読むだけ</i>', 'document': 'report.pdf',
                'script document': 'javascript:alert(1)', 'script address': 'javascript:alert(1)',
                'address': 'https://example.org/lesson?a=1', 'picture outside': '../pic.png',
                'picture missing': '読み込めませんでした: gone.png',
                'figure file': 'other'}
    for what, text in expected.items():
        click(what)
        try:
            WebDriverWait(driver, 5).until(lambda d: text in panel()[1])
        except Exception:
            pass
        shown = panel()
        check(not shown[0] and text in shown[1],
              'events: %s does not show %r in the page (%r)' % (what, text, shown[1]))
        check('<b>' not in shown[2] and '<i>' not in shown[2] and '<img' not in shown[2],
              'events: %s put markup or a picture into the page' % what)
    check(driver.execute_script(
        "var a = document.querySelector('.plandra-event-figure a');"
        "return a && a.getAttribute('href')")
          == './other.pd4', 'events: the linked figure without a page is not offered as a file')
    click('picture')
    WebDriverWait(driver, 5).until(lambda d: d.execute_script(
        "var i = document.querySelector('img.plandra-event-picture');"
        "return i && i.complete;"))
    check(driver.execute_script(
        "var i = document.querySelector('img.plandra-event-picture');"
        "return i.naturalWidth > 0 && i.getAttribute('src') === './pic.png';"),
          'events: the picture is not shown beside the figure')
    check(driver.execute_script("return plandraOpened.length") == 0 and driver.current_url == url,
          'events: something was opened before the reader confirmed: %s'
          % driver.execute_script("return plandraOpened"))
    click('address')
    WebDriverWait(driver, 5).until(lambda d: d.execute_script(
        "return document.querySelector('button.plandra-event-open')"))
    driver.find_element('css selector', 'button.plandra-event-open').click()
    check(driver.execute_script("return plandraOpened") ==
          [['https://example.org/lesson?a=1', '_blank', 'noopener,noreferrer']],
          'events: the confirmed address did not open in a new tab')
    driver.find_element('css selector', 'button.plandra-event-close').click()
    check(panel()[0], 'events: the close button left the panel open')
    # In the lesson the linked figure has its own page, and the click opens it.
    driver.get('file://' + os.path.join(lesson, 'lesson.htm'))
    wait_painted(driver)
    canvas = driver.find_element('css selector', 'canvas.plandra-figure')
    driver.find_element('css selector', 'input.plandra-events-toggle').click()
    click('figure page')
    WebDriverWait(driver, 5).until(lambda d: d.current_url.endswith('/linked.htm'))
    check(wait_painted(driver) == 'painted', 'events: the linked figure\'s page did not open')


def first_paint_times(driver, url, count=7):
    times = []
    for _ in range(count):
        driver.get(url)
        wait_painted(driver)
        times.append(driver.execute_script("return PlandraViewer.firstPaint"))
    return statistics.median(times)


def drag_frame_time(driver, args, name='large', command=('large',)):
    """Median of one move step and its drawing: the first free point of the
    1,000-element figure, or the point a figure of loci prints."""
    figure = os.path.join(args.work, name + '.pd4')
    printed = subprocess.run([args.reference, command[0], figure] + list(command[1:]), check=True,
                             capture_output=True, text=True, timeout=60).stdout.split()
    subprocess.run([args.cli, 'html', figure, '-o', os.path.join(args.work, name + '.html')],
                   check=True, timeout=60)
    driver.get('file://' + os.path.join(args.work, name + '.html'))
    check(wait_painted(driver, 60) == 'painted', '%s: the page did not paint' % name)
    index, pixel_size = movable_point(figure, False)
    if printed:
        index = int(printed[0])
    x, y, _ = points_of(table(driver))[index]
    column, row = pixel_of(x, y, pixel_size)
    times = driver.execute_script("""
        var c = document.querySelector('canvas.plandra-figure');
        var r = c.getBoundingClientRect();
        var column = arguments[0], row = arguments[1];
        function at(type, dx) {
          c.dispatchEvent(new PointerEvent(type, {clientX: r.left + column + dx,
            clientY: r.top + row, button: 0, buttons: 1, pointerId: 1, bubbles: true}));
        }
        at('pointerdown', 0);
        var times = [];
        for (var k = 1; k <= 30; ++k) {
          var t0 = performance.now();
          at('pointermove', k);
          PlandraViewer.redraw(c);
          times.push(performance.now() - t0);
        }
        at('pointerup', 30);
        return times;""", column + 0.5, row + 0.5)
    return statistics.median(times)


def step_times(driver):
    """Medians of a keyboard step and a slider step with their drawing, on
    the 1,000-element page drag_frame_time opened."""
    return driver.execute_script("""
        var c = document.querySelector('canvas.plandra-figure');
        function median(f) {
          var times = [];
          for (var k = 0; k < 30; ++k) {
            var t0 = performance.now();
            f(k);
            PlandraViewer.redraw(c);
            times.push(performance.now() - t0);
          }
          times.sort(function (a, b) { return a - b; });
          return times[15];
        }
        c.focus();
        c.dispatchEvent(new KeyboardEvent('keydown', {key: 'Tab', bubbles: true}));
        var keys = median(function () {
          c.dispatchEvent(new KeyboardEvent('keydown', {key: 'ArrowRight', bubbles: true}));
        });
        var slider = document.querySelector('.plandra-numbers input[type=range]');
        var sliders = median(function (k) {
          slider.value = k % 2 ? 1 : 2;
          slider.dispatchEvent(new Event('input'));
        });
        return [keys, sliders];""")


def main():
    parser = argparse.ArgumentParser()
    for option in ('--viewer', '--cli', '--reference', '--samples', '--work'):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    for program in ('/usr/bin/chromium', '/usr/bin/chromedriver'):
        if not os.access(program, os.X_OK):
            print('no %s: run scripts/install-deps' % program)
            return 1
    if not os.path.isfile(args.viewer):
        print('no viewer at %s: build it (make web)' % args.viewer)
        return 1
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    shutil.copy(args.viewer, args.work)
    raw = open(args.viewer, 'rb').read()
    print('viewer: %d bytes, %d gzip-compressed' % (len(raw), len(gzip.compress(raw, 9))))
    check(len(raw) <= 1500000, 'the viewer is larger than 1.5 MB')

    driver = chromium(args.work)
    try:
        samples = sorted(f for f in os.listdir(args.samples) if f.endswith('.pd4'))
        check(len(samples) > 0, 'no sample figures in ' + args.samples)
        host_drags = 0
        for sample in samples:
            name = sample[:-4]
            figure_path = os.path.join(args.work, sample)
            shutil.copy(os.path.join(args.samples, sample), figure_path)
            # The page as the program exports it.
            html_path = os.path.join(args.work, name + '.html')
            subprocess.run([args.cli, 'html', figure_path, '-o', html_path], check=True, timeout=60)
            driver.get('file://' + html_path)
            check_paint(driver, args, name, figure_path)
            check_drag(driver, args, name, figure_path)
            driver.get('file://' + html_path)
            wait_painted(driver)
            host_drags += check_drag(driver, args, name, figure_path, on_host=True)
        # A line through two free points drags whole; Shift snaps as in the window.
        line_drags = 0
        for sample in samples:
            driver.get('file://' + os.path.join(args.work, sample[:-4] + '.html'))
            wait_painted(driver)
            line_drags += check_line_drag(driver, args, sample[:-4],
                                          os.path.join(args.work, sample))
        check(line_drags > 0, 'no sample has a line that drags whole')
        driver.get('file://' + os.path.join(args.work, samples[0][:-4] + '.html'))
        wait_painted(driver)
        check(check_drag(driver, args, samples[0][:-4], os.path.join(args.work, samples[0]),
                         shift=True), 'no free point to drag with Shift')
        # Traces on a figure with locus colours.
        traced = [s for s in samples if 'affine' in s]
        if check(traced, 'no sample with locus colours'):
            driver.get('file://' + os.path.join(args.work, traced[0][:-4] + '.html'))
            wait_painted(driver)
            check_traces(driver, args, traced[0][:-4], os.path.join(args.work, traced[0]))
        # A number's slider on a figure with an independent number.
        varied = [s for s in samples if 'triangle' in s]
        if check(varied, 'no sample with an independent number'):
            driver.get('file://' + os.path.join(args.work, varied[0][:-4] + '.html'))
            wait_painted(driver)
            check_slider(driver, args, varied[0][:-4], os.path.join(args.work, varied[0]))
        # The keys and the reset on the first sample's page.
        driver.get('file://' + os.path.join(args.work, samples[0][:-4] + '.html'))
        wait_painted(driver)
        check_keys_and_reset(driver, args, samples[0][:-4], os.path.join(args.work, samples[0]))
        # A finger drags as the mouse does.
        driver.get('file://' + os.path.join(args.work, samples[-1][:-4] + '.html'))
        wait_painted(driver)
        check(check_drag(driver, args, samples[-1][:-4], os.path.join(args.work, samples[-1]),
                         touch=True), 'no free point to drag by touch')
        check(host_drags > 0, 'no sample has a point on a line or circle to drag')
        # Without text of its own the page reads the figure file beside it.
        sample = samples[0]
        html_path = os.path.join(args.work, 'from-file.html')
        open(html_path, 'w', encoding='utf-8').write(page(sample, '', with_text=False))
        driver.get('file://' + html_path)
        check(wait_painted(driver) == 'painted', 'the page did not read ' + sample)
        # Every figure of a page is drawn, each from the text before it.
        two = page(samples[0], open(os.path.join(args.work, samples[0]), 'rb').read()
                   .decode('cp932'))
        second = page(samples[1], open(os.path.join(args.work, samples[1]), 'rb').read()
                      .decode('cp932'))
        body = second[second.index('<pre'):second.index('<script')]
        html_path = os.path.join(args.work, 'two.html')
        open(html_path, 'w', encoding='utf-8').write(two.replace('<script', body + '<script'))
        driver.get('file://' + html_path)
        wait_painted(driver)
        states = driver.execute_script(
            "return Array.from(document.querySelectorAll('canvas.plandra-figure'))"
            ".map(c => c.getAttribute('data-plandra-state'))")
        check(states == ['painted', 'painted'], 'two figures on a page: %s' % states)
        # A figure text that is no figure: the canvas says why, nothing breaks.
        html_path = os.path.join(args.work, 'broken.html')
        open(html_path, 'w', encoding='utf-8').write(page('broken.pd4', '3\r\n"PNEW"\r\n'))
        driver.get('file://' + html_path)
        check(wait_painted(driver) == 'failed', 'a broken figure was not refused')
        check_failure_shown(driver)
        check_events(driver, args)
        print('first paint: %.0f ms (median)' % first_paint_times(
            driver, 'file://' + os.path.join(args.work, samples[0][:-4] + '.html')))
        steps = os.path.join(args.work, 'steps5000.pd4')
        subprocess.run([args.reference, 'large', steps, '5000'], check=True, timeout=60)
        subprocess.run([args.cli, 'html', steps, '-o', steps[:-4] + '.html'], check=True,
                       timeout=60)
        print('first paint, 5,000 steps: %.0f ms (median)'
              % first_paint_times(driver, 'file://' + steps[:-4] + '.html'))
        print('drag frame, 1,000 elements: %.2f ms (median)' % drag_frame_time(driver, args))
        print('keyboard step, slider step, 1,000 elements: %.2f ms, %.2f ms (medians)'
              % tuple(step_times(driver)))
        print('drag frame of a point no locus reads, 20 loci: %.2f ms (median)'
              % drag_frame_time(driver, args, 'loci20', ('loci', '20')))
    finally:
        driver.quit()
    return outcome()


if __name__ == '__main__':
    sys.exit(main())
