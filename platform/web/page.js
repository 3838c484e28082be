// page.js: the page around the demo (index.html). Reads the options of its
// address, has media.js bring the media before the program runs, offers the
// Start button and starts the sound on its click (browsers play sound only
// after one), goes fullscreen on request (the button or F), shows every
// message the program gives (WebMessage.cpp) and keeps a record of the runs
// in window.demoPage, which the tests read.
// Options: ?scale=K (else the canvas's own resolution), ?msaa=N, ?mute,
// ?loop, ?start=SECONDS, ?pattern=N, ?audio-offset=MS, ?data=URL/ (the media), ?glcheck (GL
// errors after every frame, on the console), ?stats (frame rates on the
// console at the end), and ?t=T1,T2,...&fps=F: a run on the fixed clock,
// started without a click (it is silent), at scale 1 without samples
// unless asked, that hands the frames of those demo times to
// window.demoPage.stills and holds at the last.
// Only a program that could not run at all (onAbort) is reported here
// rather than through the program's messages.
'use strict';
(() => {
  const query = new URLSearchParams(location.search);
  const number = name => {
    const text = query.get(name);
    const value = text === null || text.trim() === '' ? NaN : Number(text);
    return Number.isFinite(value) ? value : undefined;
  };
  const flag = name => (query.has(name) && query.get(name) !== '0' ? 1 : 0);
  const stills = (query.get('t') || '').split(',').filter(s => s.trim() !== '').map(Number).filter(Number.isFinite);
  const fixedClock = stills.length > 0;
  const request = {
    scale: number('scale'), msaa: number('msaa'), mute: flag('mute'), loop: flag('loop'),
    start: number('start'), pattern: number('pattern'), fps: number('fps'), 'audio-offset': number('audio-offset'),
    stills,
  };
  let dataBase = query.get('data') || 'data/';
  if (!dataBase.endsWith('/')) dataBase += '/';

  const $ = id => document.getElementById(id);
  const stage = $('stage'), panel = $('panel'), start = $('start'), status = $('status'), list = $('messages');

  const record = window.demoPage = {
    phase: 'loading', runs: 0, frames: 0, time: NaN, audioLag: NaN, messages: [], stills: {},
    loadMs: NaN, clickToFirstFrameMs: NaN, mediaBytes: 0,
  };
  // Shared with WebAudio.cpp and WebClock.cpp.
  const audio = {context: null, open: false, heard: -Infinity, sounds: [], channels: []};
  let clickedAt = NaN;

  function message(caption, text, level) {
    record.messages.push({caption, text, level});
    const item = document.createElement('li');
    item.className = level;
    if (caption) item.appendChild(document.createElement('b')).textContent = caption;
    item.appendChild(document.createTextNode(text));
    list.appendChild(item);
    const line = caption ? caption + ': ' + text : text;
    (level === 'error' ? console.error : level === 'warning' ? console.warn : console.info)(line);
  }

  // Demo time less the music's position as heard now: the picture's lead.
  function audioLag(time) {
    const music = audio.open && audio.channels[0];
    return music ? time - (audio.heard - music.when + music.offset) : NaN;
  }

  const demoPage = {
    message,
    ready() {
      record.phase = 'ready';
      start.textContent = 'Start';
      start.disabled = false;
      if (fixedClock) begin();
    },
    started() {
      record.phase = 'running';
      record.runs += 1;
      record.frames = 0;
      panel.hidden = true;
    },
    frame(time) {
      record.frames += 1;
      record.time = time;
      record.audioLag = audioLag(time);
      if (record.frames === 1) requestAnimationFrame(() => (record.clickToFirstFrameMs = performance.now() - clickedAt));
    },
    still(time, width, height, rgba) {
      record.stills[time] = {width, height, rgba};
    },
    holding() {
      record.phase = 'holding';
    },
    ended() {
      record.phase = 'ended';
      panel.hidden = false;
      start.disabled = false;
      start.focus();
    },
  };

  const until = (test, ms) => new Promise(done => {
    const began = performance.now();
    (function poll() {
      if (test() || performance.now() - began > ms) done();
      else setTimeout(poll, 5);
    })();
  });

  // Called from the click: the context may only start inside it. The
  // program's clock reads the output timestamps, which say what is heard
  // only once sound has reached the output (the first ones say 0).
  async function startSound() {
    if (fixedClock || request.mute || !audio.sounds.some(s => s.buffer)) return;
    try {
      if (!audio.context) audio.context = new AudioContext({sampleRate: 44100, latencyHint: 'interactive'});
      await audio.context.resume();
      await until(() => audio.context.getOutputTimestamp().contextTime > 0.005, 1000);
    } catch (e) {
      // No sound: the demo runs silent on the page's own clock.
    }
  }

  async function begin() {
    if (record.phase === 'running' || record.phase === 'holding') return;
    start.disabled = true;
    clickedAt = performance.now();
    list.replaceChildren();
    record.messages = [];
    await startSound();
    Module._WebPageStart();
  }

  function toggleFullscreen() {
    if (document.fullscreenElement) return document.exitFullscreen().catch(() => {});
    stage.requestFullscreen().then(() => {
      // Escape then reaches the demo (which it ends) instead of only leaving fullscreen.
      if (navigator.keyboard && navigator.keyboard.lock) navigator.keyboard.lock(['Escape']).catch(() => {});
    }, () => {});
  }

  start.addEventListener('click', begin);
  $('fullscreen').addEventListener('click', toggleFullscreen);
  window.addEventListener('keydown', e => {
    if (e.code === 'KeyF' && !e.repeat && !e.ctrlKey && !e.altKey && !e.metaKey) toggleFullscreen();
  });

  const loadBegan = performance.now();
  window.Module = {
    canvas: $('canvas'),
    demoRequest: request,
    demoPage,
    demoAudio: audio,
    demoPictures: [],
    print: text => console.log(text),
    printErr: text => console.error(text),
    preRun: [() => {
      if (flag('glcheck')) ENV.DEMO_GL_CHECK = '1';
      if (flag('stats')) ENV.DEMO_STATS = '1';
      Module.addRunDependency('media');
      const progress = (done, files, bytes) => {
        status.textContent = `Loading ${done} of ${files} files, ${(bytes / 1048576).toFixed(1)} MB`;
      };
      DemoMedia.load(dataBase, Module.FS, !fixedClock && !request.mute, progress).then(media => {
        Module.demoPictures = media.pictures;
        audio.sounds = media.sounds;
        record.loadMs = performance.now() - loadBegan;
        record.mediaBytes = media.bytes;
        status.textContent = '';
        Module.removeRunDependency('media');
      });
    }],
    onAbort: what => message('Error', 'The demo stopped: ' + what, 'error'),
  };
})();
