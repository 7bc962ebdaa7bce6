// The demo character's pieces: head, torso, hips, arms and legs as lathed shapes.
#include "sample/Body.h"

#include "sample/SkinLayout.h"

namespace varp::sample {

namespace {

// The character's right is -y (it faces +x with z up).
constexpr double Right = -1.0, Left = 1.0;
constexpr double ShoulderY = 8.5, HipY = 3.3;

Lathe Column(double x, double y, double topZ, double bottomZ, std::vector<Ring> rings,
             int segments) {
    Lathe piece;
    piece.segments = segments;
    piece.top = {x, y, topZ};
    piece.bottom = {x, y, bottomZ};
    for (Ring& r : rings) {
        r.cx += x;
        r.cy += y;
    }
    piece.rings = std::move(rings);
    return piece;
}

Lathe WithSkin(Lathe piece, const SkinRect& skin, int bone) {
    piece.skin = skin;
    piece.bone = bone;
    return piece;
}

void AddArm(Mesh& mesh, double side) {
    const bool right = side < 0;
    const double y = side * ShoulderY;
    const Lathe upper =
        Column(0.0, y, 19.2, 10.0,
               {{18.4, 1.9, 1.9}, {16.0, 2.0, 2.0}, {13.0, 1.8, 1.8}, {10.4, 1.6, 1.6}}, 8);
    AddLathe(mesh, WithSkin(upper, right ? layout::UpperArmRight : layout::UpperArmLeft,
                            right ? UpperArmRight : UpperArmLeft));
    // The gauntlet flares below the elbow and narrows again at the wrist.
    const Lathe fore = Column(
        0.0, y, 11.0, 3.3,
        {{10.6, 1.6, 1.6}, {8.5, 1.9, 1.9}, {6.5, 2.1, 2.0}, {4.5, 1.7, 1.7}, {3.6, 1.4, 1.4}}, 8);
    const int forearmBone = right ? ForearmRight : ForearmLeft;
    AddLathe(mesh, WithSkin(fore, right ? layout::ForearmRight : layout::ForearmLeft, forearmBone));
    const Lathe hand = Ellipsoid({0.2, y, 2.0}, 1.2, 0.95, 1.8, 6, 3);
    AddLathe(mesh, WithSkin(hand, right ? layout::HandRight : layout::HandLeft, forearmBone));
    const Lathe pad = Ellipsoid({0.0, side * 8.7, 18.7}, 3.0, 2.7, 1.7, 8, 3);
    AddLathe(mesh, WithSkin(pad, right ? layout::PadRight : layout::PadLeft, Chest));
}

void AddLeg(Mesh& mesh, double side) {
    const bool right = side < 0;
    const double y = side * HipY;
    const Lathe thigh = Column(
        0.0, y, 1.2, -12.0,
        {{0.5, 2.7, 2.6}, {-3.0, 2.7, 2.5}, {-6.5, 2.4, 2.2}, {-10.0, 2.0, 1.9}, {-11.6, 1.8, 1.8}},
        8);
    AddLathe(mesh, WithSkin(thigh, right ? layout::ThighRight : layout::ThighLeft,
                            right ? ThighRight : ThighLeft));
    // The greave bulges forward over the shin.
    const Lathe shin = Column(
        0.0, y, -10.4, -19.8,
        {{-10.8, 1.9, 1.9, 0.1}, {-13.5, 2.1, 2.0, 0.3}, {-16.5, 1.8, 1.8, 0.2}, {-19.5, 1.6, 1.6}},
        8);
    AddLathe(mesh, WithSkin(shin, right ? layout::ShinRight : layout::ShinLeft,
                            right ? ShinRight : ShinLeft));
    // The boot: a round top and a sole that reaches forward to the toe; flat top and sole.
    Lathe boot = Column(
        0.0, y, -18.6, -24.0,
        {{-18.6, 2.0, 1.9}, {-21.0, 2.6, 2.1, 0.7}, {-23.2, 3.3, 2.2, 1.2}, {-24.0, 3.2, 2.1, 1.2}},
        8);
    boot.bottom.x = 1.2;
    AddLathe(mesh, WithSkin(boot, right ? layout::BootRight : layout::BootLeft,
                            right ? FootRight : FootLeft));
}

}  // namespace

const Skeleton& BodySkeleton() {
    static const Skeleton skeleton = {
        {-1, Hips, Chest, Chest, UpperArmRight, Chest, UpperArmLeft, Hips, ThighRight, Hips,
         ThighLeft, ShinRight, ShinLeft},
        {{0, 0, 1.0},
         {0, 0, 4.0},
         {0, 0, 20.5},
         {0, Right * ShoulderY, 17.6},
         {0, Right * ShoulderY, 10.3},
         {0, Left * ShoulderY, 17.6},
         {0, Left * ShoulderY, 10.3},
         {0, Right * HipY, -0.5},
         {0, Right * HipY, -11.2},
         {0, Left * HipY, -0.5},
         {0, Left * HipY, -11.2},
         {0, Right * HipY, -19.5},
         {0, Left * HipY, -19.5}},
    };
    return skeleton;
}

Mesh BuildBody() {
    Mesh mesh;
    // Head: an egg a little ahead of the neck so the face leads; a crest runs front to back.
    AddLathe(mesh, WithSkin(Ellipsoid({0.4, 0.0, 25.7}, 4.3, 3.9, 5.0, 12, 6), layout::Head, Head));
    Lathe crest = Column(-0.5, 0.0, 31.0, 29.2, {{31.0, 3.0, 0.55}, {29.2, 3.0, 0.55}}, 8);
    crest.boxy = true;
    AddLathe(mesh, WithSkin(crest, layout::Crest, Head));
    AddLathe(mesh, WithSkin(Column(0.0, 0.0, 22.0, 19.5, {{22.0, 1.8, 1.8}, {19.5, 2.0, 2.0}}, 8),
                            layout::Neck, Head));

    // Torso: broad at the shoulders, the chest pushed forward, narrow at the waist.
    const Lathe torso = Column(0.0, 0.0, 20.2, 4.5,
                               {{20.2, 2.6, 4.6},
                                {18.8, 3.6, 6.6, 0.1},
                                {15.5, 4.0, 6.7, 0.4},
                                {12.0, 3.9, 6.0, 0.4},
                                {8.0, 3.4, 5.0, 0.2},
                                {4.5, 3.1, 4.6}},
                               12);
    AddLathe(mesh, WithSkin(torso, layout::Torso, Chest));
    Lathe pack = Column(-4.6, 0.0, 17.0, 9.0, {{17.0, 1.3, 3.4}, {9.0, 1.3, 3.4}}, 8);
    pack.boxy = true;
    AddLathe(mesh, WithSkin(pack, layout::Backpack, Chest));
    const Lathe pelvis =
        Column(0.0, 0.0, 5.0, -3.0,
               {{5.0, 3.3, 4.9}, {2.0, 3.5, 5.3}, {-1.5, 3.2, 5.0}, {-3.0, 2.4, 3.8}}, 12);
    AddLathe(mesh, WithSkin(pelvis, layout::Pelvis, Hips));

    AddArm(mesh, Right);
    AddArm(mesh, Left);
    AddLeg(mesh, Right);
    AddLeg(mesh, Left);
    return mesh;
}

}  // namespace varp::sample
