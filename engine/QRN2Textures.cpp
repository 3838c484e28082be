// QRN2Textures: reading and decoding are kept apart from the upload so the
// decoders can be tested without GL. Message texts and captions are the
// loaders' fixed ones, the captions' odd mix ("BMP Unit" on JPEG and TGA
// read errors) included.
#include "engine/QRN2Textures.h"

#include <cctype>

#include "engine/BMPDecoder.h"
#include "engine/ImagePrefetch.h"
#include "engine/ImageScale.h"
#include "engine/JPGDecoder.h"
#include "engine/Resources.h"
#include "engine/TGADecoder.h"
#include "engine/TextureUploads.h"
#include "platform/Files.h"
#include "platform/Message.h"

bool TextureClamp = false;
std::uint8_t TextureFilter = 2;

namespace {
using TBytes = std::vector<std::uint8_t>;

void Say(const char* caption, const std::string& text) {
  ShowMessage(caption, text, TMessageIcon::Information);
}
std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// The bytes of a resource, or a "not found" message under `caption`.
const TBytes* Resource(const std::string& FileName, const char* type, const char* caption) {
  const TBytes* bytes = FindResource(ResourceName(FileName), type);
  if (!bytes) Say(caption, "File not found in resource - " + FileName);
  return bytes;
}
}  // namespace

void SetTextureClamp(bool Value) { TextureClamp = Value; }

GLenum ImageFormat(const TPixelImage& Image) { return Image.Channels == 4 ? GL_RGBA : GL_RGB; }

GLuint BuildTexture(std::uint16_t Width, std::uint16_t Height, GLenum Format, const void* Pixels,
                    const TTextureFilters& Filters, std::vector<std::uint8_t>* Owner) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  const GLint wrap = TextureClamp ? GL_CLAMP : GL_REPEAT;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
  if (Filters.Set) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, Filters.Mag);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, Filters.Min);
  }
  const bool rgba = Format == GL_RGBA;
  GLint maxSide = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
  const TImageSize size = PowerOfTwoSize(Width, Height, maxSide);
  std::vector<std::uint8_t> scaled;
  if (Pixels && (size.Width != Width || size.Height != Height)) {
    scaled = ScalePixels(static_cast<const std::uint8_t*>(Pixels), Width, Height, rgba ? 4 : 3, size.Width,
                         size.Height);
    Pixels = scaled.data();
  }
  if (Pixels && DeferringTextureUploads()) {
    if (scaled.empty() && Owner) {
      scaled = std::move(*Owner);
    } else if (scaled.empty()) {
      const auto* bytes = static_cast<const std::uint8_t*>(Pixels);
      scaled.assign(bytes, bytes + static_cast<std::size_t>(size.Width) * size.Height * (rgba ? 4 : 3));
    }
    QueueTextureUpload(name, size.Width, size.Height, rgba, std::move(scaled));
  } else {
    UploadMipmaps(size.Width, size.Height, rgba, Pixels);
  }
  return name;
}

namespace {
const TTextureFilters CreateFilters{true, GL_LINEAR, GL_LINEAR_MIPMAP_NEAREST};
}  // namespace

GLuint CreateTexture(std::uint16_t Width, std::uint16_t Height, GLenum Format, const void* Pixels) {
  return BuildTexture(Width, Height, Format, Pixels, CreateFilters);
}

bool ReadBMPImage(const std::string& FileName, bool FromResource, TPixelImage& Image) {
  TBytes file;
  const TBytes* bytes = &file;
  if (FromResource) {
    if (!(bytes = Resource(FileName, "BMP", "BMP Texture"))) return false;
  } else if (!ReadFileBytes(FileName, file)) {
    Say("BMP Unit", "Error opening " + FileName);
    return false;
  }
  const TBMPStatus status = DecodeBMP(bytes->data(), bytes->size(), Image);
  if (status == TBMPStatus::Ok) return true;
  if (status == TBMPStatus::Unsupported)
    Say("BMP Unit", "Unsupported bitmap format - " + FileName);
  else if (FromResource)
    Say("BMP Unit", "Unable to read from resource - " + FileName);
  else
    Say("BMP Unit",
        status == TBMPStatus::ShortPalette ? "Error reading palette" : "Error reading bitmap data");
  return false;
}

bool ReadJPGImage(const std::string& FileName, bool FromResource, TPixelImage& Image) {
  if (FromResource) {
    const TBytes* bytes = Resource(FileName, "JPEG", "JPG Texture");
    if (!bytes) return false;
    if (DecodeJPG(bytes->data(), bytes->size(), Image)) return true;
    Say("BMP Unit", "Couldn't load JPG Resource - " + Quoted(FileName));
    return false;
  }
  TBytes file;
  if (const auto prefetched = TakePrefetchedImage(FileName, TImageKind::JPG, Image)) {
    if (prefetched->Decoded) return true;
  } else if (ReadFileBytes(FileName, file) && DecodeJPG(file.data(), file.size(), Image)) {
    return true;
  }
  Say("BMP Unit", "Couldn't load JPG - " + Quoted(FileName));
  return false;
}

bool ReadTGAImage(const std::string& FileName, bool FromResource, TPixelImage& Image) {
  TTGAStatus status;
  if (FromResource) {
    const TBytes* bytes = Resource(FileName, "TGA", "TGA Texture");
    if (!bytes) return false;
    status = DecodeTGA(bytes->data(), bytes->size(), Image);
  } else {
    const auto prefetched = TakePrefetchedImage(FileName, TImageKind::TGA, Image);
    TBytes file;
    if (prefetched ? !prefetched->Read : !ReadFileBytes(FileName, file)) {
      Say("TGA Texture", "File not found  - " + FileName);
      return false;
    }
    status = prefetched ? prefetched->TGA : DecodeTGA(file.data(), file.size(), Image);
  }
  switch (status) {
    case TTGAStatus::Ok: return true;
    case TTGAStatus::BadImageType:
      Say("TGA File Error", "Couldn't load " + Quoted(FileName) + ". Only 24 and 32bit TGA supported.");
      return false;
    case TTGAStatus::ColorMapped:
      Say("TGA File Error", "Couldn't load " + Quoted(FileName) + ". Colormapped TGA files not supported.");
      return false;
    case TTGAStatus::BadPixelDepth:
      Say("TGA File Error",
          "Couldn't load " + Quoted(FileName) + ". Only 24 and 32 bit TGA files supported.");
      return false;
    case TTGAStatus::ShortData: break;
  }
  if (FromResource)
    Say("BMP Unit", "Unable to read from resource - " + FileName);
  else
    Say("TGA File Error", "Couldn't read file " + Quoted(FileName) + ".");
  return false;
}

namespace {
// CreateTexture, giving up the image's pixels.
bool Upload(bool read, TPixelImage& image, GLuint& Texture) {
  if (!read) return false;
  Texture = BuildTexture(image.Width, image.Height, ImageFormat(image), image.Pixels.data(), CreateFilters,
                         &image.Pixels);
  return true;
}
}  // namespace

bool LoadBMPTexture(const std::string& FileName, GLuint& Texture, bool FromResource) {
  TPixelImage image;
  return Upload(ReadBMPImage(FileName, FromResource, image), image, Texture);
}

bool LoadJPGTexture(const std::string& FileName, GLuint& Texture, bool FromResource) {
  TPixelImage image;
  return Upload(ReadJPGImage(FileName, FromResource, image), image, Texture);
}

bool LoadTGATexture(const std::string& FileName, GLuint& Texture, bool FromResource) {
  TPixelImage image;
  return Upload(ReadTGAImage(FileName, FromResource, image), image, Texture);
}

void LoadTexture(const std::string& FileName, GLuint& Texture, bool FromResource) {
  std::string ext = FileName.size() >= 4 ? FileName.substr(FileName.size() - 4) : FileName;
  for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (ext == ".BMP") LoadBMPTexture(FileName, Texture, FromResource);
  if (ext == ".JPG") LoadJPGTexture(FileName, Texture, FromResource);
  if (ext == ".TGA") LoadTGATexture(FileName, Texture, FromResource);
}

bool ReloadTexture(const std::string& FileName, GLuint Texture) {
  std::string ext = FileName.size() >= 4 ? FileName.substr(FileName.size() - 4) : FileName;
  for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  TPixelImage image;
  const bool read = ext == ".BMP"   ? ReadBMPImage(FileName, false, image)
                    : ext == ".JPG" ? ReadJPGImage(FileName, false, image)
                    : ext == ".TGA" ? ReadTGAImage(FileName, false, image)
                                    : false;
  if (!read) return false;
  GLint maxSide = 0, bound = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  const bool rgba = ImageFormat(image) == GL_RGBA;
  const TImageSize size = PowerOfTwoSize(image.Width, image.Height, maxSide);
  if (size.Width != image.Width || size.Height != image.Height)
    image.Pixels = ScalePixels(image.Pixels.data(), image.Width, image.Height, rgba ? 4 : 3, size.Width, size.Height);
  glBindTexture(GL_TEXTURE_2D, Texture);
  UploadMipmaps(size.Width, size.Height, rgba, image.Pixels.data());
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
  return true;
}

void DeleteTexture(GLuint Texture) { glDeleteTextures(1, &Texture); }
