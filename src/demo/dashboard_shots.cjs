// Pictures of the dashboard for the demo: the overview and one point's plots, taken in
// headless Chromium.   node dashboard_shots.cjs URL OUTPUT_FOLDER POINT_PAGE_PATH
'use strict';

const { chromium } = require('playwright-core');
const path = require('node:path');

async function main() {
  const [url, folder, pointPath] = process.argv.slice(2);
  const browser = await chromium.launch({
    executablePath: process.env.VIGIL_CHROMIUM || '/usr/bin/chromium',
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  try {
    const page = await browser.newPage({ viewport: { width: 1100, height: 900 } });
    await page.goto(url);
    await page.screenshot({ path: path.join(folder, 'dashboard-overview.png'), fullPage: true });
    await page.goto(new URL(pointPath, url).href);
    await page.waitForFunction(() => window.vigilCharts !== undefined, null, { timeout: 20000 });
    await page.screenshot({ path: path.join(folder, 'dashboard-point.png'), fullPage: true });
  } finally {
    await browser.close();
  }
}

main().catch((e) => {
  console.error(String(e.stack || e));
  process.exit(1);
});
