  // ---- The description beside the canvas ---------------------------------
  // A screen reader finds beside the canvas the figure told as text, kept as
  // the figure now is, and hears through a polite live region what a choice
  // or a move changed. The canvas is described by a summary and the hint.
  // A figure here is the page's record of one canvas: its canvas, its hint,
  // and describeText(), the module's lines for it; say() gives the words.

  var CLASS_WORDS = {P: 'point', L: 'line', C: 'circle', N: 'number'};
  var idCount = 0;

  function newId(stem) {
    idCount += 1;
    return stem + '-' + idCount;
  }

  // One element's entry from the module's fields: its name, what made it
  // and its place or value, or that it does not exist.
  function entryText(fields) {
    var letter = fields[0];
    var kind = fields[3] ? say('kind.' + fields[3]) || fields[3] : '';
    var value = fields[5];
    if (!value) value = say('absent');
    else if (letter === 'C') value += ', ' + say('radius') + ' ' + fields[6];
    else if (letter === 'N') value = '= ' + value;
    var made = kind && fields[4] ? kind + '(' + fields[4] + ')' : kind;
    var name = fields[2] || fields[1];
    return [say(CLASS_WORDS[letter]) + ' ' + name + ':', made, value].filter(Boolean).join(' ');
  }

  // The entries as the figure now is, by class letter and index, each
  // shown in the list (an item is written only when its text changed).
  function describe(figure) {
    var entries = {};
    var added = document.createDocumentFragment(); // new items join the list at once
    figure.describeText().split('\n').forEach(function (line) {
      if (!line) return;
      var fields = line.split('\t');
      var key = fields[0] + fields[1];
      var item = figure.items[key];
      entries[key] = entryText(fields);
      if (!item) {
        item = figure.items[key] = document.createElement('li');
        added.appendChild(item);
      }
      if (item.textContent !== entries[key]) item.textContent = entries[key];
    });
    figure.list.appendChild(added);
    Object.keys(figure.items).forEach(function (key) {  // gone with an undo
      if (!(key in entries)) {
        figure.items[key].remove();
        delete figure.items[key];
      }
    });
    return entries;
  }

  // The figure's name and what it holds, e.g. "triangle.pd4: 点 5, 直線 3".
  function summaryText(figure, entries) {
    var counts = {};
    Object.keys(entries).forEach(function (key) { counts[key[0]] = (counts[key[0]] || 0) + 1; });
    var held = Object.keys(CLASS_WORDS).filter(function (letter) { return counts[letter]; })
        .map(function (letter) { return say(CLASS_WORDS[letter]) + ' ' + counts[letter]; });
    return (figure.canvas.getAttribute('aria-label') || document.title) + ': ' + held.join(', ');
  }

  function updateDescription(figure) {
    figure.describeDue = false;
    var before = figure.described || {};
    var now = describe(figure);
    figure.described = now;
    figure.summary.textContent = summaryText(figure, now);
    var told = figure.told;
    figure.told = null;
    if (!told || !now[told]) return;
    var words = [now[told]];
    Object.keys(now).forEach(function (key) {
      if (key[0] === 'N' && before[key] !== undefined && before[key] !== now[key]) words.push(now[key]);
    });
    figure.live.textContent = words.join('; ');
  }

  // The description and the live region after the canvas; filled once the
  // figure has first been drawn, so they never hold up its picture.
  function addDescription(figure) {
    if (!say('point')) return;
    var canvas = figure.canvas;
    var holder = document.createElement('div');
    holder.className = 'plandra-description';
    holder.setAttribute('role', 'region');
    holder.setAttribute('aria-label', say('description'));
    var summary = document.createElement('p');
    summary.id = newId('plandra-summary');
    var list = document.createElement('ul');
    var live = document.createElement('div');
    live.className = 'plandra-announce';
    live.setAttribute('role', 'status');
    live.setAttribute('aria-live', 'polite');
    holder.appendChild(summary);
    holder.appendChild(list);
    canvas.parentNode.insertBefore(holder, canvas.nextSibling);
    holder.parentNode.insertBefore(live, holder.nextSibling);
    figure.list = list;
    figure.items = {};
    figure.summary = summary;
    figure.live = live;
    canvas.setAttribute('aria-describedby',
                        summary.id + (figure.hint ? ' ' + figure.hint.id : ''));
    requestAnimationFrame(function () {
      setTimeout(function () { updateDescription(figure); }, 0);
    });
  }

