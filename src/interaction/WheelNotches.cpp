// Whole wheel notches from angle units.
#include "interaction/WheelNotches.h"

int64_t WheelNotches::Add(int angleDelta) {
  m_units += angleDelta;
  const int64_t notches = m_units / kUnitsPerNotch;  // toward zero: the rest keeps the sign of the sum
  m_units -= notches * kUnitsPerNotch;
  return notches;
}
