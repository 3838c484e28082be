#include "support/Feedback.h"

#include <GL/gl.h>

TFeedback FeedbackOf(const std::function<void()>& draw) {
  static std::vector<GLfloat> buffer(1 << 22);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint n = glRenderMode(GL_RENDER);
  TFeedback f;
  if (n < 0) {
    f.Overflow = true;
    return f;
  }
  for (GLint i = 0; i < n;) {
    const GLint token = static_cast<GLint>(buffer[i++]);
    switch (token) {
      case GL_LINE_TOKEN:
      case GL_LINE_RESET_TOKEN:
        f.Lines.push_back({buffer[i], buffer[i + 1], buffer[i + 2], buffer[i + 3], buffer[i + 4], buffer[i + 5]});
        i += 6;
        break;
      case GL_POLYGON_TOKEN: {
        const GLint corners = static_cast<GLint>(buffer[i++]);
        i += 3 * corners;
        ++f.Polygons;
        break;
      }
      case GL_POINT_TOKEN:
      case GL_BITMAP_TOKEN:
      case GL_DRAW_PIXEL_TOKEN:
      case GL_COPY_PIXEL_TOKEN:
        i += 3;
        ++f.Points;
        break;
      case GL_PASS_THROUGH_TOKEN:
        i += 1;
        break;
      default:
        f.Overflow = true;  // not a token: the stream cannot be read on
        return f;
    }
  }
  return f;
}
