// What the browser tests share: Debian's Chromium through Playwright, the game's page opened with
// ?test, the game's state read through the page's test hook, the desktop's pixels from the
// canvas, clicks at desktop pixels, and the settings file as IndexedDB keeps it.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {chromium} = require('playwright-core');
const {PNG} = require('pngjs');

const top = path.join(__dirname, '..', '..');
const SITE = process.env.TAVRELO_WEB_SITE || path.join(top, 'build-web');
const OUT = process.env.TAVRELO_WEB_OUT || path.join(top, 'build-wasm', 'test');
// tavrelo-replay's shots of the same screens (tools/dev/web-test.sh makes them).
const SHOTS = process.env.TAVRELO_REPLAY_SHOTS || path.join(OUT, 'replay');
fs.mkdirSync(OUT, {recursive: true});

// As the machine's probe starts it: no network of its own, no first-run questions.
const ARGS = ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage', '--disable-quic', '--no-first-run',
              '--disable-background-networking', '--disable-component-update', '--disable-sync',
              '--no-default-browser-check'];
const LAUNCH = {executablePath: process.env.CHROMIUM || '/usr/bin/chromium', args: ARGS};
const DESKTOP = {viewport: {width: 1400, height: 1100}};  // room for the game at 2x
const PHONE = {viewport: {width: 390, height: 844}, deviceScaleFactor: 3, isMobile: true,
               hasTouch: true};

const launch = () => chromium.launch(LAUNCH);
const launchPersistent = (folder, options) =>
  chromium.launchPersistentContext(folder, {...LAUNCH, ...options});
const profileFolder = () => fs.mkdtempSync(path.join(os.tmpdir(), 'tavrelo-profile-'));

// Opens the page and records what would be a fault: a console error or warning, an uncaught
// exception, a request to another origin. `page.problems` lists them.
async function openGame(context, origin, query = '?test') {
  const page = await context.newPage();
  page.problems = [];
  page.on('console', (message) => {
    if (message.type() === 'error' || message.type() === 'warning')
      page.problems.push(`console ${message.type()}: ${message.text()}`);
  });
  page.on('pageerror', (error) => page.problems.push(`exception: ${error.message}`));
  context.on('request', (request) => {
    if (!request.url().startsWith(origin + '/') && !request.url().startsWith('data:'))
      page.problems.push(`request to another origin: ${request.url()}`);
  });
  await page.goto(origin + '/' + query);
  return page;
}

const rect = (text) => {
  const [left, top, right, bottom] = text.split(',').map(Number);
  return {left, top, right, bottom};
};

// The test hook's lines as an object.
function parseState(text) {
  const state = {targets: [], windows: [], controls: [], checked: [], board: [], text};
  for (const line of text.split('\n')) {
    let m;
    if ((m = /^state (.*)$/.exec(line))) {
      for (const pair of m[1].split(' ')) {
        const [key, value] = pair.split('=');
        if (key !== 'targets') state[key] = /^\d+$/.test(value) ? Number(value) : value;
      }
    } else if ((m = /^target (\d+) found=(\d) left=(\S+) right=(\S+)$/.exec(line))) {
      state.targets.push({found: m[2] === '1', left: rect(m[3]), right: rect(m[4])});
    } else if ((m = /^pictures left=(\S+) right=(\S+)$/.exec(line))) {
      state.pictures = {left: rect(m[1]), right: rect(m[2])};
    } else if ((m = /^window (\S+) frame=(\S+) client=(\S+) ?(.*)$/.exec(line))) {
      state.windows.push({kind: m[1], frame: rect(m[2]), client: rect(m[3]), title: m[4]});
    } else if ((m = /^control (\S+) frame=(\S+) ?(.*)$/.exec(line))) {
      state.controls.push({kind: m[1], frame: rect(m[2]), text: m[3]});
    } else if ((m = /^checked (.*)$/.exec(line))) {
      state.checked.push(m[1].replace('&', ''));
    } else if ((m = /^board (\d+) (\d+) (.*)$/.exec(line))) {
      state.board.push({place: Number(m[1]), score: Number(m[2]), name: m[3]});
    }
  }
  state.main = state.windows.find((w) => w.kind === 'TVRClass');
  state.dialogs = state.windows.filter((w) => w.kind === '#32770');
  state.popup = state.windows.find((w) => w.kind === '#32768');
  return state;
}

const state = async (page) => parseState(await page.evaluate(() => window.tavreloTest.state()));

// Waits until the game's state satisfies `test`; fails with the last state seen.
async function waitFor(page, test, what, timeout = 15000) {
  const end = Date.now() + timeout;
  let last = null;
  for (;;) {
    last = await page.evaluate(() => window.tavreloTest && window.tavreloTest.state()).catch(() => null);
    if (last && test(parseState(last))) return parseState(last);
    if (Date.now() > end) assert.fail(`waited ${timeout} ms for ${what}; the game said:\n${last}`);
    await page.waitForTimeout(25);
  }
}

// The main window alone on the desktop: the splash screen has gone.
const mainWindowShown = (page) =>
  waitFor(page, (s) => s.main && s.dialogs.length === 0, 'the main window after the splash screen');

// The page coordinates of the middle of desktop pixel (x, y).
// A stage in play: the game is playing and the stage has been fetched and set up (a stage's file
// is fetched when the game opens it, so the phase comes first).
const stageInPlay = (s) => s.phase === 'Playing' && s.targets.length > 0;

async function pagePoint(page, x, y) {
  return page.evaluate(([dx, dy]) => {
    const canvas = document.getElementById('screen'), box = canvas.getBoundingClientRect();
    return {x: box.left + (dx + 0.5) * box.width / canvas.width,
            y: box.top + (dy + 0.5) * box.height / canvas.height};
  }, [x, y]);
}

async function clickDesktop(page, x, y) {
  const point = await pagePoint(page, x, y);
  await page.mouse.click(point.x, point.y);
}

async function tapDesktop(page, x, y) {
  const point = await pagePoint(page, x, y);
  await page.touchscreen.tap(point.x, point.y);
}

// A point of the main window's client area on the desktop.
const inClient = (s, x, y) => [s.main.client.left + x, s.main.client.top + y];
const middle = (r) => [Math.floor((r.left + r.right) / 2), Math.floor((r.top + r.bottom) / 2)];

// A point of the left picture, in client coordinates, some way from every target: a miss.
function missPoint(s) {
  const clear = (x, y) => !s.targets.some((t) => x >= t.left.left - 4 && x < t.left.right + 4 &&
                                                 y >= t.left.top - 4 && y < t.left.bottom + 4);
  const p = s.pictures.left;
  for (let y = p.top + 10; y < p.bottom - 10; y += 9)
    for (let x = p.left + 10; x < p.right - 10; x += 9)
      if (clear(x, y)) return [x, y];
  assert.fail('no point of the picture is clear of the targets');
}

// The canvas's pixels: {width, height, data} with four bytes, RGBA, a pixel.
async function desktopPixels(page) {
  const shot = await page.evaluate(() => {
    // Read from a copy: reading the game's own canvas back would make the browser warn.
    const canvas = document.getElementById('screen'), copy = document.createElement('canvas');
    copy.width = canvas.width;
    copy.height = canvas.height;
    const context = copy.getContext('2d', {willReadFrequently: true});
    context.drawImage(canvas, 0, 0);
    const data = context.getImageData(0, 0, canvas.width, canvas.height).data;
    let text = '';
    for (let i = 0; i < data.length; i += 0x8000)
      text += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
    return {width: canvas.width, height: canvas.height, data: btoa(text)};
  });
  return {width: shot.width, height: shot.height, data: Buffer.from(shot.data, 'base64')};
}

const pixelAt = (shot, x, y) => {
  const i = (y * shot.width + x) * 4;
  return [shot.data[i], shot.data[i + 1], shot.data[i + 2]];
};

function readPng(file) {
  const png = PNG.sync.read(fs.readFileSync(file));
  return {width: png.width, height: png.height, data: png.data};
}

function writePng(file, picture) {
  const png = new PNG({width: picture.width, height: picture.height});
  picture.data.copy(png.data);
  fs.writeFileSync(file, PNG.sync.write(png));
}

// Holds the canvas's `area` ({left, top, right, bottom} on the desktop) to the same area of a
// replay shot, pixel for pixel. On a difference, writes what the page showed and a picture of
// where they differ (red) beside the other shots.
function assertSamePixels(shot, expected, area, name) {
  const width = area.right - area.left, height = area.bottom - area.top;
  const diff = {width, height, data: Buffer.alloc(width * height * 4)};
  const got = {width, height, data: Buffer.alloc(width * height * 4)};
  let differing = 0;
  for (let y = 0; y < height; ++y) {
    for (let x = 0; x < width; ++x) {
      const a = pixelAt(shot, area.left + x, area.top + y);
      const b = pixelAt(expected, area.left + x, area.top + y);
      const i = (y * width + x) * 4;
      a.forEach((v, k) => { got.data[i + k] = v; });
      got.data[i + 3] = 255;
      const same = a.every((v, k) => v === b[k]);
      if (!same) ++differing;
      diff.data.set(same ? [b[0] >> 2, b[1] >> 2, b[2] >> 2, 255] : [255, 0, 0, 255], i);
    }
  }
  if (differing > 0) {
    writePng(path.join(OUT, `${name}-page.png`), got);
    writePng(path.join(OUT, `${name}-diff.png`), diff);
  }
  assert.equal(differing, 0, `${name}: ${differing} pixels differ from tavrelo-replay's shot ` +
                             `(see ${name}-page.png and ${name}-diff.png in ${OUT})`);
}

// The settings file as the browser keeps it in IndexedDB (Latin-1), or null when there is none.
function storedSettings(page) {
  return page.evaluate(() => new Promise((resolve, reject) => {
    const open = indexedDB.open('/settings');
    open.onerror = () => reject(open.error);
    open.onsuccess = () => {
      const db = open.result;
      if (!db.objectStoreNames.contains('FILE_DATA')) return resolve(null);
      const get = db.transaction('FILE_DATA').objectStore('FILE_DATA').get('/settings/user.reg');
      get.onsuccess = () => {
        db.close();
        resolve(get.result ? String.fromCharCode.apply(null, get.result.contents) : null);
      };
      get.onerror = () => reject(get.error);
    };
  }));
}

module.exports = {
  SITE, OUT, SHOTS, DESKTOP, PHONE, launch, launchPersistent, profileFolder, openGame, parseState,
  state, waitFor, mainWindowShown, stageInPlay, pagePoint, clickDesktop, tapDesktop, inClient, middle, missPoint,
  desktopPixels, pixelAt, readPng, writePng, assertSamePixels, storedSettings,
};
