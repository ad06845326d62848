// The shared matrix core (used by the web layer and the recording GL)
// against the desktop's libGLU and Mesa: the same matrices, call for call.
#include <gtest/gtest.h>

#include <functional>

#include "glcore/matrix.h"
#include "render/render_fixture.h"

namespace {

struct MatrixCase {
    const char* what;
    std::function<void()> gl;
    glcore::Mat4 ours;
};

TEST(MatrixTest, CoreMatricesEqualLibGLUAndMesa)
{
    if (!openRealWindow())
        GTEST_FAIL() << "no display: run under xvfb-run";
    const MatrixCase cases[] = {
        {"perspective 800 x 600", [] { gluPerspective(60, 800.0 / 600.0, 0.01, 100); },
         glcore::perspective(60, 800.0 / 600.0, 0.01, 100)},
        {"perspective 1000 x 300", [] { gluPerspective(60, 1000.0 / 300.0, 0.01, 100); },
         glcore::perspective(60, 1000.0 / 300.0, 0.01, 100)},
        {"look-at from the start", [] { gluLookAt(0, 0, 5, 0, 0, 4, 0, 1, 0); }, glcore::lookAt(0, 0, 5, 0, 0, 4, 0, 1, 0)},
        {"look-at after turning and walking", [] { gluLookAt(0.124f, 0, 4.9f, 1.121f, 0, 4.83f, 0, 1, 0); },
         glcore::lookAt(0.124f, 0, 4.9f, 1.121f, 0, 4.83f, 0, 1, 0)},
        {"look-at from above, tilted up", [] { gluLookAt(1, 3, 2, -0.5, 0.2, 0.1, 0.1, 1, 0.2); },
         glcore::lookAt(1, 3, 2, -0.5, 0.2, 0.1, 0.1, 1, 0.2)},
        {"orthographic cube", [] { glOrtho(-5, 5, -5, 5, -5, 5); }, glcore::ortho(-5, 5, -5, 5, -5, 5)},
        {"turn about an odd axis", [] { glRotatef(-37.5f, 0.3f, 1, -0.2f); }, glcore::rotation(-37.5f, 0.3f, 1, -0.2f)},
        {"move, turn and scale",
         [] {
             glTranslatef(1.75f, 2.31f, -0.5f);
             glRotatef(30, 0, 1, 0);
             glScalef(0.08f, 0.045f, 0.025f);
         },
         glcore::multiply(glcore::multiply(glcore::translation(1.75f, 2.31f, -0.5f), glcore::rotation(30, 0, 1, 0)),
                          glcore::scaling(0.08f, 0.045f, 0.025f))},
    };
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    for (const MatrixCase& c : cases) {
        glLoadIdentity();
        c.gl();
        float theirs[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, theirs);
        for (int i = 0; i < 16; i++)
            EXPECT_NEAR(c.ours.m[i], theirs[i], 2e-6f * (1 + std::abs(theirs[i]))) << c.what << ", element " << i;
    }
    glPopMatrix();
}

}  // namespace
