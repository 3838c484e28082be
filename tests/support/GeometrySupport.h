// Helpers for the geometry tests: a test model and a lit view to draw it in.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class TMeshData;

// A torus about the z axis with a bumpy, irregular surface (so positions
// and normals carry full-precision bits), faces wound outward.
void FillBumpyTorus(TMeshData& mesh, int rings, int sides);

// Black frame, perspective view looking down -z at the origin from 6 units,
// depth test, one white directional light from the viewer, no texture.
void SetUpLitView();
// The whole 800x600 frame, RGBA.
std::vector<std::uint8_t> ReadFrame();
// Pixels that are not black.
int CountLit(const std::vector<std::uint8_t>& frame);

struct T3DSModel;
struct T3DSObject;
// One triangle with mapping coordinates; `offset` moves its first corner.
T3DSObject TriangleObject(const std::string& name, float offset = 0);
// A named light: a non-mesh object of a 3DS file.
T3DSObject LightObject(const std::string& name);
// The bumpy torus as one mesh object named "Torus", ready for Write3DS.
T3DSModel TorusModel(int rings, int sides);
