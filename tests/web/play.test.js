// The game in a browser on a desktop, played from loading to the end as a player plays it: the
// splash screen, the screens that must equal our own subset's pixel for pixel, finds, misses,
// hints, a passed stage, a lost game with the name entry, the keys the page takes from the
// browser, and the end with "Play again".
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');
const lib = require('./lib.js');
const {serve} = require('./server.js');

// An outline is drawn with its pen masked by the picture (R2_MASKPENNOT): a red one leaves no
// green and no blue on its pixels, a yellow one no blue but some green.
const isRed = ([, g, b]) => g === 0 && b === 0;
const isRedOutline = (pixels) => pixels.every(isRed);
const isYellowOutline = (pixels) => pixels.every(([, , b]) => b === 0) && !pixels.every(isRed);

// The pixels of a target's top edge in both pictures, on the desktop, but for those under a
// dialog or message box.
function topEdges(s, target) {
  const covered = ([x, y]) => s.dialogs.some((d) => x >= d.frame.left && x < d.frame.right &&
                                                    y >= d.frame.top && y < d.frame.bottom);
  const pixels = [];
  for (const r of [target.left, target.right])
    for (let x = r.left + 2; x < r.right - 2; ++x) pixels.push(lib.inClient(s, x, r.top));
  return pixels.filter((p) => !covered(p));
}

const inTarget = (s, x, y) =>
  s.targets.some((t) => x >= t.left.left && x < t.left.right && y >= t.left.top && y < t.left.bottom);

test('the game in a browser on a desktop', async (t) => {
  const server = await serve(lib.SITE);
  const browser = await lib.launch();
  const context = await browser.newContext(lib.DESKTOP);
  t.after(async () => { await browser.close(); await server.close(); });
  const page = await lib.openGame(context, server.origin);
  const stagesServed = () => server.served.filter((file) => /^\/Stage\//.test(file));
  // What the page does with a key, seen after its own listeners have had it.
  await page.evaluate(() => {
    window.keysSeen = [];
    window.addEventListener('keydown', (e) => window.keysSeen.push([e.key, e.defaultPrevented]));
  });

  await t.test('loads with a bar, fades the splash screen in, then shows the main window', async () => {
    const splash = await lib.waitFor(page, (s) => s.dialogs.length === 1, 'the splash screen');
    const [x, y] = lib.middle(splash.dialogs[0].frame);
    const early = lib.pixelAt(await lib.desktopPixels(page), x, y);
    await page.waitForTimeout(600);
    const later = lib.pixelAt(await lib.desktopPixels(page), x, y);
    assert.notDeepEqual(early, later, 'the splash screen fades in');
    const s = await lib.mainWindowShown(page);
    assert.equal(s.phase, 'Idle');
    assert.equal(await page.isHidden('#loading'), true, 'the loading line goes');
    assert.ok(await page.evaluate(() => document.getElementById('progress').max) > 1000000,
              'the bar knew how much there was to load');
    assert.ok(server.served.includes('/tavrelo.data'), 'the data came from the page\'s own server');
    assert.deepEqual(stagesServed(), [], 'no stage is fetched before New Game');
  });

  await t.test('the idle playfield, About and the board equal tavrelo-replay\'s, pixel for pixel', async () => {
    const desktop = {left: 0, top: 0, right: 638, bottom: 464};
    let shot = await lib.desktopPixels(page);
    assert.deepEqual([shot.width, shot.height], [desktop.right, desktop.bottom],
                     'the desktop is as large as the main window');
    lib.assertSamePixels(shot, lib.readPng(path.join(lib.SHOTS, 'idle.png')), desktop, 'idle');
    await page.keyboard.press('Alt+H');
    await page.keyboard.press('a');
    await lib.waitFor(page, (s) => s.dialogs.some((d) => d.title === 'About Tavrelo'), 'About');
    shot = await lib.desktopPixels(page);
    lib.assertSamePixels(shot, lib.readPng(path.join(lib.SHOTS, 'about.png')), desktop, 'about');
    await page.keyboard.press('Enter');
    await page.keyboard.press('Alt+G');
    await page.keyboard.press('h');
    await lib.waitFor(page, (s) => s.dialogs.length === 1, 'the high score board');
    shot = await lib.desktopPixels(page);
    lib.assertSamePixels(shot, lib.readPng(path.join(lib.SHOTS, 'board.png')), desktop, 'board');
    // A question over the board: a modal loop inside a modal loop, each waiting in the browser.
    await lib.clickDesktop(page, ...lib.middle((await lib.state(page)).controls.find((c) => c.text === 'Clear').frame));
    await lib.waitFor(page, (s) => s.dialogs.length === 2, 'the question over the board');
    await page.keyboard.press('n');
    await lib.waitFor(page, (s) => s.dialogs.length === 1, 'the question answered');
    await page.keyboard.press('Escape');  // Enter would press Clear, the button with the focus
    await lib.waitFor(page, (s) => s.dialogs.length === 0, 'the board to close');
  });

  let s;
  await t.test('F2 starts a stage; a find is outlined in red in both pictures and scores', async () => {
    await page.keyboard.press('F2');
    s = await lib.waitFor(page, lib.stageInPlay, 'a stage');
    assert.ok(stagesServed().length >= 1, 'the stage played was fetched');
    const target = s.targets[0];
    const before = await lib.desktopPixels(page);
    assert.ok(!isRedOutline(topEdges(s, target).map(([x, y]) => lib.pixelAt(before, x, y))));
    await lib.clickDesktop(page, ...lib.inClient(s, ...lib.middle(target.left)));
    s = await lib.waitFor(page, (st) => st.targets[0].found, 'target 0 found');
    assert.ok(s.score > 0, 'the find scores');
    const after = await lib.desktopPixels(page);
    assert.ok(isRedOutline(topEdges(s, target).map(([x, y]) => lib.pixelAt(after, x, y))),
              'outlined in red in both pictures');
    assert.deepEqual(await page.evaluate(() => window.tavreloTest.sounds()), ['SystemExclamation']);
    await page.screenshot({path: path.join(lib.OUT, 'web.png')});
  });

  await t.test('a click maps to the very pixel under it, at 2x: one screen pixel off is a miss', async () => {
    const box = await page.evaluate(() => {
      const canvas = document.getElementById('screen'), r = canvas.getBoundingClientRect();
      return {left: r.left, top: r.top, scale: r.width / canvas.width};
    });
    assert.equal(box.scale, 2, 'the game is shown at 2x on this page');
    const middleY = (tg) => Math.floor((tg.left.top + tg.left.bottom) / 2);
    const target = s.targets.find((tg) => !tg.found && !inTarget(s, tg.left.left - 1, middleY(tg)));
    const index = s.targets.indexOf(target);
    const [edge, y] = lib.inClient(s, target.left.left, middleY(target));
    // The last screen pixel left of the target's first column: a miss, and a life.
    await page.mouse.click(box.left + edge * 2 - 1, box.top + y * 2 + 1);
    s = await lib.waitFor(page, (st) => st.lives === 4, 'a life lost');
    assert.equal(s.targets[index].found, false);
    // The first screen pixel of that column: a find.
    await page.mouse.click(box.left + edge * 2, box.top + y * 2 + 1);
    s = await lib.waitFor(page, (st) => st.targets[index].found, 'the target found at its edge');
    assert.equal(s.lives, 4);
  });

  await t.test('F3 gives a hint, and the browser does not have the key', async () => {
    const found = s.targets.filter((tg) => tg.found).length;
    await page.keyboard.press('F3');
    s = await lib.waitFor(page, (st) => st.hints === 4, 'a hint used');
    assert.equal(s.targets.filter((tg) => tg.found).length, found + 1);
    const seen = await page.evaluate(() => window.keysSeen);
    assert.deepEqual(seen.filter(([key]) => key === 'F3'), [['F3', true]], 'F3 is taken from the browser');
    assert.deepEqual(seen.filter(([key]) => key === 'F2'), [['F2', true]]);
    // The browser keeps its own shortcuts.
    const kept = await page.evaluate(() => ['r', 'w', 'f'].map((key) => {
      const e = new KeyboardEvent('keydown', {key, code: 'Key' + key.toUpperCase(), ctrlKey: true, cancelable: true});
      window.dispatchEvent(e);
      return e.defaultPrevented;
    }));
    assert.deepEqual(kept, [false, false, false], 'Ctrl+R, Ctrl+W and Ctrl+F stay the browser\'s');
    const typed = await page.evaluate(() => {
      const e = new KeyboardEvent('keydown', {key: '@', code: 'KeyQ', ctrlKey: true, altKey: true,
                                              modifierAltGraph: true, cancelable: true});
      window.dispatchEvent(e);
      return e.defaultPrevented;
    });
    assert.equal(typed, true, 'AltGr, which the page sees as Ctrl and Alt, types for the game');
  });

  await t.test('the last find passes the stage', async () => {
    for (const target of s.targets.filter((tg) => !tg.found))
      await lib.clickDesktop(page, ...lib.inClient(s, ...lib.middle(target.right)));
    s = await lib.waitFor(page, (st) => st.dialogs.length === 1, 'the stage passed box');
    assert.ok((await page.evaluate(() => window.tavreloTest.sounds())).includes('SystemAsterisk'));
    await page.keyboard.press('Enter');
    s = await lib.waitFor(page, (st) => st.stage === 2 && st.dialogs.length === 0, 'stage 2');
  });

  await t.test('a lost game shows the rest in yellow; the name entry takes a typed name', async () => {
    await lib.clickDesktop(page, ...lib.inClient(s, ...lib.middle(s.targets[0].left)));
    s = await lib.waitFor(page, (st) => st.targets[0].found, 'a find on stage 2');
    // The middle button and the side ones are no clicks of the game's: a miss with them costs
    // nothing.
    const miss = await lib.pagePoint(page, ...lib.inClient(s, ...lib.missPoint(s)));
    await page.mouse.click(miss.x, miss.y, {button: 'middle'});
    await page.mouse.move(miss.x, miss.y);
    await page.evaluate(([x, y]) => {  // Playwright has no side buttons: a mouse's own events
      const canvas = document.getElementById('screen');
      for (const type of ['pointerdown', 'pointerup'])
        canvas.dispatchEvent(new PointerEvent(type, {clientX: x, clientY: y, button: 3, pointerId: 1,
                                                     pointerType: 'mouse', isPrimary: true, bubbles: true}));
    }, [miss.x, miss.y]);
    await page.waitForTimeout(200);
    assert.equal((await lib.state(page)).lives, s.lives, 'no life lost to the middle or a side button');
    for (let lives = s.lives; lives > 0; --lives)
      await lib.clickDesktop(page, ...lib.inClient(s, ...lib.missPoint(s)));
    s = await lib.waitFor(page, (st) => st.phase === 'Lost' && st.dialogs.length === 1, 'the lost game');
    const shot = await lib.desktopPixels(page);
    for (const [i, target] of s.targets.entries()) {
      const pixels = topEdges(s, target).map(([x, y]) => lib.pixelAt(shot, x, y));
      if (pixels.length === 0) continue;
      assert.ok((target.found ? isRedOutline : isYellowOutline)(pixels),
                `target ${i} is outlined in ${target.found ? 'red' : 'yellow'}`);
    }
    assert.ok((await page.evaluate(() => window.tavreloTest.sounds())).includes('SystemHand'));
    await page.keyboard.press('Enter');
    await lib.waitFor(page, (st) => st.controls.some((c) => c.kind === 'EDIT'), 'the name entry');
    await page.keyboard.type('Ann');
    await page.keyboard.press('Enter');
    s = await lib.waitFor(page, (st) => st.dialogs.length === 0 && st.board.length === 1, 'the board');
    assert.equal(s.board[0].name, 'Ann');
    // Kept at once, not at the end of the session: IndexedDB has it while the board is up (the
    // state shows the board from the moment it is in memory, while the save may still be going).
    let stored = '';
    for (let i = 0; i < 20 && !/"Name0"="Ann"/.test(stored); ++i) {
      stored = (await lib.storedSettings(page)) || '';
      if (!/"Name0"="Ann"/.test(stored)) await page.waitForTimeout(100);
    }
    assert.match(stored, /"Name0"="Ann"/, 'the board is kept at once');
  });

  await t.test('a smaller window shows the game at 1x, and a click still maps to its pixel', async () => {
    await page.setViewportSize({width: 1000, height: 700});
    await page.waitForFunction(() => document.getElementById('screen').getBoundingClientRect().width === 638);
    assert.equal(await page.evaluate(() => document.getElementById('screen').style.imageRendering), 'pixelated');
    await page.keyboard.press('F2');
    s = await lib.waitFor(page, (st) => lib.stageInPlay(st) && st.stage === 1, 'a new game');
    await lib.clickDesktop(page, ...lib.inClient(s, s.targets[0].left.left, s.targets[0].left.top));
    s = await lib.waitFor(page, (st) => st.targets[0].found, 'a find at a target\'s corner');
  });

  await t.test('Esc and Yes end the game; "Play again" starts it afresh', async () => {
    await page.keyboard.press('Escape');
    await lib.waitFor(page, (st) => st.dialogs.length === 1, 'the exit question');
    await page.keyboard.press('y');
    await page.waitForSelector('#again', {state: 'visible'});
    await page.screenshot({path: path.join(lib.OUT, 'web-ended.png')});
    await page.click('#again');
    await lib.mainWindowShown(page);
    const again = await lib.state(page);
    assert.equal(again.phase, 'Idle');
    assert.equal(again.board[0].name, 'Ann', 'the board is read back');
    assert.equal(await page.isHidden('#again'), true);
  });

  await t.test('nothing went wrong on the way', () => {
    assert.deepEqual(page.problems, []);
    const stages = stagesServed();
    assert.deepEqual(stages.filter((name, i) => stages.indexOf(name) !== i), [],
                     'no stage was fetched twice');
  });
});
