// The server list: shows the account and the servers, and asks the client
// (window.external) to open the chosen server in its game window.
(function () {
  'use strict';

  var config = JSON.parse(document.getElementById('config').textContent);
  var STATUS_TEXT = { hot: '火爆', 'new': '新服', maintenance: '维护' };

  // The client's bridge, or null in an ordinary browser.
  function findClient() {
    try {
      var external = window.external;
      return external && typeof external.WD_JAPI === 'function' ? external : null;
    } catch (e) {
      return null;
    }
  }
  var client = findClient();

  var toastTimer = 0;
  function toast(message) {
    var box = document.getElementById('toast');
    box.textContent = message;
    box.classList.add('shown');
    clearTimeout(toastTimer);
    toastTimer = setTimeout(function () { box.classList.remove('shown'); }, 2200);
  }

  function enter(server) {
    if (server.status === 'maintenance') {
      toast('「' + server.label + '」正在维护，请稍后再试');
      return;
    }
    if (!client) {
      toast('请在 LumioVeyra 客户端中进入游戏');
      return;
    }
    client.WD_JAPI('OpenGame', server.open);
  }

  function badge(status) {
    var b = document.createElement('span');
    b.className = 'badge ' + status;
    b.textContent = STATUS_TEXT[status];
    return b;
  }

  function serverTile(server) {
    var tile = document.createElement('div');
    tile.className = 'tile ' + server.status;
    tile.setAttribute('role', 'button');
    tile.tabIndex = 0;
    var parts = server.label.split(' ');
    var number = document.createElement('span');
    number.className = 'number';
    number.textContent = parts[0];
    var text = document.createElement('span');
    text.className = 'text';
    var name = document.createElement('span');
    name.className = 'name';
    name.textContent = parts.slice(1).join(' ');
    var opened = document.createElement('span');
    opened.className = 'opened';
    opened.textContent = server.opened;
    text.appendChild(name);
    text.appendChild(opened);
    tile.appendChild(number);
    tile.appendChild(text);
    tile.appendChild(badge(server.status));
    tile.addEventListener('click', function () { enter(server); });
    return tile;
  }

  function showAccount() {
    document.getElementById('player-name').textContent = config.name;
    document.getElementById('uid').textContent = config.uid || '—';
    document.getElementById('suid').textContent = config.suid || '—';
    document.getElementById('trial-badge').hidden = !config.trial;
    document.getElementById('notice-link').href = config.noticeUrl;
    document.getElementById('gift-link').href = config.giftUrl;
  }

  function showServers() {
    var rec = config.recommended;
    var badgeBox = document.getElementById('rec-badge');
    badgeBox.className = 'badge ' + rec.status;
    badgeBox.textContent = STATUS_TEXT[rec.status];
    document.getElementById('rec-name').textContent = rec.label;
    document.getElementById('rec-opened').textContent = rec.opened;
    document.getElementById('recommended').addEventListener('click', function () { enter(rec); });
    var grid = document.getElementById('servers');
    config.servers.forEach(function (server) { grid.appendChild(serverTile(server)); });
  }

  // Tells the client about the account and learns its interface version;
  // the operator logs what the client answered.
  function greetClient() {
    var state = document.getElementById('client-state');
    if (!client) {
      state.textContent = '未检测到客户端 · 仅可浏览服务器列表';
      state.classList.add('offline');
      return;
    }
    var version = client.WD_JAPI('getApiVersion');
    var again = window.external.wd_japi('getApiVersion');
    if (config.trial) client.WD_JAPI('ShowBindBtn');
    client.WD_JAPI('openPay', config.payUrl);
    client.WD_JAPI('ShowIM', config.chat);
    state.textContent = '客户端已连接 · 接口版本 ' + version;
    var query = 'uid=' + encodeURIComponent(config.uid) + '&api=' + encodeURIComponent(String(version)) +
        '&lower=' + encodeURIComponent(String(again));
    var request = new XMLHttpRequest();
    request.open('GET', '/game/s/hello?' + query);
    request.send(null);
  }

  showAccount();
  showServers();
  greetClient();
})();
