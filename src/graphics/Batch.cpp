#include "graphics/Batch.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Velmora::Graphics {

Batch::Batch(const BatchKey& key)
    : mLayer(key.mLayer),
      mPrimitive(key.mPrimitive),
      mCapacity(std::min(key.mCapacity, kMaxCapacity)),
      mBlend(key.mBlend),
      mTexture(key.mTexture),
      mKey(key),
      mVertices(std::make_unique_for_overwrite<Vertex[]>(mCapacity)) {}

void Batch::PutVertex(double x, double y, double u, double v, uint32_t color) {
    Vertex& vertex = mVertices[mCount++];
    vertex.mX = x;
    vertex.mY = y;
    vertex.mU = u;
    vertex.mV = v;
    vertex.mRed = static_cast<uint8_t>(color);
    vertex.mGreen = static_cast<uint8_t>(color >> 8);
    vertex.mBlue = static_cast<uint8_t>(color >> 16);
    vertex.mAlpha = static_cast<uint8_t>(color >> 24);
}

bool Batch::AddVertex(double x, double y, double u, double v, uint32_t color) {
    if (GetRoom() < 1) return false;
    PutVertex(x, y, u, v, color);
    return true;
}

void Batch::AddRect(double left, double right, double bottom, double top, uint32_t color) {
    AddTexturedRect(left, right, bottom, top, 0.0, 0.0, 0.0, 0.0, color);
}

void Batch::AddTexturedRect(double left, double right, double bottom, double top, double u0, double v0, double u1,
                            double v1, uint32_t color) {
    if (GetRoom() < 4) return;
    PutVertex(left, bottom, u0, v1, color);
    PutVertex(right, bottom, u1, v1, color);
    PutVertex(right, top, u1, v0, color);
    PutVertex(left, top, u0, v0, color);
}

void Batch::AddLine(double x0, double y0, double x1, double y1, uint32_t color) {
    if (GetRoom() < 2) return;
    PutVertex(x0, y0, 0.0, 0.0, color);
    PutVertex(x1, y1, 0.0, 0.0, color);
}

int Batch::CircleStepDegrees(double radius) {
    if (radius > 10.0) return 10;
    if (radius > 4.0) return 30;
    return 60;
}

void Batch::AddCircle(double x, double y, double radius, uint32_t color) {
    const int step = CircleStepDegrees(radius);
    constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
    for (int degrees = 0; degrees < 360; degrees += step) {
        const double a0 = degrees * kRadiansPerDegree;
        // The last segment ends exactly where the first began, so the outline closes.
        const double a1 = degrees + step >= 360 ? 0.0 : (degrees + step) * kRadiansPerDegree;
        AddLine(x + radius * std::cos(a0), y + radius * std::sin(a0), x + radius * std::cos(a1),
                y + radius * std::sin(a1), color);
    }
}

} // namespace Velmora::Graphics
