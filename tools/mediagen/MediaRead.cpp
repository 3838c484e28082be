#include "tools/mediagen/MediaRead.h"

#include <lame/lame.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "engine/JPGDecoder.h"
#include "engine/TGADecoder.h"

namespace {

std::vector<std::uint8_t> Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

unsigned U16(const std::vector<std::uint8_t>& b, std::size_t at) { return b[at] | b[at + 1] << 8; }
std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

// The engine's decoders give bottom row first; the contact sheet wants the
// top row first and alpha only where the file has it.
template <typename TOut>
TOut TopRowFirst(const TPixelImage& decoded, int channels) {
  TOut img{decoded.Width, decoded.Height, {}};
  img.Pixels.resize(static_cast<std::size_t>(img.Width) * img.Height * channels);
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x) {
      const std::size_t from = static_cast<std::size_t>(img.Height - 1 - y) * img.Width + x;
      const std::size_t to = static_cast<std::size_t>(y) * img.Width + x;
      std::memcpy(&img.Pixels[to * channels], &decoded.Pixels[from * decoded.Channels], channels);
    }
  return img;
}

}  // namespace

TRgbImage ReadJpeg(const std::string& path) {
  const std::vector<std::uint8_t> bytes = Bytes(path);
  TPixelImage decoded;
  if (!DecodeJPG(bytes.data(), bytes.size(), decoded)) throw std::runtime_error("not a JPEG: " + path);
  return TopRowFirst<TRgbImage>(decoded, 3);
}

TRgbaImage ReadTga(const std::string& path) {
  const std::vector<std::uint8_t> bytes = Bytes(path);
  TPixelImage decoded;
  if (DecodeTGA(bytes.data(), bytes.size(), decoded) != TTGAStatus::Ok || decoded.Channels != 4)
    throw std::runtime_error("not a 32-bit TGA: " + path);
  return TopRowFirst<TRgbaImage>(decoded, 4);
}

TBus ReadMp3(const std::string& path) {
  std::vector<std::uint8_t> bytes = Bytes(path);
  hip_t hip = hip_decode_init();
  std::vector<short> l(8192), r(8192);
  TBus out;
  mp3data_struct info{};
  for (std::size_t at = 0; at < bytes.size(); at += 4096) {
    const std::size_t n = std::min<std::size_t>(4096, bytes.size() - at);
    int got = hip_decode1_headers(hip, bytes.data() + at, n, l.data(), r.data(), &info);
    while (got > 0) {
      for (int i = 0; i < got; ++i) {
        out.L.push_back(l[i] / 32768.0f);
        out.R.push_back(r[i] / 32768.0f);
      }
      got = hip_decode1_headers(hip, nullptr, 0, l.data(), r.data(), &info);
    }
  }
  hip_decode_exit(hip);
  if (out.L.empty()) throw std::runtime_error("no music in " + path);
  return out;
}

std::vector<TReadMesh> Read3DSMeshes(const std::string& path) {
  const std::vector<std::uint8_t> b = Bytes(path);
  std::vector<TReadMesh> meshes;
  // Walks every chunk that can hold the ones wanted; skips the rest whole.
  auto walk = [&](auto& self, std::size_t at, std::size_t end, TReadMesh* mesh) -> void {
    while (at + 6 <= end) {
      const unsigned id = U16(b, at);
      const std::size_t next = at + U32(b, at + 2);
      if (next <= at || next > end) throw std::runtime_error("bad chunk in " + path);
      std::size_t data = at + 6;
      if (id == 0x4D4D || id == 0x3D3D) {
        self(self, data, next, nullptr);
      } else if (id == 0x4000) {
        std::size_t nameEnd = data;
        while (nameEnd < next && b[nameEnd]) ++nameEnd;
        TReadMesh m;
        m.Name.assign(b.begin() + data, b.begin() + nameEnd);
        self(self, nameEnd + 1, next, &m);
        if (!m.Vertices.empty()) meshes.push_back(std::move(m));
      } else if (id == 0x4100 && mesh) {
        self(self, data, next, mesh);
      } else if (id == 0x4110 && mesh) {
        const unsigned n = U16(b, data);
        for (unsigned k = 0; k < 3 * n; ++k) {
          const std::uint32_t bits = U32(b, data + 2 + 4 * k);
          float f;
          std::memcpy(&f, &bits, 4);
          mesh->Vertices.push_back(f);
        }
      } else if (id == 0x4120 && mesh) {
        const unsigned n = U16(b, data);
        for (unsigned k = 0; k < n; ++k)
          for (int c = 0; c < 3; ++c) mesh->Faces.push_back(static_cast<int>(U16(b, data + 2 + 8 * k + 2 * c)));
      }
      at = next;
    }
  };
  walk(walk, 0, b.size(), nullptr);
  return meshes;
}
