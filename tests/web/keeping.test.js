// What the browser keeps between visits: the settings file in IndexedDB, read back before the
// game starts and written whenever the game saves: across a reload, when the page is hidden
// mid-stage, after the browser is closed and opened again on the same profile, and a damaged
// file set aside rather than written over; and the game itself, for playing offline.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const lib = require('./lib.js');
const {serve} = require('./server.js');

// Chooses a difficulty through the Option menu, agreeing to restart a game that runs.
async function chooseDifficulty(page, letter, name) {
  await page.keyboard.press('Alt+O');
  await page.keyboard.press(letter);
  const s = await lib.waitFor(page, (st) => st.checked.includes(name) || st.dialogs.length > 0,
                              `${name} or the question`);
  if (!s.checked.includes(name)) await page.keyboard.press('y');
  return lib.waitFor(page, (st) => st.checked.includes(name) && st.dialogs.length === 0, name);
}

// The page the browser hides: a tab left for another, a phone's home screen; shown again, the
// page has the browser's own visibility back.
const hide = (page, state) => page.evaluate((visibility) => {
  if (visibility === 'hidden')
    Object.defineProperty(document, 'visibilityState', {value: visibility, configurable: true});
  else
    delete document.visibilityState;
  document.dispatchEvent(new Event('visibilitychange'));
}, state);

test('what the browser keeps', async (t) => {
  const server = await serve(lib.SITE);
  const folder = lib.profileFolder();
  t.after(async () => {
    await server.close();
    fs.rmSync(folder, {recursive: true, force: true});
  });
  let context = await lib.launchPersistent(folder, lib.DESKTOP);
  let page = await lib.openGame(context, server.origin);
  await lib.mainWindowShown(page);

  await t.test('Difficult chosen through the menu is still checked after a reload', async () => {
    await chooseDifficulty(page, 'd', 'Difficult');
    await page.reload();
    const s = await lib.mainWindowShown(page);
    assert.ok(s.checked.includes('Difficult'), `checked: ${s.checked}`);
    assert.equal(s.difficulty, 2);
  });

  await t.test('hiding the page mid-stage saves the settings, and the stage plays on', async () => {
    await page.keyboard.press('F2');
    await lib.waitFor(page, lib.stageInPlay, 'a stage');
    await chooseDifficulty(page, 'e', 'Easy');
    assert.match(await lib.storedSettings(page), /"Option"=dword:00000002/, 'not saved yet');
    await hide(page, 'hidden');
    const end = Date.now() + 5000;
    while (!/"Option"=dword:00000000/.test(await lib.storedSettings(page))) {
      assert.ok(Date.now() < end, 'the settings were saved when the page was hidden');
      await page.waitForTimeout(50);
    }
    await hide(page, 'visible');
    const s = await lib.state(page);
    assert.equal(s.phase, 'Playing');
    assert.equal(s.difficulty, 0);
  });

  await t.test('a name on the board, and a difficulty chosen as the tab closes, are there after the browser is closed and opened again', async () => {
    let s = await lib.state(page);
    await lib.clickDesktop(page, ...lib.inClient(s, ...lib.middle(s.targets[0].left)));
    s = await lib.waitFor(page, (st) => st.targets[0].found, 'a find');
    const miss = lib.inClient(s, ...lib.missPoint(s));
    for (let lives = s.lives; lives > 0; --lives) await lib.clickDesktop(page, ...miss);
    await lib.waitFor(page, (st) => st.phase === 'Lost' && st.dialogs.length === 1, 'the lost game');
    await page.keyboard.press('Enter');
    await lib.waitFor(page, (st) => st.controls.some((c) => c.kind === 'EDIT'), 'the name entry');
    await page.keyboard.type('Ann');
    await page.keyboard.press('Enter');
    await lib.waitFor(page, (st) => st.board.length === 1, 'the board');
    // Medium, chosen just before the tab is closed, is saved as the page goes. (What a page
    // does as the whole browser shuts down is cut short at the browser's pleasure.)
    await chooseDifficulty(page, 'm', 'Medium');
    await page.close();
    page = await lib.openGame(context, server.origin);
    s = await lib.mainWindowShown(page);
    assert.ok(s.checked.includes('Medium'), `after the tab was closed, checked: ${s.checked}`);
    await context.close();
    context = await lib.launchPersistent(folder, lib.DESKTOP);
    page = await lib.openGame(context, server.origin);
    s = await lib.mainWindowShown(page);
    assert.deepEqual(s.board.map((entry) => entry.name), ['Ann']);
    assert.ok(s.checked.includes('Medium'), `after the browser was closed, checked: ${s.checked}`);
  });

  await t.test('after a first visit the game plays offline, and the browser can install it', async () => {
    await page.waitForFunction(async () => navigator.serviceWorker.controller &&
                                           (await caches.keys()).some((name) => name.startsWith('tavrelo-')));
    const cdp = await context.newCDPSession(page);
    assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
    // The stages played were kept, and a game's worth more once the first was fetched.
    await page.waitForFunction(async () => {
      const names = (await caches.keys()).filter((name) => name.startsWith('tavrelo-stages-'));
      return names.length === 1 && (await (await caches.open(names[0])).keys()).length >= 50;
    }, null, {timeout: 60000});
    await context.setOffline(true);
    await page.reload();
    let s = await lib.mainWindowShown(page);
    assert.deepEqual(s.board.map((entry) => entry.name), ['Ann']);
    // Offline, a game draws from the kept stages: stage after stage loads and is played.
    await page.keyboard.press('F2');
    for (let stage = 1; stage <= 4; ++stage) {
      s = await lib.waitFor(page, (st) => lib.stageInPlay(st) && st.stage === stage && st.dialogs.length === 0,
                          `stage ${stage}`);
      for (const target of s.targets)
        await lib.clickDesktop(page, ...lib.inClient(s, ...lib.middle(target.left)));
      await lib.waitFor(page, (st) => st.dialogs.length === 1, `stage ${stage} passed`);
      await page.keyboard.press('Enter');
    }
    await context.setOffline(false);
  });

  await t.test('a damaged settings file is set aside, never written over', async () => {
    const damaged = 'WINE REGISTRY Version 2\n[Software\\\\Brannoch] 1\n"Option"=dword:zz\n';
    await page.close();
    // Another page of the same origin, without the game, puts the damaged file in its place.
    const other = await context.newPage();
    await other.goto(server.origin + '/manifest.webmanifest');
    await other.evaluate((text) => new Promise((resolve, reject) => {
      localStorage.clear();
      const open = indexedDB.open('/settings');
      open.onsuccess = () => {
        const put = open.result.transaction('FILE_DATA', 'readwrite').objectStore('FILE_DATA').put(
            {timestamp: new Date(), mode: 0o100644, contents: Uint8Array.from(text, (c) => c.charCodeAt(0))},
            '/settings/user.reg');
        put.onsuccess = () => { open.result.close(); resolve(); };
        put.onerror = () => reject(put.error);
      };
    }), damaged);
    page = await lib.openGame(context, server.origin);
    const s = await lib.mainWindowShown(page);
    assert.equal(s.board.length, 0, 'the game starts with an empty board');
    const aside = await page.evaluate(() => new Promise((resolve) => {
      const open = indexedDB.open('/settings');
      open.onsuccess = () => {
        const get = open.result.transaction('FILE_DATA').objectStore('FILE_DATA').get('/settings/user.reg.damaged');
        get.onsuccess = () => resolve(get.result && String.fromCharCode.apply(null, get.result.contents));
      };
    }));
    assert.equal(aside, damaged, 'the damaged file is kept aside as it was');
    assert.match(await lib.storedSettings(page), /^WINE REGISTRY Version 2\n/);
    assert.deepEqual(page.problems, []);
    await context.close();
  });
});
