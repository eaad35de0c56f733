// Overlay movies: where their frame shows in the window. The display offers no overlay pixel
// format, so no movie opens in the overlay mode and these keep only the placement.
#include "layer/core/main_window.h"
#include "layer/media/movie_handles.h"
#include "layer/media/overlay_placement.h"

namespace layer {
namespace {

void StoreRect(const Rect& rect, int (*stored)[4]) {
    (*stored)[0] = rect.left;
    (*stored)[1] = rect.top;
    (*stored)[2] = rect.right;
    (*stored)[3] = rect.bottom;
}

}  // namespace

bool IsOverlayMovie(int handle) {
    const MovieRecord* movie = GetMovieRecord(handle);
    return movie != nullptr && movie->TheoraFlag == 0 && movie->Streams.sample != nullptr &&
           movie->Streams.mode == kMovieModeOverlay;
}

int DrawMovieToWindow(int x, int y, int scale, int handle, int visible) {
    MovieRecord* movie = GetMovieRecord(handle);
    if (movie == nullptr) {
        return -1;
    }
    if (!IsOverlayMovie(handle) || movie->FrameReady == 0) {
        return 0;
    }
    Rect client;
    GetClientAreaRect(&client);
    OverlayView view;
    view.clip_box = {0, 0, client.right - client.left, client.bottom - client.top};
    view.client = client;
    const OverlayShape shape = PlaceOverlay(x, y, scale, movie->Width, movie->Height, view);
    OverlayPlacement& placement = movie->Streams.overlay;
    placement = OverlayPlacement{x, y, scale, visible, {}, {}};
    if (shape.visible) {
        StoreRect(shape.source, &placement.source);
        StoreRect(shape.destination, &placement.destination);
    }
    return 0;
}

}  // namespace layer
