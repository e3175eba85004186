// The page's side of the stage set (web_stages.cpp): placeholders for every stage, each stage's
// bytes fetched from Stage/ on the site when the game opens it, and, from the first stage
// fetched on, a game's worth more fetched one by one in the background, so that the page's
// service worker keeps them for playing offline.
mergeInto(LibraryManager.library, {
  $TavreloStages: {
    names: [],
    keeping: false,
    // How many stages the page makes sure it has, beyond those played: a game's worth and more.
    kept: 60,

    url: function(name) { return 'Stage/' + encodeURIComponent(name); },

    // The stages the service worker has kept (none where there is no cache to ask).
    keptNames: function() {
      if (typeof caches === 'undefined') return Promise.resolve([]);
      return caches.keys()
          .then(function(names) {
            return Promise.all(names.filter(function(name) { return /^tavrelo-stages-/.test(name); })
                                   .map(function(name) { return caches.open(name).then(function(cache) { return cache.keys(); }); }));
          })
          .then(function(lists) {
            var kept = [];
            lists.forEach(function(requests) {
              requests.forEach(function(request) {
                kept.push(decodeURIComponent(new URL(request.url).pathname.replace(/^.*\//, '')));
              });
            });
            return kept;
          })
          .catch(function() { return []; });
    },

    // A game's worth of stages, fetched one after another while the game plays.
    keep: function() {
      if (TavreloStages.keeping) return;
      TavreloStages.keeping = true;
      var names = TavreloStages.names.slice();
      for (var i = names.length - 1; i > 0; --i) {
        var j = Math.floor(Math.random() * (i + 1));
        var swap = names[i]; names[i] = names[j]; names[j] = swap;
      }
      TavreloStages.keptNames().then(function(kept) {
        var wanted = names.filter(function(name) { return kept.indexOf(name) < 0; })
                         .slice(0, Math.max(0, TavreloStages.kept - kept.length));
        var next = function() {
          if (!wanted.length) return;
          fetch(TavreloStages.url(wanted.shift()), {priority: 'low'})
              .then(function(response) { return response.arrayBuffer(); })
              .then(next, function() {});  // offline or gone: what is kept stays kept
        };
        next();
      });
    },
  },

  tavrelo_web_list_stages__deps: ['$TavreloStages'],
  tavrelo_web_list_stages: function(list, folder) {
    return Asyncify.handleSleep(function(wakeUp) {
      var names;
      try {
        names = FS.readFile(UTF8ToString(list), {encoding: 'utf8'}).split('\n').filter(function(name) {
          return /^[^\/]+\.stg$/.test(name);
        });
      } catch (error) {
        return wakeUp(0);
      }
      TavreloStages.names = names;
      var path = UTF8ToString(folder);
      var offline = typeof navigator !== 'undefined' && navigator.onLine === false;
      (offline ? TavreloStages.keptNames() : Promise.resolve(null)).then(function(kept) {
        try { FS.mkdir(path); } catch (error) {}
        // Empty files made as nodes of the folder, without opening each: a thousand of them
        // are made before the first frame.
        var mode = 0x8000 | 0x1a4;  // a regular file, rw-r--r--
        names.forEach(function(name) {
          if (kept && kept.indexOf(name) < 0) return;
          try { FS.mknod(path + '/' + name, mode, 0); } catch (error) {}  // there already
        });
        wakeUp(1);
      });
    });
  },

  tavrelo_web_fetch_stage__deps: ['$TavreloStages'],
  tavrelo_web_fetch_stage: function(path) {
    return Asyncify.handleSleep(function(wakeUp) {
      var file = UTF8ToString(path);
      var name = file.replace(/^.*\//, '');
      fetch(TavreloStages.url(name))
          .then(function(response) {
            if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
            return response.arrayBuffer();
          })
          .then(function(bytes) {
            FS.writeFile(file, new Uint8Array(bytes));
            TavreloStages.keep();
            wakeUp(1);
          })
          .catch(function(error) {
            console.debug('Stage ' + name + ' could not be fetched: ' + error.message);
            wakeUp(0);
          });
    });
  },
});
