#!/usr/bin/python3
"""A published lesson as pupils meet it, in headless Chromium: the texts the
page fetches read as the window reads them and the page speaks one language.
Prints what it measures."""

import argparse
import os
import re
import shutil
import subprocess
import sys

import viewer_test as vt
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
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


def main():
    parser = argparse.ArgumentParser()
    for option in ('--viewer', '--cli', '--samples', '--work'):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    args.env = dict(os.environ, PLANDRA_HOME=os.path.join(args.work, 'home'),
                    QT_QPA_PLATFORM='offscreen')
    lesson = os.path.join(args.work, 'lesson')
    subprocess.run([args.cli, 'html', args.samples, '-o', lesson], check=True, timeout=120,
                   env=args.env, stdout=subprocess.DEVNULL)
    # The viewer under test, not the one the program ships.
    shutil.copy(args.viewer, os.path.join(lesson, 'plandra-viewer.js'))

    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for flag in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic',
                 '--no-first-run', '--disable-background-networking',
                 '--disable-component-update', '--disable-sync', '--disable-dev-shm-usage',
                 '--allow-file-access-from-files', '--window-size=900,1000',
                 '--user-data-dir=' + os.path.join(args.work, 'profile')):
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    driver.set_page_load_timeout(60)
    driver.set_script_timeout(60)
    try:
        check_memo_codes(driver, args, lesson)
        check_one_language(driver, args, lesson)
    finally:
        driver.quit()
    if vt.failures:
        print('%d failures' % len(vt.failures))
        return 1
    print('all passed')
    return 0


if __name__ == '__main__':
    sys.exit(main())
