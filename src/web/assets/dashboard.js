// The point page: its displacement in east, north and height over time, each with the
// uncertainty band and the point's limits, drawn from the JSON API with uPlot.
'use strict';

(function () {
  const levelColours = { alert: '#d4a017', alarm: '#e8730c', action: '#d32f2f' };
  const components = [
    { key: 'dE_mm', sigma: 'sigma_dE_mm', limit: 'de_mm', title: 'dE (mm)' },
    { key: 'dN_mm', sigma: 'sigma_dN_mm', limit: 'dn_mm', title: 'dN (mm)' },
    { key: 'dH_mm', sigma: 'sigma_dH_mm', limit: 'dh_mm', title: 'dH (mm)' },
  ];

  // "hh:mm" under each tick, the date under the first tick of each day only.
  function timeLabels(u, ticks) {
    let day = '';
    return ticks.map((t) => {
      const text = new Date(t * 1000).toISOString();
      const label = text.slice(11, 16) + (text.slice(0, 10) !== day ? '\n' + text.slice(0, 10) : '');
      day = text.slice(0, 10);
      return label;
    });
  }

  function chart(host, series, c) {
    // Local times as stored, shown as they are: the axis is told they are UTC.
    const xs = series.time_ms.map((ms) => ms / 1000);
    const k = series.band_sigmas;
    const values = series[c.key];
    const upper = values.map((v, i) => (v === null ? null : v + k * series[c.sigma][i]));
    const lower = values.map((v, i) => (v === null ? null : v - k * series[c.sigma][i]));
    const data = [xs, values, upper, lower];
    const lines = [
      {},
      { label: c.title, stroke: '#1f4e9c', width: 2, points: { show: true, size: 5 } },
      { label: '+' + k + ' σ', stroke: 'rgba(31,78,156,0.3)', width: 1, points: { show: false } },
      { label: '−' + k + ' σ', stroke: 'rgba(31,78,156,0.3)', width: 1, points: { show: false } },
    ];
    const limits = series.limits[c.limit] || {};
    for (const level of ['alert', 'alarm', 'action']) {
      if (limits[level] === undefined) continue;
      for (const sign of [1, -1]) {
        data.push(xs.map(() => sign * limits[level]));
        lines.push({
          label: level + ' ' + (sign > 0 ? '+' : '−') + limits[level],
          stroke: levelColours[level],
          dash: [6, 4],
          width: 1,
          points: { show: false },
        });
      }
    }
    const box = document.createElement('div');
    box.className = 'chart';
    box.dataset.component = c.key;
    host.appendChild(box);
    return new uPlot(
      {
        title: c.title,
        width: Math.max(480, Math.min(1000, host.clientWidth || 900)),
        height: 260,
        tzDate: (ts) => uPlot.tzDate(new Date(ts * 1000), 'Etc/UTC'),
        series: lines,
        bands: [{ series: [2, 3], fill: 'rgba(31,78,156,0.12)' }],
        axes: [
          { values: timeLabels },
          { label: 'mm' },
        ],
      },
      data,
      box,
    );
  }

  async function draw() {
    const host = document.getElementById('plots');
    const status = document.getElementById('plot-status');
    if (!host) return;
    try {
      const answer = await fetch(host.dataset.series, { credentials: 'same-origin' });
      if (!answer.ok) throw new Error('the series could not be read (' + answer.status + ')');
      const series = await answer.json();
      const charts = {};
      for (const c of components) charts[c.key] = chart(host, series, c);
      // Kept for a look from the browser's console at what is drawn.
      window.vigilCharts = charts;
      status.textContent = series.time_ms.length + ' results' + (series.watched ? '' : '; the point is not watched');
    } catch (e) {
      status.textContent = String(e.message || e);
    }
  }

  document.addEventListener('DOMContentLoaded', draw);
})();
