// media.js: the demo's media for its page. Every file data/files.txt names
// is fetched into the file system the program reads (/data), and before the
// first start the browser decodes the JPEG pictures (its own image decoder,
// no colour conversion, no EXIF orientation) and the sounds (Web Audio's
// decodeAudioData, at the 44100 Hz the demo's mixer runs at) for the
// program's picture decoder (BrowserJpeg.cpp) and music (WebAudio.cpp),
// which find them by the files' bytes (findByBytes). A file that cannot be
// fetched is left out: the program's loaders say what is missing when they
// look for it, as on the desktop.
'use strict';
window.DemoMedia = (() => {
  const SoundRate = 44100;
  const isPicture = name => /\.jpe?g$/i.test(name);
  const isSound = name => /\.(mp3|wav|ogg)$/i.test(name);

  async function fetchBytes(url) {
    try {
      const response = await fetch(url);
      return response.ok ? new Uint8Array(await response.arrayBuffer()) : null;
    } catch (e) {
      return null;
    }
  }

  // The bytes with every EXIF Orientation (APP1 "Exif", IFD0 tag 0x0112)
  // set to 1, in a copy: the browser turns a picture by it whatever
  // createImageBitmap is told, libjpeg on the desktop never. Reads only the
  // markers before the first scan, and nothing past the end of a damaged file.
  function upright(bytes) {
    if (bytes.length < 4 || bytes[0] !== 0xFF || bytes[1] !== 0xD8) return bytes;
    let copy = bytes, i = 2;
    for (;;) {
      while (i < bytes.length && bytes[i] !== 0xFF) ++i;  // as libjpeg, past stray bytes
      while (i < bytes.length && bytes[i] === 0xFF) ++i;  // and fill
      if (i + 2 >= bytes.length) break;
      const marker = bytes[i];
      if (marker === 0xDA || marker === 0xD9) break;
      if (marker === 0x00 || marker === 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { ++i; continue; }
      const length = bytes[i + 1] << 8 | bytes[i + 2], start = i + 3, end = i + 1 + length;
      if (length < 2 || end > bytes.length) break;
      const tiff = start + 6;  // after "Exif\0\0"
      const exif = marker === 0xE1 && end >= tiff + 8;
      if (exif && String.fromCharCode(...bytes.subarray(start, tiff)) === 'Exif\0\0') {
        const order = String.fromCharCode(bytes[tiff], bytes[tiff + 1]);
        const big = order === 'MM';
        const u16 = k => big ? bytes[k] << 8 | bytes[k + 1] : bytes[k + 1] << 8 | bytes[k];
        const u32 = k => (big ? u16(k) * 0x10000 + u16(k + 2) : u16(k + 2) * 0x10000 + u16(k));
        const ifd = tiff + u32(tiff + 4);
        if ((big || order === 'II') && u16(tiff + 2) === 42 && ifd + 2 <= end) {
          for (let n = u16(ifd), e = ifd + 2; n > 0 && e + 12 <= end; --n, e += 12) {
            // Orientation: a SHORT, its value in the entry.
            if (u16(e) !== 0x0112 || u16(e + 2) !== 3 || u32(e + 4) > 2) continue;
            if (copy === bytes) copy = bytes.slice();
            copy[e + 8] = big ? 0 : 1;
            copy[e + 9] = big ? 1 : 0;
          }
        }
      }
      i = end;
    }
    return copy;
  }

  // RGBA, top row first; no pixels when the browser cannot decode it.
  async function decodePicture(bytes) {
    try {
      const options = {colorSpaceConversion: 'none', premultiplyAlpha: 'none'};
      const bitmap = await createImageBitmap(new Blob([upright(bytes)], {type: 'image/jpeg'}), options);
      const {width, height} = bitmap;
      const context = new OffscreenCanvas(width, height).getContext('2d', {willReadFrequently: true});
      context.drawImage(bitmap, 0, 0);
      bitmap.close();
      return {bytes, width, height, pixels: context.getImageData(0, 0, width, height).data};
    } catch (e) {
      return {bytes, pixels: null};
    }
  }

  async function decodeSound(bytes) {
    try {
      const context = new OfflineAudioContext(2, 1, SoundRate);
      return {bytes, buffer: await context.decodeAudioData(bytes.slice().buffer)};
    } catch (e) {
      return {bytes, buffer: null};
    }
  }

  // Everything under `base` (a URL ending in "/") into FS's /data; sounds
  // only when `withSounds`. `progress(files done, files, bytes)` after each.
  async function load(base, FS, withSounds, progress) {
    const list = await fetchBytes(base + 'files.txt');
    const names = list ? new TextDecoder().decode(list).split('\n').map(s => s.trim()).filter(Boolean) : [];
    const pictures = [], sounds = [];
    let done = 0, bytesIn = 0;
    FS.mkdirTree('/data');
    await Promise.all(names.map(async name => {
      const bytes = await fetchBytes(base + name.split('/').map(encodeURIComponent).join('/'));
      if (bytes) {
        const slash = name.lastIndexOf('/');
        if (slash > 0) FS.mkdirTree('/data/' + name.slice(0, slash));
        FS.writeFile('/data/' + name, bytes);
        bytesIn += bytes.length;
        if (isPicture(name)) pictures.push(await decodePicture(bytes));
        else if (isSound(name) && withSounds) sounds.push(await decodeSound(bytes));
      }
      progress(++done, names.length, bytesIn);
    }));
    return {pictures, sounds, files: names.length, bytes: bytesIn};
  }

  // The index of the entry (a picture or a sound) made from these bytes, or -1.
  function findByBytes(entries, bytes) {
    search: for (let i = 0; i < entries.length; ++i) {
      const e = entries[i];
      if (e.bytes.length !== bytes.length) continue;
      for (let k = 0; k < bytes.length; ++k)
        if (e.bytes[k] !== bytes[k]) continue search;
      return i;
    }
    return -1;
  }

  return {load, findByBytes};
})();
