#include "support/MediaDamage.h"

#include <stdexcept>

#include "engine/JPGDecoder.h"
#include "engine/QRN2File3DS.h"
#include "engine/TGADecoder.h"

namespace {
bool EndsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

// The name the demo asks for: "diag\1.tga" for "diag/1.tga".
std::string DemoName(const std::string& file) {
  std::string name = file;
  for (char& c : name)
    if (c == '/') c = '\\';
  return name;
}

// Flips `count` bits among the first `span` bytes; the same bits every run.
void FlipBits(TMediaBytes& bytes, std::size_t span, int count, std::uint32_t seed) {
  span = std::min(span, bytes.size());
  if (span == 0) return;
  std::uint32_t state = seed;
  for (int i = 0; i < count; ++i) {
    state = state * 1664525u + 1013904223u;
    const std::size_t at = (state >> 8) % span;
    bytes[at] ^= static_cast<std::uint8_t>(1u << (state >> 29));
  }
}

std::uint32_t Seed(const std::string& text) {
  std::uint32_t h = 2166136261u;
  for (unsigned char c : text) h = (h ^ c) * 16777619u;
  return h;
}

// The frame header of a JPEG: offset of its height field, or 0.
std::size_t JPEGSizeField(const TMediaBytes& b) {
  for (std::size_t at = 2; at + 9 < b.size() && b[at] == 0xFF;) {
    const std::uint8_t marker = b[at + 1];
    if (marker >= 0xC0 && marker <= 0xC2) return at + 5;
    at += 2 + (std::size_t{b[at + 2]} << 8 | b[at + 3]);
  }
  return 0;
}

// Offset of the first chunk with this id, searching the containers the
// demo's models use; 0 when there is none.
std::size_t FindChunk3DS(const TMediaBytes& b, std::uint16_t id, std::size_t from, std::size_t end) {
  while (from + 6 <= end) {
    const std::uint16_t here = static_cast<std::uint16_t>(b[from] | b[from + 1] << 8);
    const std::size_t length = b[from + 2] | b[from + 3] << 8 | b[from + 4] << 16 | std::size_t{b[from + 5]} << 24;
    if (length < 6 || from + length > end) return 0;
    if (here == id) return from;
    std::size_t inner = from + 6;
    if (here == 0x4000) {  // the object's name and its zero byte come first
      while (inner < from + length && b[inner] != 0) ++inner;
      ++inner;
    }
    if (here == 0x4D4D || here == 0x3D3D || here == 0x4000 || here == 0x4100)
      if (std::size_t found = FindChunk3DS(b, id, inner, from + length)) return found;
    from += length;
  }
  return 0;
}

void Put16(TMediaBytes& b, std::size_t at, std::uint16_t v) {
  b.at(at) = static_cast<std::uint8_t>(v);
  b.at(at + 1) = static_cast<std::uint8_t>(v >> 8);
}

std::vector<TMediaMessage> TextureVerdict(const std::string& file, const std::optional<TMediaBytes>& bytes) {
  const std::string name = DemoName(file), quoted = "\"" + name + "\"";
  TPixelImage image;
  if (EndsWith(file, ".jpg")) {
    if (bytes && DecodeJPG(bytes->data(), bytes->size(), image)) return {};
    return {{"BMP Unit", "Couldn't load JPG - " + quoted}};
  }
  if (!bytes) return {{"TGA Texture", "File not found  - " + name}};
  switch (DecodeTGA(bytes->data(), bytes->size(), image)) {
    case TTGAStatus::Ok: return {};
    case TTGAStatus::BadImageType:
      return {{"TGA File Error", "Couldn't load " + quoted + ". Only 24 and 32bit TGA supported."}};
    case TTGAStatus::ColorMapped:
      return {{"TGA File Error", "Couldn't load " + quoted + ". Colormapped TGA files not supported."}};
    case TTGAStatus::BadPixelDepth:
      return {{"TGA File Error", "Couldn't load " + quoted + ". Only 24 and 32 bit TGA files supported."}};
    case TTGAStatus::ShortData: break;
  }
  return {{"TGA File Error", "Couldn't read file " + quoted + "."}};
}

TMediaVerdict ModelVerdict(const std::string& file, const std::optional<TMediaBytes>& bytes) {
  if (!bytes) return {"Cannot open file " + file, {}};
  std::int32_t meshes = 0;
  try {
    TFile3DS model(*bytes);
    for (std::int32_t i = 0; i < model.MeshCount(); ++i) model.Mesh(i);
    meshes = model.MeshCount();
  } catch (const EInOutError& e) {
    return {e.what(), {}};
  }
  const std::int32_t needed = file == "lakris.3ds" ? 1 : 2;
  if (meshes >= needed) return {};
  return {std::nullopt,
          {{"Error", "Too few meshes in " + file + ": " + std::to_string(needed) + " needed, " +
                         std::to_string(meshes) + " found"}}};
}
}  // namespace

const std::vector<std::string>& DemoMediaFiles() {
  static const std::vector<std::string> files = {
      "music.mp3",  "test.snc",   "spot.jpg",   "vell.jpg",   "timeup.jpg", "wombat.3ds",
      "womflash.jpg", "wombats.jpg", "1-owners.jpg", "1-picture.jpg", "lakris.3ds", "land.3ds",
      "stein.jpg",  "vann.jpg",   "lakris.jpg", "diag/1.tga", "diag/2.tga", "diag/3.tga",
      "diag/4.tga", "diag/5.tga", "diag/6.tga", "diag/7.tga"};
  return files;
}

std::vector<std::string> DamageKinds(const std::string& file) {
  std::vector<std::string> kinds = {"missing",  "empty",       "cut-17", "cut-half",
                                    "cut-last", "flip-header", "flip-1", "flip-2"};
  if (EndsWith(file, ".jpg") || EndsWith(file, ".tga")) kinds.insert(kinds.end(), {"huge-65535", "huge-8192"});
  if (EndsWith(file, ".3ds")) kinds.insert(kinds.end(), {"huge-vertices", "huge-faces"});
  if (EndsWith(file, ".snc")) kinds.push_back("padded");
  if (EndsWith(file, ".mp3")) kinds.push_back("garbage");
  return kinds;
}

bool DamageIsFatal(const std::string& kind) {
  return kind == "missing" || kind == "empty" || kind == "cut-17" || kind == "cut-half" ||
         kind.rfind("huge-", 0) == 0;
}

std::optional<TMediaBytes> Damage(const std::string& file, const std::string& kind, const TMediaBytes& good) {
  TMediaBytes b = good;
  const std::uint32_t seed = Seed(file + "/" + kind);
  if (kind == "missing") return std::nullopt;
  if (kind == "empty") b.clear();
  if (kind == "cut-17") b.resize(std::min<std::size_t>(17, b.size()));
  if (kind == "cut-half") b.resize(b.size() / 2);
  if (kind == "cut-last" && !b.empty()) b.pop_back();
  if (kind == "flip-header") FlipBits(b, 64, 4, seed);
  if (kind == "flip-1" || kind == "flip-2") FlipBits(b, b.size(), 8, seed);
  if (kind == "padded") b.resize(1 << 20, 0xFF);
  if (kind == "garbage") {
    std::uint32_t state = seed;
    for (std::uint8_t& byte : b) byte = static_cast<std::uint8_t>((state = state * 1664525u + 1013904223u) >> 24);
  }
  if (kind == "huge-65535" || kind == "huge-8192") {
    const std::uint16_t side = kind == "huge-8192" ? 8192 : 65535;
    if (EndsWith(file, ".tga")) {
      Put16(b, 12, side);
      Put16(b, 14, side);
    } else if (const std::size_t at = JPEGSizeField(b)) {
      b.at(at) = b.at(at + 2) = static_cast<std::uint8_t>(side >> 8);  // big-endian height, width
      b.at(at + 1) = b.at(at + 3) = static_cast<std::uint8_t>(side);
    } else {
      throw std::runtime_error(file + " has no JPEG frame header");
    }
  }
  if (kind == "huge-vertices" || kind == "huge-faces") {
    const std::size_t at = FindChunk3DS(b, kind == "huge-faces" ? 0x4120 : 0x4110, 0, b.size());
    if (at == 0) throw std::runtime_error(file + " has no list to enlarge");
    Put16(b, at + 6, 65535);  // the list's count, far past what its chunk holds
  }
  return b;
}

TMediaVerdict ExpectedVerdict(const std::string& file, const std::optional<TMediaBytes>& bytes) {
  if (EndsWith(file, ".3ds")) return ModelVerdict(file, bytes);
  if (EndsWith(file, ".jpg") || EndsWith(file, ".tga")) return {std::nullopt, TextureVerdict(file, bytes)};
  if (file == "test.snc" && !bytes) return {"Cannot open file test.snc", {}};
  return {};  // a damaged sync track is read as far as it goes; the music fails silently
}
