#include <GL/freeglut.h>

#include <cstdlib>

#include "app/GameWindow.h"
#include "app/Input.h"
#include "app/WindowIdentity.h"

int main(int argc, char** argv) {
    keepFreedHeap();
    bufferStandardOutput();
    glutInit(&argc, argv);
    glutInitDisplayMode(kDisplayMode);
    glutInitWindowSize(windowWidth, windowHeight);
    glutCreateWindow("Zumbra");
    WindowIdentity::apply();

    initGL();

    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutPassiveMotionFunc(passiveMotion);
    glutMouseFunc(mouse);
    glutKeyboardFunc(keyboard);
    glutSpecialFunc(special);
    glutIdleFunc(idle);
    // The held-key table needs releases too; repeats would only re-press.
    glutKeyboardUpFunc(keyboardUp);
    glutSpecialUpFunc(specialUp);
    glutIgnoreKeyRepeat(1);
    detectKeyRepeats();
    watchFocus();

    glutMainLoop();
    std::exit(0);
}
