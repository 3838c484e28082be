// Independent decoders for the generated media, strict about bounds.
#include "support/MediaDecode.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}
std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return U16(b, at) | static_cast<std::uint32_t>(U16(b, at + 2)) << 16;
}
float F32(const std::vector<std::uint8_t>& b, std::size_t at) {
  const std::uint32_t bits = U32(b, at);
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

namespace {

struct TJpegError {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
  char Text[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info) {
  auto* err = reinterpret_cast<TJpegError*>(info->err);
  info->err->format_message(info, err->Text);
  std::longjmp(err->Jump, 1);
}

}  // namespace

bool DecodeTga(const std::vector<std::uint8_t>& b, TDecodedImage& image, std::string& error) {
  if (b.size() < 18) return error = "short header", false;
  const int type = b[2], depth = b[16];
  if (b[1] != 0) return error = "colour map", false;
  if (type != 2 && type != 10) return error = "image type " + std::to_string(type), false;
  if (depth != 24 && depth != 32) return error = "depth " + std::to_string(depth), false;
  const int w = U16(b, 12), h = U16(b, 14), bpp = depth / 8;
  const std::size_t count = static_cast<std::size_t>(w) * h;
  std::vector<std::uint8_t> stored;  // bottom row first, as in the file
  stored.reserve(count * bpp);
  std::size_t at = 18 + b[0];
  if (type == 2) {
    if (b.size() < at + count * bpp) return error = "short pixel data", false;
    stored.assign(b.begin() + at, b.begin() + at + count * bpp);
  } else {
    while (stored.size() < count * bpp) {
      if (at >= b.size()) return error = "packets end early", false;
      const int packet = b[at++];
      const std::size_t n = (packet & 0x7F) + 1u;
      if (stored.size() + n * bpp > count * bpp) return error = "packet overruns the image", false;
      if (packet & 0x80) {
        if (at + bpp > b.size()) return error = "short run packet", false;
        for (std::size_t k = 0; k < n; ++k) stored.insert(stored.end(), b.begin() + at, b.begin() + at + bpp);
        at += bpp;
      } else {
        if (at + n * bpp > b.size()) return error = "short raw packet", false;
        stored.insert(stored.end(), b.begin() + at, b.begin() + at + n * bpp);
        at += n * bpp;
      }
    }
  }
  image.Width = w;
  image.Height = h;
  image.Channels = bpp;
  image.TgaType = type;
  image.Pixels.assign(count * bpp, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint8_t* s = &stored[(static_cast<std::size_t>(h - 1 - y) * w + x) * bpp];
      std::uint8_t* d = &image.Pixels[(static_cast<std::size_t>(y) * w + x) * bpp];
      d[0] = s[2];
      d[1] = s[1];
      d[2] = s[0];
      if (bpp == 4) d[3] = s[3];
    }
  return true;
}

bool DecodeJpeg(const std::vector<std::uint8_t>& bytes, TDecodedImage& image, std::string& error) {
  jpeg_decompress_struct info;
  TJpegError err;
  info.err = jpeg_std_error(&err.Manager);
  err.Manager.error_exit = OnJpegError;
  if (setjmp(err.Jump)) {
    error = err.Text;
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  image.Width = static_cast<int>(info.output_width);
  image.Height = static_cast<int>(info.output_height);
  image.Channels = 3;
  image.Pixels.assign(static_cast<std::size_t>(image.Width) * image.Height * 3, 0);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = &image.Pixels[static_cast<std::size_t>(info.output_scanline) * image.Width * 3];
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

namespace {

struct TWalker {
  const std::vector<std::uint8_t>& B;
  TParsed3DS& Model;
  std::string& Error;

  bool Chunk(std::size_t at, std::size_t limit, std::uint16_t& id, std::size_t& end) {
    if (at + 6 > limit) return Error = "chunk header past its parent", false;
    id = U16(B, at);
    const std::uint32_t length = U32(B, at + 2);
    if (length < 6 || at + length > limit) return Error = "chunk length out of bounds", false;
    end = at + length;
    return true;
  }

  bool Mesh(std::size_t at, std::size_t end, TParsedMesh& mesh) {
    while (at < end) {
      std::uint16_t id;
      std::size_t next;
      if (!Chunk(at, end, id, next)) return false;
      const std::size_t data = at + 6;
      if (id == 0x4110 || id == 0x4140 || id == 0x4120) {
        if (data + 2 > next) return Error = "list without a count", false;
        const std::size_t n = U16(B, data);
        const std::size_t item = id == 0x4110 ? 12 : id == 0x4140 ? 8 : 8;
        if (data + 2 + n * item > next) return Error = "list longer than its chunk", false;
        for (std::size_t k = 0; k < n; ++k) {
          const std::size_t p = data + 2 + k * item;
          if (id == 0x4110) {
            for (int c = 0; c < 3; ++c) mesh.Vertices.push_back(F32(B, p + 4 * c));
          } else if (id == 0x4140) {
            for (int c = 0; c < 2; ++c) mesh.MapCoords.push_back(F32(B, p + 4 * c));
          } else {
            for (int c = 0; c < 3; ++c) mesh.Faces.push_back(U16(B, p + 2 * c));
          }
        }
      }
      at = next;
    }
    return true;
  }

  bool Object(std::size_t at, std::size_t end) {
    std::size_t nameEnd = at;
    while (nameEnd < end && B[nameEnd] != 0) ++nameEnd;
    if (nameEnd >= end) return Error = "unterminated object name", false;
    const std::string name(B.begin() + at, B.begin() + nameEnd);
    Model.ObjectNames.push_back(name);
    Model.ObjectIsMesh.push_back(false);
    for (at = nameEnd + 1; at < end;) {
      std::uint16_t id;
      std::size_t next;
      if (!Chunk(at, end, id, next)) return false;
      if (id == 0x4100 && !Model.ObjectIsMesh.back()) {
        Model.ObjectIsMesh.back() = true;
        TParsedMesh mesh;
        mesh.Name = name;
        if (!Mesh(at + 6, next, mesh)) return false;
        Model.Meshes.push_back(std::move(mesh));
      }
      at = next;
    }
    return true;
  }
};

}  // namespace

bool Parse3DS(const std::vector<std::uint8_t>& bytes, TParsed3DS& model, std::string& error) {
  TWalker walk{bytes, model, error};
  std::uint16_t id;
  std::size_t end;
  if (!walk.Chunk(0, bytes.size(), id, end)) return false;
  if (id != 0x4D4D) return error = "root is not 0x4D4D", false;
  for (std::size_t at = 6; at < end;) {
    std::size_t next;
    if (!walk.Chunk(at, end, id, next)) return false;
    if (id == 0x3D3D) {
      for (std::size_t in = at + 6; in < next;) {
        std::size_t after;
        if (!walk.Chunk(in, next, id, after)) return false;
        if (id == 0x4000 && !walk.Object(in + 6, after)) return false;
        in = after;
      }
    }
    at = next;
  }
  return true;
}
