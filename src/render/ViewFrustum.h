// ViewFrustum: the conservative test that lets a paint skip a whole block of
// stars. A star shows only when its projection lands on a column 0..width-1
// and a row 0..height-1 of the buffer; each of those four bounds is a plane
// through the observer, and a box wholly outside one of them holds no star
// that shows. The planes are widened by a pixel and the test by a rounding
// margin, so that no star whose pixel reaches the buffer is ever skipped.
#pragma once

#include <cmath>

#include "catalog/StarKernels.h"
#include "render/ScreenMapping.h"
#include "render/StarGrid.h"

class ViewFrustum {
 public:
  ViewFrustum(const ProjectionSetup& setup, const ScreenFrame& frame) : m_observer(setup.position) {
    const Vector3D right = setup.scaledRight * kPixelsPerUnit;
    const Vector3D down = setup.scaledDown * kPixelsPerUnit;
    const Vector3D& forward = setup.forward;
    // column = x*500 + cx > -1, column < width; row = cy - y*500 > -1, row < height,
    // each multiplied by the depth, with one pixel to spare.
    m_planes[0] = right + forward * (frame.centerX + kSparePixels);
    m_planes[1] = forward * (frame.width - frame.centerX + kSparePixels) - right;
    m_planes[2] = forward * (frame.centerY + kSparePixels) - down;
    m_planes[3] = down + forward * (frame.height - frame.centerY + kSparePixels);
    m_planes[4] = forward;
  }

  // False only when no point of the block's box can show. Never false for a
  // block without a box, nor when anything involved is not a number.
  bool MayShow(const GridBlock& block) const {
    if (!block.bounded) return true;
    // Each star's offset from the observer is rounded once, by at most an
    // ulp of the larger of the two coordinates: the box grows by that much.
    const Vector3D half = Widened((block.high - block.low) * 0.5, block);
    const Vector3D centre = (block.low + (block.high - block.low) * 0.5) - m_observer;
    const double size =
        std::fabs(centre.x) + std::fabs(centre.y) + std::fabs(centre.z) + half.x + half.y + half.z;
    for (const Vector3D& n : m_planes) {
      const double reach = std::fabs(n.x) * half.x + std::fabs(n.y) * half.y + std::fabs(n.z) * half.z;
      const double scale = std::fabs(n.x) + std::fabs(n.y) + std::fabs(n.z);
      if (Dot(centre, n) + reach < -kRoundingMargin * scale * size) return false;
    }
    return true;
  }

 private:
  static constexpr double kSparePixels = 2.0;         // one beyond the pixel the bound allows
  static constexpr double kRoundingMargin = 1e-9;     // far above the rounding of these few operations
  static constexpr double kSubtractionSlack = 1e-15;  // a few units in the last place

  Vector3D Widened(const Vector3D& half, const GridBlock& block) const {
    auto axis = [](double h, double low, double high, double observer) {
      return h + (std::fmax(std::fabs(low), std::fabs(high)) + std::fabs(observer)) * kSubtractionSlack;
    };
    return {axis(half.x, block.low.x, block.high.x, m_observer.x),
            axis(half.y, block.low.y, block.high.y, m_observer.y),
            axis(half.z, block.low.z, block.high.z, m_observer.z)};
  }

  Vector3D m_observer;
  Vector3D m_planes[5];
};
