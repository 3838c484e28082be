// Batch: everything drawn goes through here. glEnd and the array draws
// append their primitives as triangles or lines; the batch is drawn with
// one draw call when any state changes (Layer's Change), so runs of small
// glBegin/glEnd pairs cost one draw. Quads are split as desktop Mesa splits
// them, along the first corner's diagonal ((0,1,2), (0,2,3)): the colours
// and texture coordinates between the corners depend on it. Lines wider
// than one pixel become quads widened along the minor axis in window
// space, as GL rasterizes them.
// Needs: Layer (context, GLES table), Shaders, Matrices, Lighting, Textures.
#pragma once
#include <GL/gl.h>

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace gl1 {

// One vertex as the shaders take it; attribute locations in Shaders.h.
struct TStreamVertex {
  float Position[3];
  float Normal[3];
  float Color[4];
  float Uv[2];
};

// A corner of a wide line's quad: the end it belongs to, the other end, and
// which side of the line it lies on (-1 or 1).
struct TLineVertex {
  TStreamVertex End;
  float Other[3];
  float Side;
};

enum class TBatchKind { Empty, Triangles, Lines, WideLines };

// An allocator whose resize leaves new elements uninitialised: vertices
// are written right after, and zeroing them first cost a pass per draw.
template <class T>
struct TUninitialised : std::allocator<T> {
  template <class U>
  struct rebind {
    using other = TUninitialised<U>;
  };
  TUninitialised() = default;
  template <class U>
  TUninitialised(const TUninitialised<U>&) {}
  template <class U>
  void construct(U* p) {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... A>
  void construct(U* p, A&&... a) {
    ::new (static_cast<void*>(p)) U(std::forward<A>(a)...);
  }
};
template <class T>
using TVertexVector = std::vector<T, TUninitialised<T>>;

struct TBatch {
  TBatchKind Kind = TBatchKind::Empty;
  TVertexVector<TStreamVertex> Vertices;
  TVertexVector<TLineVertex> LineVertices;
  TVertexVector<TStreamVertex> LineEnds;  // a wide-line draw's vertices before they become quads
  std::size_t Base = 0;                   // where the last AppendVertices put its vertices
  // While every corner is the next vertex (triangles and lines drawn in
  // order) the batch keeps no indices and draws with glDrawArrays, which a
  // software GL runs faster; the first other draw writes them out.
  bool Sequential = true;
  std::size_t SequentialCount = 0;
  TVertexVector<GLuint> Indices;
  // [0]: TStreamVertex layout, [1]: TLineVertex layout.
  GLuint Vao[2] = {0, 0}, Vbo[2] = {0, 0}, Ebo[2] = {0, 0};
  std::size_t Draws = 0;  // glDrawElements issued, for the tests and benchmarks
};

// Modes the layer draws; others are GL_INVALID_ENUM at the caller.
bool DrawableMode(GLenum mode);

// A draw in two steps: room for `count` vertices of a `mode` draw, to be
// filled by the caller, then `count` primitive corners over them: corner i
// is vertex order ? order[i] : i (all below the vertex count). Incomplete
// primitives at the end are dropped, as GL drops them.
TStreamVertex* AppendVertices(GLenum mode, std::size_t count);
void AddPrimitives(GLenum mode, const GLuint* order, std::size_t count);

// Draws and empties the batch.
void FlushBatch();

bool CreateBatchBuffers();
void DeleteBatchBuffers();

}  // namespace gl1
