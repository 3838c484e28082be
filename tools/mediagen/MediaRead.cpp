#include "tools/mediagen/MediaRead.h"

#include <jpeglib.h>
#include <lame/lame.h>

#include <csetjmp>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

std::vector<std::uint8_t> Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

unsigned U16(const std::vector<std::uint8_t>& b, std::size_t at) { return b[at] | b[at + 1] << 8; }
std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

struct TJpegError {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
};
void OnJpegError(j_common_ptr info) { std::longjmp(reinterpret_cast<TJpegError*>(info->err)->Jump, 1); }

}  // namespace

TRgbImage ReadJpeg(const std::string& path) {
  const std::vector<std::uint8_t> bytes = Bytes(path);
  jpeg_decompress_struct info;
  TJpegError err;
  info.err = jpeg_std_error(&err.Manager);
  err.Manager.error_exit = OnJpegError;
  if (setjmp(err.Jump)) {
    jpeg_destroy_decompress(&info);
    throw std::runtime_error("not a JPEG: " + path);
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  TRgbImage img{static_cast<int>(info.output_width), static_cast<int>(info.output_height), {}};
  img.Pixels.resize(static_cast<std::size_t>(img.Width) * img.Height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = &img.Pixels[static_cast<std::size_t>(info.output_scanline) * img.Width * 3];
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return img;
}

TRgbaImage ReadTga(const std::string& path) {
  const std::vector<std::uint8_t> b = Bytes(path);
  if (b.size() < 18 || (b[2] != 2 && b[2] != 10) || b[16] != 32) throw std::runtime_error("not a 32-bit TGA: " + path);
  const int w = static_cast<int>(U16(b, 12)), h = static_cast<int>(U16(b, 14));
  const std::size_t count = static_cast<std::size_t>(w) * h;
  std::vector<std::uint8_t> stored;
  std::size_t at = 18 + b[0];
  while (stored.size() < count * 4) {
    if (b[2] == 2) {
      if (at + count * 4 > b.size()) throw std::runtime_error("short TGA: " + path);
      stored.assign(b.begin() + at, b.begin() + at + count * 4);
      break;
    }
    if (at >= b.size()) throw std::runtime_error("short TGA: " + path);
    const unsigned packet = b[at++], n = (packet & 0x7F) + 1;
    const std::size_t bytes = (packet & 0x80) ? 4 : 4u * n;
    if (at + bytes > b.size() || stored.size() + 4u * n > count * 4) throw std::runtime_error("bad TGA packet: " + path);
    for (unsigned k = 0; k < n; ++k)
      stored.insert(stored.end(), b.begin() + at + ((packet & 0x80) ? 0 : 4 * k), b.begin() + at + ((packet & 0x80) ? 4 : 4 * k + 4));
    at += bytes;
  }
  TRgbaImage img{w, h, std::vector<std::uint8_t>(count * 4)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint8_t* s = &stored[(static_cast<std::size_t>(h - 1 - y) * w + x) * 4];
      std::uint8_t* d = &img.Pixels[(static_cast<std::size_t>(y) * w + x) * 4];
      d[0] = s[2];
      d[1] = s[1];
      d[2] = s[0];
      d[3] = s[3];
    }
  return img;
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
