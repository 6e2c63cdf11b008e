// The page: draws the program's windows from the layout the core gives, forwards every user
// event to the core and shows the state it answers with. It converts nothing itself.
'use strict';

(() => {
  const STORE_KEY = 'Mezura.cfg'; // the settings file's text, as the desktop program keeps it
  const SHOWN_KEY = 'Mezura.shown'; // the window a phone showed last
  const TWIPS_PER_PIXEL = 15;
  const TWIPS_PER_POINT = 20;
  const CAPTION_POINTS = 9; // the page's 12px
  const CAPTION_LINE = 1.1; // a caption's line height in its letters' size, as style.css says
  const ENTER = 13;
  // The layouts, as style.css has them: on a touch or narrow screen each window's units one
  // under another at finger size, the windows in place (stacked); on a phone, upright or
  // sideways, one window at a time (phone).
  const stacked = window.matchMedia('(max-width: 600px), (pointer: coarse)');
  const phone = window.matchMedia('(max-width: 600px), (pointer: coarse) and (max-height: 500px)');

  const desk = document.getElementById('desk');
  const picker = document.getElementById('picker');
  const views = new Map(); // window name -> view
  const layouts = new Map(); // window name -> its layout, made before the window first shows
  let core = null;
  let catalog = null;
  let chosen = null; // the window a phone shows
  let acting = null; // the window of the event being run
  let cameFrom = null; // the window whose menu showed the settings window
  let topZ = 1;

  function stored(key = STORE_KEY) {
    try {
      return window.localStorage.getItem(key) || '';
    } catch {
      return ''; // storage refused: every visit is a first start
    }
  }

  function store(text, key = STORE_KEY) {
    try {
      window.localStorage.setItem(key, text);
    } catch {
      // Storage refused: the choice holds until the page closes.
    }
  }

  function el(tag, props = {}, ...children) {
    const node = document.createElement(tag);
    for (const [key, value] of Object.entries(props)) {
      if (key === 'class') node.className = value;
      else if (key === 'style') node.style.cssText = value;
      else if (key.startsWith('data-') || key.startsWith('aria-') || key === 'for' || key === 'role') node.setAttribute(key, value);
      else node[key] = value;
    }
    node.append(...children);
    return node;
  }

  // A control at a rectangle in twips, relative to the client area.
  function place(node, [left, top, width, height], offset = [0, 0]) {
    node.style.setProperty('--x', left + offset[0]);
    node.style.setProperty('--y', top + offset[1]);
    node.style.setProperty('--w', width);
    node.style.setProperty('--h', height);
    node.dataset.rect = [left + offset[0], top + offset[1], width, height].join(',');
    return node;
  }

  // The core's functions: each answers with JSON.
  function bind(module) {
    const wrap = (name, args) => {
      const fn = module.cwrap(name, 'string', args);
      return (...values) => JSON.parse(fn(...values));
    };
    return {
      catalog: wrap('mz_catalog', []),
      layout: wrap('mz_layout', ['string']),
      year: module.cwrap('mz_year', null, ['number']),
      start: wrap('mz_start', ['string']),
      type: wrap('mz_type', ['string', 'number', 'string']),
      key: wrap('mz_key', ['string', 'number', 'number']),
      clickField: wrap('mz_click_field', ['string', 'number']),
      click: wrap('mz_click', ['string', 'string']),
      slide: wrap('mz_slide', ['string', 'number']),
      drag: wrap('mz_drag', ['string', 'number']),
      release: wrap('mz_release', ['string']),
      menu: wrap('mz_menu', ['string', 'string']),
      close: wrap('mz_close', ['string']),
      f1: wrap('mz_f1', ['string']),
      windowKey: wrap('mz_window_key', ['string', 'number']),
      mouse: wrap('mz_mouse', ['string', 'number']),
      check: wrap('mz_check', ['number']),
      forms: wrap('mz_forms', ['string']),
    };
  }

  // Runs one event in the core and shows its answer.
  function run(action, ...args) {
    acting = args[0];
    const state = core[action](...args);
    apply(state);
    return state;
  }

  // ---- the frame of a window: title bar, close box, dragging --------------------------------

  function frame(name, title) {
    const heading = el('h2', { id: `title-${name}` }, title);
    const closeBox = el('button', { type: 'button', 'aria-label': '閉じる', title: '閉じる' }, '×');
    closeBox.addEventListener('click', () => run('close', name));
    const bar = el('div', { class: 'titlebar' }, heading, closeBox);
    const section = el('section', { class: 'window', id: `win-${name}`, 'aria-labelledby': heading.id, hidden: true });
    section.append(bar);
    draggable(section, bar);
    section.addEventListener('pointerdown', () => { section.style.zIndex = ++topZ; });
    section.addEventListener('keydown', (event) => {
      if (event.key === 'F1') {
        event.preventDefault();
        run('f1', name);
      }
    });
    return { section, heading };
  }

  function draggable(section, bar) {
    let from = null;
    let offset = [0, 0];
    bar.addEventListener('pointerdown', (event) => {
      if (stacked.matches || event.target.closest('button')) return;
      from = [event.clientX - offset[0], event.clientY - offset[1]];
      bar.setPointerCapture(event.pointerId);
    });
    bar.addEventListener('pointermove', (event) => {
      if (!from) return;
      offset = [event.clientX - from[0], event.clientY - from[1]];
      section.style.transform = `translate(${offset[0]}px, ${offset[1]}px)`;
    });
    const drop = () => { from = null; };
    bar.addEventListener('pointerup', drop);
    bar.addEventListener('pointercancel', drop);
  }

  // ---- a conversion window -------------------------------------------------------------

  // A drop-down list of menu items, hidden until opened; choosing an item closes it first.
  // The keys of a menu (WAI-ARIA's menu pattern): ArrowDown and ArrowUp move between its
  // items, round at the ends, Home and End to the first and last; Escape closes it and
  // returns to its title, Tab closes it; ArrowLeft and ArrowRight go on to the menu beside it
  // in the menu bar (list.beside).
  function menuList(name, items, label) {
    const list = el('div', { class: 'menu', role: 'menu', hidden: true, 'aria-label': label });
    for (const item of items) {
      if (item.caption === '-') {
        list.append(el('hr'));
        continue;
      }
      const choice = el('button', {
        type: 'button', role: 'menuitem', tabIndex: -1, 'data-item': item.name,
      }, item.caption);
      choice.addEventListener('click', () => {
        openMenu(list, false);
        run('menu', name, item.name);
      });
      list.append(choice);
    }
    list.addEventListener('keydown', (event) => {
      const choices = menuItems(list);
      const at = choices.indexOf(document.activeElement);
      const to = { ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: choices.length - 1 }[event.key];
      if (to !== undefined) {
        event.preventDefault();
        choices[(to + choices.length) % choices.length].focus();
      } else if (event.key === 'Escape' || event.key === 'Tab') {
        if (event.key === 'Escape') event.preventDefault();
        openMenu(list, false);
        if (list.opener) list.opener.focus(); // Tab goes on from the menu's title
      } else if ((event.key === 'ArrowLeft' || event.key === 'ArrowRight') && list.beside) {
        event.preventDefault();
        list.beside(event.key === 'ArrowRight' ? 1 : -1);
      }
    });
    document.addEventListener('pointerdown', (event) => {
      if (!list.hidden && !list.contains(event.target) && event.target !== list.opener) openMenu(list, false);
    });
    return list;
  }

  function menuItems(list) {
    return [...list.querySelectorAll('[role="menuitem"]')];
  }

  // Opens or closes a menu; an opened one takes the focus to its first (or last) item.
  function openMenu(list, open, last = false) {
    list.hidden = !open;
    if (list.opener) list.opener.setAttribute('aria-expanded', String(open));
    if (!open) return;
    const choices = menuItems(list);
    choices[last ? choices.length - 1 : 0].focus();
  }

  // The window's menu bar, a landmark named after the window. One of its titles is a tab stop;
  // ArrowLeft and ArrowRight move between them, round at the ends, Home and End to the first
  // and last; ArrowDown (or Enter, Space, a click) opens a title's menu at its first item,
  // ArrowUp at its last.
  function menuBar(name, menus, windowName) {
    const row = el('div', { role: 'menubar', 'aria-label': windowName });
    const bar = el('nav', { class: 'menubar', 'aria-label': `${windowName}のメニュー` }, row);
    const titles = [];
    const lists = [];
    const closeAll = () => lists.forEach((list) => { if (!list.hidden) openMenu(list, false); });
    // The title last used is the bar's tab stop.
    const rove = (title) => titles.forEach((each) => { each.tabIndex = each === title ? 0 : -1; });
    // Focuses the title at `index` (round), opening its menu when `open` and it has one.
    const go = (index, open) => {
      const title = titles[(index + titles.length) % titles.length];
      rove(title);
      closeAll();
      if (open && title.list) openMenu(title.list, true);
      else title.focus();
    };
    for (const entry of menus) {
      const title = el('button', { type: 'button', role: 'menuitem', tabIndex: titles.length ? -1 : 0 }, entry.caption);
      titles.push(title);
      const holder = el('div', { role: 'none' }, title);
      row.append(holder);
      title.addEventListener('click', () => rove(title));
      if (!entry.items) {
        title.addEventListener('click', () => run('menu', name, entry.name));
        continue;
      }
      const list = menuList(name, entry.items, entry.caption);
      list.opener = title;
      title.list = list;
      lists.push(list);
      title.setAttribute('aria-haspopup', 'menu');
      title.setAttribute('aria-expanded', 'false');
      title.addEventListener('click', () => {
        const open = list.hidden;
        closeAll();
        if (open) openMenu(list, true);
      });
      list.beside = (step) => go(titles.indexOf(title) + step, true);
      holder.append(list);
    }
    row.addEventListener('keydown', (event) => {
      const at = titles.indexOf(event.target);
      if (at < 0) return; // a key in an open menu: the menu's own
      const title = titles[at];
      const to = { ArrowRight: at + 1, ArrowLeft: at - 1, Home: 0, End: titles.length - 1 }[event.key];
      if (to !== undefined) {
        event.preventDefault();
        go(to, false);
      } else if ((event.key === 'ArrowDown' || event.key === 'ArrowUp') && title.list) {
        event.preventDefault();
        closeAll();
        openMenu(title.list, true, event.key === 'ArrowUp');
      }
    });
    return bar;
  }

  // The window's background: a left button switches the size mode, the right one asks for
  // the pop-up menu, as on the desktop. Captions and frame boxes are background too.
  function backgroundEvents(name, section, client, popup) {
    const isBackground = (target) => target === client || target.matches('.caption, .box, .box span');
    client.addEventListener('pointerdown', (event) => {
      if (event.button === 0 && event.isPrimary && event.pointerType === 'mouse' && isBackground(event.target)) {
        run('mouse', name, 1);
      }
    });
    client.addEventListener('contextmenu', (event) => {
      if (!isBackground(event.target)) return;
      event.preventDefault();
      const frame = section.getBoundingClientRect();
      popup.style.left = `${event.clientX - frame.left}px`;
      popup.style.top = `${event.clientY - frame.top}px`;
      run('mouse', name, 2);
    });
  }

  function buttonName(button) {
    if (button.role === 'range') return `目盛りを ${button.caption} にする`;
    if (button.role === 'help') return 'ヘルプを開く';
    return button.caption;
  }

  function buildWindow(row) {
    const name = row.name;
    const layout = layouts.get(name) || core.layout(name);
    layouts.delete(name);
    const { section, heading } = frame(name, row.title);
    section.append(menuBar(name, layout.menus, row.title.replace(/^.*－/, '')));
    // The controls come first in the page, so that Tab runs through them before the menus,
    // which the style shows above them.
    const client = el('div', { class: 'client' });
    section.prepend(client);
    const note = noteLine(name);
    client.after(note);
    const popup = menuList(name, layout.popup.items, 'ポップアップメニュー');
    popup.classList.add('popup');
    section.append(popup);
    backgroundEvents(name, section, client, popup);

    const boxes = new Map();
    for (const box of layout.boxes) {
      boxes.set(box.name, box.rect);
      client.append(place(el('div', { class: 'box', 'aria-hidden': 'true' }, el('span', {}, box.caption)), box.rect));
    }
    const at = (box) => (box && boxes.has(box) ? boxes.get(box).slice(0, 2) : [0, 0]);

    // Fields and the gauge in the window's tab order; the page's order is the tab order.
    const stops = layout.fields.map((field, index) => ({ tab: field.tab, kind: 'field', field, index }));
    for (const slider of layout.sliders) stops.push({ tab: slider.tab, kind: 'slider', slider });
    stops.sort((a, b) => a.tab - b.tab);

    const fields = [];
    let slider = null;
    let lastBox = '';
    for (const stop of stops) {
      if (stop.kind === 'slider') {
        slider = place(el('input', { type: 'range', id: `${name}-${stop.slider.name}`, class: 'gauge' }), stop.slider.rect);
        sliderEvents(name, slider);
        client.append(slider);
        continue;
      }
      const { field, index } = stop;
      if (field.box !== lastBox && field.box) {
        const box = layout.boxes.find((each) => each.name === field.box);
        client.append(el('div', { class: 'boxhead', 'aria-hidden': 'true' }, box ? box.caption : ''));
      }
      lastBox = field.box;
      const id = `${name}-${field.name}`;
      const input = place(el('input', {
        type: 'text', id, inputMode: 'decimal', enterKeyHint: 'enter', autocomplete: 'off', spellcheck: false,
        'data-window': name, 'data-field': field.name, readOnly: !field.typing,
      }), field.rect, at(field.box));
      input.setAttribute('autocorrect', 'off');
      input.setAttribute('autocapitalize', 'off');
      const label = place(el('label', { for: id }, field.label), field.labelRect, at(field.box));
      clearance(label, field, layout.fields, at(field.box));
      if (field.words) input.setAttribute('aria-label', `${field.shown} ${field.words}`);
      // What the field shows while nobody edits it, over its own text (see fit).
      input.shown = place(el('div', { class: 'shown', 'aria-hidden': 'true', hidden: true }, el('span')),
        field.rect, at(field.box));
      if (field.typing) fieldEvents(name, index, input);
      fitEvents(input);
      client.append(el('div', { class: 'unit' }, label, input, input.shown));
      fields.push(input);
    }
    fields.sort((a, b) => layout.fields.findIndex((f) => f.name === a.dataset.field)
      - layout.fields.findIndex((f) => f.name === b.dataset.field));

    const captions = layout.labels.map((label) => {
      const caption = place(el('div', { class: 'caption', id: `${name}-${label.name}` }), label.rect);
      if (label.points10 > 0) caption.style.fontSize = `${label.points10 / 10}pt`;
      // A caption whose box holds two lines of its letters runs on to the second, as a note does.
      const points = label.points10 > 0 ? label.points10 / 10 : CAPTION_POINTS;
      if (label.rect[3] >= 2 * CAPTION_LINE * points * TWIPS_PER_POINT) caption.classList.add('lines');
      client.append(caption);
      return caption;
    });
    const buttonRow = el('div', { class: 'buttons' });
    const buttons = layout.buttons.map((button) => {
      const node = place(el('button', {
        type: 'button', id: `${name}-${button.name}`, class: button.bold ? 'bold' : '', 'aria-label': buttonName(button),
      }, button.caption), button.rect, at(button.box));
      node.addEventListener('click', () => run('click', name, button.name));
      buttonRow.append(node);
      return node;
    });
    client.append(buttonRow);

    desk.append(section);
    const view = {
      name, kind: 'window', section, heading, client, note, fields, buttons, captions, slider, popup, layout, size: null,
      widening: 1,
    };
    widenable(view);
    return view;
  }

  // A field's caption ends above the field, lifted as far as the field above it (or the top)
  // where its line would reach into the field; the style places it from these.
  function clearance(label, field, fields, offset) {
    const [left, , width] = field.labelRect;
    let free = 0;
    for (const other of fields) {
      const [otherLeft, otherTop, otherWidth, otherHeight] = other.rect;
      const across = otherLeft < left + width && otherLeft + otherWidth > left;
      if (other.box === field.box && otherTop < field.rect[1] && across) {
        free = Math.max(free, otherTop + otherHeight);
      }
    }
    label.style.setProperty('--free', free + offset[1]);
    label.style.setProperty('--field', field.rect[1] + offset[1]);
  }

  function fieldEvents(name, index, input) {
    // The text typed is handed to the core once: by its input event, or else by the Enter.
    input.addEventListener('input', () => {
      run('type', name, index, input.value);
      input.sent = input.value;
    });
    input.addEventListener('keydown', (event) => {
      if (event.key !== 'Enter' || event.isComposing) return; // Enter that ends an input method's text is its own
      event.preventDefault();
      if (input.sent !== input.value) run('type', name, index, input.value);
      input.sent = undefined;
      run('key', name, index, ENTER);
      // What was typed is taken: the field shows it as every other field shows its number
      // until the user edits again.
      input.entered = true;
      fit(input);
    });
    input.addEventListener('click', () => run('clickField', name, index));
  }

  // Being edited, a field shows its own text; left, or after Enter until the next key (a
  // modifier alone aside), press or input method text, its text is fitted again.
  const MODIFIERS = new Set(['Shift', 'Control', 'Alt', 'AltGraph', 'Meta', 'CapsLock', 'NumLock', 'Enter']);
  function fitEvents(input) {
    const edit = () => {
      input.entered = false;
      fit(input);
    };
    input.addEventListener('focus', edit);
    input.addEventListener('blur', edit);
    input.addEventListener('pointerdown', edit);
    input.addEventListener('compositionstart', edit);
    input.addEventListener('beforeinput', () => { if (input.entered) edit(); }); // a phone's keyboard
    input.addEventListener('keydown', (event) => { if (input.entered && !MODIFIERS.has(event.key)) edit(); });
  }

  function sliderEvents(name, slider) {
    let dragging = false;
    slider.addEventListener('input', () => {
      dragging = true;
      run('drag', name, Number(slider.value));
    });
    slider.addEventListener('change', () => {
      if (dragging) run('release', name);
      dragging = false;
    });
    // Arrow keys and page keys move the gauge by the window's own steps.
    slider.addEventListener('keydown', (event) => {
      const state = views.get(name).gauge;
      if (!state) return;
      const steps = {
        ArrowRight: state.small, ArrowUp: state.small, ArrowLeft: -state.small, ArrowDown: -state.small,
        PageUp: state.large, PageDown: -state.large,
      };
      let target = null;
      if (event.key in steps) target = state.value + steps[event.key];
      else if (event.key === 'Home') target = state.min;
      else if (event.key === 'End') target = state.max;
      if (target === null) return;
      event.preventDefault();
      run('slide', name, target);
    });
  }

  // Draws a window's state where it differs from what the window shows: the core tells only
  // the windows an event changed, and of those the page touches only the fields, buttons and
  // captions whose state changed.
  function showWindow(view, state) {
    if (view.heading.textContent !== state.title) view.heading.textContent = state.title;
    if (view.section.hidden !== !state.visible) view.section.hidden = !state.visible;
    state.fields.forEach((field, index) => {
      const input = view.fields[index];
      const known = input.tip;
      if (known && known.text === field.text && known.note === field.note && known.colour === field.colour &&
        known.tip === field.tip) return;
      if (input.value !== field.text) {
        input.value = field.text;
        if (document.activeElement !== input) input.setSelectionRange(0, 0);
      }
      input.tip = field;
      if (!known || known.note !== field.note) input.classList.toggle('note', field.note !== '');
      if (!known || known.colour !== field.colour) input.style.backgroundColor = field.colour;
      input.fitted = -1; // fitted again when the window shows
      view.stale = true;
    });
    state.buttons.forEach((button, index) => {
      const node = view.buttons[index];
      const known = node.known;
      if (known && known.colour === button.colour && known.highlight === button.highlight) return;
      node.known = button;
      node.style.backgroundColor = button.colour;
      node.classList.toggle('highlight', button.highlight);
      if (view.layout.buttons[index].role === 'range') node.setAttribute('aria-pressed', button.highlight);
    });
    state.labels.forEach((caption, index) => {
      if (view.captions[index].textContent !== caption) view.captions[index].textContent = caption;
    });
    const gauge = view.gauge;
    if (view.slider && state.slider && (!gauge || gauge.min !== state.slider.min || gauge.max !== state.slider.max ||
      gauge.value !== state.slider.value || view.gaugeLabels !== state.labels.join('\n'))) {
      const { min, max, value } = state.slider;
      Object.assign(view.slider, { min, max });
      view.slider.value = value;
      view.slider.setAttribute('aria-label', `目盛り ${state.labels[0] || ''} から ${state.labels[1] || ''}`.replace(/\s+/g, ' '));
      view.slider.setAttribute('aria-valuetext', `位置 ${value} (最大 ${max})`);
      view.gaugeLabels = state.labels.join('\n');
    }
    view.gauge = state.slider || null;
    if (!view.size || view.size[0] !== state.size[0] || view.size[1] !== state.size[1]) {
      view.size = state.size;
      resize(view);
    }
    view.reset = state.reset;
    showNote(view, state);
  }

  // ---- the window's note -----------------------------------------------------------------

  // A line under the client area that tells what the last Enter did with the typed text:
  // read in part or not at all, or another value put in its place. A live region, so that a
  // screen reader says it; empty, and without room, while there is none.
  function noteLine(name) {
    return el('p', { class: 'windownote', id: `${name}-note`, role: 'status', 'aria-live': 'polite' });
  }

  // The note of the window's state; while it stands, the field typed into is invalid and
  // described by it.
  function showNote(view, state) {
    if (view.note.textContent !== state.windowNote) view.note.textContent = state.windowNote;
    if (view.noteField === state.noteField) return;
    view.noteField = state.noteField;
    view.fields.forEach((input, index) => {
      if (index === state.noteField) {
        input.setAttribute('aria-invalid', 'true');
        input.setAttribute('aria-describedby', view.note.id);
      } else if (input.hasAttribute('aria-invalid')) {
        input.removeAttribute('aria-invalid');
        input.removeAttribute('aria-describedby');
      }
    });
  }

  // ---- a number wider than its field ---------------------------------------------------------

  // A text wider than its field, while nobody edits the field, is drawn over the field's own
  // (then transparent) text: in a smaller size of the field's font, half a point at a time, a
  // point smaller at most (pt grow with the page's zoom as px do); a number that does not fit
  // even then rounded to the digits that fit a point smaller (the core's forms of it), in the
  // largest of those sizes that holds them, marked in the field's corner where its value is
  // not the number's; any other text ending in "…". The field's value, its tooltip, its copy
  // and what a screen reader reads stay the whole text.
  const SHRINK_POINTS = 1;
  const POINTS_PER_PIXEL = 0.75;
  const ruler = document.createElement('canvas').getContext('2d');
  const advances = new Map(); // font -> (character -> its advance in px)
  let fitAge = 0; // a new age when the fields' room or font may have changed

  // The fields' texts (digits, signs, kanji and kana) are not kerned: a text is as wide as
  // its characters, each measured once for each font.
  function textWidth(text, points, [style, weight, family]) {
    const font = `${style} ${weight} ${points}pt ${family}`;
    let known = advances.get(font);
    if (!known) {
      known = new Map();
      advances.set(font, known);
    }
    let width = 0;
    for (const character of text) {
      let advance = known.get(character);
      if (advance === undefined) {
        ruler.font = font;
        advance = ruler.measureText(character).width;
        known.set(character, advance);
      }
      width += advance;
    }
    return width;
  }

  // The field's font and the width of its content box, read once for each layout; null while
  // the field is not laid out (its window hidden).
  function room(input) {
    if (input.room && input.room.age === fitAge) return input.room;
    const style = getComputedStyle(input);
    const width = input.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
    input.room = width > 0 ? {
      age: fitAge, width, points: parseFloat(style.fontSize) * POINTS_PER_PIXEL,
      font: [style.fontStyle, style.fontWeight, style.fontFamily],
    } : null;
    return input.room;
  }

  // Whether the window's fields are laid out: a phone lays out the chosen window alone.
  function shows(view) {
    return !view.section.hidden && (!phone.matches || view.name === chosen);
  }

  // What a field shows of `text` in `place`: { text, points, rounded, digits, cut }; digits,
  // the significant digits of a form of the number, as the core counts them ("0.00011" of
  // 0.000109996 holds 5: it is the number rounded at its fifth digit).
  function shownText(input, text, place) {
    const sizes = [0, 0.5, 1].filter((less) => less <= SHRINK_POINTS).map((less) => place.points - less);
    const fits = (line, points) => textWidth(line, points, place.font) <= place.width;
    const whole = sizes.find((points) => fits(text, points));
    if (whole !== undefined) return { text, points: whole };
    if (!input.forms || input.forms.of !== text) input.forms = { of: text, list: core.forms(text) };
    const smallest = sizes[sizes.length - 1];
    const form = input.forms.list.find((each) => fits(each.text, smallest));
    if (form) {
      const points = sizes.find((size) => fits(form.text, size));
      return { text: form.text, points, rounded: form.rounded, digits: form.digits };
    }
    return { text, points: smallest, cut: true };
  }

  function fit(input) {
    if (!input.tip) return; // not shown yet
    const { note, tip } = input.tip;
    const place = room(input);
    const editing = document.activeElement === input && !input.entered;
    const shown = place && !editing ? shownText(input, input.value, place) : null;
    const over = shown !== null && (shown.points !== place.points || shown.text !== input.value);
    input.fitted = place ? fitAge : -1;
    input.classList.toggle('overlaid', Boolean(over));
    input.shown.hidden = !over;
    if (over) {
      input.shown.style.fontSize = `${shown.points}pt`;
      input.shown.firstChild.textContent = shown.text;
      input.shown.classList.toggle('rounded', Boolean(shown.rounded));
      input.shown.dataset.digits = shown.digits || '';
      input.shown.classList.toggle('note', note !== '');
    }
    input.title = note && over ? `${note}\n${tip}` : note || tip;
  }

  // The fields of the windows that show whose text or room has changed since they were
  // fitted. Their rooms are read first, all before any is fitted: one layout for the page.
  // A window's `stale` mark says that some of its fields may need fitting.
  function refit() {
    const stale = [];
    for (const view of views.values()) {
      if (!view.fields || !view.stale || !shows(view)) continue;
      view.stale = false;
      for (const input of view.fields) if (input.fitted !== fitAge && input.tip) stale.push(input);
    }
    const unknown = stale.filter((input) => !input.room || input.room.age !== fitAge);
    for (const input of unknown) room(input);
    for (const input of stale) {
      fit(input);
      if (input.fitted !== fitAge) views.get(input.dataset.window).stale = true; // not laid out yet
    }
  }

  // The page's layout or font changed: every field is fitted again.
  function refitAll() {
    fitAge += 1;
    for (const view of views.values()) view.stale = true;
    refit();
  }

  // The client area of the window's size mode, as much wider as its user made it; what lies
  // outside it is no tab stop. Fields that get another width are fitted again.
  function resize(view) {
    const width = view.size[0] - catalog.frame.width;
    const height = view.size[1] - catalog.frame.height;
    const widened = widenedWidth(view);
    const widen = widened / designedWidth(view);
    view.client.style.width = `${widened}px`;
    view.client.style.height = `${height / TWIPS_PER_PIXEL}px`;
    if (view.widen !== widen) {
      view.widen = widen;
      view.client.style.setProperty('--widen', widen);
      for (const input of view.fields) {
        input.room = null; // measured again
        input.fitted = -1;
      }
      view.stale = true;
    }
    for (const control of view.client.querySelectorAll('input, button')) {
      const [left, top] = control.dataset.rect.split(',').map(Number);
      const seen = left < width && top < height;
      control.tabIndex = seen || stacked.matches ? 0 : -1;
    }
  }

  // ---- a window that widens -----------------------------------------------------------------

  // On a wide screen a window's right edge widens it, from its size mode's width up to three
  // times that or the page's width; its height stays. Its fields, captions, gauge and buttons
  // spread with it (style.css: --widen), and its fields are fitted to their new room. The
  // window keeps the widening, also through a change of size mode, while the page is open;
  // it is stored nowhere.
  const MOST_WIDENING = 3;

  // The client width in px that the window's size mode gives, and that and its widening give.
  function designedWidth(view) {
    return (view.size[0] - catalog.frame.width) / TWIPS_PER_PIXEL;
  }

  function widenedWidth(view) {
    const designed = designedWidth(view);
    if (view.widening <= 1) return designed; // no layout read while the windows are made
    const style = getComputedStyle(desk);
    const room = desk.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight) - 2; // borders
    const widest = Math.max(designed, Math.min(designed * MOST_WIDENING, room));
    return Math.min(Math.max(designed * view.widening, designed), widest);
  }

  function widenable(view) {
    const grip = el('div', { class: 'grip', 'aria-hidden': 'true' });
    view.section.append(grip);
    let from = null;
    grip.addEventListener('pointerdown', (event) => {
      if (stacked.matches || !view.size || event.button !== 0) return;
      event.preventDefault();
      from = { x: event.clientX, width: widenedWidth(view) };
      grip.setPointerCapture(event.pointerId);
    });
    grip.addEventListener('pointermove', (event) => {
      if (!from) return;
      const designed = designedWidth(view);
      view.widening = (from.width + event.clientX - from.x) / designed;
      view.widening = widenedWidth(view) / designed; // within its bounds
      resize(view);
      refit();
    });
    const drop = () => { from = null; };
    grip.addEventListener('pointerup', drop);
    grip.addEventListener('pointercancel', drop);
  }

  // ---- the settings window --------------------------------------------------------------

  function buildSettings() {
    const layout = core.layout('config');
    const { section, heading } = frame('config', catalog.config.title);
    const client = el('div', { class: 'client settings' });
    const [width, height] = catalog.config.size;
    client.style.width = `${(width - catalog.frame.width) / TWIPS_PER_PIXEL}px`;
    client.style.height = `${(height - catalog.frame.height + catalog.frame.menuBar) / TWIPS_PER_PIXEL}px`;
    section.prepend(client);
    const boxes = new Map();
    for (const label of layout.labels) client.append(place(el('div', { class: 'caption' }, label.caption), label.rect));
    for (const box of layout.boxes) {
      boxes.set(box.name, box.rect);
      client.append(place(el('div', { class: 'box', 'aria-hidden': 'true' }, el('span', {}, box.caption)), box.rect));
      client.append(el('div', { class: 'boxhead' }, box.caption));
    }
    const at = (box) => (box && boxes.has(box) ? boxes.get(box).slice(0, 2) : [0, 0]);
    const checks = layout.checks.map((check) => {
      const input = el('input', { type: 'checkbox', id: `config-check${check.index}`, 'data-index': check.index });
      input.addEventListener('click', () => run('check', check.index));
      client.append(place(el('label', { class: 'check' }, input, check.caption), check.rect, at(check.box)));
      return input;
    });
    const hint = el('p', { class: 'hint caption', role: 'status' });
    // Under the check boxes, above the buttons.
    client.append(place(hint, [240, 1860, 3135, 255], at(layout.boxes.length ? layout.boxes[0].name : '')));
    const row = el('div', { class: 'buttons' });
    for (const button of layout.buttons) {
      const node = place(el('button', {
        type: 'button', id: `config-${button.name}`, 'aria-label': buttonName(button),
      }, button.caption), button.rect, at(button.box));
      node.style.backgroundColor = button.colour;
      node.addEventListener('click', () => run('click', 'config', button.name));
      row.append(node);
    }
    client.append(row);
    section.addEventListener('keydown', (event) => {
      if (event.key === 'Escape') run('windowKey', 'config', 27);
    });
    desk.prepend(section);
    return { name: 'config', kind: 'settings', section, heading, checks, hint };
  }

  function showSettings(view, state) {
    view.section.hidden = !state.visible;
    state.checks.forEach((value, index) => {
      view.checks[index].checked = value !== 0;
      view.checks[index].indeterminate = value === 2;
    });
    view.hint.textContent = state.hint ? catalog.config.hint : '';
  }

  // ---- what the core answered --------------------------------------------------------------

  function viewOf(name) {
    if (!views.has(name)) {
      const row = catalog.windows.find((each) => each.name === name);
      views.set(name, name === 'config' ? buildSettings() : buildWindow(row));
      marked = undefined;
    }
    return views.get(name);
  }

  function cue(view) {
    const targets = [view.section, ...(view.reset || []).map((index) => view.fields[index])];
    for (const target of targets) {
      const kind = target === view.section ? 'cue' : 'flash';
      target.classList.remove(kind);
      void target.offsetWidth; // starts the animation again
      target.classList.add(kind);
      target.addEventListener('animationend', () => target.classList.remove(kind), { once: true });
    }
  }

  function openHelp(topic) {
    const topics = self.mezuraHelpTopics || {};
    const page = topics[topic] || topics[catalog.commonHelpTopic] || 'contents.html';
    window.open(`help/${page}`, 'mezura-help');
  }

  function message(text) {
    document.getElementById('message-text').textContent = text;
    document.getElementById('message').hidden = false;
    document.getElementById('message-ok').focus();
  }

  function apply(state) {
    const settingsBefore = settingsShown();
    const openBefore = openWindows();
    for (const [name, windowState] of Object.entries(state.windows)) {
      if (!windowState.visible && !views.has(name)) continue; // built when it first shows
      const view = viewOf(name);
      if (view.kind === 'settings') showSettings(view, windowState);
      else showWindow(view, windowState);
    }
    if (state.cfg !== undefined) store(state.cfg);
    for (const name of state.beeps) if (views.has(name)) cue(views.get(name));
    for (const topic of state.help) openHelp(topic);
    if (state.popup && views.has(state.popup)) {
      const { popup } = views.get(state.popup);
      openMenu(popup, true);
    }
    if (state.errors.length) message(state.errors.map((error) => error.message).join('\n'));
    if (state.front && views.has(state.front)) {
      chosen = state.front;
      const section = views.get(state.front).section;
      section.style.zIndex = ++topZ;
      if (!phone.matches) section.scrollIntoView({ block: 'nearest' });
    }
    // The settings window asked for in a window takes the focus to its first check box, and
    // gives it back when it hides.
    const asked = !settingsBefore && settingsShown() && acting !== null && acting !== 'config';
    if (asked) cameFrom = acting;
    const field = settingsBefore && !settingsShown() && !state.ended ? leaveSettings(openBefore) : null;
    choose();
    if (field) field.focus();
    else if (asked) views.get('config').checks[0].focus();
    if (state.ended) end();
  }

  // ---- where the user left, and the end --------------------------------------------------

  function settingsShown() {
    return views.has('config') && !views.get('config').section.hidden;
  }

  // The conversion windows that show, in the order of the menus.
  function openWindows() {
    return catalog.windows.map((row) => row.name).filter((name) => views.has(name) && !views.get(name).section.hidden);
  }

  // Every start shows the settings window in front of the windows chosen; a phone opens on the
  // one of them it showed last, or else the first, the settings window a choice in its list.
  function startWhereLeft() {
    const open = openWindows();
    if (!open.length) return;
    const last = stored(SHOWN_KEY);
    chosen = open.includes(last) ? last : open[0];
    choose();
  }

  // The settings window hidden by OK, cancel or a key: the first window that OK opened, or else
  // the one the settings were asked for in, or the first that shows, is chosen; answers its
  // first field, which takes the focus.
  function leaveSettings(openBefore) {
    const open = openWindows();
    const target = open.find((name) => !openBefore.includes(name)) || (open.includes(cameFrom) ? cameFrom : open[0]);
    if (!target) return null;
    chosen = target;
    return views.get(target).client.querySelector('input[data-field]:not([tabindex="-1"])');
  }

  // The program has ended: no window stays, the page says so and offers to start again.
  function end() {
    desk.hidden = true;
    picker.closest('.picker').hidden = true;
    document.getElementById('ended').hidden = false;
    document.getElementById('restart').focus();
  }

  // The phone's list of the windows that show, and the one it shows.
  // The list is made again only when another set of windows shows (or one is named anew).
  let listed = '';
  let marked; // the window marked chosen; undefined when a window was made since
  let shownStored = null;
  function choose() {
    const shown = [...views.values()].filter((view) => !view.section.hidden);
    if (!shown.some((view) => view.name === chosen) && shown.length) chosen = shown[shown.length - 1].name;
    const names = shown.map((view) => [view.name, view.heading.textContent.replace(/^.*－/, '')]);
    const list = names.join('\n');
    if (list !== listed) {
      listed = list;
      picker.replaceChildren(...names.map(([value, caption]) => el('option', { value }, caption)));
    }
    if (picker.value !== (chosen || '')) picker.value = chosen || '';
    if (phone.matches && chosen && chosen !== 'config' && shownStored !== chosen) {
      shownStored = chosen;
      store(chosen, SHOWN_KEY);
    }
    if (marked !== chosen) {
      marked = chosen;
      for (const view of views.values()) view.section.classList.toggle('chosen', view.name === chosen);
    }
    refit();
  }

  picker.addEventListener('change', () => {
    chosen = picker.value;
    choose();
  });
  document.getElementById('message-ok').addEventListener('click', () => {
    document.getElementById('message').hidden = true;
  });
  document.getElementById('restart').addEventListener('click', () => window.location.reload());
  // A screen turned, or another pointer: the windows' layout changes, and every field is
  // fitted again.
  stacked.addEventListener('change', () => {
    views.forEach((view) => { if (view.size) resize(view); });
    refitAll();
  });
  phone.addEventListener('change', choose);
  // A new width of the phone's fields, or of the page's zoom: every field is fitted again.
  window.addEventListener('resize', refitAll);

  // ---- a core that does not load -----------------------------------------------------------

  // The core cannot load where the browser refuses WebAssembly (an old browser, a policy or an
  // extension that forbids compiling it) or mezura.js or mezura.wasm does not arrive: the page
  // says so, and what to do, as soon as the loading fails; past a few seconds still loading,
  // it says that it is still loading and what to do if it never ends.
  const SLOW_LOAD_MS = 4000;
  let loaded = false;

  function cannotLoad() {
    if (loaded) return;
    loaded = true;
    document.getElementById('loading').hidden = true;
    document.getElementById('failed').hidden = false;
    document.getElementById('reload').focus();
  }

  function loadCore() {
    const slow = setTimeout(() => { document.getElementById('slow').hidden = loaded; }, SLOW_LOAD_MS);
    const blocked = (event) => { if (/wasm|eval/.test(event.violatedDirective + event.blockedURI)) cannotLoad(); };
    document.addEventListener('securitypolicyviolation', blocked);
    if (typeof window.WebAssembly !== 'object' || typeof window.MezuraCore !== 'function') {
      cannotLoad();
      return new Promise(() => {});
    }
    return window.MezuraCore({ onAbort: cannotLoad }).then((module) => {
      clearTimeout(slow);
      document.removeEventListener('securitypolicyviolation', blocked);
      if (loaded) return new Promise(() => {}); // told already that it failed
      loaded = true;
      document.getElementById('slow').remove();
      return module;
    }, () => {
      clearTimeout(slow);
      cannotLoad();
      return new Promise(() => {});
    });
  }
  document.getElementById('reload').addEventListener('click', () => window.location.reload());

  // The start runs in a few short tasks, the browser free to paint and take input between
  // them: the core's first calls (its code compiled as they come), its start, then each
  // window the start shows made in its own task, and its state drawn.
  // scheduler.yield goes on as soon as the browser has done its waiting work; a timer where
  // there is none (chained timers wait 4 ms each).
  const pause = () => (self.scheduler && self.scheduler.yield ? self.scheduler.yield()
    : new Promise((resume) => { setTimeout(resume, 0); }));

  loadCore().then(async (module) => {
    core = bind(module);
    catalog = core.catalog();
    core.year(new Date().getFullYear());
    // The start makes every conversion window (the hidden ones too): made here one at a time
    // instead, each in a task of its own, their layouts kept for when they first show.
    for (const row of catalog.windows) {
      await pause();
      layouts.set(row.name, core.layout(row.name));
    }
    await pause();
    const state = core.start(stored());
    // The desktop's order: the settings window, then the conversion windows in menu order.
    const shown = catalog.windows.map((row) => row.name).filter((name) => state.windows[name] && state.windows[name].visible);
    if (state.windows.config && state.windows.config.visible) shown.unshift('config');
    for (const name of shown) {
      await pause();
      viewOf(name);
    }
    await pause();
    document.getElementById('loading').remove();
    apply(state);
    startWhereLeft();
    document.documentElement.dataset.ready = 'true';
    performance.mark('mezura-ready');
  });

  // Offline once loaded: the files are kept by a service worker where the browser allows one.
  if ('serviceWorker' in navigator && window.isSecureContext) {
    // sw.js itself past the HTTP cache at each visit: a new version of the site shows as one.
    navigator.serviceWorker.register('sw.js', { updateViaCache: 'none' }).catch(() => {});
  }
})();
