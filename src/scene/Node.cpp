#include "scene/Node.h"

#include <GL/gl.h>

Node::Node() : children(new std::list<Node*>()) {}

Node::~Node() {
    delete children;
}

void Node::update(int /*frameRate*/) {}
void Node::draw() {}
void Node::castShadow(float /*x*/, float /*y*/, float /*z*/) {}
void Node::drawShadowVolume() {}

void Node::addChild(Node* child) {
    children->push_back(child);
}

void Node::removeChild(Node* child) {
    children->remove(child);
}

void Node::updateTree(int frameRate) {
    for (Node* child : *children) {
        child->updateTree(frameRate);
    }
    update(frameRate);
}

void Node::drawTree() {
    for (Node* child : *children) {
        child->drawTree();
    }
    glPushMatrix();
    draw();
    glPopMatrix();
}

void Node::castShadowTree(float x, float y, float z) {
    for (Node* child : *children) {
        child->castShadowTree(x, y, z);
    }
    castShadow(x, y, z);
}

void Node::drawShadowVolumeTree() {
    for (Node* child : *children) {
        child->drawShadowVolumeTree();
    }
    glPushMatrix();
    drawShadowVolume();
    glPopMatrix();
}
