#pragma once

// The game: owns every object and carries the rules. The window code reads
// the view fields below; update and render are called once per frame.
class World {
public:
    double aspect;
    double farPlane;
    double nearPlane;
    double fieldOfView;
    int width;   // 1024 for the whole run: mouse look and leaving full screen use it
    int height;  // 768, likewise

    World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    void update(int frameRate);
    void render();
};
