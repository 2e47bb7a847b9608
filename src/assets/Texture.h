#pragma once

#include <GL/gl.h>

#include "assets/ImageFiles.h"

// One image file as a mipmapped 8-bit RGB GL texture, read through DevIL.
// Made only by ModelFactory::getTexture; never destroyed. An image that fails
// to load keeps textureId 0, so the material using it draws untextured.
// Textures of one file share its decoded image and its GL texture (see
// ImageFiles).
class Texture {
public:
    int bytesPerPixel;
    int width;
    int height;
    int format;
    unsigned char* data;  // DevIL's buffer; the image is never deleted
    GLuint textureId;
    char* fileName;  // the material's buffer itself: the cache compares this pointer

    explicit Texture(char* fileName);
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    void create();
    bool load();
    GLuint getId() const { return textureId; }
    char* getName() const { return fileName; }

private:
    ImageFiles::Image* image;  // what load found; shared by every texture of the file
};
