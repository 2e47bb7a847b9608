#include "assets/Texture.h"

#include <GL/glu.h>
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>

#include <iostream>
#include <string>

#include "assets/ImageFiles.h"

namespace {

// The power of two GLU would pick for a side: up from one and a half times a
// power of two, else down.
int nearestPowerOfTwo(int side) {
    int power = 1;
    while (power <= side / 2) {
        power *= 2;
    }
    return power > 1 && side >= power + power / 2 ? power * 2 : power;
}

// GLU drops the last row when it rescales only the width (a 3 x 4 image
// loses its bottom row), so images whose sides are not powers of two are
// rescaled here, on a copy, and GLU only ever gets powers of two.
void buildMipmaps(int format, int width, int height, unsigned char* data) {
    const int w = nearestPowerOfTwo(width), h = nearestPowerOfTwo(height);
    if (w == width && h == height) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, format, width, height, GLenum(format), GL_UNSIGNED_BYTE,
                          data);
        return;
    }
    const ILuint original = ILuint(ilGetInteger(IL_CUR_IMAGE));
    ILuint copy = 0;
    ilGenImages(1, &copy);
    ilBindImage(copy);
    ilCopyImage(original);
    iluImageParameter(ILU_FILTER, ILU_NEAREST);
    iluScale(ILuint(w), ILuint(h), 1);
    gluBuild2DMipmaps(GL_TEXTURE_2D, format, w, h, GLenum(format), GL_UNSIGNED_BYTE, ilGetData());
    ilBindImage(original);
    ilDeleteImages(1, &copy);
}

}  // namespace

Texture::Texture(char* fileName)
    : bytesPerPixel(0),
      width(0),
      height(0),
      format(0),
      data(nullptr),
      textureId(0),
      fileName(fileName),
      image(nullptr) {
    create();
    std::cout << "TEXTURE CREATED\n";
}

bool Texture::load() {
    ilInit();
    // Rows top first, whatever order the file keeps them in (a TGA or a BMP
    // keeps them bottom first): the models' texture coordinates expect the
    // picture as it is seen.
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
    iluInit();
    // ILUT's start-up sets GL pixel-store state; the game does not want that.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    ilutInit();
    glPopClientAttrib();
    const char* name = fileName != nullptr ? fileName : "(no name)";
    std::string reason;
    image = ImageFiles::lookUp(fileName, reason);
    if (image == nullptr) {
        std::cerr << name << ": " << reason << std::endl;
        return false;
    }
    bytesPerPixel = image->bytesPerPixel;
    height = image->height;
    width = image->width;
    format = image->format;
    data = ilGetData();
    // The image stays alive in DevIL: data points into it for the whole run.
    return true;
}

// Leaves the texture binding and the pixel-store state as it found them.
void Texture::create() {
    if (!load()) {
        return;
    }
    // A texture of the same picture is the same texture.
    if (image->texture != 0) {
        textureId = image->texture;
        return;
    }
    GLint previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    // Rows of 3-byte pixels are tightly packed: any width, not just multiples of 4.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);

    glGenTextures(1, &textureId);
    glBindTexture(GL_TEXTURE_2D, textureId);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GLfloat(GL_NEAREST_MIPMAP_NEAREST));
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GLfloat(GL_NEAREST));
    glTexImage2D(GL_TEXTURE_2D, 0, format, width, height, 0, GLenum(format), GL_UNSIGNED_BYTE,
                 data);
    // The whole mipmap chain, replacing level 0.
    buildMipmaps(format, width, height, data);

    glBindTexture(GL_TEXTURE_2D, GLuint(previous));
    glPopClientAttrib();
    image->texture = textureId;
}
