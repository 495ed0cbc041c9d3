#!/usr/bin/python3
"""The browser program passes axe-core without a serious or critical finding
in each state a pupil meets: the window, an open menu, the save dialog, an
attribute dialog, the number dialogs and the question about the figure kept
from last time; and beside the canvas it finds the figure told as it now is."""

import argparse
import os
import shutil
import subprocess
import sys
import time

import axe_check
import program_test as pt
import viewer_test as vt
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.mouse_button import MouseButton
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

check = vt.check


def audit(driver, axe, state):
    found = axe_check.findings(driver, axe)
    check(not found, '%s: %s' % (state, '; '.join(found)))


def dialog_open(driver):
    WebDriverWait(driver, 10).until(lambda d: d.find_elements('css selector', 'dialog[open]'))


def close_dialog(driver):
    driver.find_element('css selector', 'dialog[open]').send_keys(Keys.ESCAPE)
    pt.wait_idle(driver)


def description(driver):
    """The entries beside the canvas once the page has brought them up to date."""
    time.sleep(0.6)  # the page waits for the calls to stop
    return driver.execute_script(
        "var canvas = document.querySelector('canvas.plandra-drawing');"
        "var summary = document.getElementById(canvas.getAttribute('aria-describedby'));"
        "return [summary ? summary.textContent : '', Array.from(document.querySelectorAll("
        "'.plandra-description li')).map(function (item) { return item.textContent; })];")


def check_description(driver):
    """A screen reader finds the figure told beside the canvas, as it now is."""
    summary, entries = description(driver)
    check(summary.endswith(': 点 1') and entries and entries[0].startswith('点 A:'),
          'the new point is not described: %r %r' % (summary, entries))
    pt.choose_menu(driver, 'mnuCundo', False)
    pt.wait_idle(driver)
    summary, entries = description(driver)
    check(not entries, 'the undone point is still described: %r' % entries)
    pt.choose_menu(driver, 'mnuCredoUndone', False)
    pt.wait_idle(driver)


def right_click(driver, canvas, column, row):
    box = driver.execute_script('return arguments[0].getBoundingClientRect();', canvas)
    actions = ActionBuilder(driver)
    actions.pointer_action.move_to_location(int(box['left'] + column), int(box['top'] + row))
    actions.pointer_action.pointer_down(MouseButton.RIGHT)
    actions.pointer_action.pointer_up(MouseButton.RIGHT)
    actions.perform()
    pt.wait_idle(driver)


def shown(driver, dialog):
    check(driver.execute_script('return plandraProgram.state().numberDialogs') == [dialog] and
          driver.find_elements('css selector', '[data-dialog="%s"]' % dialog),
          'the page does not show ' + dialog)


def check_number_dialogs(driver, axe, canvas):
    """The number chooser asking a division's number, the expression input
    over the number it made, and the modal number input."""
    pt.choose_menu(driver, 'mnuPnewFreeP', False)
    pt.tap(driver, canvas, 500, 260, False)
    canvas.send_keys(Keys.ESCAPE)
    pt.choose_menu(driver, 'mnuPtoubun', False)
    for column, row in ((300, 200), (500, 260)):
        pt.tap(driver, canvas, column, row, False)
    pt.wait_idle(driver)
    shown(driver, 'PDSelNum')
    audit(driver, axe, 'the number chooser')
    pt.press(driver, Keys.ENTER)
    pt.choose_menu(driver, 'mnuMcalc', False)
    pt.wait_idle(driver)
    shown(driver, 'PDExpress')
    audit(driver, axe, 'the expression input')
    pt.press(driver, Keys.ESCAPE)
    pt.choose_menu(driver, 'mnuKeta', False)
    dialog_open(driver)
    shown(driver, 'pdNumInput')
    audit(driver, axe, 'the number input')
    pt.press(driver, Keys.ESCAPE)
    pt.press(driver, Keys.ESCAPE)
    check(driver.execute_script('return plandraProgram.state().numberDialogs') == [],
          'the number dialogs did not close with Escape')


def main():
    parser = argparse.ArgumentParser()
    for option in ('--program', '--page', '--axe-fetcher', '--work'):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    where = subprocess.run([args.axe_fetcher, '--where'], capture_output=True, text=True,
                           check=True).stdout.strip()
    if not os.path.exists(where):
        print('no %s: run scripts/install-deps' % where)
        return 1
    axe = open(where).read()
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    shutil.copy(args.program, args.work)
    shutil.copy(args.page, os.path.join(args.work, 'plandra.html'))
    driver = vt.chromium(args.work, window='900,700')
    try:
        pt.fresh_page(driver, args)
        pt.wait_idle(driver, timeout=60)
        audit(driver, axe, 'the window')
        driver.find_element('css selector', '.plandra-menubar [data-name="mnuFile"]').click()
        audit(driver, axe, 'the file menu')
        driver.find_element('css selector', '.plandra-menubar [data-name="mnuFile"]').send_keys(
            Keys.ESCAPE)
        pt.choose_menu(driver, 'mnuSave', False)
        dialog_open(driver)
        audit(driver, axe, 'the save dialog')
        close_dialog(driver)
        canvas = pt.new_figure_with_a_point(driver)
        check_description(driver)
        audit(driver, axe, 'the window with a point')
        right_click(driver, canvas, 300, 200)
        pt.choose_menu(driver, 'mnuEdit2_point_Edit', False)
        dialog_open(driver)
        audit(driver, axe, 'the point\'s attribute dialog')
        close_dialog(driver)
        check_number_dialogs(driver, axe, canvas)
        driver.get('file://' + os.path.join(args.work, 'plandra.html'))
        dialog_open(driver)
        audit(driver, axe, 'the question about the kept figure')
    finally:
        driver.quit()
    return vt.outcome()


if __name__ == '__main__':
    sys.exit(main())
