#!/usr/bin/python3
"""The browser program keeps the open figure in the browser's storage: a tab
closed after an undo gets its figure back on the next visit, redo included,
and saves what the core saves for the whole construction; storage that
refuses says so and falls back to the download; a damaged keep is told and
never opened."""

import argparse
import os
import shutil
import sys

import program_test as pt
import viewer_test as vt
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

check = vt.check

REFUSE_WRITES = """
IDBObjectStore.prototype.put = function () {
  throw new DOMException('The quota has been exceeded.', 'QuotaExceededError');
};
"""

DAMAGE = """
var done = arguments[arguments.length - 1];
var request = indexedDB.open('plandra-program', 1);
request.onupgradeneeded = function () { request.result.createObjectStore('kept'); };
request.onsuccess = function () {
  var transaction = request.result.transaction('kept', 'readwrite');
  transaction.objectStore('kept').put('<img src=x onerror=alert(1)>', 'figure');
  transaction.oncomplete = function () { request.result.close(); done(); };
};
"""


def page(args, name='plandra.html'):
    return 'file://' + os.path.join(args.work, name)


def question(driver):
    WebDriverWait(driver, 20).until(
        lambda d: d.find_elements('css selector', 'dialog[open] .plandra-dialog-text'))
    return driver.find_element('css selector', 'dialog[open] .plandra-dialog-text').text


def answer(driver, value):
    driver.find_element('css selector', 'dialog[open] button[data-value="%d"]' % value).click()


def play(driver, lines):
    canvas = driver.find_element('css selector', 'canvas.plandra-drawing')
    for line in lines:
        verb, operand = line.split()[:2]
        if verb in ('press', 'choose', 'type'):
            pt.dialog_step(driver, line, False)
        elif verb == 'menu':
            pt.choose_menu(driver, operand, False)
        elif verb == 'click':
            column, row = (float(v) for v in operand.split(','))
            pt.tap(driver, canvas, column, row, False)
        elif verb == 'key':
            canvas.send_keys(Keys.ESCAPE)
        pt.wait_idle(driver)


def check_reopened_tab(driver, args, expected, menus, downloads):
    """Closed after the undo, the tab comes back with the figure and its redo."""
    pt.fresh_page(driver, args, load=False)
    driver.get(page(args))
    pt.wait_idle(driver)
    undo = pt.SCRIPT.index('menu mnuCundo')
    play(driver, pt.SCRIPT[:undo + 1])
    driver.get(page(args))
    check('前回の作図が残っています' in question(driver),
          'the next visit did not offer the kept figure')
    answer(driver, 2)  # yes
    pt.wait_idle(driver)
    check(pt.page_menus(driver) == menus[undo + 2],
          'the reopened tab\'s menus differ from the core\'s (redo lost?)')
    play(driver, ['menu mnuCredoUndone'])
    pt.choose_menu(driver, 'mnuSave', False)
    pt.save_as(driver, pt.SAVED_NAME)
    got = pt.downloaded(downloads, pt.SAVED_NAME)
    if check(got is not None, 'the reopened figure was not downloaded'):
        check(got == expected, 'the reopened figure, redone and saved, differs from the core\'s')
        os.remove(os.path.join(downloads, pt.SAVED_NAME))


def check_refused_storage(driver, args, downloads):
    """Storage that refuses the figure is told once, and the save downloads it."""
    pt.fresh_page(driver, args, load=False)
    added = driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument',
                                   {'source': REFUSE_WRITES})
    try:
        driver.get(page(args))
        WebDriverWait(driver, 20).until(lambda d: d.execute_script(
            'return window.plandraProgram && plandraProgram.state() !== null;'))
        refused = question(driver)
        check('ブラウザに作図を残せません' in refused,
              'refused storage was not told: %r' % refused)
        answer(driver, 0)
        pt.save_as(driver, 'refused.pd4')
        check(pt.downloaded(downloads, 'refused.pd4') is not None,
              'refused storage did not fall back to the download')
    finally:
        driver.execute_cdp_cmd('Page.removeScriptToEvaluateOnNewDocument',
                               {'identifier': added['identifier']})


def check_damaged_keep(driver, args):
    """Whatever the storage holds is read by the core, never run."""
    pt.fresh_page(driver, args, load=False)
    driver.execute_async_script(DAMAGE)
    driver.get(page(args))
    check(question(driver) == '残っていた作図を読めませんでした。',
          'a damaged keep was not told')
    answer(driver, 0)
    pt.wait_idle(driver)
    check(not driver.execute_script('return document.querySelector("img");'),
          'the damaged keep reached the page as markup')


def main():
    parser = argparse.ArgumentParser()
    for option in ('--program', '--page', '--reference', '--work'):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    shutil.copy(args.program, args.work)
    shutil.copy(args.page, os.path.join(args.work, 'plandra.html'))
    downloads = os.path.join(args.work, 'downloads')
    os.makedirs(downloads)
    driver = vt.chromium(args.work, window='900,700')
    driver.execute_cdp_cmd('Browser.setDownloadBehavior',
                           {'behavior': 'allow', 'downloadPath': downloads})
    try:
        pt.fresh_page(driver, args, load=False)
        driver.get(page(args))
        pt.wait_idle(driver, timeout=60)
        width, height = pt.canvas_size(driver)
        undo = pt.SCRIPT.index('menu mnuCundo') + 1
        expected, menus = pt.reference(args, width, height, args.work,
                                   pt.SCRIPT[:undo] + ['reopen tab'] + pt.SCRIPT[undo:])
        check_reopened_tab(driver, args, expected, menus, downloads)
        check_refused_storage(driver, args, downloads)
        check_damaged_keep(driver, args)
    finally:
        driver.quit()
    return vt.outcome()


if __name__ == '__main__':
    sys.exit(main())
