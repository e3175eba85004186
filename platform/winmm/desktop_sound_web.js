// The sounds of Windows' system aliases in the browser, made here with Web Audio: short and
// each unlike the others. A page may play sound only once the player has touched it, so the
// audio starts with the first press or key, and sounds before it are not heard.

mergeInto(LibraryManager.library, {
  $TavreloSounds: {
    context: null,
    played: [],  // the aliases asked for, for the page's tests

    start: function() {
      var Context = window.AudioContext || window.webkitAudioContext;
      if (!Context) return;
      if (!TavreloSounds.context) TavreloSounds.context = new Context();
      if (TavreloSounds.context.state === 'suspended') TavreloSounds.context.resume();
    },

    // Notes: [start s, length s, frequency Hz at start, at end, wave, loudness].
    notes: {
      // A find: two bright notes, rising.
      SystemExclamation: [[0, 0.12, 880, 880, 'sine', 0.3], [0.08, 0.22, 1318.5, 1318.5, 'sine', 0.3]],
      // A miss: a low buzz that falls.
      SystemHand: [[0, 0.28, 196, 110, 'sawtooth', 0.16]],
      // A passed stage: a rising chord, note by note.
      SystemAsterisk: [[0, 0.3, 523.25, 523.25, 'triangle', 0.28], [0.1, 0.3, 659.25, 659.25, 'triangle', 0.28],
                       [0.2, 0.3, 783.99, 783.99, 'triangle', 0.28], [0.3, 0.5, 1046.5, 1046.5, 'triangle', 0.28]],
      // A question, and any other alias: one soft bell.
      SystemQuestion: [[0, 0.25, 587.33, 587.33, 'sine', 0.25], [0.12, 0.3, 440, 440, 'sine', 0.25]],
      SystemDefault: [[0, 0.35, 660, 660, 'sine', 0.25]],
    },

    play: function(alias) {
      TavreloSounds.played.push(alias);
      var context = TavreloSounds.context;
      if (!context || context.state !== 'running') return;
      var notes = TavreloSounds.notes[alias] || TavreloSounds.notes.SystemDefault;
      var now = context.currentTime;
      notes.forEach(function(note) {
        var start = now + note[0], end = start + note[1];
        var oscillator = context.createOscillator(), gain = context.createGain();
        oscillator.type = note[4];
        oscillator.frequency.setValueAtTime(note[2], start);
        oscillator.frequency.exponentialRampToValueAtTime(note[3], end);
        // A quick rise and a fall to silence: no click at either end.
        gain.gain.setValueAtTime(0.0001, start);
        gain.gain.exponentialRampToValueAtTime(note[5], start + 0.01);
        gain.gain.exponentialRampToValueAtTime(0.0001, end);
        oscillator.connect(gain).connect(context.destination);
        oscillator.start(start);
        oscillator.stop(end + 0.02);
      });
    },
  },
  $TavreloSounds__postset:
      "Module['playedSounds'] = TavreloSounds.played;" +
      "['pointerdown', 'keydown'].forEach(function(type) {" +
      "  window.addEventListener(type, TavreloSounds.start, true); });",

  tavrelo_web_play_sound__deps: ['$TavreloSounds'],
  tavrelo_web_play_sound: function(alias) {
    TavreloSounds.play(UTF8ToString(alias));
  },
});
