// web_test: the demo's page (build-web/) in one headless Chromium, driven
// by puppeteer-core. web_test.sh prepares what it reads:
//   node web_test.js SITE OUT FPS T1,T2,...
// SITE is the web build; OUT holds desktop/T.png (capture's stills at FPS),
// media/no-model/data, media/cut-picture/data and media/exif/data (the
// media with wombat.3ds gone, vell.jpg cut in half, and vell.jpg and
// 1-picture.jpg with an EXIF orientation), cut-picture.png (capture's still
// at 20 s on the cut one) and exif-20.png and exif-33.png (on the EXIF
// one). Differences and the page's stills go to OUT.
'use strict';
const fs = require('fs');
const path = require('path');
const puppeteer = require('puppeteer-core');
const png = require('./png.js');
const {serve} = require('../../tools/webserve.js');

const [site, out, fpsText, timesText] = process.argv.slice(2);
const fps = Number(fpsText), times = timesText.split(',');
// Mean absolute difference a channel (of 255) a still may have from the
// desktop's: SwiftShader and llvmpipe rasterize lines and edges apiece
// (measured at most 0.67, the hairy wombat); a frame early or late moves
// every moving scene by 3.3 or more.
const Tolerance = 1.5;
const ChromiumFlags = [
  '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
  '--autoplay-policy=no-user-gesture-required',
];

let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures += 1;
}

// The test's media variants beside the site, under /test-media/.
function testMedia(urlPath) {
  if (!urlPath.startsWith('/test-media/')) return undefined;
  const file = path.join(out, 'media', path.normalize(urlPath.slice('/test-media/'.length)));
  return fs.existsSync(file) ? fs.readFileSync(file) : null;
}

async function openPage(browser, base, query, {width = 800, height = 600, before} = {}) {
  const page = await browser.newPage();
  await page.setViewport({width, height, deviceScaleFactor: 1});
  const problems = [];
  page.on('console', m => m.type() === 'error' && problems.push('console: ' + m.text()));
  page.on('pageerror', e => problems.push('page error: ' + e.message));
  page.on('requestfailed', r => problems.push('request failed: ' + r.url()));
  if (before) await page.evaluateOnNewDocument(before);
  await page.goto(base + query);
  return {page, problems};
}

const phase = (page, wanted, timeout) =>
  page.waitForFunction(w => w.includes(window.demoPage.phase), {timeout, polling: 100}, wanted);
const record = page => page.evaluate(() => ({...window.demoPage, stills: undefined}));

async function still(page, time) {
  const b64 = await page.evaluate(t => {
    const s = window.demoPage.stills[t];
    if (!s) return null;
    let text = '';
    for (let i = 0; i < s.rgba.length; i += 0x8000) text += String.fromCharCode.apply(null, s.rgba.subarray(i, i + 0x8000));
    return {width: s.width, height: s.height, data: btoa(text)};
  }, time);
  return b64 && {width: b64.width, height: b64.height, rgba: Buffer.from(b64.data, 'base64')};
}

// Mean absolute difference a channel, RGB, of an RGBA frame against an RGB
// picture of its size; writes both and their difference (times 8) to OUT.
function compare(frame, picture, name) {
  const n = frame.width * frame.height, sums = [0, 0, 0];
  const web = Buffer.alloc(n * 3), diff = Buffer.alloc(n * 3);
  for (let i = 0; i < n; ++i)
    for (let c = 0; c < 3; ++c) {
      const d = Math.abs(frame.rgba[i * 4 + c] - picture.pixels[i * 3 + c]);
      sums[c] += d;
      web[i * 3 + c] = frame.rgba[i * 4 + c];
      diff[i * 3 + c] = Math.min(255, d * 8);
    }
  const image = pixels => png.encode({width: frame.width, height: frame.height, channels: 3, pixels});
  fs.writeFileSync(path.join(out, `web-${name}.png`), image(web));
  fs.writeFileSync(path.join(out, `diff-${name}.png`), image(diff));
  return sums.map(s => s / n);
}

function sameAsDesktop(frame, file, name) {
  const picture = png.decode(fs.readFileSync(file));
  if (!frame || frame.width !== picture.width || frame.height !== picture.height)
    return check(false, `${name}: a ${picture.width}x${picture.height} frame`);
  const means = compare(frame, picture, name);
  check(Math.max(...means) < Tolerance,
        `${name}: mean difference from the desktop ${means.map(m => m.toFixed(3)).join(' ')} (under ${Tolerance})`);
}

async function stillsOnTheFixedClock(browser, base) {
  const {page, problems} = await openPage(browser, base, `?glcheck&fps=${fps}&t=${times.join(',')}`);
  const began = Date.now();
  await phase(page, ['holding', 'ended'], 600000);
  const r = await record(page);
  const last = Math.max(...times.map(t => Math.floor(Number(t) * fps + 1e-6)));
  console.log(`     (${r.frames} frames on the fixed clock in ${((Date.now() - began) / 1000).toFixed(1)} s)`);
  check(r.phase === 'holding' && r.frames === last + 1, `every frame from 0 to ${last} drawn, the last held`);
  for (const t of times) sameAsDesktop(await still(page, t), path.join(out, 'desktop', `${t}.png`), `${t}s`);
  check(r.messages.length === 0 && problems.length === 0,
        'no message, console error or failed request: ' + JSON.stringify([...r.messages, ...problems]));
  await page.close();
}

async function playAsAPerson(browser, base) {
  // Wider than the frame: black bars of 100 pixels either side.
  const {page, problems} = await openPage(browser, base, '?glcheck&scale=1', {width: 1000, height: 600});
  await phase(page, ['ready'], 60000);
  for (let run = 1; run <= 2; ++run) {
    await page.click('#start');
    await page.waitForFunction(() => window.demoPage.frames >= 20, {timeout: 60000});
    const a = await record(page);
    await new Promise(done => setTimeout(done, 500));
    const b = await record(page);
    check(b.time > a.time + 0.2,
          `run ${run}: the demo's time goes on (${a.time.toFixed(2)} s, then ${b.time.toFixed(2)} s)`);
    check(Math.abs(b.audioLag) < 1 / 60, `run ${run}: picture and heard music ${(b.audioLag * 1000).toFixed(2)} ms apart`);
    if (run === 1) {
      console.log(`     (click to first frame ${a.clickToFirstFrameMs.toFixed(0)} ms)`);
      const shot = png.decode(await page.screenshot({type: 'png'}));
      const at = (x, y) => {
        const i = (y * shot.width + x) * shot.channels;
        return shot.pixels.subarray(i, i + 3);
      };
      let bars = 0, picture = 0;
      for (let y = 0; y < 600; y += 10)
        for (let x = 0; x < 1000; x += 10) {
          const lit = Math.max(...at(x, y)) > 8;
          if ((x < 100 || x >= 900) && lit) bars += 1;
          if (x >= 100 && x < 900 && lit) picture += 1;
        }
      check(bars === 0 && picture > 100,
            `the 800x600 frame between black bars in a 1000x600 canvas (${bars} lit bar points)`);
    }
    await page.keyboard.press('Escape');
    await phase(page, ['ended'], 10000);
    const panel = await page.evaluate(() => !document.getElementById('panel').hidden &&
                                             !document.getElementById('start').disabled);
    check(panel, `run ${run}: Escape ends it, and the Start button is back`);
  }
  check(problems.length === 0, 'no console error or failed request: ' + JSON.stringify(problems));
  await page.close();
}

async function missingModel(browser, base) {
  const {page} = await openPage(browser, base, '?data=test-media/no-model/data/');
  await phase(page, ['ready'], 60000);
  await page.click('#start');
  await phase(page, ['ended'], 30000);
  const r = await record(page);
  const shown = await page.evaluate(() => document.getElementById('messages').textContent);
  check(r.messages.some(m => m.caption === 'Error' && m.text === 'Cannot open file wombat.3ds' && m.level === 'error') &&
        shown.includes('Cannot open file wombat.3ds') && r.frames === 0,
        'a missing model stops the demo with "Cannot open file wombat.3ds" in the page: ' + JSON.stringify(r.messages));
  await page.close();
}

async function cutPicture(browser, base) {
  const {page} = await openPage(browser, base, `?glcheck&data=test-media/cut-picture/data/&fps=${fps}&t=20`);
  await phase(page, ['holding', 'ended'], 120000);
  const r = await record(page);
  check(r.phase === 'holding' && r.messages.length === 1 && r.messages[0].caption === 'BMP Unit' &&
        r.messages[0].text === 'Couldn\'t load JPG - "vell.jpg"',
        'a cut picture is the loader\'s one message, and the demo goes on: ' + JSON.stringify(r.messages));
  sameAsDesktop(await still(page, '20'), path.join(out, 'cut-picture.png'), 'cut-picture-20s');
  await page.close();
}

// The browser turns a picture by its EXIF orientation; libjpeg does not.
async function exifOrientation(browser, base) {
  const {page} = await openPage(browser, base, `?glcheck&data=test-media/exif/data/&fps=${fps}&t=20,33`);
  await phase(page, ['holding', 'ended'], 120000);
  for (const t of ['20', '33']) sameAsDesktop(await still(page, t), path.join(out, `exif-${t}.png`), `exif-${t}s`);
  await page.close();
}

async function noWebGL2(browser, base) {
  const before = () => {
    const get = HTMLCanvasElement.prototype.getContext;
    HTMLCanvasElement.prototype.getContext = function (kind, ...rest) {
      return kind === 'webgl2' ? null : get.call(this, kind, ...rest);
    };
  };
  const {page} = await openPage(browser, base, '?mute', {before});
  await phase(page, ['ready'], 60000);
  await page.click('#start');
  await phase(page, ['ended'], 30000);
  const texts = (await record(page)).messages.map(m => m.text);
  check(texts.includes('This browser offers no WebGL 2, which the demo draws with.') &&
        texts.includes('Unable to create an OpenGL rendering context'),
        'without WebGL 2 the page says so: ' + JSON.stringify(texts));
  await page.close();
}

(async () => {
  const server = await serve(site, 0, testMedia);
  const base = `http://127.0.0.1:${server.address().port}/`;
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true, protocolTimeout: 900000,
    args: [...ChromiumFlags, `--user-data-dir=${path.join(out, 'profile')}`],
  });
  try {
    await stillsOnTheFixedClock(browser, base);
    await playAsAPerson(browser, base);
    await missingModel(browser, base);
    await cutPicture(browser, base);
    await exifOrientation(browser, base);
    await noWebGL2(browser, base);
  } catch (e) {
    check(false, 'the test ran to its end: ' + e.stack + (e.cause ? '\n' + e.cause.stack : ''));
  } finally {
    await browser.close();
    server.close();
  }
  console.log(failures ? `${failures} check(s) failed; pictures in ${out}` : 'all checks passed');
  process.exit(failures ? 1 : 0);
})();
