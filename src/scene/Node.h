#pragma once

#include <list>

// Everything the game updates and draws is a Node. The level is a flat tree:
// the World's root holds every scene object as a direct child.
//
// Walks are post-order (children first, then the node itself), and every draw
// runs inside its own glPushMatrix/glPopMatrix, so no transform leaks from
// one node to the next and a draw may change the modelview matrix freely.
//
// A node does not own its children: removing one only unlinks it.
class Node {
public:
    // Insertion order; the list object belongs to this node, the nodes in it do not.
    std::list<Node*>* children;

    Node();
    virtual ~Node();
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    virtual void update(int frameRate);
    virtual void draw();
    virtual void castShadow(float x, float y, float z);
    virtual void drawShadowVolume();

    // Appends without checks: a node added twice is visited twice.
    void addChild(Node* child);
    // Unlinks every occurrence of child; an absent pointer changes nothing.
    void removeChild(Node* child);

    void updateTree(int frameRate);
    void drawTree();
    void castShadowTree(float x, float y, float z);
    void drawShadowVolumeTree();
};
