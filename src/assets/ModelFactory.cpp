#include "assets/ModelFactory.h"

#include <cstring>
#include <iostream>

#include "assets/Model.h"
#include "assets/Texture.h"

ModelFactory* theModelFactory = nullptr;
int wireframeMode = 0;

ModelFactory::ModelFactory()
    : models(new std::list<Model*>()), textures(new std::list<Texture*>()) {
    std::cout << "modelFactory Created!!!\n";
}

Model* ModelFactory::getModel(const char* fileName, float textureScale) {
    const bool first = models->empty();
    if (!first && fileName != nullptr) {
        for (Model* model : *models) {
            const char* name = model->getFileName();
            if (name != nullptr && std::strcmp(name, fileName) == 0) {
                std::cout << "Pointer to existing Model returned: " << fileName << '\n';
                return model;
            }
        }
    }
    // Printed after construction, so the texture lines of the load come first.
    Model* model = new Model(fileName, textureScale);
    models->push_back(model);
    std::cout << (first ? "First Model created: " : "New Model created: ")
              << (fileName != nullptr ? fileName : "") << '\n';
    return model;
}

Texture* ModelFactory::getTexture(char* name) {
    const bool first = textures->empty();
    for (Texture* texture : *textures) {
        if (texture->getName() == name) {
            std::cout << "Pointer to existing Texture returned: " << (name != nullptr ? name : "")
                      << '\n';
            return texture;
        }
    }
    Texture* texture = new Texture(name);
    textures->push_back(texture);
    std::cout << (first ? "First Texture created: " : "New Texture created: ")
              << (name != nullptr ? name : "") << '\n';
    return texture;
}

void ModelFactory::rebuildDisplayLists() {
    for (Model* model : *models) {
        model->resolveTextures();
        model->buildDisplayList();
    }
}
