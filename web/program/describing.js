  // ---- The figure described beside the canvas ------------------------------
  // The viewer's description, kept as the figure now is: brought up to date
  // once the calls have stopped for a moment, so that a drag does not
  // rebuild it at every move, and never while a call waits for an answer.

  var DESCRIBE_DELAY_MS = 300;
  var descriptionWords = {};
  var described = null;
  var describeTimer = 0;

  function say(name) {
    return typeof descriptionWords[name] === 'string' ? descriptionWords[name] : '';
  }

  function startDescription() {
    descriptionWords = replyJson(exports.program_description_words());
    described = {canvas: ui.canvas, hint: null, describeText: function () {
      return replyText(exports.program_describe());
    }};
    addDescription(described);
  }

  function describeSoon() {
    if (!described) return;
    clearTimeout(describeTimer);
    describeTimer = setTimeout(function () {
      if (busy || queue.length) {
        describeSoon();
        return;
      }
      descriptionWords = replyJson(exports.program_description_words());
      updateDescription(described);
    }, DESCRIBE_DELAY_MS);
  }
