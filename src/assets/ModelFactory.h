#pragma once

#include <list>

class Model;
class Texture;

// The one cache of models and textures. Models are shared by file name (text
// comparison); textures by the identity of the name buffer, so each material
// gets a texture of its own. Nothing is ever released.
class ModelFactory {
public:
    std::list<Model*>* models;      // creation order
    std::list<Texture*>* textures;  // creation order

    ModelFactory();
    ModelFactory(const ModelFactory&) = delete;
    ModelFactory& operator=(const ModelFactory&) = delete;

    // A cached model keeps the texture scale of the request that created it.
    Model* getModel(const char* fileName, float textureScale);
    Texture* getTexture(char* name);
    // Recompiles every model's display list in creation order (the wireframe switch).
    void rebuildDisplayLists();
};

// Created by the World's constructor; lives for the whole run.
extern ModelFactory* theModelFactory;

// Non-zero: display lists are compiled with lines instead of triangles.
extern int wireframeMode;
