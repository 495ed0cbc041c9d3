  // ---- Pages the program writes itself -------------------------------------

  // The module names only its own page here (the online-saving form); it
  // comes from the page's file system, exactly as written, into a new tab,
  // where the pupil fills it in and sends it to the server as on the desktop.
  // Where the browser holds the tab back, a link opens it.
  var OWN_PAGE_WORDS = {ja: '送信のページを開く', en: 'Open the sending page'};
  var OWN_PAGE_KEPT_MS = 10 * 60 * 1000;

  function openOwnPage(path) {
    var bytes = fileSystem.readFile(path);
    if (!bytes) return 0;
    var address = URL.createObjectURL(new Blob([bytes], {type: 'text/html'}));
    setTimeout(function () { URL.revokeObjectURL(address); }, OWN_PAGE_KEPT_MS);
    var shown = window.open(address, '_blank');
    if (shown) {
      shown.opener = null;
      return 1;
    }
    var link = element('a', '', OWN_PAGE_WORDS[state && state.english ? 'en' : 'ja']);
    link.href = address;
    link.target = '_blank';
    link.rel = 'noopener';
    modal({fields: [link], buttons: [{text: word('ok'), value: 0}]});
    return 1;
  }
