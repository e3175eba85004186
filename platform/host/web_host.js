// The web host's side in the page (an Emscripten JS library): the canvas that is the desktop,
// shown at a scale that fits the page; the player's input, queued and never handed to the
// program from inside a browser callback; the one wait where the program yields to the browser;
// a hidden text field for a phone's keyboard; the settings folder kept in IndexedDB (and in local
// storage until IndexedDB has it).
//
// The page gives Module.canvas, and may give Module.gameArea() (the CSS pixels the game may
// take), Module.onScale(scale) and Module.onEnded(status).

mergeInto(LibraryManager.library, {
  $TavreloHost: {
    // WebHost::Event kinds, and the phases of a touch (Touch).
    BUTTON: 1, KEY: 2, CHARACTER: 3, TOUCH: 4, CANCEL: 5, SUSPEND: 6, RESUME: 7, END: 8,
    TOUCH_DOWN: 0, TOUCH_UP: 2, TOUCH_CANCEL: 3,
    // Virtual keys by the browser's names of keys, as the program's key map gives them.
    VK: {},
    // Keys the game hears but the browser keeps as well: a modifier pressed alone does nothing
    // in a page, and taking it could upset the browser's own shortcuts.
    SHARED: {Shift: true, Control: true},
    // Function keys the browser keeps: help, reload, full screen, its developer tools and so on.
    browserKey: function(key) { return /^F([14-9]|1[12])$/.test(key); },

    queue: [],
    wake: null,
    ended: false,
    canvas: null,
    context: null,
    field: null,       // the hidden text field a phone's keyboard types into
    typing: false,     // whether an edit box of the program has the focus
    sent: '',          // what the box holds, as far as the page knows
    cursor: null,      // the program's pointer: {pixels, width, height, hotX, hotY}
    presented: false,
    scale: 1,
    life: 'shown',     // 'shown', 'hidden' (the program suspended) or 'gone' (its session ended)

    push: function(kind, a, b, c) {
      TavreloHost.queue.push(kind, a | 0, b | 0, c | 0);
      var wake = TavreloHost.wake;
      TavreloHost.wake = null;
      // Not from inside the browser's callback: the program may run into a modal loop.
      if (wake) Promise.resolve().then(wake);
    },

    // The code point of a key that types one character (the program takes those its code page
    // has), or 0.
    typed: function(key) {
      var code = key.codePointAt(0);
      return key.length === String.fromCodePoint(code).length && code >= 0x20 && code !== 0x7f ? code : 0;
    },

    virtualKey: function(event) {
      if (TavreloHost.browserKey(event.key)) return 0;
      var named = TavreloHost.VK[event.key];
      if (named) return named;
      // Letters and digits as the keyboard's layout names them, or by their place when a
      // modifier changed what the key gives (Alt on some systems).
      if (/^[a-z0-9]$/i.test(event.key)) return event.key.toUpperCase().charCodeAt(0);
      var place = /^(?:Key([A-Z])|Digit([0-9]))$/.exec(event.code || '');
      return place ? (place[1] || place[2]).charCodeAt(0) : 0;
    },

    onKey: function(event) {
      var host = TavreloHost;
      // AltGr, which types '@' or '{' on many keyboards, reaches a page as Ctrl and Alt.
      var altGraph = event.getModifierState && event.getModifierState('AltGraph');
      if (host.ended || event.metaKey || (event.ctrlKey && !altGraph)) return;  // the browser's shortcuts
      // A phone's keyboard composing a word: what it types comes as input to the field.
      if (event.isComposing || event.keyCode === 229) return;
      var down = event.type === 'keydown', alt = event.altKey && !altGraph;
      var vk = host.virtualKey(event);
      var character = down && !alt ? host.typed(event.key) : 0;
      if (!vk && !character) return;  // not the game's: F5, F11, F12 and the like stay the browser's
      if (vk) host.push(host.KEY, vk, down ? 1 : 0, (alt ? 1 : 0) | (event.repeat ? 2 : 0));
      if (character) host.push(host.CHARACTER, character, 0, 0);
      if (!host.SHARED[event.key]) event.preventDefault();
      // The field follows the box: the program tells the page what the box holds once it has it.
    },

    tap: function(vk) {
      TavreloHost.push(TavreloHost.KEY, vk, 1, 0);
      TavreloHost.push(TavreloHost.KEY, vk, 0, 0);
    },

    // What a phone's keyboard did to the field, told to the box as keys: the part that changed
    // (what lies between the unchanged start and the unchanged end) deleted from its end, and
    // what took its place typed. The program then tells the page what the box holds.
    onInput: function() {
      var host = TavreloHost, now = host.field.value, before = host.sent;
      var start = 0;
      while (start < now.length && start < before.length && now[start] === before[start]) ++start;
      var end = 0;
      while (end < now.length - start && end < before.length - start &&
             now[now.length - 1 - end] === before[before.length - 1 - end]) ++end;
      host.tap(host.VK.End);
      for (var i = 0; i < end; ++i) host.tap(host.VK.ArrowLeft);
      for (var j = start; j < before.length - end; ++j) host.tap(host.VK.Backspace);
      Array.from(now.slice(start, now.length - end)).forEach(function(character) {
        host.push(host.CHARACTER, character.codePointAt(0), 0, 0);
      });
      host.sent = now;
    },

    // The desktop pixel under a pointer. The canvas stands at whole device pixels, so every
    // device pixel belongs to exactly one of the desktop's.
    desktopPoint: function(event) {
      var canvas = TavreloHost.canvas, box = canvas.getBoundingClientRect();
      var x = Math.floor((event.clientX - box.left) * canvas.width / box.width + 1e-6);
      var y = Math.floor((event.clientY - box.top) * canvas.height / box.height + 1e-6);
      return [Math.min(Math.max(x, 0), canvas.width - 1), Math.min(Math.max(y, 0), canvas.height - 1)];
    },

    // Mouse buttons as the program numbers them (Button): left, right, middle, back, forward.
    BUTTONS: {0: 0, 2: 1, 1: 2, 3: 3, 4: 4},

    onPointer: function(event) {
      var host = TavreloHost;
      if (host.ended) return;
      var point = host.desktopPoint(event);
      var phase = {pointerdown: 0, pointerup: 2, pointercancel: 3}[event.type];
      if (event.pointerType === 'touch') {
        // The program makes a left button of the first finger down; the others press nothing.
        host.push(host.TOUCH, point[0], point[1], phase + 4 * (event.pointerId & 0xffffff));
      } else if (event.type === 'pointercancel') {
        host.push(host.CANCEL, 0, 0, 0);
      } else {
        var button = host.BUTTONS[event.button];
        if (button === undefined) return;
        host.push(host.BUTTON, point[0], point[1], (phase === 0 ? 1 : 0) + 2 * button);
      }
      if (event.type === 'pointerdown') {
        try {
          host.canvas.setPointerCapture(event.pointerId);
        } catch (error) {
          // a pointer the browser no longer has: nothing to capture
        }
      }
      // A tap takes the page's focus from the field; while the program wants typing, it goes
      // back, within the tap, so that a phone keeps its keyboard open.
      if (event.type === 'pointerup' && host.typing) host.field.focus({preventScroll: true});
      if (event.cancelable) event.preventDefault();
    },

    // A hidden page may be shown again: the program is suspended, and resumed. One that goes
    // (not into the browser's back-forward cache) ends the program's session.
    onVisibility: function(event) {
      var host = TavreloHost;
      if (host.ended || host.life === 'gone') return;
      var life = event.type === 'pagehide' && !event.persisted ? 'gone'
               : event.type === 'pagehide' || document.visibilityState === 'hidden' ? 'hidden'
               : 'shown';
      if (life === host.life) return;
      if (host.life === 'shown' || life === 'gone') {
        if (host.life === 'shown') host.push(host.SUSPEND, 0, 0, 0);
        if (life === 'gone') host.push(host.END, 0, 0, 0);
      } else {
        host.push(host.RESUME, 0, 0, 0);
      }
      host.life = life;
    },

    // The largest whole number of device pixels for each of the desktop's that fits the area;
    // on an area too small for one CSS pixel each, smaller and smooth.
    layout: function() {
      var host = TavreloHost, canvas = host.canvas;
      if (!canvas.width) return;
      var area = Module['gameArea'] ? Module['gameArea']()
                                    : {width: window.innerWidth, height: window.innerHeight};
      var ratio = window.devicePixelRatio || 1;
      var fit = Math.min(area.width / canvas.width, area.height / canvas.height);
      var sharp = fit >= 1;
      var scale = sharp ? Math.max(1, Math.floor(fit * ratio + 1e-9)) / ratio : fit;
      var width = canvas.width * scale, height = canvas.height * scale;
      host.scale = scale;
      // The page may show or hide what stands around the game first: that moves it.
      if (Module['onScale']) Module['onScale'](scale);
      canvas.style.width = width + 'px';
      canvas.style.height = height + 'px';
      canvas.style.imageRendering = sharp ? 'pixelated' : 'auto';
      // Centred, and on a device pixel: a canvas between two would be drawn blurred.
      var parent = canvas.parentElement;
      parent.style.height = height + 'px';
      var top = parent.getBoundingClientRect().top + window.scrollY;
      canvas.style.left = Math.round((parent.clientWidth - width) / 2 * ratio) / ratio + 'px';
      canvas.style.top = (Math.ceil(top * ratio - 1e-6) - top * ratio) / ratio + 'px';
      host.showCursor();
    },

    // The program's pointer at the whole scale the desktop is shown at (browsers take cursors
    // of up to 128 pixels).
    showCursor: function() {
      var host = TavreloHost, cursor = host.cursor;
      if (!cursor) return;
      var times = Math.max(1, Math.min(Math.round(host.scale), Math.floor(128 / cursor.width)));
      var picture = document.createElement('canvas');
      picture.width = cursor.width;
      picture.height = cursor.height;
      picture.getContext('2d').putImageData(new ImageData(cursor.pixels, cursor.width, cursor.height), 0, 0);
      var large = document.createElement('canvas');
      large.width = cursor.width * times;
      large.height = cursor.height * times;
      var context = large.getContext('2d');
      context.imageSmoothingEnabled = false;
      context.drawImage(picture, 0, 0, large.width, large.height);
      host.canvas.style.cursor = 'url(' + large.toDataURL() + ') ' + cursor.hotX * times + ' ' +
                                 cursor.hotY * times + ', default';
    },

  },

  tavrelo_web_start__deps: ['$TavreloHost'],
  tavrelo_web_start: function(keyMap) {
    var host = TavreloHost, canvas = Module['canvas'];
    UTF8ToString(keyMap).split('\n').forEach(function(line) {
      var at = line.lastIndexOf('=');
      if (at > 0) host.VK[line.slice(0, at)] = Number(line.slice(at + 1));
    });
    host.canvas = canvas;
    host.context = canvas.getContext('2d');
    canvas.style.position = 'absolute';
    canvas.style.touchAction = 'none';  // taps are the game's: no scrolling, no zooming
    var field = document.createElement('input');
    field.type = 'text';
    field.setAttribute('aria-label', 'Name');
    field.setAttribute('autocomplete', 'off');
    field.setAttribute('autocapitalize', 'off');
    field.setAttribute('autocorrect', 'off');
    field.setAttribute('spellcheck', 'false');
    field.setAttribute('enterkeyhint', 'done');
    // Over the game, where focusing it scrolls nothing; 16 px, or a phone zooms in to read it.
    field.style.cssText = 'position:absolute;left:0;top:0;width:1px;height:1px;opacity:0;' +
                          'border:0;padding:0;font-size:16px;pointer-events:none';
    canvas.parentElement.appendChild(field);
    host.field = field;
    field.addEventListener('input', host.onInput);
    window.addEventListener('keydown', host.onKey, true);
    window.addEventListener('keyup', host.onKey, true);
    canvas.addEventListener('pointerdown', host.onPointer);
    canvas.addEventListener('pointerup', host.onPointer);
    canvas.addEventListener('pointercancel', host.onPointer);
    canvas.addEventListener('contextmenu', function(event) { event.preventDefault(); });
    document.addEventListener('visibilitychange', host.onVisibility);
    window.addEventListener('pagehide', host.onVisibility);
    window.addEventListener('pageshow', host.onVisibility);
    window.addEventListener('resize', host.layout);
    window.addEventListener('orientationchange', host.layout);
  },

  tavrelo_web_wait__deps: ['$TavreloHost'],
  tavrelo_web_wait: function(milliseconds) {
    return Asyncify.handleSleep(function(wakeUp) {
      var host = TavreloHost;
      if (host.queue.length) return wakeUp();
      var timer = null, woken = false;
      var done = function() {
        if (woken) return;
        woken = true;
        if (timer !== null) clearTimeout(timer);
        if (host.wake === done) host.wake = null;
        wakeUp();
      };
      host.wake = done;
      if (milliseconds >= 0) timer = setTimeout(done, milliseconds);
    });
  },

  tavrelo_web_take__deps: ['$TavreloHost'],
  tavrelo_web_take: function(events, most) {
    var queue = TavreloHost.queue;
    var count = Math.min(most, queue.length / 4);
    HEAP32.set(queue.splice(0, count * 4), events >> 2);
    return count;
  },

  tavrelo_web_present__deps: ['$TavreloHost'],
  tavrelo_web_present: function(pixels, width, height, x, y, w, h) {
    var host = TavreloHost, canvas = host.canvas;
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
      host.layout();
    }
    var bytes = new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4);
    host.context.putImageData(new ImageData(bytes, width, height), 0, 0, x, y, w, h);
    if (!host.presented) performance.mark('tavrelo-first-frame');  // for a developer's timeline
    host.presented = true;
  },

  tavrelo_web_cursor__deps: ['$TavreloHost'],
  tavrelo_web_cursor: function(pixels, width, height, hotX, hotY) {
    TavreloHost.cursor = {pixels: new Uint8ClampedArray(HEAPU8.slice(pixels, pixels + width * height * 4)),
                          width: width, height: height, hotX: hotX, hotY: hotY};
    TavreloHost.showCursor();
  },

  tavrelo_web_text_input__deps: ['$TavreloHost'],
  tavrelo_web_text_input: function(wanted, text, caret, anchor, left, top, right, bottom) {
    var host = TavreloHost, field = host.field;
    host.typing = !!wanted;
    host.sent = wanted ? UTF8ToString(text) : '';
    // Only what differs is set: setting the field in the middle of a phone keyboard's word
    // would end the word.
    if (field.value !== host.sent) field.value = host.sent;
    if (!wanted) {
      field.blur();
      return;
    }
    var from = Math.min(caret, anchor), to = Math.max(caret, anchor);
    var direction = caret < anchor ? 'backward' : 'forward';
    if (field.selectionStart !== from || field.selectionEnd !== to)
      field.setSelectionRange(from, to, direction);
    if (document.activeElement !== field) field.focus({preventScroll: true});
  },

  tavrelo_web_debug__deps: ['$TavreloHost'],
  tavrelo_web_debug: function(text, length) {
    console.debug(UTF8ToString(text, length).replace(/\n$/, ''));
  },

  tavrelo_web_mount_settings__deps: ['$TavreloSettings'],
  tavrelo_web_mount_settings: function(folder) {
    return Asyncify.handleSleep(function(wakeUp) {
      var path = UTF8ToString(folder);
      try {
        FS.mkdir(path);
        FS.mount(IDBFS, {}, path);
      } catch (error) {
        return wakeUp(0);
      }
      // A folder that could not be read must not be written: it may hold the player's board.
      FS.syncfs(true, function(error) {
        if (error) return wakeUp(0);
        TavreloSettings.folder = path;
        if (!TavreloSettings.recover()) return wakeUp(1);
        FS.syncfs(false, function(failed) {
          if (!failed) TavreloSettings.forget();
          wakeUp(1);
        });
      });
    });
  },

  tavrelo_web_keep_settings__deps: ['$TavreloSettings'],
  tavrelo_web_keep_settings: function() {
    return Asyncify.handleSleep(function(wakeUp) {
      TavreloSettings.note();
      FS.syncfs(false, function(error) {
        if (!error) TavreloSettings.forget();
        wakeUp(error ? 0 : 1);
      });
    });
  },

  // fsync leaves a file where it is, in memory: the settings are taken to IndexedDB once the file
  // is whole and in place (tavrelo_web_keep_settings). Emscripten's own would wait for the whole
  // folder to be written to IndexedDB, halfway through a save, and a page that is going away
  // would never finish it.
  fd_sync: function(fd) {
    var stream = SYSCALLS.getStreamFromFD(fd);
    return stream.stream_ops && stream.stream_ops.fsync ? -stream.stream_ops.fsync(stream) : 0;
  },

  // The settings folder's files as they were at the last save, in the browser's local storage
  // until IndexedDB has them. A reload ends the page before IndexedDB commits what it was given
  // while the page went away (the end of the session's save), but local storage is written at
  // once; the next visit puts the files back.
  $TavreloSettings: {
    folder: '',
    key: function() { return 'tavrelo-unsaved:' + TavreloSettings.folder; },
    note: function() {
      var files = {}, folder = TavreloSettings.folder;
      try {
        FS.readdir(folder).forEach(function(name) {
          var path = folder + '/' + name;
          if (FS.isFile(FS.stat(path).mode))
            files[path] = String.fromCharCode.apply(null, FS.readFile(path));
        });
        localStorage.setItem(TavreloSettings.key(), JSON.stringify(files));
      } catch (error) {
        // No local storage, or no room: IndexedDB alone keeps the save.
      }
    },
    recover: function() {
      var files;
      try {
        files = JSON.parse(localStorage.getItem(TavreloSettings.key()) || 'null');
      } catch (error) {
        return false;
      }
      if (!files) return false;
      Object.keys(files).forEach(function(path) {
        FS.writeFile(path, Uint8Array.from(files[path], function(c) { return c.charCodeAt(0); }));
      });
      return true;
    },
    forget: function() {
      try {
        localStorage.removeItem(TavreloSettings.key());
      } catch (error) {
      }
    },
  },

  tavrelo_web_ended__deps: ['$TavreloHost'],
  tavrelo_web_ended: function(status) {
    var host = TavreloHost;
    host.ended = true;
    host.field.blur();
    if (Module['onEnded']) Module['onEnded'](status);
  },
});
