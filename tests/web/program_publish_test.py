#!/usr/bin/python3
"""The browser program published with a lesson and its windows, in headless
Chromium over a local web server: a page's "open in the program" link opens
its figure (a hostile name included) in the program; the program's online
saving posts the figure to the teacher's server as the desktop's form does;
the Data Viewer and the memo window work by keys, keep a typed memo and pass
axe-core without a serious or critical finding."""

import argparse
import html
import os
import shutil
import subprocess
import sys
import threading
import time
import urllib.parse

import axe_check
import program_test as pt
import viewer_test as vt
from publish_browser import FormServer, SiteServer, form_text
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

check = vt.check
# A name that is markup, a fragment, a query and a percent escape at once.
HOSTILE = "x<&#+?%41'>.pd4"
FIELDS = {'title': '三角形 & <b>', 'username': 'Sato', 'schoolname': '中学校 2年',
          'comment': 'line one\n</textarea> two'}
MEMO = 'メモの一行目\nsecond'


def publish(args, lesson, out):
    os.makedirs(lesson)
    for name in ('triangle.pd4', HOSTILE):
        shutil.copy(os.path.join(args.samples, 'triangle.pd4'), os.path.join(lesson, name))
    env = dict(os.environ, PLANDRA_HOME=os.path.join(args.work, 'home'))
    subprocess.run([args.cli, 'html', lesson, '-o', out, '--program'], env=env, check=True,
                   timeout=120, stdout=subprocess.DEVNULL)
    for name in ('plandra.html', 'plandra-program.js'):
        check(os.path.exists(os.path.join(out, name)), 'the lesson carries ' + name)
    return env


def open_from_page(driver, base, figure):
    """The figure's page, its link to the program followed; the program is
    ready with the figure in its file system."""
    page = os.path.splitext(figure)[0] + '.htm'
    driver.get(base + urllib.parse.quote(page))
    driver.execute_async_script(pt.FORGET)  # no figure kept from the visit before
    links = driver.find_elements('css selector', 'p.plandra-open-program a')
    if not check(len(links) == 1, '%s: no link to the program' % figure):
        return False
    check(links[0].text == 'この図をプログラムで開く', 'the link says %r' % links[0].text)
    links[0].click()
    pt.wait_idle(driver, timeout=60)
    size = driver.execute_script(
        'var b = plandraProgram.fileSystem.readFile(arguments[0]); return b ? b.length : -1;',
        '/work/' + figure)
    return check(size == len(SAMPLE_BYTES), '%s: the program holds %d bytes of it' % (figure, size))


def appears(driver, condition, seconds=10):
    deadline = time.time() + seconds
    while not condition() and time.time() < deadline:
        time.sleep(0.1)
    return bool(condition())


def answer_input(driver, text):
    WebDriverWait(driver, 10).until(lambda d: d.find_elements('css selector', 'dialog[open] input'))
    field = driver.find_element('css selector', 'dialog[open] input')
    field.send_keys(Keys.CONTROL, 'a')
    field.send_keys(text, Keys.ENTER)
    pt.wait_idle(driver)


def check_online_saving(driver, args, env, figure_file):
    """The pupil's sending page comes up in a new tab and posts the figure's
    text as the desktop's form holds it."""
    server = FormServer()
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        url = 'http://127.0.0.1:%d/asp/pd/pd_save.asp' % server.server_address[1]
        pt.choose_menu(driver, 'mnuOwwwManual', False)
        answer_input(driver, url)
        program_tab = driver.current_window_handle
        pt.choose_menu(driver, 'mnuSaveOnLine', False)
        if not check(appears(driver, lambda: len(driver.window_handles) == 2),
                     'the sending page did not come up'):
            return
        driver.switch_to.window([h for h in driver.window_handles if h != program_tab][0])
        for name, value in FIELDS.items():
            driver.find_element('name', name).send_keys(value)
        driver.find_element('name', 'submitbutton').click()
        if not check(server.arrived.wait(30), 'the sending page never reached the server'):
            return
        path, posted = server.posted
        check(path == '/asp/pd/pd_save.asp', 'posted to ' + path)
        for name, value in FIELDS.items():
            check(posted[name][0] == value.replace('\n', '\r\n'), '%s posted as %r'
                  % (name, posted[name][0]))
        desktop = os.path.join(args.work, 'desktop-form.htm')
        subprocess.run([args.cli, 'online', figure_file, '-o', desktop, '--url', url], env=env,
                       check=True, timeout=60, stdout=subprocess.DEVNULL)
        check(posted['pd_data'][0] == form_text(desktop),
              'pd_data differs from the figure text of the desktop\'s form')
        driver.close()
        driver.switch_to.window(program_tab)
    finally:
        server.shutdown()
        server.server_close()


def focused(driver, script):
    return driver.execute_script('var e = document.activeElement; return ' + script + ';')


def press(driver, *keys):
    ActionChains(driver).send_keys(*keys).perform()
    pt.wait_idle(driver)


def back_tab(driver):
    ActionChains(driver).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT).perform()
    pt.wait_idle(driver)


def audit(driver, axe, state):
    found = axe_check.findings(driver, axe)
    check(not found, '%s: %s' % (state, '; '.join(found)))


def check_data_viewer(driver, axe):
    """The Data Viewer by keys: its text shown and focused, a write mode
    chosen with the arrows, cleared, and closed by its exit item."""
    pt.choose_menu(driver, 'mnuEditFigDataView', False)
    pt.wait_idle(driver)
    viewer = driver.find_elements('css selector', '.plandra-viewer')
    if not check(len(viewer) == 1, 'the Data Viewer did not come up'):
        return
    check(focused(driver, "e.matches('.plandra-viewer textarea') && e.value.length > 0"),
          'the Data Viewer\'s text is not shown and focused')
    audit(driver, axe, 'the Data Viewer')
    back_tab(driver)
    back_tab(driver)
    check(focused(driver, 'e.dataset.name') == 'mnuModeOverwrite',
          'the modes are not reached: %r' % focused(driver, 'e.outerHTML'))
    press(driver, Keys.ARROW_DOWN)
    check(driver.execute_script(
        "return document.querySelector('.plandra-viewer [data-name=mnuModeAppend]').checked;"),
        'the mode chosen is not the model\'s')
    back_tab(driver)
    check(focused(driver, 'e.dataset.name') == 'mnuClear', 'Clear is not reached')
    press(driver, Keys.ENTER)
    check(driver.execute_script(
        "return document.querySelector('.plandra-viewer textarea').value;") == '',
        'Clear left the text')
    press(driver, Keys.TAB)
    press(driver, Keys.TAB)
    check(focused(driver, 'e.dataset.name') == 'mnuExit', 'Exit is not reached')
    press(driver, Keys.ENTER)
    check(not driver.find_elements('css selector', '.plandra-viewer'), 'Exit left the viewer')


def check_memo(driver, axe, downloads):
    """The figure's memo: typed, its erase asks first and Cancel keeps it, and
    Save hands out the memo's bytes."""
    pt.choose_menu(driver, 'mnuHMemo', False)
    pt.wait_idle(driver)
    if not check(focused(driver, "e.matches('.plandra-memo textarea')"),
                 'the memo window did not come up with its text focused'):
        return
    audit(driver, axe, 'the memo window')
    first, second = MEMO.split('\n')
    ActionChains(driver).send_keys(first, Keys.ENTER, second).perform()
    pt.wait_idle(driver)
    erase, save = (driver.find_element('xpath', '//section[contains(@class, "plandra-memo")]'
                                       '//button[%d]' % n) for n in (3, 2))
    erase.click()
    asked = appears(driver, lambda: driver.find_elements('css selector', 'dialog[open]'))
    if not check(asked, 'the typed memo was erased without a question'):
        return
    driver.find_element('css selector', 'dialog[open] button[data-value="1"]').click()
    pt.wait_idle(driver)
    check(driver.execute_script(
        "var t = document.querySelector('.plandra-memo textarea'); return t && t.value;") == MEMO,
        'the typed memo was not kept after Cancel')
    save.click()
    pt.wait_idle(driver)
    got = pt.downloaded(downloads, 'triangle.txt')
    if check(got is not None, 'the saved memo was not handed out'):
        check(got == MEMO.replace('\n', '\r\n').encode('utf-8'), 'the memo saved as %r' % got)


SAMPLE_BYTES = b''


def main():
    global SAMPLE_BYTES
    parser = argparse.ArgumentParser()
    for option in ('--cli', '--samples', '--axe-fetcher', '--work'):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    axe = open(subprocess.run([args.axe_fetcher, '--where'], capture_output=True, text=True,
                              check=True).stdout.strip()).read()
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(os.path.join(args.work, 'home'))
    SAMPLE_BYTES = open(os.path.join(args.samples, 'triangle.pd4'), 'rb').read()
    out = os.path.join(args.work, 'site')
    env = publish(args, os.path.join(args.work, 'lesson'), out)
    downloads = os.path.join(args.work, 'downloads')
    os.makedirs(downloads)
    server = SiteServer(out)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    driver = vt.chromium(args.work, window='1000,800')
    driver.execute_cdp_cmd('Browser.setDownloadBehavior',
                           {'behavior': 'allow', 'downloadPath': downloads})
    try:
        base = 'http://127.0.0.1:%d/' % server.server_address[1]
        if open_from_page(driver, base, HOSTILE):
            check_online_saving(driver, args, env, os.path.join(out, HOSTILE))
        if open_from_page(driver, base, 'triangle.pd4'):
            check_data_viewer(driver, axe)
            check_memo(driver, axe, downloads)
    finally:
        driver.quit()
        server.shutdown()
        server.server_close()
    return vt.outcome()


if __name__ == '__main__':
    sys.exit(main())
