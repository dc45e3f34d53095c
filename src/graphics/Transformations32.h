#pragma once
// Geometric transformations: 3 x 3 matrix routines, transformation objects that map each
// destination pixel back to a source position, and Transform, which draws a source bitmap
// through a transformation into a destination bitmap.
//
// Points are row vectors (x, y, 1) multiplied from the left: the image of v is v * M, so
// the third row holds the translation and M1 * M2 applies M1 first.
#include "graphics/Bitmap32.h"
#include "graphics/LowLevel32.h"
#include "graphics/Transforms32.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

// Row by row: element [i][j] is the (3 i + j)-th float.
using TFloatMatrix = std::array<std::array<float, 3>, 3>;
using TVector3f = std::array<float, 3>;

inline constexpr TFloatMatrix IdentityMatrix = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

// In place: the adjugate (the transposed matrix of cofactors).
void Adjoint(TFloatMatrix& M);
float Determinant(const TFloatMatrix& M);
// Every element times Factor.
void Scale(TFloatMatrix& M, float Factor);
// In place. A matrix whose determinant is below 1e-5 in magnitude becomes the identity.
void Invert(TFloatMatrix& M);
// result[i][j] = sum over k of M2[i][k] * M1[k][j], that is M2 * M1: M2 applies first.
TFloatMatrix Mult(const TFloatMatrix& M1, const TFloatMatrix& M2);
// result[j] = sum over i of V[i] * M[i][j].
TVector3f VectorTransform(const TFloatMatrix& M, const TVector3f& V);

// Maps destination pixels back onto the source. Source positions are pixel coordinates
// in which pixel (i, j) sits at the point (i, j). The mapping is prepared (inverted) on
// first use after any change; the per-point operations prepare it themselves.
class TTransformation {
public:
    virtual ~TTransformation() = default;

    const TFloatRect& SrcRect() const { return FSrcRect; }
    void SetSrcRect(const TFloatRect& Value);
    bool TransformValid() const { return FTransformValid; }

    // The source pixel that destination pixel (DstX, DstY) shows; false when the point has
    // no source position (a degenerate mapping, or a point on the horizon).
    virtual bool Transform(int32_t DstX, int32_t DstY, int32_t& SrcX, int32_t& SrcY) = 0;
    // The same with source coordinates in 1/256 pixel.
    virtual bool Transform256(int32_t DstX, int32_t DstY, int32_t& SrcX256, int32_t& SrcY256) = 0;
    virtual void PrepareTransform() = 0;
    // The destination rectangle that the source rectangle covers.
    virtual TRect GetTransformedBounds() = 0;

protected:
    void Invalidate() { FTransformValid = false; }
    void Validate() { FTransformValid = true; }
    void EnsurePrepared()
    {
        if (!FTransformValid)
            PrepareTransform();
    }

private:
    TFloatRect FSrcRect{};
    bool FTransformValid = false;
};

// The inverse mapping of an affine transformation in fixed point, each value the inverse
// matrix element times 4096, rounded (and limited to 2^52 in magnitude, so that a
// near-singular matrix keeps the ratios of its entries):
//   source x = x * m00 + y * m10 + m20,  source y = x * m01 + y * m11 + m21.
struct TAffineFixedInverse {
    int64_t m00 = 4096, m10 = 0, m20 = 0;
    int64_t m01 = 0, m11 = 4096, m21 = 0;
};

// A matrix built from translations, scalings, skews and rotations, applied in the order
// they are called.
class TAffineTransformation : public TTransformation {
public:
    TAffineTransformation() { Clear(); }

    const TFloatMatrix& Matrix() const { return FMatrix; }
    // Back to the identity.
    void Clear();
    void Translate(float Dx, float Dy);
    void Scale(float Sx, float Sy);
    // x' = x + Fx * y and y' = y + Fy * x.
    void Skew(float Fx, float Fy);
    // Degrees, about (Cx, Cy): x' = x cos + y sin and y' = y cos - x sin about it, so with y down
    // positive angles turn anticlockwise on screen (90 takes a point to the right of the
    // centre to above it).
    void Rotate(float Cx, float Cy, float Alpha);

    bool Transform(int32_t DstX, int32_t DstY, int32_t& SrcX, int32_t& SrcY) override;
    bool Transform256(int32_t DstX, int32_t DstY, int32_t& SrcX256, int32_t& SrcY256) override;
    void PrepareTransform() override;
    TRect GetTransformedBounds() override;

    // After preparation. A singular matrix (everything drawn onto a line or a point) has no
    // inverse: no destination pixel then has a source position.
    const TAffineFixedInverse& FixedInverse()
    {
        EnsurePrepared();
        return FInverse;
    }
    bool Singular()
    {
        EnsurePrepared();
        return FSingular;
    }

private:
    // The current matrix followed by Step.
    void Append(const TFloatMatrix& Step);
    bool MapFixed(int32_t DstX, int32_t DstY, int32_t Rounding, int Shift, int32_t& SrcX, int32_t& SrcY);

    TFloatMatrix FMatrix = IdentityMatrix;
    TAffineFixedInverse FInverse;
    bool FSingular = false;
};

// Maps the source rectangle onto the quadrilateral of the destination corners
// (X0, Y0) .. (X3, Y3), which take the source's top-left, top-right, bottom-right and
// bottom-left corners in that order.
class TProjectiveTransformation : public TTransformation {
public:
    float X0() const { return FX[0]; }
    float X1() const { return FX[1]; }
    float X2() const { return FX[2]; }
    float X3() const { return FX[3]; }
    float Y0() const { return FY[0]; }
    float Y1() const { return FY[1]; }
    float Y2() const { return FY[2]; }
    float Y3() const { return FY[3]; }
    void SetX0(float Value) { SetCorner(FX[0], Value); }
    void SetX1(float Value) { SetCorner(FX[1], Value); }
    void SetX2(float Value) { SetCorner(FX[2], Value); }
    void SetX3(float Value) { SetCorner(FX[3], Value); }
    void SetY0(float Value) { SetCorner(FY[0], Value); }
    void SetY1(float Value) { SetCorner(FY[1], Value); }
    void SetY2(float Value) { SetCorner(FY[2], Value); }
    void SetY3(float Value) { SetCorner(FY[3], Value); }

    bool Transform(int32_t DstX, int32_t DstY, int32_t& SrcX, int32_t& SrcY) override;
    bool Transform256(int32_t DstX, int32_t DstY, int32_t& SrcX256, int32_t& SrcY256) override;
    // Raises ETransformError when corners 1, 2 and 3 lie on one line while the four do
    // not form a parallelogram: no projective mapping reaches such a quadrilateral.
    void PrepareTransform() override;
    TRect GetTransformedBounds() override;

    // Transform and Transform256 without the preparation test, for loops that prepared once.
    bool TransformPrepared(int32_t DstX, int32_t DstY, int32_t& SrcX, int32_t& SrcY) const
    {
        return MapPrepared(DstX, DstY, 1, SrcX, SrcY);
    }
    bool Transform256Prepared(int32_t DstX, int32_t DstY, int32_t& SrcX256, int32_t& SrcY256) const
    {
        return MapPrepared(DstX, DstY, 256, SrcX256, SrcY256);
    }

private:
    // The source position of (X, Y) times Unit, rounded; false on the horizon (w = 0)
    // or when the mapping is degenerate.
    bool MapPrepared(int32_t X, int32_t Y, double Unit, int32_t& SrcX, int32_t& SrcY) const
    {
        const double x = X, y = Y;
        const double w = x * FInverse[0][2] + (y * FInverse[1][2] + FInverse[2][2]);
        if (w == 0 || FSingular)
            return false;
        SrcX = RoundSaturated((x * FInverse[0][0] + (y * FInverse[1][0] + FInverse[2][0])) / w * Unit);
        SrcY = RoundSaturated((x * FInverse[0][1] + (y * FInverse[1][1] + FInverse[2][1])) / w * Unit);
        return true;
    }
    void SetCorner(float& Corner, float Value)
    {
        Corner = Value;
        Invalidate();
    }

    std::array<float, 4> FX{}, FY{};
    // Kept in double precision: a float inverse loses whole pixels across a large picture.
    std::array<std::array<double, 3>, 3> FInverse{};
    bool FSingular = false;
};

// Draws Src through Transformation into Dst: each destination pixel inside the
// transformed bounds whose source position falls in the transformation's source
// rectangle (rounded, its right and bottom edges included, limited to Src) takes that
// source pixel (sfNearest) or the bilinear mix around it (other filters), combined by
// Src's DrawMode, MasterAlpha and OnPixelCombine. With the bilinear mix, a position on
// the rectangle's right or bottom edge mixes in OuterColor from beyond the bitmap.
void Transform(TBitmap32& Dst, const TBitmap32& Src, TTransformation& Transformation);

// The same, asking the transformation for every pixel through its virtual operations:
// the plain version that the fast paths of Transform must match. Also what Transform
// does for transformation classes it has no fast path for.
void TransformReference(TBitmap32& Dst, const TBitmap32& Src, TTransformation& Transformation);

// Alpha 0 on the outline of ARect (edges included, clipped to the bitmap), colours kept;
// then the bitmap reports a change.
void SetBorderTransparent(TBitmap32& ABitmap, const TRect& ARect);
