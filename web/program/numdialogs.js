  // ---- The number dialogs, built from the core's control tables ------------

  // The number chooser, the expression input and the number input: each
  // control as its table in the core names it (a button, a text box, a list,
  // a label), laid out in the table's rows and mirrored from its model after
  // every call; every act and every key goes to the core by the control's
  // name. The number input keeps the window from input, as on the desktop.
  var NUMBER_ACTS = {click: 0, edit: 1, select: 2, double: 3};
  var numberViews = {};

  function numberControlId(dialog, name) { return 'plandra-' + dialog + '-' + name; }

  // A text call through the queue; the texts live in the module until it ends.
  function numberCall(name, texts, numbers) {
    var pointers = textsInModule(texts);
    var args = pointers.slice(0, 4).concat(numbers || [], pointers.slice(4));
    return call(name, args).then(function (value) {
      freeTexts(pointers);
      return value;
    });
  }

  function numberAct(view, control, act, value) {
    return numberCall('program_number_act', [view.name, control, value || ''], [NUMBER_ACTS[act]]);
  }

  // The dialog's key function answers at once, so that a key it takes does
  // nothing more and a key it leaves keeps its own effect (a button's Enter
  // presses it, a character goes into the text box). A call that asked a
  // question, or that had to wait its turn, counts as taken.
  function numberKeyTaken(view, control, code, text) {
    var pointers = textsInModule([view.name, control, text]);
    var run = callNow('program_number_key', pointers.slice(0, 4).concat([code], pointers.slice(4)));
    run.done.then(function () { freeTexts(pointers); });
    return !run.now || run.now.value === 1;
  }

  function numberKey(view, event) {
    // The window's shortcuts stay out of a dialog that has the focus.
    event.stopPropagation();
    var control = event.target.dataset && event.target.dataset.control;
    // Tab is the page's own way through the controls: no key function takes
    // it. Keys that compose a kana or kanji belong to the input method, as
    // in the window, where they never reach the dialog.
    if (!control || event.key === 'Tab' || /^(Shift|Control|Alt|Meta)$/.test(event.key) ||
        event.isComposing || event.keyCode === 229) {
      return;
    }
    var text = event.key.length === 1 && !event.ctrlKey && !event.altKey ? event.key : '';
    if (numberKeyTaken(view, control, coreKeyCode(event), text)) {
      event.preventDefault();
    } else if (event.key === 'Escape') {
      // Escape that no control took closes the dialog, as the window's does.
      event.preventDefault();
      numberCall('program_number_cancel', [view.name]);
    }
  }

  function numberControl(view, model) {
    var made;
    if (model.kind === 'button') {
      made = element('button');
      made.type = 'button';
      made.addEventListener('click', function () { numberAct(view, model.name, 'click'); });
    } else if (model.kind === 'text') {
      made = element('input');
      made.type = 'text';
      made.addEventListener('input', function () { numberAct(view, model.name, 'edit', made.value); });
    } else if (model.kind === 'list') {
      made = element('select');
      made.addEventListener('change', function () {
        numberAct(view, model.name, 'select', String(made.selectedIndex));
      });
      made.addEventListener('dblclick', function () { numberAct(view, model.name, 'double'); });
    } else {
      made = element('span');
    }
    made.id = numberControlId(view.name, model.name);
    made.dataset.control = model.name;
    if (model.kind === 'text' || model.kind === 'list') {
      made.setAttribute('aria-labelledby', model.labelledBy ?
          numberControlId(view.name, model.labelledBy) : view.title.id);
    }
    return made;
  }

  function buildNumberDialog(model) {
    var view = {name: model.name, modal: model.modal, controls: {}, focus: '', applying: false};
    var holder = model.modal ? element('dialog', 'plandra-number') : element('div', 'plandra-number');
    if (!model.modal) holder.setAttribute('role', 'dialog');
    holder.dataset.dialog = model.name;
    view.title = element('h2');
    view.title.id = numberControlId(model.name, 'title');
    holder.setAttribute('aria-labelledby', view.title.id);
    holder.appendChild(view.title);
    var rows = {};
    model.controls.forEach(function (control) {
      if (!rows[control.row]) {
        rows[control.row] = element('div', 'plandra-number-row');
        holder.appendChild(rows[control.row]);
      }
      view.controls[control.name] = numberControl(view, control);
      rows[control.row].appendChild(view.controls[control.name]);
    });
    holder.addEventListener('keydown', function (event) { numberKey(view, event); });
    holder.addEventListener('cancel', function (event) { event.preventDefault(); });
    holder.addEventListener('focusin', function (event) { numberFocusIn(view, event); });
    view.holder = holder;
    view.rows = Object.keys(rows).map(function (row) { return rows[row]; });
    ui.canvas.parentNode.appendChild(holder);
    if (model.modal) holder.showModal();
    return view;
  }

  // The user's focus: told to the model; focus that comes in from elsewhere
  // activates the dialog, as a window does when it becomes active.
  function numberFocusIn(view, event) {
    if (view.applying) return;
    var from = event.relatedTarget;
    if (from && !view.holder.contains(from)) numberCall('program_number_activate', [view.name]);
    var control = event.target.dataset.control;
    if (control && control !== view.focus) {
      view.focus = control;
      numberCall('program_number_focus', [view.name, control]);
    }
  }

  function mirrorList(shown, model) {
    var lines = Array.from(shown.options).map(function (option) { return option.textContent; });
    if (lines.join('\n') !== model.lines.join('\n') || lines.length !== model.lines.length) {
      shown.textContent = '';
      model.lines.forEach(function (line) { shown.appendChild(element('option', '', line)); });
    }
    shown.size = Math.max(2, Math.min(8, model.lines.length));
    shown.selectedIndex = model.selected;
  }

  function mirrorNumberControl(shown, model) {
    shown.hidden = !model.visible;
    if (model.kind === 'label') {
      shown.textContent = model.text;
      return;
    }
    shown.disabled = !model.enabled;
    if (model.kind === 'list') mirrorList(shown, model);
    else if (model.kind === 'button') shown.textContent = model.text;
    // Only a changed text is written, so that the caret stays where it was typed.
    else if (shown.value !== model.text) shown.value = model.text;
  }

  // The model's focus is followed while the dialog has the focus, and when
  // it was just shown: a dialog the user left keeps out of the way.
  function mirrorNumberFocus(view, model, fresh) {
    var active = document.activeElement;
    var inside = view.holder.contains(active);
    if (!fresh && !inside && active && active !== document.body) return;
    var target = view.controls[model.focus];
    if (!target || target.hidden || target.disabled) {
      if (!fresh) return;
      target = view.holder.querySelector('[data-control]:not([hidden]):not(:disabled):not(span)');
    }
    view.focus = model.focus;
    if (!target || target === active) return;
    view.applying = true;
    target.focus();
    view.applying = false;
  }

  function mirrorNumberDialog(view, model, fresh) {
    view.title.textContent = model.caption;
    model.controls.forEach(function (control) {
      mirrorNumberControl(view.controls[control.name], control);
    });
    // A row of hidden controls takes no room, as in the window.
    view.rows.forEach(function (row) {
      row.hidden = Array.from(row.children).every(function (shown) { return shown.hidden; });
    });
    mirrorNumberFocus(view, model, fresh);
  }

  function closeNumberDialog(name) {
    var view = numberViews[name];
    delete numberViews[name];
    var hadFocus = view.holder.contains(document.activeElement);
    if (view.modal) view.holder.close();
    view.holder.remove();
    if (hadFocus || document.activeElement === document.body) ui.canvas.focus();
  }

  // After every call: the number dialogs the models show, as they stand.
  function renderNumberDialogs() {
    var shown = state.numberDialogs || [];
    Object.keys(numberViews).forEach(function (name) {
      if (shown.indexOf(name) < 0) closeNumberDialog(name);
    });
    shown.forEach(function (name) {
      var model = withTexts([name], function (pointers) {
        return replyJson(exports.program_number_dialog.apply(null, pointers));
      });
      var fresh = !numberViews[name];
      if (fresh) numberViews[name] = buildNumberDialog(model);
      mirrorNumberDialog(numberViews[name], model, fresh);
    });
  }
