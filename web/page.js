// The page around the game: loading with a bar, the room the game may take, the line for a phone
// held upright, "Play again" once the game has ended, and the worker that keeps the game for
// playing offline. Opened with ?test, the page offers its tests a look at the game's state.
'use strict';

var Module = (function() {
  var element = function(id) { return document.getElementById(id); };
  var loading = element('loading'), progress = element('progress'), status = element('status');
  var upright = function() { return window.innerHeight > window.innerWidth; };

  return {
    canvas: element('screen'),

    // The game may take the width of the page and the height the header leaves, but for a line
    // under it when it is shown so small that it says so there.
    gameArea: function() {
      var width = document.documentElement.clientWidth;
      var height = window.innerHeight - document.querySelector('header').offsetHeight;
      var canvas = element('screen');
      if (upright() && Math.min(width / canvas.width, height / canvas.height) < 0.8)
        height -= element('sideways').offsetHeight || 38;
      return {width: width, height: height};
    },

    // Emscripten reports loading as "Downloading data... (DONE/TOTAL)", then "Running...", then "".
    setStatus: function(text) {
      var counts = /\((\d+(?:\.\d+)?)\/(\d+)\)/.exec(text);
      if (counts) {
        progress.value = Number(counts[1]);
        progress.max = Number(counts[2]);
        status.textContent = Math.round(100 * counts[1] / counts[2]) + ' %';
      } else if (text) {
        progress.removeAttribute('value');
        status.textContent = /Running/.test(text) ? 'Starting…' : 'Loading…';
      } else {
        loading.hidden = true;
      }
    },

    // Held upright, a phone shows the game too small to play well; sideways it need not.
    onScale: function(scale) { element('sideways').hidden = scale >= 0.8 || !upright(); },

    // A page cannot close itself: the game that has ended leaves the page, and can start afresh.
    onEnded: function() {
      element('desktop').hidden = true;
      element('sideways').hidden = true;
      element('ended').hidden = false;
      element('again').focus();
    },

    onRuntimeInitialized: function() {
      Module.started = true;
      if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js');
    },

    onAbort: function(what) {
      loading.hidden = false;
      progress.hidden = true;
      status.textContent = 'The game could not start: ' + what;
    },
  };
})();

document.getElementById('again').addEventListener('click', function() { location.reload(); });

if (new URLSearchParams(location.search).has('test')) {
  window.tavreloTest = {
    // The game record, its targets and the top-level windows, as lines of text; nothing before
    // the game has started.
    state: function() {
      return Module.started ? Module.UTF8ToString(Module._tavrelo_test_state()) : '';
    },
    sounds: function() { return Module.playedSounds.slice(); },
  };
}
