#include "graphics/Transformations32.h"

#include "graphics/Blend32.h"
#include "graphics/LowLevel32.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <type_traits>

namespace {

template <typename T>
using Matrix3 = std::array<std::array<T, 3>, 3>;
using Matrix3d = Matrix3<double>;

constexpr Matrix3d IdentityD = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

template <typename T>
T DeterminantOf(const Matrix3<T>& M)
{
    return M[0][0] * (M[1][1] * M[2][2] - M[1][2] * M[2][1]) - M[0][1] * (M[1][0] * M[2][2] - M[1][2] * M[2][0]) +
           M[0][2] * (M[1][0] * M[2][1] - M[1][1] * M[2][0]);
}

// adj[i][j] is the cofactor of element [j][i].
template <typename T>
Matrix3<T> AdjugateOf(const Matrix3<T>& M)
{
    Matrix3<T> a;
    a[0][0] = M[1][1] * M[2][2] - M[1][2] * M[2][1];
    a[0][1] = -(M[0][1] * M[2][2] - M[0][2] * M[2][1]);
    a[0][2] = M[0][1] * M[1][2] - M[0][2] * M[1][1];
    a[1][0] = -(M[1][0] * M[2][2] - M[1][2] * M[2][0]);
    a[1][1] = M[0][0] * M[2][2] - M[0][2] * M[2][0];
    a[1][2] = -(M[0][0] * M[1][2] - M[0][2] * M[1][0]);
    a[2][0] = M[1][0] * M[2][1] - M[1][1] * M[2][0];
    a[2][1] = -(M[0][0] * M[2][1] - M[0][1] * M[2][0]);
    a[2][2] = M[0][0] * M[1][1] - M[0][1] * M[1][0];
    return a;
}

// A * B: A applies first.
template <typename T>
Matrix3<T> ProductOf(const Matrix3<T>& A, const Matrix3<T>& B)
{
    Matrix3<T> r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r[i][j] = A[i][0] * B[0][j] + A[i][1] * B[1][j] + A[i][2] * B[2][j];
    return r;
}

Matrix3d ToDouble(const TFloatMatrix& M)
{
    Matrix3d d;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            d[i][j] = M[i][j];
    return d;
}

// The exact inverse, or false when the matrix is singular (or not finite). Unlike Invert,
// a small determinant is no reason to give up: a shrink by 500 on both axes has one.
bool InverseOf(const Matrix3d& M, Matrix3d& Inverse)
{
    const double det = DeterminantOf(M);
    if (det == 0 || !std::isfinite(det))
        return false;
    Inverse = AdjugateOf(M);
    for (auto& row : Inverse)
        for (double& e : row)
            e /= det;
    return true;
}

int32_t Saturated(__int128 Value)
{
    return int32_t(std::clamp<__int128>(Value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

TRect BoundsOf(const double (&Xs)[4], const double (&Ys)[4], double Grow)
{
    const auto [minX, maxX] = std::minmax_element(std::begin(Xs), std::end(Xs));
    const auto [minY, maxY] = std::minmax_element(std::begin(Ys), std::end(Ys));
    return {RoundSaturated(*minX - Grow), RoundSaturated(*minY - Grow), RoundSaturated(*maxX + Grow),
            RoundSaturated(*maxY + Grow)};
}

} // namespace

// ---- Matrix routines ----

void Adjoint(TFloatMatrix& M)
{
    M = AdjugateOf(M);
}

float Determinant(const TFloatMatrix& M)
{
    return DeterminantOf(M);
}

void Scale(TFloatMatrix& M, float Factor)
{
    for (auto& row : M)
        for (float& e : row)
            e *= Factor;
}

void Invert(TFloatMatrix& M)
{
    const float det = Determinant(M);
    if (std::abs(det) < 1e-5f) {
        M = IdentityMatrix;
        return;
    }
    Adjoint(M);
    Scale(M, 1 / det);
}

TFloatMatrix Mult(const TFloatMatrix& M1, const TFloatMatrix& M2)
{
    return ProductOf(M2, M1);
}

TVector3f VectorTransform(const TFloatMatrix& M, const TVector3f& V)
{
    TVector3f r;
    for (int j = 0; j < 3; ++j)
        r[j] = V[0] * M[0][j] + V[1] * M[1][j] + V[2] * M[2][j];
    return r;
}

// ---- TTransformation ----

void TTransformation::SetSrcRect(const TFloatRect& Value)
{
    FSrcRect = Value;
    Invalidate();
}

// ---- TAffineTransformation ----

void TAffineTransformation::Clear()
{
    FMatrix = IdentityMatrix;
    Invalidate();
}

void TAffineTransformation::Append(const TFloatMatrix& Step)
{
    FMatrix = Mult(Step, FMatrix);
    Invalidate();
}

void TAffineTransformation::Translate(float Dx, float Dy)
{
    TFloatMatrix m = IdentityMatrix;
    m[2][0] = Dx;
    m[2][1] = Dy;
    Append(m);
}

void TAffineTransformation::Scale(float Sx, float Sy)
{
    TFloatMatrix m = IdentityMatrix;
    m[0][0] = Sx;
    m[1][1] = Sy;
    Append(m);
}

void TAffineTransformation::Skew(float Fx, float Fy)
{
    TFloatMatrix m = IdentityMatrix;
    m[1][0] = Fx;
    m[0][1] = Fy;
    Append(m);
}

void TAffineTransformation::Rotate(float Cx, float Cy, float Alpha)
{
    const bool aboutCentre = Cx != 0 || Cy != 0;
    if (aboutCentre)
        Translate(-Cx, -Cy);
    const double radians = double(Alpha) * std::numbers::pi / 180.0;
    const float c = float(std::cos(radians)), s = float(std::sin(radians));
    TFloatMatrix m = IdentityMatrix;
    m[0][0] = c;
    m[0][1] = -s;
    m[1][0] = s;
    m[1][1] = c;
    Append(m);
    if (aboutCentre)
        Translate(Cx, Cy);
}

void TAffineTransformation::PrepareTransform()
{
    Matrix3d inverse;
    FSingular = !InverseOf(ToDouble(FMatrix), inverse);
    if (!FSingular) {
        // Limited to 2^52 in magnitude; the positions are summed in 128 bits where 64
        // could overflow.
        const auto fixed = [](double v) {
            constexpr double limit = double(int64_t(1) << 52);
            return int64_t(std::nearbyint(std::clamp(v * 4096.0, -limit, limit)));
        };
        FInverse = {fixed(inverse[0][0]), fixed(inverse[1][0]), fixed(inverse[2][0]),
                    fixed(inverse[0][1]), fixed(inverse[1][1]), fixed(inverse[2][1])};
    }
    Validate();
}

// Rounding added before the shift: 2047 >> 12 gives whole pixels (halves down), 7 >> 4
// gives 1/256 pixel. The products reach 84 bits for near-singular matrices, so they
// are summed in 128 bits.
bool TAffineTransformation::MapFixed(int32_t DstX, int32_t DstY, int32_t Rounding, int Shift, int32_t& SrcX,
                                     int32_t& SrcY)
{
    EnsurePrepared();
    if (FSingular)
        return false;
    const TAffineFixedInverse& m = FInverse;
    using Wide = __int128;
    SrcX = Saturated((Wide(DstX) * m.m00 + Wide(DstY) * m.m10 + m.m20 + Rounding) >> Shift);
    SrcY = Saturated((Wide(DstX) * m.m01 + Wide(DstY) * m.m11 + m.m21 + Rounding) >> Shift);
    return true;
}

bool TAffineTransformation::Transform(int32_t DstX, int32_t DstY, int32_t& SrcX, int32_t& SrcY)
{
    return MapFixed(DstX, DstY, 2047, 12, SrcX, SrcY);
}

bool TAffineTransformation::Transform256(int32_t DstX, int32_t DstY, int32_t& SrcX256, int32_t& SrcY256)
{
    return MapFixed(DstX, DstY, 7, 4, SrcX256, SrcY256);
}

TRect TAffineTransformation::GetTransformedBounds()
{
    const TFloatRect& r = SrcRect();
    const double cornerX[4] = {r.Left, r.Right, r.Right, r.Left};
    const double cornerY[4] = {r.Top, r.Top, r.Bottom, r.Bottom};
    const Matrix3d m = ToDouble(FMatrix);
    double xs[4], ys[4];
    for (int i = 0; i < 4; ++i) {
        xs[i] = cornerX[i] * m[0][0] + cornerY[i] * m[1][0] + m[2][0];
        ys[i] = cornerX[i] * m[0][1] + cornerY[i] * m[1][1] + m[2][1];
    }
    return BoundsOf(xs, ys, 0);
}

// ---- TProjectiveTransformation ----

void TProjectiveTransformation::PrepareTransform()
{
    const double X0 = FX[0], X1 = FX[1], X2 = FX[2], X3 = FX[3];
    const double Y0 = FY[0], Y1 = FY[1], Y2 = FY[2], Y3 = FY[3];
    // The unit square onto the quadrilateral.
    Matrix3d quad = IdentityD;
    const double sx = X0 - X1 + X2 - X3, sy = Y0 - Y1 + Y2 - Y3;
    if (sx == 0 && sy == 0) {
        quad[0][0] = X1 - X0;
        quad[1][0] = X2 - X1;
        quad[2][0] = X0;
        quad[0][1] = Y1 - Y0;
        quad[1][1] = Y2 - Y1;
        quad[2][1] = Y0;
    } else {
        const double dx1 = X1 - X2, dx2 = X3 - X2, dy1 = Y1 - Y2, dy2 = Y3 - Y2;
        const double den = dx1 * dy2 - dx2 * dy1;
        if (den == 0)
            throw ETransformError("The corners of the projective transformation are not a usable quadrilateral: "
                                  "corners 1, 2 and 3 lie on one line; move one of them off it");
        const double g = (sx * dy2 - sy * dx2) / den;
        const double h = (dx1 * sy - dy1 * sx) / den;
        quad[0][0] = g * X1 + X1 - X0;
        quad[1][0] = h * X3 + X3 - X0;
        quad[2][0] = X0;
        quad[0][1] = g * Y1 + Y1 - Y0;
        quad[1][1] = h * Y3 + Y3 - Y0;
        quad[2][1] = Y0;
        quad[0][2] = g;
        quad[1][2] = h;
    }
    // The source rectangle onto the unit square, then the square onto the quadrilateral.
    const TFloatRect& r = SrcRect();
    const double width = double(r.Right) - r.Left, height = double(r.Bottom) - r.Top;
    FSingular = width == 0 || height == 0;
    if (!FSingular) {
        Matrix3d toUnit = IdentityD;
        toUnit[0][0] = 1 / width;
        toUnit[1][1] = 1 / height;
        toUnit[2][0] = -r.Left / width;
        toUnit[2][1] = -r.Top / height;
        FSingular = !InverseOf(ProductOf(toUnit, quad), FInverse);
    }
    Validate();
}

bool TProjectiveTransformation::Transform(int32_t DstX, int32_t DstY, int32_t& SrcX, int32_t& SrcY)
{
    EnsurePrepared();
    return TransformPrepared(DstX, DstY, SrcX, SrcY);
}

bool TProjectiveTransformation::Transform256(int32_t DstX, int32_t DstY, int32_t& SrcX256, int32_t& SrcY256)
{
    EnsurePrepared();
    return Transform256Prepared(DstX, DstY, SrcX256, SrcY256);
}

TRect TProjectiveTransformation::GetTransformedBounds()
{
    const double xs[4] = {FX[0], FX[1], FX[2], FX[3]};
    const double ys[4] = {FY[0], FY[1], FY[2], FY[3]};
    return BoundsOf(xs, ys, 0.5);
}
