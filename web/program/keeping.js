  // ---- The open figure kept in the browser's storage -----------------------
  // After every change the figure, its name and its undone steps go to the
  // browser's database, so that a closed tab, a crash or a flat battery
  // loses nothing; the next visit offers them back.

  var KEPT_DATABASE = 'plandra-program';
  var KEPT_STORE = 'kept';
  var KEPT_KEY = 'figure';
  var KEEP_WITHIN_MS = 500;
  var keptDatabase = null;
  var keeping = false;  // not before the last visit's figure was offered
  var keptWrites = Promise.resolve();
  var keepRefusedTold = false;
  var keepDue = false;

  function openKeptDatabase() {
    if (!keptDatabase) {
      keptDatabase = new Promise(function (resolve, reject) {
        var request = indexedDB.open(KEPT_DATABASE, 1);
        request.onupgradeneeded = function () { request.result.createObjectStore(KEPT_STORE); };
        request.onsuccess = function () { resolve(request.result); };
        request.onerror = function () { reject(request.error); };
      });
    }
    return keptDatabase;
  }

  // One request in a transaction of its own; settles when the transaction
  // has (a write is on disk then).
  function keptRequest(mode, use) {
    return openKeptDatabase().then(function (database) {
      return new Promise(function (resolve, reject) {
        var transaction = database.transaction(KEPT_STORE, mode, {durability: 'strict'});
        var request = use(transaction.objectStore(KEPT_STORE));
        transaction.oncomplete = function () { resolve(request.result); };
        transaction.onerror = transaction.onabort = function () {
          reject(transaction.error || request.error);
        };
      });
    });
  }

  function offerKeptFigure() {
    return keptRequest('readonly', function (store) {
      return store.get(KEPT_KEY);
    }).then(function (kept) {
      if (kept === undefined) return 0;
      // Anything but bytes is damaged; the core says so.
      var bytes = kept instanceof Uint8Array ? kept : new Uint8Array(0);
      return withTextCall('program_offer_kept', [], bytes);
    }, function () {
      return 0;  // no storage: the first keep tells the user
    }).then(function () {
      keeping = true;
      keepFigure();
    });
  }

  // The keep waits for the page to be idle, after the click's picture is on
  // the screen, and for any question the core is asking to be answered.
  function keepSoon() {
    if (!keeping || keepDue) return;
    keepDue = true;
    var whenIdle = window.requestIdleCallback || function (run) { return setTimeout(run, 0); };
    whenIdle(function () {
      keepDue = false;
      if (busy || queue.length) keepSoon();
      else keepFigure();
    }, {timeout: KEEP_WITHIN_MS});
  }

  function keepBeforeLeaving() {
    if (keepDue && !busy) {
      keepDue = false;
      keepFigure();
    }
  }

  function keepFigure() {
    if (!keeping) return;
    var length = exports.program_keep();
    if (length < 0) return;
    var bytes = memoryBytes().slice(exports.program_reply(), exports.program_reply() + length);
    keptWrites = keptWrites.then(function () {
      return keptRequest('readwrite', function (store) { return store.put(bytes, KEPT_KEY); });
    }).catch(keepRefused);
  }

  // Told once a visit; the core offers the save, which here is a download.
  function keepRefused() {
    if (keepRefusedTold) return;
    keepRefusedTold = true;
    call('program_keep_refused', []);
  }
