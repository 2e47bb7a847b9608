// The yardstick for the game's start: a GLUT window of the game's size and
// display mode that clears and swaps, and nothing else. Links only GLUT and GL.
#include <GL/freeglut.h>

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_STENCIL | GLUT_DEPTH);
    glutInitWindowSize(1024, 768);
    glutCreateWindow("Empty");
    glutDisplayFunc([] {
        glClearColor(1.0f, 0.7f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        glutSwapBuffers();
    });
    glutIdleFunc(glutPostRedisplay);
    glutMainLoop();
    return 0;
}
