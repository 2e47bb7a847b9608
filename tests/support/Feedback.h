#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

// One primitive that drawing sent down the pipeline: GL_POLYGON_TOKEN or
// GL_LINE_TOKEN, and per vertex its window x, y and texture s, t.
struct Primitive {
    GLenum token;
    std::vector<std::array<float, 4>> vertices;
};

// What draw() renders, read back through GL feedback instead of pixels.
inline std::vector<Primitive> feedbackOf(const std::function<void()>& draw) {
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(GLsizei(buffer.size()), GL_4D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<Primitive> out;
    for (GLint at = 0; at < used;) {
        const GLenum token = GLenum(buffer[at++]);
        const bool line = token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN;
        if (!line && token != GL_POLYGON_TOKEN) {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
        const int count = line ? 2 : int(buffer[at++]);
        Primitive p{line ? GLenum(GL_LINE_TOKEN) : token, {}};
        for (int v = 0; v < count; ++v, at += 12) {  // x y z w, r g b a, s t r q
            p.vertices.push_back({buffer[at], buffer[at + 1], buffer[at + 8], buffer[at + 9]});
        }
        out.push_back(p);
    }
    return out;
}

inline std::vector<Primitive> feedbackOf(GLuint list) {
    return feedbackOf([list] { glCallList(list); });
}
