#!/usr/bin/python3
"""The browser program in headless Chromium: one construction (a triangle,
its circumcircle, a measurement, a calculated number made in the expression
dialog, a number's value changed in the number chooser, an undo and a redo),
made by mouse and by touch, saves a file byte-identical to what the program's
core writes for the same events, and after every step the page offers exactly
the menu items the core's menu model enables. Prints what it measures."""

import argparse
import os
import shutil
import subprocess
import sys
import time

import viewer_test as vt
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.mouse_button import MouseButton
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

SCRIPT = [
    'menu mnuNew',
    'click 200,300', 'click 420,310', 'click 300,120',
    'key 27',
    'menu mnuCgaisetsu',
    'click 200,300', 'click 420,310', 'click 300,120',
    'menu mnuMdis2P',
    'click 200,300', 'click 420,310',
    'key 27',
    # The measurement times a typed 2, then the 2 changed to 3 in place.
    'menu mnuMcalc',
    'press PDExpress/NumSelectOK', 'press PDExpress/cmdOpMulti', 'press PDExpress/cmdAddNum',
    'type PDExpress/Text1 2', 'press PDExpress/cmdNewNumOK', 'press PDExpress/cmdInputEnd',
    'menu mnuDeformVar',
    'choose PDSelNum/NumList 0', 'press PDSelNum/Reset', 'type PDSelNum/ResetText 3',
    'press PDSelNum/ResetOK', 'press PDSelNum/Cmd_Cancel',
    'menu mnuCundo',
    'menu mnuCredoUndone',
    'menu mnuSave',
]
SAVED_NAME = 'triangle-web.pd4'
KEYS = {'Enter': 13, 'Escape': 27, 'Left': 37, 'Up': 38, 'Right': 39, 'Down': 40}
# The same kind of figure by keys alone: three new points (the command
# goes on after each) moved with the arrows and placed with Enter, the circumcircle and its centre chosen from
# the menus with Alt and the arrows, their points picked with Down and Enter,
# a distance measured, and a calculated number made in the expression dialog
# (the measurement times a typed 2); saved with Ctrl+S. Menu lines name the
# item the keys reach; "dkey DIALOG/CONTROL KEY" is a key in the dialog's
# control that has the focus, followed by what the page does with a key the
# dialog leaves ("click" the button, "edit" the text box).
KEY_SCRIPT = (
    ['shortcut mnuPnewFreeP', 'key Enter'] + ['key Right'] * 8 +
    ['key Enter'] + ['key Left'] * 4 + ['key Up'] * 6 +
    ['key Enter', 'key Escape',
     'keymenu c/mnuConstCircle/mnuCgaisetsu', 'key Enter', 'key Down', 'key Enter', 'key Down',
     'key Enter',
     'keymenu c/mnuConstPoint/mnuPcenter/mnuPgaishin', 'key Enter', 'key Down', 'key Enter',
     'key Down', 'key Enter',
     'keymenu m/mnuMdis/mnuMdis2P', 'key Enter', 'key Down', 'key Enter', 'key Escape',
     'keymenu m/mnuMcalc',
     'dkey PDExpress/NumList Enter', 'dkey PDExpress/cmdInputEnd *',
     'dkey PDExpress/NumList Left', 'dkey PDExpress/cmdAddNum Enter click',
     'dkey PDExpress/Text1 2 edit', 'dkey PDExpress/Text1 Enter',
     'dkey PDExpress/cmdInputEnd Enter click',
     'shortcut mnuSave'])


def key_code(key):
    """The core's code of a key named in a script, and its typed text."""
    if key in KEYS:
        return KEYS[key], ''
    return (ord(key.upper()) if key.isalnum() else 0), key


def dialog_lines(line):
    """A number dialog's line as the page's calls to the core."""
    verb, target, *rest = line.split()
    dialog, control = target.split('/')
    act = 'act %s %s ' % (dialog, control)
    if verb == 'press':
        return [act + 'click']
    if verb == 'choose':
        return [act + 'select ' + rest[0]]
    if verb == 'type':  # into a text box whose text was selected whole
        return sum((['dialogkey %s %s %d %s' % (dialog, control, key_code(c)[0], c),
                     act + 'edit ' + rest[0][:i + 1]] for i, c in enumerate(rest[0])), [])
    code, text = key_code(rest[0])
    lines = [('dialogkey %s %s %d %s' % (dialog, control, code, text)).rstrip()]
    if rest[1:] == ['click']:
        lines.append(act + 'click')
    elif rest[1:] == ['edit']:
        lines.append(act + 'edit ' + text)
    return lines


def core_script(script):
    """The script as the core takes it: every menu line a command, every key
    its code, every dialog line the page's calls; and after how many of those
    each line of the script ends."""
    lines = []
    ends = []
    for line in script:
        verb, operand = line.split()[:2]
        if verb == 'key' and operand in KEYS:
            lines.append('key %d' % KEYS[operand])
        elif verb in ('shortcut', 'keymenu'):
            lines.append('menu ' + operand.split('/')[-1])
        elif verb in ('press', 'choose', 'type', 'dkey'):
            lines += dialog_lines(line)
        else:
            lines.append(line)
        ends.append(len(lines))
    return lines, ends


check = vt.check


FORGET = """
var done = arguments[arguments.length - 1];
localStorage.clear();
var request = indexedDB.deleteDatabase('plandra-program');
request.onsuccess = request.onerror = request.onblocked = function () { done(); };
"""


def fresh_page(driver, args, load=True):
    """The program with nothing kept from an earlier visit: storage emptied
    from a page of the same origin that holds no database open, which stays
    open unless load."""
    blank = os.path.join(args.work, 'blank.html')
    if not os.path.exists(blank):
        open(blank, 'w').write('<!DOCTYPE html><title>-</title>')
    driver.get('file://' + blank)
    driver.execute_async_script(FORGET)
    if load:
        driver.get('file://' + os.path.join(args.work, 'plandra.html'))


def canvas_size(driver):
    """The drawing area's width and height in CSS pixels, as the core is told them."""
    return driver.execute_script(
        "var c = document.querySelector('canvas.plandra-drawing').getBoundingClientRect();"
        'return [Math.round(c.width), Math.round(c.height)];')


def new_figure_with_a_point(driver):
    """A new figure whose one point stands at (300, 200) of the canvas; the canvas."""
    canvas = driver.find_element('css selector', 'canvas.plandra-drawing')
    choose_menu(driver, 'mnuNew', False)
    tap(driver, canvas, 300, 200, False)
    canvas.send_keys(Keys.ESCAPE)
    wait_idle(driver)
    return canvas


def downloaded(downloads, name, seconds=10):
    """The bytes of a file the page handed out, once it is there; None if it never came."""
    path = os.path.join(downloads, name)
    deadline = time.time() + seconds
    while not os.path.exists(path) and time.time() < deadline:
        time.sleep(0.1)
    return open(path, 'rb').read() if os.path.exists(path) else None


def wait_idle(driver, timeout=20):
    WebDriverWait(driver, timeout).until(lambda d: d.execute_script(
        'return window.plandraProgram && plandraProgram.idle() && '
        "document.getElementById('plandra-program').dataset.ready === 'true';"))


def reference(args, width, height, folder, lines=SCRIPT):
    """The saved bytes and the menu states the core gives for the script."""
    script = os.path.join(folder, 'script.txt')
    core_lines, ends = core_script(lines)
    open(script, 'w').write('\n'.join(core_lines) + '\n')
    program_folder = os.path.join(folder, 'program')
    os.makedirs(program_folder, exist_ok=True)
    saved = os.path.join(folder, SAVED_NAME)
    menus = os.path.join(folder, 'menus.txt')
    subprocess.run([args.reference, 'construct', script, str(width), str(height),
                    program_folder, saved, menus], check=True, timeout=60,
                   stdout=subprocess.DEVNULL)
    steps = []
    for line in open(menus):
        name, value = line.split()
        if name == 'step':
            steps.append({})
        else:
            steps[-1][name] = value == '1'
    return open(saved, 'rb').read(), [steps[0]] + [steps[end] for end in ends]


PAGE_MENUS = """
var states = {};
function walk(node, enabled) {
  Array.from(node.children).forEach(function (child) {
    var usable = enabled;
    if (child.dataset && child.dataset.name) {
      usable = enabled && !child.disabled && child.getAttribute('aria-disabled') !== 'true';
      states[child.dataset.name] = usable;
    }
    walk(child, usable);
  });
}
var holder = document.getElementById('plandra-program');
Array.from(holder.querySelectorAll('.plandra-menubar > button')).forEach(function (top) {
  states[top.dataset.name] = !top.disabled;
  var list = holder.querySelector('.plandra-menu[data-menu="' + top.dataset.name + '"]');
  if (list) walk(list, !top.disabled);
});
Array.from(holder.querySelectorAll('[data-dialog] [data-control]')).forEach(function (control) {
  if (control.tagName === 'SPAN') return;
  var name = control.closest('[data-dialog]').dataset.dialog + '/' + control.dataset.control;
  states[name] = !control.disabled && !control.hidden;
});
return states;
"""


def page_menus(driver):
    """The menu items and the number dialogs' controls the page lets a pupil use."""
    return driver.execute_script(PAGE_MENUS)


def tap(driver, canvas, column, row, touch):
    kind = interaction.POINTER_TOUCH if touch else interaction.POINTER_MOUSE
    actions = ActionBuilder(driver, mouse=PointerInput(kind, 'finger' if touch else 'mouse'))
    box = driver.execute_script('return arguments[0].getBoundingClientRect();', canvas)
    actions.pointer_action.move_to_location(int(box['left'] + column), int(box['top'] + row))
    actions.pointer_action.pointer_down(MouseButton.LEFT)
    actions.pointer_action.pointer_up(MouseButton.LEFT)
    actions.perform()


def choose_menu(driver, name, touch):
    """The item chosen as a pupil does: its top menu opened, then the item
    (and the sub-menus on the way) clicked or tapped."""
    path = driver.execute_script("""
        var item = document.querySelector('#plandra-program [data-name="' + arguments[0] + '"]');
        var names = [];
        for (var node = item; node; node = node.parentElement) {
          if (node.dataset && node.dataset.name) names.unshift(node.dataset.name);
          if (node.dataset && node.dataset.menu) names.unshift(node.dataset.menu);
        }
        return names;""", name)
    if not check(path, 'no menu item ' + name + ' in the page'):
        return
    for step in path:
        press_on(driver, driver.find_element(
            'css selector', '#plandra-program [data-name="%s"]' % step), touch)


def press_on(driver, target, touch):
    """A click or a tap on the middle of an element."""
    kind = interaction.POINTER_TOUCH if touch else interaction.POINTER_MOUSE
    actions = ActionBuilder(driver, mouse=PointerInput(kind, 'finger' if touch else 'mouse'))
    actions.pointer_action.move_to(target, 0, 0)
    actions.pointer_action.pointer_down(MouseButton.LEFT)
    actions.pointer_action.pointer_up(MouseButton.LEFT)
    actions.perform()


def dialog_control(driver, target):
    dialog, control = target.split('/')
    found = driver.find_elements(
        'css selector', '[data-dialog="%s"] [data-control="%s"]' % (dialog, control))
    check(found, 'the page shows no ' + target)
    return found[0] if found else None


def focused_control(driver):
    return driver.execute_script(
        'var e = document.activeElement, d = e && e.closest("[data-dialog]");'
        'return d ? d.dataset.dialog + "/" + e.dataset.control : "";')


def dialog_step(driver, line, touch):
    """A number dialog's line of the script, as a pupil does it: a button
    pressed, a list line chosen, a text typed over the text box's text."""
    verb, target, *rest = line.split()
    control = dialog_control(driver, target)
    if control is None:
        return
    if verb == 'press':
        press_on(driver, control, touch)
    elif verb == 'choose':
        press_on(driver, control.find_elements('css selector', 'option')[int(rest[0])], touch)
    else:
        check(focused_control(driver) == target,
              'the focus is on %r, not on %s' % (focused_control(driver), target))
        driver.execute_script('arguments[0].select();', control)
        ActionChains(driver).send_keys(rest[0]).perform()


def save_as(driver, name):
    WebDriverWait(driver, 10).until(
        lambda d: d.find_elements('css selector', 'dialog[open] input'))
    field = driver.find_element('css selector', 'dialog[open] input')
    field.clear()
    field.send_keys(name)
    driver.find_element('css selector', 'dialog[open] button[data-value="1"]').click()


def run(driver, args, how, expected, menu_steps, downloads):
    fresh_page(driver, args)
    wait_idle(driver)
    canvas = driver.find_element('css selector', 'canvas.plandra-drawing')
    touch = how == 'touch'
    differing = []
    menus = page_menus(driver)
    if menus != menu_steps[0]:
        differing.append(0)
    for number, line in enumerate(SCRIPT, start=1):
        verb, operand = line.split()[:2]
        if verb == 'menu':
            choose_menu(driver, operand, touch)
            if operand == 'mnuSave':
                save_as(driver, SAVED_NAME)
        elif verb == 'click':
            column, row = (float(v) for v in operand.split(','))
            tap(driver, canvas, column, row, touch)
        elif verb == 'key' and operand == '27':
            canvas.send_keys(Keys.ESCAPE)
        elif verb in ('press', 'choose', 'type'):
            dialog_step(driver, line, touch)
        wait_idle(driver)
        if page_menus(driver) != menu_steps[number]:
            differing.append(number)
    check(not differing, '%s: the page\'s menus or number dialogs differ from the model '
          'after steps %s'
          % (how, differing))
    saved = os.path.join(downloads, SAVED_NAME)
    got = downloaded(downloads, SAVED_NAME)
    if check(got is not None, how + ': nothing was downloaded'):
        kept = os.path.join(args.work, how + '-' + SAVED_NAME)
        os.replace(saved, kept)
        check(got == expected, '%s: the download %s differs from the core\'s file'
              % (how, kept))


SELENIUM_KEYS = {'Enter': Keys.ENTER, 'Escape': Keys.ESCAPE, 'Left': Keys.ARROW_LEFT,
                 'Up': Keys.ARROW_UP, 'Right': Keys.ARROW_RIGHT, 'Down': Keys.ARROW_DOWN}
SHORTCUT_KEYS = {'mnuPnewFreeP': 'f', 'mnuSave': 's'}


def press(driver, *keys):
    ActionChains(driver).send_keys(*keys).perform()
    wait_idle(driver)


def focused_item(driver):
    return driver.execute_script(
        'var e = document.activeElement; return (e && e.dataset && e.dataset.name) || "";')


def key_menu(driver, operand):
    """Alt and the top menu's letter, then Down to each item of the path and
    Right into its sub-menu, Enter on the last."""
    letter, *path = operand.split('/')
    ActionChains(driver).key_down(Keys.ALT).send_keys(letter).key_up(Keys.ALT).perform()
    wait_idle(driver)
    for depth, name in enumerate(path):
        for _ in range(40):
            if focused_item(driver) == name:
                break
            press(driver, Keys.ARROW_DOWN)
        if not check(focused_item(driver) == name, 'keys: the arrows never reach ' + name):
            return
        press(driver, Keys.ARROW_RIGHT if depth < len(path) - 1 else Keys.ENTER)


def run_keys(driver, args, expected, downloads):
    """The construction by keys alone saves what the core saves for those keys."""
    fresh_page(driver, args)
    wait_idle(driver)
    for line in KEY_SCRIPT:
        verb, operand = line.split()[:2]
        if verb == 'key':
            press(driver, SELENIUM_KEYS[operand])
        elif verb == 'dkey':
            # The dialog's focus follows its model, so the keys go where the window's would.
            if not check(focused_control(driver) == operand,
                         'keys: the focus is on %r, not on %s' % (focused_control(driver), operand)):
                return
            key = line.split()[2]
            press(driver, SELENIUM_KEYS.get(key, key))
        elif verb == 'shortcut':
            ActionChains(driver).key_down(Keys.CONTROL).send_keys(SHORTCUT_KEYS[operand]).key_up(
                Keys.CONTROL).perform()
            if operand != 'mnuSave':  # the save waits for its name
                wait_idle(driver)
        else:
            key_menu(driver, operand)
    WebDriverWait(driver, 10).until(
        lambda d: d.find_elements('css selector', 'dialog[open] input'))
    field = driver.find_element('css selector', 'dialog[open] input')
    field.send_keys(Keys.CONTROL, 'a')
    field.send_keys('keys.pd4', Keys.ENTER)
    got = downloaded(downloads, 'keys.pd4')
    if check(got is not None, 'keys: nothing was downloaded'):
        check(got == expected, 'keys: the download keys.pd4 differs from the core\'s file')


def check_attribute_dialog(driver, args, downloads):
    """A point's name typed in the browser's attribute dialog is kept, a paste
    too long for the name is cut to what fits, and the saved figure holds it."""
    fresh_page(driver, args)
    wait_idle(driver)
    canvas = new_figure_with_a_point(driver)
    box = driver.execute_script('return arguments[0].getBoundingClientRect();', canvas)
    actions = ActionBuilder(driver)
    actions.pointer_action.move_to_location(int(box['left'] + 300), int(box['top'] + 200))
    actions.pointer_action.pointer_down(MouseButton.RIGHT)
    actions.pointer_action.pointer_up(MouseButton.RIGHT)
    actions.perform()
    wait_idle(driver)
    choose_menu(driver, 'mnuEdit2_point_Edit', False)
    WebDriverWait(driver, 10).until(
        lambda d: d.find_elements('css selector', 'dialog[open] input[name=TextName]'))
    name = driver.find_element('css selector', 'dialog[open] input[name=TextName]')
    name.clear()
    name.send_keys('PQ')
    left = driver.execute_script(
        "var field = document.querySelector('dialog[open] input[name=TextName]');"
        "field.value = 'PQ' + 'x'.repeat(60);"
        "field.dispatchEvent(new InputEvent('input', {inputType: 'insertFromPaste'}));"
        "return [field.value, document.querySelector('dialog[open] .plandra-room').textContent];")
    check(left[0].startswith('PQx') and len(left[0]) < 62 and '残り0文字' in left[1],
          'a paste too long for the name was not cut to fit: %r' % left)
    name.clear()
    name.send_keys('PQ')
    driver.find_element('css selector', 'dialog[open] button[data-value="1"]').click()
    wait_idle(driver)
    choose_menu(driver, 'mnuSave', False)
    save_as(driver, 'named.pd4')
    saved = downloaded(downloads, 'named.pd4')
    if check(saved is not None, 'the named figure was not downloaded'):
        check('"PQ"' in saved.decode('cp932'),
              'the name typed in the attribute dialog is not in the saved figure')


def check_composing_keys(driver, args):
    """Enter that confirms a kana or kanji conversion in a number dialog's
    text box belongs to the input method: the number is not taken with it."""
    fresh_page(driver, args)
    wait_idle(driver)
    canvas = driver.find_element('css selector', 'canvas.plandra-drawing')
    choose_menu(driver, 'mnuNew', False)
    for column, row in ((200, 300), (420, 310)):
        tap(driver, canvas, column, row, False)
    canvas.send_keys(Keys.ESCAPE)
    choose_menu(driver, 'mnuPtoubun', False)
    for column, row in ((200, 300), (420, 310)):
        tap(driver, canvas, column, row, False)
    wait_idle(driver)
    if not check(focused_control(driver) == 'PDSelNum/Text1', 'the division\'s number is not asked'):
        return
    driver.execute_script(
        "document.activeElement.dispatchEvent(new KeyboardEvent('keydown', "
        "{key: 'Enter', isComposing: true, bubbles: true, cancelable: true}));")
    wait_idle(driver)
    check(driver.execute_script('return plandraProgram.state().numberDialogs') == ['PDSelNum'],
          'Enter confirming a conversion took the number')
    press(driver, Keys.ENTER)
    check(driver.execute_script('return plandraProgram.state().numberDialogs') == [],
          'Enter did not take the number')


def drag(driver, canvas, start, end, touch):
    kind = interaction.POINTER_TOUCH if touch else interaction.POINTER_MOUSE
    actions = ActionBuilder(driver, mouse=PointerInput(kind, 'finger' if touch else 'mouse'))
    box = driver.execute_script('return arguments[0].getBoundingClientRect();', canvas)
    actions.pointer_action.move_to_location(int(box['left'] + start[0]), int(box['top'] + start[1]))
    actions.pointer_action.pointer_down(MouseButton.LEFT)
    actions.pointer_action.move_to_location(int(box['left'] + end[0]), int(box['top'] + end[1]))
    actions.pointer_action.pointer_up(MouseButton.LEFT)
    actions.perform()
    wait_idle(driver)


def check_finger_reach(driver, args, downloads):
    """A finger takes a point from farther off than a mouse does."""
    fresh_page(driver, args)
    wait_idle(driver)
    canvas = new_figure_with_a_point(driver)
    saved = {}
    for how, touch in (('mouse', False), ('finger', True)):
        drag(driver, canvas, (330, 200), (400, 260), touch)
        choose_menu(driver, 'mnuSave', False)
        save_as(driver, how + '.pd4')
        saved[how] = downloaded(downloads, how + '.pd4') or b''
    check(saved['mouse'] and saved['finger'] and saved['mouse'] != saved['finger'],
          'a finger 30 pixels off the point did not take it where a mouse does not')


MEASURE_CLICKS = """
var done = arguments[arguments.length - 1];
var times = [];
(async function () {
  for (var i = 0; i < 15; ++i) {
    var column = 40 + 37 * i, row = 60 + 23 * (i % 7);
    var start = performance.now();
    await plandraProgram.call('program_mouse', [0, column, row, 1, 0]);
    await plandraProgram.call('program_mouse', [2, column, row, 1, 0]);
    times.push(performance.now() - start);
  }
  times.sort(function (a, b) { return a - b; });
  done(times);
})();
"""


def median(values):
    return sorted(values)[len(values) // 2]


def measure(driver, args):
    """Prints the start and a construction click on a figure of 1,000 steps."""
    fresh_page(driver, args)
    wait_idle(driver, timeout=60)
    WebDriverWait(driver, 10).until(lambda d: d.execute_script(
        "return performance.getEntriesByType('paint').length > 1;"))
    paint, ready = driver.execute_script(
        "var p = performance.getEntriesByType('paint').filter(function (e) {"
        "  return e.name === 'first-contentful-paint'; })[0];"
        "return [p ? p.startTime : -1, plandraProgram.readyAt];")
    print('first contentful paint %.0f ms, an empty figure usable at %.0f ms' % (paint, ready))
    large = os.path.join(args.work, 'large.pd4')
    subprocess.run([args.reference, 'large', large, '1000'], check=True, timeout=60,
                   stdout=subprocess.DEVNULL)
    data = list(open(large, 'rb').read())
    driver.execute_async_script(
        'var done = arguments[1];'
        "plandraProgram.open('large.pd4', new Uint8Array(arguments[0])).then(function () {"
        "  return plandraProgram.menu('mnuPnewFreeP'); }).then(function () { done(); });", data)
    wait_idle(driver)
    times = driver.execute_async_script(MEASURE_CLICKS)
    print('a new point on the 1,000-step figure, press and release: median %.1f ms, '
          'longest %.1f ms (%d clicks)' % (median(times), max(times), len(times)))


def main():
    parser = argparse.ArgumentParser()
    for option in ('--program', '--page', '--reference', '--work'):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    for program in ('/usr/bin/chromium', '/usr/bin/chromedriver'):
        if not os.access(program, os.X_OK):
            print('no %s: run scripts/install-deps' % program)
            return 1
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    shutil.copy(args.program, args.work)
    shutil.copy(args.page, os.path.join(args.work, 'plandra.html'))
    downloads = os.path.join(args.work, 'downloads')
    os.makedirs(downloads)
    size = os.path.getsize(args.program)
    print('program script: %d bytes' % size)

    driver = vt.chromium(args.work, window='900,700')
    driver.execute_cdp_cmd('Browser.setDownloadBehavior',
                           {'behavior': 'allow', 'downloadPath': downloads})
    try:
        driver.get('file://' + os.path.join(args.work, 'plandra.html'))
        wait_idle(driver, timeout=60)
        width, height = canvas_size(driver)
        expected, menu_steps = reference(args, width, height, args.work)
        for how in ('mouse', 'touch'):
            run(driver, args, how, expected, menu_steps, downloads)
        key_folder = os.path.join(args.work, 'keys')
        os.makedirs(key_folder)
        by_keys, _ = reference(args, width, height, key_folder, KEY_SCRIPT)
        run_keys(driver, args, by_keys, downloads)
        check_attribute_dialog(driver, args, downloads)
        check_composing_keys(driver, args)
        check_finger_reach(driver, args, downloads)
        measure(driver, args)
    finally:
        driver.quit()
    return vt.outcome()


if __name__ == '__main__':
    sys.exit(main())
