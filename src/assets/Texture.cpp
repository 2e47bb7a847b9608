#include "assets/Texture.h"

#include <GL/glu.h>
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>

#include <iostream>
#include <string>

#include "assets/RegularFile.h"

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
      fileName(fileName) {
    create();
    std::cout << "TEXTURE CREATED\n";
}

bool Texture::load() {
    ilInit();
    iluInit();
    // ILUT's start-up sets GL pixel-store state; the game does not want that.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    ilutInit();
    glPopClientAttrib();
    const char* name = fileName != nullptr ? fileName : "(no name)";
    // DevIL opens the file itself: it must not meet a FIFO or a device there.
    std::string refused;
    if (!RegularFile::check(fileName, &refused)) {
        std::cerr << name << ": " << refused << std::endl;
        return false;
    }
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    if (ilLoadImage(fileName) == IL_FALSE) {
        const ILenum error = ilGetError();
        std::cerr << name << ": cannot load image: " << iluErrorString(error) << std::endl;
        ilDeleteImages(1, &image);
        return false;
    }
    ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE);
    bytesPerPixel = ilGetInteger(IL_IMAGE_BPP);
    height = ilGetInteger(IL_IMAGE_HEIGHT);
    width = ilGetInteger(IL_IMAGE_WIDTH);
    format = ilGetInteger(IL_IMAGE_FORMAT);
    data = ilGetData();
    // The image stays alive in DevIL: data points into it for the whole run.
    return true;
}

// Leaves the texture binding and the pixel-store state as it found them.
void Texture::create() {
    if (!load()) {
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
}
