#pragma once

#include "platform/Geometry.h"
#include "platform/Prompts.h"

namespace tf {

// base grown outward by delta on each side. When a side comes out negative,
// asks "Rectの値が0より小さくなりました。デフォルトの値を使用します。" and
// returns base unchanged when the box is confirmed with OK.
Rect GrowRect(Prompts& prompts, const Rect& base, const Rect& delta);

} // namespace tf
