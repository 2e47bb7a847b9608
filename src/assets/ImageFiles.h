#pragma once

#include <GL/gl.h>
#include <IL/il.h>

#include <string>

// The picture files the textures are made from, each read and decoded once
// and uploaded to GL once for the whole run. Every material has a texture
// of its own, but many name the same file (the floor's sixteen tile models
// share one picture): decoding and uploading it for each was two thirds of
// the work before the first frame, and as much memory again for each copy.
//
// A file is known by its name and by what stat says of it (device, inode,
// size, time of change), so one that changed is read anew. Images and GL
// textures live to the end of the run, as textures do.
class ImageFiles {
public:
    struct Image {
        ILuint name;  // the DevIL image, converted to 8-bit RGB; stays bound after lookUp
        int bytesPerPixel;
        int width;
        int height;
        int format;
        GLuint texture;  // 0 until a texture has been made from it
    };

    // The decoded image of a plain file, read the first time it is asked
    // for; null with reason set when it is no plain file or DevIL cannot
    // read it. DevIL must have been started.
    static Image* lookUp(const char* fileName, std::string& reason);
};
