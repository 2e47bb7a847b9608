#pragma once

class Node;

// The stencil shadow pass over a drawn scene: depth-pass counting of every
// shadow volume in the tree, then one darkening over the whole view.
//
// Expects the scene's depth buffer and a modelview holding the view; leaves
// colour, depth, enable, polygon and stencil state as it found them, and the
// volumes as the last castShadow built them.
//
// Counting: a pixel's stencil ends up as kCountFrom plus the number of
// volume faces in front of its surface that face the viewer, less those
// that face away; the pixel is in shadow where that is above kCountFrom.
// The two passes draw the volumes twice with back-face culling, counting
// up, then down. One pass draws them once with culling off, front faces up
// and back faces down, in whatever order they come: counting from the
// middle of the stencil's range, no pixel's count runs into either end on
// the way (the ops wrap all the same), so both ways give every pixel the
// same count. Where more faces lead out of a volume than into it (an eye
// inside a volume, a volume that is not closed) the count ends below
// kCountFrom and the pixel stays lit, as it does when the two passes stop
// at zero.
//
// The darkening covers the whole viewport at any aspect: a quad at eye
// depth 1 (the near plane) under an identity projection, so it is fogged as
// the nearest thing in view would be, whatever the window's shape.
class ShadowPass {
public:
    // The stencil value of a pixel no volume covers: the frame clears the
    // stencil to it.
    static constexpr int kCountFrom = 128;

    enum Counting {
        kTwoPasses,  // any GL
        kSeparate,   // glStencilOpSeparate (GL 2.0)
        kTwoSideExt  // GL_EXT_stencil_two_side with GL_EXT_stencil_wrap or GL 1.4
    };

    // The cheapest counting the current context offers: one pass where the
    // driver has two-sided stencil and wrap-around increments.
    static Counting bestCounting();
    // Whether the context can count that way; asked of the first context
    // current when it is called, and kept.
    static bool supports(Counting counting);

    // Counts root's volumes into the stencil buffer and darkens the pixels
    // whose count ends above kCountFrom.
    static void draw(Node& root, Counting counting);
};
