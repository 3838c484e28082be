// QRN2Arrays: the enable/pointer/disable order is fixed so that every caller
// issues the same sequence its own copy of this code did.
#include "engine/QRN2Arrays.h"

void DrawClientArrays(const TClientArrays& arrays) {
  glEnableClientState(GL_VERTEX_ARRAY);
  if (arrays.Normals) glEnableClientState(GL_NORMAL_ARRAY);
  if (arrays.TexCoords) glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  if (arrays.Colors) glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, arrays.Positions);
  if (arrays.Normals) glNormalPointer(GL_FLOAT, 0, arrays.Normals);
  if (arrays.TexCoords) glTexCoordPointer(2, GL_FLOAT, 0, arrays.TexCoords);
  if (arrays.Colors) glColorPointer(3, GL_FLOAT, 0, arrays.Colors);
  if (arrays.ByFaces)
    glDrawElements(arrays.Mode, arrays.FaceCount * 3, GL_UNSIGNED_INT, arrays.Faces);
  else
    glDrawArrays(arrays.Mode, 0, arrays.VertexCount);
  glDisableClientState(GL_VERTEX_ARRAY);
  if (arrays.Normals) glDisableClientState(GL_NORMAL_ARRAY);
  if (arrays.TexCoords) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  if (arrays.Colors) glDisableClientState(GL_COLOR_ARRAY);
}
