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
    // WebHost::Event kinds.
    BUTTON: 1, KEY: 2, CHARACTER: 3, END_SESSION: 4,
    // Virtual keys.
    VK: {Backspace: 8, Tab: 9, Enter: 13, Shift: 16, Control: 17, Alt: 18, Escape: 27, ' ': 32,
         PageUp: 33, PageDown: 34, End: 35, Home: 36, ArrowLeft: 37, ArrowUp: 38,
         ArrowRight: 39, ArrowDown: 40, Delete: 46, F2: 113, F3: 114, F10: 121},
    // Keys the game hears but the browser keeps as well: a modifier pressed alone does nothing
    // in a page, and taking it could upset the browser's own shortcuts.
    SHARED: {Shift: true, Control: true},
    // Windows-1252's characters 0x80 to 0x9F; the rest of the code page is Latin-1.
    CP1252: '\u20ac\u0081\u201a\u0192\u201e\u2026\u2020\u2021\u02c6\u2030\u0160\u2039\u0152' +
            '\u008d\u017d\u008f\u0090\u2018\u2019\u201c\u201d\u2022\u2013\u2014\u02dc\u2122' +
            '\u0161\u203a\u0153\u009d\u017e\u0178',

    queue: [],
    wake: null,
    ended: false,
    canvas: null,
    context: null,
    field: null,       // the hidden text field a phone's keyboard types into
    typing: false,     // whether an edit box of the program has the focus
    sent: '',          // what the field held when the program last heard from it
    cursor: null,      // the program's pointer: {pixels, width, height, hotX, hotY}
    presented: false,
    scale: 1,
    sessionEnded: false,

    push: function(kind, a, b, c) {
      TavreloHost.queue.push(kind, a | 0, b | 0, c | 0);
      var wake = TavreloHost.wake;
      TavreloHost.wake = null;
      // Not from inside the browser's callback: the program may run into a modal loop.
      if (wake) Promise.resolve().then(wake);
    },

    // A character of Windows-1252 for one typed, or 0 for one it lacks.
    ansi: function(text) {
      if (text.length !== 1) return 0;
      var code = text.charCodeAt(0);
      if ((code >= 0x20 && code < 0x7f) || (code >= 0xa0 && code <= 0xff)) return code;
      var high = TavreloHost.CP1252.indexOf(text);
      return high >= 0 ? 0x80 + high : 0;
    },

    virtualKey: function(event) {
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
      var character = down && !alt ? host.ansi(event.key) : 0;
      if (!vk && !character) return;  // not the game's: F5, F11, F12 and the like stay the browser's
      if (vk) host.push(host.KEY, vk, down ? 1 : 0, (alt ? 1 : 0) | (event.repeat ? 2 : 0));
      if (character) host.push(host.CHARACTER, character, 0, 0);
      if (!host.SHARED[event.key]) event.preventDefault();
      // The field goes on holding what the box holds, for a phone's keyboard to edit.
      if (host.typing && down && (character || vk === host.VK.Backspace)) {
        host.sent = character ? host.sent + event.key : host.sent.slice(0, -1);
        host.field.value = host.sent;
      }
    },

    // What a phone's keyboard did to the field: the program hears the difference as keys.
    onInput: function() {
      var host = TavreloHost, now = host.field.value, before = host.sent;
      var same = 0;
      while (same < now.length && same < before.length && now[same] === before[same]) ++same;
      for (var i = same; i < before.length; ++i) {
        host.push(host.KEY, host.VK.Backspace, 1, 0);
        host.push(host.KEY, host.VK.Backspace, 0, 0);
      }
      var kept = now.slice(0, same);
      for (var j = same; j < now.length; ++j) {
        var character = host.ansi(now[j]);
        if (!character) continue;
        host.push(host.CHARACTER, character, 0, 0);
        kept += now[j];
      }
      host.sent = kept;
      // What the box cannot hold (an emoji, a letter outside its code page) goes from the field
      // too, or a later deletion of it would delete what the box does hold.
      if (kept !== now) host.field.value = kept;
    },

    // The desktop pixel under a pointer. The canvas stands at whole device pixels, so every
    // device pixel belongs to exactly one of the desktop's.
    desktopPoint: function(event) {
      var canvas = TavreloHost.canvas, box = canvas.getBoundingClientRect();
      var x = Math.floor((event.clientX - box.left) * canvas.width / box.width + 1e-6);
      var y = Math.floor((event.clientY - box.top) * canvas.height / box.height + 1e-6);
      return [Math.min(Math.max(x, 0), canvas.width - 1), Math.min(Math.max(y, 0), canvas.height - 1)];
    },

    onPointer: function(event) {
      var host = TavreloHost;
      // One finger is the mouse, as a browser makes mouse events of touches: a second one,
      // or a pinch, clicks nothing.
      if (host.ended || !event.isPrimary || (event.button !== 0 && event.button !== 2)) return;
      var down = event.type === 'pointerdown';
      if (down) host.canvas.setPointerCapture(event.pointerId);
      var point = host.desktopPoint(event);
      host.push(host.BUTTON, point[0], point[1], (down ? 1 : 0) | (event.button === 2 ? 2 : 0));
      // A tap takes the page's focus from the field; while the program wants typing, it goes
      // back, within the tap, so that a phone keeps its keyboard open.
      if (!down && host.typing) host.field.focus({preventScroll: true});
      event.preventDefault();
    },

    onVisibility: function(event) {
      var host = TavreloHost;
      var hidden = event.type === 'pagehide' || document.visibilityState === 'hidden';
      if (!hidden) {
        host.sessionEnded = false;
        return;
      }
      if (host.sessionEnded || host.ended) return;
      host.sessionEnded = true;
      host.push(host.END_SESSION, 0, 0, 0);
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

    latin1: function(pointer, length) {
      var text = '';
      for (var i = 0; length < 0 ? HEAPU8[pointer + i] : i < length; ++i) {
        var code = HEAPU8[pointer + i];
        text += code >= 0x80 && code < 0xa0 ? TavreloHost.CP1252[code - 0x80] : String.fromCharCode(code);
      }
      return text;
    },
  },

  tavrelo_web_start__deps: ['$TavreloHost'],
  tavrelo_web_start: function() {
    var host = TavreloHost, canvas = Module['canvas'];
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
  tavrelo_web_text_input: function(wanted, text) {
    var host = TavreloHost, field = host.field;
    host.typing = !!wanted;
    host.sent = wanted ? host.latin1(text, -1) : '';
    field.value = host.sent;
    if (wanted) {
      field.focus({preventScroll: true});
      field.setSelectionRange(field.value.length, field.value.length);
    } else {
      field.blur();
    }
  },

  tavrelo_web_debug__deps: ['$TavreloHost'],
  tavrelo_web_debug: function(text, length) {
    console.debug(TavreloHost.latin1(text, length).replace(/\n$/, ''));
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
