// BrowserJpeg: engine/JPGDecoder.h in a browser, through the browser's own
// JPEG decoder (there is no libjpeg here). The page decodes every .jpg of
// the media before the demo starts (media.js: createImageBitmap without
// colour conversion, read back through a 2D canvas); a decode here takes the
// pixels of the picture whose file bytes are the bytes it is given. Bytes no
// file had, or a file the browser could not decode, fail as libjpeg's
// failures do, so the loaders' messages stay. So does data whose last scan
// has no end-of-image marker after it: libjpeg's warning for a cut file is a
// failure, where the browser would show what it has.
// Mechanism: EM_JS; the pixels come from the page's table of decoded pictures.
#include "engine/JPGDecoder.h"

#include <emscripten/emscripten.h>

#include <cstring>

namespace {
// The decoded picture of a file with these bytes (its size in `width` and
// `height`), or -1.
EM_JS(int, browser_jpeg_find, (const std::uint8_t* data, std::size_t size, int* width, int* height), {
  const pictures = Module.demoPictures || [];
  const i = DemoMedia.findByBytes(pictures, HEAPU8.subarray(data, data + size));
  if (i < 0 || !pictures[i].pixels) return -1;
  HEAP32[width >> 2] = pictures[i].width;
  HEAP32[height >> 2] = pictures[i].height;
  return i;
});

// Its RGBA pixels, top row first.
EM_JS(void, browser_jpeg_copy, (int picture, std::uint8_t* out), {
  HEAPU8.set(Module.demoPictures[picture].pixels, out);
});

// An end-of-image marker after the last start of scan: entropy-coded data
// never holds 0xFF 0xD9 or 0xFF 0xDA (a 0xFF there is followed by 0x00 or
// a restart marker).
bool EndsItsLastScan(const std::uint8_t* data, std::size_t size) {
  bool ended = false, scanned = false;
  for (std::size_t i = 0; i + 1 < size; ++i) {
    if (data[i] != 0xFF) continue;
    if (data[i + 1] == 0xDA) scanned = true, ended = false;
    if (data[i + 1] == 0xD9) ended = true;
  }
  return scanned && ended;
}
}  // namespace

bool DecodeJPG(const std::uint8_t* data, std::size_t size, TPixelImage& image) {
  if (!data || size < 4 || !EndsItsLastScan(data, size)) return false;
  int width = 0, height = 0;
  const int picture = browser_jpeg_find(data, size, &width, &height);
  if (picture < 0 || !ImageSizeAllowed(width, height)) return false;
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
  std::vector<std::uint8_t> topFirst(rowBytes * height);
  browser_jpeg_copy(picture, topFirst.data());
  TPixelImage decoded;
  decoded.Width = static_cast<std::uint16_t>(width);
  decoded.Height = static_cast<std::uint16_t>(height);
  decoded.Channels = 4;
  decoded.Pixels.resize(topFirst.size());
  // The picture's bottom row first; a JPEG has no alpha.
  for (int y = 0; y < height; ++y) {
    std::uint8_t* out = decoded.Pixels.data() + static_cast<std::size_t>(height - 1 - y) * rowBytes;
    std::memcpy(out, topFirst.data() + static_cast<std::size_t>(y) * rowBytes, rowBytes);
    for (std::size_t x = 3; x < rowBytes; x += 4) out[x] = 255;
  }
  image = std::move(decoded);
  return true;
}
