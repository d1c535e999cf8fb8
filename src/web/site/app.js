'use strict';
// The page maps the session's view to its elements and its events to the
// session's commands; every rule of the game is in the core (pakkon.wasm).

(() => {
  const LANGUAGE_KEY = 'pakkon.language';
  const DEMO_KEY = 'pakkon.demo';
  // The player's View marks, kept as the window keeps them in Init.ini.
  const MARKS = ['mnuPreview', 'mnuFinishCheck', 'mnu2D_Panel'];
  const language = localStorage.getItem(LANGUAGE_KEY) === 'en' ? 'en' : 'ja';
  const $ = (id) => document.getElementById(id);
  const now = () => performance.now();
  let core = null;
  let game = null;
  let view = null;
  // The box view's scroll bars where the window starts them; a drag moves them.
  let dx = 120;
  let dy = 120;

  // ---- the page's own texts: the window's, English from its catalogue ----
  const english = new Map();
  const plain = (s) => s.replace(/\(&.\)/, '').replace(/&(.)/, '$1').replace(/\r\n/g, '\n');
  function t(ja, n) {
    const key = ja.replace(/\r\n/g, '\n');
    const found = language === 'en' && english.get(key);
    if (!found) return plain(ja);
    return plain(Array.isArray(found) ? found[n === 1 || found.length === 1 ? 0 : 1] : found);
  }
  async function loadCatalogue() {
    if (language !== 'en') return;
    const xml = new DOMParser().parseFromString(await (await fetch('pakkon_en.ts')).text(), 'text/xml');
    for (const m of xml.querySelectorAll('message')) {
      const source = m.querySelector('source');
      const translation = m.querySelector('translation');
      if (!source || !translation || translation.getAttribute('type') === 'unfinished') continue;
      const forms = [...translation.querySelectorAll('numerusform')].map((f) => f.textContent);
      english.set(source.textContent.replace(/\r\n/g, '\n'), forms.length ? forms : translation.textContent);
    }
  }

  // ---- drawing: the renderer's calls, in twips, replayed on a canvas ----
  const TWIPS = 15;
  const colour = (c) => `rgb(${c & 255},${(c >> 8) & 255},${(c >> 16) & 255})`;
  function paint(canvas, json) {
    const ctx = canvas.getContext('2d');
    const k = canvas.width / 225 / TWIPS;
    ctx.lineCap = 'square';
    for (const c of JSON.parse(json)) {
      switch (c[0]) {
        case 'c':
          ctx.fillStyle = '#fff';
          ctx.fillRect(0, 0, canvas.width, canvas.height);
          break;
        case 'l':
          ctx.strokeStyle = colour(c[5]);
          ctx.lineWidth = c[6] * k * TWIPS;
          ctx.beginPath();
          ctx.moveTo(c[1] * k, c[2] * k);
          ctx.lineTo(c[3] * k, c[4] * k);
          ctx.stroke();
          break;
        case 'r':
          ctx.strokeStyle = colour(c[5]);
          ctx.lineWidth = c[6] * k * TWIPS;
          ctx.strokeRect(c[1] * k, c[2] * k, (c[3] - c[1]) * k, (c[4] - c[2]) * k);
          break;
        case 'f':
          ctx.fillStyle = colour(c[5]);
          ctx.fillRect(Math.min(c[1], c[3]) * k, Math.min(c[2], c[4]) * k, (Math.abs(c[3] - c[1]) + TWIPS) * k,
            (Math.abs(c[4] - c[2]) + TWIPS) * k);
          break;
        case 't':
          ctx.fillStyle = '#000';
          ctx.font = `${12 * k * TWIPS}px sans-serif`;
          ctx.textBaseline = 'top';
          ctx.fillText(c[3], c[1] * k, c[2] * k);
          break;
      }
    }
  }

  // ---- messages and questions, one at a time ----
  const pending = [];
  let shown = null;
  let focusBefore = null;
  const BUTTONS = {
    0: [['OK', 1]],
    1: [['OK', 1], ['キャンセル', 2]],
    3: [['はい', 6], ['いいえ', 7], ['キャンセル', 2]],
    4: [['はい', 6], ['いいえ', 7]],
    260: [['はい', 6], ['いいえ', 7]],
  };
  const BUTTON_EN = { OK: 'OK', キャンセル: 'Cancel', はい: 'Yes', いいえ: 'No' };
  function tell(text, title) {
    pending.push({ kind: 'page', text, title, buttons: 0 });
    pump();
  }
  function pump() {
    if (shown || !pending.length) return;
    shown = pending.shift();
    if (!$('dialog').contains(document.activeElement)) focusBefore = document.activeElement;
    $('dialogTitle').textContent = shown.title;
    $('dialogText').textContent = shown.text.replace(/\r\n/g, '\n');
    const input = $('dialogInput');
    input.hidden = shown.kind !== 'input';
    input.value = '';
    const box = $('dialogButtons');
    box.replaceChildren();
    const choices = BUTTONS[shown.buttons] || BUTTONS[0];
    for (const [label, value] of choices) {
      const b = document.createElement('button');
      b.textContent = language === 'en' ? BUTTON_EN[label] : label;
      b.dataset.answer = value;
      b.addEventListener('click', () => close(value));
      box.append(b);
    }
    $('dialog').hidden = false;
    // No is the default of a question whose default is No.
    const first = shown.buttons === 260 ? box.lastChild : box.firstChild;
    (shown.kind === 'input' ? input : first).focus();
  }
  function close(value) {
    const m = shown;
    shown = null;
    // Focus goes back where it was, as after the window's modal box, never
    // staying on a button the closed box hid.
    document.activeElement.blur();
    $('dialog').hidden = true;
    if (focusBefore && focusBefore !== document.body && focusBefore.isConnected && focusBefore.offsetParent) {
      focusBefore.focus();
    }
    focusBefore = null;
    if (m.kind === 'ask') game.answer(m.id, value);
    if (m.kind === 'input') game.typed(m.id, value === 1 ? $('dialogInput').value : '');
    if (m.then) m.then(value);
    refresh();
    pump();
  }
  function takeMessages() {
    for (const m of JSON.parse(game.messages())) pending.push(m);
    pump();
  }

  // ---- ２Ｄパネル: the layer grids, each with its slice as the window's scroll bar starts it ----
  const PANEL_SLICES = [['hscL', 0], ['vscU', 0], ['hscR', 3], ['vscD', 3], ['hscLP', 0], ['vscUP', 0], ['hscRP', 3], ['vscDP', 3]];
  const PANEL_NAMES = ['shpA', 'shpB', 'shpC', 'shpD', 'shpE', 'shpF', 'shpG', 'shpH'];
  function buildPanels() {
    PANEL_SLICES.forEach(([name, value], g) => {
      const figure = document.createElement('figure');
      const grid = document.createElement('div');
      grid.className = 'grid';
      grid.id = PANEL_NAMES[g];
      const slice = document.createElement('input');
      slice.type = 'range';
      slice.min = 0;
      slice.max = 3;
      slice.value = value;
      slice.id = name;
      slice.addEventListener('input', showPanels);
      figure.append(grid, slice);
      $(g < 4 ? 'boxPanels' : 'blockPanels').append(figure);
    });
  }
  function showPanels() {
    const on = $('mnu2D_Panel').checked;
    $('boxPanels').hidden = $('blockPanels').hidden = !on;
    if (!on) return;
    const v = PANEL_SLICES.map(([name]) => Number($(name).value));
    // Args as the window passes them: L, R, U, D, then LP, RP, UP, DP.
    const grids = JSON.parse(game.panels(v[0], v[2], v[1], v[3], v[4], v[6], v[5], v[7]));
    const k = 1 / TWIPS;
    grids.forEach((squares, g) => {
      const grid = $(PANEL_NAMES[g]);
      if (grid.children.length !== squares.length) {
        grid.replaceChildren(...squares.map(() => document.createElement('div')));
      }
      let w = 0;
      let h = 0;
      squares.forEach(([x, y, sw, sh, filled, fill], i) => {
        const d = grid.children[i];
        Object.assign(d.style, { left: `${x * k}px`, top: `${y * k}px`, width: `${sw * k}px`, height: `${sh * k}px` });
        d.style.background = filled ? colour(fill) : 'transparent';
        w = Math.max(w, (x + sw) * k);
        h = Math.max(h, (y + sh) * k);
      });
      grid.style.width = `${w}px`;
      grid.style.height = `${h}px`;
    });
  }

  // ---- 新しいパズルを作る: the dialog here, the search in a worker ----
  let worker = null;
  const GENERATE_FIELDS = ['spnX', 'spnY', 'spnZ', 'spnBlocks', 'cboStarsFrom', 'cboStarsTo', 'chkIdentical', 'cmdStart'];
  const generateStatus = (text) => ($('lblGenerateStatus').textContent = text);
  function generating(on) {
    for (const id of GENERATE_FIELDS) $(id).disabled = on;
  }
  function openGenerate() {
    $('prgTries').value = 0;
    generateStatus(t('答えがひとつだけのパズルを、でたらめな分け方から探します。'));
    generating(false);
    $('frmGenerate').hidden = false;
    $('cmdStart').focus();
  }
  function closeGenerate() {
    // Ending the worker ends its search at once; the open puzzle was never touched.
    if (worker) worker.terminate();
    worker = null;
    $('frmGenerate').hidden = true;
    document.activeElement.blur();
    refresh();
  }
  function startGenerate() {
    if (worker) return;
    const n = (id) => Number($(id).value);
    const c = [n('spnX'), n('spnY'), n('spnZ'), n('spnBlocks'), n('cboStarsFrom'), n('cboStarsTo'), $('chkIdentical').checked];
    const why = core.generateCheck(...c);
    if (why) {
      generateStatus(t('この条件ではパズルを作れません：%1').replace('%1', why));
      return;
    }
    generating(true);
    $('prgTries').value = 0;
    generateStatus(t('探しています…'));
    const run = new Worker('generate.js');
    worker = run;
    run.onmessage = (e) => {
      if (worker !== run) return;
      const m = e.data;
      if (m.kind === 'progress') {
        $('prgTries').max = m.most;
        $('prgTries').value = m.tries;
        generateStatus(`${t('探しています…')} ${m.tries} / ${m.most}`);
        return;
      }
      run.terminate();
      worker = null;
      generating(false);
      if (m.file) {
        $('frmGenerate').hidden = true;
        game.openBytes(m.name, m.file, now());
        refresh();
      } else if (m.status === 2) {
        generateStatus(t('条件に合うパズルが見つかりませんでした（%1 回試しました）。\n条件を変えて、もう一度どうぞ。').replace('%1', m.tries));
      } else {
        generateStatus(t('この条件ではパズルを作れません：%1').replace('%1', m.message));
      }
    };
    run.onerror = (e) => {
      run.terminate();
      worker = null;
      generating(false);
      generateStatus(e.message);
    };
    const [x, y, z, blocks, minStars, maxStars, identical] = c;
    // genSeed: a fixed seed names a puzzle; empty takes a fresh one.
    run.postMessage({ language, x, y, z, blocks, minStars, maxStars, identical, seed: n('genSeed') });
  }
  function buildGenerate() {
    for (const id of ['cboStarsFrom', 'cboStarsTo']) {
      for (let s = 1; s <= 5; ++s) $(id).add(new Option(core.starsText(s), s));
    }
    $('cboStarsFrom').value = 1;
    $('cboStarsTo').value = 5;
    $('mnuFileGenerate').addEventListener('click', openGenerate);
    $('cmdStart').addEventListener('click', startGenerate);
    $('cmdGenerateCancel').addEventListener('click', closeGenerate);
  }

  // ---- the view ----
  function showStatus() {
    view = JSON.parse(game.view(now()));
    const text = t(view.solved ? '完成 %1　手数 %2' : '時間 %1　手数 %2');
    $('lblPlayTime').textContent =
      view.playing && view.recording ? text.replace('%1', view.time).replace('%2', view.moves) : '';
  }
  function refresh() {
    showStatus();
    const v = view;
    const c = v.controls;
    const open = v.file !== '';
    // The demonstration keeps the menus, as the window's does.
    const demo = v.demoShown;
    for (const b of document.querySelectorAll('[data-act]')) b.disabled = !game.enabled(b.dataset.act);
    $('cmdRemove').disabled = !c.boxButtons;
    const list = $('lstPiece');
    [...list.children].forEach((b, k) => {
      b.disabled = !c.list;
      b.setAttribute('aria-selected', String(c.listIndex === k));
    });
    const options = $('options');
    [...options.children].forEach((label, k) => {
      label.hidden = !c.option[k];
      label.firstChild.checked = c.checked === k;
    });
    $('lblSum').textContent = c.sum;
    $('lblPiece').textContent = String(c.shown + 1);
    $('mnuFileSave').disabled = !open || demo;
    $('mnuEditUndo').disabled = !v.canUndo;
    $('mnuEditRedo').disabled = !v.canRedo;
    $('mnuHelpHint').disabled = !v.playing;
    $('mnuHelpHelp').disabled = !open || demo;
    for (const id of ['mnuList', 'mnuFileOpen', 'mnuFileGenerate', 'mnuPreview', 'mnuHelpKeys', 'mnuPzMaker']) $(id).disabled = demo;
    $('lblDemo').hidden = !demo;
    $('lblDemo').textContent = v.banner.replace(/\r\n/g, '\n');
    if (v.walkthroughStep > 0 && !walkTimer) walkTimer = setInterval(walkTick, 1000);
    if (v.walkthroughStep === 0 && walkTimer) {
      clearInterval(walkTimer);
      walkTimer = null;
    }
    if (!v.demo) localStorage.setItem(DEMO_KEY, 'off');
    $('caption').textContent = v.caption;
    document.title = v.caption;
    $('stsFile').textContent = v.file;
    $('stsSize').textContent = open ? v.size.join('×') : '';
    $('stsComment').textContent = open ? v.comment : '';
    $('lblHints').textContent = v.playing && v.hints > 0 ? t('ヒント：%1 回').replace('%1', v.hints) : '';
    const finish = $('mnuFinishCheck').checked ? game.finishCheck() : '';
    $('lblFinish').textContent = finish === 'yes' ? '○' : finish === 'no' ? '×' : '';
    $('lblFinish').title = finish === 'yes' ? t('まだ完成できます') : finish === 'no' ? t('このままでは完成できません') : '';
    showLoader();
    showPanels();
    paint($('pictMain'), game.drawBox(dx, dy));
    paint($('pictPiece'), game.drawBlock(c.shown));
    takeMessages();
  }

  // ---- the demonstration: the banner, and the walkthrough's one-second timer ----
  let walkTimer = null;
  function walkTick() {
    if (shown) return;  // a message holds it, as the window's modal box does
    const button = game.demoTick(now());
    if (button) $(button).focus();
    refresh();
  }
  function demoClick() {
    game.demoClick(now());
    refresh();
  }

  // ---- the auto loader: requestAnimationFrame drives the session's ticks ----
  let running = false;
  function showLoader() {
    const l = JSON.parse(game.loaderView());
    $('mnuAautoMove').checked = l.autoMove;
    $('mnuAautoMove').disabled = view.file === '' || l.loading || view.demoShown;
    $('chkDedSpace').checked = l.deadSpace;
    $('frameAuto').hidden = !l.autoMove;
    $('framePiece').hidden = l.autoMove;
    $('cmdMove').disabled = l.loading || view.demoShown;
    $('cmdInit').disabled = l.loading || view.demoShown;
    $('cmdStop').disabled = !l.loading || view.demoShown;
    $('chkDedSpace').disabled = view.demoShown;
    const rows = $('strips').tBodies[0];
    if (!rows.rows.length) {
      for (const name of ['strip', 'rotation', 'no', 'turns', 'faces']) {
        const tr = rows.insertRow();
        tr.className = name;
        for (let k = 0; k < 8; ++k) tr.insertCell();
      }
    }
    l.strips.forEach((s, k) => {
      rows.rows[0].cells[k].style.background = colour(s.colour);
      rows.rows[1].cells[k].textContent = s.rotation;
      rows.rows[2].cells[k].textContent = s.no;
      rows.rows[3].cells[k].textContent = s.turns;
      rows.rows[4].cells[k].textContent = s.faces;
    });
    $('lblAtOnce').textContent = l.lines.length ? l.lines[l.lines.length - 1] : '';
    const list = $('listRotate');
    while (list.children.length > l.lines.length) list.lastChild.remove();
    for (const line of l.lines.slice(list.children.length)) {
      const li = document.createElement('li');
      li.textContent = line;
      list.append(li);
    }
  }
  function frame() {
    // A message of the run holds it, as the window's message box does.
    const going = shown ? true : game.tick(now());
    if (!shown) refresh();
    if (going) requestAnimationFrame(frame);
    else running = false;
  }
  function runLoader() {
    if (running || !game.loadStart(now())) return;
    running = true;
    refresh();
    requestAnimationFrame(frame);
  }

  // ---- commands ----
  function act(text) {
    game.act(text, now());
    refresh();
  }
  const HINT_TEXTS = [
    '時間内にヒントを見つけられませんでした。',
    'もう完成しています。',
    null,
    null,
    '箱の中身が、箱からはみ出しています。\r\n[ Orgin ] や [ Turn ] で箱の中へ戻してください。',
    'このパズルは、空の箱からでも完成できません。',
    '箱に、入れたどのブロックのものでもないセルがあります。\r\n[ Clear ] で箱を空にすれば、完成できます。',
    'このままでは完成できません。ブロック %1 を外してみましょう。',
  ];
  function showHint(json) {
    refresh();
    if (!json) return;
    const h = JSON.parse(json);
    const text = HINT_TEXTS[h.kind];
    if (!text) return;
    const names = h.remove.map(String);
    const joined = names.length > 1 ? names.slice(0, -1).join(t('、')) + t(' と ') + names[names.length - 1] : names.join('');
    tell(t(text, h.remove.length).replace('%1', joined), t('ヒント'));
  }

  const KEYS_HELP =
    '1 ～ 8　　ブロックを選ぶ（リストと同じ）\r\n← →　　X-　X+\r\n↑ ↓　　Y-　Y+\r\nPageUp　PageDown　　Z+　Z-\r\n' +
    'Q　W　E　　ブロックの Turn-Z　Turn-X　Turn-Y\r\nO　　ブロックの Orgin\r\nB　　Botom\r\nR　　Reset\r\nS　　Shuffle\r\n' +
    'Enter　Space　　Load\r\nBackspace　　Cancel\r\nCtrl+1 ～ Ctrl+8　　[Block] 枠のブロックに印を付ける\r\n' +
    'U　　UNLOAD（印の付いたブロック）\r\nDelete　　Clear\r\nShift+Q　Shift+W　Shift+E　　箱の Turn-Z　Turn-X　Turn-Y\r\n' +
    'Shift+O　　箱の Orgin\r\nH　　ヒント\r\nCtrl+Z　　元に戻す\r\nCtrl+Y　Ctrl+Shift+Z　　やり直し\r\n\r\n' +
    'ボタンやチェックボックスを選んでいるときの Space と Enter、\r\n' +
    'ブロックのリストを選んでいるときの ↑ ↓ PageUp PageDown は、そのボタンやリストが使います。\r\n' +
    'デモンストレーションの間は、キーは働きません。';

  // Keys that would scroll the page or go back when nothing plays them.
  const PAGE_KEYS = new Set([' ', 'ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'PageUp', 'PageDown', 'Backspace']);
  function onKey(e) {
    if (!game) return;
    if (!$('frmGenerate').hidden) {
      if (e.key === 'Escape') closeGenerate();
      return;
    }
    if (shown) {
      if (e.key === 'Escape') close(BUTTONS[shown.buttons]?.slice(-1)[0][1] ?? 1);
      return;
    }
    const el = document.activeElement;
    const tag = el ? el.tagName : '';
    const type = tag === 'INPUT' ? el.type : '';
    // Text boxes and drop-down lists keep every key.
    if (tag === 'SELECT' || tag === 'TEXTAREA' || (tag === 'INPUT' && !['radio', 'checkbox', 'range'].includes(type))) return;
    if (e.altKey) return;
    const focused =
      el && el.parentElement === $('lstPiece') ? 3 : type === 'radio' ? 2 : tag === 'BUTTON' || type === 'checkbox' ? 1 : 0;
    const r = JSON.parse(game.key(e.key, e.shiftKey, e.ctrlKey || e.metaKey, e.repeat, focused, now()));
    if (r.own) return;
    if (r.known || PAGE_KEYS.has(e.key)) e.preventDefault();
    if (r.hint !== undefined) showHint(r.hint);
    else if (r.known) refresh();
  }

  function download(bytes, name) {
    const url = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    const a = document.createElement('a');
    a.href = url;
    a.download = name;
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 0);
  }

  function showList() {
    const rows = $('puzzleRows');
    rows.replaceChildren();
    for (const r of JSON.parse(game.list())) {
      const li = document.createElement('li');
      const b = document.createElement('button');
      b.textContent = `${r.title}  ${r.size.join('×')}` + (r.best ? `  ${r.best}` : '');
      b.dataset.name = r.name;
      b.disabled = r.problem !== '';
      if (r.solved) b.classList.add('solved');
      b.addEventListener('click', () => {
        $('puzzleList').hidden = true;
        game.openList(r.path, now());
        document.activeElement.blur();
        refresh();
      });
      li.append(b);
      rows.append(li);
    }
    $('puzzleList').hidden = false;
  }

  function build() {
    buildPanels();
    buildGenerate();
    // Like the window's menus, the page's menu bar never takes the focus from the play keys.
    for (const el of document.querySelectorAll('nav button, nav input, nav label')) {
      el.addEventListener('mousedown', (e) => e.preventDefault());
    }
    for (const el of document.querySelectorAll('[data-tr]')) el.textContent = t(el.dataset.tr);
    for (const b of document.querySelectorAll('[data-act]')) b.addEventListener('click', () => act(b.dataset.act));
    for (let k = 0; k < 8; ++k) {
      const b = document.createElement('button');
      b.textContent = String(k + 1);
      b.setAttribute('role', 'option');
      b.addEventListener('click', () => act(`sel ${k + 1}`));
      $('lstPiece').append(b);
      const label = document.createElement('label');
      const radio = document.createElement('input');
      radio.type = 'radio';
      radio.name = 'optPiece';
      radio.id = `optPiece${k}`;
      radio.addEventListener('change', () => {
        game.mark(k);
        refresh();
      });
      label.append(radio, String(k + 1));
      label.hidden = true;
      $('options').append(label);
    }
    $('cmdRemove').addEventListener('click', () => act(`unload ${view.controls.checked + 1}`));
    $('mnuEditUndo').addEventListener('click', () => act('undo'));
    $('mnuEditRedo').addEventListener('click', () => act('redo'));
    $('mnuHelpHint').addEventListener('click', () => showHint(game.hint(now())));
    $('mnuHelpHelp').addEventListener('click', () => {
      game.giveUp();
      refresh();
    });
    $('mnuHelpKeys').addEventListener('click', () => tell(t(KEYS_HELP), t('キー操作')));
    for (const id of MARKS) {
      $(id).checked = localStorage.getItem(`pakkon.${id}`) === 'on';
      $(id).addEventListener('change', (e) => {
        localStorage.setItem(`pakkon.${id}`, e.target.checked ? 'on' : 'off');
        game.setPreview($('mnuPreview').checked);
        refresh();
      });
    }
    game.setPreview($('mnuPreview').checked);
    $('mnuPzMaker').addEventListener('click', () => {
      const info = JSON.parse(game.toolInfo());
      pending.push({ kind: 'page', text: info.text, title: info.title, buttons: 4, then: (a) => a === 6 && window.open(info.page) });
      pump();
    });
    $('mnuHelpVerInfo').addEventListener('click', () => {
      const info = JSON.parse(game.versionInfo());
      tell(info.text, info.title);
    });
    $('mnuList').addEventListener('click', showList);
    $('lblDemo').addEventListener('click', demoClick);
    $('mnuAautoMove').addEventListener('change', (e) => {
      game.setAutoMove(e.target.checked);
      refresh();
    });
    $('chkDedSpace').addEventListener('change', (e) => {
      game.setDeadSpace(e.target.checked);
      refresh();
    });
    $('cmdMove').addEventListener('click', runLoader);
    $('cmdStop').addEventListener('click', () => game.loadStop());
    $('cmdInit').addEventListener('click', () => {
      game.loaderInit();
      refresh();
    });
    $('puzzleListClose').addEventListener('click', () => ($('puzzleList').hidden = true));
    $('mnuFileOpen').addEventListener('change', async (e) => {
      const file = e.target.files[0];
      e.target.value = '';
      if (!file) return;
      const bytes = new Uint8Array(await file.slice(0, 1 << 20).arrayBuffer());
      game.openBytes(file.name, bytes, now());
      refresh();
    });
    $('mnuFileSave').addEventListener('click', () => {
      const bytes = game.save();
      if (bytes) download(bytes.slice(), view.file);
      refresh();
    });
    $('language').value = language;
    $('language').addEventListener('change', (e) => {
      localStorage.setItem(LANGUAGE_KEY, e.target.value);
      location.reload();
    });
    document.addEventListener('keydown', onKey);
    // The picture is 225 × 209 pixels of 15 twips, shown at the canvas's size.
    const twips = (e) => {
      const r = $('pictMain').getBoundingClientRect();
      return [((e.clientX - r.left) * 225 * TWIPS) / r.width, ((e.clientY - r.top) * 209 * TWIPS) / r.height];
    };
    // Pointer events: a mouse, a finger or a pen drags the same way.
    let press = null;
    $('pictMain').addEventListener('pointerdown', (e) => {
      press = twips(e);
      $('pictMain').setPointerCapture(e.pointerId);
    });
    for (const end of ['pointerup', 'pointercancel']) $('pictMain').addEventListener(end, () => (press = null));
    $('pictMain').addEventListener('pointermove', (e) => {
      if (!press || !e.buttons) return;
      const [x, y] = twips(e);
      const v = JSON.parse(game.drag(press[0], press[1], x, y));
      if (v.setDX) dx = v.dx;
      if (v.setDY) dy = v.dy;
      paint($('pictMain'), game.drawBox(dx, dy));
    });
    setInterval(() => game && showStatus(), 500);
  }

  async function start() {
    document.documentElement.lang = language;
    for (const canvas of document.querySelectorAll('canvas')) {
      const scale = 2 * (window.devicePixelRatio || 1);
      canvas.width = 225 * scale;
      canvas.height = 209 * scale;
    }
    [core] = await Promise.all([createPakkon(), loadCatalogue()]);
    game = new core.Game(language, localStorage.getItem(DEMO_KEY) !== 'off');
    build();
    refresh();
    // The demonstration's unattended run starts with the page, as with the window.
    if (game.demoStarts()) runLoader();
    $('loading').hidden = true;
    document.body.dataset.ready = 'true';
    performance.mark('pakkon-ready');
  }
  start();
})();
