// The view transform of the viewer: a 4 x 4 matrix as OpenGL keeps it (column-major),
// built from an orthographic box and the rotations and shifts of the controls, each
// multiplied on the right, so that every rotation and shift acts on the model's own axes.
#pragma once

#include <array>

namespace vrnnec::viewer {

class Matrix4 {
public:
    Matrix4(); // the identity
    static Matrix4 Ortho(double left, double right, double bottom, double top, double nearValue, double farValue);
    // A rotation by `degrees` about the axis (x, y, z), as glRotate builds it.
    static Matrix4 Rotation(double degrees, double x, double y, double z);
    static Matrix4 Translation(double x, double y, double z);
    static Matrix4 Scale(double x, double y, double z);

    Matrix4 operator*(const Matrix4& right) const;
    // The matrix applied to the point (x, y, z, 1).
    std::array<double, 4> apply(double x, double y, double z) const;

    const std::array<double, 16>& data() const { return m_; } // column-major
    double at(int row, int column) const { return m_[column * 4 + row]; }

private:
    std::array<double, 16> m_;
};

// The square drawing area of the window: its side and where it stands.
struct Viewport {
    int x = 5, y = 0, side = 300;
};

// The drawing square at the top of a client area of the given size, with 5-pixel margins:
// side = width - 10, lower edge at height - side - 5 (OpenGL window coordinates).
Viewport ViewportFor(int clientWidth, int clientHeight);

// The rotation steps of the track bars (10 degrees each) and the shift steps of the
// up-downs (0.1 view units each).
inline constexpr double kRotationStep = 10.0;
inline constexpr double kShiftStep = 0.1;

// The view transform and the control positions it was last built from.
class ViewTransform {
public:
    ViewTransform() { reset(); }

    // The initial view: the orthographic box -1..1 (depth 50 to -50), rotated 225 degrees
    // about Z and -65 degrees about (-1, 1, 0): Z points up, X to the lower left, Y to the
    // lower right. The positions return to 18 and 0.
    void reset();

    // The handlers of the controls: the difference to the last applied position.
    void setRotationZ(int position);  // `TrackBar1`: about (0, 0, 1)
    void setRotationXY(int position); // `TrackBar2`: about (-1, 1, 0)
    void setShift(int axis, int position);

    const Matrix4& matrix() const { return matrix_; }
    int rotationZ() const { return rotationZ_; }
    int rotationXY() const { return rotationXY_; }
    int shift(int axis) const { return shift_[axis]; }

private:
    Matrix4 matrix_;
    int rotationZ_ = 18, rotationXY_ = 18;
    std::array<int, 3> shift_{0, 0, 0};
};

inline constexpr int kInitialRotation = 18;

// The matrix a picture of width x height pixels draws with: the view's box of -1..1
// widened along the longer side, so that the model keeps its proportions and the size it
// has in a square of the shorter side, and a larger picture shows more room around it.
// A square picture draws with the view's matrix itself.
Matrix4 PictureMatrix(const Matrix4& view, double width, double height);

// Where a model point lands in a picture of width x height pixels drawn with
// PictureMatrix (x to the right, y downwards from the picture's top left corner).
std::array<double, 2> ProjectToPicture(const Matrix4& view, double width, double height, double x, double y,
                                       double z);

// Where a model point lands in window pixels (x to the right, y downwards from the top of
// a client area of height `clientHeight`).
std::array<double, 2> ProjectToPixel(const Matrix4& matrix, const Viewport& viewport, int clientHeight, double x,
                                     double y, double z);

} // namespace vrnnec::viewer
