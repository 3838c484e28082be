#include "tools/writers/Writer3DS.h"

#include <cstring>
#include <fstream>
#include <stdexcept>

void Put3DSU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put3DSU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void Put3DSF32(std::vector<std::uint8_t>& out, float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  Put3DSU32(out, bits);
}

void Put3DSName(std::vector<std::uint8_t>& out, const std::string& name) {
  out.insert(out.end(), name.begin(), name.end());
  out.push_back(0);
}

void Put3DSBytes(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}

std::vector<std::uint8_t> RawChunk3DS(std::uint16_t id, std::uint32_t length,
                                      const std::vector<std::uint8_t>& body) {
  std::vector<std::uint8_t> out;
  out.reserve(6 + body.size());
  Put3DSU16(out, id);
  Put3DSU32(out, length);
  Put3DSBytes(out, body);
  return out;
}

std::vector<std::uint8_t> Chunk3DS(std::uint16_t id, const std::vector<std::uint8_t>& body) {
  if (body.size() > 0xFFFFFFFFu - 6) throw std::length_error("3DS chunk too long");
  return RawChunk3DS(id, static_cast<std::uint32_t>(6 + body.size()), body);
}

namespace {

std::uint16_t Count16(std::size_t count, const char* what) {
  if (count > 0xFFFF) throw std::length_error(std::string("3DS ") + what + " count above 65535");
  return static_cast<std::uint16_t>(count);
}

void PutPoint(std::vector<std::uint8_t>& out, const T3DSPoint& p) {
  Put3DSF32(out, p.x);
  Put3DSF32(out, p.y);
  Put3DSF32(out, p.z);
}

std::vector<std::uint8_t> U32Chunk(std::uint16_t id, std::uint32_t value) {
  std::vector<std::uint8_t> body;
  Put3DSU32(body, value);
  return Chunk3DS(id, body);
}

std::vector<std::uint8_t> MeshChunk(const T3DSObject& object) {
  std::vector<std::uint8_t> body;

  std::vector<std::uint8_t> vertices;
  Put3DSU16(vertices, Count16(object.Vertices.size(), "vertex"));
  for (const T3DSPoint& p : object.Vertices) PutPoint(vertices, p);
  Put3DSBytes(body, Chunk3DS(0x4110, vertices));

  if (object.WriteMapCoords) {
    std::vector<std::uint8_t> coords;
    Put3DSU16(coords, Count16(object.MapCoords.size(), "mapping coordinate"));
    for (const T3DSMapCoord& t : object.MapCoords) {
      Put3DSF32(coords, t.u);
      Put3DSF32(coords, t.v);
    }
    Put3DSBytes(body, Chunk3DS(0x4140, coords));
  }

  std::vector<std::uint8_t> faces;
  Put3DSU16(faces, Count16(object.Faces.size(), "face"));
  for (const T3DSFaceRec& f : object.Faces) {
    Put3DSU16(faces, f.a);
    Put3DSU16(faces, f.b);
    Put3DSU16(faces, f.c);
    Put3DSU16(faces, f.flags);
  }
  Put3DSBytes(body, Chunk3DS(0x4120, faces));

  if (object.WriteLocalAxes) {
    std::vector<std::uint8_t> axes;
    const float identity[12] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    for (float v : identity) Put3DSF32(axes, v);
    Put3DSBytes(body, Chunk3DS(0x4160, axes));
  }
  return Chunk3DS(0x4100, body);
}

std::vector<std::uint8_t> LightChunk(const T3DSObject& object) {
  std::vector<std::uint8_t> body;
  PutPoint(body, object.Position);
  std::vector<std::uint8_t> color;  // 0x0010: RGB floats, white
  for (int i = 0; i < 3; ++i) Put3DSF32(color, 1.0f);
  Put3DSBytes(body, Chunk3DS(0x0010, color));
  return Chunk3DS(0x4600, body);
}

std::vector<std::uint8_t> CameraChunk(const T3DSObject& object) {
  std::vector<std::uint8_t> body;
  PutPoint(body, object.Position);
  PutPoint(body, object.Target);
  Put3DSF32(body, object.Bank);
  Put3DSF32(body, object.Lens);
  return Chunk3DS(0x4700, body);
}

}  // namespace

std::vector<std::uint8_t> ObjectChunk3DS(const T3DSObject& object) {
  std::vector<std::uint8_t> body;
  Put3DSName(body, object.Name);
  switch (object.Kind) {
    case T3DSObjectKind::Mesh: Put3DSBytes(body, MeshChunk(object)); break;
    case T3DSObjectKind::Light: Put3DSBytes(body, LightChunk(object)); break;
    case T3DSObjectKind::Camera: Put3DSBytes(body, CameraChunk(object)); break;
  }
  return Chunk3DS(0x4000, body);
}

std::vector<std::uint8_t> EditorChunk3DS(const std::vector<T3DSObject>& objects) {
  std::vector<std::uint8_t> body = U32Chunk(0x3D3E, 3);
  for (const T3DSObject& object : objects) Put3DSBytes(body, ObjectChunk3DS(object));
  return Chunk3DS(0x3D3D, body);
}

std::vector<std::uint8_t> Write3DS(const T3DSModel& model) {
  std::vector<std::uint8_t> body = U32Chunk(0x0002, 3);
  Put3DSBytes(body, EditorChunk3DS(model.Objects));
  return Chunk3DS(model.RootId, body);
}

bool Write3DSFile(const std::string& path, const T3DSModel& model) {
  const std::vector<std::uint8_t> bytes = Write3DS(model);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file.flush());
}
