#include "engine/QRN2File3DS.h"

#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

const char* const Error3DSWrongDatabase =
    "The database passed as an argument is the wrong kind of\rdatabase for this function.";
const char* const Error3DSWrongObjectType =
    "The Name passed to the functions exists but is not the type of object asked for.\r"
    "For example asking for a mesh object with the GetCameraByName3DS function.";
const char* const Error3DSNoMemory = "Not enough memory to complete operation.";

namespace {

constexpr std::uint16_t RootMain = 0x4D4D, RootAlt = 0xC23D, RootDatabase = 0x3DAA;
constexpr std::uint16_t Editor = 0x3D3D, NamedObject = 0x4000, TriMesh = 0x4100;
constexpr std::uint16_t VertexList = 0x4110, FaceList = 0x4120, MapList = 0x4140;

[[noreturn]] void StreamError() { throw EInOutError("Stream read error"); }

bool IsContainer(std::uint16_t id) {
  return id == RootMain || id == RootAlt || id == RootDatabase || id == Editor || id == NamedObject ||
         id == TriMesh || id == FaceList;
}

// Bounds-checked little-endian reads inside [.., end).
std::uint16_t U16(const std::vector<std::uint8_t>& b, std::uint64_t at, std::uint64_t end) {
  if (at + 2 > end) StreamError();
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::uint64_t at, std::uint64_t end) {
  return U16(b, at, end) | static_cast<std::uint32_t>(U16(b, at + 2, end)) << 16;
}

float F32(const std::vector<std::uint8_t>& b, std::uint64_t at) {
  float f;
  std::memcpy(&f, &b[at], 4);  // callers have checked the whole list
  return f;
}

}  // namespace

TFile3DS::TFile3DS(std::vector<std::uint8_t> bytes) : Bytes(std::move(bytes)) {
  try {
    Walk();
  } catch (const std::bad_alloc&) {
    throw E3DSError(Error3DSNoMemory);
  }
}

std::unique_ptr<TFile3DS> TFile3DS::Open(const std::string& fileName) {
  std::vector<std::uint8_t> bytes;
  if (!ReadFileBytes(fileName, bytes)) throw EInOutError("Cannot open file " + fileName);
  return std::make_unique<TFile3DS>(std::move(bytes));
}

std::uint32_t TFile3DS::ChildrenStart(const TChunk& chunk) const {
  const std::uint32_t data = chunk.Start + 6;
  if (chunk.Id == NamedObject) {
    const void* zero = std::memchr(Bytes.data() + data, 0, chunk.End - data);
    if (!zero) StreamError();
    return static_cast<std::uint32_t>(static_cast<const std::uint8_t*>(zero) - Bytes.data()) + 1;
  }
  if (chunk.Id == FaceList) {
    const std::uint64_t end = data + 2 + 8ull * U16(Bytes, data, chunk.End);
    if (end > chunk.End) StreamError();
    return static_cast<std::uint32_t>(end);
  }
  return data;
}

void TFile3DS::Walk() {
  const std::uint64_t size = Bytes.size();
  const std::uint16_t rootId = U16(Bytes, 0, size);
  if (rootId != RootMain && rootId != RootAlt && rootId != RootDatabase) return;
  WrongDatabase = rootId == RootDatabase;
  const std::uint32_t rootLength = U32(Bytes, 2, size);
  if (rootLength < 6 || rootLength > size) StreamError();
  Chunks.push_back(TChunk{rootId, 0, rootLength});

  // Chunks are appended as they are found; each container's sub-chunks are
  // read when the loop reaches it, so no recursion however deep the nesting.
  for (std::size_t i = 0; i < Chunks.size(); ++i) {
    if (!IsContainer(Chunks[i].Id)) continue;
    const std::uint32_t end = Chunks[i].End;
    std::uint64_t pos = ChildrenStart(Chunks[i]);
    std::int32_t previous = -1;
    while (pos < end) {
      const std::uint16_t id = U16(Bytes, pos, end);
      const std::uint32_t length = U32(Bytes, pos + 2, end);
      if (length < 6 || pos + length > end) StreamError();
      const auto index = static_cast<std::int32_t>(Chunks.size());
      Chunks.push_back(TChunk{id, static_cast<std::uint32_t>(pos), static_cast<std::uint32_t>(pos + length)});
      if (previous < 0)
        Chunks[i].FirstChild = index;
      else
        Chunks[previous].Next = index;
      previous = index;
      pos += length;
    }
  }

  const std::int32_t editor = FindFirst(0, Editor);
  if (editor < 0) return;
  for (std::int32_t object = FindFirst(editor, NamedObject); object >= 0; object = Chunks[object].Next) {
    if (Chunks[object].Id == NamedObject && FindFirst(object, TriMesh) >= 0) MeshObjects.push_back(object);
  }
  Parsed.resize(MeshObjects.size());
}

// First chunk with the id strictly below `from`, depth first, in file order.
std::int32_t TFile3DS::FindFirst(std::int32_t from, std::uint16_t id) const {
  std::vector<std::int32_t> pending;
  if (Chunks[from].FirstChild >= 0) pending.push_back(Chunks[from].FirstChild);
  while (!pending.empty()) {
    const std::int32_t c = pending.back();
    pending.pop_back();
    if (Chunks[c].Id == id) return c;
    if (Chunks[c].Next >= 0) pending.push_back(Chunks[c].Next);
    if (Chunks[c].FirstChild >= 0) pending.push_back(Chunks[c].FirstChild);
  }
  return -1;
}

const TMesh3DS& TFile3DS::Mesh(std::int32_t i) {
  if (i < 0 || i >= MeshCount()) throw std::out_of_range("3DS mesh index out of range");
  if (WrongDatabase) throw E3DSError(Error3DSWrongDatabase);
  if (!Parsed[i]) {
    try {
      Parsed[i] = std::make_unique<TMesh3DS>(ReadMesh(MeshObjects[i]));
    } catch (const std::bad_alloc&) {
      throw E3DSError(Error3DSNoMemory);
    }
  }
  return *Parsed[i];
}

TMesh3DS TFile3DS::ReadMesh(std::int32_t object) const {
  std::int32_t mesh = -1;
  for (std::int32_t c = Chunks[object].FirstChild; c >= 0 && mesh < 0; c = Chunks[c].Next)
    if (Chunks[c].Id == TriMesh) mesh = c;
  if (mesh < 0) throw E3DSError(Error3DSWrongObjectType);

  std::int32_t vertices = -1, faces = -1, coords = -1;
  for (std::int32_t c = Chunks[mesh].FirstChild; c >= 0; c = Chunks[c].Next) {
    if (Chunks[c].Id == VertexList) vertices = c;
    if (Chunks[c].Id == FaceList) faces = c;
    if (Chunks[c].Id == MapList) coords = c;
  }

  TMesh3DS result;
  const std::uint32_t nameStart = Chunks[object].Start + 6;
  result.Name = reinterpret_cast<const char*>(&Bytes[nameStart]);  // zero found by the walk

  // Each list: a 16-bit count, then the records, all inside the chunk.
  const auto list = [this](std::int32_t c, std::uint32_t recordSize, std::uint64_t& first) -> std::uint32_t {
    const TChunk& chunk = Chunks[c];
    const std::uint16_t count = U16(Bytes, chunk.Start + 6, chunk.End);
    first = chunk.Start + 8;
    if (first + std::uint64_t(count) * recordSize > chunk.End) StreamError();
    return count;
  };
  std::uint64_t at = 0;
  if (vertices >= 0) {
    const std::uint32_t n = list(vertices, 12, at);
    result.Vertices.resize(n);
    for (std::uint32_t j = 0; j < n; ++j, at += 12)
      result.Vertices[j] = MakeVertex(F32(Bytes, at), F32(Bytes, at + 4), F32(Bytes, at + 8));
  }
  if (coords >= 0) {
    const std::uint32_t n = list(coords, 8, at);
    result.TexCoords.resize(n);
    for (std::uint32_t j = 0; j < n; ++j, at += 8) result.TexCoords[j] = MakeTexCoord(F32(Bytes, at), F32(Bytes, at + 4));
  }
  if (faces >= 0) {
    const std::uint32_t n = list(faces, 8, at);
    result.Faces.resize(n);
    for (std::uint32_t j = 0; j < n; ++j, at += 8)
      result.Faces[j] = TFace3DS{U16(Bytes, at, at + 8), U16(Bytes, at + 2, at + 8), U16(Bytes, at + 4, at + 8),
                                 U16(Bytes, at + 6, at + 8)};
  }
  return result;
}
