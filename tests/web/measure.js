// The figures of the game in a browser, as a player meets them (tools/dev/web-measure.sh), in
// headless Chromium from a server on 127.0.0.1, each the median of RUNS first visits:
//   - bytes transferred, for each file and in all (no compression: a plain static server);
//   - the time from navigation to the splash screen's first frame, and to the main window;
//   - the renderer's CPU while the idle playfield stands for 10 s, and while a stage runs;
//   - memory: the JS heap and the wasm memory, after the splash and with a stage loaded.
'use strict';
const lib = require('./lib.js');
const {serve} = require('./server.js');

const RUNS = Number(process.env.RUNS || 5);
const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
};

// The renderer's share of one core over `ms` of wall time (Chromium's own task accounting).
async function cpuOver(cdp, page, ms) {
  const taskTime = async () =>
    (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
  const before = await taskTime(), start = Date.now();
  await page.waitForTimeout(ms);
  return (await taskTime() - before) / ((Date.now() - start) / 1000);
}

async function memory(cdp, page) {
  const heap = (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'JSHeapUsedSize').value;
  const wasm = await page.evaluate(() => Module.HEAPU8.length);
  return {heap, wasm, total: heap + wasm};
}

async function visit(browser, origin) {
  const context = await browser.newContext(lib.DESKTOP);
  const page = await context.newPage();
  // When the main window stands alone, looked at every 20 ms once the first frame is there.
  await page.addInitScript(() => {
    window.times = {};
    const look = () => {
      const state = window.tavreloTest ? window.tavreloTest.state() : '';
      if (/window TVRClass/.test(state) && !/window #32770/.test(state)) window.times.mainWindow = performance.now();
      else setTimeout(look, 20);
    };
    new PerformanceObserver((marks) => {
      window.times.firstFrame = marks.getEntries()[0].startTime;
      setTimeout(look, 20);
    }).observe({entryTypes: ['mark']});
  });
  await page.goto(origin + '/?test');
  await page.waitForFunction(() => window.times.mainWindow, null, {timeout: 30000});
  const cdp = await context.newCDPSession(page);
  await cdp.send('Performance.enable');
  const times = await page.evaluate(() => window.times);
  const files = await page.evaluate(() => performance.getEntriesByType('resource')
      .concat(performance.getEntriesByType('navigation'))
      .map((entry) => [new URL(entry.name).pathname, entry.transferSize]));
  const idleMemory = await memory(cdp, page);
  const idleCpu = await cpuOver(cdp, page, 10000);
  await page.keyboard.press('F2');
  await lib.waitFor(page, lib.stageInPlay, 'a stage');
  const stageCpu = await cpuOver(cdp, page, 10000);
  const stageMemory = await memory(cdp, page);
  await context.close();
  return {times, files, idleMemory, idleCpu, stageCpu, stageMemory};
}

(async () => {
  const server = await serve(lib.SITE);
  const browser = await lib.launch();
  const runs = [];
  for (let i = 0; i < RUNS; ++i) runs.push(await visit(browser, server.origin));
  await browser.close();
  await server.close();

  const kB = (bytes) => (bytes / 1000).toFixed(1).padStart(8) + ' kB';
  const MB = (bytes) => (bytes / 1048576).toFixed(1) + ' MiB';
  const ms = (value) => Math.round(value) + ' ms';
  const pct = (value) => (100 * value).toFixed(2) + ' %';
  console.log(`medians of ${RUNS} first visits, headless Chromium, server on 127.0.0.1, no compression`);
  console.log('bytes transferred on a first visit:');
  const names = [...new Set(runs.flatMap((run) => run.files.map(([name]) => name)))].sort();
  for (const name of names)
    console.log(`  ${name.padEnd(24)} ${kB(median(runs.map((run) => (run.files.find(([n]) => n === name) || [0, 0])[1])))}`);
  console.log(`  ${'in all'.padEnd(24)} ${kB(median(runs.map((run) => run.files.reduce((sum, [, size]) => sum + size, 0))))}`);
  console.log(`navigation to the splash screen's first frame: ${ms(median(runs.map((run) => run.times.firstFrame)))}`);
  console.log(`navigation to the main window (the splash screen runs out): ${ms(median(runs.map((run) => run.times.mainWindow)))}`);
  console.log(`renderer CPU, idle playfield, 10 s: ${pct(median(runs.map((run) => run.idleCpu)))}`);
  console.log(`renderer CPU, a stage running, 10 s: ${pct(median(runs.map((run) => run.stageCpu)))}`);
  for (const [label, key] of [['after the splash screen', 'idleMemory'], ['with a stage loaded', 'stageMemory']]) {
    const m = (field) => median(runs.map((run) => run[key][field]));
    console.log(`memory ${label}: JS heap ${MB(m('heap'))} + wasm ${MB(m('wasm'))} = ${MB(m('total'))}`);
  }
})();
