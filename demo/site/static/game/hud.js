// The demo game's HUD: hero, server, minimap, quests, chat and skill bar.
// The quest button leaves for the other scene through "client://loadgame",
// which the client turns into a navigation to the http: address after it.
(function () {
  'use strict';

  const query = new URLSearchParams(location.search);
  const server = query.get('server') || '';
  const scene = document.body.dataset.scene;
  const serverTitle = document.body.dataset.server || query.get('title') || '';
  const hud = document.getElementById('hud');

  const SCENES = {
    valley: {
      area: '晨曦原野',
      quest: '星辉的指引',
      steps: ['击退原野上的影狼 <em>(6/8)</em>', '向守望者艾琳回报'],
      exit: { label: '进入星渊秘境', path: '/static/game/realm.html?server=' + encodeURIComponent(server) +
                                          '&title=' + encodeURIComponent(serverTitle) },
    },
    realm: {
      area: '星渊秘境',
      quest: '秘境试炼',
      steps: ['点亮三座星辉水晶 <em>(1/3)</em>', '击败秘境守卫「渊语者」'],
      exit: { label: '返回晨曦原野', path: '/game/play?server=' + encodeURIComponent(server) },
    },
  };
  const conf = SCENES[scene];

  function el(tag, className, parent, text) {
    const node = document.createElement(tag);
    if (className) node.className = className;
    if (text !== undefined) node.textContent = text;
    (parent || hud).appendChild(node);
    return node;
  }

  // Hero panel.
  const hero = el('div', 'hero panel');
  const portrait = el('div', 'portrait', hero);
  el('span', '', portrait, 'Lv.47');
  const stats = el('div', '', hero);
  const name = el('div', 'name', stats, '星辉旅人');
  el('small', '', name, '圣殿骑士');
  const bars = {};
  for (const [key, label, max] of [['hp', '生命', 18620], ['mp', '法力', 9240], ['xp', '经验', 100]]) {
    const bar = el('div', 'bar ' + key, stats);
    bars[key] = { fill: el('i', '', bar), text: el('b', '', bar), max, value: max * (key === 'xp' ? 0.63 : 0.86), label };
  }
  function showBars() {
    for (const b of Object.values(bars)) {
      b.fill.style.width = (100 * b.value / b.max).toFixed(1) + '%';
      b.text.textContent = b.label === '经验' ? b.label + ' ' + b.value.toFixed(1) + '%'
                                               : b.label + ' ' + Math.round(b.value) + ' / ' + b.max;
    }
  }
  showBars();

  // Server and area.
  const title = el('div', 'server panel', hud, serverTitle || 'LumioVeyra');
  el('small', '', title, conf.area);

  // Minimap: the area around the hero, turning slowly.
  const mapPanel = el('div', 'minimap panel');
  const map = el('canvas', '', mapPanel);
  map.width = map.height = 150;
  const coords = el('div', 'coords', hud, '');

  // Quest tracker with the way out.
  const quests = el('div', 'quests panel');
  el('h3', '', quests, '主线 · ' + conf.quest);
  for (const step of conf.steps) el('p', '', quests).innerHTML = '◆ ' + step;
  const exit = el('a', '', quests, conf.exit.label);
  exit.href = 'client://loadgame?url=' + location.origin + conf.exit.path;

  // Chat log.
  const chat = el('div', 'chat panel');
  const LINES = [
    ['sys', '【系统】欢迎来到 LumioVeyra，愿星辉照亮你的旅途。'],
    ['world', '【世界】月下听风：星辉圣殿今晚八点攻城，来人！'],
    ['guild', '【公会】青岚：副本缺一个治疗，速来'],
    ['world', '【世界】白露为霜：收影狼之牙，价格好说'],
    ['sys', '【系统】你获得了 [星辉碎片] ×3'],
    ['guild', '【公会】墨染：会长威武，今天又是第一'],
    ['world', '【世界】拾光者：有人一起去星渊秘境吗？'],
    ['sys', '【系统】世界首领「烬火巨龙」将在 10 分钟后降临龙脊山脉'],
  ];
  let line = 0;
  function say() {
    const [kind, text] = LINES[line++ % LINES.length];
    el('p', kind, chat, text);
    while (chat.children.length > 7) chat.removeChild(chat.firstChild);
  }
  for (let i = 0; i < 4; ++i) say();
  setInterval(say, 3200);

  // Skill bar: each icon a small painting, each with a cooldown sweep.
  const skillBar = el('div', 'skills panel');
  const ICONS = [
    ['#ffcf6a', '#b0501a', 'sword'], ['#9fe0ff', '#2a4cc8', 'shield'], ['#ffe7a0', '#d08a20', 'star'],
    ['#b4ffb0', '#2c8a3a', 'leaf'], ['#ff9a8a', '#a82030', 'flame'], ['#d8b4ff', '#5a2ab8', 'moon'],
    ['#a0fff0', '#1a8a8a', 'wave'], ['#fff4c0', '#8a6a2a', 'sun'],
  ];
  const skills = ICONS.map(([light, dark, shape], i) => {
    const slot = el('div', 'skill', skillBar);
    const c = el('canvas', '', slot);
    c.width = c.height = 44;
    el('kbd', '', slot, String(i + 1));
    return { c, light, dark, shape, cooldown: (i * 0.37) % 1, speed: 0.08 + (i % 3) * 0.05 };
  });

  function drawIcon(s) {
    const g = s.c.getContext('2d');
    const grad = g.createRadialGradient(22, 18, 2, 22, 22, 30);
    grad.addColorStop(0, s.light);
    grad.addColorStop(1, s.dark);
    g.fillStyle = grad;
    g.fillRect(0, 0, 44, 44);
    g.save();
    g.translate(22, 22);
    g.fillStyle = 'rgba(255,255,255,0.85)';
    g.strokeStyle = 'rgba(255,255,255,0.85)';
    g.lineWidth = 3;
    g.beginPath();
    switch (s.shape) {
      case 'sword': g.moveTo(-10, 12); g.lineTo(10, -12); g.moveTo(-4, 0); g.lineTo(4, 8); g.stroke(); break;
      case 'shield': g.moveTo(0, -13); g.lineTo(11, -7); g.lineTo(8, 7); g.lineTo(0, 13); g.lineTo(-8, 7);
        g.lineTo(-11, -7); g.closePath(); g.fill(); break;
      case 'star': for (let k = 0; k < 10; ++k) { const r = k % 2 ? 5 : 13, a = k * Math.PI / 5 - Math.PI / 2;
        g.lineTo(r * Math.cos(a), r * Math.sin(a)); } g.closePath(); g.fill(); break;
      case 'leaf': g.ellipse(0, 0, 6, 13, Math.PI / 4, 0, 2 * Math.PI); g.fill(); break;
      case 'flame': g.moveTo(0, -14); g.quadraticCurveTo(12, 2, 0, 13); g.quadraticCurveTo(-12, 2, 0, -14); g.fill(); break;
      case 'moon': g.arc(0, 0, 12, 0.6, 2 * Math.PI - 0.6); g.quadraticCurveTo(2, 0, 9.9, 6.8); g.fill(); break;
      case 'wave': for (let x = -13; x <= 13; x += 2) g.lineTo(x, 5 * Math.sin(x / 3)); g.stroke(); break;
      default: g.arc(0, 0, 7, 0, 2 * Math.PI); g.fill();
        for (let k = 0; k < 8; ++k) { const a = k * Math.PI / 4; g.moveTo(10 * Math.cos(a), 10 * Math.sin(a));
          g.lineTo(14 * Math.cos(a), 14 * Math.sin(a)); } g.stroke();
    }
    g.restore();
    if (s.cooldown > 0) {
      g.fillStyle = 'rgba(0,0,0,0.6)';
      g.beginPath();
      g.moveTo(22, 22);
      g.arc(22, 22, 34, -Math.PI / 2, -Math.PI / 2 + 2 * Math.PI * s.cooldown);
      g.closePath();
      g.fill();
    }
  }

  let heading = 0;
  function drawMap(t) {
    const g = map.getContext('2d');
    g.save();
    g.clearRect(0, 0, 150, 150);
    g.translate(75, 75);
    g.rotate(heading);
    g.fillStyle = scene === 'realm' ? '#141a3e' : '#2f4a2a';
    g.fillRect(-110, -110, 220, 220);
    g.fillStyle = scene === 'realm' ? '#2a2f6a' : '#4f6e3a';
    for (let i = 0; i < 14; ++i) {
      const a = i * 2.4, r = 20 + (i * 37) % 60;
      g.beginPath();
      g.arc(r * Math.cos(a), r * Math.sin(a), 8 + (i % 4) * 5, 0, 2 * Math.PI);
      g.fill();
    }
    g.strokeStyle = scene === 'realm' ? '#7fb2ff' : '#6fb7e8';
    g.lineWidth = 5;
    g.beginPath();
    for (let y = -110; y <= 110; y += 10) g.lineTo(30 * Math.sin(y / 30) - 25, y);
    g.stroke();
    for (const [x, y, c] of [[40, -30, '#ff6a5a'], [-50, 45, '#ff6a5a'], [20, 50, '#ffd36a']]) {
      g.fillStyle = c;
      g.beginPath();
      g.arc(x, y, 4, 0, 2 * Math.PI);
      g.fill();
    }
    g.restore();
    g.fillStyle = '#ffffff';
    g.beginPath();
    g.moveTo(75, 66); g.lineTo(81, 82); g.lineTo(75, 78); g.lineTo(69, 82);
    g.closePath();
    g.fill();
    const x = 1200 + Math.round(40 * Math.sin(t / 9000)), y = 860 + Math.round(40 * Math.cos(t / 11000));
    coords.textContent = conf.area + '  (' + x + ', ' + y + ')';
  }

  let last = performance.now();
  function tick(t) {
    const dt = Math.min(0.1, (t - last) / 1000);
    last = t;
    heading += dt * 0.05;
    for (const s of skills) {
      s.cooldown = Math.max(0, s.cooldown - dt * s.speed);
      if (s.cooldown === 0 && Math.random() < dt * 0.15) s.cooldown = 1;
      drawIcon(s);
    }
    bars.hp.value = Math.min(bars.hp.max, bars.hp.value + dt * 60);
    bars.mp.value = Math.min(bars.mp.max, bars.mp.value + dt * 35);
    drawMap(t);
    requestAnimationFrame(tick);
  }
  requestAnimationFrame(tick);
  setInterval(showBars, 500);

  const banner = el('div', 'banner', hud, conf.area);
  setTimeout(() => banner.classList.add('shown'), 200);
  setTimeout(() => banner.classList.remove('shown'), 3200);
})();
