#pragma once
// New pictures for many painted thumbnails at once (the overview's first
// frame, the tray's live preview).
#include "capture/thumbnail_renderer_win32.h"

#include <atomic>
#include <cstddef>
#include <span>
#include <vector>

namespace qv {

// Prints the painted thumbnails' windows anew. Windows that only their own
// programs can print are asked of them all at once; the others are printed
// from here, spread over `helperThreads` more threads to overlap the waits on
// their programs (none: all on this one). Gives, per thumbnail, whether it
// has a new picture; composed thumbnails are left alone. A `stop` that turns
// true ends the prints from here early.
std::vector<char> CaptureThumbnails(std::span<TThumbnailRenderer *const> thumbnails,
                                    const WindowPainting &painting, std::size_t helperThreads,
                                    const std::atomic<bool> *stop = nullptr);

} // namespace qv
