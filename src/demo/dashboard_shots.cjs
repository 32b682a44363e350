// Pictures of the dashboard for the demo: the overview and the plots of one point, taken in
// headless Chromium. Without a point named, the one with the largest step between two
// successive cycles is shown.
//   node dashboard_shots.cjs URL OUTPUT_FOLDER STATION_PATH [POINT]
'use strict';

const { chromium } = require('playwright-core');
const path = require('node:path');

// The point whose displacement changed most from one cycle to the next (mm, 3D).
async function steppingPoint(page, stationPath) {
  const api = (p) => page.evaluate(async (u) => (await fetch(u)).json(), p);
  let best = { name: '', step: -1 };
  for (const p of await api('/api' + stationPath + 'points')) {
    if (p.reference) continue;
    const s = await api('/api' + stationPath + 'points/' + encodeURIComponent(p.point) + '/series');
    for (let i = 1; i < s.time_ms.length; ++i) {
      if ([s.dE_mm, s.dN_mm, s.dH_mm].some((c) => c[i] === null || c[i - 1] === null)) continue;
      const step = Math.hypot(s.dE_mm[i] - s.dE_mm[i - 1], s.dN_mm[i] - s.dN_mm[i - 1], s.dH_mm[i] - s.dH_mm[i - 1]);
      if (step > best.step) best = { name: p.point, step };
    }
  }
  return best.name;
}

async function main() {
  const [url, folder, stationPath, named] = process.argv.slice(2);
  const browser = await chromium.launch({
    executablePath: process.env.VIGIL_CHROMIUM || '/usr/bin/chromium',
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  try {
    const page = await browser.newPage({ viewport: { width: 1100, height: 900 } });
    await page.goto(new URL(stationPath, url).href);
    await page.screenshot({ path: path.join(folder, 'dashboard-overview.png'), fullPage: true });
    const point = named || (await steppingPoint(page, stationPath));
    if (!point) throw new Error('no monitoring point with results');
    await page.goto(new URL(stationPath + 'point/' + encodeURIComponent(point), url).href);
    await page.waitForFunction(() => window.vigilCharts !== undefined, null, { timeout: 20000 });
    await page.screenshot({ path: path.join(folder, 'dashboard-point.png'), fullPage: true });
    console.log('dashboard pictures of ' + point);
  } finally {
    await browser.close();
  }
}

main().catch((e) => {
  console.error(String(e.stack || e));
  process.exit(1);
});
