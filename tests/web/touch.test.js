// The game on a phone held upright: scaled down to fit, played by tapping (the menu, a find,
// misses, the message box's button), the name typed through the phone's keyboard into the
// page's hidden field (which follows the box), a tap the browser takes back, the page hidden and
// shown in the middle of the name, and a page that neither scrolls nor zooms under the fingers.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');
const lib = require('./lib.js');
const {serve} = require('./server.js');

test('the game on a phone', async (t) => {
  const server = await serve(lib.SITE);
  const browser = await lib.launch();
  const context = await browser.newContext(lib.PHONE);
  t.after(async () => { await browser.close(); await server.close(); });
  const page = await lib.openGame(context, server.origin);
  const cdp = await context.newCDPSession(page);
  let s = await lib.mainWindowShown(page);

  await t.test('the game is scaled to fit, smoothly, with a line on turning the phone', async () => {
    const shown = await page.evaluate(() => {
      const canvas = document.getElementById('screen'), box = canvas.getBoundingClientRect();
      return {scale: box.width / canvas.width, left: box.left, right: box.right,
              rendering: canvas.style.imageRendering, width: document.documentElement.clientWidth};
    });
    assert.ok(shown.scale > 0.55 && shown.scale < 0.65, `shown at ${shown.scale}x`);
    assert.ok(shown.left >= 0 && shown.right <= shown.width, 'the whole game is on the page');
    assert.equal(shown.rendering, 'auto');
    assert.equal(await page.isVisible('#sideways'), true);
  });

  await t.test('a tap on the menu opens it, a tap on New Game starts a stage', async () => {
    await lib.tapDesktop(page, ...lib.inClient(s, 14, -9));  // "Game" on the menu bar
    s = await lib.waitFor(page, (st) => st.popup, 'the Game menu');
    await lib.tapDesktop(page, s.popup.client.left + 30, s.popup.client.top + 12);
    s = await lib.waitFor(page, (st) => lib.stageInPlay(st) && !st.popup, 'a stage');
  });

  await t.test('a tap on a difference finds it', async () => {
    await lib.tapDesktop(page, ...lib.inClient(s, ...lib.middle(s.targets[0].right)));
    s = await lib.waitFor(page, (st) => st.targets[0].found, 'target 0 found');
    assert.ok(s.score > 0);
  });

  await t.test('the name entry: a tap taken back clicks nothing; the field follows the box; a hidden page keeps the entry', async () => {
    const miss = lib.missPoint(s);
    for (let lives = s.lives; lives > 0; --lives) {
      await lib.tapDesktop(page, ...lib.inClient(s, ...miss));
      s = await lib.waitFor(page, (st) => st.lives === lives - 1, 'a life lost');
    }
    s = await lib.waitFor(page, (st) => st.dialogs.length === 1, 'the lost game\'s box');
    assert.equal(await page.evaluate(() => document.activeElement.tagName), 'BODY',
                 'no keyboard for a message box');
    await lib.tapDesktop(page, ...lib.middle(s.controls.find((c) => c.text === 'OK').frame));
    s = await lib.waitFor(page, (st) => st.controls.some((c) => c.kind === 'EDIT'), 'the name entry');
    assert.equal(await page.evaluate(() => document.activeElement.tagName), 'INPUT',
                 'a text field has the focus, so the phone shows its keyboard');

    // A finger on OK that the browser takes back (a system gesture), then a tap that starts
    // elsewhere and ends on OK: neither is a click on it.
    const touch = (type, points) => cdp.send('Input.dispatchTouchEvent', {type, touchPoints: points});
    const ok = await lib.pagePoint(page, ...lib.middle(s.controls.find((c) => c.text === 'OK').frame));
    const box = await lib.pagePoint(page, ...lib.middle(s.controls.find((c) => c.kind === 'EDIT').frame));
    await touch('touchStart', [{x: ok.x, y: ok.y, id: 1}]);
    await touch('touchCancel', []);
    await touch('touchStart', [{x: box.x, y: box.y, id: 2}]);
    await touch('touchMove', [{x: ok.x, y: ok.y, id: 2}]);
    await touch('touchEnd', []);
    await page.waitForTimeout(300);
    s = await lib.state(page);
    assert.ok(s.controls.some((c) => c.kind === 'EDIT'), 'the name entry is still open');

    // A phone's keyboard types into the field as input, not as keys; it corrects a word by
    // changing what the field holds.
    const field = () => page.evaluate(() => {
      const f = document.activeElement;
      return {value: f.value, start: f.selectionStart, end: f.selectionEnd};
    });
    const follows = (value, caret) => page.waitForFunction(([v, c]) => {
      const f = document.activeElement;
      return f.value === v && f.selectionStart === c && f.selectionEnd === c;
    }, [value, caret], {timeout: 5000});
    await page.keyboard.insertText('Zoex');
    await page.evaluate(() => {
      const f = document.activeElement;
      f.value = 'Zoe';
      f.dispatchEvent(new InputEvent('input', {inputType: 'deleteContentBackward'}));
    });
    // What the box cannot hold, an emoji or a letter outside its code page, leaves the field as
    // well: the field holds what the box holds, so that a deletion deletes what the player sees.
    await page.keyboard.insertText('\u{1F600}\u0142');
    await follows('Zoe', 3);
    // Keys move the box's caret and delete in it: the field follows, and the keyboard's next
    // word goes where the box's caret is.
    await page.keyboard.press('Home');
    await page.keyboard.press('Delete');
    await follows('oe', 0);
    await page.keyboard.insertText('Z');
    await follows('Zoe', 1);
    await page.keyboard.press('End');
    await page.keyboard.press('ArrowLeft');
    await follows('Zoe', 2);
    await page.evaluate(() => {  // the keyboard takes back the letter before the caret
      const f = document.activeElement;
      f.value = 'Ze';
      f.setSelectionRange(1, 1);
      f.dispatchEvent(new InputEvent('input', {inputType: 'deleteContentBackward'}));
    });
    await follows('Ze', 1);
    await page.keyboard.insertText('o');
    await follows('Zoe', 2);
    await page.keyboard.press('End');
    await follows('Zoe', 3);

    // The page hidden in the middle of the name (another app, the screen off): the score is kept
    // under what is typed so far, and the entry stays open for when the page is shown again.
    const visibility = (state) => page.evaluate((v) => {
      Object.defineProperty(document, 'visibilityState', {value: v, configurable: true});
      document.dispatchEvent(new Event('visibilitychange'));
    }, state);
    await visibility('hidden');
    await page.waitForFunction(() => true);
    let stored = null;
    for (let i = 0; i < 50 && !/"Name0"="Zoe"/.test(stored || ''); ++i) {
      await page.waitForTimeout(100);
      stored = await lib.storedSettings(page);
    }
    assert.match(stored || '', /"Name0"="Zoe"/);
    await visibility('visible');
    s = await lib.state(page);
    assert.ok(s.controls.some((c) => c.kind === 'EDIT'), 'the name entry is still open');
    assert.deepEqual(await field(), {value: 'Zoe', start: 3, end: 3});
    await page.keyboard.insertText('x');
    await page.evaluate(() => {
      const f = document.activeElement;
      f.value = f.value.slice(0, -1) + 'y';
      f.dispatchEvent(new InputEvent('input', {inputType: 'insertReplacementText'}));
    });
    await page.screenshot({path: path.join(lib.OUT, 'web-phone.png')});
    await page.keyboard.press('Enter');
    s = await lib.waitFor(page, (st) => st.board.length === 1, 'the board');
    assert.equal(s.board[0].name, 'Zoey');
    // The keyboard goes with the name entry.
    await page.waitForFunction(() => document.activeElement.tagName === 'BODY');
    stored = await lib.storedSettings(page);
    assert.match(stored, /"Name0"="Zoey"/);
    assert.match(stored, /"Name1"=""/, 'the score is on the board once');
  });

  await t.test('fingers on the game neither scroll nor zoom the page', async () => {
    const touch = (type, points) => cdp.send('Input.dispatchTouchEvent', {type, touchPoints: points});
    // Two fingers moving apart, at (x, y) on the page.
    const pinch = async (x, y) => {
      const fingers = (d) => [{x: x - d, y, id: 1}, {x: x + d, y, id: 2}];
      await touch('touchStart', fingers(10));
      for (let d = 12; d <= 100; d += 4) await touch('touchMove', fingers(d));
      await touch('touchEnd', []);
    };
    const view = () => page.evaluate(() => ({scroll: window.scrollY, zoom: window.visualViewport.scale}));
    const point = await lib.pagePoint(page, ...lib.inClient(s, ...lib.middle(s.pictures.left)));
    await touch('touchStart', [{x: point.x, y: point.y, id: 1}]);
    for (let dy = 10; dy <= 200; dy += 10) await touch('touchMove', [{x: point.x, y: point.y - dy, id: 1}]);
    await touch('touchEnd', []);
    await pinch(point.x, point.y);
    await page.waitForTimeout(300);
    assert.deepEqual(await view(), {scroll: 0, zoom: 1});
    // The same pinch on the page's header does zoom: the gesture is one the browser acts on.
    await pinch(195, 30);
    await page.waitForTimeout(300);
    assert.ok((await view()).zoom > 1);
  });

  await t.test('turned sideways, the game is shown larger and the line goes', async () => {
    const scale = () => page.evaluate(() => {
      const canvas = document.getElementById('screen');
      return canvas.getBoundingClientRect().width / canvas.width;
    });
    const upright = await scale();
    await page.setViewportSize({width: 844, height: 390});
    await page.waitForFunction(() => document.getElementById('sideways').hidden);
    assert.ok(await scale() > upright, `${await scale()}x sideways, ${upright}x upright`);
    const box = await page.evaluate(() => document.getElementById('screen').getBoundingClientRect().toJSON());
    assert.ok(box.bottom <= 390 && box.right <= 844, 'the whole game is on the page');
  });

  await t.test('nothing went wrong on the way', () => {
    assert.deepEqual(page.problems, []);
  });
});
