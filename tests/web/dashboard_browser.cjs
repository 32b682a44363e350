// The dashboard in headless Chromium: the stepping site's overview loads without a console
// error, M1's row carries the colour of its open level, its plots show every cycle and the
// step, markup in a name stays text, and the CSV download holds a row per point and cycle.
//   node dashboard_browser.cjs VIGIL_WEB WRITE_STEPPING_SITE
'use strict';

const { chromium } = require('playwright-core');
const { spawn, execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const CYCLES = 8, STEP_CYCLE = 3, POINTS = 8;
const ACTION_COLOUR = 'rgb(255, 179, 179)';
const [vigilWeb, writeSite] = process.argv.slice(2);
const results = [];

function check(what, ok, detail) {
  results.push({ what, ok });
  console.log((ok ? 'ok     ' : 'FAILED ') + what + (ok || detail === undefined ? '' : ': ' + detail));
}

function startServer(folder) {
  const server = spawn(vigilWeb, ['--db', path.join(folder, 'results.sqlite'), '--alarms',
    path.join(folder, 'alarms.conf'), '--listen', '127.0.0.1:0'], { stdio: ['ignore', 'pipe', 'inherit'] });
  return new Promise((resolve, reject) => {
    let said = '';
    server.stdout.on('data', (chunk) => {
      said += chunk;
      const m = said.match(/serving (http:\/\/\S+\/)/);
      if (m) resolve({ server, url: m[1] });
    });
    server.on('exit', (code) => reject(new Error('vigil-web ended with ' + code + ': ' + said)));
  });
}

async function main() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'vigil-web-browser-'));
  let server, browser;
  try {
    execFileSync(writeSite, [folder], { stdio: 'inherit' });
    let url;
    ({ server, url } = await startServer(folder));
    browser = await chromium.launch({
      executablePath: '/usr/bin/chromium',
      args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
        '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    });
    const context = await browser.newContext({ acceptDownloads: true });
    const page = await context.newPage();
    const problems = [];
    page.on('console', (m) => { if (m.type() === 'error') problems.push(m.text()); });
    page.on('pageerror', (e) => problems.push(String(e)));
    // Nothing may come from outside the program.
    page.on('request', (r) => { if (!r.url().startsWith(url)) problems.push('outside request ' + r.url()); });

    await page.goto(url);
    const m1 = page.locator('table.points tr[data-point="M1"]');
    check('M1 has its row', await m1.count() === 1);
    check('M1 is in action', (await m1.getAttribute('class')) === 'level-action');
    const colour = await m1.evaluate((row) => getComputedStyle(row).backgroundColor);
    check('its row carries the action colour', colour === ACTION_COLOUR, colour);
    check('a row per point', await page.locator('table.points tbody tr').count() === POINTS);
    check('markup in a name stays text', await page.evaluate(() => document.getElementById('x') === null &&
      [...document.querySelectorAll('table.points a')].some((a) => a.textContent === '<b id="x">M2</b>&amp;')));
    check('the plan draws M1 with its vector', await page.locator('svg.plan g.level-action line.vec').count() === 1);

    const [download] = await Promise.all([page.waitForEvent('download'), page.click('text=CSV')]);
    const csv = fs.readFileSync(await download.path(), 'utf8').trim().split('\r\n');
    const keys = new Set(csv.slice(1).map((line) => { const f = line.split(','); return f[1] + '|' + f[2]; }));
    check('the CSV has a row per point and cycle', csv.length === 1 + CYCLES * POINTS && keys.size === CYCLES * POINTS,
      csv.length + ' lines, ' + keys.size + ' distinct');

    await page.click('table.points a:text-is("M1")');
    await page.waitForFunction(() => window.vigilCharts !== undefined, null, { timeout: 20000 });
    const drawn = await page.evaluate(() => Object.fromEntries(Object.entries(window.vigilCharts).map(
      ([k, u]) => [k, { xs: u.data[0].length, values: u.data[1], series: u.series.length }])));
    const expected = { dE_mm: 9, dN_mm: -6, dH_mm: 3 };
    for (const [key, step] of Object.entries(expected)) {
      const d = drawn[key];
      check(key + ' plots every cycle', d && d.xs === CYCLES && d.values.filter((v) => v !== null).length === CYCLES,
        JSON.stringify(d));
      const before = d.values[STEP_CYCLE - 1], after = d.values[STEP_CYCLE];
      check(key + ' shows the step', Math.abs(before) < 0.3 && Math.abs(after - step) < 0.3, before + ' -> ' + after);
    }
    check('dE has its band and six limit lines', drawn.dE_mm.series === 1 + 3 + 6, drawn.dE_mm.series);
    check('dH has its band and no limit', drawn.dH_mm.series === 1 + 3, drawn.dH_mm.series);
    const painted = await page.evaluate(() => {
      const canvas = document.querySelector('.chart canvas');
      const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
      let inked = 0;
      for (let i = 3; i < pixels.length; i += 4) inked += pixels[i] > 0;
      return inked;
    });
    check('the plot is painted', painted > 1000, painted);
    check('no console error, nothing fetched from outside', problems.length === 0, problems.join('; '));
  } catch (e) {
    check('the run', false, e.stack || String(e));
  } finally {
    if (browser) await browser.close();
    if (server) server.kill('SIGTERM');
    fs.rmSync(folder, { recursive: true, force: true });
  }
  const failed = results.filter((r) => !r.ok).length;
  console.log(`${results.length - failed} passed, ${failed} failed`);
  process.exitCode = failed === 0 && results.length > 0 ? 0 : 1;
}

main();
