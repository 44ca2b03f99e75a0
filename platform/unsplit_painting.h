#pragma once

#include <functional>

// Runs `paint` on a thread of Qt's global thread pool and waits for it to finish.
//
// Qt's raster engine hands every fill of more than about a hundred spans to that pool in pieces
// and waits for them, unless the painting thread is one of the pool's own. On a machine of two
// cores the hand-offs cost more than the filling: the magnified full plan composed in 42 ms on
// the GUI thread and in 17 ms on a pool thread. Work that paints many large shapes onto an
// image (composing the plan's layers) therefore runs here, in one hand-off.
//
// Only for painting on images: `paint` must not touch widgets. The calling thread is blocked
// meanwhile, so `paint` may read and write what the caller owns. When no pool thread is free
// at once, or the caller is a pool thread already, `paint` runs on the calling thread. An
// exception thrown by `paint` is thrown again by the caller.
void PaintUnsplit(const std::function<void()>& paint);
