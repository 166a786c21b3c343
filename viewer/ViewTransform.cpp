#include "viewer/ViewTransform.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vrnnec::viewer {

Matrix4::Matrix4() : m_{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}
{}

Matrix4 Matrix4::Ortho(double l, double r, double b, double t, double n, double f)
{
    Matrix4 o;
    o.m_[0] = 2 / (r - l);
    o.m_[5] = 2 / (t - b);
    o.m_[10] = -2 / (f - n);
    o.m_[12] = -(r + l) / (r - l);
    o.m_[13] = -(t + b) / (t - b);
    o.m_[14] = -(f + n) / (f - n);
    return o;
}

Matrix4 Matrix4::Rotation(double degrees, double x, double y, double z)
{
    const double length = std::sqrt(x * x + y * y + z * z);
    Matrix4 r;
    if (!(length > 0))
        return r;
    x /= length;
    y /= length;
    z /= length;
    const double a = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(a), s = std::sin(a), k = 1 - c;
    // Column-major: element (row, column) at column * 4 + row.
    r.m_ = {x * x * k + c,
            y * x * k + z * s,
            x * z * k - y * s,
            0, //
            x * y * k - z * s,
            y * y * k + c,
            y * z * k + x * s,
            0, //
            x * z * k + y * s,
            y * z * k - x * s,
            z * z * k + c,
            0, //
            0,
            0,
            0,
            1};
    return r;
}

Matrix4 Matrix4::Translation(double x, double y, double z)
{
    Matrix4 t;
    t.m_[12] = x;
    t.m_[13] = y;
    t.m_[14] = z;
    return t;
}

Matrix4 Matrix4::Scale(double x, double y, double z)
{
    Matrix4 s;
    s.m_[0] = x;
    s.m_[5] = y;
    s.m_[10] = z;
    return s;
}

Matrix4 Matrix4::operator*(const Matrix4& right) const
{
    Matrix4 p;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column) {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += at(row, k) * right.at(k, column);
            p.m_[column * 4 + row] = sum;
        }
    return p;
}

std::array<double, 4> Matrix4::apply(double x, double y, double z) const
{
    std::array<double, 4> out{};
    for (int row = 0; row < 4; ++row)
        out[row] = at(row, 0) * x + at(row, 1) * y + at(row, 2) * z + at(row, 3);
    return out;
}

Viewport ViewportFor(int clientWidth, int clientHeight)
{
    Viewport v;
    v.side = clientWidth - 10;
    v.x = 5;
    v.y = clientHeight - v.side - 5;
    return v;
}

void ViewTransform::reset()
{
    matrix_ =
        Matrix4::Ortho(-1, 1, -1, 1, 50, -50) * Matrix4::Rotation(225, 0, 0, 1) * Matrix4::Rotation(-65, -1, 1, 0);
    rotationZ_ = kInitialRotation;
    rotationXY_ = kInitialRotation;
    shift_ = {0, 0, 0};
}

void ViewTransform::setRotationZ(int position)
{
    matrix_ = matrix_ * Matrix4::Rotation((position - rotationZ_) * kRotationStep, 0, 0, 1);
    rotationZ_ = position;
}

void ViewTransform::setRotationXY(int position)
{
    matrix_ = matrix_ * Matrix4::Rotation((position - rotationXY_) * kRotationStep, -1, 1, 0);
    rotationXY_ = position;
}

void ViewTransform::setShift(int axis, int position)
{
    const double d = (position - shift_[axis]) * kShiftStep;
    matrix_ = matrix_ * Matrix4::Translation(axis == 0 ? d : 0, axis == 1 ? d : 0, axis == 2 ? d : 0);
    shift_[axis] = position;
}

Matrix4 PictureMatrix(const Matrix4& view, double width, double height)
{
    if (!(width > 0) || !(height > 0) || width == height)
        return view;
    const double side = std::min(width, height);
    return Matrix4::Scale(side / width, side / height, 1) * view;
}

std::array<double, 2> ProjectToPicture(const Matrix4& view, double width, double height, double x, double y,
                                       double z)
{
    const std::array<double, 4> clip = PictureMatrix(view, width, height).apply(x, y, z);
    const double nx = clip[0] / clip[3], ny = clip[1] / clip[3];
    return {(nx + 1) / 2 * width, (1 - ny) / 2 * height};
}

std::array<double, 2> ProjectToPixel(const Matrix4& matrix, const Viewport& viewport, int clientHeight, double x,
                                     double y, double z)
{
    const std::array<double, 4> clip = matrix.apply(x, y, z);
    const double nx = clip[0] / clip[3], ny = clip[1] / clip[3];
    const double windowX = viewport.x + (nx + 1) / 2 * viewport.side;
    const double windowY = viewport.y + (ny + 1) / 2 * viewport.side;
    return {windowX, clientHeight - windowY};
}

} // namespace vrnnec::viewer
