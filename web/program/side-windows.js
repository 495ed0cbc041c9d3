  // ---- The Data Viewer and the memo window, over the core's models --------

  // Beside the drawing and not modal, as the desktop's windows are; they
  // follow their models after every call that changed them.
  var sideRevision = 0;
  var memoSeen = 0;  // the memo model's count of showings, as last followed
  var memoChanged = false;

  function followSideWindows() {
    var revision = exports.program_windows_revision();
    if (revision === sideRevision) return;
    sideRevision = revision;
    showViewer(replyJson(exports.program_viewer()));
    showMemo(replyJson(exports.program_memo()));
  }

  // A window with a heading; the keys typed in it are its own, not the
  // drawing's shortcuts.
  function sidePanel(className) {
    var panel = element('section', 'plandra-side ' + className);
    panel.setAttribute('role', 'dialog');
    var heading = element('h2', 'plandra-side-title');
    heading.id = className + '-title';
    panel.setAttribute('aria-labelledby', heading.id);
    panel.appendChild(heading);
    panel.addEventListener('keydown', function (event) { event.stopPropagation(); });
    ui.canvas.parentNode.appendChild(panel);
    return panel;
  }

  function closePanel(panel) {
    var hadFocus = panel.contains(document.activeElement);
    panel.remove();
    if (hadFocus) ui.canvas.focus();
  }

  function sideButton(text, click) {
    var button = element('button', '', text);
    button.type = 'button';
    button.addEventListener('click', click);
    return button;
  }

  // ---- The Data Viewer: its menu as buttons and the write modes as one
  // group of choices.

  // The window shows the model's state after the choice, never the control's own.
  function chooseViewerItem(name) {
    return withTextCall('program_viewer_choose', [], name).then(function () {
      showViewer(replyJson(exports.program_viewer()));
    });
  }

  function buildViewer(items) {
    var panel = sidePanel('plandra-viewer');
    var bar = element('div', 'plandra-viewer-menu');
    bar.setAttribute('role', 'toolbar');
    bar.setAttribute('aria-labelledby', panel.getAttribute('aria-labelledby'));
    var group = null;
    items.forEach(function (item) {
      if (item.submenu) {
        group = element('fieldset', 'plandra-viewer-modes');
        group.appendChild(element('legend'));
        group.dataset.name = item.name;
        bar.appendChild(group);
        return;
      }
      if (item.mode < 0) {
        var button = sideButton('', function () { chooseViewerItem(item.name); });
        button.dataset.name = item.name;
        bar.appendChild(button);
        return;
      }
      var choice = element('label', 'plandra-viewer-mode');
      var radio = element('input');
      radio.type = 'radio';
      radio.name = 'plandra-viewer-mode';
      radio.dataset.name = item.name;
      radio.addEventListener('change', function () { chooseViewerItem(item.name); });
      choice.append(radio, element('span'));
      group.appendChild(choice);
    });
    var text = element('textarea', 'plandra-viewer-text');
    text.readOnly = true;
    text.wrap = 'off';
    text.setAttribute('aria-labelledby', panel.getAttribute('aria-labelledby'));
    panel.append(bar, text);
    return panel;
  }

  function showViewer(model) {
    var panel = document.querySelector('.plandra-viewer');
    if (!model.shown) {
      if (panel) closePanel(panel);
      return;
    }
    var fresh = !panel;
    panel = panel || buildViewer(model.items);
    panel.querySelector('h2').textContent = model.title;
    model.items.forEach(function (item) {
      var control = panel.querySelector('[data-name="' + item.name + '"]');
      var caption = control.tagName === 'FIELDSET' ? control.querySelector('legend')
          : control.tagName === 'INPUT' ? control.nextElementSibling : control;
      caption.textContent = item.caption;
      (control.tagName === 'INPUT' ? control.parentNode : control).hidden = !item.visible;
      if (control.tagName === 'INPUT') control.checked = item.checked;
    });
    var text = panel.querySelector('textarea');
    var shown = model.text.replace(/\r\n/g, '\n');
    if (text.value !== shown) {
      text.value = shown;
      // Adding shows the newest block: at the end, or at the top when added in front.
      text.scrollTop = model.append ? text.scrollHeight : 0;
    }
    if (fresh) text.focus();
  }

  // ---- The memo window: its text edited in the model as typed; its font,
  // save and erase buttons are the model's.

  function memoEditWaiting() {
    return queue.some(function (job) { return job.name === 'program_memo_edit'; });
  }

  function buildMemo() {
    var panel = sidePanel('plandra-memo');
    var notice = element('p', 'plandra-memo-notice');
    notice.setAttribute('aria-live', 'polite');
    var text = element('textarea', 'plandra-memo-text');
    text.setAttribute('aria-labelledby', panel.getAttribute('aria-labelledby'));
    text.addEventListener('input', function () {
      withTextCall('program_memo_edit', [], text.value);
    });
    var row = element('div', 'plandra-dialog-buttons');
    row.append(
        sideButton('', function () { call('program_memo_font'); }),
        sideButton('', function () { call('program_memo_save'); }),
        sideButton('', function () {
          call('program_memo_erase').then(function (mayGo) { if (mayGo) closePanel(panel); });
        }));
    panel.append(notice, text, row);
    return panel;
  }

  function showMemo(model) {
    memoChanged = model.changed;
    var panel = document.querySelector('.plandra-memo');
    var comeUp = model.shown !== memoSeen;
    memoSeen = model.shown;
    if (!panel && !comeUp) return;
    panel = panel || buildMemo();
    panel.querySelector('h2').textContent = model.caption + ': ' + model.title;
    var notice = panel.querySelector('.plandra-memo-notice');
    notice.textContent = model.notice;
    notice.hidden = !model.notice;
    var text = panel.querySelector('textarea');
    // What is typed meanwhile is the newer text.
    if (!memoEditWaiting() && text.value !== model.text) text.value = model.text;
    text.readOnly = !model.editable;
    text.style.fontSize = model.fontSize + 'pt';
    var buttons = panel.querySelectorAll('.plandra-dialog-buttons button');
    buttons[0].textContent = model.font;
    buttons[1].textContent = model.save;
    buttons[1].hidden = !model.editable;
    buttons[1].disabled = !model.saveEnabled;
    buttons[2].textContent = model.erase;
    if (comeUp) text.focus();
  }

  // A memo typed and not saved is asked about before the tab goes, as the
  // figure is.
  window.addEventListener('beforeunload', function (event) {
    if (memoChanged) {
      event.preventDefault();
      event.returnValue = '';
    }
  });
