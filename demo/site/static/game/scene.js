// The demo game's world: a painted landscape that lives. "valley" is a
// valley at sunset with a castle, drifting clouds, birds and fireflies;
// "realm" a starlit realm with aurora, floating islands and glowing crystals.
// Still layers are painted once per size; the moving ones every frame.
(function () {
  'use strict';

  const canvas = document.getElementById('world');
  const ctx = canvas.getContext('2d');
  const scene = document.body.dataset.scene;
  let W = 0, H = 0, still = null;

  // A small seeded generator, so that the hills keep their shape.
  function rng(seed) {
    let s = seed >>> 0;
    return () => ((s = (s * 1664525 + 1013904223) >>> 0) / 4294967296);
  }

  function ridge(rand, base, amp, roughness) {
    const waves = [0, 1, 2, 3].map(i => ({ f: (i + 1) * roughness * (0.6 + rand()), p: rand() * 6.28, a: amp / (i + 1.3) }));
    return x => base - waves.reduce((h, w) => h + w.a * Math.sin(x * w.f + w.p), 0);
  }

  function fillRidge(g, height, fill, step = 4) {
    g.beginPath();
    g.moveTo(0, H);
    for (let x = 0; x <= W + step; x += step) g.lineTo(x, height(x / W));
    g.lineTo(W, H);
    g.closePath();
    g.fillStyle = fill;
    g.fill();
  }

  function vgrad(g, y0, y1, stops) {
    const grad = g.createLinearGradient(0, y0, 0, y1);
    stops.forEach(([at, color]) => grad.addColorStop(at, color));
    return grad;
  }

  function glow(g, x, y, r, color) {
    const grad = g.createRadialGradient(x, y, 0, x, y, r);
    grad.addColorStop(0, color);
    grad.addColorStop(1, 'rgba(0,0,0,0)');
    g.fillStyle = grad;
    g.fillRect(x - r, y - r, 2 * r, 2 * r);
  }

  // --- The valley at sunset ---------------------------------------------------

  const valley = {
    horizon: 0.62,
    clouds: [],
    birds: [],
    flies: [],

    paintStill(g) {
      const hz = H * this.horizon;
      g.fillStyle = vgrad(g, 0, hz, [[0, '#1d1450'], [0.45, '#6b2f78'], [0.78, '#e0704a'], [1, '#ffc77a']]);
      g.fillRect(0, 0, W, hz + 2);
      this.sun = { x: W * 0.7, y: hz - H * 0.17, r: H * 0.055 };
      glow(g, this.sun.x, this.sun.y, H * 0.5, 'rgba(255,190,110,0.55)');
      glow(g, this.sun.x, this.sun.y, this.sun.r * 1.6, 'rgba(255,245,210,0.95)');
      g.fillStyle = '#fff3d2';
      g.beginPath();
      g.arc(this.sun.x, this.sun.y, this.sun.r, 0, 2 * Math.PI);
      g.fill();

      const rand = rng(7);
      const layers = [
        [hz - H * 0.10, H * 0.09, 5, 'rgba(150,90,150,0.75)'],
        [hz - H * 0.05, H * 0.07, 8, 'rgba(96,52,112,0.9)'],
        [hz + H * 0.00, H * 0.05, 11, '#3f2450'],
      ];
      for (const [base, amp, rough, color] of layers) fillRidge(g, ridge(rand, base, amp, rough), color);

      // The lake below the hills mirrors the sky.
      g.fillStyle = vgrad(g, hz, H * 0.8, [[0, '#e38a5c'], [0.5, '#7a3a70'], [1, '#2a1a48']]);
      g.fillRect(0, hz, W, H * 0.8 - hz);

      // The castle on its hill.
      const hill = ridge(rng(3), H * 0.74, H * 0.05, 3);
      fillRidge(g, x => Math.min(hill(x), H * 0.74 - H * 0.16 * Math.exp(-((x - 0.28) ** 2) / 0.01)), '#24163a');
      this.castle = this.paintCastle(g, W * 0.28, H * 0.58, H * 0.22);

      // Foreground meadow.
      fillRidge(g, ridge(rng(11), H * 0.86, H * 0.03, 6), vgrad(g, H * 0.8, H, [[0, '#1e2a2c'], [1, '#0c1216']]));
    },

    paintCastle(g, cx, base, size) {
      g.fillStyle = '#1a1030';
      const windows = [];
      const towers = [[-0.42, 0.55, 0.09], [-0.2, 0.8, 0.1], [0, 1, 0.12], [0.22, 0.75, 0.1], [0.42, 0.5, 0.085]];
      g.fillRect(cx - size * 0.45, base - size * 0.35, size * 0.9, size * 0.35);
      for (let i = 0; i < 9; ++i) g.fillRect(cx - size * 0.45 + i * size * 0.105, base - size * 0.39, size * 0.05, size * 0.05);
      for (const [dx, h, w] of towers) {
        const x = cx + dx * size, top = base - h * size, half = w * size / 2;
        g.fillRect(x - half, top, 2 * half, h * size);
        g.beginPath();
        g.moveTo(x - half * 1.3, top);
        g.lineTo(x, top - size * 0.2);
        g.lineTo(x + half * 1.3, top);
        g.fill();
        for (let k = 1; k < h * 5; ++k) windows.push({ x: x - 2, y: top + k * size * 0.16, phase: windows.length * 1.7 });
      }
      g.beginPath();
      g.moveTo(cx + 0.0 * size, base - size * 1.2);
      g.lineTo(cx + 0.0 * size, base - size * 1.32);
      g.lineTo(cx + 0.08 * size, base - size * 1.28);
      g.lineTo(cx + 0.0 * size, base - size * 1.25);
      g.fill();
      return windows;
    },

    start() {
      const rand = rng(21);
      this.clouds = Array.from({ length: 11 }, (_, i) => ({
        x: rand() * 1.4 - 0.2, y: 0.06 + rand() * 0.36, s: 0.6 + rand() * 0.9, v: 0.004 + rand() * 0.01,
        puffs: Array.from({ length: 6 }, () => [rand() * 2 - 1, rand() * 0.5 - 0.25, 0.4 + rand() * 0.6]), i,
      }));
      this.birds = Array.from({ length: 6 }, (_, i) => ({ x: -0.1 - i * 0.07, y: 0.22 + (i % 3) * 0.035, v: 0.025 + (i % 2) * 0.006 }));
      this.flies = Array.from({ length: 70 }, () => ({ x: Math.random(), y: 0.75 + Math.random() * 0.25, p: Math.random() * 6.28 }));
    },

    frame(g, t, dt) {
      const hz = H * this.horizon;
      for (const c of this.clouds) {
        c.x += c.v * dt;
        if (c.x > 1.3) c.x = -0.3;
        const x = c.x * W, y = c.y * H, r = H * 0.05 * c.s;
        for (const [dx, dy, k] of c.puffs) {
          const grad = g.createRadialGradient(x + dx * r * 1.6, y + dy * r - r * 0.3, 0, x + dx * r * 1.6, y + dy * r, r * k * 1.4);
          grad.addColorStop(0, 'rgba(255,214,180,0.55)');
          grad.addColorStop(0.6, 'rgba(214,120,140,0.30)');
          grad.addColorStop(1, 'rgba(120,60,120,0)');
          g.fillStyle = grad;
          g.beginPath();
          g.arc(x + dx * r * 1.6, y + dy * r, r * k * 1.4, 0, 2 * Math.PI);
          g.fill();
        }
      }
      // Glitter on the lake under the sun.
      for (let k = 0; k < 26; ++k) {
        const y = hz + 6 + k * (H * 0.012);
        const wobble = Math.sin(t * 1.6 + k * 1.9) * (12 + k * 2);
        const w = (this.sun.r * 1.4) * (1 - k / 34) + Math.sin(t * 2.3 + k) * 8;
        g.fillStyle = `rgba(255,236,190,${0.55 - k * 0.018})`;
        g.fillRect(this.sun.x - w / 2 + wobble, y, w, 2);
      }
      for (const w of this.castle) {
        const flicker = 0.65 + 0.35 * Math.sin(t * 3 + w.phase) * Math.sin(t * 1.3 + w.phase * 2);
        g.fillStyle = `rgba(255,196,100,${flicker})`;
        g.fillRect(w.x, w.y, 4, 7);
      }
      g.strokeStyle = 'rgba(30,14,40,0.85)';
      g.lineWidth = 2;
      for (const b of this.birds) {
        b.x += b.v * dt;
        if (b.x > 1.15) b.x = -0.15;
        const x = b.x * W, y = b.y * H + Math.sin(t + b.x * 9) * 6, flap = Math.sin(t * 9 + b.y * 40) * 5;
        g.beginPath();
        g.moveTo(x - 9, y - flap);
        g.quadraticCurveTo(x - 3, y - 2, x, y);
        g.quadraticCurveTo(x + 3, y - 2, x + 9, y - flap);
        g.stroke();
      }
      // Grass swaying on the meadow's crest.
      g.strokeStyle = 'rgba(40,64,52,0.9)';
      g.lineWidth = 1.5;
      const crest = ridge(rng(11), H * 0.86, H * 0.03, 6);
      g.beginPath();
      for (let x = 0; x < W; x += 7) {
        const y = crest(x / W) + 2, sway = Math.sin(t * 1.7 + x * 0.05) * 4;
        g.moveTo(x, y);
        g.quadraticCurveTo(x + sway * 0.5, y - 8, x + sway, y - 14 - (x * 13 % 9));
      }
      g.stroke();
      for (const f of this.flies) {
        f.p += dt * 1.3;
        f.y -= dt * 0.004;
        if (f.y < 0.62) f.y = 1.0;
        const x = (f.x + 0.02 * Math.sin(f.p)) * W, y = f.y * H, a = 0.5 + 0.5 * Math.sin(f.p * 2.2);
        glow(g, x, y, 7, `rgba(255,232,120,${0.55 * a})`);
        g.fillStyle = `rgba(255,250,200,${a})`;
        g.fillRect(x - 1, y - 1, 2, 2);
      }
    },
  };

  // --- The starlit realm -------------------------------------------------------

  const realm = {
    stars: [],
    islands: [],
    sparks: [],

    paintStill(g) {
      g.fillStyle = vgrad(g, 0, H, [[0, '#03051a'], [0.55, '#0d1746'], [0.85, '#24195a'], [1, '#120c2c']]);
      g.fillRect(0, 0, W, H);
      const moon = { x: W * 0.78, y: H * 0.2, r: H * 0.08 };
      glow(g, moon.x, moon.y, moon.r * 4, 'rgba(150,170,255,0.35)');
      g.fillStyle = '#e8ecff';
      g.beginPath();
      g.arc(moon.x, moon.y, moon.r, 0, 2 * Math.PI);
      g.fill();
      const rand = rng(5);
      g.fillStyle = 'rgba(160,170,210,0.5)';
      for (let i = 0; i < 7; ++i) {
        g.beginPath();
        g.arc(moon.x + (rand() - 0.5) * moon.r * 1.3, moon.y + (rand() - 0.5) * moon.r * 1.3, moon.r * (0.06 + rand() * 0.12), 0, 2 * Math.PI);
        g.fill();
      }
      fillRidge(g, ridge(rng(9), H * 0.8, H * 0.06, 7), '#0b0a26');
      fillRidge(g, ridge(rng(13), H * 0.9, H * 0.03, 9), '#06061a');
      this.crystals = [];
      const cr = rng(17);
      for (let i = 0; i < 9; ++i) {
        this.crystals.push({ x: (0.05 + i * 0.11 + cr() * 0.04) * W, h: H * (0.08 + cr() * 0.12),
                             hue: cr() < 0.5 ? 190 : 290, phase: cr() * 6.28 });
      }
    },

    start() {
      const rand = rng(31);
      this.stars = Array.from({ length: 320 }, () => ({ x: rand(), y: rand() * 0.75, r: 0.4 + rand() * 1.3, p: rand() * 6.28 }));
      this.islands = [[0.18, 0.36, 1.0], [0.45, 0.26, 0.7], [0.62, 0.44, 0.85], [0.9, 0.5, 0.6]].map(([x, y, s], i) => ({ x, y, s, p: i * 1.3 }));
      this.sparks = Array.from({ length: 90 }, () => ({ x: Math.random(), y: Math.random(), v: 0.02 + Math.random() * 0.05 }));
    },

    paintIsland(g, x, y, s) {
      const w = H * 0.16 * s, h = H * 0.12 * s;
      g.fillStyle = '#1c1838';
      g.beginPath();
      g.moveTo(x - w, y);
      g.quadraticCurveTo(x - w * 0.3, y + h * 0.6, x, y + h * 1.3);
      g.quadraticCurveTo(x + w * 0.4, y + h * 0.5, x + w, y);
      g.closePath();
      g.fill();
      g.fillStyle = '#2f6a5a';
      g.beginPath();
      g.ellipse(x, y, w, h * 0.16, 0, 0, 2 * Math.PI);
      g.fill();
      g.fillStyle = '#1f3a44';
      for (const dx of [-0.55, -0.2, 0.35]) {
        g.beginPath();
        g.moveTo(x + dx * w - w * 0.08, y - 2);
        g.lineTo(x + dx * w, y - h * 0.55);
        g.lineTo(x + dx * w + w * 0.08, y - 2);
        g.fill();
      }
      glow(g, x + w * 0.1, y - h * 0.2, h * 0.6, 'rgba(120,220,255,0.35)');
    },

    frame(g, t, dt) {
      for (const s of this.stars) {
        const a = 0.35 + 0.65 * Math.abs(Math.sin(t * 0.8 + s.p));
        g.fillStyle = `rgba(230,236,255,${a})`;
        g.fillRect(s.x * W, s.y * H, s.r, s.r);
      }
      // Aurora: three ribbons drifting across the sky.
      for (let k = 0; k < 3; ++k) {
        const hue = [150, 175, 280][k];
        for (let x = 0; x < W; x += 6) {
          const u = x / W;
          const y = H * (0.18 + 0.06 * k) + Math.sin(u * 7 + t * 0.25 + k * 2) * H * 0.05 + Math.sin(u * 17 - t * 0.4) * H * 0.015;
          const len = H * (0.12 + 0.05 * Math.sin(u * 11 + t * 0.7 + k));
          const a = 0.10 + 0.08 * Math.sin(u * 5 + t * 0.5 + k * 1.7);
          const grad = g.createLinearGradient(0, y, 0, y + len);
          grad.addColorStop(0, `hsla(${hue},90%,70%,0)`);
          grad.addColorStop(0.3, `hsla(${hue},90%,65%,${a})`);
          grad.addColorStop(1, `hsla(${hue},90%,55%,0)`);
          g.fillStyle = grad;
          g.fillRect(x, y, 6, len);
        }
      }
      for (const i of this.islands) this.paintIsland(g, i.x * W, i.y * H + Math.sin(t * 0.6 + i.p) * H * 0.012, i.s);
      for (const c of this.crystals) {
        const base = H * 0.86, pulse = 0.55 + 0.45 * Math.sin(t * 1.4 + c.phase);
        glow(g, c.x, base - c.h * 0.5, c.h, `hsla(${c.hue},90%,65%,${0.28 * pulse})`);
        g.fillStyle = `hsla(${c.hue},80%,${45 + 20 * pulse}%,0.95)`;
        g.beginPath();
        g.moveTo(c.x - c.h * 0.16, base);
        g.lineTo(c.x - c.h * 0.1, base - c.h * 0.7);
        g.lineTo(c.x, base - c.h);
        g.lineTo(c.x + c.h * 0.12, base - c.h * 0.65);
        g.lineTo(c.x + c.h * 0.18, base);
        g.closePath();
        g.fill();
        g.fillStyle = 'rgba(255,255,255,0.35)';
        g.beginPath();
        g.moveTo(c.x - c.h * 0.05, base - c.h * 0.1);
        g.lineTo(c.x, base - c.h * 0.95);
        g.lineTo(c.x + c.h * 0.03, base - c.h * 0.1);
        g.fill();
      }
      for (const s of this.sparks) {
        s.y -= s.v * dt;
        if (s.y < 0.3) { s.y = 0.9; s.x = Math.random(); }
        const x = (s.x + 0.01 * Math.sin(t * 2 + s.v * 90)) * W, y = s.y * H;
        const a = Math.min(1, (s.y - 0.3) * 3);
        glow(g, x, y, 6, `rgba(170,230,255,${0.5 * a})`);
        g.fillStyle = `rgba(240,250,255,${a})`;
        g.fillRect(x - 1, y - 1, 2, 2);
      }
      // Mist low over the ground.
      for (let k = 0; k < 4; ++k) {
        const y = H * (0.78 + 0.04 * k), shift = ((t * (8 + k * 5)) % W);
        const grad = g.createLinearGradient(0, y - 20, 0, y + 20);
        grad.addColorStop(0, 'rgba(120,110,200,0)');
        grad.addColorStop(0.5, 'rgba(120,110,200,0.10)');
        grad.addColorStop(1, 'rgba(120,110,200,0)');
        g.fillStyle = grad;
        g.fillRect(-shift, y - 20, W * 2, 40);
      }
    },
  };

  const world = scene === 'realm' ? realm : valley;

  function resize() {
    W = canvas.width = window.innerWidth;
    H = canvas.height = window.innerHeight;
    still = document.createElement('canvas');
    still.width = W;
    still.height = H;
    world.paintStill(still.getContext('2d'));
  }

  world.start();
  resize();
  window.addEventListener('resize', resize);

  let last = performance.now();
  function frame(now) {
    const dt = Math.min(0.1, (now - last) / 1000);
    last = now;
    ctx.drawImage(still, 0, 0);
    world.frame(ctx, now / 1000, dt);
    requestAnimationFrame(frame);
  }
  requestAnimationFrame(frame);
})();
