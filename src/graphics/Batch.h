#pragma once

#include "graphics/BatchKey.h"
#include "graphics/Vertex.h"

#include <cstdint>
#include <memory>

namespace Velmora::Graphics {

/// A fixed-size vertex array for one (layer, primitive, capacity, blend, texture) combination.
/// The array is allocated once, when the batch is created, and reused every frame; its pages
/// are only touched as far as vertices are written. Appending never grows it: a primitive that
/// does not fit whole is dropped, so a full batch never holds a torn quad or line.
class Batch {
public:
    /// Largest vertex array a batch allocates (40 MiB); larger capacities are clamped to it.
    static constexpr unsigned kMaxCapacity = 1u << 20;

    explicit Batch(const BatchKey& key);

    /// Appends one vertex; false (and nothing added) when the batch is full.
    bool AddVertex(double x, double y, double u, double v, uint32_t color);
    /// Four untextured vertices (left, bottom), (right, bottom), (right, top), (left, top).
    void AddRect(double left, double right, double bottom, double top, uint32_t color);
    /// The same corners with a texture rectangle given by its top-left (u0, v0) and
    /// bottom-right (u1, v1) coordinates.
    void AddTexturedRect(double left, double right, double bottom, double top, double u0, double v0, double u1,
                         double v1, uint32_t color);
    /// A closed circle outline as line segments (vertex pairs, for a lines batch): one segment
    /// per 10° above radius 10, per 30° above radius 4, per 60° otherwise.
    void AddCircle(double x, double y, double radius, uint32_t color);
    /// One line segment (two vertices).
    void AddLine(double x0, double y0, double x1, double y1, uint32_t color);

    /// Vertices that still fit.
    unsigned GetRoom() const { return mCapacity - mCount; }
    /// Forgets the vertices (after drawing).
    void Clear() { mCount = 0; }
    const Vertex* GetVertices() const { return mVertices.get(); }
    const BatchKey& GetKey() const { return mKey; }

    /// Degrees per circle segment for a radius.
    static int CircleStepDegrees(double radius);

    int mLayer;
    int mPrimitive;
    unsigned mCapacity; ///< vertices the array holds
    int mBlend;
    Texture* mTexture; ///< null for untextured drawing; not owned
    unsigned mCount = 0;

private:
    void PutVertex(double x, double y, double u, double v, uint32_t color);

    BatchKey mKey;
    std::unique_ptr<Vertex[]> mVertices;
};

} // namespace Velmora::Graphics
